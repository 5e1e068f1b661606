// The dasha systems: the nakshatra dashas, one row each (lords, years, the star that starts the cycle and how the
// stars fall to the lords), Chara dasha, and the lengths of the dasha year.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"
#include "vedic/nakshatra.hpp"

namespace zentaric {

enum class DashaSystem : std::uint8_t {
    Vimshottari,
    Ashtottari,
    Yogini,
    Shodashottari,
    Dwadashottari,
    Panchottari,
    Shatabdika,
    ChaturashitiSama,
    DwisaptatiSama,
    Shashtihayani,
    ShattrimshaSama,
    Chara,
};
inline constexpr std::size_t DASHA_SYSTEM_COUNT = 12;
inline constexpr std::size_t MAX_DASHA_LORDS = 9;

// How the birth star finds its lord: counted forward from the first star (groups of stars in cycle order), or
// backward from it (one star each).
enum class StarCount : std::uint8_t { Forward, Backward };

// The condition under which Parashara applies a conditional dasha (BPHS ch. 46); reported, never enforced.
enum class DashaCondition : std::uint8_t {
    Always,
    RahuFromLagnaLord,       // Rahu in a kendra or trikona from the lagna lord, not in the lagna
    HoraAndPaksha,           // lagna in the Sun's hora in Shukla paksha, or in the Moon's hora in Krishna paksha
    VenusNavamshaLagna,      // lagna in a navamsha of Venus (Taurus or Libra)
    CancerDwadashamshaLagna, // lagna in the Cancer dwadashamsha
    VargottamaLagna,         // lagna in the same sign in the rashi and the navamsha
    TenthLordInTenth,        // lord of the 10th in the 10th
    LagnaSeventhExchange,    // lagna lord in the 7th, or the 7th lord in the lagna
    SunInLagna,              // the Sun in the lagna
    HoraAndDaytime,          // lagna in the Sun's hora by day, or in the Moon's hora by night
};

struct DashaSystemRow {
    DashaSystem id;
    std::string_view name;   // the text form
    Spellings spellings;
    std::uint8_t lord_count;
    std::array<DashaLord, MAX_DASHA_LORDS> lords;     // cycle order
    std::array<double, MAX_DASHA_LORDS> years;        // by position in the cycle
    double cycle_years;                               // the sum of the years
    std::uint8_t first_star;                          // the star of position 0, in the row's count of stars
    StarCount count;
    std::uint8_t star_count;                          // 27, or 28 with Abhijit
    std::array<std::uint8_t, MAX_DASHA_LORDS> group;  // stars of each position's group (Forward), else 1 each
    std::uint8_t cycles;                              // cycles the maha dashas run through
    DashaCondition condition;
    std::string_view condition_text;
    std::uint8_t first_position = 0;                  // the position of the first star's lord
};

// Star indices: 0 Ashwini ... 26 Revati; in a count of 28, 21 is Abhijit and Shravana..Revati are 22..27.
inline constexpr std::array<DashaSystemRow, DASHA_SYSTEM_COUNT> DASHA_SYSTEM_TABLE = [] {
    using enum DashaLord;
    return std::array<DashaSystemRow, DASHA_SYSTEM_COUNT>{{
    // BPHS ch. 46: 120 years from Krittika, one star each (the lords' order is DashaLord's own).
    {DashaSystem::Vimshottari, "Vimshottari", {"vimshottari", "vimsottari"}, 9,
     {Sun, Moon, Mars, Rahu, Jupiter, Saturn, Mercury, Ketu, Venus}, {6, 10, 7, 18, 16, 19, 17, 7, 20}, 120, 2,
     StarCount::Forward, 27, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 1, DashaCondition::Always, ""},
    // BPHS ch. 46: 108 years from Ardra in groups of 4 and 3 stars; read over the 27 equal stars, the Saturn group
    // Purva Ashadha..Shravana without Abhijit; the balance is the unelapsed part of the whole group.
    {DashaSystem::Ashtottari, "Ashtottari", {"ashtottari", "astottari"}, 8,
     {Sun, Moon, Mars, Mercury, Saturn, Jupiter, Rahu, Venus}, {6, 15, 8, 17, 10, 19, 12, 21}, 108, 5,
     StarCount::Forward, 27, {4, 3, 4, 3, 3, 3, 4, 3}, 1, DashaCondition::RahuFromLagnaLord,
     "Rahu in a kendra or trikona from the lagna lord, not in the lagna"},
    // Yogini (Mangala, Pingala, Dhanya, Bhramari, Bhadrika, Ulka, Siddha, Sankata): star n (1 Ashwini) has yogini
    // (n + 3) mod 8 (0 meaning 8), counted from Ashwini's Bhramari without wrapping at Revati; three cycles shown.
    {DashaSystem::Yogini, "Yogini", {"yogini"}, 8, {Moon, Sun, Jupiter, Mars, Mercury, Saturn, Venus, Rahu},
     {1, 2, 3, 4, 5, 6, 7, 8}, 36, 0, StarCount::Forward, 27, {1, 1, 1, 1, 1, 1, 1, 1}, 3, DashaCondition::Always,
     "", 3},
    // BPHS ch. 46: 116 years, counted from Pushya, one star each.
    {DashaSystem::Shodashottari, "Shodashottari", {"shodashottari", "shodasottari"}, 8,
     {Sun, Mars, Jupiter, Saturn, Ketu, Moon, Mercury, Venus}, {11, 12, 13, 14, 15, 16, 17, 18}, 116, 7,
     StarCount::Forward, 27, {1, 1, 1, 1, 1, 1, 1, 1}, 1, DashaCondition::HoraAndPaksha,
     "lagna in the Sun's hora in Shukla paksha or in the Moon's hora in Krishna paksha"},
    // BPHS ch. 46: 112 years, the count from the birth star to Revati (Revati itself gives the Sun).
    {DashaSystem::Dwadashottari, "Dwadashottari", {"dwadashottari", "dwadasottari"}, 8,
     {Sun, Jupiter, Ketu, Mercury, Rahu, Mars, Saturn, Moon}, {7, 9, 11, 13, 15, 17, 19, 21}, 112, 26,
     StarCount::Backward, 27, {1, 1, 1, 1, 1, 1, 1, 1}, 1, DashaCondition::VenusNavamshaLagna,
     "lagna in a navamsha of Venus"},
    // BPHS ch. 46: 105 years, counted from Anuradha; the condition read as the lagna's dwadashamsha being Cancer.
    {DashaSystem::Panchottari, "Panchottari", {"panchottari"}, 7, {Sun, Mercury, Saturn, Mars, Venus, Moon, Jupiter},
     {12, 13, 14, 15, 16, 17, 18}, 105, 16, StarCount::Forward, 27, {1, 1, 1, 1, 1, 1, 1}, 1,
     DashaCondition::CancerDwadashamshaLagna, "lagna in the Cancer dwadashamsha"},
    // BPHS ch. 46: 100 years, counted from Revati.
    {DashaSystem::Shatabdika, "Shatabdika", {"shatabdika", "satabdika"}, 7,
     {Sun, Moon, Venus, Mercury, Jupiter, Mars, Saturn}, {5, 5, 10, 10, 20, 20, 30}, 100, 26, StarCount::Forward, 27,
     {1, 1, 1, 1, 1, 1, 1}, 1, DashaCondition::VargottamaLagna, "lagna vargottama (same sign in D1 and D9)"},
    // BPHS ch. 46: 84 years, counted from Swati; two cycles shown so that the periods cover a life.
    {DashaSystem::ChaturashitiSama, "ChaturashitiSama", {"chaturashitisama", "chaturashiti_sama", "chaturashiti"}, 7,
     {Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn}, {12, 12, 12, 12, 12, 12, 12}, 84, 14, StarCount::Forward,
     27, {1, 1, 1, 1, 1, 1, 1}, 2, DashaCondition::TenthLordInTenth, "lord of the 10th in the 10th"},
    // BPHS ch. 46: 72 years, counted from Mula; two cycles shown.
    {DashaSystem::DwisaptatiSama, "DwisaptatiSama", {"dwisaptatisama", "dwisaptati_sama", "dwisaptati"}, 8,
     {Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu}, {9, 9, 9, 9, 9, 9, 9, 9}, 72, 18,
     StarCount::Forward, 27, {1, 1, 1, 1, 1, 1, 1, 1}, 2, DashaCondition::LagnaSeventhExchange,
     "lagna lord in the 7th or the 7th lord in the lagna"},
    // BPHS ch. 46: 60 years from Ashwini over 28 stars with Abhijit, groups of 3 and 4 alternately (Jupiter 3:
    // Ashwini..Krittika, Sun 4: Rohini..Punarvasu, ...); two cycles shown.
    {DashaSystem::Shashtihayani, "Shashtihayani", {"shashtihayani", "shastihayani"}, 8,
     {Jupiter, Sun, Mars, Moon, Mercury, Venus, Saturn, Rahu}, {10, 10, 10, 6, 6, 6, 6, 6}, 60, 0,
     StarCount::Forward, 28, {3, 4, 3, 4, 3, 4, 3, 4}, 2, DashaCondition::SunInLagna, "the Sun in the lagna"},
    // BPHS ch. 46: 36 years, counted from Shravana; three cycles shown, as for Yogini.
    {DashaSystem::ShattrimshaSama, "ShattrimshaSama", {"shattrimshasama", "shattrimsha_sama", "shattrimsha"}, 8,
     {Moon, Sun, Jupiter, Mars, Mercury, Saturn, Venus, Rahu}, {1, 2, 3, 4, 5, 6, 7, 8}, 36, 21,
     StarCount::Forward, 27, {1, 1, 1, 1, 1, 1, 1, 1}, 3, DashaCondition::HoraAndDaytime,
     "lagna in the Sun's hora by day or in the Moon's hora by night"},
    // Jaimini's Chara dasha over the signs (vedic/chara_dasha.hpp); the star columns are unused.
    {DashaSystem::Chara, "Chara", {"chara", "jaimini_chara"}, 12, {}, {}, 0, 0, StarCount::Forward, 27, {}, 2,
     DashaCondition::Always, ""},
    }};
}();
static_assert(well_formed(DASHA_SYSTEM_TABLE));
static_assert([] {
    for (const DashaSystemRow& row : DASHA_SYSTEM_TABLE) {
        if (row.id == DashaSystem::Chara) continue;
        double years = 0.0;
        unsigned stars = 0;
        for (std::size_t k = 0; k < row.lord_count; ++k) years += row.years[k], stars += row.group[k];
        if (years != row.cycle_years || row.lord_count > MAX_DASHA_LORDS || row.first_star >= row.star_count ||
            row.first_position >= row.lord_count)
            return false;
        // groups of stars cover the count once; one star each runs round the count; counting backward is one each
        if (stars != row.lord_count && (stars != row.star_count || row.count == StarCount::Backward)) return false;
    }
    return true;
}());

// Vimshottari's positions in the cycle are DashaLord's values.
static_assert([] {
    for (std::size_t k = 0; k < DASHA_LORD_COUNT; ++k)
        if (static_cast<std::size_t>(DASHA_SYSTEM_TABLE[0].lords[k]) != k) return false;
    return DASHA_SYSTEM_TABLE[0].cycle_years == 120.0;
}());

// The text form of a system ("Vimshottari", "ChaturashitiSama", ...); empty outside the enumeration.
constexpr std::string_view dasha_system_name(DashaSystem system) noexcept {
    const auto index = static_cast<std::size_t>(system);
    return index < DASHA_SYSTEM_COUNT ? DASHA_SYSTEM_TABLE[index].name : std::string_view{};
}

constexpr const DashaSystemRow& dasha_system_row(DashaSystem system) noexcept {
    return DASHA_SYSTEM_TABLE[static_cast<std::size_t>(system) % DASHA_SYSTEM_COUNT];
}

inline Result<DashaSystem> parse_dasha_system(std::string_view utf8_name) {
    return parse_name(utf8_name, DASHA_SYSTEM_TABLE, "Unknown dasha system: ");
}

// The names of the eight yoginis, by position in the Yogini cycle.
inline constexpr std::array<std::string_view, 8> YOGINI_NAMES{"Mangala", "Pingala", "Dhanya",  "Bhramari",
                                                              "Bhadrika", "Ulka",   "Siddha", "Sankata"};

// The length of the dasha year.
enum class DashaYear : std::uint8_t { Julian, Sidereal, Savana, Tropical, Solar };
inline constexpr std::size_t DASHA_YEAR_COUNT = 5;

struct DashaYearRow {
    DashaYear id;
    std::string_view name;
    Spellings spellings;
    double days;  // 0 for Solar: the Sun's return to its sidereal longitude at birth, found from the ephemeris
};

inline constexpr std::array<DashaYearRow, DASHA_YEAR_COUNT> DASHA_YEAR_TABLE{{
    {DashaYear::Julian, "julian", {"julian"}, 365.25},
    {DashaYear::Sidereal, "sidereal", {"sidereal"}, 365.256363},    // sidereal year, J2000
    {DashaYear::Savana, "savana", {"savana"}, 360.0},               // 360 civil days
    {DashaYear::Tropical, "tropical", {"tropical"}, 365.242190},    // mean tropical year, J2000
    {DashaYear::Solar, "solar", {"solar"}, 0.0},
}};
static_assert(well_formed(DASHA_YEAR_TABLE));

inline Result<DashaYear> parse_dasha_year(std::string_view utf8_name) {
    return parse_name(utf8_name, DASHA_YEAR_TABLE, "Unknown dasha year: ");
}

// Where a nakshatra dasha stands at birth: the birth star (in the row's count of stars), the position of the
// first lord in the cycle, and the fraction of its period still to run.
struct NakshatraDashaStart {
    std::uint8_t star;
    std::uint8_t position;
    double balance;
};

// The start of a nakshatra dasha from the Moon's sidereal longitude (normalised first; non-finite taken as 0°).
// For Vimshottari this is dasha_start's nakshatra, lord and balance, bit for bit.
NakshatraDashaStart nakshatra_dasha_start(const DashaSystemRow& row, double moon_longitude) noexcept;

// Star index 0..27 of a longitude in the count of 28 stars with Abhijit (276°40′ to 280°53′20″).
std::uint8_t star28_of(double normalized_longitude) noexcept;

}  // namespace zentaric
