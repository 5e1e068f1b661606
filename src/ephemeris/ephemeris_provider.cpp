// The built-in ephemeris provider and the texts of ephemeris errors.
#include "ephemeris/ephemeris_provider.hpp"

#include <cmath>
#include <utility>

#include "common/fixed_decimal.hpp"
#include "ephemeris/analytical_batch.hpp"
#include "ephemeris/constants.hpp"
#include "ephemeris/elp_mpp02.hpp"
#include "ephemeris/lunar_nodes.hpp"
#include "ephemeris/vsop87.hpp"
#include "time/angles.hpp"

namespace zentaric {

EphemerisError EphemerisError::julian_day_out_of_range(double jd, double min, double max) {
    EphemerisError error;
    error.kind = Kind::JulianDayOutOfRange;
    error.jd = jd;
    error.min = min;
    error.max = max;
    return error;
}

EphemerisError EphemerisError::body_not_available(std::uint32_t id) {
    EphemerisError error;
    error.kind = Kind::BodyNotAvailable;
    error.body_id = id;
    return error;
}

EphemerisError EphemerisError::invalid_format(std::string message) {
    EphemerisError error;
    error.kind = Kind::InvalidFormat;
    error.message = std::move(message);
    return error;
}

EphemerisError EphemerisError::io(std::string message) {
    EphemerisError error;
    error.kind = Kind::Io;
    error.message = std::move(message);
    return error;
}

std::string EphemerisError::text() const {
    switch (kind) {
        case Kind::JulianDayOutOfRange:
            return "Julian Day " + fixed_decimal(jd) + " out of range [" + fixed_decimal(min) + ", " +
                   fixed_decimal(max) + "]";
        case Kind::BodyNotAvailable:
            return "Body with ID " + std::to_string(body_id) + " not available in ephemeris";
        case Kind::InvalidFormat:
            return "Invalid ephemeris format: " + message;
        case Kind::Io:
            return "I/O error: " + message;
    }
    return std::string();
}

bool in_ephemeris_range(double jd_tt) noexcept { return JD_MIN <= jd_tt && jd_tt <= JD_MAX; }

void ecliptic_to_equatorial_j2000(double& y, double& z) noexcept {
    const double y_equator = y * J2000_OBLIQUITY_COS - z * J2000_OBLIQUITY_SIN;
    const double z_equator = y * J2000_OBLIQUITY_SIN + z * J2000_OBLIQUITY_COS;
    y = y_equator;
    z = z_equator;
}

namespace {

StateVector to_equator(double x, double y, double z, double vx, double vy, double vz) noexcept {
    ecliptic_to_equatorial_j2000(y, z);
    ecliptic_to_equatorial_j2000(vy, vz);
    return StateVector{x, y, z, vx, vy, vz};
}

// Unit vector of a node longitude (degrees) on the J2000 ecliptic, in the equatorial frame.
StateVector node_direction(double longitude_degrees) noexcept {
    const double l = longitude_degrees * PI / 180.0;
    return StateVector{std::cos(l), std::sin(l) * J2000_OBLIQUITY_COS, std::sin(l) * J2000_OBLIQUITY_SIN, 0.0, 0.0, 0.0};
}

}  // namespace

Result<StateVector, EphemerisError> AnalyticalEphemeris::state_vector(Body body, double jd_tt) const {
    if (!in_ephemeris_range(jd_tt)) return EphemerisError::julian_day_out_of_range(jd_tt, JD_MIN, JD_MAX);
    switch (body) {
        case Body::Sun:
            return StateVector{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
        case Body::Moon: {
            // Geocentric, unscaled (the Earth–Moon mass scaling would give the barycentric distance).
            const MoonState m = moon_state(jd_tt);
            return to_equator(m.x / AU_KM, m.y / AU_KM, m.z / AU_KM, m.vx / AU_KM, m.vy / AU_KM, m.vz / AU_KM);
        }
        case Body::Mercury:
        case Body::Venus:
        case Body::Earth:
        case Body::Mars:
        case Body::Jupiter:
        case Body::Saturn:
        case Body::Uranus:
        case Body::Neptune: {
            const int planet = static_cast<int>(body) - static_cast<int>(Body::Mercury);
            const VsopState s = vsop87_state(planet, jd_tt);
            return to_equator(s.x, s.y, s.z, s.vx / DAYS_PER_JULIAN_MILLENNIUM, s.vy / DAYS_PER_JULIAN_MILLENNIUM,
                              s.vz / DAYS_PER_JULIAN_MILLENNIUM);
        }
        case Body::MeanNode:
            return node_direction(mean_node_longitude(jd_tt));
        case Body::TrueNode:
            return node_direction(true_node_longitude(jd_tt));
        case Body::Pluto:
            return EphemerisError::body_not_available(9);
    }
    return EphemerisError::body_not_available(static_cast<std::uint32_t>(body));
}

std::optional<Result<std::size_t, EphemerisError>> AnalyticalEphemeris::batch_positions(
    const Body* bodies, std::size_t count, double jd_ut, BodyPosition* out, std::size_t* failed_index) const {
    return analytical_batch_positions(bodies, count, jd_ut, out, failed_index);
}

}  // namespace zentaric
