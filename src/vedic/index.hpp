// Double-to-index conversion shared by the sign, nakshatra, pada and varga rules.
#pragma once

#include <cmath>
#include <cstdint>

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

}  // namespace zentaric
