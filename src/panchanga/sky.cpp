#include "panchanga/sky.hpp"

#include <cmath>
#include <numbers>

#include "ephemeris/apparent.hpp"
#include "time/delta_t.hpp"

namespace zentaric {

SegmentedChebyshev::SegmentedChebyshev(double start, double segment_days, std::size_t segments, std::size_t order)
    : start_(start), segment_days_(segment_days), segments_(segments), order_(order),
      coefficients_(segments * order, 0.0) {}

// Chebyshev nodes of the first kind, x_k = cos(π (k + ½) / n), from the segment's end to its start.
double SegmentedChebyshev::node(std::size_t segment, std::size_t k) const noexcept {
    const double x = std::cos(std::numbers::pi * (static_cast<double>(k) + 0.5) / static_cast<double>(order_));
    return start_ + segment_days_ * (static_cast<double>(segment) + 0.5 + 0.5 * x);
}

// Numerical Recipes §5.8: c_j = (2/n) Σ_k f(x_k) cos(π j (k + ½) / n).
void SegmentedChebyshev::fit_angle(std::size_t segment, const double* values) noexcept {
    double unwrapped[64];
    const std::size_t n = order_ < 64 ? order_ : 64;
    for (std::size_t k = 0; k < n; ++k)
        unwrapped[k] = k == 0 ? values[0] : unwrapped[k - 1] + std::remainder(values[k] - unwrapped[k - 1], 360.0);
    double* c = coefficients_.data() + segment * order_;
    for (std::size_t j = 0; j < n; ++j) {
        double sum = 0.0;
        for (std::size_t k = 0; k < n; ++k)
            sum += unwrapped[k] * std::cos(std::numbers::pi * static_cast<double>(j) * (static_cast<double>(k) + 0.5) /
                                           static_cast<double>(n));
        c[j] = 2.0 * sum / static_cast<double>(n);
    }
}

// Clenshaw's recurrence for Σ' c_j T_j(x), the first term halved.
double SegmentedChebyshev::operator()(double jd) const noexcept {
    if (segments_ == 0) return 0.0;
    double position = (jd - start_) / segment_days_;
    if (!(position > 0.0)) position = 0.0;
    const double last = static_cast<double>(segments_);
    if (position > last) position = last;
    std::size_t segment = static_cast<std::size_t>(position);
    if (segment >= segments_) segment = segments_ - 1;
    const double x = 2.0 * (position - static_cast<double>(segment)) - 1.0;
    const double* c = coefficients_.data() + segment * order_;
    double b1 = 0.0, b2 = 0.0;
    for (std::size_t j = order_; j-- > 1;) {
        const double b0 = 2.0 * x * b1 - b2 + c[j];
        b2 = b1;
        b1 = b0;
    }
    return x * b1 - b2 + 0.5 * c[0];
}

Result<double, EphemerisError> mean_equinox_longitude(Body body, double jd_ut) {
    ApparentPosition position{};
    const Result<FrameAngles, EphemerisError> angles = fast_apparent_positions(&body, 1, jd_ut, &position);
    if (!angles.ok()) return angles.error();
    return (position.longitude - angles.value().nutation_longitude) * 57.29577951308232;
}

double SkyLongitudes::sun(double jd_ut) const noexcept { return sun_tt(to_terrestrial_time(jd_ut)); }
double SkyLongitudes::moon(double jd_ut) const noexcept { return moon_tt(to_terrestrial_time(jd_ut)); }
double SkyLongitudes::sun_sidereal(double jd_ut) const noexcept { return sun(jd_ut) - ayanamsha_degrees(system, jd_ut); }
double SkyLongitudes::moon_sidereal(double jd_ut) const noexcept {
    return moon(jd_ut) - ayanamsha_degrees(system, jd_ut);
}
double SkyLongitudes::elongation(double jd_ut) const noexcept {
    const double jd_tt = to_terrestrial_time(jd_ut);
    return moon_tt(jd_tt) - sun_tt(jd_tt);
}
double SkyLongitudes::yoga_longitude(double jd_ut) const noexcept {
    const double jd_tt = to_terrestrial_time(jd_ut);
    return moon_tt(jd_tt) + sun_tt(jd_tt) - 2.0 * ayanamsha_degrees(system, jd_ut);
}

double SkyLongitudes::moon_sidereal_tt(double jd_tt) const noexcept {
    return moon_tt(jd_tt) - ayanamsha_degrees(system, jd_tt - delta_t_days);
}
double SkyLongitudes::yoga_longitude_tt(double jd_tt) const noexcept {
    return moon_tt(jd_tt) + sun_tt(jd_tt) - 2.0 * ayanamsha_degrees(system, jd_tt - delta_t_days);
}

double universal_time_of(double jd_tt) noexcept {
    double jd_ut = jd_tt - delta_t(jd_tt) / 86400.0;
    for (int pass = 0; pass < 2; ++pass) jd_ut += jd_tt - to_terrestrial_time(jd_ut);
    return jd_ut;
}

namespace {

Result<bool, EphemerisError> sample_body(Body body, SegmentedChebyshev& series) {
    double values[64];
    for (std::size_t segment = 0; segment < series.segments(); ++segment) {
        for (std::size_t k = 0; k < series.order(); ++k) {
            const double jd_ut = universal_time_of(series.node(segment, k));
            const Result<double, EphemerisError> value = mean_equinox_longitude(body, jd_ut);
            if (!value.ok()) return value.error();
            values[k] = value.value();
        }
        series.fit_angle(segment, values);
    }
    return true;
}

}  // namespace

Result<SkyLongitudes, EphemerisError> sample_sky(Ayanamsha system, double start, double end) {
    // In TT, a little wider than the range (Delta T moves within it).
    const double first = to_terrestrial_time(start) - 0.01, span = end - start + 0.02;
    const auto series = [&](double longest, std::size_t nodes, std::size_t short_nodes) {
        const auto segments = static_cast<std::size_t>(std::ceil(span / longest));
        return SegmentedChebyshev(first, span / static_cast<double>(segments), segments,
                                  span <= SHORT_SPAN_DAYS ? short_nodes : nodes);
    };
    SkyLongitudes sky{series(SUN_SEGMENT_DAYS, SUN_NODES, SUN_SHORT_NODES),
                      series(MOON_SEGMENT_DAYS, MOON_NODES, MOON_SHORT_NODES), system,
                      delta_t(0.5 * (start + end)) / 86400.0};
    if (Result<bool, EphemerisError> done = sample_body(Body::Sun, sky.sun_tt); !done.ok()) return done.error();
    if (Result<bool, EphemerisError> done = sample_body(Body::Moon, sky.moon_tt); !done.ok()) return done.error();
    return sky;
}

}  // namespace zentaric
