// Helpers shared by the house computations (internal to houses/). Degrees in and out.
#pragma once

#include <cmath>

#include "houses/house_cusps.hpp"
#include "houses/spherical.hpp"
#include "time/angles.hpp"

namespace zentaric::houses {

// Ascendant and midheaven (degrees) of compute_angles, and whether the ascendant formula gave the setting
// degree, so that the ascendant is the degree opposite to it (inside the polar circle only).
struct RisingAngles {
    Angles angles;
    bool ascendant_turned;
};

inline RisingAngles rising_angles(double ramc, const SkyTrigonometry& sky) noexcept {
    const double r = ramc * DEG_TO_RAD;
    const double sin_r = std::sin(r), cos_r = std::cos(r);
    // Ascendant: tan λ = cos θ / −(sin θ cos ε + sin ε tan φ); midheaven: tan λ = tan θ / cos ε
    const double asc = std::atan2(cos_r, -(sin_r * sky.cos_obliquity + sky.sin_obliquity * sky.tan_latitude));
    const double mc = std::atan2(sin_r, cos_r * sky.cos_obliquity);
    const Angles angles{normalize_degrees_fast(asc * RAD_TO_DEG), normalize_degrees_fast(mc * RAD_TO_DEG)};
    if (!ascendant_is_setting(angles.asc, angles.mc, sky)) return RisingAngles{angles, false};
    return RisingAngles{Angles{normalize_degrees_fast(angles.asc + 180.0), angles.mc}, true};
}

// Ascendant and midheaven (degrees) of compute_angles, from the trigonometry already evaluated.
inline Angles angles_of(double ramc, const SkyTrigonometry& sky) noexcept { return rising_angles(ramc, sky).angles; }

// The Equal record labelled as the requested system, with polar_fallback set (Placidus and Koch only).
HouseCusps equal_fallback(HouseSystem requested, double ramc, double latitude, double obliquity) noexcept;

}  // namespace zentaric::houses
