// VSOP87A truncated series: table contents, values at J2000 and the analytic derivative.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>

#include "ephemeris/vsop87.hpp"

namespace zentaric {
namespace {

constexpr std::size_t TERMS_KEPT[8][3][6] = {
    {{381, 174, 33, 9, 5, 0}, {385, 172, 33, 9, 5, 0}, {190, 68, 12, 7, 2, 0}},
    {{349, 155, 46, 4, 3, 0}, {350, 159, 45, 4, 3, 0}, {144, 65, 14, 3, 2, 1}},
    {{586, 264, 101, 13, 6, 1}, {589, 266, 99, 13, 6, 0}, {152, 80, 19, 4, 2, 1}},
    {{1289, 593, 205, 63, 18, 5}, {1302, 592, 206, 63, 18, 6}, {355, 184, 76, 15, 6, 1}},
    {{1055, 488, 255, 140, 58, 11}, {1037, 499, 259, 136, 60, 11}, {216, 104, 65, 27, 10, 3}},
    {{1652, 892, 481, 215, 87, 31}, {1658, 917, 465, 201, 88, 32}, {420, 217, 87, 44, 19, 6}},
    {{1464, 649, 249, 84, 12, 0}, {1447, 659, 255, 80, 12, 0}, {235, 98, 33, 12, 0, 0}},
    {{772, 330, 102, 33, 7, 0}, {746, 325, 97, 34, 7, 0}, {133, 37, 11, 2, 0, 0}},
};

TEST(VsopTables, TermCountsPerSeriesAndInAll) {
    std::size_t total = 0;
    for (int planet = 0; planet < 8; ++planet)
        for (int coordinate = 0; coordinate < 3; ++coordinate)
            for (int power = 0; power < 6; ++power) {
                EXPECT_EQ(VSOP_PLANETS[planet][coordinate][power].count, TERMS_KEPT[planet][coordinate][power])
                    << planet << " " << coordinate << " " << power;
                total += VSOP_PLANETS[planet][coordinate][power].count;
            }
    EXPECT_EQ(total, 29902u);
}

TEST(Vsop87State, PositionsAtJ2000MatchTheAuthorsCheckValues) {
    struct Case {
        int planet;
        double x, y, z;
    };
    // vsop87.chk, JD 2451545.0, 1e-10 AU digits; the truncation moves them by less than 2e-8 AU.
    const Case cases[] = {{0, -0.1300934115, -0.4472876716, -0.0245983802},
                          {2, -0.1771354586, 0.9672416237, -0.0000039000}};
    for (const Case& c : cases) {
        const VsopState s = vsop87_state(c.planet, 2451545.0);
        EXPECT_NEAR(s.x, c.x, 2e-8) << c.planet;
        EXPECT_NEAR(s.y, c.y, 2e-8) << c.planet;
        EXPECT_NEAR(s.z, c.z, 2e-8) << c.planet;
    }
}

TEST(EvaluateCoordinate, EmptySeriesContributeNothing) {
    const VsopSeries empty[6] = {};
    const CoordinateValue none = evaluate_coordinate(empty, 0.7);
    EXPECT_EQ(none.value, 0.0);
    EXPECT_EQ(none.derivative, 0.0);
    // Mercury's power-5 series are empty: a t⁵-only view of its X series is zero at any t.
    const VsopSeries only_fifth[6] = {{}, {}, {}, {}, {}, VSOP_PLANETS[0][0][5]};
    EXPECT_EQ(evaluate_coordinate(only_fifth, -2.0).value, 0.0);
    EXPECT_EQ(evaluate_coordinate(only_fifth, -2.0).derivative, 0.0);
}

// Central difference of a coordinate over ±h days, AU per day. The step actually taken is (jd + h) − (jd − h):
// Julian Days near 2.4e6 are quantised to 4.7e-10 day, which would otherwise err by ~1e-9 AU/day for Mercury.
double central_difference(int planet, int coordinate, double jd, double h) {
    const double later = jd + h;
    const double earlier = jd - h;
    const VsopState after = vsop87_state(planet, later);
    const VsopState before = vsop87_state(planet, earlier);
    const double a[3] = {after.x, after.y, after.z};
    const double b[3] = {before.x, before.y, before.z};
    return (a[coordinate] - b[coordinate]) / (later - earlier);
}

TEST(Vsop87State, VelocityAgreesWithACentralDifference) {
    // The ±0.01-day difference itself errs by h²/6·x‴: up to about 5e-9 AU/day for Mercury (measured 4.8e-9),
    // below 1e-9 for every other planet. Richardson's combination of ±0.01 and ±0.005 day removes that error;
    // what remains (measured ≤ 6e-10) is the rounding of arguments B + K·t of up to 1e4 radians.
    const double dates[] = {2451545.0, 2415020.3, 2488070.7, 2305445.0, 2597823.9, 1000000.0, 2800000.0};
    for (int planet = 0; planet < 8; ++planet)
        for (double jd : dates) {
            const VsopState s = vsop87_state(planet, jd);
            const double velocity[3] = {s.vx / 365250.0, s.vy / 365250.0, s.vz / 365250.0};
            for (int coordinate = 0; coordinate < 3; ++coordinate) {
                const double wide = central_difference(planet, coordinate, jd, 0.01);
                const double narrow = central_difference(planet, coordinate, jd, 0.005);
                EXPECT_NEAR(velocity[coordinate], wide, planet == 0 ? 6e-9 : 1e-9) << planet << " " << jd;
                EXPECT_NEAR(velocity[coordinate], (4.0 * narrow - wide) / 3.0, 1e-9) << planet << " " << jd;
            }
        }
}

TEST(Vsop87State, PlanetIndexOutsideZeroToSevenGivesZeros) {
    for (int planet : {-1, 8, 1000}) {
        const VsopState s = vsop87_state(planet, 2451545.0);
        EXPECT_EQ(s.x, 0.0);
        EXPECT_EQ(s.vz, 0.0);
    }
}

}  // namespace
}  // namespace zentaric
