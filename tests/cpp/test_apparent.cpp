// Apparent places of date against skyfield/DE421 and the Meeus nodes (stored tables), error texts, the range
// ends, and the chart batch against the per-body pipeline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "chart/natal_chart.hpp"
#include "common/fixed_decimal.hpp"
#include "ephemeris/apparent.hpp"
#include "ephemeris/apparent_frame.hpp"
#include "ephemeris/constants.hpp"
#include "reference_table.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {
namespace {

using testing::angle_difference_degrees;
using testing::read_reference_table;

const AnalyticalEphemeris EPHEMERIS;

// The UT instant whose TT is jd_tt.
double universal_time_of(double jd_tt) {
    double jd_ut = jd_tt;
    for (int i = 0; i < 4; ++i) jd_ut += jd_tt - to_terrestrial_time(jd_ut);
    return jd_ut;
}

TEST(PositionAndSpeed, AgreesWithDe421ApparentPlacesWithoutDeflection) {
    // Measured on the 240 instants of 1900-2050: 0.12-0.15" Sun to Mars, 0.45" Jupiter, 0.37" Saturn, 0.49" the
    // Moon; distances 4.3e-7 relative (Moon 8.2e-7); speeds 6e-7 deg/day (Moon 5.3e-5). The pipeline has no light
    // deflection (with it the reference differs by up to 0.74", Jupiter 2026-07-29).
    const auto table = read_reference_table("apparent_de421.csv");
    double worst[10][4] = {};
    for (const auto& row : table.rows) {
        const int body = static_cast<int>(row[0]);
        const auto p = position_and_speed(EPHEMERIS, static_cast<Body>(body), universal_time_of(row[1]));
        ASSERT_TRUE(p.ok());
        const double d[4] = {std::fabs(angle_difference_degrees(p.value().longitude * RAD_TO_DEG, row[2])) * 3600.0,
                             std::fabs(p.value().latitude * RAD_TO_DEG - row[3]) * 3600.0,
                             std::fabs(p.value().distance / row[4] - 1.0), std::fabs(p.value().speed - row[5])};
        for (int k = 0; k < 4; ++k) worst[body][k] = std::max(worst[body][k], d[k]);
    }
    for (int body : {0, 1, 2, 3, 5, 6, 7}) {
        std::printf("%-8s lon %.3f\" lat %.3f\" distance %.1e speed %.1e deg/day\n", body_name(static_cast<Body>(body)).data(),
                    worst[body][0], worst[body][1], worst[body][2], worst[body][3]);
        EXPECT_LT(worst[body][0], 0.6) << body;
        EXPECT_LT(worst[body][1], 0.6) << body;
        EXPECT_LT(worst[body][2], 1e-6) << body;
        EXPECT_LT(worst[body][3], body == 1 ? 1e-4 : 2e-6) << body;
    }
}

TEST(PositionAndSpeed, MeanNodeIsMeeusPlusNutationInLongitude) {
    // (the true node is checked against stored osculating nodes in tests/python/test_true_node_reference.py)
    for (const auto& row : read_reference_table("nodes_meeus.csv").rows) {  // Meeus at t, t - 0.5 d, t + 0.5 d
        const auto p = position_and_speed(EPHEMERIS, Body::MeanNode, universal_time_of(row[0])).value();
        const double expected = row[1] + nutation(row[0]).longitude * RAD_TO_DEG;
        const double speed = row[3] + nutation(row[0] + 0.5).longitude * RAD_TO_DEG -
                             (row[2] + nutation(row[0] - 0.5).longitude * RAD_TO_DEG);
        EXPECT_LT(std::fabs(angle_difference_degrees(p.longitude * RAD_TO_DEG, expected)), 1e-9) << row[0];
        EXPECT_LT(std::fabs(p.speed - speed), 1e-4) << row[0];
        EXPECT_EQ(p.latitude, 0.0);
        EXPECT_EQ(p.distance, 1.0);
    }
}

TEST(EphemerisError, TextsAndShortestDecimals) {  // the range ends' texts: tests/python/test_error_mapping.py
    EXPECT_EQ(EphemerisError::julian_day_out_of_range(-1e16, 0.1, 1.5e-7).text(),
              "Julian Day -10000000000000000 out of range [0.1, 0.00000015]");
    EXPECT_EQ(EphemerisError::body_not_available(4294967295u).text(),
              "Body with ID 4294967295 not available in ephemeris");
    for (double value : {0.1, -0.5, 1e-300, 1.7976931348623157e308, 123456789.125}) {
        const std::string text = fixed_decimal(value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(std::stod(text), value) << text;
    }
    EXPECT_EQ(fixed_decimal(0.0), "0");
}

TEST(AnalyticalEphemeris, RangeIsInclusiveAndPlutoAndTheEarthAreSpecial) {
    EXPECT_TRUE(EPHEMERIS.state_vector(Body::Mars, JD_MIN).ok());
    EXPECT_TRUE(EPHEMERIS.state_vector(Body::Mars, JD_MAX).ok());
    for (int body = 0; body < BODY_COUNT; ++body) {
        EXPECT_EQ(EPHEMERIS.state_vector(static_cast<Body>(body), 990574.9).error(),
                  EphemerisError::julian_day_out_of_range(990574.9, JD_MIN, JD_MAX));
        EXPECT_FALSE(EPHEMERIS.state_vector(static_cast<Body>(body), std::nan("")).ok());
    }
    EXPECT_EQ(position_and_speed(EPHEMERIS, Body::Pluto, 2451545.0).error().text(),
              "Body with ID 9 not available in ephemeris");
    const auto earth = position_and_speed(EPHEMERIS, Body::Earth, 2451545.0).value();
    EXPECT_EQ(earth.distance, 0.0);
    EXPECT_FALSE(std::isnan(earth.speed));
    EXPECT_NEAR(speed_degrees_per_day(359.9 / RAD_TO_DEG, 0.4 / RAD_TO_DEG), 0.5, 1e-12);  // the short way round
    EXPECT_NEAR(speed_degrees_per_day(0.4 / RAD_TO_DEG, 359.9 / RAD_TO_DEG), -0.5, 1e-12);
}

TEST(ChartPositions, BatchStaysWithinANanodegreeOfThePerBodyPipeline) {
    // Measured on 6000 instants over the range: at most 5e-10° and 6e-10°/day (Mercury in the first millennia,
    // where the series time itself rounds to ~3e-10 day), the true node 3e-10° and 4e-10°/day (its ±0.001-day
    // difference magnifies any rounding of the lunar series: their arguments are the term-by-term loop's doubles).
    const Body all[] = {Body::Sun,    Body::Moon,    Body::Mercury, Body::Venus,    Body::Earth,   Body::Mars,
                        Body::Jupiter, Body::Saturn, Body::Uranus,  Body::Neptune, Body::MeanNode, Body::TrueNode};
    constexpr std::size_t count = sizeof all / sizeof all[0];
    for (double jd_ut = 1100000.3; jd_ut < 2800000.0; jd_ut += 97531.7) {
        BodyPosition batch[count];
        ASSERT_TRUE(chart_positions(EPHEMERIS, all, count, jd_ut, batch).ok()) << jd_ut;
        for (std::size_t i = 0; i < count; ++i) {
            const auto single = position_and_speed(EPHEMERIS, all[i], jd_ut).value();
            EXPECT_LT(std::fabs(angle_difference_degrees(batch[i].longitude * RAD_TO_DEG,
                                                         single.longitude * RAD_TO_DEG)), 1e-9) << i << " " << jd_ut;
            EXPECT_LT(std::fabs(batch[i].latitude - single.latitude) * RAD_TO_DEG, 1e-9) << i << " " << jd_ut;
            EXPECT_LT(std::fabs(batch[i].speed - single.speed), 1e-9) << i << " " << jd_ut;
            EXPECT_NEAR(batch[i].distance, single.distance, 1e-11 * single.distance + 1e-15) << i;
        }
    }
}

TEST(ChartPositions, RangeEndsAndPlutoFailWithTheFirstFailingBody) {
    BodyPosition batch[CHART_BODY_IDS.size()];
    std::size_t failed = 99;
    const auto low = chart_positions(EPHEMERIS, CHART_BODY_IDS.data(), CHART_BODY_IDS.size(), JD_MIN, batch, &failed);
    ASSERT_FALSE(low.ok());
    EXPECT_EQ(low.error(), position_and_speed(EPHEMERIS, Body::Saturn, JD_MIN).error());
    EXPECT_EQ(failed, 6u);
    EXPECT_EQ(chart_positions(EPHEMERIS, CHART_BODY_IDS.data(), CHART_BODY_IDS.size(), JD_MAX, batch).error().text(),
              "Julian Day 2816788.051342531 out of range [990575, 2816788]");
    const Body with_pluto[] = {Body::Sun, Body::Pluto, Body::Moon};
    EXPECT_EQ(chart_positions(EPHEMERIS, with_pluto, 3, 2451545.0, batch, &failed).error().body_id, 9u);
    EXPECT_EQ(failed, 1u);
}

}  // namespace
}  // namespace zentaric
