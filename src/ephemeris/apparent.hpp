// Apparent geocentric positions referred to the true ecliptic and equinox of date, and daily speeds:
// light time, frame bias, IAU 2006 precession, IAU 2000B nutation, annual aberration.
#pragma once

#include <cstddef>

#include "common/result.hpp"
#include "ephemeris/ephemeris_provider.hpp"
#include "ephemeris/lunar_nodes.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

// Longitude in [0, 2π) and latitude in radians, distance in AU; true ecliptic and equinox of date.
struct ApparentPosition {
    double longitude;
    double latitude;
    double distance;
};

// An apparent position with its speed in longitude, degrees per day.
struct BodyPosition {
    double longitude;
    double latitude;
    double distance;
    double speed;
};

// A state retarded by the light time (days) from a body to an observer.
struct LightTimeState {
    StateVector state;
    double light_time;
};

// State of a body at jd_tt − τ, with τ the light time to the observer (AU, equatorial J2000), iterated to 1e-12 day.
Result<LightTimeState, EphemerisError> light_time_state(const EphemerisProvider& provider, Body body,
                                                        const Vector3& observer, double jd_tt);

// Apparent geocentric position of a body at a UT Julian Day (TT = UT + ΔT).
Result<ApparentPosition, EphemerisError> apparent_position(const EphemerisProvider& provider, Body body, double jd_ut);

// Apparent position at a UT Julian Day and the speed in longitude from the positions half a day either side.
Result<BodyPosition, EphemerisError> position_and_speed(const EphemerisProvider& provider, Body body, double jd_ut);

// position_and_speed for several bodies at one UT Julian Day, written to out[0..count): the provider's own batch
// when it has one for these bodies and instant (the built-in provider's stays within 1e-9° and 1e-9°/day of
// position_and_speed), else position_and_speed body by body. Returns the first failure in body order (its index
// in *failed_index when that pointer is given); out holds the bodies before it.
Result<std::size_t, EphemerisError> chart_positions(const EphemerisProvider& provider, const Body* bodies,
                                                    std::size_t count, double jd_ut, BodyPosition* out,
                                                    std::size_t* failed_index = nullptr);


// The angles of date the apparent positions of an instant were referred to: its TT Julian Day, the nutation in
// longitude and in obliquity and the mean obliquity (radians).
struct FrameAngles {
    double jd_tt;
    double nutation_longitude;
    double nutation_obliquity;
    double mean_obliquity;
};

// apparent_position of several bodies at one UT Julian Day from the built-in theories (AnalyticalEphemeris) through
// the fast kernels, sharing the Earth, the nutation and the frame: each within 1e-9° of apparent_position (the Moon's
// distance within 0.1 km: it is taken at jd, not at the retarded instant). Out of
// range within a day of the ends of the ephemeris. out[0..count) and the angles of date, or the first failure.
Result<FrameAngles, EphemerisError> fast_apparent_positions(const Body* bodies, std::size_t count, double jd_ut,
                                                             ApparentPosition* out);

// Which terms of the planetary series to sum for an approximate position: those whose amplitude times |t|^power
// reaches `least_amplitude` AU for |t| up to `millennia` Julian millennia from J2000 (0: every term).
struct SeriesCut {
    double least_amplitude = 0.0;
    double millennia = 0.0;
};

// fast_apparent_positions from the planetary series cut to their larger terms: a cheap approximation for sampling a
// planet over a long range (with a cut at 1e-5 AU, within a few arcseconds for Jupiter and Saturn).
Result<FrameAngles, EphemerisError> cut_apparent_positions(const Body* bodies, std::size_t count, double jd_ut,
                                                            const SeriesCut& cut, ApparentPosition* out);

// A planet's apparent positions around an anchor instant from one summation of its series and of the Earth's: their
// paths through the anchor and half a day either side, as fast_apparent_positions takes the planet's light-time
// position. At any instant within REACH_DAYS of the anchor, within 1e-9° of fast_apparent_positions (the paths
// stay within 1e-13 AU of the series there), for a search polishing a root with several evaluations near one instant.
class PlanetDay {
public:
    static constexpr double REACH_DAYS = 0.25;
    // Mercury .. Neptune; fails for another body and out of the ephemeris.
    static Result<PlanetDay, EphemerisError> around(Body planet, double jd_ut);
    double anchor() const noexcept { return anchor_ut_; }
    // The apparent position at jd_ut and the angles of date; fails beyond REACH_DAYS from the anchor.
    Result<FrameAngles, EphemerisError> at(double jd_ut, ApparentPosition& out) const;

private:
    double anchor_ut_ = 0.0;
    double anchor_millennia_ = 0.0;    // TT
    double earth_[3][6] = {};          // the paths' coefficients (ecliptic J2000, per coordinate, of s⁰ .. s⁵)
    double planet_[3][6] = {};
};

}  // namespace zentaric
