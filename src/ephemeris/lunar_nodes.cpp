// Lunar nodes: the mean node of Meeus ch. 47 and the osculating node of the ELP/MPP02 Moon.
#include "ephemeris/lunar_nodes.hpp"

#include <cmath>

#include "ephemeris/constants.hpp"
#include "ephemeris/elp_mpp02.hpp"
#include "ephemeris/fast_series.hpp"
#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

namespace {

// Half-width of the central difference that gives the Moon's velocity, days. Position and velocity at the
// instant come from the two samples to O(δ²): 1.6e-6 degree in the node (against δ = 0.0001 day), while the
// rounding of the two positions moves it by about 1e-8 degree.
constexpr double VELOCITY_STEP_DAYS = 0.001;

// Ecliptic of J2000 to the mean equator of J2000: rotation about x by −ε₀.
constexpr Matrix3 ECLIPTIC_TO_EQUATOR_J2000 = {{
    {1.0, 0.0, 0.0},
    {0.0, J2000_OBLIQUITY_COS, -J2000_OBLIQUITY_SIN},
    {0.0, J2000_OBLIQUITY_SIN, J2000_OBLIQUITY_COS},
}};

// Mean node before normalisation, degrees (Meeus 47.7); the T⁴ coefficient is −1 ÷ 60616000.
double mean_node_degrees(double t) noexcept {
    return 125.0445479 + t * (-1934.1362891 + t * (0.0020754 + t * (1.0 / 467441.0 + t * -1.649729444371123e-08)));
}

// Geocentric Moon (km, km per day; ecliptic and equinox of J2000) at a TT Julian Day from its positions
// δ = VELOCITY_STEP_DAYS before and after: velocity their central difference, position their mean. The plane
// of r × v is then the plane through the geocentre and the two positions (r₋ × r₊ = 2δ · r × v exactly).
template <class PositionAt>
MoonState moon_state_from_two_positions(PositionAt position_at, double jd_tt) noexcept {
    const MoonPosition after = position_at(jd_tt + VELOCITY_STEP_DAYS);
    const MoonPosition before = position_at(jd_tt - VELOCITY_STEP_DAYS);
    const double scale = 1.0 / (2.0 * VELOCITY_STEP_DAYS);
    return MoonState{(after.x + before.x) * 0.5,
                     (after.y + before.y) * 0.5,
                     (after.z + before.z) * 0.5,
                     (after.x - before.x) * scale,
                     (after.y - before.y) * scale,
                     (after.z - before.z) * scale};
}

// J2000 ecliptic → mean equator of J2000 → frame bias and IAU 2006 precession → mean ecliptic of date, from
// the precession matrix and the mean obliquity of the date.
Matrix3 ecliptic_of_date_rotation(const Matrix3& precession, double mean_obliquity_of_date) noexcept {
    return multiply(rotation_x(mean_obliquity_of_date),
                    multiply(multiply(precession, FRAME_BIAS), ECLIPTIC_TO_EQUATOR_J2000));
}

// Ascending node of the orbit through the geocentre with a geocentric state (ecliptic and equinox of J2000),
// degrees in [0, 360), mean ecliptic and equinox of date (osculating node: Explanatory Supplement to the
// Astronomical Almanac).
double osculating_node_longitude(const MoonState& moon, const Matrix3& to_ecliptic_of_date) noexcept {
    // Both vectors with the same matrix (the inertial velocity seen in the frame of date).
    const Vector3 r = multiply(to_ecliptic_of_date, Vector3{moon.x, moon.y, moon.z});
    const Vector3 v = multiply(to_ecliptic_of_date, Vector3{moon.vx, moon.vy, moon.vz});
    // Orbital angular momentum h = r × v; the ascending node points along ẑ × h = (−h_y, h_x, 0).
    const double h_x = r.y * v.z - r.z * v.y;
    const double h_y = r.z * v.x - r.x * v.z;
    return normalize_degrees(std::atan2(h_x, -h_y) * RAD_TO_DEG);
}

}  // namespace

double mean_node_longitude(double jd_tt) noexcept { return normalize_degrees(mean_node_degrees(julian_centuries(jd_tt))); }

double true_node_longitude(double jd_tt) noexcept {
    return osculating_node_longitude(moon_state_from_two_positions(moon_position, jd_tt),
                                     ecliptic_of_date_rotation(precession_matrix(jd_tt), mean_obliquity(jd_tt)));
}

double true_node_longitude_fast(double jd_tt, const Matrix3& precession, double mean_obliquity_of_date) noexcept {
    // The plane through the geocentre and the two positions depends on their directions only.
    return osculating_node_longitude(moon_state_from_two_positions(moon_direction_fast, jd_tt),
                                     ecliptic_of_date_rotation(precession, mean_obliquity_of_date));
}

}  // namespace zentaric
