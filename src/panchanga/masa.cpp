#include "panchanga/masa.hpp"

#include <algorithm>

#include "vedic/index.hpp"

namespace zentaric {

LunarMonth amanta_month(std::uint8_t sun_sign, unsigned ingresses) noexcept {
    const auto named = static_cast<std::uint8_t>((sun_sign + 1) % 12);
    const auto skipped = static_cast<std::int8_t>(ingresses >= 2 ? (sun_sign + 2) % 12 : -1);
    return {named, ingresses == 0, skipped};
}

LunarMonth lunation_month(const NewMoon& opening, const NewMoon& closing) noexcept {
    const std::uint8_t first = sign_index_of(opening.sun_longitude);
    const std::uint8_t last = sign_index_of(closing.sun_longitude);
    return amanta_month(first, static_cast<unsigned>((last - first + 12) % 12));
}

bool months_at(std::span<const NewMoon> new_moons, double jd, bool shukla, MonthsAt& out) noexcept {
    const auto after = std::upper_bound(new_moons.begin(), new_moons.end(), jd,
                                        [](double t, const NewMoon& n) { return t < n.jd; });
    const auto opening = static_cast<std::size_t>(after - new_moons.begin());
    if (opening == 0 || opening + 1 >= new_moons.size()) return false;
    out.amanta = lunation_month(new_moons[opening - 1], new_moons[opening]);
    if (shukla || out.amanta.adhika) {
        out.purnimanta = out.amanta;
    } else {
        out.purnimanta = lunation_month(new_moons[opening], new_moons[opening + 1]);
        out.purnimanta.adhika = false;  // the dark half opening the nija month, should an adhika month follow
    }
    return true;
}

}  // namespace zentaric
