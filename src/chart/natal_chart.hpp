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

struct ChartBody {
    std::string_view name;
    Body body;
};

// The nine chart bodies; a row's position is the body's chart index (aspects and JSON use it).
inline constexpr std::array<ChartBody, 9> CHART_BODIES = {{
    {"Sun", Body::Sun},
    {"Moon", Body::Moon},
    {"Mercury", Body::Mercury},
    {"Venus", Body::Venus},
    {"Mars", Body::Mars},
    {"Jupiter", Body::Jupiter},
    {"Saturn", Body::Saturn},
    {"MeanNode", Body::MeanNode},
    {"TrueNode", Body::TrueNode},
}};

// A chart with the ayanamsha it was made with (degrees, the nutation included) and its UT Julian Day.
struct NatalChart {
    ChartAnalysis analysis;
    double ayanamsha_value;
    double julian_day;
};

// The chart for a UTC date and time (not validated: hour 25 runs into the next day), latitude (degrees north)
// and longitude (degrees east), or the first of: unknown ayanamsha, unknown house system, Julian Day outside the
// ephemeris range, a body the ephemeris cannot compute.
Result<NatalChart> natal_chart(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                     std::uint32_t minute, double latitude, double longitude,
                                     std::string_view ayanamsha, std::string_view house_system);

}  // namespace zentaric
