// The nine grahas of Vedic astrology, the sign lords and the places of a chart's grahas.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zentaric {

// In the order of the localised planet names (planet_name index 0..8).
enum class Graha : std::uint8_t { Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu, Ketu };
inline constexpr std::size_t GRAHA_COUNT = 9;
inline constexpr std::size_t PLANET_GRAHA_COUNT = 7;  // Sun..Saturn: the grahas that own signs

inline constexpr std::array<std::string_view, GRAHA_COUNT> GRAHA_NAMES{
    "Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn", "Rahu", "Ketu"};

constexpr std::string_view graha_name(Graha graha) noexcept {
    return GRAHA_NAMES[static_cast<std::size_t>(graha) % GRAHA_COUNT];
}

// Sidereal longitudes in degrees of the nine grahas, in Graha order.
using GrahaLongitudes = std::array<double, GRAHA_COUNT>;

// Parashara's lord of each sign, Aries..Pisces (Scorpio Mars, Aquarius Saturn).
inline constexpr std::array<Graha, 12> SIGN_LORDS{
    Graha::Mars,  Graha::Venus, Graha::Mercury, Graha::Moon,    Graha::Sun,    Graha::Mercury,
    Graha::Venus, Graha::Mars,  Graha::Jupiter, Graha::Saturn, Graha::Saturn, Graha::Jupiter};

constexpr Graha sign_lord(std::uint8_t sign) noexcept { return SIGN_LORDS[sign % 12]; }

// Sign index 0..11 of each graha's longitude (normalised first).
std::array<std::uint8_t, GRAHA_COUNT> graha_signs(const GrahaLongitudes& longitudes) noexcept;

}  // namespace zentaric
