// Positions and speeds of several bodies at one instant. With the built-in provider the Earth, the nutation
// and the frame matrices are computed once per sample instant for all bodies, each planet's series are summed
// once per instant (with their derivatives, which give the light-time positions), and the series go through
// the fast kernels; any other provider, and any instant near the ends of the ephemeris, takes position_and_speed.
#include <cmath>

#include "ephemeris/apparent.hpp"
#include "ephemeris/apparent_frame.hpp"
#include "ephemeris/constants.hpp"
#include "ephemeris/fast_series.hpp"
#include "ephemeris/vsop87.hpp"
#include "time/calendar.hpp"
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

// Everything one sample instant shares among the bodies.
struct Sample {
    double jd_tt;
    FrameOfDate frame;
    Vector3 earth_position;
    Vector3 earth_velocity;
    // The planetary series are summed at the chart's t + VSOP offset (t in millennia, offset 0 or ∓ half a day);
    // the sample lies `shift` days later than that (the change of Delta T over half a day, ~1e-8 day).
    double shift;
};

constexpr double VSOP_OFFSETS[SAMPLE_COUNT] = {0.0, -VSOP_HALF_DAY, VSOP_HALF_DAY};

// Position and velocity of an expansion `days` days after its instant.
void expansion_state_after(const PlanetExpansion& e, double days, Vector3& position, Vector3& velocity) noexcept {
    double ecliptic[3];
    expansion_position_before(e, -days, ecliptic);
    double rate[3];
    for (int i = 0; i < 3; ++i) rate[i] = e.velocity[i] + days * (e.acceleration[i] + 0.5 * days * e.jerk[i]);
    position = equatorial(ecliptic);
    velocity = equatorial(rate);
}

// Geocentric Moon in AU, equatorial J2000, at T Julian centuries.
Vector3 moon_equatorial_au(double t) noexcept {
    const MoonPosition m = moon_position_at_centuries(t);
    const double au[3] = {m.x / AU_KM, m.y / AU_KM, m.z / AU_KM};
    return equatorial(au);
}

// The Moon retarded by the light time from the geocentre, iterated as light_time_state does. The first pass
// needs only the distance at jd; later passes sum the series again only when the series time T(jd − τ) changes,
// which after the second pass is rare (τ then moves by ~1e-12 day, less than the last place of jd).
Vector3 retarded_moon(double jd_tt) noexcept {
    double tau = moon_distance_fast(julian_centuries(jd_tt)) / AU_KM / LIGHT_SPEED_AU_PER_DAY;
    double t = julian_centuries(jd_tt - tau);
    Vector3 moon = moon_equatorial_au(t);
    for (int pass = 1; pass < 10; ++pass) {
        const double next = light_time_to(moon, Vector3{0.0, 0.0, 0.0});
        const double change = next - tau;
        tau = next;
        if (std::fabs(change) < 1e-12) break;
        const double t_next = julian_centuries(jd_tt - tau);
        if (t_next != t) {
            t = t_next;
            moon = moon_equatorial_au(t);
        }
    }
    return moon;
}

// Apparent positions of one planet at the three samples, from its three expansions.
void planet_positions(int planet, double t, const Sample (&samples)[SAMPLE_COUNT], ApparentPosition out[3]) noexcept {
    PlanetExpansion expansions[SAMPLE_COUNT];
    vsop87_expansions_three(planet, t, expansions);
    for (int k = 0; k < SAMPLE_COUNT; ++k) {
        const Sample& s = samples[k];
        const PlanetExpansion& planet_k = expansions[k];
        const double offset = VSOP_OFFSETS[k];
        const Vector3 target = retarded_position(
            [&planet_k, &s, t, offset](double tau) {
                // The provider is asked at the double jd − τ, whose series time (as rounded) lies this many days
                // before the expansion's instant t + offset.
                const double days_back = -((julian_millennia(s.jd_tt - tau) - t) - offset) * DAYS_PER_JULIAN_MILLENNIUM;
                double ecliptic[3];
                expansion_position_before(planet_k, days_back, ecliptic);
                return equatorial(ecliptic);
            },
            s.earth_position);
        const Vector3 geometric{target.x - s.earth_position.x, target.y - s.earth_position.y,
                                target.z - s.earth_position.z};
        out[k] = apparent_from_geometric(geometric, s.earth_velocity, true, s.frame);
    }
}

void moon_positions(const Sample (&samples)[SAMPLE_COUNT], ApparentPosition out[3]) noexcept {
    // Geocentric series: light time from the geocentre, no annual aberration.
    for (int k = 0; k < SAMPLE_COUNT; ++k)
        out[k] = apparent_from_geometric(retarded_moon(samples[k].jd_tt), Vector3{0.0, 0.0, 0.0}, false,
                                         samples[k].frame);
}

void body_positions(Body body, double t, const Sample (&samples)[SAMPLE_COUNT], ApparentPosition out[3]) noexcept {
    if (is_lunar_node(body)) {
        for (int k = 0; k < SAMPLE_COUNT; ++k) {
            const double jd_tt = samples[k].jd_tt;
            const double node = body == Body::MeanNode ? mean_node_longitude(jd_tt) : true_node_longitude_fast(jd_tt);
            out[k] = node_position(node, samples[k].frame.nutation_longitude);
        }
    } else if (body == Body::Moon) {
        moon_positions(samples, out);
    } else if (body == Body::Sun) {
        for (int k = 0; k < SAMPLE_COUNT; ++k) {
            const Sample& s = samples[k];
            const Vector3 geometric{-s.earth_position.x, -s.earth_position.y, -s.earth_position.z};
            out[k] = apparent_from_geometric(geometric, s.earth_velocity, true, s.frame);
        }
    } else {
        planet_positions(static_cast<int>(body) - static_cast<int>(Body::Mercury), t, samples, out);
    }
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
    // The planetary series are summed once per term for the three samples, at t and t ∓ H exactly.
    const double t = julian_millennia(jd_tt[0]);
    Sample samples[SAMPLE_COUNT];
    PlanetExpansion earth[SAMPLE_COUNT];
    if (needs_earth) vsop87_expansions_three(2, t, earth);
    for (int k = 0; k < SAMPLE_COUNT; ++k) {
        Sample& s = samples[k];
        s.jd_tt = jd_tt[k];
        s.frame = frame_of_date(jd_tt[k], nutation_fast(jd_tt[k]));
        s.shift = ((julian_millennia(jd_tt[k]) - t) - VSOP_OFFSETS[k]) * DAYS_PER_JULIAN_MILLENNIUM;
        s.earth_position = s.earth_velocity = Vector3{0.0, 0.0, 0.0};
        if (needs_earth) expansion_state_after(earth[k], s.shift, s.earth_position, s.earth_velocity);
    }
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
        ApparentPosition at[SAMPLE_COUNT];
        body_positions(bodies[i], t, samples, at);
        out[i] = BodyPosition{at[0].longitude, at[0].latitude, at[0].distance,
                              speed_degrees_per_day(at[1].longitude, at[2].longitude)};
    }
    return count;
}

}  // namespace zentaric
