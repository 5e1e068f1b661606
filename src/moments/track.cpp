#include "moments/track.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "ephemeris/apparent.hpp"
#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/delta_t.hpp"

namespace zentaric::moments {

namespace {

// Samples kept before the range's start and after its end: the scan reads two steps before and three after, the
// speeds' five-point difference two more either side.
constexpr std::int64_t MARGIN = 4;

// The last polishing step of a root (days): its path makes each step cheap, so the secant steps go on to well under
// a millisecond (0.1 s for a station: its speed, a difference of longitudes, wavers more than they do).
constexpr double ACCEPTED_STEP_LONGITUDE_DAYS = 1e-7;
constexpr double ACCEPTED_STEP_SPEED_DAYS = 1e-6;

// A polished root is kept when the function there is within this many days of motion (at the fit's slope) of the
// level, and within this many days of the fit's crossing: else the fit crossed a level the function only nears.
constexpr double ROOT_CHECK_DAYS = 1e-3;
constexpr double LONGEST_CORRECTION_DAYS = 2.0;

// A turn this near a level (seven times the cut samples' error) is searched again on the full series, over the days
// around it (a body turning 0.01° past a level spends less than four days beyond it).
constexpr double NEAR_LEVEL_DEGREES = 0.01;
constexpr double TURN_WINDOW_DAYS = 8.0;

const TrackedBodyRow* tracked_row(MomentBody body) noexcept {
    for (const TrackedBodyRow& row : TRACKED_BODY_TABLE)
        if (row.body == body) return &row;
    return nullptr;
}

// The body's sidereal longitude on the full series: for a planet from its path around the latest anchor, anchored
// again at any instant beyond its reach (a root's polishing then sums the series once).
class FullLongitude {
public:
    FullLongitude(const MomentBodyRow& row, Ayanamsha ayanamsha, bool planet) noexcept
        : row_(row), ayanamsha_(ayanamsha), planet_(planet) {}

    Result<double, EphemerisError> operator()(double jd_ut) {
        if (!planet_) return SiderealLongitude{row_.id, ayanamsha_}(jd_ut);
        if (!day_ || !(std::fabs(jd_ut - day_->anchor()) <= PlanetDay::REACH_DAYS)) {
            Result<PlanetDay, EphemerisError> day = PlanetDay::around(row_.body, jd_ut);
            if (!day.ok()) return std::move(day).error();
            day_ = day.value();
        }
        ApparentPosition position;
        Result<FrameAngles, EphemerisError> frame = day_->at(jd_ut, position);
        if (!frame.ok()) return std::move(frame).error();
        return position.longitude * RAD_TO_DEG + row_.offset_degrees -
               true_ayanamsha_degrees(ayanamsha_, jd_ut, frame.value().nutation_longitude);
    }

private:
    const MomentBodyRow& row_;
    Ayanamsha ayanamsha_;
    bool planet_;
    std::optional<PlanetDay> day_;
};

// SiderealSpeed on FullLongitude.
class FullSpeed {
public:
    explicit FullSpeed(FullLongitude& longitude) noexcept : longitude_(longitude) {}
    Result<double, EphemerisError> operator()(double jd_ut) {
        Result<double, EphemerisError> before = longitude_(jd_ut - SPEED_HALF_STEP_DAYS);
        if (!before.ok()) return before;
        Result<double, EphemerisError> after = longitude_(jd_ut + SPEED_HALF_STEP_DAYS);
        if (!after.ok()) return after;
        return std::remainder(after.value() - before.value(), 360.0) / (2.0 * SPEED_HALF_STEP_DAYS);
    }

private:
    FullLongitude& longitude_;
};

// Polishes a crossing of the samples' fit on `function`; NaN when the function does not cross the level there.
template <class Function>
Result<double, EphemerisError> polish_checked(Function& function, double guess, double slope, double level,
                                              const Levels& levels, double longest, double accepted) {
    Result<double, EphemerisError> root = polish_root(function, guess, slope, level, levels, longest, accepted);
    if (!root.ok()) return root;
    const double t = root.value();
    Result<double, EphemerisError> value = function(t);
    if (!value.ok()) return value;
    const double miss = std::fabs(detail::distance_from(value.value(), level, levels));
    if (!(miss <= std::fabs(slope) * ROOT_CHECK_DAYS) || !(std::fabs(t - guess) <= LONGEST_CORRECTION_DAYS))
        return std::nan("");
    return t;
}

}  // namespace

Result<Track> Track::sample(MomentBody body, Ayanamsha ayanamsha, double start, double end) {
    Result<std::vector<Track>> tracks = sample(&body, 1, ayanamsha, start, end);
    if (!tracks) return tracks.error();
    return std::move(tracks.value().front());
}

Result<std::vector<Track>> Track::sample(const MomentBody* bodies, std::size_t count, Ayanamsha ayanamsha,
                                         double start, double end) {
    std::vector<Track> tracks;
    std::vector<Body> planets;
    double h = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const TrackedBodyRow* row = tracked_row(bodies[i]);
        if (row == nullptr)
            return value_error("track: " + std::string(moment_body_row(bodies[i]).name) +
                               " is not a slow body (Jupiter, Saturn, Uranus, Neptune, Rahu, Ketu)");
        h = std::max(h, row->step_days);
        tracks.push_back(Track(*row, ayanamsha, start, end));
        if (row->planet) planets.push_back(moment_body_row(bodies[i]).body);
    }
    if (end < start) return value_error("track: the end of the range comes before its start");
    Result<bool> range = check_search_range("track", start, end, (MARGIN + 1) * h, (MARGIN + 1) * h);
    if (!range) return range.error();
    const auto steps = static_cast<std::int64_t>(std::ceil((end - start) / h));
    const SeriesCut cut{TRACK_LEAST_AMPLITUDE_AU,
                        std::max(std::fabs(julian_millennia(start - (MARGIN + 1) * h)),
                                 std::fabs(julian_millennia(end + (MARGIN + 1) * h)))};
    std::vector<ApparentPosition> positions(planets.size());
    for (Track& track : tracks) {
        track.row_.step_days = h;
        track.longitude_.reserve(static_cast<std::size_t>(steps + 2 * MARGIN + 1));
    }
    for (std::int64_t index = -MARGIN; index <= steps + MARGIN; ++index) {
        const double jd = start + static_cast<double>(index) * h;
        double offset = 0.0;  // from apparent to sidereal longitudes
        if (!planets.empty()) {
            Result<FrameAngles, EphemerisError> frame =
                cut_apparent_positions(planets.data(), planets.size(), jd, cut, positions.data());
            if (!frame.ok()) return search_failure(frame.error());
            offset = true_ayanamsha_degrees(ayanamsha, jd, frame.value().nutation_longitude);
        }
        std::size_t planet = 0;
        for (Track& track : tracks) {
            const MomentBodyRow& body_row = moment_body_row(track.row_.body);
            double value = 0.0;
            if (track.row_.planet) {
                value = positions[planet++].longitude * RAD_TO_DEG + body_row.offset_degrees - offset;
            } else {
                Result<double, EphemerisError> node = SiderealLongitude{track.row_.body, ayanamsha}(jd);
                if (!node.ok()) return search_failure(node.error());
                value = node.value();
            }
            std::vector<double>& samples = track.longitude_;
            if (!samples.empty()) value = samples.back() + std::remainder(value - samples.back(), 360.0);
            samples.push_back(value);
        }
    }
    return tracks;
}

Result<std::vector<Event>> Track::events(EventKind kind) const {
    const EventKindRow& kind_row = event_kind_row(kind);
    if (kind_row.of_moon_and_sun)
        return value_error("track: a " + std::string(kind_row.name) + " is a limb of the Moon and the Sun");
    if (kind == EventKind::Station) {
        Result<bool> stations = check_stationing(row_.body);
        if (!stations) return stations.error();
    }
    const double h = row_.step_days;
    const SamplingPlan plan{h, 2};
    FullLongitude longitude(moment_body_row(row_.body), ayanamsha_, row_.planet);
    std::vector<Event> events;
    Result<std::size_t, EphemerisError> found = std::size_t{0};
    if (kind == EventKind::Station) {
        auto speed = [&](std::int64_t index) -> Result<double, EphemerisError> { return speed_sample(index); };
        FullSpeed full_speed(longitude);
        const Levels levels{0.0, 0.0};
        found = scan_crossings(
            speed, start_, end_, plan, levels,
            [&](double guess, double slope, double level, double longest) {
                return polish_checked(full_speed, guess, slope, level, levels, longest, ACCEPTED_STEP_SPEED_DAYS);
            },
            [&](const Crossing& c) { events.push_back(station(c)); });
    } else {
        Result<std::vector<Crossing>> crossed = level_crossings(Levels{0.0, 360.0 / kind_row.divisions});
        if (!crossed) return crossed.error();
        for (const Crossing& c : crossed.value()) events.push_back(part_change(kind, c));
    }
    if (!found.ok()) return search_failure(found.error());
    return events;
}

Result<std::vector<Crossing>> Track::crossings(double longitude) const {
    if (!std::isfinite(longitude)) return value_error("crossings: the longitude must be a finite number of degrees");
    return level_crossings(Levels{normalize_degrees(longitude), 360.0});
}

double Track::speed_sample(std::int64_t index) const noexcept {
    const double* l = &longitude_[static_cast<std::size_t>(index + MARGIN)];
    return (l[-2] - 8.0 * l[-1] + 8.0 * l[1] - l[2]) / (12.0 * row_.step_days);
}

Result<std::vector<Crossing>> Track::level_crossings(const Levels& levels) const {
    const double h = row_.step_days;
    FullLongitude full(moment_body_row(row_.body), ayanamsha_, row_.planet);
    std::vector<Crossing> found;
    const auto sample = [&](std::int64_t index) -> Result<double, EphemerisError> {
        return longitude_[static_cast<std::size_t>(index + MARGIN)];
    };
    Result<std::size_t, EphemerisError> scanned = scan_crossings(
        sample, start_, end_, SamplingPlan{h, 2}, levels,
        [&](double guess, double slope, double level, double longest) {
            return polish_checked(full, guess, slope, level, levels, longest, ACCEPTED_STEP_LONGITUDE_DAYS);
        },
        [&](const Crossing& c) { found.push_back(c); });
    if (!scanned.ok()) return search_failure(scanned.error());
    // Where the body turns within NEAR_LEVEL_DEGREES of a level, the cut samples cannot tell whether it reaches the
    // level: the days around the turn are searched again on the full series, and their crossings replace the scan's.
    const auto steps = static_cast<std::int64_t>(std::ceil((end_ - start_) / h));
    bool replaced = false;
    for (std::int64_t i = -1; i <= steps; ++i) {
        if ((speed_sample(i) > 0.0) == (speed_sample(i + 1) > 0.0)) continue;
        double y[6];
        for (int j = 0; j < 6; ++j) y[j] = longitude_[static_cast<std::size_t>(i - 2 + j + MARGIN)];
        const detail::Quintic fit = detail::fit_quintic(y);
        const double s = (fit.slope(-0.5) > 0.0) != (fit.slope(1.5) > 0.0) ? detail::solve_extremum(fit, -0.5, 1.5) : 0.5;
        const double turn = fit.value(s);
        const double nearest = std::fabs(std::remainder(turn - levels.offset, levels.spacing));
        if (nearest > NEAR_LEVEL_DEGREES) continue;
        const double t = start_ + (static_cast<double>(i) + s) * h;
        const double a = std::max(t - TURN_WINDOW_DAYS, start_), b = std::min(t + TURN_WINDOW_DAYS, end_);
        if (!(b > a)) continue;
        std::erase_if(found, [&](const Crossing& c) { return c.jd_ut >= a && c.jd_ut < b; });
        Result<std::size_t, EphemerisError> searched = find_crossings(
            full, a, b, SamplingPlan{1.0, 2}, levels, [&](const Crossing& c) { found.push_back(c); });
        if (!searched.ok()) return search_failure(searched.error());
        replaced = true;
    }
    if (replaced)
        std::sort(found.begin(), found.end(), [](const Crossing& x, const Crossing& y) { return x.jd_ut < y.jd_ut; });
    return found;
}

Result<double> Track::longitude_at(double jd_ut) const {
    FullLongitude full(moment_body_row(row_.body), ayanamsha_, row_.planet);
    Result<double, EphemerisError> value = full(jd_ut);
    if (!value.ok()) return search_failure(value.error());
    return value.value();
}

}  // namespace zentaric::moments
