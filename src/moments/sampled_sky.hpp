// The Sun's and the Moon's apparent places over a range of time, sampled once and held as Chebyshev series, so that
// a search over the range (a year of limbs and sunrises, a century of nakshatra changes) reads them instead of the
// lunar and solar theories: the theories are evaluated about once a day for the Moon and every other day for the
// Sun, whatever the number of roots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/result.hpp"
#include "ephemeris/ephemeris_provider.hpp"
#include "moments/sky.hpp"
#include "sidereal/ayanamsha.hpp"

namespace zentaric::moments {

// A smooth function of time over consecutive segments of equal length, each a Chebyshev series of `order` terms
// through the function's values at the Chebyshev nodes of the segment.
class SegmentedChebyshev {
public:
    SegmentedChebyshev() = default;
    SegmentedChebyshev(double start, double segment_days, std::size_t segments, std::size_t order);

    double start() const noexcept { return start_; }
    double end() const noexcept { return start_ + segment_days_ * static_cast<double>(segments_); }
    std::size_t order() const noexcept { return order_; }
    std::size_t segments() const noexcept { return segments_; }

    // The time of node k (0 .. order − 1) of a segment.
    double node(std::size_t segment, std::size_t k) const noexcept;
    // Sets a segment's series from the values at its nodes (node order); an angle's values in degrees are unwrapped
    // within the segment first.
    void fit(std::size_t segment, const double* values, bool angle) noexcept;
    // The series' value at t (clamped into the covered span).
    double operator()(double t) const noexcept;

private:
    double start_ = 0.0;
    double segment_days_ = 1.0;
    std::size_t segments_ = 0;
    std::size_t order_ = 0;
    std::vector<double> coefficients_;  // segments × order
};

// What a sampling holds: the longitudes (events, limbs), or the whole places and the frame's angles (rising); of
// both bodies, or of one (the other's series are then empty).
enum class SkyDetail : std::uint8_t { Longitudes, Places };
enum class SkyBodies : std::uint8_t { Both, Sun, Moon };

// The series, all in TT (Delta T changes by steps, a value a calendar month, which the series leave to the
// conversion of each UT instant). Longitudes are the apparent ones less the nutation in longitude (the mean equinox
// of date, degrees, unwrapped within a segment); `offset` is what a zodiac subtracts from them: the ayanamsha for a
// sidereal one (with the nutation, the chart's true ayanamsha), −Δψ for the tropical one. The offset and the frame's
// angles are sampled with the Moon, or with the Sun when the Moon is not sampled.
struct SampledSky {
    Ayanamsha system;
    SkyDetail detail;
    SkyBodies bodies;
    SegmentedChebyshev sun_longitude, moon_longitude, offset;
    // Places only: latitudes (radians), distances (AU), Δψ and the true obliquity (radians).
    SegmentedChebyshev sun_latitude, sun_distance, moon_latitude, moon_distance, nutation_longitude, true_obliquity;

    // The zodiac's longitude of the Sun or the Moon, degrees, at a TT Julian Day.
    double sun(double jd_tt) const noexcept { return sun_longitude(jd_tt) - offset(jd_tt); }
    double moon(double jd_tt) const noexcept { return moon_longitude(jd_tt) - offset(jd_tt); }
    // The Moon's longitude less the Sun's (tithi, karana) and their sum in the zodiac (yoga), degrees.
    double elongation(double jd_tt) const noexcept { return moon_longitude(jd_tt) - sun_longitude(jd_tt); }
    double yoga_longitude(double jd_tt) const noexcept {
        return moon_longitude(jd_tt) + sun_longitude(jd_tt) - 2.0 * offset(jd_tt);
    }
    // Whether the series hold [first, last] (TT) at the detail asked.
    bool covers(double first_tt, double last_tt, SkyDetail needed) const noexcept;
};

// The longest segment and the nodes per segment: the series read back within 1e-8° (Moon) and 1e-9° (Sun) of the
// positions they were sampled from, under 0.1 ms of their motions, from one (Moon) and 0.63 (Sun) evaluations a day
// (the Moon on 20 nodes over 16 days was 2e-8° off, the Sun on 18 over 32 days 2e-8°, 1.5 ms of its motion). A
// shorter segment takes nodes in proportion, and four more; a span of up to 8 days 12 for the Moon and 8 for the Sun.
inline constexpr double MOON_SEGMENT_DAYS = 48.0;
inline constexpr std::size_t MOON_NODES = 48;
inline constexpr double SUN_SEGMENT_DAYS = 48.0;
inline constexpr std::size_t SUN_NODES = 30;
inline constexpr double SHORT_SPAN_DAYS = 8.0;
inline constexpr std::size_t MOON_SHORT_NODES = 12;
inline constexpr std::size_t SUN_SHORT_NODES = 8;

// Samples the Sun and the Moon (or one of them) over [start, end] (UT Julian Days; a little more in TT), and the
// offset of `system`.
Result<SampledSky, EphemerisError> sample_sky(Ayanamsha system, double start, double end, SkyDetail detail,
                                              SkyBodies bodies = SkyBodies::Both);

// The UT Julian Day whose TT is jd_tt (to the rounding of the Julian Day; Delta T is constant within a month).
double universal_time_of(double jd_tt) noexcept;

}  // namespace zentaric::moments
