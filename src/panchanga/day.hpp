// The Vedic days of a range, from sunrise to the next sunrise, put together from the moments searched over the
// whole range at once: sunrises and sunsets, the Moon's risings and settings, the crossings of each limb, the new
// moons and the Sun's sign at each sunrise.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "common/result.hpp"
#include "panchanga/kalam.hpp"
#include "panchanga/limb.hpp"
#include "panchanga/masa.hpp"

namespace zentaric {

// The moments of a range of n days, each list sorted.
struct DayMoments {
    std::span<const double> sunrises;  // n + 1: day k's sunrise, the last the sunrise after day n − 1
    std::span<const double> sunsets;   // n + 1: the sunset before day 0's sunrise, then day k's sunset at k + 1
    std::span<const double> moonrises;
    std::span<const double> moonsets;
    std::array<std::span<const Crossing>, LIMB_COUNT> crossings;  // in LIMB_TABLE order
    std::span<const NewMoon> new_moons;
    std::span<const std::uint8_t> sun_signs;  // n: the Sun's sidereal sign at day k's sunrise
    std::uint8_t first_weekday;  // of day 0, 0 = Sunday
};

// A day's limbs of one kind: crossings[first + j] opens limb j (its number `after`) and crossings[first + j + 1]
// closes it, for j < count; limb 0 prevails at sunrise, limb count − 1 at the next sunrise.
struct LimbRun {
    std::uint32_t first;
    std::uint32_t count;
};

struct PanchangaDay {
    double sunrise;
    double sunset;
    double next_sunrise;
    double moonrise;  // the first between this sunrise and the next, NaN when there is none
    double moonset;
    std::uint8_t vara;  // weekday of the sunrise, 0 = Sunday
    std::array<LimbRun, LIMB_COUNT> limbs;
    std::array<Interval, KALAM_TABLE.size()> kalams;  // in KALAM_TABLE order
    Interval abhijit;
    Interval brahma_muhurta;
    MonthsAt months;  // at sunrise
    std::uint8_t ritu;
    bool uttarayana;  // at sunrise
};

// Fills out[0 .. n) (n = sunrises.size() − 1); fails when a list does not reach beyond the days it must cover.
Result<bool> assemble_days(const DayMoments& moments, std::span<PanchangaDay> out);

}  // namespace zentaric
