// Ascendant, midheaven and the choice of house system.
#include "houses/house_cusps.hpp"

#include "houses/spherical.hpp"
#include "houses/systems.hpp"

namespace zentaric {

Angles compute_angles(double ramc, double latitude, double obliquity) noexcept {
    return houses::angles_of(ramc, houses::sky_trigonometry(latitude, obliquity));
}

HouseCusps house_cusps(HouseSystem system, double ramc, double latitude, double obliquity) noexcept {
    const auto index = static_cast<std::size_t>(system);
    if (index < HOUSE_SYSTEM_COUNT) return HOUSE_SYSTEM_TABLE[index].cusps(ramc, latitude, obliquity);
    // A value outside the enumeration (only reachable by a cast): Equal cusps, labelled as given.
    HouseCusps result = houses::equal_houses(ramc, latitude, obliquity);
    result.system = system;
    return result;
}

}  // namespace zentaric
