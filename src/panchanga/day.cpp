#include "panchanga/day.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace zentaric {
namespace {

// Index of the last crossing at or before `jd`, or -1.
long last_crossing(std::span<const Crossing> crossings, double jd) {
    const auto after = std::upper_bound(crossings.begin(), crossings.end(), jd,
                                        [](double t, const Crossing& c) { return t < c.jd; });
    return static_cast<long>(after - crossings.begin()) - 1;
}

// The first time in [from, to), or NaN.
double first_within(std::span<const double> times, double from, double to) {
    const auto at = std::lower_bound(times.begin(), times.end(), from);
    return at != times.end() && *at < to ? *at : std::numeric_limits<double>::quiet_NaN();
}

Error short_list(const char* what) {
    return value_error(std::string("the ") + what + " searched do not cover the range of days");
}

}  // namespace

Result<bool> assemble_days(const DayMoments& moments, std::span<PanchangaDay> out) {
    const std::size_t days = moments.sunrises.empty() ? 0 : moments.sunrises.size() - 1;
    if (moments.sunsets.size() != days + 1 || moments.sun_signs.size() < days || out.size() < days)
        return short_list("sunsets");
    for (std::size_t k = 0; k < days; ++k) {
        PanchangaDay& day = out[k];
        day.sunrise = moments.sunrises[k];
        day.next_sunrise = moments.sunrises[k + 1];
        day.sunset = moments.sunsets[k + 1];
        day.moonrise = first_within(moments.moonrises, day.sunrise, day.next_sunrise);
        day.moonset = first_within(moments.moonsets, day.sunrise, day.next_sunrise);
        day.vara = static_cast<std::uint8_t>((moments.first_weekday + k) % 7);
        for (std::size_t limb = 0; limb < LIMB_COUNT; ++limb) {
            const std::span<const Crossing> crossings = moments.crossings[limb];
            const long first = last_crossing(crossings, day.sunrise);
            const long last = last_crossing(crossings, day.next_sunrise);
            if (first < 0 || static_cast<std::size_t>(last + 1) >= crossings.size()) return short_list("limbs");
            day.limbs[limb] = {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last - first + 1)};
        }
        for (std::size_t which = 0; which < KALAM_TABLE.size(); ++which)
            day.kalams[which] = kalam(static_cast<Kalam>(which), day.vara, day.sunrise, day.sunset);
        day.abhijit = abhijit_muhurta(day.sunrise, day.sunset);
        day.brahma_muhurta = brahma_muhurta(moments.sunsets[k], day.sunrise);
        const Crossing& tithi = moments.crossings[0][day.limbs[0].first];
        if (!months_at(moments.new_moons, day.sunrise, is_shukla(tithi.after), day.months))
            return short_list("new moons");
        day.ritu = ritu_of(day.months.amanta.masa);
        day.uttarayana = is_uttarayana(moments.sun_signs[k]);
    }
    return true;
}

}  // namespace zentaric
