// Horoscope matching from the two Moons: the eight kootas of guna milan (ashtakoota) and the ten South Indian
// poruthams, each a row of a descriptor table, with the doshas they raise and the classical cancellations.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"

namespace zentaric {

// Where a Moon stands, as matching reads it: its nakshatra, pada and sign, and whether it is past the 15th degree
// of the sign (vashya is judged by degree in Sagittarius and Capricorn).
struct MoonPlace {
    std::uint8_t nakshatra;  // 0..26
    std::uint8_t pada;       // 1..4
    std::uint8_t sign;       // 0..11, the sign the pada lies in
    bool second_half;        // 15° of the sign or more
};

// The place of a sidereal longitude in degrees (normalised first): nakshatra and pada as get_nakshatra gives them.
MoonPlace moon_place(double sidereal_longitude) noexcept;

// Every distinct Moon place has a code below 216: (nakshatra × 4 + pada − 1) × 2 + second half. (15° of a sign is
// the middle of its fifth pada, which alone holds places of both halves; the other padas use one code of two.)
inline constexpr int MOON_PLACE_COUNT = 216;
int moon_place_code(const MoonPlace& place) noexcept;
MoonPlace moon_place_of_code(int code) noexcept;  // code taken modulo 216

enum class MatchSystem : std::uint8_t { Ashtakoota, Porutham };
inline constexpr std::size_t MATCH_SYSTEM_COUNT = 2;

// One koota's reading of a couple: the score in half points, what was compared for the boy and for the girl (indices
// into the koota's value names) and the count from the girl's nakshatra or sign to the boy's (0 where none is used).
struct KootaScore {
    std::uint8_t half_points;
    std::uint8_t boy;
    std::uint8_t girl;
    std::uint8_t count;
};

struct KootaRow {
    std::string_view name;
    std::uint8_t maximum_half_points;
    std::span<const std::string_view> values;  // names of the compared values; empty where only the count is read
    bool dosha_when_zero;                      // a score of 0 is a dosha (nadi, bhakoota, rajju, vedha)
    KootaScore (*evaluate)(const MoonPlace& boy, const MoonPlace& girl) noexcept;
};

struct MatchSystemRow {
    MatchSystem id;
    std::string_view name;
    Spellings spellings;
    std::span<const KootaRow> kootas;
};

// A classical cancellation (parihara) of a dosha: the koota it clears (index into the system's rows), its name, its
// rule, and the test.
struct CancellationRow {
    MatchSystem system;
    std::uint8_t koota;
    std::string_view name;
    std::string_view rule;
    bool (*applies)(const MoonPlace& boy, const MoonPlace& girl) noexcept;
};

extern const std::array<MatchSystemRow, MATCH_SYSTEM_COUNT> MATCH_SYSTEM_TABLE;
extern const std::span<const CancellationRow> CANCELLATION_TABLE;

inline Result<MatchSystem> parse_match_system(std::string_view name) {
    return parse_name(name, MATCH_SYSTEM_TABLE, "Unknown matching system: ");
}

inline constexpr std::size_t MAX_KOOTAS = 10;

// A couple's match: every koota's score in the system's order, the total, the doshas (bit k: koota k scored 0 and
// raises a dosha) and the cancellations that apply to a present dosha (bit c: row c of CANCELLATION_TABLE).
struct MatchResult {
    MatchSystem system;
    std::uint8_t koota_count;
    std::array<KootaScore, MAX_KOOTAS> scores;
    std::uint16_t total_half_points;
    std::uint16_t maximum_half_points;
    std::uint16_t doshas;
    std::uint32_t cancellations;
};

MatchResult match_moons(MatchSystem system, const MoonPlace& boy, const MoonPlace& girl) noexcept;

}  // namespace zentaric
