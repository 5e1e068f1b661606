// Constants of the house systems, each with its provenance, in one place.
#pragma once

namespace zentaric::houses {

// Latitude (degrees) beyond which Placidus and Koch give way to Equal houses: the polar circle,
// 90° − 23.44°, rounded to two decimals and fixed (not derived from the obliquity passed in).
// Exclusive: |φ| = 66.56 is not polar.
inline constexpr double POLAR_LATITUDE_LIMIT = 66.56;

// How far (degrees) the twelve arcs between consecutive cusps may add up away from 360 and still count as one
// turn of the wheel: rounding of twelve sums of [0, 360) values stays below 1e-12; a wheel that runs backwards
// adds up to 720 or more.
inline constexpr double FULL_TURN_TOLERANCE = 1e-9;

// The trisection fractions of the quadrant systems, as the nearest doubles below 1/3 and 2/3.
inline constexpr double ONE_THIRD = 0.3333333333333333;
inline constexpr double TWO_THIRDS = 0.6666666666666666;

// sin and cos of 30°·j, j = 0..11, the equal divisions of a great circle (exact values 0, ±1/2, ±√3/2, ±1;
// √3/2 rounded to the nearest double).
inline constexpr double SQRT3_OVER_2 = 0.8660254037844386;
inline constexpr double SIN_OF_30_DEGREE_STEPS[12] = {0.0,  0.5,  SQRT3_OVER_2,  1.0,  SQRT3_OVER_2,  0.5,
                                                      0.0, -0.5, -SQRT3_OVER_2, -1.0, -SQRT3_OVER_2, -0.5};
inline constexpr double COS_OF_30_DEGREE_STEPS[12] = {1.0,  SQRT3_OVER_2,  0.5,  0.0, -0.5, -SQRT3_OVER_2,
                                                      -1.0, -SQRT3_OVER_2, -0.5, 0.0,  0.5,  SQRT3_OVER_2};

// Where a Regiomontanus or Campanus house circle nearly coincides with the ecliptic (possible only for
// |φ| ≥ 90° − ε), its intersection with the ecliptic is ill-conditioned: the direction of the cusp comes
// from a vector of length ρ, and any rounding of the formulas (a few 1e-16) turns its angle by about
// 3e-14°/ρ. Likewise the Campanus choice between the two intersections is a tie where the ecliptic passes
// through the north or south point of the horizon. Below this length (relative to the size of the terms)
// or this distance from the tie, the cusp is evaluated literally, each trigonometric function from its own
// argument, so that no rewriting of the formula is magnified.
inline constexpr double ILL_CONDITIONED_CUSP_LENGTH = 1e-2;

// Placidus fixed-point iteration on the right ascension of a cusp: stop when one step moves the
// estimate less than this many degrees, or after this many refinement steps (then keep the last).
inline constexpr double PLACIDUS_TOLERANCE_DEGREES = 1e-8;
inline constexpr int PLACIDUS_MAX_STEPS = 50;

// The shortened Placidus step (semi-arc argument straight from the right ascension) leaves a decision
// to the literal iteration when it falls this close to its threshold: a semi-arc argument within this
// distance of ±1, or a step within this fraction of the tolerance. Both bound the rounding by which the
// two evaluations can differ by orders of magnitude (measured: below 1e-13 in the argument, 1e-11 degrees
// in the estimate).
inline constexpr double PLACIDUS_SEMI_ARC_MARGIN = 1e-6;
inline constexpr double PLACIDUS_TOLERANCE_MARGIN = 1e-3;

}  // namespace zentaric::houses
