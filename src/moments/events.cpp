#include "moments/events.hpp"

#include <cmath>
#include <string>

#include "time/angles.hpp"

namespace zentaric::moments {

namespace {

// Tithi, yoga and karana: the Moon's sampling plan serves their difference and sum (within 1° a day of the Moon's).
constexpr SamplingPlan MOON_SUN_PLAN{2.0, 4};

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
                                       double end) {
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
                              : kind_row.of_moon_and_sun ? MOON_SUN_PLAN
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
            // The Sun on a grid of half the sampling step: every sample an instant of it.
            found = find_crossings(GriddedMoonSunAngle(kind == EventKind::Yoga, ayanamsha, start, 0.5 * plan.step_days),
                                   start, end, plan, levels, add_part_change);
        } else {
            found = find_crossings(SiderealLongitude{body, ayanamsha}, start, end, plan, levels, add_part_change);
        }
    }
    if (!found.ok()) return search_failure(found.error());
    return events;
}

Result<std::vector<double>> find_longitude_crossings(MomentBody body, double longitude, Ayanamsha ayanamsha,
                                                     double start, double end) {
    if (!std::isfinite(longitude)) return value_error("crossings: the longitude must be a finite number of degrees");
    if (end < start) return value_error("crossings: the end of the range comes before its start");
    const SamplingPlan plan = moment_body_row(body).longitude;
    Result<bool> range = check_search_range("crossings", start, end, 2.0 * plan.step_days, 3.0 * plan.step_days + 1.0);
    if (!range) return range.error();
    std::vector<double> times;
    Result<std::size_t, EphemerisError> found =
        find_crossings(SiderealLongitude{body, ayanamsha}, start, end, plan,
                       Levels{normalize_degrees(longitude), 360.0},
                       [&](const Crossing& c) { times.push_back(c.jd_ut); });
    if (!found.ok()) return search_failure(found.error());
    return times;
}

}  // namespace zentaric::moments
