// VSOP87A series evaluation (Bretagnon & Francou 1988).
#include "ephemeris/vsop87.hpp"

#include <cmath>

#include "time/calendar.hpp"

namespace zentaric {

namespace {

// Sums of one series: S = Σ A·cos(B + K·t) and D = Σ A·K·sin(B + K·t).
struct SeriesSums {
    double cosine_sum;
    double sine_sum;
};

SeriesSums sum_series(const VsopSeries& series, double t) noexcept {
    double cosine_sum = 0.0;
    double sine_sum = 0.0;
    for (std::size_t i = 0; i < series.count; ++i) {
        const double argument = series.phase[i] + t * series.frequency[i];
        cosine_sum += series.amplitude[i] * std::cos(argument);
        sine_sum += series.amplitude[i] * series.frequency[i] * std::sin(argument);
    }
    return SeriesSums{cosine_sum, sine_sum};
}

}  // namespace

CoordinateValue evaluate_coordinate(const VsopSeries (&series)[6], double t) noexcept {
    SeriesSums s[6];
    for (int power = 0; power < 6; ++power) s[power] = sum_series(series[power], t);
    const double t2 = t * t;
    const double t3 = t * t2;
    const double t4 = t2 * t2;
    const double t5 = t * t4;
    const double value = s[0].cosine_sum + t * s[1].cosine_sum + t2 * s[2].cosine_sum + t3 * s[3].cosine_sum +
                         t4 * s[4].cosine_sum + t5 * s[5].cosine_sum;
    // Exact time derivative of the value, per millennium, accumulated left to right.
    double derivative = -s[0].sine_sum;
    derivative += s[1].cosine_sum;
    derivative += -t * s[1].sine_sum;
    derivative += 2.0 * t * s[2].cosine_sum;
    derivative += -t2 * s[2].sine_sum;
    derivative += 3.0 * t2 * s[3].cosine_sum;
    derivative += -t3 * s[3].sine_sum;
    derivative += 4.0 * t3 * s[4].cosine_sum;
    derivative += -t4 * s[4].sine_sum;
    derivative += 5.0 * t4 * s[5].cosine_sum;
    derivative += -t5 * s[5].sine_sum;
    return CoordinateValue{value, derivative};
}

VsopState vsop87_state(int planet, double jd_tt) noexcept {
    if (planet < 0 || planet >= VSOP_PLANET_COUNT) return VsopState{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    const double t = julian_millennia(jd_tt);
    const CoordinateValue x = evaluate_coordinate(VSOP_PLANETS[planet][0], t);
    const CoordinateValue y = evaluate_coordinate(VSOP_PLANETS[planet][1], t);
    const CoordinateValue z = evaluate_coordinate(VSOP_PLANETS[planet][2], t);
    return VsopState{x.value, y.value, z.value, x.derivative, y.derivative, z.derivative};
}

}  // namespace zentaric
