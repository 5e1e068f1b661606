#include "vedic/co_lord.hpp"

#include <cmath>
#include <cstddef>

#include "time/angles.hpp"

namespace zentaric {

Graha stronger_lord(std::uint8_t sign, const GrahaLongitudes& longitudes) noexcept {
    const Graha lord = sign_lord(sign);
    if (!has_co_lord(sign)) return lord;
    const Graha other = co_lord(sign);
    const auto signs = graha_signs(longitudes);
    const auto l = static_cast<std::size_t>(lord), o = static_cast<std::size_t>(other);
    const bool lord_inside = signs[l] == sign % 12, other_inside = signs[o] == sign % 12;
    if (lord_inside != other_inside) return lord_inside ? other : lord;
    if (lord_inside) return lord;
    const auto companions = [&](std::size_t g) {
        unsigned count = 0;
        for (std::size_t k = 0; k < GRAHA_COUNT; ++k) count += k != g && signs[k] == signs[g];
        return count;
    };
    if (companions(l) != companions(o)) return companions(l) > companions(o) ? lord : other;
    const double lord_degree = std::fmod(normalize_degrees(longitudes[l]), 30.0);
    const double other_degree = std::fmod(normalize_degrees(longitudes[o]), 30.0);
    return other_degree > lord_degree ? other : lord;
}

}  // namespace zentaric
