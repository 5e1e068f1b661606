// Positions and speeds of several bodies at one instant. With the built-in provider the Earth, the nutation
// and the frame matrices are computed once per sample instant for all bodies, each planet's series are summed
// once per instant (with their derivatives, which give the light-time positions), and the series go through
// the fast kernels; any other provider, and any instant near the ends of the ephemeris, takes position_and_speed.
#include <cmath>

#include "ephemeris/apparent.hpp"
#include "ephemeris/apparent_frame.hpp"
#include "ephemeris/constants.hpp"
#include "ephemeris/fast_series.hpp"
#include "time/delta_t.hpp"

namespace zentaric {

namespace {

// Sample instants: the chart instant, half a day before, half a day after (the order of position_and_speed).
constexpr int SAMPLE_COUNT = 3;
constexpr double SAMPLE_OFFSETS[SAMPLE_COUNT] = {0.0, -0.5, 0.5};
// Light times of the planets stay below 0.2 day; a day's margin keeps every provider call of the batch in range.
constexpr double RANGE_MARGIN_DAYS = 1.0;

bool is_batch_planet(Body body) noexcept {
    return body == Body::Mercury || body == Body::Venus || body == Body::Mars || body == Body::Jupiter ||
           body == Body::Saturn || body == Body::Uranus || body == Body::Neptune;
}

bool has_fast_path(Body body) noexcept {
    return body == Body::Sun || body == Body::Moon || is_lunar_node(body) || is_batch_planet(body);
}

Vector3 equatorial(const double ecliptic[3]) noexcept {
    double y = ecliptic[1];
    double z = ecliptic[2];
    ecliptic_to_equatorial_j2000(y, z);
    return Vector3{ecliptic[0], y, z};
}

double light_time_to(const Vector3& target, const Vector3& observer) noexcept {
    const double dx = target.x - observer.x;
    const double dy = target.y - observer.y;
    const double dz = target.z - observer.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz) / LIGHT_SPEED_AU_PER_DAY;
}

// The light-time iteration of light_time_state, on positions given by `position_at(τ)`.
template <class PositionAt>
Vector3 retarded_position(PositionAt position_at, const Vector3& observer) noexcept {
    double tau = 0.0;
    for (int pass = 0; pass < 10; ++pass) {
        const Vector3 position = position_at(tau);
        const double next = light_time_to(position, observer);
        const double change = next - tau;
        tau = next;
        if (std::fabs(change) < 1e-12) return position;
    }
    return position_at(tau);
}

// Geocentric Moon in AU, equatorial J2000.
Vector3 moon_equatorial_au(double jd_tt) noexcept {
    const MoonPosition m = moon_position_fast(jd_tt);
    const double au[3] = {m.x / AU_KM, m.y / AU_KM, m.z / AU_KM};
    return equatorial(au);
}

// Everything one sample instant shares among the bodies.
struct Sample {
    double jd_tt;
    FrameOfDate frame;
    Vector3 earth_position;
    Vector3 earth_velocity;
};

Sample sample_at(double jd_tt, bool needs_earth) noexcept {
    Sample s{jd_tt, frame_of_date(jd_tt), Vector3{0.0, 0.0, 0.0}, Vector3{0.0, 0.0, 0.0}};
    if (needs_earth) {
        const PlanetExpansion earth = vsop87_expansion(2, jd_tt);
        s.earth_position = equatorial(earth.position);
        s.earth_velocity = equatorial(earth.velocity);
    }
    return s;
}

ApparentPosition fast_apparent_position(Body body, const Sample& s) noexcept {
    if (is_lunar_node(body)) return node_position(body, s.jd_tt, s.frame.nutation_longitude);
    if (body == Body::Moon) {
        // Two series evaluations, at jd and at jd − τ₁; later passes move along the chord between them, which
        // the next pass (τ changes by ~1e-12 day, the Moon by ~1e-7 km) follows to ~1e-16 km.
        const Vector3 geocentre{0.0, 0.0, 0.0};
        const Vector3 now = moon_equatorial_au(s.jd_tt);
        bool have_first_pass = false;
        double first_days_back = 0.0;
        Vector3 first{0.0, 0.0, 0.0};
        const Vector3 moon = retarded_position(
            [&](double tau) {
                const double days_back = s.jd_tt - (s.jd_tt - tau);
                if (days_back == 0.0) return now;
                if (!have_first_pass) {
                    have_first_pass = true;
                    first_days_back = days_back;
                    first = moon_equatorial_au(s.jd_tt - tau);
                    return first;
                }
                const double f = (days_back - first_days_back) / first_days_back;
                return Vector3{first.x + (first.x - now.x) * f, first.y + (first.y - now.y) * f,
                               first.z + (first.z - now.z) * f};
            },
            geocentre);
        return apparent_from_geometric(moon, geocentre, false, s.frame);
    }
    const Vector3& observer = s.earth_position;
    Vector3 target{0.0, 0.0, 0.0};  // the Sun rests at the origin of the heliocentric frame
    if (body != Body::Sun) {
        const PlanetExpansion planet = vsop87_expansion(static_cast<int>(body) - static_cast<int>(Body::Mercury), s.jd_tt);
        target = retarded_position(
            [&planet, &s](double tau) {
                // The provider is asked at the double jd − τ, which lies (jd − (jd − τ)) days back exactly.
                const double days_back = s.jd_tt - (s.jd_tt - tau);
                double ecliptic[3];
                expansion_position_before(planet, days_back, ecliptic);
                return equatorial(ecliptic);
            },
            observer);
    }
    const Vector3 geometric{target.x - observer.x, target.y - observer.y, target.z - observer.z};
    return apparent_from_geometric(geometric, s.earth_velocity, true, s.frame);
}

}  // namespace

Result<std::size_t, EphemerisError> chart_positions(const EphemerisProvider& provider, const Body* bodies,
                                                    std::size_t count, double jd_ut, BodyPosition* out,
                                                    std::size_t* failed_index) {
    double jd_tt[SAMPLE_COUNT];
    bool batch = dynamic_cast<const AnalyticalEphemeris*>(&provider) != nullptr;
    for (int k = 0; k < SAMPLE_COUNT; ++k) {
        jd_tt[k] = to_terrestrial_time(jd_ut + SAMPLE_OFFSETS[k]);
        if (!(jd_tt[k] >= JD_MIN + RANGE_MARGIN_DAYS && jd_tt[k] <= JD_MAX - RANGE_MARGIN_DAYS)) batch = false;
    }
    bool needs_earth = false;
    bool any_fast = false;
    for (std::size_t i = 0; i < count && batch; ++i) {
        any_fast = any_fast || has_fast_path(bodies[i]);
        needs_earth = needs_earth || bodies[i] == Body::Sun || is_batch_planet(bodies[i]);
    }
    if (!batch || !any_fast) {
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
    const Sample samples[SAMPLE_COUNT] = {sample_at(jd_tt[0], needs_earth), sample_at(jd_tt[1], needs_earth),
                                          sample_at(jd_tt[2], needs_earth)};
    for (std::size_t i = 0; i < count; ++i) {
        if (!has_fast_path(bodies[i])) {
            Result<BodyPosition, EphemerisError> position = position_and_speed(provider, bodies[i], jd_ut);
            if (!position.ok()) {
                if (failed_index != nullptr) *failed_index = i;
                return std::move(position).error();
            }
            out[i] = position.value();
            continue;
        }
        const ApparentPosition now = fast_apparent_position(bodies[i], samples[0]);
        const ApparentPosition before = fast_apparent_position(bodies[i], samples[1]);
        const ApparentPosition after = fast_apparent_position(bodies[i], samples[2]);
        out[i] = BodyPosition{now.longitude, now.latitude, now.distance,
                              speed_degrees_per_day(before.longitude, after.longitude)};
    }
    return count;
}

}  // namespace zentaric
