// The analysis step of a natal chart: sidereal positions, signs, houses, dignities, motion and aspects.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "houses/house_cusps.hpp"
#include "sidereal/ayanamsha.hpp"
#include "vedic/aspects.hpp"
#include "vedic/dignity.hpp"

namespace zentaric {

// One chart body as the ephemeris gives it: tropical apparent ecliptic of date.
struct TropicalPosition {
    std::string name;
    double longitude;  // degrees
    double latitude;   // degrees
    double distance;   // astronomical units
    double speed;      // degrees per day
};

struct ChartConfig {
    std::vector<AspectKind> aspect_kinds;
    double orb_factor;
    Rulership rulership;
    HouseSystem house_system;
    Ayanamsha ayanamsha;
};

// The natal chart's settings: the five major aspects at their default orbs, traditional rulership.
ChartConfig natal_chart_config(HouseSystem house_system, Ayanamsha ayanamsha);

struct ChartPlanet {
    std::string name;
    std::string_view sign;     // English sign name (static text)
    std::string_view dignity;  // dignity text (static text)
    double longitude;          // sidereal degrees, [0, 360)
    double latitude;           // degrees
    double distance;           // astronomical units
    double speed;              // degrees per day
    bool retrograde;           // speed < 0
    std::uint8_t sign_index;   // 0..11
    std::uint8_t house;        // 1..12
};

struct ChartAnalysis {
    std::vector<ChartPlanet> planets;  // in the order of the input bodies
    std::vector<Aspect> aspects;       // body indices are positions in planets
    std::string config_summary;        // "Houses: {}, Zodiac: {}, Rulership: {}"
    HouseCusps houses;                 // tropical, not shifted by the ayanamsha
};

// House 1..12 of a longitude among 12 cusps (same frame): the first house i whose interval
// [cusp i, cusp i+1) holds it, wrapping through 0°; 1 when none does (non-finite cusps).
std::uint8_t house_of(double longitude, const std::array<double, 12>& cusps) noexcept;

// Degrees between the chart's zodiac and the true equinox of date, the bodies' frame: the system's mean ayanamsha
// at the UT Julian Day jd plus the nutation in longitude (degrees), so that the sidereal zodiac stays fixed to
// the stars; exactly 0 for Tropical.
double chart_ayanamsha(Ayanamsha ayanamsha, double jd, double nutation_longitude_deg) noexcept;

// Sidereal chart of tropical positions: the chart ayanamsha at the UT Julian Day jd and the nutation in
// longitude (degrees, at TT), houses from RAMC, latitude and obliquity (degrees), sign, house, dignity and
// retrograde flag per body, aspects among all of them. Whole-sign houses of a sidereal chart are its signs.
ChartAnalysis analyze_chart(std::span<const TropicalPosition> bodies, const ChartConfig& config,
                            double ramc_deg, double latitude_deg, double obliquity_deg, double jd,
                            double nutation_longitude_deg);

}  // namespace zentaric
