// The lunar month (masa) by the amanta reckoning, its purnimanta counterpart, the season (ritu) and the half-year
// (ayana), from the times of new moons, full moons and the Sun's sidereal sign ingresses (sankrantis).
#pragma once

#include <cstdint>
#include <span>

#include "panchanga/limb.hpp"

namespace zentaric {

// A lunar month: masa 0 (Chaitra) .. 11 (Phalguna); adhika when it repeats the name of the month after it; kshaya
// the masa that is skipped after this one, or -1.
struct LunarMonth {
    std::uint8_t masa;
    bool adhika;
    std::int8_t kshaya;
};

// The amanta month opened by a new moon at which the Sun stands in sidereal sign `sun_sign`, holding `ingresses`
// sankrantis before the next new moon: named from the sign the Sun enters next (Pisces at the new moon → Chaitra,
// Aries → Vaishakha); no ingress makes it adhika, two make the month of the second ingress kshaya.
LunarMonth amanta_month(std::uint8_t sun_sign, unsigned ingresses) noexcept;

// The ritu of an amanta month: Chaitra and Vaishakha Vasanta (0), Jyeshtha and Ashadha Grishma (1), ...
constexpr std::uint8_t ritu_of(std::uint8_t masa) noexcept { return static_cast<std::uint8_t>(masa % 12 / 2); }

// Uttarayana from the Sun's sidereal entry into Capricorn to its entry into Cancer.
constexpr bool is_uttarayana(std::uint8_t sun_sign) noexcept { return sun_sign >= 9 || sun_sign < 3; }

// The sidereal sign of the Sun at `jd` from sorted sankrantis: the sign entered by the last one at or before `jd`;
// -1 when none is.
int sun_sign_at(std::span<const Crossing> sankrantis, double jd) noexcept;

// The index of the last time at or before `jd` in sorted `times`, or -1.
long last_at_or_before(std::span<const double> times, double jd) noexcept;

// The months of a moment: the amanta month it falls in and the purnimanta month (full moon to full moon, named for
// the amanta month that holds its closing full moon, so that in the dark half it is the next amanta month, an
// adhika month keeping its adhika flag between the full moons that bound it).
struct MonthsAt {
    LunarMonth amanta;
    LunarMonth purnimanta;
};

// From sorted new moons (two after `jd` at least), full moons and sankrantis (one at or before the new moon
// opening the month at least). False when the lists do not reach that far.
bool months_at(std::span<const double> new_moons, std::span<const double> full_moons,
               std::span<const Crossing> sankrantis, double jd, MonthsAt& out) noexcept;

}  // namespace zentaric
