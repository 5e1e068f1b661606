// Gochara: the transits of the grahas read from the natal Moon's sign, favourable houses and their vedha (the house
// from which another graha obstructs the good result), as Phaladeepika ch. 26 gives them; and the phases of Sade Sati.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "vedic/graha.hpp"

namespace zentaric {

// vedha[h] for a house h (1..12) counted from the natal Moon: 0 when a transit there is unfavourable, else the house
// whose occupant obstructs it. Rahu and Ketu are read as Saturn (Phaladeepika gives them Saturn's results).
struct GocharaRow {
    Graha graha;
    std::array<std::uint8_t, 13> vedha;  // index 0 unused
};

inline constexpr std::array<GocharaRow, GRAHA_COUNT> GOCHARA_TABLE{{
    //                   1  2  3  4  5  6  7  8  9 10 11 12
    {Graha::Sun, {0, 0, 0, 9, 0, 0, 12, 0, 0, 0, 4, 5, 0}},
    {Graha::Moon, {0, 5, 0, 9, 0, 0, 12, 2, 0, 0, 4, 8, 0}},
    {Graha::Mars, {0, 0, 0, 12, 0, 0, 9, 0, 0, 0, 0, 5, 0}},
    {Graha::Mercury, {0, 0, 5, 0, 3, 0, 9, 0, 1, 0, 8, 12, 0}},
    {Graha::Jupiter, {0, 0, 12, 0, 0, 4, 0, 3, 0, 10, 0, 8, 0}},
    {Graha::Venus, {0, 8, 7, 1, 10, 9, 0, 0, 5, 11, 0, 6, 3}},
    {Graha::Saturn, {0, 0, 0, 12, 0, 0, 9, 0, 0, 0, 0, 5, 0}},
    {Graha::Rahu, {0, 0, 0, 12, 0, 0, 9, 0, 0, 0, 0, 5, 0}},
    {Graha::Ketu, {0, 0, 0, 12, 0, 0, 9, 0, 0, 0, 0, 5, 0}},
}};

struct GocharaReading {
    std::uint8_t house_from_moon;   // 1..12
    std::uint8_t house_from_lagna;  // 1..12
    bool favourable;                // the house is a favourable one for the graha
    std::optional<Graha> vedha_by;  // a favourable transit obstructed by the graha in its vedha house
};

// The reading of each transiting graha (Graha order) from the natal Moon's and lagna's signs (0..11). The Sun and
// Saturn, and the Moon and Mercury, cause no vedha to each other (father and son).
std::array<GocharaReading, GRAHA_COUNT> gochara(const GrahaLongitudes& transit, std::uint8_t moon_sign,
                                                std::uint8_t lagna_sign) noexcept;

// Saturn's passage from the natal Moon: the 12th, 1st and 2nd signs (Sade Sati rising, peak, setting), and the two
// dhaiyas, the 4th (kantaka) and the 8th (ashtama).
enum class SaturnPhase : std::uint8_t { Rising, Peak, Setting, Kantaka, Ashtama };
inline constexpr std::size_t SATURN_PHASE_COUNT = 5;

struct SaturnPhaseRow {
    SaturnPhase id;
    std::string_view name;
    std::uint8_t house;  // from the natal Moon's sign
};

inline constexpr std::array<SaturnPhaseRow, SATURN_PHASE_COUNT> SATURN_PHASE_TABLE{{
    {SaturnPhase::Rising, "rising", 12},
    {SaturnPhase::Peak, "peak", 1},
    {SaturnPhase::Setting, "setting", 2},
    {SaturnPhase::Kantaka, "kantaka", 4},
    {SaturnPhase::Ashtama, "ashtama", 8},
}};

// The phase of Saturn in `saturn_sign` for a Moon in `moon_sign`, if any.
std::optional<SaturnPhase> saturn_phase(std::uint8_t saturn_sign, std::uint8_t moon_sign) noexcept;

}  // namespace zentaric
