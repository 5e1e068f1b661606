// Longitudes of the Moon's ascending node (Meeus, Astronomical Algorithms ch. 47), mean equinox of date.
#pragma once

namespace zentaric {

// Mean ascending node at a TT Julian Day, degrees in [0, 360).
double mean_node_longitude(double jd_tt) noexcept;

// True ascending node (mean node plus the five largest periodic terms) at a TT Julian Day, degrees in [0, 360).
double true_node_longitude(double jd_tt) noexcept;

}  // namespace zentaric
