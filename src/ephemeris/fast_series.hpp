// The planetary and lunar series summed by the fast kernels, for the chart batch. Each agrees with
// vsop87_state / moon_position to rounding (a few 1e-16 relative).
#pragma once

#include "ephemeris/elp_mpp02.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

// A planet's heliocentric ecliptic-J2000 position (AU) and its first three time derivatives (AU/day,
// AU/day², AU/day³) at one instant: enough for the positions a light time (≤ 0.2 day) earlier to 1e-15 AU.
struct PlanetExpansion {
    double position[3];
    double velocity[3];
    double acceleration[3];
    double jerk[3];
};

PlanetExpansion vsop87_expansion(int planet, double jd_tt) noexcept;

// A planet's heliocentric ecliptic-J2000 positions (AU) and velocities (AU per day) at t, t − H and t + H
// ([instant][coordinate], t in Julian millennia, H = VSOP_HALF_DAY), from one sine–cosine per series term
// (vsop_sums_three).
struct PlanetSamples {
    double position[3][3];
    double velocity[3][3];
};

void vsop87_samples_three(int planet, double t, PlanetSamples& out) noexcept;

// Position of the expansion `days` days before its instant (third-order Taylor polynomial), AU.
void expansion_position_before(const PlanetExpansion& expansion, double days, double out[3]) noexcept;

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
