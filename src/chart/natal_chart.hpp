// The natal chart: from a UTC birth moment, a place and two names to the analysed chart.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart/chart_analysis.hpp"
#include "common/result.hpp"
#include "ephemeris/ephemeris_provider.hpp"

namespace zentaric {

struct ChartBodyRow {
    Body id;
    std::string_view name;  // the text form in documents and messages: the body's variant name
};

// The chart bodies; a row's position is the body's chart index (aspects and JSON use it).
inline constexpr std::array<ChartBodyRow, 9> CHART_BODY_TABLE{{
    {Body::Sun, "Sun"},
    {Body::Moon, "Moon"},
    {Body::Mercury, "Mercury"},
    {Body::Venus, "Venus"},
    {Body::Mars, "Mars"},
    {Body::Jupiter, "Jupiter"},
    {Body::Saturn, "Saturn"},
    {Body::MeanNode, "MeanNode"},
    {Body::TrueNode, "TrueNode"},
}};
static_assert([] {
    for (const ChartBodyRow& row : CHART_BODY_TABLE)
        if (row.name != body_name(row.id)) return false;
    return true;
}());

// The chart bodies in chart order, as chart_positions takes them.
inline constexpr std::array<Body, CHART_BODY_TABLE.size()> CHART_BODY_IDS = [] {
    std::array<Body, CHART_BODY_TABLE.size()> ids{};
    for (std::size_t index = 0; index < ids.size(); ++index) ids[index] = CHART_BODY_TABLE[index].id;
    return ids;
}();

// A chart with the ayanamsha it was made with (degrees, the nutation included) and its UT Julian Day.
struct NatalChart {
    ChartAnalysis analysis;
    double ayanamsha_value;
    double julian_day;
    Ayanamsha ayanamsha;
    HouseSystem house_system;  // as requested (the houses say whether it fell back)
};

// The chart for a UTC date and time (not validated: hour 25 runs into the next day), latitude (degrees north)
// and longitude (degrees east), or the first of: unknown ayanamsha, unknown house system, Julian Day outside the
// ephemeris range, a body the ephemeris cannot compute. `second` adds seconds to the minute (a return chart is cast
// for its exact instant); at 0 the Julian Day is the minute's to the last bit.
Result<NatalChart> natal_chart(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                     std::uint32_t minute, double latitude, double longitude,
                                     std::string_view ayanamsha, std::string_view house_system,
                                     double second = 0.0);

}  // namespace zentaric
