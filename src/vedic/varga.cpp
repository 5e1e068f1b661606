#include "vedic/varga.hpp"

#include <array>
#include <cmath>
#include <string>

#include "common/name_match.hpp"
#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

constexpr std::array<Spelling<Varga>, 15> ACCEPTED_SPELLINGS{{
    {"rashi", Varga::Rashi},           {"d1", Varga::Rashi},          {"d-1", Varga::Rashi},
    {"navamsha", Varga::Navamsha},     {"d9", Varga::Navamsha},       {"d-9", Varga::Navamsha},
    {"dashamsha", Varga::Dashamsha},   {"d10", Varga::Dashamsha},     {"d-10", Varga::Dashamsha},
    {"dwadashamsha", Varga::Dwadashamsha}, {"d12", Varga::Dwadashamsha}, {"d-12", Varga::Dwadashamsha},
    {"shashtiamsha", Varga::Shashtiamsha}, {"d60", Varga::Shashtiamsha}, {"d-60", Varga::Shashtiamsha},
}};

// Parts per sign.
constexpr double parts_of(Varga varga) noexcept {
    switch (varga) {
        case Varga::Rashi: return 1.0;
        case Varga::Navamsha: return 9.0;
        case Varga::Dashamsha: return 10.0;
        case Varga::Dwadashamsha: return 12.0;
        case Varga::Shashtiamsha: return 60.0;
    }
    return 1.0;
}

// (s + 8) mod 12 and (s + 4) mod 12 for s in 0..11, without going negative.
constexpr unsigned plus_eight(unsigned s) noexcept { return s < 4 ? s + 8 : s - 4; }
constexpr unsigned plus_four(unsigned s) noexcept { return s < 8 ? s + 4 : s - 8; }

// Sign of the first part of sign s (Parashara: navamsha from the movable/fixed/dual start, dashamsha odd/even).
constexpr unsigned first_part_sign(Varga varga, unsigned s) noexcept {
    switch (varga) {
        case Varga::Navamsha: return s % 3 == 0 ? s : (s % 3 == 1 ? plus_eight(s) : plus_four(s));
        case Varga::Dashamsha: return s % 2 == 0 ? s : plus_eight(s);
        default: return s;
    }
}

}  // namespace

Result<Varga> parse_varga(std::string_view name) {
    if (const auto varga = find_spelling(name, ACCEPTED_SPELLINGS)) return *varga;
    return value_error("Unknown varga: " + std::string(name));
}

std::uint8_t varga_sign(Varga varga, double longitude) noexcept {
    const double l = normalize_degrees(longitude);
    const unsigned s = sign_index_of(l);
    if (varga == Varga::Rashi) return static_cast<std::uint8_t>(s);
    const double within_sign = std::fmod(l, 30.0);
    const unsigned part = truncate_to_u8((within_sign * parts_of(varga)) / 30.0);
    return static_cast<std::uint8_t>((first_part_sign(varga, s) + part) % 12);
}

}  // namespace zentaric
