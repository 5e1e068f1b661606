// Apparent positions and speeds: the provider, error texts, light time, the pipeline (the Earth itself as observer,
// the geocentric Moon), the range failures and the chart batch against the per-body path. Nodes and accuracy are
// checked against Meeus and DE421 in tests/python/test_apparent_reference.py.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "ephemeris/apparent.hpp"
#include "ephemeris/apparent_frame.hpp"
#include "ephemeris/constants.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"

namespace zentaric {
namespace {

constexpr double DEG = 57.29577951308232;
const AnalyticalEphemeris EPHEMERIS;
constexpr Body CHART_BODIES[9] = {Body::Sun,     Body::Moon,   Body::Mercury,  Body::Venus,   Body::Mars,
                                  Body::Jupiter, Body::Saturn, Body::MeanNode, Body::TrueNode};

TEST(EphemerisErrorText, EveryVariantHasItsExactTextForm) {
    struct Case {
        EphemerisError error;
        std::string text;
    };
    const Case cases[] = {
        {EphemerisError::julian_day_out_of_range(2816788.051342531, JD_MIN, JD_MAX),
         "Julian Day 2816788.051342531 out of range [990575, 2816788]"},
        {EphemerisError::julian_day_out_of_range(990574.9, JD_MIN, JD_MAX), "Julian Day 990574.9 out of range [990575, 2816788]"},
        {EphemerisError::julian_day_out_of_range(-1e16, 0.1, 1.5e-7), "Julian Day -10000000000000000 out of range [0.1, 0.00000015]"},
        {EphemerisError::body_not_available(9), "Body with ID 9 not available in ephemeris"},
        {EphemerisError::body_not_available(4294967295u), "Body with ID 4294967295 not available in ephemeris"},
        {EphemerisError::invalid_format("bad header"), "Invalid ephemeris format: bad header"},
        {EphemerisError::io("no such file"), "I/O error: no such file"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.error.text(), c.text);
}

TEST(ShortestDecimal, RoundTripsWithoutExponentOrTrailingPointZero) {
    for (double value : {990575.0, 2816788.051342531, 0.1, -0.5, 1e-300, 1.7976931348623157e308, 123456789.125}) {
        const std::string text = shortest_decimal(value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(std::stod(text), value) << text;
    }
    EXPECT_EQ(shortest_decimal(990575.0), "990575");
    EXPECT_EQ(shortest_decimal(0.0), "0");
}

TEST(AnalyticalEphemeris, RangeIsInclusiveAndPlutoIsNotAvailable) {
    EXPECT_TRUE(EPHEMERIS.state_vector(Body::Mars, JD_MIN).ok());
    EXPECT_TRUE(EPHEMERIS.state_vector(Body::Mars, JD_MAX).ok());
    for (int body = 0; body < BODY_COUNT; ++body) {
        const auto low = EPHEMERIS.state_vector(static_cast<Body>(body), 990574.9);
        ASSERT_FALSE(low.ok());
        EXPECT_EQ(low.error(), EphemerisError::julian_day_out_of_range(990574.9, JD_MIN, JD_MAX));
        EXPECT_FALSE(EPHEMERIS.state_vector(static_cast<Body>(body), std::nan("")).ok());
    }
    const auto unknown = EPHEMERIS.state_vector(static_cast<Body>(200), 2451545.0);
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error().body_id, 200u);
}

// Counts provider calls and can move its body away faster than light to defeat the light-time iteration.
class CountingProvider final : public EphemerisProvider {
public:
    explicit CountingProvider(bool runaway) : runaway_(runaway) {}
    Result<StateVector, EphemerisError> state_vector(Body body, double jd_tt) const override {
        ++calls;
        if (!runaway_) return EPHEMERIS.state_vector(body, jd_tt);
        const double x = 1.0 + 2.0 * LIGHT_SPEED_AU_PER_DAY * (2451545.0 - jd_tt);
        return StateVector{x, 0.0, 0.0, 0.0, 0.0, 0.0};
    }
    mutable int calls = 0;

private:
    bool runaway_;
};

TEST(LightTimeState, SunConvergesOnTheSecondPassAndPlanetsInAFew) {
    const Vector3 observer{0.5, 0.8, 0.3};
    CountingProvider provider(false);
    const auto sun = light_time_state(provider, Body::Sun, observer, 2451545.0);
    ASSERT_TRUE(sun.ok());
    EXPECT_EQ(provider.calls, 2);
    EXPECT_EQ(sun.value().light_time, std::sqrt(0.25 + 0.64 + 0.09) / LIGHT_SPEED_AU_PER_DAY);

    provider.calls = 0;
    const auto saturn = light_time_state(provider, Body::Saturn, observer, 2451545.0);
    ASSERT_TRUE(saturn.ok());
    EXPECT_LE(provider.calls, 5);
    const StateVector& s = saturn.value().state;
    const double tau = std::hypot(s.x - observer.x, s.y - observer.y, s.z - observer.z) / LIGHT_SPEED_AU_PER_DAY;
    EXPECT_NEAR(saturn.value().light_time, tau, 1e-12);
    EXPECT_EQ(s.x, EPHEMERIS.state_vector(Body::Saturn, 2451545.0 - saturn.value().light_time).value().x);
}

TEST(LightTimeState, AfterTenPassesReturnsAnEleventhEvaluation) {
    CountingProvider provider(true);
    const auto result = light_time_state(provider, Body::Sun, Vector3{0.0, 0.0, 0.0}, 2451545.0);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(provider.calls, 11);
    EXPECT_NEAR(result.value().state.x, 1.0 + 2.0 * LIGHT_SPEED_AU_PER_DAY * result.value().light_time,
                1e-9 * result.value().state.x);
}

TEST(LightTimeState, FailureOfAnyPassIsReturnedWithItsInstant) {
    const auto result = light_time_state(EPHEMERIS, Body::Neptune, Vector3{0.0, 0.0, 0.0}, JD_MIN + 0.1);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, EphemerisError::Kind::JulianDayOutOfRange);
    EXPECT_LT(result.error().jd, JD_MIN);
    EXPECT_GT(result.error().jd, JD_MIN - 0.2);
}

TEST(PositionAndSpeed, ValuesAtJd2460000Point5WithTheEarthAsObserver) {
    struct Case {
        Body body;
        double longitude, latitude, distance, speed;
        double angle_tolerance, distance_tolerance, speed_tolerance;
    };
    // Observer = Earth of the series, Moon geocentric and unscaled, no Moon aberration, nodes of date + Δψ.
    const Case cases[] = {
        {Body::Sun, 336.10697, -0.0000664, 0.98971419, 1.00632, 1e-5, 1e-8, 1e-5},
        {Body::Moon, 38.64783, 0.24865, 0.0025531, 13.2285, 1e-5, 1e-7, 1e-4},
        {Body::MeanNode, 37.29148, 0.0, 1.0, -0.05297, 1e-5, 0.0, 1e-5},
    };
    for (const Case& c : cases) {
        const auto p = position_and_speed(EPHEMERIS, c.body, 2460000.5);
        ASSERT_TRUE(p.ok()) << body_name(c.body);
        EXPECT_NEAR(p.value().longitude * DEG, c.longitude, c.angle_tolerance) << body_name(c.body);
        EXPECT_NEAR(p.value().latitude * DEG, c.latitude, c.angle_tolerance) << body_name(c.body);
        EXPECT_NEAR(p.value().distance, c.distance, c.distance_tolerance) << body_name(c.body);
        EXPECT_NEAR(p.value().speed, c.speed, c.speed_tolerance) << body_name(c.body);
    }
}

TEST(PositionAndSpeed, PlutoFailsAfterTheEarthAndTheEarthItselfHasNoDirection) {
    const auto pluto = position_and_speed(EPHEMERIS, Body::Pluto, 2451545.0);
    ASSERT_FALSE(pluto.ok());
    EXPECT_EQ(pluto.error().text(), "Body with ID 9 not available in ephemeris");
    const auto earth = position_and_speed(EPHEMERIS, Body::Earth, 2451545.0);
    ASSERT_TRUE(earth.ok());
    EXPECT_EQ(earth.value().distance, 0.0);
    EXPECT_EQ(earth.value().latitude, 0.0);
    EXPECT_FALSE(std::isnan(earth.value().speed));
}

TEST(SpeedDegreesPerDay, SamplesStraddlingZeroGiveTheShortWayRound) {
    const double rad = 1.0 / DEG;
    EXPECT_NEAR(speed_degrees_per_day(359.9 * rad, 0.4 * rad), 0.5, 1e-12);
    EXPECT_NEAR(speed_degrees_per_day(0.4 * rad, 359.9 * rad), -0.5, 1e-12);
    EXPECT_NEAR(speed_degrees_per_day(10.0 * rad, 23.2 * rad), 13.2, 1e-12);
}

// A provider that only forwards: chart_positions must then be position_and_speed body by body, exactly.
class ForwardingProvider final : public EphemerisProvider {
public:
    Result<StateVector, EphemerisError> state_vector(Body body, double jd_tt) const override {
        return EPHEMERIS.state_vector(body, jd_tt);
    }
};

TEST(ChartPositions, BatchStaysWithinANanodegreeOfThePerBodyPipeline) {
    // Measured on 6000 instants over the range: at most 5e-10° and 6e-10°/day (Mercury in the first millennia,
    // where the series time itself rounds to ~3e-10 day), the true node 3e-10° and 4e-10°/day (its ±0.001-day
    // difference magnifies any rounding of the lunar series: their arguments are the term-by-term loop's doubles).
    const Body all[] = {Body::Sun,    Body::Moon,    Body::Mercury, Body::Venus,    Body::Earth,
                        Body::Mars,   Body::Jupiter, Body::Saturn,  Body::Uranus,   Body::Neptune,
                        Body::MeanNode, Body::TrueNode};
    constexpr std::size_t count = sizeof all / sizeof all[0];
    double worst_angle = 0.0;
    double worst_speed = 0.0;
    double worst_distance = 0.0;
    for (double jd_ut = 1100000.3; jd_ut < 2800000.0; jd_ut += 97531.7) {
        BodyPosition batch[count];
        const auto done = chart_positions(EPHEMERIS, all, count, jd_ut, batch);
        ASSERT_TRUE(done.ok()) << jd_ut;
        for (std::size_t i = 0; i < count; ++i) {
            const auto single = position_and_speed(EPHEMERIS, all[i], jd_ut);
            ASSERT_TRUE(single.ok());
            double d = batch[i].longitude - single.value().longitude;
            if (d > PI) d -= TWO_PI;
            if (d < -PI) d += TWO_PI;
            EXPECT_LT(std::fabs(d) * DEG, 1e-9) << body_name(all[i]) << " " << jd_ut;
            EXPECT_LT(std::fabs(batch[i].latitude - single.value().latitude) * DEG, 1e-9) << body_name(all[i]);
            EXPECT_LT(std::fabs(batch[i].speed - single.value().speed), 1e-9) << body_name(all[i]) << " " << jd_ut;
            EXPECT_NEAR(batch[i].distance, single.value().distance, 1e-11 * single.value().distance + 1e-15);
            worst_angle = std::max({worst_angle, std::fabs(d) * DEG,
                                    std::fabs(batch[i].latitude - single.value().latitude) * DEG});
            worst_speed = std::max(worst_speed, std::fabs(batch[i].speed - single.value().speed));
            if (single.value().distance > 0.0)
                worst_distance = std::max(worst_distance, std::fabs(batch[i].distance / single.value().distance - 1.0));
        }
    }
    std::printf("batch - per body: angles %.1e deg, speed %.1e deg/day, distance %.1e relative\n", worst_angle,
                worst_speed, worst_distance);
}

TEST(ChartPositions, OtherProvidersAndTheRangeEndsGiveExactlyThePerBodyResults) {
    const ForwardingProvider forwarding;
    BodyPosition batch[9];
    ASSERT_TRUE(chart_positions(forwarding, CHART_BODIES, 9, 2451545.25, batch).ok());
    for (int i = 0; i < 9; ++i) {
        const auto single = position_and_speed(EPHEMERIS, CHART_BODIES[i], 2451545.25).value();
        EXPECT_EQ(batch[i].longitude, single.longitude);
        EXPECT_EQ(batch[i].speed, single.speed);
    }
    std::size_t failed = 99;
    const auto low = chart_positions(EPHEMERIS, CHART_BODIES, 9, JD_MIN, batch, &failed);
    ASSERT_FALSE(low.ok());
    EXPECT_EQ(low.error(), position_and_speed(EPHEMERIS, Body::Saturn, JD_MIN).error());
    EXPECT_EQ(failed, 6u);
    const auto high = chart_positions(EPHEMERIS, CHART_BODIES, 9, JD_MAX, batch);
    ASSERT_FALSE(high.ok());
    EXPECT_EQ(high.error().text(), "Julian Day 2816788.051342531 out of range [990575, 2816788]");
    const Body with_pluto[] = {Body::Sun, Body::Pluto, Body::Moon};
    const auto pluto = chart_positions(EPHEMERIS, with_pluto, 3, 2451545.0, batch, &failed);
    ASSERT_FALSE(pluto.ok());
    EXPECT_EQ(pluto.error().body_id, 9u);
    EXPECT_EQ(failed, 1u);
    EXPECT_EQ(batch[0].longitude, chart_positions(EPHEMERIS, with_pluto, 1, 2451545.0, batch + 1).ok()
                                      ? batch[1].longitude
                                      : std::numeric_limits<double>::quiet_NaN());
}

}  // namespace
}  // namespace zentaric
