// Names of the house systems.
#include "houses/house_system.hpp"

#include <array>
#include <string>

#include "common/name_match.hpp"

namespace zentaric {
namespace {

constexpr std::array<std::string_view, 10> HOUSE_SYSTEM_NAMES = {
    "Placidus", "Koch",     "Equal",      "WholeSign",  "Campanus",
    "Regiomontanus", "Porphyry", "Morinus", "Alcabitius", "Sripathi",
};

constexpr std::array<Spelling<HouseSystem>, 11> HOUSE_SYSTEM_SPELLINGS = {{
    {"placidus", HouseSystem::Placidus},
    {"koch", HouseSystem::Koch},
    {"equal", HouseSystem::Equal},
    {"wholesign", HouseSystem::WholeSign},
    {"whole_sign", HouseSystem::WholeSign},
    {"campanus", HouseSystem::Campanus},
    {"regiomontanus", HouseSystem::Regiomontanus},
    {"porphyry", HouseSystem::Porphyry},
    {"morinus", HouseSystem::Morinus},
    {"alcabitius", HouseSystem::Alcabitius},
    {"sripathi", HouseSystem::Sripathi},
}};

}  // namespace

std::string_view house_system_name(HouseSystem system) noexcept {
    const auto index = static_cast<std::size_t>(system);
    return index < HOUSE_SYSTEM_NAMES.size() ? HOUSE_SYSTEM_NAMES[index] : std::string_view{};
}

Result<HouseSystem> parse_house_system(std::string_view utf8_name) {
    if (const auto system = find_spelling(utf8_name, HOUSE_SYSTEM_SPELLINGS)) return *system;
    return value_error("Unknown house system: " + std::string(utf8_name));
}

}  // namespace zentaric
