// The apparent-place pipeline, written against the provider interface.
#include "ephemeris/apparent.hpp"

#include <cmath>

#include "ephemeris/apparent_frame.hpp"
#include "ephemeris/constants.hpp"
#include "ephemeris/lunar_nodes.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"

namespace zentaric {

FrameOfDate frame_of_date(double jd_tt) noexcept { return frame_of_date(jd_tt, nutation(jd_tt)); }

FrameOfDate frame_of_date(double jd_tt, const Nutation& n) noexcept {
    const double epsilon_a = mean_obliquity(jd_tt);
    FrameOfDate frame;
    frame.nutation_longitude = n.longitude;
    frame.mean_obliquity = epsilon_a;
    frame.precession = precession_matrix(jd_tt);
    // N · P · B, multiplied left to right.
    frame.npb = multiply(multiply(nutation_matrix(epsilon_a, n.longitude, n.obliquity), frame.precession), FRAME_BIAS);
    // True obliquity ε_A + Δε.
    frame.to_ecliptic = rotation_x(epsilon_a + n.obliquity);
    return frame;
}

ApparentPosition apparent_from_geometric(const Vector3& geometric, const Vector3& observer_velocity,
                                         bool with_aberration, const FrameOfDate& frame) noexcept {
    Vector3 p = multiply(frame.npb, geometric);
    const double r = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    if (with_aberration && r >= 1e-20) {
        // Annual aberration to first order in v/c.
        const Vector3 v = multiply(frame.npb, observer_velocity);
        const double k = p.x * v.x + p.y * v.y + p.z * v.z;
        const double c = LIGHT_SPEED_AU_PER_DAY;
        p = Vector3{p.x + (r * (v.x / c) - p.x * k / (r * c)), p.y + (r * (v.y / c) - p.y * k / (r * c)),
                    p.z + (r * (v.z / c) - p.z * k / (r * c))};
    }
    const Vector3 q = multiply(frame.to_ecliptic, p);
    const double distance = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    double longitude = std::atan2(q.y, q.x);
    if (longitude < 0.0) longitude += TWO_PI;
    // A body at the geocentre (the Earth itself) has no direction: latitude 0 rather than asin(0/0).
    const double latitude = distance > 0.0 ? std::asin(q.z / distance) : 0.0;
    return ApparentPosition{longitude, latitude, distance};
}

bool is_lunar_node(Body body) noexcept { return body == Body::MeanNode || body == Body::TrueNode; }

ApparentPosition node_position(double node_degrees, double nutation_longitude) noexcept {
    // Mean equinox of date to true equinox of date: add the nutation in longitude.
    double longitude = normalize_degrees(node_degrees + nutation_longitude * RAD_TO_DEG) * DEG_TO_RAD;
    if (longitude >= TWO_PI) longitude = 0.0;
    return ApparentPosition{longitude, 0.0, 1.0};
}

double speed_degrees_per_day(double longitude_before, double longitude_after) noexcept {
    double d = longitude_after - longitude_before;
    if (d > PI) {
        d -= TWO_PI;
    } else if (d < -PI) {
        d += TWO_PI;
    }
    return d * 180.0 / PI;
}

Result<LightTimeState, EphemerisError> light_time_state(const EphemerisProvider& provider, Body body,
                                                        const Vector3& observer, double jd_tt) {
    double light_time = 0.0;
    Result<StateVector, EphemerisError> state = iterate_light_time(
        [&provider, body, jd_tt](double tau) { return provider.state_vector(body, jd_tt - tau); }, observer,
        light_time);
    if (!state.ok()) return std::move(state).error();
    return LightTimeState{state.value(), light_time};
}

Result<ApparentPosition, EphemerisError> apparent_position(const EphemerisProvider& provider, Body body,
                                                           double jd_ut) {
    const double jd = to_terrestrial_time(jd_ut);
    if (is_lunar_node(body)) {
        // The node formulas are of date already: no light time, aberration or frame rotation.
        if (!in_ephemeris_range(jd)) return EphemerisError::julian_day_out_of_range(jd, JD_MIN, JD_MAX);
        const double node = body == Body::MeanNode ? mean_node_longitude(jd) : true_node_longitude(jd);
        return node_position(node, nutation(jd).longitude);
    }
    if (body == Body::Moon) {
        // Geocentric series: light time from the geocentre; the relative motion is in the retarded position,
        // so no annual aberration.
        Result<LightTimeState, EphemerisError> moon = light_time_state(provider, body, Vector3{0.0, 0.0, 0.0}, jd);
        if (!moon.ok()) return std::move(moon).error();
        const StateVector& s = moon.value().state;
        return apparent_from_geometric(Vector3{s.x, s.y, s.z}, Vector3{0.0, 0.0, 0.0}, false, frame_of_date(jd));
    }
    // The observer is the Earth of the series itself.
    Result<StateVector, EphemerisError> earth = provider.state_vector(Body::Earth, jd);
    if (!earth.ok()) return std::move(earth).error();
    const StateVector& e = earth.value();
    const Vector3 observer{e.x, e.y, e.z};
    Result<LightTimeState, EphemerisError> target = light_time_state(provider, body, observer, jd);
    if (!target.ok()) return std::move(target).error();
    const StateVector& s = target.value().state;
    const Vector3 geometric{s.x - observer.x, s.y - observer.y, s.z - observer.z};
    return apparent_from_geometric(geometric, Vector3{e.vx, e.vy, e.vz}, true, frame_of_date(jd));
}

Result<BodyPosition, EphemerisError> position_and_speed(const EphemerisProvider& provider, Body body, double jd_ut) {
    Result<ApparentPosition, EphemerisError> now = apparent_position(provider, body, jd_ut);
    if (!now.ok()) return std::move(now).error();
    Result<ApparentPosition, EphemerisError> before = apparent_position(provider, body, jd_ut - 0.5);
    if (!before.ok()) return std::move(before).error();
    Result<ApparentPosition, EphemerisError> after = apparent_position(provider, body, jd_ut + 0.5);
    if (!after.ok()) return std::move(after).error();
    const ApparentPosition& a = now.value();
    return BodyPosition{a.longitude, a.latitude, a.distance,
                        speed_degrees_per_day(before.value().longitude, after.value().longitude)};
}

Result<std::size_t, EphemerisError> chart_positions(const EphemerisProvider& provider, const Body* bodies,
                                                    std::size_t count, double jd_ut, BodyPosition* out,
                                                    std::size_t* failed_index) {
    std::optional<Result<std::size_t, EphemerisError>> batch =
        provider.batch_positions(bodies, count, jd_ut, out, failed_index);
    if (batch.has_value()) return std::move(*batch);
    for (std::size_t i = 0; i < count; ++i) {
        Result<BodyPosition, EphemerisError> position = position_and_speed(provider, bodies[i], jd_ut);
        if (!position.ok()) {
            if (failed_index != nullptr) *failed_index = i;
            return std::move(position).error();
        }
        out[i] = position.value();
    }
    return count;
}

}  // namespace zentaric
