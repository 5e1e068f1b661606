// Ascendant, midheaven and the choice of house system.
#include "houses/house_cusps.hpp"

#include <cmath>

#include "houses/systems.hpp"
#include "time/angles.hpp"

namespace zentaric {

Angles compute_angles(double ramc, double latitude, double obliquity) noexcept {
    const double r = ramc * DEG_TO_RAD;
    const double phi = latitude * DEG_TO_RAD;
    const double epsilon = obliquity * DEG_TO_RAD;
    // Ascendant, the ecliptic crossing the horizon: tan λ = cos θ / −(sin θ cos ε + sin ε tan φ), θ the RAMC
    const double asc = std::atan2(std::cos(r), -(std::sin(r) * std::cos(epsilon) + std::sin(epsilon) * std::tan(phi)));
    // Midheaven, the ecliptic crossing the meridian: tan λ = tan θ / cos ε
    const double mc = std::atan2(std::sin(r), std::cos(r) * std::cos(epsilon));
    return Angles{normalize_degrees(asc * RAD_TO_DEG), normalize_degrees(mc * RAD_TO_DEG)};
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
