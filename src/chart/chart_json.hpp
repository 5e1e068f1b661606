// The natal chart as one compact JSON text.
#pragma once

#include <string>

#include "chart/chart_analysis.hpp"

namespace zentaric {

// The chart document as compact text: "aspects", "ayanamsha_value", "config_summary", "houses", "julian_day",
// "planets" (members of every object in ascending key order, non-finite numbers as null).
std::string chart_json(const ChartAnalysis& analysis, double ayanamsha_value, double julian_day);

}  // namespace zentaric
