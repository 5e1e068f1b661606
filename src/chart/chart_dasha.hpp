// The dasha periods of a birth: the chart's grahas and lagna, the year length, then the dasha rules.
#pragma once

#include <cstdint>
#include <string_view>

#include "chart/lunar_node.hpp"
#include "chart/natal_chart.hpp"
#include "common/result.hpp"
#include "vedic/dasha_periods.hpp"

namespace zentaric {

// Sidereal grahas of a chart (Rahu the chosen node, Ketu opposite it) and its sidereal lagna.
GrahaPositions chart_grahas(const NatalChart& chart, LunarNode node = LunarNode::Mean) noexcept;

// Days from birth to the Sun's first return to its longitude at birth in the chart's zodiac (the "solar" dasha
// year), found among the Sun's crossings of that longitude.
Result<double> solar_year_days(const NatalChart& chart, Ayanamsha ayanamsha);

// The periods of `system_name` for a UTC birth minute at a place, with the named ayanamsha, year length and node;
// or the first of: unknown system, year, node or ayanamsha, a date outside the ephemeris.
Result<DashaPeriods> birth_dasha_periods(std::int32_t year, std::uint32_t month, std::uint32_t day,
                                         std::uint32_t hour, std::uint32_t minute, double latitude, double longitude,
                                         std::string_view system_name, std::uint8_t levels,
                                         std::string_view year_name, std::string_view ayanamsha, double focus_jd,
                                         std::string_view node_name = "mean");

}  // namespace zentaric
