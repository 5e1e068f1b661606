#include "vedic/varga.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {

std::uint8_t varga_sign(Varga varga, double longitude) noexcept {
    const double l = normalize_degrees(longitude);
    const unsigned s = sign_index_of(l);
    const VargaRow& row = VARGA_TABLE[static_cast<std::size_t>(varga) % VARGA_COUNT];
    if (row.parts == 1) return static_cast<std::uint8_t>(s);
    const double within_sign = std::fmod(l, 30.0);
    const unsigned part = truncate_to_u8((within_sign * row.parts) / 30.0);
    return static_cast<std::uint8_t>((s + row.first_part_offset[s % row.first_part_cycle] + part) % 12);
}

}  // namespace zentaric
