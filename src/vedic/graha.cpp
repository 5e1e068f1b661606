#include "vedic/graha.hpp"

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {

std::array<std::uint8_t, GRAHA_COUNT> graha_signs(const GrahaLongitudes& longitudes) noexcept {
    std::array<std::uint8_t, GRAHA_COUNT> signs{};
    for (std::size_t g = 0; g < GRAHA_COUNT; ++g) signs[g] = sign_index_of(normalize_degrees(longitudes[g]));
    return signs;
}

}  // namespace zentaric
