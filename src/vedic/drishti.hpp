// Vedic aspects: the grahas' sight (graha drishti, BPHS ch. 26) and the signs' sight of Jaimini (rashi drishti,
// Jaimini Sutras 1.1).
#pragma once

#include <cstdint>

#include "vedic/graha.hpp"

namespace zentaric {

// Signs as a bit set: bit k is sign k (Aries 0 .. Pisces 11).
using SignSet = std::uint16_t;

// The houses counted from a graha's own sign (1 the sign itself) that it aspects in full: every graha the 7th;
// Mars also the 4th and 8th, Jupiter the 5th and 9th, Saturn the 3rd and 10th. Rahu and Ketu the 7th only (the
// texts differ on the nodes; the 7th is the one sight all of them give).
struct DrishtiRow {
    std::uint8_t count;
    std::uint8_t houses[3];
};
inline constexpr DrishtiRow GRAHA_DRISHTI[GRAHA_COUNT]{
    {1, {7}}, {1, {7}}, {3, {4, 7, 8}}, {1, {7}}, {3, {5, 7, 9}}, {1, {7}}, {3, {3, 7, 10}}, {1, {7}}, {1, {7}},
};

// The signs a graha in `sign` aspects.
SignSet graha_drishti(Graha graha, std::uint8_t sign) noexcept;

// The signs a sign aspects: movable signs the fixed signs but the one beside them, fixed signs the movable
// signs but the one beside them, dual signs the other three dual signs.
SignSet rashi_drishti(std::uint8_t sign) noexcept;

}  // namespace zentaric
