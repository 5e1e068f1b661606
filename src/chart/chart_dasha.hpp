// The dasha periods of a birth: the chart's grahas and lagna, the year length, then the dasha rules.
#pragma once

#include <cstdint>
#include <string_view>

#include "chart/natal_chart.hpp"
#include "common/result.hpp"
#include "vedic/dasha_periods.hpp"

namespace zentaric {

// Sidereal grahas of a chart (Rahu the mean node, Ketu opposite it) and its sidereal lagna.
GrahaPositions chart_grahas(const NatalChart& chart) noexcept;

// The periods of `system_name` for a UTC birth minute at a place, with the named ayanamsha and year length; or the
// first of: unknown system, year or ayanamsha, a date outside the ephemeris.
Result<DashaPeriods> birth_dasha_periods(std::int32_t year, std::uint32_t month, std::uint32_t day,
                                         std::uint32_t hour, std::uint32_t minute, double latitude, double longitude,
                                         std::string_view system_name, std::uint8_t levels,
                                         std::string_view year_name, std::string_view ayanamsha, double focus_jd);

}  // namespace zentaric
