// Root finding over time: every moment a smooth function of time crosses a set of levels. The function is sampled
// on a regular grid, a quintic is fitted through the six samples around each step, the fit is scanned and solved
// for its crossings, and each crossing is polished on the function itself (a Newton step with the fit's slope,
// then secant steps), so a search over years evaluates the function about once per step and once per root.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "common/result.hpp"
#include "ephemeris/ephemeris_provider.hpp"

namespace zentaric::moments {

// The levels sought: `offset` alone (spacing 0), or offset + k·spacing for every whole k, the function then being
// an angle in degrees, unwrapped between samples (consecutive samples must differ by less than 180°).
struct Levels {
    double offset = 0.0;
    double spacing = 0.0;
};

// The sampling grid: the step in days, and the sub-steps per step at which the fit is scanned (a level crossed
// twice within one sub-step, around an extremum of the fit, is still found: each sub-step is split there).
struct SamplingPlan {
    double step_days;
    int substeps;
};

// A crossing: its UT Julian Day, the level crossed (offset + level·spacing in the unwrapped angle; 0 for a single
// level) and its direction, +1 upward and −1 downward.
struct Crossing {
    double jd_ut;
    std::int64_t level;
    int direction;
};

// A polishing step no longer than this (days, 0.86 s) is the last: the error it leaves is the step times the
// relative error of the fit's slope (below 1e-4 for the plans in use), well under a millisecond.
inline constexpr double ACCEPTED_STEP_DAYS = 1e-5;

namespace detail {

// The quintic through values at s = −2, −1, 0, 1, 2, 3, as coefficients of s⁰ .. s⁵.
struct Quintic {
    double c[6];
    double value(double s) const noexcept {
        return c[0] + s * (c[1] + s * (c[2] + s * (c[3] + s * (c[4] + s * c[5]))));
    }
    double slope(double s) const noexcept {
        return c[1] + s * (2.0 * c[2] + s * (3.0 * c[3] + s * (4.0 * c[4] + s * 5.0 * c[5])));
    }
};

// Lagrange interpolation on six equally spaced nodes, written as the product of the inverse Vandermonde matrix of
// the nodes −2..3 (times 120) with the values.
inline Quintic fit_quintic(const double (&y)[6]) noexcept {
    static constexpr double M[6][6] = {
        {0.0, 0.0, 120.0, 0.0, 0.0, 0.0},
        {6.0, -60.0, -40.0, 120.0, -30.0, 4.0},
        {-5.0, 80.0, -150.0, 80.0, -5.0, 0.0},
        {-5.0, -5.0, 50.0, -70.0, 35.0, -5.0},
        {5.0, -20.0, 30.0, -20.0, 5.0, 0.0},
        {-1.0, 5.0, -10.0, 10.0, -5.0, 1.0},
    };
    Quintic q{};
    for (int row = 0; row < 6; ++row) {
        double sum = 0.0;
        for (int j = 0; j < 6; ++j) sum += M[row][j] * y[j];
        q.c[row] = sum / 120.0;
    }
    return q;
}

// The band a value lies in: the number of levels at or below it (a value that is not a finite number, which the
// functions searched never give, counts as band 0 rather than overflowing the conversion).
inline std::int64_t band_of(double value, const Levels& levels) noexcept {
    if (levels.spacing == 0.0) return value >= levels.offset ? 0 : -1;
    const double band = std::floor((value - levels.offset) / levels.spacing);
    return std::fabs(band) < 9e15 ? static_cast<std::int64_t>(band) : 0;
}

inline double level_value(std::int64_t level, const Levels& levels) noexcept {
    return levels.offset + static_cast<double>(level) * levels.spacing;
}

// The function's distance from a level: an angle's wrapped into [−180°, 180°).
inline double distance_from(double value, double level, const Levels& levels) noexcept {
    return levels.spacing == 0.0 ? value - level : std::remainder(value - level, 360.0);
}

// The s in [a, b] where the fit, monotone there, takes `level` (bisection kept by Newton steps).
inline double solve_monotone(const Quintic& q, double a, double b, double level) noexcept {
    double low = a, high = b;
    const bool rising = q.value(b) > q.value(a);
    double s = 0.5 * (a + b);
    for (int pass = 0; pass < 60; ++pass) {
        const double difference = q.value(s) - level;
        if ((difference < 0.0) == rising) low = s; else high = s;
        const double slope = q.slope(s);
        double next = slope != 0.0 ? s - difference / slope : 0.5 * (low + high);
        if (!(next > low && next < high)) next = 0.5 * (low + high);
        if (std::fabs(next - s) < 1e-13) return next;
        s = next;
    }
    return s;
}

// Where the fit's slope vanishes in [a, b], its slope having opposite signs at the ends.
inline double solve_extremum(const Quintic& q, double a, double b) noexcept {
    const bool rising_first = q.slope(a) > 0.0;
    for (int pass = 0; pass < 50; ++pass) {
        const double middle = 0.5 * (a + b);
        if ((q.slope(middle) > 0.0) == rising_first) a = middle; else b = middle;
    }
    return 0.5 * (a + b);
}

}  // namespace detail

// The root of the function at `level` near `guess` (UT days), with the fit's slope there (units per day): Newton's
// step on the function's value, then secant steps, each no longer than `longest` days, until a step is no longer
// than `accepted` days.
template <class Function>
Result<double, EphemerisError> polish_root(Function& function, double guess, double slope, double level,
                                           const Levels& levels, double longest,
                                           double accepted = ACCEPTED_STEP_DAYS) {
    Result<double, EphemerisError> first = function(guess);
    if (!first.ok()) return std::move(first).error();
    double t = guess;
    double distance = detail::distance_from(first.value(), level, levels);
    const bool rising = slope > 0.0;
    for (int pass = 0; pass < 20; ++pass) {
        if (slope == 0.0 || !std::isfinite(slope)) break;
        double step = -distance / slope;
        if (std::fabs(step) > longest) step = std::copysign(longest, step);
        const double next = t + step;
        if (std::fabs(step) <= accepted) return next;
        Result<double, EphemerisError> value = function(next);
        if (!value.ok()) return std::move(value).error();
        const double next_distance = detail::distance_from(value.value(), level, levels);
        const double secant = (next_distance - distance) / (next - t);
        if ((secant > 0.0) == rising && secant != 0.0) slope = secant;
        t = next;
        distance = next_distance;
    }
    return t;
}

// The scan under find_crossings, over any source of samples: `sample(index)` gives the value at start + index·step
// (a Result<double, EphemerisError>, angles unwrapped from the previous index), asked for the indices −2 .. steps + 2
// in order; `polish(guess, slope, level, longest)` polishes a crossing of the fit at `guess` (UT days, the fit's
// slope there in units per day) into a root, or gives NaN for a crossing of the fit the function does not make.
template <class Sample, class Polish, class Emit>
Result<std::size_t, EphemerisError> scan_crossings(Sample&& sample, double start, double end, const SamplingPlan& plan,
                                                   const Levels& levels, Polish&& polish, Emit&& emit) {
    std::size_t found = 0;
    if (!(end > start)) return found;
    const double h = plan.step_days;
    const int substeps = plan.substeps < 1 ? 1 : plan.substeps;
    const auto steps = static_cast<std::int64_t>(std::ceil((end - start) / h));
    double y[6];
    for (int j = 0; j < 5; ++j) {
        Result<double, EphemerisError> value = sample(j - 2);
        if (!value.ok()) return std::move(value).error();
        y[j] = value.value();
    }
    for (std::int64_t step = 0; step < steps; ++step) {
        Result<double, EphemerisError> value = sample(step + 3);
        if (!value.ok()) return std::move(value).error();
        y[5] = value.value();
        const detail::Quintic fit = detail::fit_quintic(y);
        const double t0 = start + static_cast<double>(step) * h;
        for (int sub = 0; sub < substeps; ++sub) {
            const double a = static_cast<double>(sub) / substeps;
            const double b = static_cast<double>(sub + 1) / substeps;
            double cuts[3] = {a, b, b};
            int pieces = 1;
            if ((fit.slope(a) > 0.0) != (fit.slope(b) > 0.0)) {
                cuts[1] = detail::solve_extremum(fit, a, b);
                pieces = 2;
            }
            for (int piece = 0; piece < pieces; ++piece) {
                const double u = cuts[piece], v = cuts[piece + 1];
                const double value_u = u == 0.0 ? y[2] : fit.value(u);
                const double value_v = v == 1.0 ? y[3] : fit.value(v);
                const std::int64_t band_u = detail::band_of(value_u, levels);
                const std::int64_t band_v = detail::band_of(value_v, levels);
                if (band_u == band_v) continue;
                const int direction = band_v > band_u ? 1 : -1;
                for (std::int64_t k = direction > 0 ? band_u + 1 : band_u;
                     direction > 0 ? k <= band_v : k > band_v; k += direction) {
                    const double level = detail::level_value(k, levels);
                    const double s = detail::solve_monotone(fit, u, v, level);
                    Result<double, EphemerisError> root = polish(t0 + s * h, fit.slope(s) / h, level, h / substeps);
                    if (!root.ok()) return std::move(root).error();
                    const double t = root.value();
                    if (t >= start && t < end) {
                        emit(Crossing{t, levels.spacing == 0.0 ? 0 : k, direction});
                        ++found;
                    }
                }
            }
        }
        for (int j = 0; j < 5; ++j) y[j] = y[j + 1];
    }
    return found;
}

// Every crossing of the levels by `function` in [start, end) (UT Julian Days), in time order, passed to
// `emit(const Crossing&)`. `function(jd_ut)` gives a Result<double, EphemerisError>; it is sampled from
// start − 2·step to the end plus three steps. The count of crossings, or the function's first failure. Unpolished,
// the crossings are the fit's (for a search that only needs them to split the time into pieces).
template <class Function, class Emit>
Result<std::size_t, EphemerisError> find_crossings(Function&& function, double start, double end,
                                                   const SamplingPlan& plan, const Levels& levels, Emit&& emit,
                                                   bool polished = true) {
    double previous = 0.0;
    auto sample = [&](std::int64_t index) -> Result<double, EphemerisError> {
        Result<double, EphemerisError> value = function(start + static_cast<double>(index) * plan.step_days);
        if (!value.ok()) return value;
        double v = value.value();
        if (levels.spacing != 0.0 && index > -2) v = previous + std::remainder(v - previous, 360.0);
        return previous = v;
    };
    auto polish = [&](double guess, double slope, double level, double longest) -> Result<double, EphemerisError> {
        if (!polished) return guess;
        return polish_root(function, guess, slope, level, levels, longest);
    };
    return scan_crossings(sample, start, end, plan, levels, polish, emit);
}

}  // namespace zentaric::moments
