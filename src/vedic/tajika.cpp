#include "vedic/tajika.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {

VarshaLords varsha_lords(const GrahaLongitudes& varsha, double varsha_lagna, std::uint8_t natal_lagna_sign,
                         std::uint8_t muntha_sign, const std::array<double, PLANET_GRAHA_COUNT>& strength) noexcept {
    const std::uint8_t lagna_sign = sign_index_of(normalize_degrees(varsha_lagna));
    const auto signs = graha_signs(varsha);
    VarshaLords lords{};
    // By day when the Sun lies in the half of the ecliptic above the horizon, from the descendant to the ascendant.
    lords.by_day = normalize_degrees(varsha[static_cast<std::size_t>(Graha::Sun)] - varsha_lagna) >= 180.0;
    const Graha luminary = lords.by_day ? Graha::Sun : Graha::Moon;
    const TriRashiRow& tri_rashi = TRI_RASHI_TABLE[lagna_sign % 12];
    lords.adhikaris = {sign_lord(muntha_sign), sign_lord(natal_lagna_sign), sign_lord(lagna_sign),
                       lords.by_day ? tri_rashi.day : tri_rashi.night,
                       sign_lord(signs[static_cast<std::size_t>(luminary)])};
    // Shadbala decides (BPHS ch. 27): the strongest aspecting the lagna, else the strongest (Tajika Neelakanthi).
    int chosen = -1;
    bool chosen_aspects = false;
    for (std::size_t k = 0; k < ADHIKARI_COUNT; ++k) {
        const auto graha = static_cast<std::size_t>(lords.adhikaris[k]);
        const std::size_t house = (lagna_sign + 12u - signs[graha]) % 12u + 1u;
        lords.aspects_lagna[k] = TAJIKA_ASPECT[house];
        lords.strength[k] = strength[graha];
        const bool better = chosen < 0 || (lords.aspects_lagna[k] && !chosen_aspects) ||
                            (lords.aspects_lagna[k] == chosen_aspects &&
                             strength[graha] > strength[static_cast<std::size_t>(lords.adhikaris[chosen])]);
        if (better) {
            chosen = static_cast<int>(k);
            chosen_aspects = lords.aspects_lagna[k];
        }
    }
    lords.year_lord = lords.adhikaris[static_cast<std::size_t>(chosen)];
    return lords;
}

}  // namespace zentaric
