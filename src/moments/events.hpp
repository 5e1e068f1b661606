// The moments a Vedic calendar counts: when a body enters a sign or a nakshatra, when a tithi, yoga or karana ends,
// when a planet stations, and when a body passes a given longitude.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/name_match.hpp"
#include "common/result.hpp"
#include "moments/sky.hpp"
#include "sidereal/ayanamsha.hpp"

namespace zentaric::moments {

enum class EventKind : std::uint8_t { Sign, Nakshatra, Tithi, Yoga, Karana, Station };
inline constexpr std::size_t EVENT_KIND_COUNT = 6;

struct EventKindRow {
    EventKind id;
    std::string_view name;  // the text form
    Spellings spellings;
    int divisions;          // parts of the circle (0: a station)
    int first_number;       // the number of the part that starts at 0°: 0 (sign and nakshatra indices) or 1
    bool of_moon_and_sun;   // a limb of the Moon and the Sun: the body is the Moon
};

// Sign and nakshatra: the body's sidereal longitude, indices 0..11 and 0..26. Tithi and karana: the Moon's
// longitude less the Sun's crosses a multiple of 12° (numbers 1..30) or 6° (1..60). Yoga: the sidereal sum of the
// two crosses a multiple of 13°20′ (1..27). Station: the body's speed in longitude changes sign.
inline constexpr std::array<EventKindRow, EVENT_KIND_COUNT> EVENT_KIND_TABLE{{
    {EventKind::Sign, "sign", {"sign", "rashi"}, 12, 0, false},
    {EventKind::Nakshatra, "nakshatra", {"nakshatra"}, 27, 0, false},
    {EventKind::Tithi, "tithi", {"tithi"}, 30, 1, true},
    {EventKind::Yoga, "yoga", {"yoga"}, 27, 1, true},
    {EventKind::Karana, "karana", {"karana"}, 60, 1, true},
    {EventKind::Station, "station", {"station"}, 0, 0, false},
}};
static_assert(well_formed(EVENT_KIND_TABLE));

constexpr const EventKindRow& event_kind_row(EventKind kind) noexcept {
    return EVENT_KIND_TABLE[static_cast<std::size_t>(kind) % EVENT_KIND_COUNT];
}

inline Result<EventKind> parse_event_kind(std::string_view name) {
    return parse_name(name, EVENT_KIND_TABLE, "Unknown event kind: ");
}

// A station's `after`: the motion the planet turns to.
inline constexpr int DIRECT = 1;
inline constexpr int RETROGRADE = -1;

// An event: its UT Julian Day, and the part left and the part entered (for a station, the motion before and after:
// DIRECT or RETROGRADE).
struct Event {
    double jd_ut;
    int before;
    int after;
};

// The event of a search's crossing: of the boundary between two parts of `kind` (the parts left and entered), or
// of a station (a speed crossing zero).
Event part_change(EventKind kind, const Crossing& crossing) noexcept;
Event station(const Crossing& crossing) noexcept;

// Whether the body stations; if not, the message find_events gives.
Result<bool> check_stationing(MomentBody body);

// A search's failure on the ephemeris as a ValueError.
Error search_failure(const EphemerisError& error);

// How the sign and nakshatra changes and the passages of Jupiter, Saturn, Uranus and Neptune are searched: over
// their track (moments/track.hpp: cheap samples shared by all the roots, each root polished on the full series; 10 to
// 40 times faster) or by sampling the full series every few days. Both give the same roots to well under a
// millisecond; the track is taken unless its margin of samples would leave the ephemeris (its first and last four
// months). Stations are always searched on the full series.
enum class SlowPlanetSearch : std::uint8_t { Track, FullSeries };

// Every event of a kind for a body in [start, end) (UT Julian Days), in time order. Fails on an unknown
// combination (a limb of the Moon and the Sun for another body; a station of the Sun, the Moon or a node) and on a
// range outside the ephemeris.
Result<std::vector<Event>> find_events(EventKind kind, MomentBody body, Ayanamsha ayanamsha, double start,
                                       double end, SlowPlanetSearch search = SlowPlanetSearch::Track);

// Every moment in [start, end) at which the body's sidereal longitude (tropical for Tropical) passes `longitude`
// degrees, either way, in time order.
Result<std::vector<double>> find_longitude_crossings(MomentBody body, double longitude, Ayanamsha ayanamsha,
                                                     double start, double end,
                                                     SlowPlanetSearch search = SlowPlanetSearch::Track);

}  // namespace zentaric::moments
