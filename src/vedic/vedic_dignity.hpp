// Vedic dignity of a planet in a varga (BPHS ch. 3 and 6): exaltation, moolatrikona, own sign, the five-fold
// relationship with the sign's lord, debilitation; and the Vimshopaka bala built on it (BPHS ch. 7).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "vedic/graha.hpp"
#include "vedic/varga.hpp"

namespace zentaric {

enum class VedicDignity : std::uint8_t {
    Exalted, Moolatrikona, Own, GreatFriend, Friend, Neutral, Enemy, GreatEnemy, Debilitated,
};

// "Exalted", "Moolatrikona", "Own", "GreatFriend", "Friend", "Neutral", "Enemy", "GreatEnemy", "Debilitated".
std::string_view vedic_dignity_name(VedicDignity dignity) noexcept;

// A planet's exaltation and moolatrikona (BPHS ch. 3); debilitation is the sign opposite exaltation.
struct DignityRow {
    std::uint8_t exaltation_sign;
    double exaltation_degree;  // the deepest exaltation within the sign
    std::uint8_t moolatrikona_sign;
    double moolatrikona_from, moolatrikona_to;  // degrees within the sign, [from, to)
};
inline constexpr std::array<DignityRow, PLANET_GRAHA_COUNT> DIGNITY_TABLE{{
    {0, 10, 4, 0, 20},   // Sun: Aries 10°; Leo 0-20°
    {1, 3, 1, 3, 30},    // Moon: Taurus 3°; Taurus 3-30°
    {9, 28, 0, 0, 12},   // Mars: Capricorn 28°; Aries 0-12°
    {5, 15, 5, 15, 20},  // Mercury: Virgo 15°; Virgo 15-20°
    {3, 5, 8, 0, 10},    // Jupiter: Cancer 5°; Sagittarius 0-10°
    {11, 27, 6, 0, 15},  // Venus: Pisces 27°; Libra 0-15°
    {6, 20, 10, 0, 20},  // Saturn: Libra 20°; Aquarius 0-20°
}};

// Dignity of a planet (Sun..Saturn; a node reads Neutral) in a varga, the temporal relationships taken from the D1
// longitudes. In the Rashi the degree counts: in its exaltation sign a planet is exalted up to the start of a
// moolatrikona range in that sign, moolatrikona inside it and in its own sign after it (the Moon in Taurus 0-3°
// exalted, 3-30° moolatrikona; Mercury in Virgo 0-15° exalted, 15-20° moolatrikona, 20-30° own); in its
// moolatrikona sign outside the range it is in its own sign. In the other vargas the sign alone counts, in the
// order exalted, debilitated, moolatrikona, own.
VedicDignity vedic_dignity(Graha planet, Varga varga, const GrahaLongitudes& d1) noexcept;

// The Vimshopaka groups of vargas with Parashara's weights (BPHS ch. 7).
enum class VargaGroup : std::uint8_t { Shadvarga, Saptavarga, Dashavarga, Shodashavarga };
inline constexpr std::size_t VARGA_GROUP_COUNT = 4;

struct VargaGroupRow {
    VargaGroup id;
    std::string_view name;
    Spellings spellings;
    std::array<double, VARGA_COUNT> weight;  // by Varga; the weights of a group add up to 20
};
//                                                      D1   D2   D3   D4   D7   D9   D10  D12  D16 D20  D24  D27
//                                                      D30  D40  D45  D60
inline constexpr std::array<VargaGroupRow, VARGA_GROUP_COUNT> VARGA_GROUP_TABLE{{
    {VargaGroup::Shadvarga, "Shadvarga", {"shadvarga", "6", nullptr},
     {6, 2, 4, 0, 0, 5, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0}},
    {VargaGroup::Saptavarga, "Saptavarga", {"saptavarga", "7", nullptr},
     {5, 2, 3, 0, 2.5, 4.5, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0}},
    {VargaGroup::Dashavarga, "Dashavarga", {"dashavarga", "10", nullptr},
     {3, 1.5, 1.5, 0, 1.5, 1.5, 1.5, 1.5, 1.5, 0, 0, 0, 1.5, 0, 0, 5}},
    {VargaGroup::Shodashavarga, "Shodashavarga", {"shodashavarga", "16", nullptr},
     {3.5, 1, 1, 0.5, 0.5, 3, 0.5, 0.5, 2, 0.5, 0.5, 0.5, 1, 0.5, 0.5, 4}},
}};
static_assert(well_formed(VARGA_GROUP_TABLE));
static_assert([] {
    for (const VargaGroupRow& row : VARGA_GROUP_TABLE) {
        double sum = 0;
        for (double w : row.weight) sum += w;
        if (sum != 20.0) return false;
    }
    return true;
}());

inline Result<VargaGroup> parse_varga_group(std::string_view name) {
    return parse_name(name, VARGA_GROUP_TABLE, "Unknown varga group: ");
}

// Points of a varga dignity out of 20 (BPHS 7.21-25): own sign (exalted and moolatrikona count as own) 20, great
// friend 18, friend 15, neutral 10, enemy 7, great enemy (and debilitated) 5.
double vimshopaka_points(VedicDignity dignity) noexcept;

// Vimshopaka bala of a planet (Sun..Saturn), 0..20: the group's weighted points, weight × points / 20 summed.
double vimshopaka_bala(Graha planet, VargaGroup group, const GrahaLongitudes& d1) noexcept;

}  // namespace zentaric
