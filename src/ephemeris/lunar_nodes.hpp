// Longitudes of the Moon's ascending node, mean ecliptic and equinox of date: the mean node (Meeus, Astronomical
// Algorithms ch. 47) and the true node, the node of the osculating orbit of the ELP/MPP02 Moon.
#pragma once

#include "time/earth_orientation.hpp"

namespace zentaric {

// Mean ascending node at a TT Julian Day, degrees in [0, 360).
double mean_node_longitude(double jd_tt) noexcept;

// True ascending node at a TT Julian Day, degrees in [0, 360): the node of the plane through the geocentre
// spanned by the Moon's position and velocity (both from the positions 0.001 day before and after).
double true_node_longitude(double jd_tt) noexcept;

// true_node_longitude with the lunar series summed by the fast kernels (their directions only: the node is the
// plane through the geocentre and the two positions), given precession_matrix(jd_tt) and mean_obliquity(jd_tt).
double true_node_longitude_fast(double jd_tt, const Matrix3& precession, double mean_obliquity_of_date) noexcept;

}  // namespace zentaric
