// Spherical astronomy shared by the house systems (internal to houses/). Degrees in and out.
#pragma once

#include <cmath>
#include <optional>

#include "time/angles.hpp"

namespace zentaric::houses {

// Ecliptic longitude (degrees, [0, 360)) of the ecliptic point with right ascension ra (degrees).
inline double longitude_of_ra(double ra, double obliquity) noexcept {
    const double alpha = ra * DEG_TO_RAD;
    // tan λ = tan α / cos ε, quadrant from atan2
    return normalize_degrees(std::atan2(std::sin(alpha), std::cos(alpha) * std::cos(obliquity * DEG_TO_RAD)) *
                             RAD_TO_DEG);
}

// Right ascension (degrees, [0, 360)) of the ecliptic point at longitude (degrees).
inline double ra_of_longitude(double longitude, double obliquity) noexcept {
    const double lambda = longitude * DEG_TO_RAD;
    // tan α = tan λ · cos ε, quadrant from atan2
    return normalize_degrees(std::atan2(std::sin(lambda) * std::cos(obliquity * DEG_TO_RAD), std::cos(lambda)) *
                             RAD_TO_DEG);
}

// Declination (degrees) of the ecliptic point at longitude (degrees): sin δ = sin λ · sin ε.
inline double declination_of_longitude(double longitude, double obliquity) noexcept {
    return std::asin(std::sin(longitude * DEG_TO_RAD) * std::sin(obliquity * DEG_TO_RAD)) * RAD_TO_DEG;
}

// Diurnal semi-arc (degrees) of a point at declination (degrees) seen from latitude (degrees):
// cos H = −tan φ · tan δ; nothing where the point never rises or never sets (or the argument is NaN).
inline std::optional<double> diurnal_semi_arc(double latitude, double declination) noexcept {
    const double cos_semi_arc = -(std::tan(latitude * DEG_TO_RAD) * std::tan(declination * DEG_TO_RAD));
    if (!(std::fabs(cos_semi_arc) <= 1.0)) return std::nullopt;
    return std::acos(cos_semi_arc) * RAD_TO_DEG;
}

}  // namespace zentaric::houses
