// Double-to-index conversion shared by the sign, nakshatra, pada and varga rules, and the signs' names.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace zentaric {

// Truncation toward zero saturating at 0..255; NaN and negative values give 0.
inline std::uint8_t truncate_to_u8(double x) noexcept {
    if (!(x > 0.0)) return 0;
    if (x >= 255.0) return 255;
    return static_cast<std::uint8_t>(x);
}

// Sign index 0..11 of a longitude already in [0, 360): truncation of L / 30, saturating, modulo 12.
inline std::uint8_t sign_index_of(double normalized_longitude) noexcept {
    return static_cast<std::uint8_t>(truncate_to_u8(normalized_longitude / 30.0) % 12);
}

// English sign names, Aries..Pisces, by sign index 0..11.
inline constexpr std::array<std::string_view, 12> SIGN_NAMES = {
    "Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

}  // namespace zentaric
