// ELP/MPP02 lunar theory (Chapront & Francou 2003), truncated, LLR fit: the geocentric Moon in the
// ecliptic and equinox of J2000.
#pragma once

#include <cstdint>

namespace zentaric {

// Fundamental arguments of the lunar theory at T Julian centuries of TT, radians, not reduced mod 2π.
struct LunarArguments {
    double w1;  // mean longitude of the Moon
    double elongation;                // D
    double argument_of_latitude;      // F
    double mean_anomaly_moon;         // l
    double mean_anomaly_barycentre;   // l′
    double mercury, venus, earth_moon_barycentre, mars, jupiter, saturn, uranus, neptune;
    double zeta;  // W1 plus general precession in longitude
};

// Main-problem term: multipliers of D, F, l, l′ and an amplitude (radians, or km for distance).
struct MainTerm {
    std::int8_t multipliers[4];
    double amplitude;
};

// Perturbation term: A·sin(φ + Σ iₖ·argₖ) over D, F, l, l′, Me, Ve, EMB, Ma, Ju, Sa, Ur, Ne, ζ.
struct PerturbationTerm {
    double amplitude;
    std::int8_t multipliers[13];
    double phase;
};

// Longitude V and latitude U (radians, mean ecliptic and equinox of date) and distance r (km).
struct LunarSpherical {
    double longitude;
    double latitude;
    double distance;
};

// Geocentric position (km) and velocity (km per day), ecliptic and equinox of J2000.
struct MoonState {
    double x, y, z, vx, vy, vz;
};

LunarArguments lunar_arguments(double t) noexcept;

LunarSpherical lunar_spherical(const LunarArguments& arguments, double t) noexcept;

// Geocentric Moon at a TT Julian Day; velocity by a central difference over ±0.5 day.
MoonState moon_state(double jd_tt) noexcept;

// Geocentric position only (km, ecliptic and equinox of J2000), one series evaluation.
struct MoonPosition {
    double x, y, z;
};
MoonPosition moon_position(double jd_tt) noexcept;

// Geocentric J2000 ecliptic position (km) from (V, U, r) of date at T Julian centuries (the P, Q rotation).
MoonPosition moon_position_from_spherical(const LunarSpherical& spherical, double t) noexcept;

}  // namespace zentaric
