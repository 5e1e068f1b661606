// The sampled longitudes of the Sun and the Moon against the series they are sampled from.
#include <gtest/gtest.h>

#include <cmath>

#include "panchanga/sky.hpp"

namespace zentaric {
namespace {

// Measured: 7.9e-9° (Moon) and 5.2e-10° (Sun) at most over these spans, 0.05 ms of either's motion; the bounds are
// a tenth of a millisecond (1.5e-8° of the Moon's motion, 1.2e-9° of the Sun's).
TEST(SkyLongitudes, WithinATenthOfAMillisecondOfTheSeries) {
    double worst_moon = 0.0, worst_sun = 0.0;
    for (const double start : {2415020.5, 2440000.3, 2451545.0, 2488000.7}) {
        for (const double days : {70.0, 6.0}) {  // long segments, and a short span with fewer nodes
            const auto sky = sample_sky(Ayanamsha::Lahiri, start, start + days);
            ASSERT_TRUE(sky.ok());
            for (int k = 0; k < days - 1; ++k) {
                const double jd = start + k * 1.0137;
                const double moon = mean_equinox_longitude(Body::Moon, jd).value();
                const double sun = mean_equinox_longitude(Body::Sun, jd).value();
                worst_moon = std::fmax(worst_moon, std::fabs(std::remainder(sky.value().moon(jd) - moon, 360.0)));
                worst_sun = std::fmax(worst_sun, std::fabs(std::remainder(sky.value().sun(jd) - sun, 360.0)));
            }
        }
    }
    EXPECT_LT(worst_moon, 1.5e-8);
    EXPECT_LT(worst_sun, 1.2e-9);
    std::printf("largest differences: Moon %.2e deg, Sun %.2e deg\n", worst_moon, worst_sun);
}

}  // namespace
}  // namespace zentaric
