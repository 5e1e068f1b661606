#include "panchanga/masa.hpp"

#include <algorithm>

namespace zentaric {

LunarMonth amanta_month(std::uint8_t sun_sign, unsigned ingresses) noexcept {
    const auto named = static_cast<std::uint8_t>((sun_sign + 1) % 12);
    const auto skipped = static_cast<std::int8_t>(ingresses >= 2 ? (sun_sign + 2) % 12 : -1);
    return {named, ingresses == 0, skipped};
}

long last_at_or_before(std::span<const double> times, double jd) noexcept {
    const auto after = std::upper_bound(times.begin(), times.end(), jd);
    return static_cast<long>(after - times.begin()) - 1;
}

int sun_sign_at(std::span<const Crossing> sankrantis, double jd) noexcept {
    const auto after = std::upper_bound(sankrantis.begin(), sankrantis.end(), jd,
                                        [](double t, const Crossing& c) { return t < c.jd; });
    return after == sankrantis.begin() ? -1 : static_cast<int>(std::prev(after)->after);
}

namespace {

// The amanta month of the lunation from new moon `opening` to `closing`; false when the Sun's sign is unknown.
bool lunation_month(std::span<const Crossing> sankrantis, double opening, double closing, LunarMonth& out) noexcept {
    const int sign = sun_sign_at(sankrantis, opening);
    if (sign < 0) return false;
    const auto ingresses = std::count_if(sankrantis.begin(), sankrantis.end(),
                                         [&](const Crossing& c) { return c.jd > opening && c.jd <= closing; });
    out = amanta_month(static_cast<std::uint8_t>(sign), static_cast<unsigned>(ingresses));
    return true;
}

}  // namespace

bool months_at(std::span<const double> new_moons, std::span<const double> full_moons,
               std::span<const Crossing> sankrantis, double jd, MonthsAt& out) noexcept {
    const long opening = last_at_or_before(new_moons, jd);
    if (opening < 0 || static_cast<std::size_t>(opening) + 2 >= new_moons.size()) return false;
    const auto i = static_cast<std::size_t>(opening);
    if (!lunation_month(sankrantis, new_moons[i], new_moons[i + 1], out.amanta)) return false;
    // The full moon of this lunation: the first after its opening new moon.
    const auto full = std::upper_bound(full_moons.begin(), full_moons.end(), new_moons[i]);
    if (full == full_moons.end() || *full > new_moons[i + 1]) return false;
    if (jd < *full) {
        out.purnimanta = out.amanta;
        return true;
    }
    return lunation_month(sankrantis, new_moons[i + 1], new_moons[i + 2], out.purnimanta);
}

}  // namespace zentaric
