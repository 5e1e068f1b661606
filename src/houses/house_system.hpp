// The ten house systems and the parsing of their names.
#pragma once

#include <cstdint>
#include <string_view>

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

// The text form of a system: its variant name ("Placidus", "WholeSign", ...).
std::string_view house_system_name(HouseSystem system) noexcept;

// A caller-given name, matched case-insensitively (full Unicode lower-casing) against the accepted
// spellings; otherwise "Unknown house system: " followed by the name as given.
Result<HouseSystem> parse_house_system(std::string_view utf8_name);

}  // namespace zentaric
