// The natal chart as one compact JSON text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chart/chart_analysis.hpp"
#include "common/result.hpp"

namespace zentaric {

// The chart document as compact text: "aspects", "ayanamsha_value", "config_summary", "houses", "julian_day",
// "planets" (members of every object in ascending key order, non-finite numbers as null).
std::string chart_json(const ChartAnalysis& analysis, double ayanamsha_value, double julian_day);

// The document of natal_chart (chart/natal_chart.hpp) for the same arguments, or its failure.
Result<std::string> natal_chart_json(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                     std::uint32_t minute, double latitude, double longitude,
                                     std::string_view ayanamsha, std::string_view house_system);

}  // namespace zentaric
