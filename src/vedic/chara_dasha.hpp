// Jaimini's Chara dasha as K.N. Rao teaches it ("Predicting through Jaimini's Chara Dasha"): periods of the signs
// from the lagna, each lasting the count from the sign to its lord.
#pragma once

#include <array>
#include <cstdint>

#include "vedic/graha_positions.hpp"

namespace zentaric {

// The maha dashas of the first cycle run forward through the signs when the 9th sign from the lagna is Aries,
// Taurus, Gemini, Libra, Scorpio or Sagittarius, backward otherwise.
bool chara_runs_forward(std::uint8_t lagna_sign) noexcept;

// Years of a sign's period in the first cycle: the count from the sign to its lord (for Scorpio and Aquarius the
// stronger of the two, vedic/co_lord.hpp), forward for Aries, Taurus, Gemini, Libra, Scorpio and Sagittarius and
// backward for the others, less one; 12 when the lord is in the sign. No year is added or taken for an exalted or debilitated lord (K.N. Rao rejects that
// commentators' rule).
std::uint8_t chara_years(std::uint8_t sign, const GrahaPositions& positions) noexcept;

struct CharaPeriod {
    std::uint8_t sign;
    std::uint8_t years;
};

// The maha dashas from birth: the twelve signs of the first cycle from the lagna, then the second cycle in the same
// order with 12 less the first cycle's years (K.N. Rao: the two cycles give each sign 12 years together), where a
// sign left with no years has no period.
struct CharaMahaDashas {
    std::array<CharaPeriod, 24> periods;
    std::uint8_t count;
};
CharaMahaDashas chara_maha_dashas(const GrahaPositions& positions) noexcept;

// Sign of the k-th (0..11) of the twelve equal antardashas of a period of `sign`: from the sign after it to the sign
// itself, forward when it is Aries, Leo, Virgo, Libra, Aquarius or Pisces, backward otherwise.
std::uint8_t chara_antardasha_sign(std::uint8_t sign, unsigned k) noexcept;

}  // namespace zentaric
