// The sampled Sun and Moon against the positions they are sampled from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "ephemeris/apparent.hpp"
#include "moments/sampled_sky.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"

namespace zentaric::moments {
namespace {

// Measured: longitudes within 9.7e-9° (Moon) and 5.5e-10° (Sun), 0.07 ms and 0.05 ms of their motions, latitudes
// within 4.3e-9° and 2.4e-11°, distances within 2.2e-11 (relative), the zodiac's offset within 3e-11° and the frame's
// angles within 2e-14 rad; the bounds keep to a fifth and a tenth of a millisecond (a rise moves by well under
// 0.1 ms for 2e-8° of the Moon's latitude).
TEST(SampledSky, WithinATenthOfAMillisecondOfTheSeries) {
    double worst[2][3] = {}, worst_offset = 0.0, worst_frame = 0.0;
    for (const double start : {2415020.5, 2440000.3, 2451545.0, 2488000.7}) {
        for (const double days : {190.0, 100.0, 60.0, 17.0, 10.0, 6.0}) {  // long segments, shorter, a short span
            const auto sampled = sample_sky(Ayanamsha::Lahiri, start, start + days, SkyDetail::Places);
            ASSERT_TRUE(sampled.ok());
            const SampledSky& sky = sampled.value();
            for (int k = 0; k < days - 1; k += 3) {
                const double jd = start + k * 1.0137, tt = to_terrestrial_time(jd);
                const Body bodies[2] = {Body::Sun, Body::Moon};
                ApparentPosition p[2];
                const FrameAngles frame = fast_apparent_positions(bodies, 2, jd, p).value();
                const double psi = frame.nutation_longitude * RAD_TO_DEG;
                const double sidereal[2] = {sky.sun(tt), sky.moon(tt)};
                const double latitude[2] = {sky.sun_latitude(tt), sky.moon_latitude(tt)};
                const double distance[2] = {sky.sun_distance(tt), sky.moon_distance(tt)};
                for (int b = 0; b < 2; ++b) {
                    const double exact = p[b].longitude * RAD_TO_DEG -
                                         true_ayanamsha_degrees(Ayanamsha::Lahiri, jd, frame.nutation_longitude);
                    worst[b][0] = std::fmax(worst[b][0], std::fabs(std::remainder(sidereal[b] - exact, 360.0)));
                    worst[b][1] = std::fmax(worst[b][1], std::fabs(latitude[b] - p[b].latitude) * RAD_TO_DEG);
                    worst[b][2] = std::fmax(worst[b][2], std::fabs(distance[b] / p[b].distance - 1.0));
                }
                worst_offset = std::fmax(worst_offset, std::fabs(sky.offset(tt) + psi -
                                                                 true_ayanamsha_degrees(Ayanamsha::Lahiri, jd,
                                                                                        frame.nutation_longitude)));
                worst_frame = std::fmax(worst_frame, std::fabs(sky.nutation_longitude(tt) - frame.nutation_longitude));
                worst_frame = std::fmax(worst_frame, std::fabs(sky.true_obliquity(tt) - frame.mean_obliquity -
                                                               frame.nutation_obliquity));
            }
        }
    }
    EXPECT_LT(worst[1][0], 3e-8);
    EXPECT_LT(worst[0][0], 1.2e-9);
    EXPECT_LT(worst[1][1], 2e-8);
    EXPECT_LT(worst[0][1], 1e-9);
    EXPECT_LT(std::fmax(worst[0][2], worst[1][2]), 1e-9);
    EXPECT_LT(worst_offset, 1e-10);
    EXPECT_LT(worst_frame, 1e-11);
    std::printf("largest differences: longitude Moon %.2e deg, Sun %.2e deg; latitude Moon %.2e deg, Sun %.2e deg; "
                "distance %.2e, %.2e; offset %.2e deg; frame %.2e rad\n",
                worst[1][0], worst[0][0], worst[1][1], worst[0][1], worst[1][2], worst[0][2], worst_offset,
                worst_frame);
}

}  // namespace
}  // namespace zentaric::moments
