#include "vedic/manglik.hpp"

#include "time/angles.hpp"
#include "vedic/drishti.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

std::uint8_t sign_of(const GrahaLongitudes& grahas, Graha graha) noexcept {
    return sign_index_of(normalize_degrees(grahas[static_cast<std::size_t>(graha)]));
}
std::uint8_t house_from(std::uint8_t reference_sign, std::uint8_t sign) noexcept {
    return static_cast<std::uint8_t>((sign + 12 - reference_sign) % 12 + 1);
}

bool own_or_exalted(const GrahaLongitudes& g, std::uint8_t) noexcept {
    const std::uint8_t mars = sign_of(g, Graha::Mars);
    return mars == 0 || mars == 7 || mars == 9;  // Aries, Scorpio; exalted in Capricorn
}

bool with_jupiter_or_moon(const GrahaLongitudes& g, std::uint8_t) noexcept {
    const std::uint8_t mars = sign_of(g, Graha::Mars);
    return mars == sign_of(g, Graha::Jupiter) || mars == sign_of(g, Graha::Moon);
}

bool aspected_by_jupiter(const GrahaLongitudes& g, std::uint8_t) noexcept {
    return (graha_drishti(Graha::Jupiter, sign_of(g, Graha::Jupiter)) >> sign_of(g, Graha::Mars) & 1u) != 0;
}

bool in_leo_or_aquarius(const GrahaLongitudes& g, std::uint8_t) noexcept {
    const std::uint8_t mars = sign_of(g, Graha::Mars);
    return mars == 4 || mars == 10;
}

// Mars from the lagna in the 1st in Aries, the 2nd in Gemini or Virgo, the 4th in Aries or Scorpio, the 7th in Cancer
// or Capricorn, the 8th in Sagittarius or Pisces, the 12th in Taurus or Libra.
bool house_and_sign(const GrahaLongitudes& g, std::uint8_t lagna_sign) noexcept {
    const std::uint8_t mars = sign_of(g, Graha::Mars);
    switch (house_from(lagna_sign, mars)) {
        case 1: return mars == 0;
        case 2: return mars == 2 || mars == 5;
        case 4: return mars == 0 || mars == 7;
        case 7: return mars == 3 || mars == 9;
        case 8: return mars == 8 || mars == 11;
        case 12: return mars == 1 || mars == 6;
        default: return false;
    }
}

// The exceptions the matching manuals of North India cite most often; the texts give many more, and differ.
constexpr ManglikExceptionRow EXCEPTIONS[]{
    {"own or exaltation sign", "Mars in Aries or Scorpio, its own signs, or exalted in Capricorn", own_or_exalted},
    {"with Jupiter or the Moon", "Mars in one sign with Jupiter or the Moon", with_jupiter_or_moon},
    {"aspected by Jupiter", "Jupiter's sight (5th, 7th or 9th from it) falls on Mars's sign", aspected_by_jupiter},
    {"in Leo or Aquarius", "Mars in Leo or Aquarius", in_leo_or_aquarius},
    {"house and sign", "Mars from the lagna in the 1st in Aries, 2nd in Gemini or Virgo, 4th in Aries or Scorpio, "
     "7th in Cancer or Capricorn, 8th in Sagittarius or Pisces, or 12th in Taurus or Libra", house_and_sign},
};

}  // namespace

const std::span<const ManglikExceptionRow> MANGLIK_EXCEPTION_TABLE{EXCEPTIONS};

Manglik manglik(const GrahaLongitudes& grahas, double lagna_longitude, bool with_second) noexcept {
    const std::uint16_t houses = with_second ? MANGLIK_HOUSES : MANGLIK_HOUSES_WITHOUT_SECOND;
    const std::uint8_t mars = sign_of(grahas, Graha::Mars);
    const std::uint8_t lagna = sign_index_of(normalize_degrees(lagna_longitude));
    const std::uint8_t references[3] = {lagna, sign_of(grahas, Graha::Moon), sign_of(grahas, Graha::Venus)};
    Manglik result{};
    for (std::size_t r = 0; r < 3; ++r) {
        const std::uint8_t house = house_from(references[r], mars);
        const bool dosha = (houses >> house & 1u) != 0;
        result.readings[r] = ManglikReading{static_cast<ManglikReference>(r), house, dosha};
        result.dosha = result.dosha || dosha;
    }
    for (std::size_t e = 0; result.dosha && e < MANGLIK_EXCEPTION_TABLE.size(); ++e)
        if (MANGLIK_EXCEPTION_TABLE[e].applies(grahas, lagna)) result.exceptions |= 1u << e;
    return result;
}

}  // namespace zentaric
