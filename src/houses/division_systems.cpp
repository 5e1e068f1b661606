// Houses that divide the ecliptic or the equator into fixed parts: Equal, WholeSign, Porphyry,
// Sripathi and Morinus.
#include <cmath>

#include "houses/constants.hpp"
#include "houses/spherical.hpp"
#include "houses/systems.hpp"
#include "time/angles.hpp"

namespace zentaric::houses {
namespace {

// Twelve cusps of 30° each from a starting longitude (degrees).
HouseCusps thirty_degree_houses(double first_cusp, Angles angles, HouseSystem system) noexcept {
    HouseCusps result{{}, angles.asc, angles.mc, system, false};
    for (int k = 0; k < 12; ++k) result.cusps[k] = normalize_degrees_fast(first_cusp + 30.0 * k);
    return result;
}

// Porphyry: each quadrant of the ecliptic between two angles trisected in longitude.
HouseCusps porphyry_of(Angles angles) noexcept {
    const double ic = normalize_degrees_fast(angles.mc + 180.0);
    const double descendant = normalize_degrees_fast(angles.asc + 180.0);
    const double quadrant_starts[4] = {angles.asc, ic, descendant, angles.mc};
    const double quadrant_ends[4] = {ic, descendant, angles.mc, angles.asc};
    HouseCusps result{{}, angles.asc, angles.mc, HouseSystem::Porphyry, false};
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const double start = quadrant_starts[quadrant];
        const double arc = normalize_degrees_fast(quadrant_ends[quadrant] - start);
        result.cusps[3 * quadrant] = start;
        result.cusps[3 * quadrant + 1] = normalize_degrees_fast(start + arc / 3.0);
        result.cusps[3 * quadrant + 2] = normalize_degrees_fast(start + (arc + arc) / 3.0);
    }
    return result;
}

}  // namespace

HouseCusps equal_houses(double ramc, double latitude, double obliquity) noexcept {
    const Angles angles = compute_angles(ramc, latitude, obliquity);
    return thirty_degree_houses(angles.asc, angles, HouseSystem::Equal);
}

HouseCusps equal_fallback(HouseSystem requested, double ramc, double latitude, double obliquity) noexcept {
    HouseCusps result = equal_houses(ramc, latitude, obliquity);
    result.system = requested;
    result.polar_fallback = true;
    return result;
}

HouseCusps whole_sign_houses(double ramc, double latitude, double obliquity) noexcept {
    const Angles angles = compute_angles(ramc, latitude, obliquity);
    // The sign holding the ascendant is the first house.
    const double sign_start = std::floor(angles.asc / 30.0) * 30.0;
    return thirty_degree_houses(sign_start, angles, HouseSystem::WholeSign);
}

HouseCusps porphyry_houses(double ramc, double latitude, double obliquity) noexcept {
    return porphyry_of(compute_angles(ramc, latitude, obliquity));
}

HouseCusps sripathi_houses(double ramc, double latitude, double obliquity) noexcept {
    const HouseCusps porphyry = porphyry_of(compute_angles(ramc, latitude, obliquity));
    // Sripathi: each cusp is the midpoint of the Porphyry cusps before and after it, so the Porphyry
    // cusps (the bhava madhyas) fall in the middle of the houses; cusp 1 lies between P12 and P1.
    HouseCusps result{{}, porphyry.asc, porphyry.mc, HouseSystem::Sripathi, false};
    for (int k = 0; k < 12; ++k) {
        const double previous = porphyry.cusps[(k + 11) % 12];
        const double arc = normalize_degrees_fast(porphyry.cusps[k] - previous);
        result.cusps[k] = normalize_degrees_fast(previous + arc * 0.5);
    }
    return result;
}

HouseCusps morinus_houses(double ramc, double latitude, double obliquity) noexcept {
    const SkyTrigonometry sky = sky_trigonometry(latitude, obliquity);
    const Angles angles = angles_of(ramc, sky);
    // Equator divided in 30° steps from the RAMC (cusp 10), each point A carried to the ecliptic along its
    // circle of celestial longitude: tan λ = tan A · cos ε. sin A and cos A by the addition theorems.
    const double r = normalize_degrees_fast(ramc) * DEG_TO_RAD;
    const double sin_r = std::sin(r), cos_r = std::cos(r);
    HouseCusps result{{}, angles.asc, angles.mc, HouseSystem::Morinus, false};
    for (int k = 1; k <= 12; ++k) {
        const int steps = (k + 2) % 12;  // k − 10, modulo 12
        const double sin_a = sin_r * COS_OF_30_DEGREE_STEPS[steps] + cos_r * SIN_OF_30_DEGREE_STEPS[steps];
        const double cos_a = cos_r * COS_OF_30_DEGREE_STEPS[steps] - sin_r * SIN_OF_30_DEGREE_STEPS[steps];
        result.cusps[k - 1] = normalize_degrees_fast(std::atan2(sin_a * sky.cos_obliquity, cos_a) * RAD_TO_DEG);
    }
    return result;
}

}  // namespace zentaric::houses
