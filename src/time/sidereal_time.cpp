#include "time/sidereal_time.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "time/calendar.hpp"

namespace zentaric {

double compute_ramc(double jd_ut, double east_longitude, double nutation_in_longitude,
                    double true_obliquity) noexcept {
    const double t = julian_centuries(jd_ut);
    // Greenwich mean sidereal time in degrees, Meeus (12.4).
    double theta = (jd_ut - J2000) * 360.98564736629 + 280.46061837 + t * (t * 0.000387933) +
                   t * (t * t) / -38710000.0;
    theta = normalize_degrees(theta);
    // Apparent sidereal time: add the equation of the equinoxes Δψ·cos ε (radians).
    const double apparent = normalize_radians(theta * PI / 180.0 + nutation_in_longitude * std::cos(true_obliquity));
    return normalize_radians(east_longitude + apparent);
}

}  // namespace zentaric
