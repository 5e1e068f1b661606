// A chart's places as the dasha rules read them: the nine grahas' sidereal longitudes and the lagna.
#pragma once

#include <cstddef>
#include <cstdint>

#include "time/angles.hpp"
#include "vedic/graha.hpp"
#include "vedic/index.hpp"

namespace zentaric {

struct GrahaPositions {
    GrahaLongitudes longitude;  // degrees, by Graha
    double lagna;               // degrees

    std::uint8_t sign(Graha graha) const noexcept {
        return sign_index_of(normalize_degrees(longitude[static_cast<std::size_t>(graha)]));
    }
    std::uint8_t lagna_sign() const noexcept { return sign_index_of(normalize_degrees(lagna)); }
};

}  // namespace zentaric
