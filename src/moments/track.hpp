// A slow body's sidereal longitude sampled once over a range and shared by every search over it: its sign and
// nakshatra changes, its stations and its passages over given longitudes. The samples come cheap (the planetary
// series cut to their larger terms, within a few arcseconds); their fit places each root within minutes, and the
// root is polished on the full series (the planet's path over the day around it, PlanetDay: one summation of the
// series per root), so it lies where find_events and find_longitude_crossings put it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/result.hpp"
#include "moments/events.hpp"
#include "moments/sky.hpp"

namespace zentaric::moments {

// The bodies a track follows and its sampling step: a quintic through samples this far apart stays within 0.5″ of
// the geocentric longitude of Jupiter and the planets beyond (the Earth's yearly loop), the cut series within 5″.
struct TrackedBodyRow {
    MomentBody body;
    double step_days;
    bool planet;  // a planet, sampled on the cut series and polished on its path; else a node (its own formula)
};

inline constexpr std::array<TrackedBodyRow, 6> TRACKED_BODY_TABLE{{
    {MomentBody::Jupiter, 24.0, true},
    {MomentBody::Saturn, 24.0, true},
    {MomentBody::Uranus, 24.0, true},
    {MomentBody::Neptune, 24.0, true},
    {MomentBody::Rahu, 24.0, false},
    {MomentBody::Ketu, 24.0, false},
}};

// The terms kept for the samples: amplitude at least 1e-5 AU (about 700 of Jupiter's, Saturn's and the Earth's
// 14,000).
inline constexpr double TRACK_LEAST_AMPLITUDE_AU = 1e-5;

class Track {
public:
    // The body's samples over [start, end) (UT Julian Days). Fails for a body not in TRACKED_BODY_TABLE, a range
    // that ends before it starts or lies outside the ephemeris.
    static Result<Track> sample(MomentBody body, Ayanamsha ayanamsha, double start, double end);
    // The tracks of several bodies over one range, the planets sampled together (the Earth and the frame of each
    // instant computed once for all), in the order of `bodies`.
    static Result<std::vector<Track>> sample(const MomentBody* bodies, std::size_t count, Ayanamsha ayanamsha,
                                             double start, double end);

    // find_events over the track: Sign, Nakshatra or Station (not for a node).
    Result<std::vector<Event>> events(EventKind kind) const;
    // find_longitude_crossings over the track, with each passage's direction (+1 forward, −1 back).
    Result<std::vector<Crossing>> crossings(double longitude) const;
    // The body's sidereal longitude at an instant, on the full series.
    Result<double> longitude_at(double jd_ut) const;

    double start() const noexcept { return start_; }
    double end() const noexcept { return end_; }

private:
    Track(const TrackedBodyRow& row, Ayanamsha ayanamsha, double start, double end)
        : row_(row), ayanamsha_(ayanamsha), start_(start), end_(end) {}

    // The speed at sample `index` (the five-point difference of the longitudes), degrees per day.
    double speed_sample(std::int64_t index) const noexcept;
    // Every crossing of the levels by the longitude, in time order.
    Result<std::vector<Crossing>> level_crossings(const Levels& levels) const;

    TrackedBodyRow row_;
    Ayanamsha ayanamsha_;
    double start_;
    double end_;
    std::vector<double> longitude_;  // unwrapped, at start + (i − MARGIN)·step
};

}  // namespace zentaric::moments
