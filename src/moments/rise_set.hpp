// Rising, setting and meridian transit of the Sun, the Moon and the planets for a place on the Earth, under the
// conventions a calendar or an almanac states them by, and the Sun's twilights.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/name_match.hpp"
#include "common/result.hpp"
#include "moments/sampled_sky.hpp"
#include "moments/sky.hpp"

namespace zentaric::moments {

enum class HorizonConvention : std::uint8_t { Hindu, Civil, CivilTwilight, NauticalTwilight, AstronomicalTwilight };
inline constexpr std::size_t HORIZON_CONVENTION_COUNT = 5;

struct HorizonConventionRow {
    HorizonConvention id;
    std::string_view name;     // the text form
    Spellings spellings;
    double centre_altitude;    // degrees: the altitude of the disc's centre at the event, before the limb and the dip
    bool upper_limb_refracted; // the upper limb on the horizon through the standard refraction (34′)
    bool topocentric;          // seen from the place (parallax), else from the Earth's centre
    bool sun_only;             // a twilight: the Sun's depression
};

// Hindu: the centre of the disc on the geometric horizon, no refraction, seen from the Earth's centre (the Surya
// Siddhanta's sunrise, which the Vedic almanacs keep). Civil: the upper limb on the horizon seen through 34′ of
// refraction, from the place (the Moon's parallax and semi-diameter from its distance). Twilights: the Sun's centre
// 6°, 12° or 18° below the horizon. An elevated place lowers the horizon of Hindu and civil events by the dip.
inline constexpr std::array<HorizonConventionRow, HORIZON_CONVENTION_COUNT> HORIZON_CONVENTION_TABLE{{
    {HorizonConvention::Hindu, "hindu", {"hindu"}, 0.0, false, false, false},
    {HorizonConvention::Civil, "civil", {"civil"}, 0.0, true, true, false},
    {HorizonConvention::CivilTwilight, "civil-twilight", {"civil-twilight", "civil_twilight", "civil twilight"},
     -6.0, false, false, true},
    {HorizonConvention::NauticalTwilight, "nautical-twilight",
     {"nautical-twilight", "nautical_twilight", "nautical twilight"}, -12.0, false, false, true},
    {HorizonConvention::AstronomicalTwilight, "astronomical-twilight",
     {"astronomical-twilight", "astronomical_twilight", "astronomical twilight"}, -18.0, false, false, true},
}};
static_assert(well_formed(HORIZON_CONVENTION_TABLE));

constexpr const HorizonConventionRow& horizon_convention_row(HorizonConvention convention) noexcept {
    return HORIZON_CONVENTION_TABLE[static_cast<std::size_t>(convention) % HORIZON_CONVENTION_COUNT];
}

inline Result<HorizonConvention> parse_horizon_convention(std::string_view name) {
    return parse_name(name, HORIZON_CONVENTION_TABLE, "Unknown convention: ");
}

// A convention that opens a Vedic day (the panchanga's, the special lagnas'): a sunrise, not a twilight.
inline Result<HorizonConvention> parse_sunrise_convention(std::string_view name) {
    const Result<HorizonConvention> convention = parse_horizon_convention(name);
    if (convention && horizon_convention_row(convention.value()).sun_only)
        return value_error("The Vedic day opens at sunrise: convention must be hindu or civil, not " +
                           std::string(name));
    return convention;
}

// A place: geodetic latitude (degrees north), longitude (degrees east), height above the WGS 84 ellipsoid (metres).
struct Observer {
    double latitude;
    double longitude;
    double elevation;
};

enum class HorizonEventKind : std::uint8_t { Rise, Set, Transit };

struct HorizonEvent {
    double jd_ut;
    HorizonEventKind kind;
};

// The events of a range and whether the body stood above the convention's horizon at its start (what a day
// without a rise or a set was: polar day or polar night).
struct HorizonEvents {
    std::vector<HorizonEvent> events;
    bool above_at_start;
};

// The standard refraction at the horizon, degrees (34′).
inline constexpr double HORIZON_REFRACTION_DEGREES = 34.0 / 60.0;

// Every rise, set and upper meridian transit of a body in [start, end) (UT Julian Days), in time order. Fails for
// the nodes, for a twilight of another body than the Sun, for a latitude outside ±90° or a non-finite place, and on
// a range outside the ephemeris. The Sun's or the Moon's places come from `sampled` when it holds them (sampled
// with SkyDetail::Places over the range, a week more either side), else from the theories. Without `transits` the
// upper transits are left out, and the meridian passages that split the time into arcs of rising and falling
// altitude are taken from the fit of the hour angle unpolished (a search for rises and sets only: the altitude is at
// its extreme there, so a passage a little off moves nothing).
Result<HorizonEvents> find_rise_set(MomentBody body, const Observer& place, HorizonConvention convention,
                                    double start, double end, const SampledSky* sampled = nullptr,
                                    bool transits = true);

// The body's altitude above the convention's horizon (degrees; positive: risen) at a UT Julian Day, from its
// apparent position at that instant: what find_rise_set solves, evaluated directly.
Result<double> altitude_above_horizon(MomentBody body, const Observer& place, HorizonConvention convention,
                                      double jd_ut);

}  // namespace zentaric::moments
