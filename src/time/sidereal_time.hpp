// Right ascension of the midheaven from Greenwich sidereal time (Meeus ch. 12).
#pragma once

namespace zentaric {

// RAMC in radians [0, 2π): apparent sidereal time at the UT Julian Day plus the east longitude (radians).
// nutation_in_longitude and true_obliquity in radians give the equation of the equinoxes.
double compute_ramc(double jd_ut, double east_longitude, double nutation_in_longitude,
                    double true_obliquity) noexcept;

}  // namespace zentaric
