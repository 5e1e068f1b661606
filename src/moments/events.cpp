#include "moments/events.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "moments/sampled_sky.hpp"
#include "moments/track.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"

namespace zentaric::moments {

namespace {

// The searches of the Sun and the Moon read the sampled series (cheap to evaluate): a quintic through six values 12
// hours apart, polished on the series.
constexpr SamplingPlan SAMPLED_PLAN{0.5, 1};
// Beyond the range the sampling holds: the search's samples before and after it, and Delta T.
constexpr double SAMPLED_MARGIN_DAYS = 2.0 * SAMPLED_PLAN.step_days + 0.1;

bool sampled_body(MomentBody body) noexcept { return body == MomentBody::Sun || body == MomentBody::Moon; }

// The crossings of the levels by an angle read from one sampling of the Sun and the Moon over [start, end) (UT):
// searched in TT, each root turned into UT and kept when it lies in the range.
template <class Angle, class Emit>
Result<std::size_t, EphemerisError> find_sampled_crossings(Ayanamsha ayanamsha, SkyBodies bodies, double start,
                                                           double end, const Levels& levels, Angle angle,
                                                           Emit&& emit) {
    Result<SampledSky, EphemerisError> sampled =
        sample_sky(ayanamsha, start - SAMPLED_MARGIN_DAYS, end + SAMPLED_MARGIN_DAYS + SAMPLED_PLAN.step_days,
                   SkyDetail::Longitudes, bodies);
    if (!sampled.ok()) return std::move(sampled).error();
    const SampledSky& sky = sampled.value();
    std::size_t kept = 0;
    Result<std::size_t, EphemerisError> found = find_crossings(
        [&](double jd_tt) -> Result<double, EphemerisError> { return angle(sky, jd_tt); },
        to_terrestrial_time(start) - 0.001, to_terrestrial_time(end) + 0.001, SAMPLED_PLAN, levels,
        [&](const Crossing& c) {
            const double jd_ut = universal_time_of(c.jd_ut);
            if (jd_ut < start || jd_ut >= end) return;
            emit(Crossing{jd_ut, c.level, c.direction});
            ++kept;
        });
    if (!found.ok()) return found;
    return kept;
}

double sampled_longitude(MomentBody body, const SampledSky& sky, double jd_tt) noexcept {
    return body == MomentBody::Sun ? sky.sun(jd_tt) : sky.moon(jd_tt);
}

SkyBodies sampled_alone(MomentBody body) noexcept { return body == MomentBody::Sun ? SkyBodies::Sun : SkyBodies::Moon; }

// The track of a planet it follows over [start, end), when the search asks for it and the track's samples lie
// within the ephemeris; else nothing (and the full series is searched).
std::optional<Track> planet_track(SlowPlanetSearch search, MomentBody body, Ayanamsha ayanamsha, double start,
                                  double end) {
    if (search != SlowPlanetSearch::Track || !(end >= start)) return std::nullopt;
    const auto row = std::find_if(TRACKED_BODY_TABLE.begin(), TRACKED_BODY_TABLE.end(),
                                  [body](const TrackedBodyRow& tracked) { return tracked.body == body; });
    if (row == TRACKED_BODY_TABLE.end() || !row->planet) return std::nullopt;
    Result<Track> track = Track::sample(body, ayanamsha, start, end);
    if (!track) return std::nullopt;
    return std::move(track.value());
}

int part_number(std::int64_t level, int divisions, int first_number) noexcept {
    const std::int64_t index = ((level % divisions) + divisions) % divisions;
    return static_cast<int>(index) + first_number;
}

std::string body_list(bool stationing) {
    std::string list;
    for (const MomentBodyRow& row : MOMENT_BODY_TABLE) {
        if (stationing && row.speed.step_days == 0.0) continue;
        if (!list.empty()) list += ", ";
        list += row.name;
    }
    return list;
}

}  // namespace

Event part_change(EventKind kind, const Crossing& crossing) noexcept {
    const EventKindRow& row = event_kind_row(kind);
    const std::int64_t entered = crossing.direction > 0 ? crossing.level : crossing.level - 1;
    const std::int64_t left = crossing.direction > 0 ? crossing.level - 1 : crossing.level;
    return Event{crossing.jd_ut, part_number(left, row.divisions, row.first_number),
                 part_number(entered, row.divisions, row.first_number)};
}

Event station(const Crossing& crossing) noexcept {
    const int after = crossing.direction > 0 ? DIRECT : RETROGRADE;
    return Event{crossing.jd_ut, -after, after};
}

Result<bool> check_stationing(MomentBody body) {
    const MomentBodyRow& row = moment_body_row(body);
    if (row.speed.step_days != 0.0) return true;
    return value_error("events: " + std::string(row.name) + " never stations; stations are found for " +
                       body_list(true));
}

Error search_failure(const EphemerisError& error) { return value_error(error.text()); }

Result<std::vector<Event>> find_events(EventKind kind, MomentBody body, Ayanamsha ayanamsha, double start,
                                       double end, SlowPlanetSearch search) {
    const EventKindRow& kind_row = event_kind_row(kind);
    const MomentBodyRow& body_row = moment_body_row(body);
    if (kind_row.of_moon_and_sun && body != MomentBody::Moon)
        return value_error(std::string("events: a ") + std::string(kind_row.name) +
                           " is a limb of the Moon and the Sun: the body must be Moon, not " +
                           std::string(body_row.name));
    if (kind == EventKind::Station) {
        Result<bool> stations = check_stationing(body);
        if (!stations) return stations.error();
    }
    if (end < start) return value_error("events: the end of the range comes before its start");
    const SamplingPlan plan = kind == EventKind::Station ? body_row.speed
                              : sampled_body(body)       ? SAMPLED_PLAN
                                                         : body_row.longitude;
    Result<bool> range = check_search_range("events", start, end, 2.0 * plan.step_days, 3.0 * plan.step_days + 1.0);
    if (!range) return range.error();

    std::vector<Event> events;
    auto add_part_change = [&](const Crossing& c) { events.push_back(part_change(kind, c)); };
    Result<std::size_t, EphemerisError> found = std::size_t{0};
    if (kind == EventKind::Station) {
        found = find_crossings(SiderealSpeed{body, ayanamsha}, start, end, plan, Levels{0.0, 0.0},
                               [&](const Crossing& c) { events.push_back(station(c)); });
    } else {
        const Levels levels{0.0, 360.0 / kind_row.divisions};
        if (kind_row.of_moon_and_sun) {
            const bool yoga = kind == EventKind::Yoga;
            found = find_sampled_crossings(
                ayanamsha, SkyBodies::Both, start, end, levels,
                [yoga](const SampledSky& sky, double tt) { return yoga ? sky.yoga_longitude(tt) : sky.elongation(tt); },
                add_part_change);
        } else if (sampled_body(body)) {
            found = find_sampled_crossings(
                ayanamsha, sampled_alone(body), start, end, levels,
                [body](const SampledSky& sky, double tt) { return sampled_longitude(body, sky, tt); },
                add_part_change);
        } else if (std::optional<Track> track = planet_track(search, body, ayanamsha, start, end)) {
            return track->events(kind);
        } else {
            found = find_crossings(SiderealLongitude{body, ayanamsha}, start, end, plan, levels, add_part_change);
        }
    }
    if (!found.ok()) return search_failure(found.error());
    return events;
}

Result<std::vector<double>> find_longitude_crossings(MomentBody body, double longitude, Ayanamsha ayanamsha,
                                                     double start, double end, SlowPlanetSearch search) {
    if (!std::isfinite(longitude)) return value_error("crossings: the longitude must be a finite number of degrees");
    if (end < start) return value_error("crossings: the end of the range comes before its start");
    const SamplingPlan plan = sampled_body(body) ? SAMPLED_PLAN : moment_body_row(body).longitude;
    Result<bool> range = check_search_range("crossings", start, end, 2.0 * plan.step_days, 3.0 * plan.step_days + 1.0);
    if (!range) return range.error();
    std::vector<double> times;
    if (std::optional<Track> track = planet_track(search, body, ayanamsha, start, end)) {
        Result<std::vector<Crossing>> passages = track->crossings(longitude);
        if (!passages) return passages.error();
        for (const Crossing& passage : passages.value()) times.push_back(passage.jd_ut);
        return times;
    }
    const Levels levels{normalize_degrees(longitude), 360.0};
    auto add = [&](const Crossing& c) { times.push_back(c.jd_ut); };
    Result<std::size_t, EphemerisError> found =
        sampled_body(body)
            ? find_sampled_crossings(
                  ayanamsha, sampled_alone(body), start, end, levels,
                  [body](const SampledSky& sky, double tt) { return sampled_longitude(body, sky, tt); }, add)
            : find_crossings(SiderealLongitude{body, ayanamsha}, start, end, plan, levels, add);
    if (!found.ok()) return search_failure(found.error());
    return times;
}

}  // namespace zentaric::moments
