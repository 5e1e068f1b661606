// The bodies whose moments are sought, and the smooth functions of time the searches run over: a body's sidereal
// (or tropical) longitude, its speed, and the Moon's distance from the Sun and their sum, all from the apparent
// positions of the chart (the same theories, frame and true ayanamsha).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"
#include "ephemeris/ephemeris_provider.hpp"
#include "moments/root_search.hpp"
#include "sidereal/ayanamsha.hpp"

namespace zentaric::moments {

enum class MomentBody : std::uint8_t {
    Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Rahu, Ketu, TrueRahu, TrueKetu,
};
inline constexpr std::size_t MOMENT_BODY_COUNT = 13;

struct MomentBodyRow {
    MomentBody id;
    std::string_view name;     // the text form
    Spellings spellings;
    Body body;                 // the ephemeris body
    double offset_degrees;     // added to its longitude (Ketu: the node + 180°)
    SamplingPlan longitude;    // for its longitude
    SamplingPlan speed;        // for its speed (stations); step 0: it never stations
    bool rises;                // a body with a true distance, whose rising and setting are sought
};

// Rahu and Ketu are the mean node, as in the chart; TrueRahu and TrueKetu the osculating (true) node. Steps keep the
// quintic fit within about 1″ of the function (a second of time for the Moon).
inline constexpr std::array<MomentBodyRow, MOMENT_BODY_COUNT> MOMENT_BODY_TABLE{{
    {MomentBody::Sun, "Sun", {"sun"}, Body::Sun, 0.0, {4.0, 1}, {0.0, 0}, true},
    {MomentBody::Moon, "Moon", {"moon"}, Body::Moon, 0.0, {1.0, 2}, {0.0, 0}, true},
    {MomentBody::Mercury, "Mercury", {"mercury"}, Body::Mercury, 0.0, {1.0, 2}, {1.0, 4}, true},
    {MomentBody::Venus, "Venus", {"venus"}, Body::Venus, 0.0, {2.0, 2}, {2.0, 4}, true},
    {MomentBody::Mars, "Mars", {"mars"}, Body::Mars, 0.0, {2.0, 2}, {2.0, 4}, true},
    {MomentBody::Jupiter, "Jupiter", {"jupiter"}, Body::Jupiter, 0.0, {4.0, 2}, {4.0, 4}, true},
    {MomentBody::Saturn, "Saturn", {"saturn"}, Body::Saturn, 0.0, {4.0, 2}, {4.0, 4}, true},
    {MomentBody::Uranus, "Uranus", {"uranus"}, Body::Uranus, 0.0, {8.0, 2}, {8.0, 4}, true},
    {MomentBody::Neptune, "Neptune", {"neptune"}, Body::Neptune, 0.0, {8.0, 2}, {8.0, 4}, true},
    {MomentBody::Rahu, "Rahu", {"rahu", "meannode"}, Body::MeanNode, 0.0, {4.0, 1}, {0.0, 0}, false},
    {MomentBody::Ketu, "Ketu", {"ketu"}, Body::MeanNode, 180.0, {4.0, 1}, {0.0, 0}, false},
    {MomentBody::TrueRahu, "TrueRahu", {"truerahu", "truenode"}, Body::TrueNode, 0.0, {0.5, 2}, {0.0, 0}, false},
    {MomentBody::TrueKetu, "TrueKetu", {"trueketu"}, Body::TrueNode, 180.0, {0.5, 2}, {0.0, 0}, false},
}};
static_assert(well_formed(MOMENT_BODY_TABLE));

constexpr const MomentBodyRow& moment_body_row(MomentBody body) noexcept {
    return MOMENT_BODY_TABLE[static_cast<std::size_t>(body) % MOMENT_BODY_COUNT];
}

inline Result<MomentBody> parse_moment_body(std::string_view name) {
    return parse_name(name, MOMENT_BODY_TABLE, "Unknown body: ");
}

// The offset from apparent (tropical, true equinox) longitudes to sidereal ones in degrees, as the chart takes
// it: the system's ayanamsha plus the nutation in longitude (radians in); 0 for Tropical.
double true_ayanamsha_degrees(Ayanamsha system, double jd_ut, double nutation_longitude) noexcept;

// A body's sidereal longitude in degrees (not normalised) at a UT Julian Day.
struct SiderealLongitude {
    MomentBody body;
    Ayanamsha ayanamsha;
    Result<double, EphemerisError> operator()(double jd_ut) const;
};

// Half the interval of the speeds' central difference, days.
inline constexpr double SPEED_HALF_STEP_DAYS = 0.005;

// A body's speed in sidereal longitude, degrees per day, at a UT Julian Day: the central difference of its
// longitude over ±0.005 day (within 1e-7°/day of the derivative).
struct SiderealSpeed {
    MomentBody body;
    Ayanamsha ayanamsha;
    Result<double, EphemerisError> operator()(double jd_ut) const;
};

// The Moon's longitude less the Sun's (tithi and karana), or their sidereal sum (yoga), degrees, not normalised.
struct MoonSunAngle {
    bool sum;
    Ayanamsha ayanamsha;
    Result<double, EphemerisError> operator()(double jd_ut) const;
};

// The first and last UT Julian Days at which the searches may evaluate positions (a day inside the ephemeris).
double earliest_search_day() noexcept;
double latest_search_day() noexcept;

// Whether [start, end) with `before` days before it and `after` days after it lies inside the ephemeris; if not,
// the message "<what>: the range must lie within Julian Days <first> and <last> (UT), ..." naming the range asked.
Result<bool> check_search_range(std::string_view what, double start, double end, double before, double after);

// Whether a place lies on the Earth (latitude within ±90°, a finite longitude); if not, the message "<what>: the
// latitude must lie within -90 and 90 degrees and the longitude must be a finite number".
Result<bool> check_place(std::string_view what, double latitude, double longitude);

}  // namespace zentaric::moments
