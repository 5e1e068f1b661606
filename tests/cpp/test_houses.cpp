// House systems: the polar fallback, degenerate inputs, geometric properties and exact edge cases (cusps against
// the Swiss Ephemeris and system names through the module: tests/python/test_houses_reference.py, test_conversions.py).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "houses/house_cusps.hpp"
#include "houses/house_system.hpp"
#include "time/angles.hpp"

namespace zentaric {
namespace {

// Signed shortest arc from b to a, degrees in (−180, 180].
double arc_between(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;
    return d;
}

bool all_cusps_normalised(const HouseCusps& houses) {
    const auto normalised = [](double x) { return x >= 0.0 && x < 360.0; };
    return std::all_of(houses.cusps.begin(), houses.cusps.end(), normalised) && normalised(houses.asc) &&
           normalised(houses.mc);
}

TEST(PolarFallback, EqualCuspsUnderTheRequestedNameExactlyWhereASemiArcIsMissing) {
    struct Case { HouseSystem system; double ramc, latitude, obliquity; bool falls_back; };
    const Case cases[] = {
        // Just beyond the limit; the limit itself is not polar (with a small obliquity every semi-arc exists).
        {HouseSystem::Placidus, 45.0, 66.5600001, 23.44, true}, {HouseSystem::Koch, 45.0, 66.5600001, 23.44, true},
        {HouseSystem::Koch, 45.0, -66.5600001, 10.0, true},     {HouseSystem::Placidus, 45.0, 66.56, 10.0, false},
        {HouseSystem::Koch, 45.0, -66.56, 10.0, false},
        // Below the limit a large obliquity can still make a Placidus cusp circumpolar; Koch only needs the
        // midheaven's degree to rise, but there its cusps 11 and 12 (132.0, 130.1) fall behind each other.
        {HouseSystem::Placidus, 0.0, 60.0, 40.0, true},   {HouseSystem::Koch, 0.0, 60.0, 40.0, true},
        {HouseSystem::Koch, 0.0, 50.0, 23.44, false},
        {HouseSystem::Placidus, 100.0, 70.0, 23.44, true},
        // Inside the polar circle with the ascendant turned (asc − mc > 180° before): Equal from the turned one.
        {HouseSystem::Koch, 300.0, 69.65, 23.44, true},   {HouseSystem::Koch, 100.0, -70.0, 23.44, true}};
    for (const Case& c : cases) {
        const HouseCusps houses = house_cusps(c.system, c.ramc, c.latitude, c.obliquity);
        const HouseCusps equal = house_cusps(HouseSystem::Equal, c.ramc, c.latitude, c.obliquity);
        EXPECT_EQ(houses.polar_fallback, c.falls_back) << c.ramc << " " << c.latitude << " " << c.obliquity;
        EXPECT_EQ(houses.system, c.system);
        EXPECT_EQ(std::pair(houses.asc, houses.mc), std::pair(equal.asc, equal.mc));
        EXPECT_TRUE(!c.falls_back || houses.cusps == equal.cusps);
        EXPECT_TRUE(all_cusps_normalised(houses));
    }
}

TEST(Alcabitius, QuarterCircleSemiArcAtThePoleGivesWayToEqualHouses) {
    // At RAMC 0 the ascendant's semi-arc argument is about −1.00000003: D = 90°, so cusps 11 and 12 would lie at
    // 32.18° and 62.09° while the ascendant sits at 180°: three turns of the zodiac, so Equal houses stand in.
    const HouseCusps houses = house_cusps(HouseSystem::Alcabitius, 0.0, 89.9999999, 23.44);
    EXPECT_TRUE(houses.polar_fallback);
    EXPECT_EQ(houses.cusps, house_cusps(HouseSystem::Equal, 0.0, 89.9999999, 23.44).cusps);
}

TEST(DegenerateInputs, NonFiniteInputsGiveNumbers) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::array<std::array<double, 3>, 5> inputs = {{
        {nan, 40.0, 23.44}, {45.0, nan, 23.44}, {45.0, 40.0, nan}, {inf, -inf, inf}, {nan, nan, nan}}};
    for (const HouseSystemRow& row : HOUSE_SYSTEM_TABLE)
        for (const auto& [ramc, latitude, obliquity] : inputs)
            EXPECT_TRUE(all_cusps_normalised(house_cusps(row.id, ramc, latitude, obliquity))) << row.name;
    // A NaN latitude passes the latitude test but no semi-arc exists.
    EXPECT_TRUE(house_cusps(HouseSystem::Placidus, 45.0, nan, 23.44).polar_fallback);
    EXPECT_TRUE(house_cusps(HouseSystem::Koch, 45.0, nan, 23.44).polar_fallback);
}

// Ordinary and awkward RAMCs at latitudes from pole to pole, inside the sky's polar circle (|φ| > 90° − ε) too:
// opposite cusps on one diameter, the ascendant rising (at most 180° past the midheaven) and the twelve houses
// once round the zodiac. Where a system's own cusps would not go round (Regiomontanus and Campanus inside the
// polar circle, Alcabitius and others at the poles) the Equal cusps stand in, flagged as a fallback.
TEST(Properties, EveryWheelGoesOnceRoundFromTheRisingAscendant) {
    int fallbacks = 0;
    for (const HouseSystemRow& row : HOUSE_SYSTEM_TABLE)
        for (double ramc : {0.0, 1e-13, -1e-15, 30.0, 89.99, 90.0, 179.5, 180.0, 200.0, 271.3, 300.0,
                            359.9999999999, 360.0, -45.0})
            for (double latitude : {-90.0, -89.0, -75.0, -65.0, -40.0, -5.0, 0.0, 12.9, 51.5, 66.3, 69.65, 80.0,
                                    89.0, 90.0})
                for (double obliquity : {23.44, 24.2}) {
                    const HouseSystem system = row.id;
                    const HouseCusps houses = house_cusps(system, ramc, latitude, obliquity);
                    const std::string where = std::string(row.name) + " ramc " +
                                              std::to_string(ramc) + " latitude " + std::to_string(latitude);
                    EXPECT_TRUE(all_cusps_normalised(houses)) << where;
                    const double mc = compute_angles(ramc, latitude, obliquity).mc;
                    EXPECT_LE(std::fmod(houses.asc - mc + 360.0, 360.0), 180.0) << where;
                    double total = 0.0;
                    for (int k = 0; k < 12; ++k) {
                        EXPECT_NEAR(std::fabs(arc_between(houses.cusps[(k + 6) % 12], houses.cusps[k])), 180.0, 1e-9)
                            << where << " cusp " << k + 1;
                        const double arc = normalize_degrees(houses.cusps[(k + 1) % 12] - houses.cusps[k]);
                        EXPECT_GT(arc, 0.0) << where << " cusp " << k + 1;
                        total += arc;
                    }
                    EXPECT_NEAR(total, 360.0, 1e-9) << where;
                    EXPECT_EQ(houses.system, system);
                    if (houses.polar_fallback) {
                        ++fallbacks;
                        const HouseCusps equal = house_cusps(HouseSystem::Equal, ramc, latitude, obliquity);
                        EXPECT_EQ(houses.cusps, equal.cusps) << where;
                        EXPECT_EQ(houses.asc, equal.asc) << where;
                        EXPECT_EQ(houses.mc, equal.mc) << where;
                    }
                    // A body on the ascendant is in the first house (at the poles the quadrants can shrink to
                    // nothing, the ascendant with them).
                    if (system == HouseSystem::Sripathi && std::fabs(latitude) != 90.0) {
                        EXPECT_LT(arc_between(houses.cusps[0], houses.asc), 0.0) << where;
                        EXPECT_GT(arc_between(houses.cusps[1], houses.asc), 0.0) << where;
                    }
                }
    EXPECT_GT(fallbacks, 0);
}

// Campanus at RAMC 200, latitude 89: its own cusps run backwards (2.4, 239.8, 207.6, 201.6, ...) around the lower
// meridian; Equal houses from the rising ascendant stand in, and the midheaven stays the upper one (201.64).
TEST(Properties, BackwardWheelGivesWayToEqualHouses) {
    const HouseCusps houses = house_cusps(HouseSystem::Campanus, 200.0, 89.0, 23.44);
    EXPECT_TRUE(houses.polar_fallback);
    EXPECT_EQ(houses.cusps, house_cusps(HouseSystem::Equal, 200.0, 89.0, 23.44).cusps);
    EXPECT_NEAR(houses.mc, 201.64, 0.01);
}

TEST(WholeSign, AscendantOnSignBoundaryOpensThatSign) {
    // RAMC 0 at the equator: ascendant exactly 90°.
    const HouseCusps houses = house_cusps(HouseSystem::WholeSign, 0.0, 0.0, 23.44);
    ASSERT_EQ(houses.asc, 90.0);
    EXPECT_EQ(houses.cusps[0], 90.0);
    EXPECT_EQ(houses.cusps[9], 0.0);
}

}  // namespace
}  // namespace zentaric
