// Tajika, the reading of the year (Tajika Neelakanthi): the five office-bearers (pancha adhikaris) of a varsha
// pravesha chart and the lord of the year (varsheshvara) chosen among them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "vedic/graha.hpp"

namespace zentaric {

enum class Adhikari : std::uint8_t { MunthaLord, JanmaLagnaLord, VarshaLagnaLord, TriRashiLord, DinaRatriLord };
inline constexpr std::size_t ADHIKARI_COUNT = 5;

struct AdhikariRow {
    Adhikari id;
    std::string_view name;
};

inline constexpr std::array<AdhikariRow, ADHIKARI_COUNT> ADHIKARI_TABLE{{
    {Adhikari::MunthaLord, "muntha"},
    {Adhikari::JanmaLagnaLord, "janma_lagna"},
    {Adhikari::VarshaLagnaLord, "varsha_lagna"},
    {Adhikari::TriRashiLord, "tri_rashi"},
    {Adhikari::DinaRatriLord, "dina_ratri"},
}};

// The tri-rashi lord of the varsha lagna's sign, for a year entered by day and by night (Tajika Neelakanthi).
struct TriRashiRow {
    Graha day;
    Graha night;
};

inline constexpr std::array<TriRashiRow, 12> TRI_RASHI_TABLE{{
    {Graha::Sun, Graha::Jupiter},     // Aries
    {Graha::Venus, Graha::Moon},      // Taurus
    {Graha::Saturn, Graha::Mercury},  // Gemini
    {Graha::Venus, Graha::Mars},      // Cancer
    {Graha::Jupiter, Graha::Sun},     // Leo
    {Graha::Moon, Graha::Venus},      // Virgo
    {Graha::Mercury, Graha::Saturn},  // Libra
    {Graha::Mars, Graha::Venus},      // Scorpio
    {Graha::Saturn, Graha::Saturn},   // Sagittarius
    {Graha::Mars, Graha::Moon},       // Capricorn
    {Graha::Jupiter, Graha::Jupiter}, // Aquarius
    {Graha::Moon, Graha::Mars},       // Pisces
}};

// Tajika aspects by sign, indexed by the house (1..12) the aspected sign is counted from the aspecting one: the
// friendly 3rd, 11th, 5th and 9th, the inimical 1st, 7th, 4th and 10th; none from the 2nd, 6th, 8th and 12th.
inline constexpr std::array<bool, 13> TAJIKA_ASPECT{false, true, false, true, true, true, false,
                                                   true, false, true, true, true, false};

struct VarshaLords {
    std::array<Graha, ADHIKARI_COUNT> adhikaris;  // in ADHIKARI_TABLE order
    std::array<double, ADHIKARI_COUNT> strength;  // each one's, as given
    std::array<bool, ADHIKARI_COUNT> aspects_lagna;
    bool by_day;  // the Sun above the horizon at the year's entry
    Graha year_lord;
};

// The office-bearers and the lord of a year from its chart (the grahas' and the lagna's sidereal longitudes), the
// natal lagna's sign, the muntha's sign and the strength of each planet Sun..Saturn (any measure, larger stronger).
VarshaLords varsha_lords(const GrahaLongitudes& varsha, double varsha_lagna, std::uint8_t natal_lagna_sign,
                         std::uint8_t muntha_sign, const std::array<double, PLANET_GRAHA_COUNT>& strength) noexcept;

}  // namespace zentaric
