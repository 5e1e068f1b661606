// Pieces of the apparent-place pipeline shared by the per-body path and the chart batch (internal header).
#pragma once

#include <cmath>

#include "ephemeris/apparent.hpp"
#include "ephemeris/constants.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

// Rotations of one TT instant: J2000 equatorial → true equator and equinox of date, then → true ecliptic;
// with the precession matrix and mean obliquity they are built from (the true node uses them again).
struct FrameOfDate {
    Matrix3 npb;
    Matrix3 to_ecliptic;
    Matrix3 precession;
    double mean_obliquity;      // ε_A, radians
    double nutation_longitude;  // Δψ, radians
};

FrameOfDate frame_of_date(double jd_tt) noexcept;
// The same with the nutation given.
FrameOfDate frame_of_date(double jd_tt, const Nutation& nutation_of_date) noexcept;

// Apparent position of a geometric geocentric vector (AU, equatorial J2000), with or without annual aberration
// from the observer's velocity (AU per day).
ApparentPosition apparent_from_geometric(const Vector3& geometric, const Vector3& observer_velocity,
                                         bool with_aberration, const FrameOfDate& frame) noexcept;

// The light-time iteration: τ from the distance between the observer and the body at jd − τ, until τ changes by
// less than 1e-12 day (at most ten passes, then the state at the last τ). `state_at(τ)` gives a Result of a
// state with x, y, z (AU, equatorial J2000); a failure ends the iteration. The final τ goes to light_time.
template <class StateAt>
auto iterate_light_time(StateAt state_at, const Vector3& observer, double& light_time) -> decltype(state_at(0.0)) {
    double tau = 0.0;
    for (int pass = 0; pass < 10; ++pass) {
        auto state = state_at(tau);
        if (!state.ok()) return state;
        const auto& s = state.value();
        const double dx = s.x - observer.x;
        const double dy = s.y - observer.y;
        const double dz = s.z - observer.z;
        const double next = std::sqrt(dx * dx + dy * dy + dz * dz) / LIGHT_SPEED_AU_PER_DAY;
        const double change = next - tau;
        tau = next;
        if (std::fabs(change) < 1e-12) {
            light_time = tau;
            return state;
        }
    }
    light_time = tau;
    return state_at(tau);
}

bool is_lunar_node(Body body) noexcept;

// A node longitude of the mean equinox of date (degrees) plus the nutation in longitude (radians):
// latitude 0, distance 1.
ApparentPosition node_position(double node_degrees, double nutation_longitude) noexcept;

// Longitude difference of two samples a day apart, wrapped into (−π, π], in degrees per day.
double speed_degrees_per_day(double longitude_before, double longitude_after) noexcept;

}  // namespace zentaric
