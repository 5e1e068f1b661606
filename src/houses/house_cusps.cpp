// Ascendant, midheaven and the choice of house system.
#include "houses/house_cusps.hpp"

#include "houses/spherical.hpp"
#include "houses/systems.hpp"

namespace zentaric {

Angles compute_angles(double ramc, double latitude, double obliquity) noexcept {
    return houses::angles_of(ramc, houses::sky_trigonometry(latitude, obliquity));
}

HouseCusps house_cusps(HouseSystem system, double ramc, double latitude, double obliquity) noexcept {
    switch (system) {
        case HouseSystem::Placidus: return houses::placidus_houses(ramc, latitude, obliquity);
        case HouseSystem::Koch: return houses::koch_houses(ramc, latitude, obliquity);
        case HouseSystem::Equal: return houses::equal_houses(ramc, latitude, obliquity);
        case HouseSystem::WholeSign: return houses::whole_sign_houses(ramc, latitude, obliquity);
        case HouseSystem::Campanus: return houses::campanus_houses(ramc, latitude, obliquity);
        case HouseSystem::Regiomontanus: return houses::regiomontanus_houses(ramc, latitude, obliquity);
        case HouseSystem::Porphyry: return houses::porphyry_houses(ramc, latitude, obliquity);
        case HouseSystem::Morinus: return houses::morinus_houses(ramc, latitude, obliquity);
        case HouseSystem::Alcabitius: return houses::alcabitius_houses(ramc, latitude, obliquity);
        case HouseSystem::Sripathi: return houses::sripathi_houses(ramc, latitude, obliquity);
    }
    // A value outside the enumeration (only reachable by a cast): Equal cusps, labelled as given.
    HouseCusps result = houses::equal_houses(ramc, latitude, obliquity);
    result.system = system;
    return result;
}

}  // namespace zentaric
