// The lord of a sign for Jaimini's counts, Scorpio and Aquarius choosing between their two lords.
#pragma once

#include <cstdint>

#include "vedic/graha.hpp"

namespace zentaric {

// Scorpio's lords are Mars and Ketu, Aquarius's Saturn and Rahu; every other sign has its one lord.
inline constexpr bool has_co_lord(std::uint8_t sign) noexcept { return sign % 12 == 7 || sign % 12 == 10; }
inline constexpr Graha co_lord(std::uint8_t sign) noexcept { return sign % 12 == 7 ? Graha::Ketu : Graha::Rahu; }

// The lord a Jaimini count goes to (Chara dasha, arudha padas), as K.N. Rao reads the rule: when one lord is in the
// sign and the other outside, the one outside; when both are outside, the one joined by more grahas in its sign,
// then the one further advanced in its sign, then Mars or Saturn; when both are inside, Mars or Saturn (the count
// is the sign itself either way). For the other signs, the sign's lord.
Graha stronger_lord(std::uint8_t sign, const GrahaLongitudes& longitudes) noexcept;

}  // namespace zentaric
