// Divisional charts (vargas): the sign of a longitude when each sign is divided into parts, by Parashara's rules
// for the sixteen vargas (BPHS ch. 6).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"

namespace zentaric {

// The Shodasavarga in the order of their number of parts.
enum class Varga : std::uint8_t {
    Rashi, Hora, Drekkana, Chaturthamsha, Saptamsha, Navamsha, Dashamsha, Dwadashamsha, Shodashamsha,
    Vimshamsha, Chaturvimshamsha, Saptavimshamsha, Trimshamsha, Khavedamsha, Akshavedamsha, Shashtiamsha,
};
inline constexpr std::size_t VARGA_COUNT = 16;

struct VargaRow {
    Varga id;
    std::string_view name;
    std::array<const char*, 4> spellings;  // matched case-insensitively; the first two name it in lists
    std::uint8_t parts;                    // parts per sign (the Trimshamsha's five are unequal: see varga.cpp)
    // Part k of sign s falls in sign (base + k * step[s % cycle]) mod 12, where base is
    // offset[s % cycle], counted from s itself when `from_sign`, from Aries otherwise.
    bool from_sign;
    std::uint8_t cycle;
    std::array<std::uint8_t, 4> offset;
    std::array<std::uint8_t, 4> step;
};

inline constexpr std::array<VargaRow, VARGA_COUNT> VARGA_TABLE{{
    {Varga::Rashi, "Rashi", {"rashi", "d1", "d-1"}, 1, true, 1, {0}, {1}},
    // Odd signs: Leo then Cancer; even signs: Cancer then Leo.
    {Varga::Hora, "Hora", {"hora", "d2", "d-2"}, 2, false, 2, {4, 3}, {11, 1}},
    // The sign, its fifth and its ninth.
    {Varga::Drekkana, "Drekkana", {"drekkana", "d3", "d-3"}, 3, true, 1, {0}, {4}},
    // The sign and its fourth, seventh and tenth.
    {Varga::Chaturthamsha, "Chaturthamsha", {"chaturthamsha", "d4", "d-4"}, 4, true, 1, {0}, {3}},
    // Odd signs from themselves, even signs from the seventh.
    {Varga::Saptamsha, "Saptamsha", {"saptamsha", "d7", "d-7"}, 7, true, 2, {0, 6}, {1, 1}},
    // Movable signs from themselves, fixed from the ninth, dual from the fifth.
    {Varga::Navamsha, "Navamsha", {"navamsha", "d9", "d-9"}, 9, true, 3, {0, 8, 4}, {1, 1, 1}},
    // Odd signs from themselves, even signs from the ninth.
    {Varga::Dashamsha, "Dashamsha", {"dashamsha", "d10", "d-10"}, 10, true, 2, {0, 8}, {1, 1}},
    {Varga::Dwadashamsha, "Dwadashamsha", {"dwadashamsha", "d12", "d-12"}, 12, true, 1, {0}, {1}},
    // Movable signs from Aries, fixed from Leo, dual from Sagittarius.
    {Varga::Shodashamsha, "Shodashamsha", {"shodashamsha", "d16", "d-16"}, 16, false, 3, {0, 4, 8}, {1, 1, 1}},
    // Movable signs from Aries, fixed from Sagittarius, dual from Leo.
    {Varga::Vimshamsha, "Vimshamsha", {"vimshamsha", "d20", "d-20"}, 20, false, 3, {0, 8, 4}, {1, 1, 1}},
    // Odd signs from Leo, even signs from Cancer.
    {Varga::Chaturvimshamsha, "Chaturvimshamsha", {"chaturvimshamsha", "d24", "d-24"}, 24, false, 2, {4, 3},
     {1, 1}},
    // Fire signs from Aries, earth from Cancer, air from Libra, water from Capricorn.
    {Varga::Saptavimshamsha, "Saptavimshamsha", {"saptavimshamsha", "d27", "d-27", "bhamsha"}, 27, false, 4,
     {0, 3, 6, 9}, {1, 1, 1, 1}},
    {Varga::Trimshamsha, "Trimshamsha", {"trimshamsha", "d30", "d-30"}, 5, false, 1, {0}, {0}},
    // Odd signs from Aries, even signs from Libra.
    {Varga::Khavedamsha, "Khavedamsha", {"khavedamsha", "d40", "d-40"}, 40, false, 2, {0, 6}, {1, 1}},
    // Movable signs from Aries, fixed from Leo, dual from Sagittarius.
    {Varga::Akshavedamsha, "Akshavedamsha", {"akshavedamsha", "d45", "d-45"}, 45, false, 3, {0, 4, 8}, {1, 1, 1}},
    {Varga::Shashtiamsha, "Shashtiamsha", {"shashtiamsha", "d60", "d-60"}, 60, true, 1, {0}, {1}},
}};
static_assert(well_formed(VARGA_TABLE));

// The number N of the varga's name "DN" (1 for Rashi, 30 for Trimshamsha).
constexpr unsigned varga_number(Varga varga) noexcept {
    const VargaRow& row = VARGA_TABLE[static_cast<std::size_t>(varga) % VARGA_COUNT];
    return row.id == Varga::Trimshamsha ? 30u : row.parts;
}

// A caller-given name matched against the spellings; otherwise "Unknown varga: " and the name as given.
inline Result<Varga> parse_varga(std::string_view name) { return parse_name(name, VARGA_TABLE, "Unknown varga: "); }

// Sign index 0..11 of a longitude in degrees in the given varga. A longitude on a part's boundary belongs to the
// part that starts there.
std::uint8_t varga_sign(Varga varga, double longitude) noexcept;

}  // namespace zentaric
