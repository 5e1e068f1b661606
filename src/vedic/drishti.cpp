#include "vedic/drishti.hpp"

#include <cstddef>

namespace zentaric {

SignSet graha_drishti(Graha graha, std::uint8_t sign) noexcept {
    const DrishtiRow& row = GRAHA_DRISHTI[static_cast<std::size_t>(graha) % GRAHA_COUNT];
    SignSet signs = 0;
    for (std::uint8_t i = 0; i < row.count; ++i) signs |= SignSet(1u << ((sign % 12 + row.houses[i] - 1) % 12));
    return signs;
}

SignSet rashi_drishti(std::uint8_t sign) noexcept {
    const unsigned s = sign % 12, quality = s % 3;  // 0 movable, 1 fixed, 2 dual
    const unsigned target = quality == 0 ? 1u : quality == 1 ? 0u : 2u;
    SignSet signs = 0;
    for (unsigned other = 0; other < 12; ++other) {
        const bool adjacent = (other + 1) % 12 == s || (s + 1) % 12 == other;
        if (other % 3 == target && other != s && !adjacent) signs |= SignSet(1u << other);
    }
    return signs;
}

}  // namespace zentaric
