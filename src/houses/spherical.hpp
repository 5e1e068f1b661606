// Spherical astronomy shared by the house systems (internal to houses/). Degrees in and out.
#pragma once

#include <cmath>
#include <optional>

#include "time/angles.hpp"

namespace zentaric::houses {

// normalize_degrees, bit for bit, without the fmod when x lies within one turn of [0, 360) (every sum of
// two normalised angles or of an angle and a semi-arc does): there the remainder is x, x − 360 or
// x + 360, and x − 360 is exact because fmod's result is representable.
inline double normalize_degrees_fast(double x) noexcept {
    if (x >= 0.0 && x < 360.0) return x;
    if (x >= 360.0 && x < 720.0) return x - 360.0;
    if (x < 0.0 && x > -360.0) {
        const double r = x + 360.0;
        return r >= 360.0 ? 0.0 : r;  // a tiny negative x rounds up to a full turn
    }
    return normalize_degrees(x);  // far outside, −360 itself (fmod gives −0), NaN and ±inf
}

// The trigonometry of the obliquity and the latitude (inputs in degrees), evaluated once per house
// computation and shared by its cusps.
struct SkyTrigonometry {
    double sin_obliquity;
    double cos_obliquity;
    double tan_latitude;
    bool inside_polar_circle;  // |φ| > 90° − ε: part of the ecliptic never sets, the opposite part never rises
};

inline SkyTrigonometry sky_trigonometry(double latitude, double obliquity) noexcept {
    const double epsilon = obliquity * DEG_TO_RAD;
    return SkyTrigonometry{std::sin(epsilon), std::cos(epsilon), std::tan(latitude * DEG_TO_RAD),
                           std::fabs(latitude) > 90.0 - obliquity};
}

// Whether the ascendant formula's intersection of ecliptic and horizon (degrees) is the setting one: inside
// the polar circle it can lie west of the meridian, more than 180° past the midheaven (degrees). Elsewhere it
// always lies between 0° and 180° past it, and is never questioned.
inline bool ascendant_is_setting(double asc, double mc, const SkyTrigonometry& sky) noexcept {
    return sky.inside_polar_circle && normalize_degrees_fast(asc - mc) > 180.0;
}

// Intersection of ecliptic and horizon (degrees, [0, 360)) given by the ascendant formula when the RAMC
// (degrees) culminates: tan λ = cos θ / −(sin θ cos ε + sin ε tan φ), quadrant from atan2. The rising degree
// everywhere but inside the polar circle (see ascendant_is_setting). Koch cusps take it as it is: where Koch
// does not fall back, its own ascendant is never the setting one (measured: 659,160 places inside the polar
// circle, obliquities 0° to 40°), and turning the ascendants of its shifted RAMCs would disorder more wheels.
inline double ascendant_of_ramc(double ramc, const SkyTrigonometry& sky) noexcept {
    const double r = ramc * DEG_TO_RAD;
    const double sin_r = std::sin(r), cos_r = std::cos(r);
    return normalize_degrees_fast(
        std::atan2(cos_r, -(sin_r * sky.cos_obliquity + sky.sin_obliquity * sky.tan_latitude)) * RAD_TO_DEG);
}

// Ecliptic longitude (degrees, [0, 360)) of the ecliptic point with right ascension ra (degrees):
// tan λ = tan α / cos ε, quadrant from atan2. At α = RAMC this is the midheaven.
inline double longitude_of_ra(double ra, const SkyTrigonometry& sky) noexcept {
    const double alpha = ra * DEG_TO_RAD;
    return normalize_degrees_fast(std::atan2(std::sin(alpha), std::cos(alpha) * sky.cos_obliquity) * RAD_TO_DEG);
}

// Right ascension (degrees, [0, 360)) of the ecliptic point at longitude (degrees): tan α = tan λ · cos ε.
inline double ra_of_longitude(double longitude, const SkyTrigonometry& sky) noexcept {
    const double lambda = longitude * DEG_TO_RAD;
    return normalize_degrees_fast(std::atan2(std::sin(lambda) * sky.cos_obliquity, std::cos(lambda)) * RAD_TO_DEG);
}

// Declination (degrees) of the ecliptic point at longitude (degrees): sin δ = sin λ · sin ε.
inline double declination_of_longitude(double longitude, const SkyTrigonometry& sky) noexcept {
    return std::asin(std::sin(longitude * DEG_TO_RAD) * sky.sin_obliquity) * RAD_TO_DEG;
}

// Diurnal semi-arc (degrees) of a point at declination (degrees): cos H = −tan φ · tan δ; nothing where
// the point never rises or never sets (or the argument is NaN).
inline std::optional<double> diurnal_semi_arc(double declination, const SkyTrigonometry& sky) noexcept {
    const double cos_semi_arc = -(sky.tan_latitude * std::tan(declination * DEG_TO_RAD));
    if (!(std::fabs(cos_semi_arc) <= 1.0)) return std::nullopt;
    return std::acos(cos_semi_arc) * RAD_TO_DEG;
}

}  // namespace zentaric::houses
