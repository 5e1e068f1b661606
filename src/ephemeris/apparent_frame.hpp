// Pieces of the apparent-place pipeline shared by the per-body path and the chart batch (internal header).
#pragma once

#include "ephemeris/apparent.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

// Rotations of one TT instant: J2000 equatorial → true equator and equinox of date, then → true ecliptic.
struct FrameOfDate {
    Matrix3 npb;
    Matrix3 to_ecliptic;
    double nutation_longitude;  // Δψ, radians
};

FrameOfDate frame_of_date(double jd_tt) noexcept;
// The same with the nutation given.
FrameOfDate frame_of_date(double jd_tt, const Nutation& nutation_of_date) noexcept;

// Apparent position of a geometric geocentric vector (AU, equatorial J2000), with or without annual aberration
// from the observer's velocity (AU per day).
ApparentPosition apparent_from_geometric(const Vector3& geometric, const Vector3& observer_velocity,
                                         bool with_aberration, const FrameOfDate& frame) noexcept;

bool is_lunar_node(Body body) noexcept;

// A node longitude of the mean equinox of date (degrees) plus the nutation in longitude (radians):
// latitude 0, distance 1.
ApparentPosition node_position(double node_degrees, double nutation_longitude) noexcept;

// Longitude difference of two samples a day apart, wrapped into (−π, π], in degrees per day.
double speed_degrees_per_day(double longitude_before, double longitude_after) noexcept;

}  // namespace zentaric
