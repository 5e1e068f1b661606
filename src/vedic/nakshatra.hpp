// The 27 nakshatras, their padas and their Vimshottari lords.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zentaric {

inline constexpr double NAKSHATRA_SPAN = 13.333333333333334;  // 40/3 degrees; 27 spans make exactly 360.0
inline constexpr double PADA_SPAN = 3.333333333333333;        // one ulp below 10/3, on purpose
inline constexpr int NAKSHATRA_COUNT = 27;

// The nine Vimshottari lords in the order of the dasha cycle.
enum class DashaLord : std::uint8_t { Sun, Moon, Mars, Rahu, Jupiter, Saturn, Mercury, Ketu, Venus };
inline constexpr int DASHA_LORD_COUNT = 9;
inline constexpr std::array<std::string_view, DASHA_LORD_COUNT> DASHA_LORD_NAMES{
    "Sun", "Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury", "Ketu", "Venus"};

constexpr std::string_view dasha_lord_name(DashaLord lord) noexcept {
    return DASHA_LORD_NAMES[static_cast<std::size_t>(lord) % DASHA_LORD_COUNT];
}

// The lord that follows in the cycle (Venus is followed by the Sun).
inline DashaLord next_lord(DashaLord lord, unsigned steps = 1) noexcept {
    return static_cast<DashaLord>((static_cast<unsigned>(lord) + steps) % DASHA_LORD_COUNT);
}

// Nakshatra index 0..26 of a longitude (normalised first).
std::uint8_t nakshatra_of(double longitude) noexcept;

// Pada 1..4 of a longitude (normalised first; a longitude on an inner boundary belongs to the earlier pada).
std::uint8_t pada_of(double longitude) noexcept;

// Lord of nakshatra index 0..26.
DashaLord nakshatra_lord(std::uint8_t nakshatra) noexcept;

// "Purva Phalguni" (display) and "PurvaPhalguni" (enumeration) forms of nakshatra index 0..26.
std::string_view nakshatra_display_name(std::uint8_t nakshatra) noexcept;
std::string_view nakshatra_enum_name(std::uint8_t nakshatra) noexcept;

}  // namespace zentaric
