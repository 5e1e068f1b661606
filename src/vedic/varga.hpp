// Divisional charts (vargas): the sign of a longitude when each sign is divided into N parts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"

namespace zentaric {

enum class Varga : std::uint8_t { Rashi, Navamsha, Dashamsha, Dwadashamsha, Shashtiamsha };
inline constexpr std::size_t VARGA_COUNT = 5;

struct VargaRow {
    Varga id;
    std::string_view name;
    Spellings spellings;  // matched case-insensitively
    std::uint8_t parts;   // parts per sign
    // The sign of the first part of sign s is s + first_part_offset[s % first_part_cycle] (mod 12).
    std::uint8_t first_part_cycle;
    std::array<std::uint8_t, 3> first_part_offset;
};

inline constexpr std::array<VargaRow, VARGA_COUNT> VARGA_TABLE{{
    {Varga::Rashi, "Rashi", {"rashi", "d1", "d-1"}, 1, 1, {0}},
    // Parashara: movable signs start from themselves, fixed from the ninth, dual from the fifth.
    {Varga::Navamsha, "Navamsha", {"navamsha", "d9", "d-9"}, 9, 3, {0, 8, 4}},
    // Odd signs from themselves, even signs from the ninth.
    {Varga::Dashamsha, "Dashamsha", {"dashamsha", "d10", "d-10"}, 10, 2, {0, 8}},
    {Varga::Dwadashamsha, "Dwadashamsha", {"dwadashamsha", "d12", "d-12"}, 12, 1, {0}},
    {Varga::Shashtiamsha, "Shashtiamsha", {"shashtiamsha", "d60", "d-60"}, 60, 1, {0}},
}};
static_assert(well_formed(VARGA_TABLE));

// A caller-given name matched against the spellings; otherwise "Unknown varga: " and the name as given.
inline Result<Varga> parse_varga(std::string_view name) { return parse_name(name, VARGA_TABLE, "Unknown varga: "); }

// Sign index 0..11 of a longitude in degrees in the given varga.
std::uint8_t varga_sign(Varga varga, double longitude) noexcept;

}  // namespace zentaric
