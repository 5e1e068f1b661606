// Angle constants and normalisation shared by every subsystem.
#pragma once

#include <cmath>

namespace zentaric {

inline constexpr double PI = 3.141592653589793;
inline constexpr double TWO_PI = 6.283185307179586;
inline constexpr double DEG_TO_RAD = 0.017453292519943295;  // π / 180
inline constexpr double RAD_TO_DEG = 57.29577951308232;     // 180 / π

// Degrees into [0, 360); NaN and ±inf become 0. A tiny negative remainder that rounds up to 360 becomes 0.
inline double normalize_degrees(double x) noexcept {
    if (x >= 0.0 && x < 360.0) return x;  // already normalised: fmod would return x unchanged
    if (!std::isfinite(x)) return 0.0;
    double r = std::fmod(x, 360.0);
    if (r < 0.0) r += 360.0;
    return r >= 360.0 ? 0.0 : r;
}

// Radians into [0, 2π), with the same rules as normalize_degrees.
inline double normalize_radians(double x) noexcept {
    if (x >= 0.0 && x < TWO_PI) return x;
    if (!std::isfinite(x)) return 0.0;
    double r = std::fmod(x, TWO_PI);
    if (r < 0.0) r += TWO_PI;
    return r >= TWO_PI ? 0.0 : r;
}

}  // namespace zentaric
