// The natal chart as the Vedic readings take it: the nine grahas (Rahu the mean node, Ketu opposite it), the
// lagna, the houses in both zodiacs and the aspects, every place already read in the chart's zodiac.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "chart/lunar_node.hpp"
#include "chart/natal_chart.hpp"
#include "common/result.hpp"
#include "houses/house_cusps.hpp"
#include "vedic/aspects.hpp"
#include "vedic/dignity.hpp"
#include "vedic/graha.hpp"
#include "vedic/vedic_dignity.hpp"

namespace zentaric {

// A longitude of the chart's zodiac read in signs and nakshatras.
struct ZodiacPlace {
    double longitude;            // degrees, [0, 360)
    std::uint8_t sign_index;     // 0..11
    std::uint8_t nakshatra;      // 0..26
    std::uint8_t pada;           // 1..4
};

ZodiacPlace zodiac_place(double longitude) noexcept;

// The grahas in the chart's order (that of CHART_BODY_TABLE, Ketu after Rahu).
inline constexpr std::array<Graha, GRAHA_COUNT> CHART_GRAHAS{
    Graha::Sun, Graha::Moon, Graha::Mercury, Graha::Venus, Graha::Mars, Graha::Jupiter, Graha::Saturn, Graha::Rahu,
    Graha::Ketu};
inline constexpr std::size_t RAHU = 7;
inline constexpr std::size_t KETU = 8;

struct GrahaRecord {
    ZodiacPlace place;
    double latitude;           // degrees
    double distance;           // astronomical units (Ketu: Rahu's)
    double speed;              // degrees per day (Ketu: Rahu's)
    bool retrograde;           // speed < 0
    std::uint8_t house;        // 1..12
    Dignity dignity;
    std::optional<VedicDignity> vedic_dignity;  // in the rashi; none for the nodes
};

struct NatalRecord {
    std::array<GrahaRecord, GRAHA_COUNT> grahas;  // CHART_GRAHAS order
    ZodiacPlace lagna;                     // the sidereal ascendant
    HouseCusps houses;                     // tropical, as the chart document has them
    std::array<double, 12> sidereal_cusps; // the same cusps in the chart's zodiac; whole signs exactly k · 30°
    double mc_sidereal;
    std::vector<Aspect> aspects;           // among Sun .. Rahu, indices into grahas
    double ayanamsha_value;
    double julian_day;
    Ayanamsha ayanamsha;
    HouseSystem house_system;
};

// The record of an analysed chart, Rahu the chosen node.
NatalRecord natal_record(const NatalChart& chart, LunarNode node = LunarNode::Mean);

// natal_chart's record for the same arguments, or its failure.
Result<NatalRecord> natal_record(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                 std::uint32_t minute, double latitude, double longitude,
                                 std::string_view ayanamsha, std::string_view house_system,
                                 LunarNode node = LunarNode::Mean, double second = 0.0);

}  // namespace zentaric
