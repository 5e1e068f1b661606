// Planetary series with their time derivatives, and the lunar series, through the fast kernels.
#include "ephemeris/fast_series.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "ephemeris/constants.hpp"
#include "ephemeris/data/elp_mpp02_tables.hpp"
#include "ephemeris/series_kernel.hpp"
#include "ephemeris/vsop87.hpp"
#include "time/angles.hpp"
#include "time/calendar.hpp"

namespace zentaric {

namespace {

void powers_of(double t, double power[6]) noexcept {
    power[0] = 1.0;
    power[1] = t;
    power[2] = t * t;
    power[3] = power[2] * t;
    power[4] = power[2] * power[2];
    power[5] = power[4] * t;
}

template <std::size_t N>
double main_sum(const MainTerm (&terms)[N], const LunarArguments& a, bool sine) noexcept {
    const double arguments[4] = {a.elongation, a.argument_of_latitude, a.mean_anomaly_moon, a.mean_anomaly_barycentre};
    double argument[N];
    main_arguments(terms, N, arguments, argument);
    return sine ? sum_of_sines(terms, argument, N) : sum_of_cosines(terms, argument, N);
}

template <std::size_t N>
double perturbation_sum(const PerturbationTerm (&terms)[N], const LunarArguments& a) noexcept {
    const double arguments[13] = {a.elongation, a.argument_of_latitude, a.mean_anomaly_moon,
                                  a.mean_anomaly_barycentre, a.mercury, a.venus, a.earth_moon_barycentre,
                                  a.mars, a.jupiter, a.saturn, a.uranus, a.neptune, a.zeta};
    double argument[N];
    perturbation_arguments(terms, N, arguments, argument);
    return sum_of_sines(terms, argument, N);
}

}  // namespace

void vsop87_samples_three(int planet, double t, PlanetSamples& out) noexcept {
    vsop87_samples_three_cut(planet, t, 0.0, 0.0, out);
}

void vsop87_samples_three_cut(int planet, double t, double least_amplitude, double millennia,
                              PlanetSamples& out) noexcept {
    out = PlanetSamples{};
    if (planet < 0 || planet >= VSOP_PLANET_COUNT) return;
    const double times[3] = {t, t - VSOP_HALF_DAY, t + VSOP_HALF_DAY};
    double power[3][6];
    for (int k = 0; k < 3; ++k) powers_of(times[k], power[k]);
    for (int coordinate = 0; coordinate < 3; ++coordinate) {
        const VsopSeries(&series)[6] = VSOP_PLANETS[planet][coordinate];
        double value[3] = {0.0, 0.0, 0.0};
        double rate[3] = {0.0, 0.0, 0.0};  // per millennium
        double scale = 1.0;  // |t|^a at the range's end
        for (int a = 0; a < 6; ++a, scale *= millennia) {
            VsopSeries kept = series[a];
            if (least_amplitude > 0.0) {
                const double* first = kept.amplitude;
                const auto large = [&](double amplitude) { return std::fabs(amplitude) * scale >= least_amplitude; };
                kept.count = static_cast<std::size_t>(std::partition_point(first, first + kept.count, large) - first);
            }
            if (kept.count == 0) continue;
            VsopValueSums sums[3];
            vsop_sums_three(kept, t, sums);
            const double alpha = a;
            for (int k = 0; k < 3; ++k) {
                // d/dt t^α S = α t^(α−1) S + t^α S′, S′ = −Σ A K sin φ.
                value[k] += power[k][a] * sums[k].cosine;
                rate[k] += (a > 0 ? alpha * power[k][a - 1] * sums[k].cosine : 0.0) - power[k][a] * sums[k].sine_k;
            }
        }
        for (int k = 0; k < 3; ++k) {
            out.position[k][coordinate] = value[k];
            out.velocity[k][coordinate] = rate[k] / DAYS_PER_JULIAN_MILLENNIUM;
        }
    }
}

Nutation nutation_fast(double jd_tt) noexcept {
    NutationSeries series;
    nutation_series(julian_centuries(jd_tt), series);
    double sums[2];
    sum_of_sine_cosine_pairs(series.argument, series.longitude_sine, series.longitude_cosine, series.obliquity_sine,
                             series.obliquity_cosine, NUTATION_SERIES_TERMS, sums);
    return Nutation{sums[0] * NUTATION_UNIT_TO_RADIANS, sums[1] * NUTATION_UNIT_TO_RADIANS};
}

MoonPosition moon_position_fast(double jd_tt) noexcept { return moon_position_at_centuries(julian_centuries(jd_tt)); }

namespace {

// Longitude and latitude of the lunar series at T (radians), as moon_position_at_centuries sums them.
LunarSpherical moon_direction_spherical(double t, const LunarArguments& a) noexcept {
    // W1 taken to within one turn (fmod is exact): the series then round on the scale of a turn, not of W1's
    // thousands of radians, and consecutive instants differ smoothly (the true node differences them).
    const double longitude = main_sum(ELP_MAIN_LONGITUDE, a, true) + perturbation_sum(ELP_PERTURBATION_LONGITUDE_T0, a) +
                             t * perturbation_sum(ELP_PERTURBATION_LONGITUDE_T1, a) + std::fmod(a.w1, TWO_PI);
    const double latitude = main_sum(ELP_MAIN_LATITUDE, a, true) + perturbation_sum(ELP_PERTURBATION_LATITUDE_T0, a) +
                            t * perturbation_sum(ELP_PERTURBATION_LATITUDE_T1, a);
    return LunarSpherical{longitude, latitude, 1.0};
}

}  // namespace

MoonPosition moon_position_at_centuries(double t) noexcept {
    const LunarArguments a = lunar_arguments(t);
    LunarSpherical spherical = moon_direction_spherical(t, a);
    spherical.distance = (main_sum(ELP_MAIN_DISTANCE, a, false) + perturbation_sum(ELP_PERTURBATION_DISTANCE_T0, a) +
                          t * perturbation_sum(ELP_PERTURBATION_DISTANCE_T1, a)) *
                         ELP_DISTANCE_SCALE;
    return moon_position_from_spherical(spherical, t);
}

MoonPosition moon_direction_fast(double jd_tt) noexcept {
    const double t = julian_centuries(jd_tt);
    return moon_position_from_spherical(moon_direction_spherical(t, lunar_arguments(t)), t);
}

double moon_distance_fast(double t) noexcept {
    const LunarArguments a = lunar_arguments(t);
    return (main_sum(ELP_MAIN_DISTANCE, a, false) + perturbation_sum(ELP_PERTURBATION_DISTANCE_T0, a) +
            t * perturbation_sum(ELP_PERTURBATION_DISTANCE_T1, a)) *
           ELP_DISTANCE_SCALE;
}

}  // namespace zentaric
