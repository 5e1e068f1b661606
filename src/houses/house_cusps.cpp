// Ascendant, midheaven and the choice of house system.
#include "houses/house_cusps.hpp"

#include <array>
#include <cmath>
#include <cstddef>

#include "houses/constants.hpp"
#include "houses/spherical.hpp"
#include "houses/systems.hpp"

namespace zentaric {
namespace {

// Whether the twelve cusps (degrees, [0, 360)) open twelve houses that cover the circle once in zodiacal order:
// every arc from a cusp to the next is positive and the twelve arcs add up to one turn.
bool goes_once_round(const std::array<double, 12>& cusps) noexcept {
    double turn = 0.0;
    for (std::size_t house = 0; house < cusps.size(); ++house) {
        const double arc = houses::normalize_degrees_fast(cusps[(house + 1) % cusps.size()] - cusps[house]);
        if (!(arc > 0.0)) return false;
        turn += arc;
    }
    return std::abs(turn - 360.0) <= houses::FULL_TURN_TOLERANCE;
}

}  // namespace

Angles compute_angles(double ramc, double latitude, double obliquity) noexcept {
    return houses::angles_of(ramc, houses::sky_trigonometry(latitude, obliquity));
}

HouseCusps house_cusps(HouseSystem system, double ramc, double latitude, double obliquity) noexcept {
    const auto index = static_cast<std::size_t>(system);
    // A value outside the enumeration (only reachable by a cast): Equal cusps, labelled as given.
    if (index >= HOUSE_SYSTEM_COUNT) {
        HouseCusps equal = houses::equal_houses(ramc, latitude, obliquity);
        equal.system = system;
        return equal;
    }
    const HouseCusps result = HOUSE_SYSTEM_TABLE[index].cusps(ramc, latitude, obliquity);
    // Inside the polar circles a Campanus or Regiomontanus wheel (and Alcabitius at the poles) can run backwards
    // through the zodiac; such a wheel is no division of it, and Equal houses stand in as for Placidus and Koch.
    if (result.polar_fallback || goes_once_round(result.cusps)) return result;
    return houses::equal_fallback(system, ramc, latitude, obliquity);
}

}  // namespace zentaric
