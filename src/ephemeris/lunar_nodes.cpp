// Lunar nodes, Meeus, Astronomical Algorithms (2nd ed.) ch. 47.
#include "ephemeris/lunar_nodes.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "time/calendar.hpp"

namespace zentaric {

namespace {

// Mean node before normalisation, degrees (Meeus 47.7); the T⁴ coefficient is −1 ÷ 60616000.
double mean_node_degrees(double t) noexcept {
    return 125.0445479 + t * (-1934.1362891 + t * (0.0020754 + t * (1.0 / 467441.0 + t * -1.649729444371123e-08)));
}

}  // namespace

double mean_node_longitude(double jd_tt) noexcept { return normalize_degrees(mean_node_degrees(julian_centuries(jd_tt))); }

double true_node_longitude(double jd_tt) noexcept {
    const double t = julian_centuries(jd_tt);
    // Mean elongation D, solar anomaly M, lunar anomaly M′, argument of latitude F (Meeus ch. 47, linear terms).
    const double d = (297.8501921 + 445267.1114034 * t) * DEG_TO_RAD;
    const double m = (357.5291092 + 35999.0502909 * t) * DEG_TO_RAD;
    const double m_prime = (134.9633964 + 477198.8675055 * t) * DEG_TO_RAD;
    const double f = (93.272095 + 483202.0175233 * t) * DEG_TO_RAD;
    // Periodic terms of the true node (Meeus ch. 47), degrees.
    const double d_minus_f = d - f;
    double s = -1.4979 * std::sin(d_minus_f + d_minus_f);
    s += -0.15 * std::sin(m);
    s += -0.1226 * std::sin(d + d);
    s += 0.1176 * std::sin(f + f);
    const double m_prime_minus_f = m_prime - f;
    return normalize_degrees(mean_node_longitude(jd_tt) + (s - 0.0801 * std::sin(m_prime_minus_f + m_prime_minus_f)));
}

}  // namespace zentaric
