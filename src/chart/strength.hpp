// A birth's shadbala and bhava bala: the chart, and the sunrise, sunset and lords of time of its Vedic day, gathered
// for the strength rules of src/vedic.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/result.hpp"
#include "vedic/shadbala.hpp"

namespace zentaric {

struct ChartStrength {
    ShadbalaInputs inputs;
    std::array<Shadbala, PLANET_GRAHA_COUNT> shadbala;
    std::array<BhavaBala, 12> bhava_bala;
};

// The strengths for a UTC birth (as natal_chart takes it) with the Vedic day opened by the Hindu sunrise (the disc's
// centre on the geometric horizon) at the place; fails as natal_chart does, on an unknown `required`, and where the
// Sun does not rise and set within a day and a half of the birth.
Result<ChartStrength> chart_strength(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                     std::uint32_t minute, double latitude, double longitude,
                                     std::string_view ayanamsha, std::string_view required);

}  // namespace zentaric
