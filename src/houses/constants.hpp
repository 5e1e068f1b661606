// Constants of the house systems, each with its provenance, in one place.
#pragma once

namespace zentaric::houses {

// Latitude (degrees) beyond which Placidus and Koch give way to Equal houses: the polar circle,
// 90° − 23.44°, rounded to two decimals and fixed (not derived from the obliquity passed in).
// Exclusive: |φ| = 66.56 is not polar.
inline constexpr double POLAR_LATITUDE_LIMIT = 66.56;

// The trisection fractions of the quadrant systems, as the nearest doubles below 1/3 and 2/3.
inline constexpr double ONE_THIRD = 0.3333333333333333;
inline constexpr double TWO_THIRDS = 0.6666666666666666;

// Placidus fixed-point iteration on the right ascension of a cusp: stop when one step moves the
// estimate less than this many degrees, or after this many refinement steps (then keep the last).
inline constexpr double PLACIDUS_TOLERANCE_DEGREES = 1e-8;
inline constexpr int PLACIDUS_MAX_STEPS = 50;

}  // namespace zentaric::houses
