// The slow sky of a life's calendar over a range, each slow body sampled once and every search sharing its samples:
// the sign ingresses of Jupiter, Saturn and Rahu, the stations of Jupiter and Saturn, their passages over the natal
// Moon and lagna, and Saturn's phases from the natal Moon.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "moments/track.hpp"
#include "transits/saturn_phases.hpp"

namespace zentaric {

enum class CalendarEventKind : std::uint8_t { Ingress, Station, Passage };

struct CalendarEventKindRow {
    CalendarEventKind id;
    std::string_view name;
};

inline constexpr std::array<CalendarEventKindRow, 3> CALENDAR_EVENT_KIND_TABLE{{
    {CalendarEventKind::Ingress, "ingress"},
    {CalendarEventKind::Station, "station"},
    {CalendarEventKind::Passage, "passage"},
}};

// The bodies of the calendar and what is sought for each.
struct CalendarBodyRow {
    moments::MomentBody body;
    bool ingresses;
    bool stations;
    bool passages;  // over the natal Moon and lagna
};

inline constexpr std::array<CalendarBodyRow, 3> CALENDAR_BODY_TABLE{{
    {moments::MomentBody::Jupiter, true, true, true},
    {moments::MomentBody::Saturn, true, true, true},
    {moments::MomentBody::Rahu, true, false, false},
}};

// An event: ingress (before, after: the signs left and entered, 0..11), station (the motions, DIRECT or
// RETROGRADE), passage (before: the natal point, 0 the Moon and 1 the lagna; after: +1 passing forward, −1 back).
struct CalendarEvent {
    double jd_ut;
    moments::MomentBody body;
    CalendarEventKind kind;
    int before;
    int after;
};

struct TransitCalendar {
    std::vector<CalendarEvent> events;  // in time order
    std::vector<SaturnPhaseSpan> phases;
};

// The calendar over [start, end) (UT Julian Days) for a natal Moon and lagna at these sidereal longitudes (degrees).
// Fails on a range that ends before it starts or lies outside the ephemeris.
Result<TransitCalendar> transit_calendar(double moon_longitude, double lagna_longitude, Ayanamsha ayanamsha,
                                         double start, double end);

}  // namespace zentaric
