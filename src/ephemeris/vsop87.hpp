// VSOP87A planetary theory (Bretagnon & Francou 1988): heliocentric rectangular coordinates of the eight
// planets, ecliptic and equinox J2000, from truncated series compiled into the library.
#pragma once

#include <cstddef>

namespace zentaric {

// One Poisson-series term: A·cos(B + K·t); A in AU, B in radians, K in radians per Julian millennium.
struct VsopTerm {
    double amplitude;
    double phase;
    double frequency;
};

// Half a day in Julian millennia.
inline constexpr double VSOP_HALF_DAY = 0.5 / 365250.0;

// cos(K·H) and sin(K·H) of a term for H = VSOP_HALF_DAY: they turn its sine and cosine at t into those at t ± H.
struct VsopHalfDayTurn {
    double cosine;
    double sine;
};

// A contiguous run of terms in decreasing order of |A|, with the half-day turn of each term; a count of 0
// sums to 0.
struct VsopSeries {
    const VsopTerm* terms;
    std::size_t count;
    const VsopHalfDayTurn* half_day;
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
