#include "moments/sampled_sky.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ephemeris/apparent.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"

namespace zentaric::moments {

namespace {

constexpr std::size_t MOST_NODES = 64;
static_assert(MOON_NODES <= MOST_NODES && SUN_NODES <= MOST_NODES);

// The Chebyshev node x_k = cos(π (k + ½) / n) of the first kind.
double chebyshev_node(std::size_t k, std::size_t n) noexcept {
    return std::cos(std::numbers::pi * (static_cast<double>(k) + 0.5) / static_cast<double>(n));
}

}  // namespace

SegmentedChebyshev::SegmentedChebyshev(double start, double segment_days, std::size_t segments, std::size_t order)
    : start_(start), segment_days_(segment_days), segments_(segments), order_(order < MOST_NODES ? order : MOST_NODES),
      coefficients_(segments * order_, 0.0) {}

// The nodes run from the segment's end (k = 0) to its start.
double SegmentedChebyshev::node(std::size_t segment, std::size_t k) const noexcept {
    return start_ + segment_days_ * (static_cast<double>(segment) + 0.5 + 0.5 * chebyshev_node(k, order_));
}

// Numerical Recipes §5.8: c_j = (2/n) Σ_k f(x_k) T_j(x_k), T_j by its recurrence.
void SegmentedChebyshev::fit(std::size_t segment, const double* values, bool angle) noexcept {
    const std::size_t n = order_;
    double f[MOST_NODES], t_previous[MOST_NODES], t_current[MOST_NODES], x[MOST_NODES];
    for (std::size_t k = 0; k < n; ++k) {
        f[k] = !angle || k == 0 ? values[k] : f[k - 1] + std::remainder(values[k] - f[k - 1], 360.0);
        x[k] = chebyshev_node(k, n);
        t_previous[k] = 1.0;
        t_current[k] = x[k];
    }
    double* c = coefficients_.data() + segment * n;
    for (std::size_t j = 0; j < n; ++j) {
        double sum = 0.0;
        for (std::size_t k = 0; k < n; ++k) {
            sum += f[k] * (j == 0 ? 1.0 : t_current[k]);
            if (j > 0) {
                const double next = 2.0 * x[k] * t_current[k] - t_previous[k];
                t_previous[k] = t_current[k];
                t_current[k] = next;
            }
        }
        c[j] = 2.0 * sum / static_cast<double>(n);
    }
}

// Clenshaw's recurrence for Σ' c_j T_j(x), the first term halved.
double SegmentedChebyshev::operator()(double t) const noexcept {
    if (segments_ == 0) return 0.0;
    double position = (t - start_) / segment_days_;
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

bool SampledSky::covers(double first_tt, double last_tt, SkyDetail needed) const noexcept {
    if (needed == SkyDetail::Places && detail != SkyDetail::Places) return false;
    if (bodies != SkyBodies::Both) return false;
    return first_tt >= moon_longitude.start() && last_tt <= moon_longitude.end() && first_tt >= sun_longitude.start() &&
           last_tt <= sun_longitude.end();
}

// Delta T at TT, then at the UT it gives: the same value unless a month begins between the two instants.
double universal_time_of(double jd_tt) noexcept {
    double jd_ut = jd_tt - delta_t(jd_tt) / 86400.0;
    for (int pass = 0; pass < 2; ++pass) {
        const double next = jd_tt - delta_t(jd_ut) / 86400.0;
        if (next == jd_ut) break;
        jd_ut = next;
    }
    return jd_ut;
}

namespace {

// A body's series from its own evaluations, and the offset's and the frame's with it when `frame` (the call gives
// the angles).
Result<bool, EphemerisError> sample_body(Body body, bool frame_too, SampledSky& sky) {
    const bool moon = body == Body::Moon;
    const bool places = sky.detail == SkyDetail::Places;
    SegmentedChebyshev& longitude = moon ? sky.moon_longitude : sky.sun_longitude;
    double values[8][MOST_NODES];
    for (std::size_t segment = 0; segment < longitude.segments(); ++segment) {
        for (std::size_t k = 0; k < longitude.order(); ++k) {
            const double jd_ut = universal_time_of(longitude.node(segment, k));
            ApparentPosition position{};
            const Result<FrameAngles, EphemerisError> angles = fast_apparent_positions(&body, 1, jd_ut, &position);
            if (!angles.ok()) return angles.error();
            const FrameAngles& frame = angles.value();
            values[0][k] = (position.longitude - frame.nutation_longitude) * RAD_TO_DEG;
            values[1][k] = position.latitude;
            values[2][k] = position.distance;
            if (!frame_too) continue;
            values[3][k] = true_ayanamsha_degrees(sky.system, jd_ut, frame.nutation_longitude) -
                           frame.nutation_longitude * RAD_TO_DEG;
            values[4][k] = frame.nutation_longitude;
            values[5][k] = frame.mean_obliquity + frame.nutation_obliquity;
        }
        longitude.fit(segment, values[0], true);
        if (places) {
            (moon ? sky.moon_latitude : sky.sun_latitude).fit(segment, values[1], false);
            (moon ? sky.moon_distance : sky.sun_distance).fit(segment, values[2], false);
        }
        if (!frame_too) continue;
        sky.offset.fit(segment, values[3], false);
        if (places) {
            sky.nutation_longitude.fit(segment, values[4], false);
            sky.true_obliquity.fit(segment, values[5], false);
        }
    }
    return true;
}

}  // namespace

Result<SampledSky, EphemerisError> sample_sky(Ayanamsha system, double start, double end, SkyDetail detail,
                                              SkyBodies bodies) {
    // In TT, a little wider than the range (Delta T moves within it).
    const double first = to_terrestrial_time(start) - 0.01, span = end - start + 0.02;
    // A shorter segment takes fewer nodes: in proportion, and four more, but never fewer than a short span takes.
    const auto series = [&](double longest, std::size_t nodes, std::size_t short_nodes) {
        const auto segments = static_cast<std::size_t>(std::ceil(span / longest));
        const double length = span / static_cast<double>(segments);
        const auto scaled = static_cast<std::size_t>(std::ceil(static_cast<double>(nodes) * length / longest));
        return SegmentedChebyshev(first, length, segments,
                                  span <= SHORT_SPAN_DAYS ? short_nodes : std::clamp(scaled + 4, short_nodes, nodes));
    };
    const bool with_sun = bodies != SkyBodies::Moon, with_moon = bodies != SkyBodies::Sun;
    const SegmentedChebyshev none;
    const SegmentedChebyshev sun = with_sun ? series(SUN_SEGMENT_DAYS, SUN_NODES, SUN_SHORT_NODES) : none;
    const SegmentedChebyshev moon = with_moon ? series(MOON_SEGMENT_DAYS, MOON_NODES, MOON_SHORT_NODES) : none;
    const SegmentedChebyshev& frame = with_moon ? moon : sun;
    const bool places = detail == SkyDetail::Places;
    SampledSky sky{system, detail, bodies, sun, moon, frame, places ? sun : none, places ? sun : none,
                   places ? moon : none, places ? moon : none, places ? frame : none, places ? frame : none};
    if (with_sun) {
        if (Result<bool, EphemerisError> done = sample_body(Body::Sun, !with_moon, sky); !done.ok()) return done.error();
    }
    if (with_moon) {
        if (Result<bool, EphemerisError> done = sample_body(Body::Moon, true, sky); !done.ok()) return done.error();
    }
    return sky;
}

}  // namespace zentaric::moments
