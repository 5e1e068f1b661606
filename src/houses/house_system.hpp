// The house systems: one row each, with the spellings a caller may give and the function computing the cusps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"

namespace zentaric {

enum class HouseSystem : std::uint8_t {
    Placidus,
    Koch,
    Equal,
    WholeSign,
    Campanus,
    Regiomontanus,
    Porphyry,
    Morinus,
    Alcabitius,
    Sripathi,
};
inline constexpr std::size_t HOUSE_SYSTEM_COUNT = 10;

struct HouseCusps;  // house_cusps.hpp

// The house computations, degrees in and out (division_systems.cpp, quadrant_systems.cpp).
namespace houses {
using CuspFunction = HouseCusps (*)(double ramc, double latitude, double obliquity) noexcept;
HouseCusps placidus_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps koch_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps equal_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps whole_sign_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps campanus_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps regiomontanus_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps porphyry_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps morinus_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps alcabitius_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps sripathi_houses(double ramc, double latitude, double obliquity) noexcept;
}  // namespace houses

struct HouseSystemRow {
    HouseSystem id;
    std::string_view name;  // the text form: the variant name
    Spellings spellings;    // matched case-insensitively (full Unicode lower-casing)
    houses::CuspFunction cusps;
};

inline constexpr std::array<HouseSystemRow, HOUSE_SYSTEM_COUNT> HOUSE_SYSTEM_TABLE{{
    {HouseSystem::Placidus, "Placidus", {"placidus"}, houses::placidus_houses},
    {HouseSystem::Koch, "Koch", {"koch"}, houses::koch_houses},
    {HouseSystem::Equal, "Equal", {"equal"}, houses::equal_houses},
    {HouseSystem::WholeSign, "WholeSign", {"wholesign", "whole_sign"}, houses::whole_sign_houses},
    {HouseSystem::Campanus, "Campanus", {"campanus"}, houses::campanus_houses},
    {HouseSystem::Regiomontanus, "Regiomontanus", {"regiomontanus"}, houses::regiomontanus_houses},
    {HouseSystem::Porphyry, "Porphyry", {"porphyry"}, houses::porphyry_houses},
    {HouseSystem::Morinus, "Morinus", {"morinus"}, houses::morinus_houses},
    {HouseSystem::Alcabitius, "Alcabitius", {"alcabitius"}, houses::alcabitius_houses},
    {HouseSystem::Sripathi, "Sripathi", {"sripathi"}, houses::sripathi_houses},
}};
static_assert(well_formed(HOUSE_SYSTEM_TABLE));

// The text form of a system ("Placidus", "WholeSign", ...); empty outside the enumeration.
constexpr std::string_view house_system_name(HouseSystem system) noexcept {
    const auto index = static_cast<std::size_t>(system);
    return index < HOUSE_SYSTEM_COUNT ? HOUSE_SYSTEM_TABLE[index].name : std::string_view{};
}

// A caller-given name matched against the spellings; otherwise "Unknown house system: " and the name as given.
inline Result<HouseSystem> parse_house_system(std::string_view utf8_name) {
    return parse_name(utf8_name, HOUSE_SYSTEM_TABLE, "Unknown house system: ");
}

}  // namespace zentaric
