// The lunar month (masa) by the amanta reckoning, its purnimanta counterpart, the season (ritu) and the half-year
// (ayana), from the new moons and the Sun's sidereal longitude at each.
#pragma once

#include <cstdint>
#include <span>

namespace zentaric {

// A new moon: its UT Julian Day and the Sun's sidereal longitude then (degrees, [0, 360)).
struct NewMoon {
    double jd;
    double sun_longitude;
};

// A lunar month: masa 0 (Chaitra) .. 11 (Phalguna); adhika when no sankranti falls in it (it repeats the name of
// the month after it); kshaya the masa skipped when two sankrantis fall in it, else -1.
struct LunarMonth {
    std::uint8_t masa;
    bool adhika;
    std::int8_t kshaya;
};

// The amanta month opened by a new moon at which the Sun stands in sidereal sign `sun_sign` (0 Aries .. 11),
// holding `ingresses` sankrantis before the next new moon: named from the sign the Sun enters next (Pisces at the
// new moon: Chaitra; Aries: Vaishakha); no ingress makes it adhika; two make the month of the second one kshaya.
LunarMonth amanta_month(std::uint8_t sun_sign, unsigned ingresses) noexcept;

// The amanta month of the lunation between two consecutive new moons (the Sun moves 28°–31° in one, so the signs
// at its ends differ by the number of sankrantis in it).
LunarMonth lunation_month(const NewMoon& opening, const NewMoon& closing) noexcept;

// The ritu of an amanta month: Chaitra and Vaishakha Vasanta (0), Jyeshtha and Ashadha Grishma (1), ...
constexpr std::uint8_t ritu_of(std::uint8_t masa) noexcept { return static_cast<std::uint8_t>(masa % 12 / 2); }

// Uttarayana from the Sun's sidereal entry into Capricorn to its entry into Cancer.
constexpr bool is_uttarayana(std::uint8_t sun_sign) noexcept { return sun_sign >= 9 || sun_sign < 3; }

// The months of a moment: the amanta month it falls in, and the purnimanta month (full moon to full moon), named
// for the amanta month that holds its closing full moon: the same month in the bright half, the next amanta month
// in the dark half. An adhika month keeps its place, new moon to new moon, in both reckonings: between the full moons
// that bound it the purnimanta month of its name runs its dark half, the adhika month, then its bright half (the
// dark half before an adhika month is the nija month's, its own dark half the adhika's).
struct MonthsAt {
    LunarMonth amanta;
    LunarMonth purnimanta;
};

// From sorted new moons (the last at or before `jd` and two after it at least) and whether `jd` falls in the bright
// half (shukla paksha). False when the new moons do not reach that far.
bool months_at(std::span<const NewMoon> new_moons, double jd, bool shukla, MonthsAt& out) noexcept;

}  // namespace zentaric
