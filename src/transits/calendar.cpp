#include "transits/calendar.hpp"

#include <algorithm>
#include <cmath>

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {

Result<TransitCalendar> transit_calendar(double moon_longitude, double lagna_longitude, Ayanamsha ayanamsha,
                                         double start, double end) {
    if (!std::isfinite(moon_longitude) || !std::isfinite(lagna_longitude))
        return value_error("transit_calendar: the natal longitudes must be finite numbers of degrees");
    std::array<moments::MomentBody, CALENDAR_BODY_TABLE.size()> bodies{};
    for (std::size_t i = 0; i < bodies.size(); ++i) bodies[i] = CALENDAR_BODY_TABLE[i].body;
    Result<std::vector<moments::Track>> tracks =
        moments::Track::sample(bodies.data(), bodies.size(), ayanamsha, start, end);
    if (!tracks) return tracks.error();
    TransitCalendar calendar;
    const double points[2] = {moon_longitude, lagna_longitude};
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        const CalendarBodyRow& row = CALENDAR_BODY_TABLE[i];
        const moments::Track& track = tracks.value()[i];
        const auto add = [&](CalendarEventKind kind, const std::vector<moments::Event>& found) {
            for (const moments::Event& e : found)
                calendar.events.push_back({e.jd_ut, row.body, kind, e.before, e.after});
        };
        if (row.ingresses) {
            Result<std::vector<moments::Event>> ingresses = track.events(moments::EventKind::Sign);
            if (!ingresses) return ingresses.error();
            add(CalendarEventKind::Ingress, ingresses.value());
            if (row.body == moments::MomentBody::Saturn) {
                const auto moon_sign = sign_index_of(normalize_degrees(moon_longitude));
                Result<std::vector<SaturnPhaseSpan>> phases = saturn_phases(moon_sign, track, ingresses.value());
                if (!phases) return phases.error();
                calendar.phases = std::move(phases.value());
            }
        }
        if (row.stations) {
            Result<std::vector<moments::Event>> stations = track.events(moments::EventKind::Station);
            if (!stations) return stations.error();
            add(CalendarEventKind::Station, stations.value());
        }
        for (int point = 0; row.passages && point < 2; ++point) {
            Result<std::vector<moments::Crossing>> passages = track.crossings(points[point]);
            if (!passages) return passages.error();
            for (const moments::Crossing& c : passages.value())
                calendar.events.push_back({c.jd_ut, row.body, CalendarEventKind::Passage, point, c.direction});
        }
    }
    std::stable_sort(calendar.events.begin(), calendar.events.end(),
                     [](const CalendarEvent& a, const CalendarEvent& b) { return a.jd_ut < b.jd_ut; });
    return calendar;
}

}  // namespace zentaric
