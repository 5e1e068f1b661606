// The built-in provider's chart batch: positions and speeds of several bodies at one instant. The Earth, the
// nutation and the frame matrices are computed once per sample instant for all bodies, each planet's series are
// summed once per term for the three instants (with their derivatives, which give the light-time positions and
// carry the samples over the change of Delta T), and every series goes through the fast kernels.
#include <algorithm>
#include <cmath>

#include "ephemeris/analytical_batch.hpp"
#include "ephemeris/apparent_frame.hpp"
#include "ephemeris/constants.hpp"
#include "ephemeris/fast_series.hpp"
#include "ephemeris/lunar_nodes.hpp"
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

Vector3 equatorial(const double ecliptic[3]) noexcept {
    double y = ecliptic[1];
    double z = ecliptic[2];
    ecliptic_to_equatorial_j2000(y, z);
    return Vector3{ecliptic[0], y, z};
}

// Everything one sample instant shares among the bodies.
struct Sample {
    double jd_tt;
    FrameOfDate frame;
    Vector3 earth_position;
    Vector3 earth_velocity;
};

// A planet's path over the day around the chart's instant t: the quintic through its positions and velocities
// at t − H, t and t + H (Hermite interpolation), in s = days from t ÷ h, h = H in days. Its error,
// |p⁽⁶⁾|/720 · (x − t₋)²(x − t)²(x − t₊)², stays below 1e-13 AU over the day (Mercury's harmonics) and below
// 1e-15 AU within its light time of t; the samples of the chart lie within 1e-7 day of t and t ± h, the light
// times within 0.2 day before them.
struct PlanetPath {
    double coefficient[3][6];  // per coordinate, of s⁰ .. s⁵
};

constexpr double HALF_DAY_DAYS = VSOP_HALF_DAY * DAYS_PER_JULIAN_MILLENNIUM;

PlanetPath planet_path(const PlanetSamples& samples) noexcept {
    PlanetPath path{};
    const double h = HALF_DAY_DAYS;
    for (int c = 0; c < 3; ++c) {
        const double centre = samples.position[0][c];
        const double even = samples.position[2][c] + samples.position[1][c] - 2.0 * centre;  // p₊ + p₋ − 2p₀
        const double odd = samples.position[2][c] - samples.position[1][c];                  // p₊ − p₋
        const double rate_sum = h * (samples.velocity[2][c] + samples.velocity[1][c]);
        const double rate_difference = h * (samples.velocity[2][c] - samples.velocity[1][c]);
        double* k = path.coefficient[c];
        k[0] = centre;
        k[1] = h * samples.velocity[0][c];
        k[2] = even - 0.25 * rate_difference;
        k[4] = 0.25 * rate_difference - 0.5 * even;
        k[5] = 0.25 * rate_sum + k[1] - 0.75 * odd;
        k[3] = 0.5 * odd - k[1] - k[5];
    }
    return path;
}

// Equatorial position (AU) on the path `days` after t.
Vector3 path_position(const PlanetPath& path, double days) noexcept {
    const double s = days / HALF_DAY_DAYS;
    double ecliptic[3];
    for (int c = 0; c < 3; ++c) {
        const double* k = path.coefficient[c];
        ecliptic[c] = k[0] + s * (k[1] + s * (k[2] + s * (k[3] + s * (k[4] + s * k[5]))));
    }
    return equatorial(ecliptic);
}

// Equatorial velocity (AU per day) on the path `days` after t.
Vector3 path_velocity(const PlanetPath& path, double days) noexcept {
    const double s = days / HALF_DAY_DAYS;
    double ecliptic[3];
    for (int c = 0; c < 3; ++c) {
        const double* k = path.coefficient[c];
        ecliptic[c] = (k[1] + s * (2.0 * k[2] + s * (3.0 * k[3] + s * (4.0 * k[4] + s * 5.0 * k[5])))) / HALF_DAY_DAYS;
    }
    return equatorial(ecliptic);
}

// Geocentric Moon in AU, equatorial J2000, at T Julian centuries.
Vector3 moon_equatorial_au(double t) noexcept {
    const MoonPosition m = moon_position_at_centuries(t);
    const double au[3] = {m.x / AU_KM, m.y / AU_KM, m.z / AU_KM};
    return equatorial(au);
}

// The Moon retarded by the light time from the geocentre. The first pass needs only the distance at jd (its
// direction is never used: the iteration never stops at τ = 0); later passes sum the series again only when the
// series time T(jd − τ) changes, which after the second pass is rare (τ then moves by ~1e-12 day, less than
// the last place of jd).
Vector3 retarded_moon(double jd_tt) noexcept {
    double evaluated_t = 0.0;
    Vector3 moon{0.0, 0.0, 0.0};
    bool evaluated = false;
    double light_time = 0.0;
    return iterate_light_time(
               [&](double tau) -> Result<Vector3, EphemerisError> {
                   if (tau == 0.0) return Vector3{moon_distance_fast(julian_centuries(jd_tt)) / AU_KM, 0.0, 0.0};
                   const double t = julian_centuries(jd_tt - tau);
                   if (!evaluated || t != evaluated_t) {
                       evaluated = true;
                       evaluated_t = t;
                       moon = moon_equatorial_au(t);
                   }
                   return moon;
               },
               Vector3{0.0, 0.0, 0.0}, light_time)
        .value();
}

// The Moon retarded by one light time from the geocentre, τ = r(jd) / c, with the series of its direction alone,
// scaled to r(jd): τ differs from the converged light time by ~1e-12 day (the Moon moves 1e-11° in it), the
// direction agrees with retarded_moon's to rounding, the distance to 0.1 km.
Vector3 retarded_moon_direction(double jd_tt) noexcept {
    const double distance = moon_distance_fast(julian_centuries(jd_tt));
    const double tau = distance / AU_KM / LIGHT_SPEED_AU_PER_DAY;
    const MoonPosition unit = moon_direction_fast(jd_tt - tau);
    const double scale = distance / AU_KM / std::sqrt(unit.x * unit.x + unit.y * unit.y + unit.z * unit.z);
    const double au[3] = {unit.x * scale, unit.y * scale, unit.z * scale};
    return equatorial(au);
}

// Apparent position of a planet at one sample, from its path around t.
ApparentPosition planet_on_path(const PlanetPath& path, double t, const Sample& s) noexcept {
    double light_time = 0.0;
    const Vector3 target =
        iterate_light_time(
            [&path, &s, t](double tau) -> Result<Vector3, EphemerisError> {
                // The provider is asked at the double jd − τ: its series time, as rounded, from t.
                return path_position(path, (julian_millennia(s.jd_tt - tau) - t) * DAYS_PER_JULIAN_MILLENNIUM);
            },
            s.earth_position, light_time)
            .value();
    const Vector3 geometric{target.x - s.earth_position.x, target.y - s.earth_position.y,
                            target.z - s.earth_position.z};
    return apparent_from_geometric(geometric, s.earth_velocity, true, s.frame);
}

// Apparent positions of one planet at the three samples, from its path.
void planet_positions(int planet, double t, const Sample (&samples)[SAMPLE_COUNT], ApparentPosition out[3]) noexcept {
    PlanetSamples planet_samples;
    vsop87_samples_three(planet, t, planet_samples);
    const PlanetPath path = planet_path(planet_samples);
    for (int k = 0; k < SAMPLE_COUNT; ++k) out[k] = planet_on_path(path, t, samples[k]);
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
            const Sample& s = samples[k];
            const double node = body == Body::MeanNode
                                    ? mean_node_longitude(s.jd_tt)
                                    : true_node_longitude_fast(s.jd_tt, s.frame.precession, s.frame.mean_obliquity);
            out[k] = node_position(node, s.frame.nutation_longitude);
        }
    } else if (body == Body::Moon) {
        moon_positions(samples, out);
    } else if (body == Body::Earth) {
        // The observer itself: no direction (as position_and_speed gives it).
        for (int k = 0; k < SAMPLE_COUNT; ++k)
            out[k] = apparent_from_geometric(Vector3{0.0, 0.0, 0.0}, samples[k].earth_velocity, true, samples[k].frame);
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

std::optional<Result<std::size_t, EphemerisError>> analytical_batch_positions(const Body* bodies,
                                                                              std::size_t count, double jd_ut,
                                                                              BodyPosition* out,
                                                                              std::size_t* failed_index) {
    double jd_tt[SAMPLE_COUNT];
    for (int k = 0; k < SAMPLE_COUNT; ++k) {
        jd_tt[k] = to_terrestrial_time(jd_ut + SAMPLE_OFFSETS[k]);
        if (!(jd_tt[k] >= JD_MIN + RANGE_MARGIN_DAYS && jd_tt[k] <= JD_MAX - RANGE_MARGIN_DAYS)) return std::nullopt;
    }
    bool needs_earth = false;
    for (std::size_t i = 0; i < count; ++i)
        needs_earth = needs_earth || bodies[i] == Body::Sun || bodies[i] == Body::Earth || is_batch_planet(bodies[i]);
    // The planetary series are summed once per term for the three samples, at t and t ∓ H exactly.
    const double t = julian_millennia(jd_tt[0]);
    Sample samples[SAMPLE_COUNT];
    PlanetPath earth{};
    if (needs_earth) {
        PlanetSamples earth_samples;
        vsop87_samples_three(2, t, earth_samples);
        earth = planet_path(earth_samples);
    }
    for (int k = 0; k < SAMPLE_COUNT; ++k) {
        Sample& s = samples[k];
        s.jd_tt = jd_tt[k];
        s.frame = frame_of_date(jd_tt[k], nutation_fast(jd_tt[k]));
        s.earth_position = s.earth_velocity = Vector3{0.0, 0.0, 0.0};
        if (needs_earth) {
            // The samples lie ±h from t up to the change of Delta T over half a day (~1e-8 day).
            const double days = (julian_millennia(jd_tt[k]) - t) * DAYS_PER_JULIAN_MILLENNIUM;
            s.earth_position = path_position(earth, days);
            s.earth_velocity = path_velocity(earth, days);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (bodies[i] == Body::Pluto || static_cast<int>(bodies[i]) >= BODY_COUNT) {
            // Not in the built-in theories: the failure state_vector reports.
            if (failed_index != nullptr) *failed_index = i;
            return std::optional<Result<std::size_t, EphemerisError>>(
                std::in_place,
                EphemerisError::body_not_available(bodies[i] == Body::Pluto ? 9u : static_cast<std::uint32_t>(bodies[i])));
        }
        ApparentPosition at[SAMPLE_COUNT];
        body_positions(bodies[i], t, samples, at);
        out[i] = BodyPosition{at[0].longitude, at[0].latitude, at[0].distance,
                              speed_degrees_per_day(at[1].longitude, at[2].longitude)};
    }
    // Built in place: moving a finished Result into the optional makes g++ (-O1, sanitizers) see a path that
    // copies the error alternative of a variant holding the count, and warn that its fields may be uninitialized.
    return std::optional<Result<std::size_t, EphemerisError>>(std::in_place, count);
}


namespace {

Result<FrameAngles, EphemerisError> apparent_positions_cut(const Body* bodies, std::size_t count, double jd_ut,
                                                           const SeriesCut& cut, ApparentPosition* out) {
    const double jd_tt = to_terrestrial_time(jd_ut);
    // Planets are taken from their path over the day around jd (light times stay below 0.2 day).
    if (!(jd_tt >= JD_MIN + RANGE_MARGIN_DAYS && jd_tt <= JD_MAX - RANGE_MARGIN_DAYS))
        return EphemerisError::julian_day_out_of_range(jd_tt, JD_MIN + RANGE_MARGIN_DAYS, JD_MAX - RANGE_MARGIN_DAYS);
    const double t = julian_millennia(jd_tt);
    const Nutation nutation_of_date = nutation_fast(jd_tt);
    Sample sample{jd_tt, frame_of_date(jd_tt, nutation_of_date), {0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}};
    bool earth_done = false;
    for (std::size_t i = 0; i < count; ++i) {
        const Body body = bodies[i];
        if (body == Body::Pluto || static_cast<int>(body) >= BODY_COUNT)
            return EphemerisError::body_not_available(body == Body::Pluto ? 9u : static_cast<std::uint32_t>(body));
        const bool needs_earth = body == Body::Sun || body == Body::Earth || is_batch_planet(body);
        if (needs_earth && !earth_done) {
            PlanetSamples earth;
            vsop87_samples_three_cut(2, t, cut.least_amplitude, cut.millennia, earth);
            sample.earth_position = equatorial(earth.position[0]);
            sample.earth_velocity = equatorial(earth.velocity[0]);
            earth_done = true;
        }
        if (is_lunar_node(body)) {
            const double node = body == Body::MeanNode ? mean_node_longitude(jd_tt)
                                                       : true_node_longitude_fast(jd_tt, sample.frame.precession,
                                                                                  sample.frame.mean_obliquity);
            out[i] = node_position(node, nutation_of_date.longitude);
        } else if (body == Body::Moon) {
            out[i] = apparent_from_geometric(retarded_moon_direction(jd_tt), Vector3{0.0, 0.0, 0.0}, false,
                                             sample.frame);
        } else if (body == Body::Earth) {
            out[i] = apparent_from_geometric(Vector3{0.0, 0.0, 0.0}, sample.earth_velocity, true, sample.frame);
        } else if (body == Body::Sun) {
            const Vector3 geometric{-sample.earth_position.x, -sample.earth_position.y, -sample.earth_position.z};
            out[i] = apparent_from_geometric(geometric, sample.earth_velocity, true, sample.frame);
        } else {
            PlanetSamples planet_samples;
            vsop87_samples_three_cut(static_cast<int>(body) - static_cast<int>(Body::Mercury), t, cut.least_amplitude,
                                     cut.millennia, planet_samples);
            out[i] = planet_on_path(planet_path(planet_samples), t, sample);
        }
    }
    return FrameAngles{jd_tt, nutation_of_date.longitude, nutation_of_date.obliquity, sample.frame.mean_obliquity};
}

}  // namespace

Result<FrameAngles, EphemerisError> fast_apparent_positions(const Body* bodies, std::size_t count, double jd_ut,
                                                             ApparentPosition* out) {
    return apparent_positions_cut(bodies, count, jd_ut, SeriesCut{}, out);
}

Result<FrameAngles, EphemerisError> cut_apparent_positions(const Body* bodies, std::size_t count, double jd_ut,
                                                            const SeriesCut& cut, ApparentPosition* out) {
    return apparent_positions_cut(bodies, count, jd_ut, cut, out);
}

Result<PlanetDay, EphemerisError> PlanetDay::around(Body planet, double jd_ut) {
    if (!is_batch_planet(planet)) return EphemerisError::body_not_available(static_cast<std::uint32_t>(planet));
    const double jd_tt = to_terrestrial_time(jd_ut);
    if (!(jd_tt >= JD_MIN + RANGE_MARGIN_DAYS && jd_tt <= JD_MAX - RANGE_MARGIN_DAYS))
        return EphemerisError::julian_day_out_of_range(jd_tt, JD_MIN + RANGE_MARGIN_DAYS, JD_MAX - RANGE_MARGIN_DAYS);
    PlanetDay day;
    day.anchor_ut_ = jd_ut;
    day.anchor_millennia_ = julian_millennia(jd_tt);
    PlanetSamples samples;
    vsop87_samples_three(2, day.anchor_millennia_, samples);
    const PlanetPath earth = planet_path(samples);
    vsop87_samples_three(static_cast<int>(planet) - static_cast<int>(Body::Mercury), day.anchor_millennia_, samples);
    const PlanetPath body = planet_path(samples);
    std::copy(&earth.coefficient[0][0], &earth.coefficient[0][0] + 18, &day.earth_[0][0]);
    std::copy(&body.coefficient[0][0], &body.coefficient[0][0] + 18, &day.planet_[0][0]);
    return day;
}

Result<FrameAngles, EphemerisError> PlanetDay::at(double jd_ut, ApparentPosition& out) const {
    if (!(std::fabs(jd_ut - anchor_ut_) <= REACH_DAYS))
        return EphemerisError::julian_day_out_of_range(jd_ut, anchor_ut_ - REACH_DAYS, anchor_ut_ + REACH_DAYS);
    const double jd_tt = to_terrestrial_time(jd_ut);
    PlanetPath earth{}, planet{};
    std::copy(&earth_[0][0], &earth_[0][0] + 18, &earth.coefficient[0][0]);
    std::copy(&planet_[0][0], &planet_[0][0] + 18, &planet.coefficient[0][0]);
    const double days = (julian_millennia(jd_tt) - anchor_millennia_) * DAYS_PER_JULIAN_MILLENNIUM;
    const Nutation nutation_of_date = nutation_fast(jd_tt);
    const Sample sample{jd_tt, frame_of_date(jd_tt, nutation_of_date), path_position(earth, days),
                        path_velocity(earth, days)};
    out = planet_on_path(planet, anchor_millennia_, sample);
    return FrameAngles{jd_tt, nutation_of_date.longitude, nutation_of_date.obliquity, sample.frame.mean_obliquity};
}

}  // namespace zentaric
