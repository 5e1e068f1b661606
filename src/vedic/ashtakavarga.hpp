// Ashtakavarga: the bindus each of the seven planets receives in the twelve signs from the eight contributors
// (BPHS ch. 66), their reductions (trikona and ekadhipatya shodhana, BPHS ch. 67-68) and the shodhya pinda (ch. 69).
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace zentaric {

// The receiving planets Sun..Saturn, and the contributors Sun..Saturn followed by the lagna.
inline constexpr std::size_t ASHTAKAVARGA_PLANETS = 7;
inline constexpr std::size_t ASHTAKAVARGA_CONTRIBUTORS = 8;

// The houses (1..12), counted from a contributor's sign, in which it gives the receiving planet a bindu: bit h - 1
// set for house h. Rows Sun..Saturn, columns Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Lagna (BPHS ch. 66,
// as B.V. Raman gives the table in "Ashtakavarga System of Prediction").
using BinduHouses = std::array<std::array<std::uint16_t, ASHTAKAVARGA_CONTRIBUTORS>, ASHTAKAVARGA_PLANETS>;
constexpr std::uint16_t bindu_houses(std::initializer_list<int> numbers) {
    std::uint16_t mask = 0;
    for (const int house : numbers) mask = static_cast<std::uint16_t>(mask | (1u << (house - 1)));
    return mask;
}

inline constexpr BinduHouses BINDU_HOUSES = {{
    {bindu_houses({1, 2, 4, 7, 8, 9, 10, 11}), bindu_houses({3, 6, 10, 11}), bindu_houses({1, 2, 4, 7, 8, 9, 10, 11}),
     bindu_houses({3, 5, 6, 9, 10, 11, 12}), bindu_houses({5, 6, 9, 11}), bindu_houses({6, 7, 12}), bindu_houses({1, 2, 4, 7, 8, 9, 10, 11}),
     bindu_houses({3, 4, 6, 10, 11, 12})},
    {bindu_houses({3, 6, 7, 8, 10, 11}), bindu_houses({1, 3, 6, 7, 10, 11}), bindu_houses({2, 3, 5, 6, 9, 10, 11}),
     bindu_houses({1, 3, 4, 5, 7, 8, 10, 11}), bindu_houses({1, 4, 7, 8, 10, 11, 12}), bindu_houses({3, 4, 5, 7, 9, 10, 11}),
     bindu_houses({3, 5, 6, 11}), bindu_houses({3, 6, 10, 11})},
    {bindu_houses({3, 5, 6, 10, 11}), bindu_houses({3, 6, 11}), bindu_houses({1, 2, 4, 7, 8, 10, 11}), bindu_houses({3, 5, 6, 11}),
     bindu_houses({6, 10, 11, 12}), bindu_houses({6, 8, 11, 12}), bindu_houses({1, 4, 7, 8, 9, 10, 11}), bindu_houses({1, 3, 6, 10, 11})},
    {bindu_houses({5, 6, 9, 11, 12}), bindu_houses({2, 4, 6, 8, 10, 11}), bindu_houses({1, 2, 4, 7, 8, 9, 10, 11}),
     bindu_houses({1, 3, 5, 6, 9, 10, 11, 12}), bindu_houses({6, 8, 11, 12}), bindu_houses({1, 2, 3, 4, 5, 8, 9, 11}),
     bindu_houses({1, 2, 4, 7, 8, 9, 10, 11}), bindu_houses({1, 2, 4, 6, 8, 10, 11})},
    {bindu_houses({1, 2, 3, 4, 7, 8, 9, 10, 11}), bindu_houses({2, 5, 7, 9, 11}), bindu_houses({1, 2, 4, 7, 8, 10, 11}),
     bindu_houses({1, 2, 4, 5, 6, 9, 10, 11}), bindu_houses({1, 2, 3, 4, 7, 8, 10, 11}), bindu_houses({2, 5, 6, 9, 10, 11}),
     bindu_houses({3, 5, 6, 12}), bindu_houses({1, 2, 4, 5, 6, 7, 9, 10, 11})},
    {bindu_houses({8, 11, 12}), bindu_houses({1, 2, 3, 4, 5, 8, 9, 11, 12}), bindu_houses({3, 5, 6, 9, 11, 12}), bindu_houses({3, 5, 6, 9, 11}),
     bindu_houses({5, 8, 9, 10, 11}), bindu_houses({1, 2, 3, 4, 5, 8, 9, 10, 11}), bindu_houses({3, 4, 5, 8, 9, 10, 11}),
     bindu_houses({1, 2, 3, 4, 5, 8, 9, 11})},
    {bindu_houses({1, 2, 4, 7, 8, 10, 11}), bindu_houses({3, 6, 11}), bindu_houses({3, 5, 6, 10, 11, 12}), bindu_houses({6, 8, 9, 10, 11, 12}),
     bindu_houses({5, 6, 11, 12}), bindu_houses({6, 11, 12}), bindu_houses({3, 5, 6, 11}), bindu_houses({1, 3, 4, 6, 10, 11})},
}};

// Each planet's total of bindus (BPHS: 48, 49, 39, 54, 56, 52, 39; 337 in all).
constexpr bool bindu_totals_are_classical() {
    constexpr std::array<int, ASHTAKAVARGA_PLANETS> totals = {48, 49, 39, 54, 56, 52, 39};
    for (std::size_t planet = 0; planet < ASHTAKAVARGA_PLANETS; ++planet) {
        int count = 0;
        for (const std::uint16_t mask : BINDU_HOUSES[planet]) count += std::popcount(mask);
        if (count != totals[planet]) return false;
    }
    return true;
}
static_assert(bindu_totals_are_classical());

using SignCounts = std::array<std::uint8_t, 12>;

struct Ashtakavarga {
    // prastara[planet][contributor]: bit s set when that contributor gives the planet a bindu in sign s.
    std::array<std::array<std::uint16_t, ASHTAKAVARGA_CONTRIBUTORS>, ASHTAKAVARGA_PLANETS> prastara;
    std::array<SignCounts, ASHTAKAVARGA_PLANETS> bhinna;    // bindus of each planet in each sign (0..8)
    SignCounts sarva;                                       // sum over the seven planets (0..56)
    std::array<SignCounts, ASHTAKAVARGA_PLANETS> trikona;   // after trikona shodhana
    std::array<SignCounts, ASHTAKAVARGA_PLANETS> reduced;   // after trikona and then ekadhipatya shodhana
    std::array<std::uint16_t, ASHTAKAVARGA_PLANETS> rashi_pinda;
    std::array<std::uint16_t, ASHTAKAVARGA_PLANETS> graha_pinda;
    std::array<std::uint16_t, ASHTAKAVARGA_PLANETS> shodhya_pinda;  // rashi + graha pinda
};

// Ashtakavarga of a chart from the signs (0..11, taken modulo 12) of Sun..Saturn and the lagna.
Ashtakavarga ashtakavarga(const std::array<std::uint8_t, ASHTAKAVARGA_CONTRIBUTORS>& signs) noexcept;

}  // namespace zentaric
