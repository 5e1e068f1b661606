// The planetary and lunar series summed by the fast kernels, for the chart batch. Each agrees with
// vsop87_state / moon_position to rounding (a few 1e-16 relative).
#pragma once

#include "ephemeris/elp_mpp02.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

// A planet's heliocentric ecliptic-J2000 positions (AU) and velocities (AU per day) at t, t − H and t + H
// ([instant][coordinate], t in Julian millennia, H = VSOP_HALF_DAY), from one sine–cosine per series term
// (vsop_sums_three).
struct PlanetSamples {
    double position[3][3];
    double velocity[3][3];
};

void vsop87_samples_three(int planet, double t, PlanetSamples& out) noexcept;

// vsop87_samples_three over the terms of each series whose amplitude times |t|^power reaches `least_amplitude` AU
// for |t| up to `millennia` (the terms run in decreasing amplitude, so each series is cut after its last such term):
// a cheaper, coarser path for sampling; least_amplitude 0 sums every term.
void vsop87_samples_three_cut(int planet, double t, double least_amplitude, double millennia,
                              PlanetSamples& out) noexcept;

// nutation with the fast kernels (the same terms, summed four at a time: within ~1e-20 rad).
Nutation nutation_fast(double jd_tt) noexcept;

// moon_position with the fast kernels.
MoonPosition moon_position_fast(double jd_tt) noexcept;

// The lunar distance r (km) alone at T Julian centuries, as moon_position_fast sums it.
double moon_distance_fast(double t) noexcept;

// The direction of moon_position_fast: the same longitude and latitude at unit distance (the distance series
// left out), for what depends on directions only.
MoonPosition moon_direction_fast(double jd_tt) noexcept;

// moon_position_fast at T Julian centuries.
MoonPosition moon_position_at_centuries(double t) noexcept;

}  // namespace zentaric
