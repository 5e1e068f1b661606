// ELP/MPP02 truncated lunar series: selected terms, values at J2000, frame rotation and velocity.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>

#include "ephemeris/data/elp_mpp02_tables.hpp"
#include "ephemeris/elp_mpp02.hpp"

namespace zentaric {
namespace {

constexpr double RAD_TO_DEG = 57.29577951308232;

TEST(ElpTables, TermCountsOfTheTruncatedSeries) {
    EXPECT_EQ(ELP_MAIN_LONGITUDE_COUNT, 185u);
    EXPECT_EQ(ELP_MAIN_LATITUDE_COUNT, 151u);
    EXPECT_EQ(ELP_MAIN_DISTANCE_COUNT, 186u);
    EXPECT_EQ(ELP_PERTURBATION_LONGITUDE_T0_COUNT, 165u);
    EXPECT_EQ(ELP_PERTURBATION_LONGITUDE_T1_COUNT, 15u);
    EXPECT_EQ(ELP_PERTURBATION_LATITUDE_T0_COUNT, 41u);
    EXPECT_EQ(ELP_PERTURBATION_LATITUDE_T1_COUNT, 3u);
    EXPECT_EQ(ELP_PERTURBATION_DISTANCE_T0_COUNT, 176u);
    EXPECT_EQ(ELP_PERTURBATION_DISTANCE_T1_COUNT, 19u);
}

bool has_main_term(const MainTerm* terms, std::size_t count, int d, int f, int l, int lp, double amplitude) {
    for (std::size_t i = 0; i < count; ++i) {
        const MainTerm& t = terms[i];
        if (t.multipliers[0] == d && t.multipliers[1] == f && t.multipliers[2] == l && t.multipliers[3] == lp)
            return t.amplitude == amplitude;
    }
    return false;
}

TEST(ElpTables, MainProblemAmplitudesCarryTheLlrCorrectionToTheLastBit) {
    EXPECT_TRUE(has_main_term(ELP_MAIN_LONGITUDE, ELP_MAIN_LONGITUDE_COUNT, 0, 0, 1, 0, 0.10975980969278169));
    EXPECT_TRUE(has_main_term(ELP_MAIN_LONGITUDE, ELP_MAIN_LONGITUDE_COUNT, 2, 0, -1, 0, 0.022235680452654474));
    EXPECT_TRUE(has_main_term(ELP_MAIN_LONGITUDE, ELP_MAIN_LONGITUDE_COUNT, 2, 0, 0, 0, 0.011489666990622992));
    EXPECT_TRUE(has_main_term(ELP_MAIN_LATITUDE, ELP_MAIN_LATITUDE_COUNT, 0, 1, 0, 0, 0.089502617513359));
    EXPECT_TRUE(has_main_term(ELP_MAIN_DISTANCE, ELP_MAIN_DISTANCE_COUNT, 0, 0, 0, 0, 385000.52903963596));
    EXPECT_TRUE(has_main_term(ELP_MAIN_DISTANCE, ELP_MAIN_DISTANCE_COUNT, 0, 0, 1, 0, -20905.35513775942));
    EXPECT_TRUE(has_main_term(ELP_MAIN_DISTANCE, ELP_MAIN_DISTANCE_COUNT, 2, 0, -1, 0, -3699.1109330180193));
    // 22639.58588″ is the published longitude amplitude of l.
    EXPECT_NEAR(ELP_MAIN_LONGITUDE[0].amplitude / 4.84813681109536e-6, 22639.58588, 1e-8);
}

TEST(ElpTables, LeadingPerturbationTermsAndTheThreeLatitudeT1Terms) {
    const PerturbationTerm& v0 = ELP_PERTURBATION_LONGITUDE_T0[0];
    EXPECT_EQ(v0.amplitude, 6.909301607260658e-05);
    EXPECT_EQ(v0.phase, 2.6783098746173137);
    const int v0_multipliers[13] = {0, 0, 1, 0, 0, -18, 16, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 13; ++k) EXPECT_EQ(v0.multipliers[k], v0_multipliers[k]) << k;

    const PerturbationTerm& r1 = ELP_PERTURBATION_DISTANCE_T1[0];
    EXPECT_EQ(r1.amplitude, 0.51395);
    EXPECT_EQ(r1.phase, 1.5707963267948966);
    const int r1_multipliers[13] = {2, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 13; ++k) EXPECT_EQ(r1.multipliers[k], r1_multipliers[k]) << k;

    // 2D − F − l′ + π, 2D − F + l′, 2D + F − l − l′ + π.
    const double amplitudes[3] = {3.6021656506438526e-07, 1.475288031616318e-07, 1.0806496951931557e-07};
    const double phases[3] = {3.141592653589793, 0.0, 3.141592653589793};
    const int multipliers[3][4] = {{2, -1, 0, -1}, {2, -1, 0, 1}, {2, 1, -1, -1}};
    for (int i = 0; i < 3; ++i) {
        const PerturbationTerm& u = ELP_PERTURBATION_LATITUDE_T1[i];
        EXPECT_EQ(u.amplitude, amplitudes[i]);
        EXPECT_EQ(u.phase, phases[i]);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(u.multipliers[k], multipliers[i][k]);
        for (int k = 4; k < 13; ++k) EXPECT_EQ(u.multipliers[k], 0);
    }
}

TEST(MoonState, PositionAtJ2000IsTheUnrotatedSeriesValue) {
    // At T = 0 P = Q = 0: the J2000 rotation is the identity, so the position is the spherical triple.
    const MoonState m = moon_state(2451545.0);
    const LunarSpherical s = lunar_spherical(lunar_arguments(0.0), 0.0);
    EXPECT_EQ(m.x, s.distance * std::cos(s.latitude) * std::cos(s.longitude));
    EXPECT_EQ(m.z, s.distance * std::sin(s.latitude));
    EXPECT_NEAR(m.x, -291608.34, 0.01);
    EXPECT_NEAR(m.y, -274979.81, 0.01);
    EXPECT_NEAR(m.z, 36271.21, 0.01);
}

TEST(MoonState, AgreesWithTheFullSeriesTestCasesWithinTheTruncation) {
    // Liu's full ELP/MPP02 (LLR) test cases; the truncated series stays within 1 km of them.
    const double cases[5][4] = {{2444269.5, -186813.01288, 349310.13512, -19003.33883},
                                {2446269.7, -367970.07950, -45234.88375, 20221.87153},
                                {2448269.9, -38942.82455, -403238.94206, -20800.77410},
                                {2450270.1, 357372.04971, -89978.49535, 14501.18831},
                                {2452270.3, 252208.00739, 294433.40162, -21940.36333}};
    for (const auto& c : cases) {
        const MoonPosition p = moon_position(c[0]);
        EXPECT_NEAR(p.x, c[1], 1.0) << c[0];
        EXPECT_NEAR(p.y, c[2], 1.0) << c[0];
        EXPECT_NEAR(p.z, c[3], 1.0) << c[0];
    }
}

TEST(MoonState, VelocityIsTheOneDayCentralDifference) {
    const MoonState j2000 = moon_state(2451545.0);
    EXPECT_NEAR(std::hypot(j2000.vx, j2000.vy, j2000.vz), 83990.0, 5.0);
    for (double jd = 2415020.0; jd < 2488070.0; jd += 1234.567) {
        const MoonState m = moon_state(jd);
        const MoonPosition after = moon_position(jd + 0.5);
        const MoonPosition before = moon_position(jd - 0.5);
        EXPECT_EQ(m.vx, after.x - before.x);
        EXPECT_EQ(m.vy, after.y - before.y);
        EXPECT_EQ(m.vz, after.z - before.z);
    }
}

}  // namespace
}  // namespace zentaric
