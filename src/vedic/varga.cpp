#include "vedic/varga.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

// Parashara's Trimshamsha: five unequal parts ruled by Mars, Saturn, Jupiter, Mercury and Venus; odd signs give
// their odd signs in that order, even signs their even signs in the reverse order (BPHS ch. 6).
struct TrimshamshaPart {
    double end;  // degrees within the sign
    std::uint8_t sign;
};
constexpr std::array<TrimshamshaPart, 5> TRIMSHAMSHA_ODD{{{5, 0}, {10, 10}, {18, 8}, {25, 2}, {30, 6}}};
constexpr std::array<TrimshamshaPart, 5> TRIMSHAMSHA_EVEN{{{5, 1}, {12, 5}, {20, 11}, {25, 9}, {30, 7}}};

std::uint8_t trimshamsha_sign(unsigned sign, double within_sign) noexcept {
    const auto& parts = sign % 2 == 0 ? TRIMSHAMSHA_ODD : TRIMSHAMSHA_EVEN;  // index 0 (Aries) is an odd sign
    for (const TrimshamshaPart& part : parts)
        if (within_sign < part.end) return part.sign;
    return parts.back().sign;
}

}  // namespace

std::uint8_t varga_sign(Varga varga, double longitude) noexcept {
    const double l = normalize_degrees(longitude);
    const unsigned s = sign_index_of(l);
    const VargaRow& row = VARGA_TABLE[static_cast<std::size_t>(varga) % VARGA_COUNT];
    if (row.parts == 1) return static_cast<std::uint8_t>(s);
    const double within_sign = std::fmod(l, 30.0);
    if (row.id == Varga::Trimshamsha) return trimshamsha_sign(s, within_sign);
    const unsigned part = truncate_to_u8((within_sign * row.parts) / 30.0);
    const unsigned phase = s % row.cycle;
    const unsigned base = (row.from_sign ? s : 0u) + row.offset[phase];
    return static_cast<std::uint8_t>((base + part * row.step[phase]) % 12);
}

}  // namespace zentaric
