// The panchanga of a range of days at a place: every Vedic day from its sunrise to the next, its limbs with their
// exact ends, kalams, muhurtas and lunar month, from one search over the whole range.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/result.hpp"
#include "moments/rise_set.hpp"
#include "panchanga/day.hpp"
#include "sidereal/ayanamsha.hpp"

namespace zentaric {

// The days asked for: the local calendar date of the first (proleptic Gregorian), how many, the place, the UTC
// offset of the local midnight opening the first day (hours east), the sunrise convention and the ayanamsha.
struct PanchangaRequest {
    std::int32_t year;
    std::uint32_t month;
    std::uint32_t day;
    std::uint32_t days;
    moments::Observer place;
    double utc_offset_hours;
    moments::HorizonConvention convention;
    Ayanamsha system;
};

// The days, and the crossings their limb runs index (in LIMB_TABLE order).
struct PanchangaRange {
    std::vector<PanchangaDay> days;
    std::array<std::vector<Crossing>, LIMB_COUNT> crossings;
};

// Each day's sunrise is the first in the 24 hours from its local midnight (the first day's midnight and its
// successors every 24 hours). Fails for a Tropical zodiac (the limbs are sidereal), for more than 100,000 days, a
// range outside the ephemeris, or a day whose Sun does not rise or set ("no sunrise on day N: ...").
Result<PanchangaRange> compute_panchanga(const PanchangaRequest& request);

}  // namespace zentaric
