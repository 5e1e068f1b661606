// Ashtakavarga, its reductions and pindas.
#include "vedic/ashtakavarga.hpp"

#include <algorithm>

namespace zentaric {
namespace {

// Multipliers of the signs Aries..Pisces (rashi gunakara) and of the planets Sun..Saturn (graha gunakara), BPHS ch. 69.
constexpr std::array<std::uint8_t, 12> SIGN_MULTIPLIER = {7, 10, 8, 4, 10, 5, 7, 8, 9, 5, 11, 12};
constexpr std::array<std::uint8_t, ASHTAKAVARGA_PLANETS> PLANET_MULTIPLIER = {5, 5, 8, 5, 10, 7, 5};

// The pairs of signs one planet rules (Mars, Venus, Mercury, Jupiter, Saturn); Cancer and Leo have none.
constexpr std::array<std::array<std::uint8_t, 2>, 5> SAME_LORD_SIGNS = {{{0, 7}, {1, 6}, {2, 5}, {8, 11}, {9, 10}}};

// Trikona shodhana (BPHS ch. 67): in each triangle of signs of one element nothing changes when one of the three
// holds no bindu; otherwise the smallest count is taken from all three (three equal counts are cleared).
SignCounts trikona_shodhana(SignCounts counts) {
    for (std::uint8_t first = 0; first < 4; ++first) {
        const std::uint8_t least = std::min({counts[first], counts[first + 4], counts[first + 8]});
        for (std::uint8_t sign = first; sign < 12; sign = static_cast<std::uint8_t>(sign + 4))
            counts[sign] = static_cast<std::uint8_t>(counts[sign] - least);
    }
    return counts;
}

// Ekadhipatya shodhana (BPHS ch. 68, as B.V. Raman states it) over the two signs of one lord, after trikona shodhana:
// nothing when either holds no bindu or both hold a planet; both unoccupied: equal counts are cleared, else the larger
// comes down to the smaller; one occupied: the other is cleared when its count is at most the occupied one's, else it
// comes down to the occupied one's.
SignCounts ekadhipatya_shodhana(SignCounts counts, std::uint16_t occupied) {
    for (const auto& [first, second] : SAME_LORD_SIGNS) {
        std::uint8_t& a = counts[first];
        std::uint8_t& b = counts[second];
        const bool a_occupied = (occupied >> first) & 1u;
        const bool b_occupied = (occupied >> second) & 1u;
        if (a == 0 || b == 0 || (a_occupied && b_occupied)) continue;
        if (!a_occupied && !b_occupied) {
            if (a == b) a = b = 0;
            else a = b = std::min(a, b);
        } else {
            const std::uint8_t held = a_occupied ? a : b;
            std::uint8_t& empty = a_occupied ? b : a;
            empty = empty <= held ? 0 : held;
        }
    }
    return counts;
}

}  // namespace


Ashtakavarga ashtakavarga(const std::array<std::uint8_t, ASHTAKAVARGA_CONTRIBUTORS>& signs) noexcept {
    Ashtakavarga result{};
    std::uint16_t occupied = 0;
    for (std::size_t planet = 0; planet < ASHTAKAVARGA_PLANETS; ++planet)
        occupied = static_cast<std::uint16_t>(occupied | (1u << (signs[planet] % 12)));
    for (std::size_t planet = 0; planet < ASHTAKAVARGA_PLANETS; ++planet) {
        for (std::size_t contributor = 0; contributor < ASHTAKAVARGA_CONTRIBUTORS; ++contributor) {
            // Sign s is house (s - from) mod 12 + 1 from the contributor: rotate the house mask to start at its sign.
            const unsigned from = signs[contributor] % 12u;
            const unsigned mask = BINDU_HOUSES[planet][contributor];
            const auto by_sign = static_cast<std::uint16_t>(((mask << from) | (mask >> (12u - from))) & 0xFFFu);
            result.prastara[planet][contributor] = by_sign;
            for (std::uint8_t sign = 0; sign < 12; ++sign) result.bhinna[planet][sign] += (by_sign >> sign) & 1u;
        }
        for (std::uint8_t sign = 0; sign < 12; ++sign) result.sarva[sign] += result.bhinna[planet][sign];
        result.trikona[planet] = trikona_shodhana(result.bhinna[planet]);
        result.reduced[planet] = ekadhipatya_shodhana(result.trikona[planet], occupied);
        unsigned rashi = 0, graha = 0;
        for (std::uint8_t sign = 0; sign < 12; ++sign) rashi += result.reduced[planet][sign] * SIGN_MULTIPLIER[sign];
        for (std::size_t body = 0; body < ASHTAKAVARGA_PLANETS; ++body)
            graha += result.reduced[planet][signs[body] % 12] * PLANET_MULTIPLIER[body];
        result.rashi_pinda[planet] = static_cast<std::uint16_t>(rashi);
        result.graha_pinda[planet] = static_cast<std::uint16_t>(graha);
        result.shodhya_pinda[planet] = static_cast<std::uint16_t>(rashi + graha);
    }
    return result;
}

}  // namespace zentaric
