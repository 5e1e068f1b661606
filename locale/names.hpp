// Localised names of the nine Vedic planets, the twelve signs and the 27 nakshatras, and of the panchanga's weekdays,
// tithis, yogas, karanas, lunar months and seasons, in seven languages.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"

namespace zentaric::locale {

// Column order of every table: English, Hindi (Devanagari), Sanskrit (IAST), Tamil, Telugu, Kannada, Bengali.
enum class Language : std::uint8_t { En, Hi, Sa, Ta, Te, Kn, Bn };
inline constexpr std::size_t LANGUAGE_COUNT = 7;

// A language's row; its position (the enumerator) is its column in the name tables.
struct LanguageRow {
    Language id;
    std::string_view name;  // the code
    Spellings spellings;    // the code and the English name of the language, matched case-insensitively
};

inline constexpr std::array<LanguageRow, LANGUAGE_COUNT> LANGUAGE_TABLE{{
    {Language::En, "en", {"en", "english"}},
    {Language::Hi, "hi", {"hi", "hindi"}},
    {Language::Sa, "sa", {"sa", "sanskrit"}},
    {Language::Ta, "ta", {"ta", "tamil"}},
    {Language::Te, "te", {"te", "telugu"}},
    {Language::Kn, "kn", {"kn", "kannada"}},
    {Language::Bn, "bn", {"bn", "bengali"}},
}};
static_assert(well_formed(LANGUAGE_TABLE));

using NameRow = std::array<std::string_view, LANGUAGE_COUNT>;

// Planets in the order Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu, Ketu.
extern const std::array<NameRow, 9> PLANET_ROWS;
// Signs Aries .. Pisces.
extern const std::array<NameRow, 12> SIGN_ROWS;
// Nakshatras Ashwini .. Revati.
extern const std::array<NameRow, 27> NAKSHATRA_ROWS;

// Whether every row names every language (a language added without its column leaves empty cells).
template <std::size_t N>
constexpr bool every_cell_filled(const std::array<NameRow, N>& rows) {
    for (const NameRow& row : rows)
        for (std::string_view cell : row)
            if (cell.empty()) return false;
    return true;
}

// Weekdays Sunday .. Saturday.
extern const std::array<NameRow, 7> VARA_ROWS;
// Tithis 1..30 (row 0 Shukla Pratipada, 14 Purnima, 29 Amavasya).
extern const std::array<NameRow, 30> TITHI_ROWS;
// Yogas Vishkambha .. Vaidhriti.
extern const std::array<NameRow, 27> YOGA_ROWS;
// Karanas: Bava .. Vishti (the movable seven), Shakuni, Chatushpada, Naga, Kimstughna.
extern const std::array<NameRow, 11> KARANA_ROWS;
// Lunar months Chaitra .. Phalguna.
extern const std::array<NameRow, 12> MASA_ROWS;
// Seasons Vasanta .. Shishira.
extern const std::array<NameRow, 6> RITU_ROWS;

enum class NameTable : std::uint8_t { Planets, Signs, Nakshatras, Varas, Tithis, Yogas, Karanas, Masas, Ritus };

// The panchanga's name tables as a caller names them ("tithi", ...).
enum class PanchangaNames : std::uint8_t { Vara, Tithi, Yoga, Karana, Masa, Ritu };

struct PanchangaNamesRow {
    PanchangaNames id;
    std::string_view name;
    Spellings spellings;
    NameTable table;
};

inline constexpr std::array<PanchangaNamesRow, 6> PANCHANGA_NAMES_TABLE{{
    {PanchangaNames::Vara, "vara", {"vara"}, NameTable::Varas},
    {PanchangaNames::Tithi, "tithi", {"tithi"}, NameTable::Tithis},
    {PanchangaNames::Yoga, "yoga", {"yoga"}, NameTable::Yogas},
    {PanchangaNames::Karana, "karana", {"karana"}, NameTable::Karanas},
    {PanchangaNames::Masa, "masa", {"masa"}, NameTable::Masas},
    {PanchangaNames::Ritu, "ritu", {"ritu"}, NameTable::Ritus},
}};
static_assert(well_formed(PANCHANGA_NAMES_TABLE));

// A caller-given table name matched against the spellings; otherwise "Unknown name table: " and the text as given.
inline Result<PanchangaNames> parse_panchanga_names(std::string_view name) {
    return parse_name(name, PANCHANGA_NAMES_TABLE, "Unknown name table: ");
}

// Number of rows of a table (9, 12, 27, 7, 30, 27, 11, 12, 6).
std::size_t row_count(NameTable table) noexcept;

// The name in row `index`, or nothing when the index is not below the row count.
std::optional<std::string_view> localized_name(NameTable table, std::uint64_t index, Language language) noexcept;

// A caller-given name matched against the spellings; otherwise "Unknown language: " and the text as given.
inline Result<Language> parse_language(std::string_view name) {
    return parse_name(name, LANGUAGE_TABLE, "Unknown language: ");
}

}  // namespace zentaric::locale
