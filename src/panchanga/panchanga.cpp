#include "panchanga/panchanga.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "moments/root_search.hpp"
#include "moments/sampled_sky.hpp"
#include "moments/sky.hpp"
#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/delta_t.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

using moments::HorizonEvent;
using moments::HorizonEventKind;

// Days a limb can last at most (a tithi 26.8 hours, a nakshatra 27.1): the margin of the limb search either side.
constexpr double LIMB_MARGIN_DAYS = 1.25;
// The sampling of the sampled series (cheap to read): a quintic through six samples 12 hours apart.
constexpr moments::SamplingPlan LIMB_PLAN{0.5, 1};
// The sampling of the Sun and the Moon reaches this far beyond the midnights of the range: the Sun's rising search
// reads a grid up to 7.6 days beyond them (its range is a day wider than the days, and its grid 6.6 days wider).
constexpr double SAMPLED_MARGIN_DAYS = 8.0;
constexpr double MEAN_SYNODIC_MONTH = 29.530588853;
constexpr double MEAN_ELONGATION_RATE = 360.0 / MEAN_SYNODIC_MONTH;  // degrees a day
constexpr std::uint32_t MOST_DAYS = 100000;

std::string day_text(std::size_t k) { return std::to_string(k); }

// The first event of a kind in [from, to) of events in time order, or NaN.
double first_event(const std::vector<HorizonEvent>& events, HorizonEventKind kind, double from, double to) {
    auto at = std::lower_bound(events.begin(), events.end(), from,
                               [](const HorizonEvent& event, double t) { return event.jd_ut < t; });
    for (; at != events.end() && at->jd_ut < to; ++at)
        if (at->kind == kind) return at->jd_ut;
    return std::nan("");
}

// The crossings of `value` (a function of a TT Julian Day on the sampled series) through multiples of `span`
// degrees in [start, end) UT, numbered 1..count from 0°: searched in TT, each root then turned into UT.
template <class Value>
Result<std::vector<Crossing>> limb_crossings(Value value, double span, int count, double start, double end) {
    std::vector<Crossing> crossings;
    auto function = [&](double jd_tt) -> Result<double, EphemerisError> { return value(jd_tt); };
    auto emit = [&](const moments::Crossing& c) {
        if (c.direction < 0) return;  // the limbs only advance; a retreat of the fit is not a limb
        const auto part = static_cast<int>(((c.level % count) + count) % count);
        crossings.push_back({moments::universal_time_of(c.jd_ut), static_cast<std::uint8_t>(part + 1)});
    };
    const auto found = moments::find_crossings(function, to_terrestrial_time(start), to_terrestrial_time(end),
                                               LIMB_PLAN, moments::Levels{0.0, span}, emit);
    if (!found.ok()) return value_error(found.error().text());
    return crossings;
}

// The new moon nearest `guess` on the positions themselves (not the sampled series).
Result<NewMoon> exact_new_moon(Ayanamsha system, double guess) {
    moments::MoonSunAngle elongation{false, system};
    const auto root = moments::polish_root(elongation, guess, MEAN_ELONGATION_RATE, 0.0, moments::Levels{0.0, 360.0},
                                           MEAN_SYNODIC_MONTH / 4.0);
    if (!root.ok()) return value_error(root.error().text());
    const auto sun = moments::SiderealLongitude{moments::MomentBody::Sun, system}(root.value());
    if (!sun.ok()) return value_error(sun.error().text());
    return NewMoon{root.value(), normalize_degrees(sun.value())};
}

}  // namespace

Result<PanchangaRange> compute_panchanga(const PanchangaRequest& request) {
    if (request.system == Ayanamsha::Tropical)
        return value_error("the panchanga needs a sidereal zodiac: choose an ayanamsha other than Tropical");
    if (request.days == 0 || request.days > MOST_DAYS)
        return value_error("days must be 1 to " + std::to_string(MOST_DAYS) + ", got " + std::to_string(request.days));
    if (!(std::fabs(request.utc_offset_hours) <= 24.0))
        return value_error("utc_offset must be a number of hours from -24 to 24");
    const double civil_midnight = calendar_to_jd(request.year, request.month, static_cast<double>(request.day));
    const double first_midnight = civil_midnight - request.utc_offset_hours / 24.0;
    const double last_midnight = first_midnight + request.days;  // opens the day after the last
    const Result<bool> range = moments::check_search_range("panchanga", first_midnight, last_midnight + 1.0,
                                                           MEAN_SYNODIC_MONTH + 3.0, 2.0 * MEAN_SYNODIC_MONTH + 3.0);
    if (!range.ok()) return range.error();

    // One sampling of the Sun and the Moon over the range serves their risings and settings and every limb.
    const auto sampled = moments::sample_sky(request.system, first_midnight - SAMPLED_MARGIN_DAYS,
                                             last_midnight + SAMPLED_MARGIN_DAYS, moments::SkyDetail::Places);
    if (!sampled.ok()) return value_error(sampled.error().text());
    const moments::SampledSky& sky = sampled.value();

    // Sunrises and sunsets of every day, with the sunset before the first sunrise.
    const auto sun = moments::find_rise_set(moments::MomentBody::Sun, request.place, request.convention,
                                            first_midnight - 1.0, last_midnight + 1.0, &sky, false);
    if (!sun.ok()) return sun.error();
    const std::vector<HorizonEvent>& sun_events = sun.value().events;
    std::vector<double> sunrises(request.days + 1), sunsets(request.days + 1);
    for (std::size_t k = 0; k <= request.days; ++k) {
        const double midnight = first_midnight + static_cast<double>(k);
        sunrises[k] = first_event(sun_events, HorizonEventKind::Rise, midnight, midnight + 1.0);
        if (std::isnan(sunrises[k]))
            return value_error("no sunrise on day " + day_text(k) + ": the Sun does not rise at this place that day "
                               "(polar day or night), so the Vedic day has no start");
    }
    double previous_sunset = std::nan("");
    for (const HorizonEvent& event : sun_events)
        if (event.kind == HorizonEventKind::Set && event.jd_ut < sunrises[0]) previous_sunset = event.jd_ut;
    sunsets[0] = previous_sunset;
    for (std::size_t k = 0; k < request.days; ++k) {
        sunsets[k + 1] = first_event(sun_events, HorizonEventKind::Set, sunrises[k], sunrises[k + 1]);
        if (std::isnan(sunsets[k + 1]) || std::isnan(sunsets[0]))
            return value_error("no sunset on day " + day_text(std::isnan(sunsets[0]) ? 0 : k) +
                               ": the Sun does not set at this place that day (polar day), so the kalams have no end");
    }

    // The Moon's risings and settings (always the upper limb through refraction, seen from the place).
    const auto moon = moments::find_rise_set(moments::MomentBody::Moon, request.place, moments::HorizonConvention::Civil,
                                             sunrises.front(), sunrises.back(), &sky, false);
    if (!moon.ok()) return moon.error();
    std::vector<double> moonrises, moonsets;
    for (const HorizonEvent& event : moon.value().events) {
        if (event.kind == HorizonEventKind::Rise) moonrises.push_back(event.jd_ut);
        if (event.kind == HorizonEventKind::Set) moonsets.push_back(event.jd_ut);
    }

    const double start = sunrises.front() - LIMB_MARGIN_DAYS, end = sunrises.back() + LIMB_MARGIN_DAYS;
    PanchangaRange result;
    auto karanas = limb_crossings([&](double tt) { return sky.elongation(tt); }, 6.0, 60, start, end);
    auto nakshatras = limb_crossings([&](double tt) { return sky.moon(tt); }, 40.0 / 3.0, 27, start, end);
    auto yogas = limb_crossings([&](double tt) { return sky.yoga_longitude(tt); }, 40.0 / 3.0, 27, start, end);
    if (!karanas.ok()) return karanas.error();
    if (!nakshatras.ok()) return nakshatras.error();
    if (!yogas.ok()) return yogas.error();
    std::vector<NewMoon> new_moons;
    for (const Crossing& karana : karanas.value()) {
        if (karana.after % 2 == 1)
            result.crossings[0].push_back({karana.jd, static_cast<std::uint8_t>(karana.after / 2 + 1)});
        if (karana.after == 1)
            new_moons.push_back({karana.jd, normalize_degrees(sky.sun(to_terrestrial_time(karana.jd)))});
    }
    result.crossings[1] = std::move(nakshatras.value());
    result.crossings[2] = std::move(yogas.value());
    result.crossings[3] = std::move(karanas.value());

    // The new moons before and after the sampled span that open and close the months of its days.
    if (new_moons.empty() || new_moons.front().jd > sunrises.front()) {
        const double elongation = normalize_degrees(sky.elongation(to_terrestrial_time(start)));
        const auto before = exact_new_moon(request.system, start - elongation / MEAN_ELONGATION_RATE);
        if (!before.ok()) return before.error();
        new_moons.insert(new_moons.begin(), before.value());
    }
    auto after_last_sunrise = [&] {
        return std::count_if(new_moons.begin(), new_moons.end(),
                             [&](const NewMoon& n) { return n.jd > sunrises[request.days - 1]; });
    };
    while (after_last_sunrise() < 2) {
        const auto next = exact_new_moon(request.system, new_moons.back().jd + MEAN_SYNODIC_MONTH);
        if (!next.ok()) return next.error();
        new_moons.push_back(next.value());
    }

    std::vector<std::uint8_t> sun_signs(request.days);
    for (std::size_t k = 0; k < request.days; ++k)
        sun_signs[k] = sign_index_of(normalize_degrees(sky.sun(to_terrestrial_time(sunrises[k]))));
    const double weekday_jd = std::floor(civil_midnight + 1.5);
    const auto first_weekday = static_cast<std::uint8_t>(std::fmod(weekday_jd, 7.0));
    result.days.resize(request.days);
    const DayMoments moments{sunrises, sunsets, moonrises, moonsets,
                             {result.crossings[0], result.crossings[1], result.crossings[2], result.crossings[3]},
                             new_moons, sun_signs, first_weekday};
    const Result<bool> assembled = assemble_days(moments, result.days);
    if (!assembled.ok()) return assembled.error();
    return result;
}

}  // namespace zentaric
