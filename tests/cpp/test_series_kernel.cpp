// Fast series kernels and the fast planetary / lunar evaluations against the term-by-term std::cos/std::sin.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "ephemeris/data/elp_mpp02_tables.hpp"
#include "ephemeris/elp_mpp02.hpp"
#include "ephemeris/fast_series.hpp"
#include "ephemeris/series_kernel.hpp"
#include "ephemeris/vsop87.hpp"
#include "time/calendar.hpp"

namespace zentaric {
namespace {

TEST(SeriesKernel, SinesAndCosinesOfSingleArgumentsAreCorrectToAnUlpOfOne) {
    // Arguments up to 1e7 rad cover every series argument in the accepted date range (≤ 5e6 rad); then the
    // quadrant edges and exact multiples of π/2.
    std::mt19937_64 generator(20260);
    std::vector<double> arguments;
    for (double range : {1.0, 1e3, 1e5, 1e7}) {
        std::uniform_real_distribution<double> uniform(-range, range);
        for (int i = 0; i < 20000; ++i) arguments.push_back(uniform(generator));
    }
    for (int k = -8; k <= 8; ++k)
        for (double offset : {-1e-9, 0.0, 1e-9}) arguments.push_back(k * 1.5707963267948966 + offset);
    const double one = 1.0;
    for (double x : arguments) {
        EXPECT_NEAR(sum_of_sines(&one, &x, 1), std::sin(x), 2.3e-16) << x;
        EXPECT_NEAR(sum_of_cosines(&one, &x, 1), std::cos(x), 2.3e-16) << x;
    }
}

TEST(SeriesKernel, ThreeInstantVsopSumsMatchThePortableLoopForEverySeries) {
    // The two differ by the rounding of each term and of a differently ordered sum: bounded by (n + 1) ulps of
    // Σ |A·Kⁿ| for n terms.
    for (double t : {-4.0, -0.73, 0.0, 0.24, 0.99})
        for (int planet = 0; planet < 8; ++planet)
            for (int coordinate = 0; coordinate < 3; ++coordinate)
                for (const VsopSeries& series : VSOP_PLANETS[planet][coordinate]) {
                    double norm[2] = {0.0, 0.0};
                    for (std::size_t i = 0; i < series.count; ++i) {
                        norm[0] += std::fabs(series.amplitude[i]);
                        norm[1] += std::fabs(series.amplitude[i] * series.frequency[i]);
                    }
                    const double ulps = 2.3e-16 * static_cast<double>(series.count + 1);
                    VsopValueSums fast[3], portable[3];
                    vsop_sums_three(series, t, fast);
                    vsop_sums_three_portable(series, t, portable);
                    for (int k = 0; k < 3; ++k) {
                        EXPECT_NEAR(fast[k].cosine, portable[k].cosine, ulps * norm[0]) << planet << " " << k;
                        EXPECT_NEAR(fast[k].sine_k, portable[k].sine_k, ulps * norm[1]) << planet << " " << k;
                    }
                }
}

TEST(SeriesKernel, NutationPairSumsMatchThePortableLoop) {  // in 0.1 µas: rounding is ~1e-6 of a unit
    for (double t : {-10.0, -1.3, 0.0, 0.26, 10.0}) {
        NutationSeries s;
        nutation_series(t, s);
        double fast[2], plain[2];
        sum_of_sine_cosine_pairs(s.argument, s.longitude_sine, s.longitude_cosine, s.obliquity_sine,
                                 s.obliquity_cosine, NUTATION_SERIES_TERMS, fast);
        sum_of_sine_cosine_pairs_portable(s.argument, s.longitude_sine, s.longitude_cosine, s.obliquity_sine,
                                          s.obliquity_cosine, NUTATION_SERIES_TERMS, plain);
        EXPECT_TRUE(std::fabs(fast[0] - plain[0]) < 1e-3 && std::fabs(fast[1] - plain[1]) < 1e-3) << t;
    }
}

TEST(FastSeries, ThreeInstantSamplesAreVsop87StateHalfADayApart) {
    // One sine–cosine per term turned by ±K·H: the series at t ∓ H to rounding. Far from J2000 the instants
    // jd ∓ 0.5 themselves round (t to ~4e-16 millennia), which Mercury's motion turns into ~1e-11 AU and
    // ~2e-13 AU/day.
    for (double jd : {1234567.0, 2451545.0, 2460000.5})
        for (int planet = 0; planet < 8; ++planet) {
            PlanetSamples samples;
            vsop87_samples_three(planet, julian_millennia(jd), samples);
            const double offsets[3] = {0.0, -0.5, 0.5};
            for (int k = 0; k < 3; ++k) {
                const VsopState s = vsop87_state(planet, jd + offsets[k]);
                const double position[3] = {s.x, s.y, s.z};
                const double velocity[3] = {s.vx / 365250.0, s.vy / 365250.0, s.vz / 365250.0};
                const double tolerance = jd < 2e6 ? 2e-11 : 1e-13;
                for (int i = 0; i < 3; ++i) {
                    EXPECT_NEAR(samples.position[k][i], position[i], tolerance) << planet << " " << jd << " " << k;
                    EXPECT_NEAR(samples.velocity[k][i], velocity[i], tolerance * 0.05) << planet << " " << jd << " " << k;
                }
            }
        }
}

TEST(SeriesKernel, LunarArgumentsAreTheTermByTermDoubles) {
    // The true node differences positions 0.002 day apart: its arguments must be the plain loop's, bit for bit.
    std::mt19937_64 generator(11);
    std::uniform_real_distribution<double> uniform(-4e5, 4e5);
    for (int round = 0; round < 20; ++round) {
        double arguments[13];
        for (double& a : arguments) a = uniform(generator);
        std::vector<double> fast(ELP_PERTURBATION_LONGITUDE_T0_COUNT), plain(ELP_PERTURBATION_LONGITUDE_T0_COUNT);
        perturbation_arguments(ELP_PERTURBATION_LONGITUDE_T0, fast.size(), arguments, fast.data());
        perturbation_arguments_portable(ELP_PERTURBATION_LONGITUDE_T0, plain.size(), arguments, plain.data());
        EXPECT_EQ(fast, plain);
        fast.resize(ELP_MAIN_DISTANCE_COUNT);
        plain.resize(ELP_MAIN_DISTANCE_COUNT);
        main_arguments(ELP_MAIN_DISTANCE, fast.size(), arguments, fast.data());
        main_arguments_portable(ELP_MAIN_DISTANCE, plain.size(), arguments, plain.data());
        EXPECT_EQ(fast, plain);
    }
}

TEST(FastSeries, MoonPositionFastIsMoonPosition) {
    for (double jd = 990575.0; jd <= 2816788.0; jd += 45678.9) {
        const MoonPosition fast = moon_position_fast(jd), plain = moon_position(jd);
        EXPECT_NEAR(fast.x, plain.x, 1e-8) << jd;
        EXPECT_NEAR(fast.y, plain.y, 1e-8) << jd;
        EXPECT_NEAR(fast.z, plain.z, 1e-8) << jd;
    }
}

}  // namespace
}  // namespace zentaric
