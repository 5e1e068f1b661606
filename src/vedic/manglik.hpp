// Manglik (kuja dosha): Mars in the 1st, 2nd, 4th, 7th, 8th or 12th house counted from the lagna, the Moon and
// Venus, the common exceptions that cancel it, and a couple's match of the dosha.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "vedic/graha.hpp"

namespace zentaric {

// Houses by sign from a reference (the reference's sign is the 1st). The reading with the 2nd is the common North
// Indian one; the South Indian reading leaves the 2nd out.
inline constexpr std::uint16_t MANGLIK_HOUSES = (1u << 1) | (1u << 2) | (1u << 4) | (1u << 7) | (1u << 8) | (1u << 12);
inline constexpr std::uint16_t MANGLIK_HOUSES_WITHOUT_SECOND = MANGLIK_HOUSES & ~(1u << 2);

enum class ManglikReference : std::uint8_t { Lagna, Moon, Venus };
inline constexpr std::array<std::string_view, 3> MANGLIK_REFERENCE_NAMES{"Lagna", "Moon", "Venus"};

struct ManglikReading {
    ManglikReference from;
    std::uint8_t house;  // of Mars, 1..12
    bool dosha;
};

// An exception (dosha bhanga) that cancels the dosha wherever it is read from: its name, its rule and its test.
struct ManglikExceptionRow {
    std::string_view name;
    std::string_view rule;
    bool (*applies)(const GrahaLongitudes& grahas, std::uint8_t lagna_sign) noexcept;
};
extern const std::span<const ManglikExceptionRow> MANGLIK_EXCEPTION_TABLE;

struct Manglik {
    std::array<ManglikReading, 3> readings;  // from the lagna, the Moon and Venus
    bool dosha;                              // Mars in one of the houses from any reference
    std::uint32_t exceptions;                // bit e: row e of MANGLIK_EXCEPTION_TABLE applies (only when dosha)
    constexpr bool cancelled() const noexcept { return dosha && exceptions != 0; }
    constexpr bool stands() const noexcept { return dosha && exceptions == 0; }
};

Manglik manglik(const GrahaLongitudes& grahas, double lagna_longitude, bool with_second = true) noexcept;

// A couple agrees when both carry a dosha that stands or neither does (a dosha cancelled by an exception counts as
// none): Mars of one is matched by Mars of the other.
constexpr bool manglik_agrees(const Manglik& boy, const Manglik& girl) noexcept {
    return boy.stands() == girl.stands();
}

}  // namespace zentaric
