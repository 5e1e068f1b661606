// ELP/MPP02 lunar theory (Chapront & Francou 2003), truncated series with the LLR-fitted constants.
#include "ephemeris/elp_mpp02.hpp"

#include <cmath>
#include <cstddef>

#include "ephemeris/constants.hpp"
#include "ephemeris/data/elp_mpp02_tables.hpp"
#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

namespace {

constexpr double AS2R = ARCSECONDS_TO_RADIANS;

// c0 (radians) + polynomial in T with arcsecond coefficients c1..c4, each turned into radians.
double quartic_argument(double c0, double c1, double c2, double c3, double c4, double t) noexcept {
    return c0 + t * (c1 * AS2R + t * (c2 * AS2R + t * (c3 * AS2R + t * (c4 * AS2R))));
}

// c0 (radians) + c1 (arcseconds per century) · T.
double linear_argument(double c0, double c1, double t) noexcept { return c0 + c1 * AS2R * t; }

// D·i₁ + F·i₂ + l·i₃ + l′·i₄, summed left to right.
double main_argument(const MainTerm& term, const LunarArguments& a) noexcept {
    return a.elongation * term.multipliers[0] + a.argument_of_latitude * term.multipliers[1] +
           a.mean_anomaly_moon * term.multipliers[2] + a.mean_anomaly_barycentre * term.multipliers[3];
}

template <std::size_t N>
double sum_main_sine(const MainTerm (&terms)[N], const LunarArguments& a) noexcept {
    double sum = 0.0;
    for (const MainTerm& term : terms) {
        const double argument = main_argument(term, a);
        sum += term.amplitude * std::sin(argument);
    }
    return sum;
}

template <std::size_t N>
double sum_main_cosine(const MainTerm (&terms)[N], const LunarArguments& a) noexcept {
    double sum = 0.0;
    for (const MainTerm& term : terms) {
        const double argument = main_argument(term, a);
        sum += term.amplitude * std::cos(argument);
    }
    return sum;
}

template <std::size_t N>
double sum_perturbations(const PerturbationTerm (&terms)[N], const LunarArguments& a) noexcept {
    const double arguments[13] = {a.elongation, a.argument_of_latitude, a.mean_anomaly_moon,
                                  a.mean_anomaly_barycentre, a.mercury, a.venus, a.earth_moon_barycentre,
                                  a.mars, a.jupiter, a.saturn, a.uranus, a.neptune, a.zeta};
    double sum = 0.0;
    for (const PerturbationTerm& term : terms) {
        double argument = term.phase;
        for (int k = 0; k < 13; ++k) argument += arguments[k] * term.multipliers[k];
        sum += term.amplitude * std::sin(argument);
    }
    return sum;
}

}  // namespace

LunarArguments lunar_arguments(double t) noexcept {
    LunarArguments a;
    // W1 mean longitude of the Moon (LLR fit).
    a.w1 = quartic_argument(-2.4728413868576777, 1732559343.41293, -6.84634, 0.006604, -0.00003169, t);
    // Mean longitude of the Earth–Moon barycentre for the Delaunay arguments (LLR fit).
    const double barycentre =
        quartic_argument(1.753469752356706, 129597742.30742, -0.0202, 0.000009, 0.00000015, t);
    // W2 longitude of the lunar perigee, W3 of the ascending node.
    const double perigee = quartic_argument(1.4547893480700087, 14643420.400148898, -38.2631, -0.045047, 0.00021301, t);
    const double node = quartic_argument(2.182438675557319, -6967919.584229054, 6.359, 0.007625, -0.00003586, t);
    // Longitude of the perihelion of the barycentre.
    const double perihelion = quartic_argument(1.7965954341045842, 1161.24342, 0.529265, -0.00011814, 0.000011379, t);
    // Delaunay arguments.
    a.elongation = a.w1 - barycentre + 3.141592653589793;
    a.argument_of_latitude = a.w1 - node;
    a.mean_anomaly_moon = a.w1 - perigee;
    a.mean_anomaly_barycentre = barycentre - perihelion;
    // Mean planetary longitudes, linear (Simon et al. 1994 as used by ELP/MPP02).
    a.mercury = linear_argument(-1.880576672960468, 538101628.66888, t);
    a.venus = linear_argument(-3.107050850028478, 210664136.45777, t);
    a.earth_moon_barycentre = linear_argument(1.753469946863955, 129597742.293, t);
    a.mars = linear_argument(-0.07968570848829126, 68905077.65936, t);
    a.jupiter = linear_argument(0.5995466780884288, 10925660.57335, t);
    a.saturn = linear_argument(0.8740167834498807, 4399609.33632, t);
    a.uranus = linear_argument(-0.8019576813692549, 1542482.57845, t);
    a.neptune = linear_argument(-0.9712912021888866, 786547.897, t);
    // ζ: W1 plus the general precession in longitude, 5028.79695″ per century.
    a.zeta = a.w1 + 0.02438029560881907 * t;
    return a;
}

LunarSpherical lunar_spherical(const LunarArguments& a, double t) noexcept {
    // W1 taken to within one turn (fmod is exact): the series then round on the scale of a turn, not of W1's
    // thousands of radians, and consecutive instants differ smoothly (the true node differences them).
    const double longitude = sum_main_sine(ELP_MAIN_LONGITUDE, a) + sum_perturbations(ELP_PERTURBATION_LONGITUDE_T0, a) +
                             t * sum_perturbations(ELP_PERTURBATION_LONGITUDE_T1, a) + std::fmod(a.w1, TWO_PI);
    const double latitude = sum_main_sine(ELP_MAIN_LATITUDE, a) + sum_perturbations(ELP_PERTURBATION_LATITUDE_T0, a) +
                            t * sum_perturbations(ELP_PERTURBATION_LATITUDE_T1, a);
    const double distance = (sum_main_cosine(ELP_MAIN_DISTANCE, a) + sum_perturbations(ELP_PERTURBATION_DISTANCE_T0, a) +
                             t * sum_perturbations(ELP_PERTURBATION_DISTANCE_T1, a)) *
                            ELP_DISTANCE_SCALE;
    return LunarSpherical{longitude, latitude, distance};
}

MoonPosition moon_position_from_spherical(const LunarSpherical& s, double t) noexcept {
    // Rectangular, mean ecliptic and equinox of date.
    const double x = s.distance * std::cos(s.latitude) * std::cos(s.longitude);
    const double y = s.distance * std::cos(s.latitude) * std::sin(s.longitude);
    const double z = s.distance * std::sin(s.latitude);
    // Laskar's P and Q of the ecliptic (as used by ELP/MPP02), then the rotation to the J2000 ecliptic.
    const double p =
        t * (1.0180391e-05 + t * (4.7020439e-07 + t * (-5.417367e-10 + t * (-2.507948e-12 + t * 4.63486e-15))));
    const double q =
        t * (-1.13469002e-04 + t * (1.2372674e-07 + t * (1.265417e-09 + t * (-1.371808e-12 + t * -3.20334e-15))));
    const double s_pq = std::sqrt(1.0 - p * p - q * q);
    return MoonPosition{(1.0 - 2.0 * p * p) * x + 2.0 * p * q * y + 2.0 * p * s_pq * z,
                        2.0 * p * q * x + (1.0 - 2.0 * q * q) * y - 2.0 * q * s_pq * z,
                        -2.0 * p * s_pq * x + 2.0 * q * s_pq * y + (1.0 - 2.0 * p * p - 2.0 * q * q) * z};
}

MoonPosition moon_position(double jd_tt) noexcept {
    const double t = julian_centuries(jd_tt);
    return moon_position_from_spherical(lunar_spherical(lunar_arguments(t), t), t);
}

MoonState moon_state(double jd_tt) noexcept {
    const MoonPosition now = moon_position(jd_tt);
    const MoonPosition after = moon_position(jd_tt + 0.5);
    const MoonPosition before = moon_position(jd_tt - 0.5);
    return MoonState{now.x, now.y, now.z, after.x - before.x, after.y - before.y, after.z - before.z};
}

}  // namespace zentaric
