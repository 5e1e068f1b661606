// The Vedic day holding an instant: the sunrise before it, the sunset and the sunrise after, at a place.
#pragma once

#include <cmath>

#include "common/result.hpp"
#include "moments/rise_set.hpp"

namespace zentaric::moments {

struct VedicDay {
    double sunrise;       // UT Julian Day of the last sunrise at or before the instant
    double sunset;        // the sunset after it
    double next_sunrise;  // the sunrise after that sunset

    // Whether all three were found (not where the Sun stays up or down around the instant).
    bool complete() const noexcept { return !std::isnan(sunrise) && !std::isnan(sunset) && !std::isnan(next_sunrise); }
};

// The day of `jd_ut` by a sunrise convention; members not found are NaN. Fails as find_rise_set does. Found on a
// cheap Sun and polished on the full series (within 1 ms of searched_vedic_day), or by the search itself near a
// polar day or night.
Result<VedicDay> vedic_day(double jd_ut, double latitude, double longitude, HorizonConvention convention);

// The same by find_rise_set over a day and a half either side (which holds the three events wherever the Sun rises
// and sets daily).
Result<VedicDay> searched_vedic_day(double jd_ut, double latitude, double longitude,
                                    HorizonConvention convention);

}  // namespace zentaric::moments
