// Constants of the ephemeris subsystem, each with its provenance, stated once.
#pragma once

namespace zentaric {

// Astronomical unit in km (IAU 2012 Resolution B2).
inline constexpr double AU_KM = 149597870.7;
// Speed of light in AU per day: 299792.458 km/s × 86400 s ÷ AU_KM, to 12 significant digits.
inline constexpr double LIGHT_SPEED_AU_PER_DAY = 173.144632674;

// TT Julian Days accepted by the built-in ephemeris, both inclusive.
inline constexpr double JD_MIN = 990575.0;
inline constexpr double JD_MAX = 2816788.0;

// Earth/Moon mass ratio (IERS Conventions 2003) and the doubles derived from it, as stored.
inline constexpr double EARTH_MOON_MASS_RATIO = 81.30056894;
inline constexpr double EARTH_FRACTION_OF_EARTH_MOON_MASS = 0.9878494157102482;  // ratio ÷ (1 + ratio)
inline constexpr double MOON_FRACTION_OF_EARTH_MOON_MASS = 0.012150584289751812;  // 1 ÷ (1 + ratio)
inline constexpr double EARTH_MOON_MASS_OVER_MOON_MASS = 82.30056894;             // 1 + ratio

// Obliquity of the J2000 ecliptic, 84381.448″ (IAU 1976), used only through this cosine and sine as stored.
inline constexpr double J2000_OBLIQUITY_COS = 0.9174820620749202;
inline constexpr double J2000_OBLIQUITY_SIN = 0.3977771559319137;

// VSOP87: days per Julian millennium, the unit of its time argument and velocities.
inline constexpr double DAYS_PER_JULIAN_MILLENNIUM = 365250.0;

// ELP/MPP02: ratio of the DE405 to the ELP semi-major-axis scale, 384747.961370173 ÷ 384747.980674318.
inline constexpr double ELP_DISTANCE_SCALE = 0.9999999498265204;

}  // namespace zentaric
