// The four changing limbs of the panchanga as divisions of an angle: the tithi and the karana of the Moon's
// elongation from the Sun, the nakshatra of the Moon's sidereal longitude, the yoga of the sum of the Sun's and the
// Moon's sidereal longitudes; and the traditional 1-based numbering of each.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zentaric {

// A moment (UT Julian Day) at which a quantity enters a new unit: the limb's number (1-based), or a sign 0..11
// (Aries .. Pisces) for a sankranti.
struct Crossing {
    double jd;
    std::uint8_t after;
};

enum class Limb : std::uint8_t { Tithi, Nakshatra, Yoga, Karana };
inline constexpr std::size_t LIMB_COUNT = 4;

// A limb: its name, the arc one of its units spans (degrees) and the number of units in 360°.
struct LimbRow {
    Limb id;
    std::string_view name;
    double span_degrees;
    std::uint8_t count;
};

inline constexpr std::array<LimbRow, LIMB_COUNT> LIMB_TABLE{{
    {Limb::Tithi, "tithi", 12.0, 30},
    {Limb::Nakshatra, "nakshatra", 40.0 / 3.0, 27},
    {Limb::Yoga, "yoga", 40.0 / 3.0, 27},
    {Limb::Karana, "karana", 6.0, 60},
}};

constexpr bool limb_table_well_formed() {
    for (std::size_t k = 0; k < LIMB_COUNT; ++k) {
        const LimbRow& row = LIMB_TABLE[k];
        if (static_cast<std::size_t>(row.id) != k || row.span_degrees * row.count != 360.0) return false;
    }
    return true;
}
static_assert(limb_table_well_formed());

// Karana numbers 1..60 of the lunar month to rows of the karana name table: 1 Kimstughna (row 10), 2..57 the
// seven movable karanas Bava .. Vishti in turn (rows 0..6), 58 Shakuni, 59 Chatushpada, 60 Naga (rows 7..9).
constexpr std::uint8_t karana_name_row(std::uint8_t number) noexcept {
    if (number <= 1) return 10;
    if (number >= 58) return static_cast<std::uint8_t>(number - 51);
    return static_cast<std::uint8_t>((number - 2) % 7);
}

// Paksha of a tithi number: the bright half (shukla) holds tithis 1..15.
constexpr bool is_shukla(std::uint8_t tithi) noexcept { return tithi <= 15; }

}  // namespace zentaric
