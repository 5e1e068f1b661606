// Jaimini's chara karakas, arudha padas and karakamsha (Jaimini Sutras 1.1; BPHS ch. 29-32).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "vedic/graha.hpp"

namespace zentaric {

// Seven karakas (Sun..Saturn) or eight (Rahu added, counted by 30° less its degree).
enum class KarakaScheme : std::uint8_t { Seven, Eight };

// The karakas' grahas, highest degree within the sign first; `count` 7 or 8.
struct CharaKarakas {
    std::uint8_t count;
    std::array<Graha, 8> graha;
};

// AK, AmK, BK, MK, PK, GK, DK (seven) or AK, AmK, BK, MK, PiK, PK, GK, DK (eight); empty past the count.
std::string_view karaka_name(KarakaScheme scheme, std::size_t rank) noexcept;

// The grahas in descending order of degree within their sign (Rahu's taken as 30° less it), equal degrees by the
// larger longitude, then in Graha order.
CharaKarakas chara_karakas(const GrahaLongitudes& longitudes, KarakaScheme scheme) noexcept;

// The sign of the Atmakaraka in the navamsha.
std::uint8_t karakamsha(const GrahaLongitudes& longitudes, KarakaScheme scheme) noexcept;

// Arudha padas A1..A12 of the houses counted whole-sign from the lagna's sign: as far again from the house's lord
// as the lord is from the house (Scorpio and Aquarius by `stronger_lord`); a pada in the house itself or in the 7th
// from it moves to the 10th from there. A12 is the upapada.
std::array<std::uint8_t, 12> arudha_padas(const GrahaLongitudes& longitudes, std::uint8_t lagna_sign) noexcept;

}  // namespace zentaric
