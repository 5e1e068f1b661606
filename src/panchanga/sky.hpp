// The Sun's and the Moon's longitudes over a range of days, sampled once and held as Chebyshev series, so that the
// search for every limb, new moon and sankranti of the range reads them instead of the lunar and planetary series.
#pragma once

#include <cstddef>
#include <vector>

#include "common/result.hpp"
#include "ephemeris/ephemeris_provider.hpp"
#include "sidereal/ayanamsha.hpp"

namespace zentaric {

// A smooth function of time over consecutive segments of equal length, each a Chebyshev series of `order` terms through
// the function's values at the Chebyshev nodes of the segment (an angle's values unwrapped within the segment).
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
    // Sets a segment's series from the values at its nodes (node order), unwrapping them as angles in degrees.
    void fit_angle(std::size_t segment, const double* values) noexcept;
    // The series' value at jd (clamped into the covered span).
    double operator()(double jd) const noexcept;

private:
    double start_ = 0.0;
    double segment_days_ = 1.0;
    std::size_t segments_ = 0;
    std::size_t order_ = 0;
    std::vector<double> coefficients_;  // segments × order
};

// The apparent longitudes of the Sun and the Moon less the nutation in longitude (degrees, the mean equinox of date:
// what the sidereal longitude adds the ayanamsha to), as series in TT: Delta T changes by steps (a value a calendar
// month), which the series leave to the conversion of each UT instant. Each accessor takes a UT Julian Day.
struct SkyLongitudes {
    SegmentedChebyshev sun_tt;
    SegmentedChebyshev moon_tt;
    Ayanamsha system;

    double sun(double jd_ut) const noexcept;
    double moon(double jd_ut) const noexcept;
    double sun_sidereal(double jd_ut) const noexcept;
    double moon_sidereal(double jd_ut) const noexcept;
    // Moon − Sun, degrees (unwrapped within a segment).
    double elongation(double jd_ut) const noexcept;
    // Moon + Sun, sidereal.
    double yoga_longitude(double jd_ut) const noexcept;

    // The same at a TT Julian Day, for searches that run in TT and convert their roots once: the ayanamsha is taken
    // at TT less `delta_t_days` (Delta T at the middle of the range: within 2 minutes of its own value at any
    // instant of 1900-2100, which moves the ayanamsha by 3e-9°).
    double delta_t_days;
    double moon_sidereal_tt(double jd_tt) const noexcept;
    double elongation_tt(double jd_tt) const noexcept { return moon_tt(jd_tt) - sun_tt(jd_tt); }
    double yoga_longitude_tt(double jd_tt) const noexcept;
};

// The UT Julian Day whose TT is jd_tt (to the rounding of the Julian Day; Delta T is constant within a month).
double universal_time_of(double jd_tt) noexcept;

// The longest segment and the nodes per segment: the series read back within 1e-8° (Moon) and 1e-9° (Sun) of the
// positions they were sampled from, under 0.1 ms of either body's motion, from 1.25 (Moon) and 0.56 (Sun)
// evaluations a day.
inline constexpr double MOON_SEGMENT_DAYS = 16.0;
inline constexpr std::size_t MOON_NODES = 20;
inline constexpr double SUN_SEGMENT_DAYS = 32.0;
inline constexpr std::size_t SUN_NODES = 18;
// A span of a few days (one day's panchanga) needs fewer: 12 for the Moon and 8 for the Sun up to 8 days.
inline constexpr double SHORT_SPAN_DAYS = 8.0;
inline constexpr std::size_t MOON_SHORT_NODES = 12;
inline constexpr std::size_t SUN_SHORT_NODES = 8;
static_assert(MOON_NODES <= 64 && SUN_NODES <= 64);

// The apparent longitude of the Sun or the Moon less the nutation in longitude at a UT Julian Day, in degrees.
Result<double, EphemerisError> mean_equinox_longitude(Body body, double jd_ut);

// Samples both bodies over [start, end] (UT Julian Days), each segment no longer than the body's.
Result<SkyLongitudes, EphemerisError> sample_sky(Ayanamsha system, double start, double end);

}  // namespace zentaric
