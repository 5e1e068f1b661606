// VSOP87A planetary theory (Bretagnon & Francou 1988): heliocentric rectangular coordinates of the eight
// planets, ecliptic and equinox J2000, from truncated series compiled into the library.
#pragma once

#include <cstddef>

namespace zentaric {

// Half a day in Julian millennia.
inline constexpr double VSOP_HALF_DAY = 0.5 / 365250.0;

// A contiguous run of Poisson-series terms A·cos(B + K·t) (A in AU, B in radians, K in radians per Julian
// millennium) in decreasing order of |A|, one array per column, with each term's half-day turn cos(K·H) and
// sin(K·H) for H = VSOP_HALF_DAY (they turn its sine and cosine at t into those at t ± H); a count of 0 sums to 0.
struct VsopSeries {
    const double* amplitude;
    const double* phase;
    const double* frequency;
    std::size_t count;
    const double* turn_cosine;
    const double* turn_sine;
};

// [planet 0 Mercury .. 7 Neptune][coordinate X, Y, Z][power of t 0..5].
extern const VsopSeries VSOP_PLANETS[8][3][6];

inline constexpr int VSOP_PLANET_COUNT = 8;

// Value of one coordinate (AU) and its time derivative (AU per Julian millennium).
struct CoordinateValue {
    double value;
    double derivative;
};

// Heliocentric position (AU) and velocity (AU per Julian millennium), ecliptic and equinox J2000.
struct VsopState {
    double x, y, z, vx, vy, vz;
};

// One coordinate from its six series (powers 0..5) at t Julian millennia of TT from J2000.
CoordinateValue evaluate_coordinate(const VsopSeries (&series)[6], double t) noexcept;

// Heliocentric state of a planet (0 Mercury .. 7 Neptune) at a TT Julian Day; other indices give zeros.
VsopState vsop87_state(int planet, double jd_tt) noexcept;

}  // namespace zentaric
