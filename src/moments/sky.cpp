#include "moments/sky.hpp"

#include <cmath>
#include <cstdio>
#include <string>

#include "ephemeris/apparent.hpp"
#include "ephemeris/constants.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"

namespace zentaric::moments {

namespace {

// ΔT stays below a day over the ephemeris; the fast positions need a day inside it.
constexpr double RANGE_MARGIN_DAYS = 2.0;

Result<double, EphemerisError> sidereal_longitude(MomentBody body, Ayanamsha ayanamsha, double jd_ut) {
    const MomentBodyRow& row = moment_body_row(body);
    ApparentPosition position;
    Result<FrameAngles, EphemerisError> frame = fast_apparent_positions(&row.body, 1, jd_ut, &position);
    if (!frame.ok()) return std::move(frame).error();
    return position.longitude * RAD_TO_DEG + row.offset_degrees -
           true_ayanamsha_degrees(ayanamsha, jd_ut, frame.value().nutation_longitude);
}

}  // namespace

double true_ayanamsha_degrees(Ayanamsha system, double jd_ut, double nutation_longitude) noexcept {
    if (system == Ayanamsha::Tropical) return 0.0;
    return ayanamsha_degrees(system, jd_ut) + nutation_longitude * RAD_TO_DEG;
}

Result<double, EphemerisError> SiderealLongitude::operator()(double jd_ut) const {
    return sidereal_longitude(body, ayanamsha, jd_ut);
}

Result<double, EphemerisError> SiderealSpeed::operator()(double jd_ut) const {
    Result<double, EphemerisError> before = sidereal_longitude(body, ayanamsha, jd_ut - SPEED_HALF_STEP_DAYS);
    if (!before.ok()) return before;
    Result<double, EphemerisError> after = sidereal_longitude(body, ayanamsha, jd_ut + SPEED_HALF_STEP_DAYS);
    if (!after.ok()) return after;
    return std::remainder(after.value() - before.value(), 360.0) / (2.0 * SPEED_HALF_STEP_DAYS);
}

Result<double, EphemerisError> MoonSunAngle::operator()(double jd_ut) const {
    static constexpr Body BODIES[2] = {Body::Moon, Body::Sun};
    ApparentPosition positions[2];
    Result<FrameAngles, EphemerisError> frame = fast_apparent_positions(BODIES, 2, jd_ut, positions);
    if (!frame.ok()) return std::move(frame).error();
    const double moon = positions[0].longitude * RAD_TO_DEG;
    const double sun = positions[1].longitude * RAD_TO_DEG;
    if (!sum) return moon - sun;
    return moon + sun - 2.0 * true_ayanamsha_degrees(ayanamsha, jd_ut, frame.value().nutation_longitude);
}

double GriddedMoonSunAngle::angle(double moon, double sun, double jd_ut, double nutation_longitude) const noexcept {
    if (!sum_) return moon - sun;
    return moon + sun - 2.0 * true_ayanamsha_degrees(ayanamsha_, jd_ut, nutation_longitude);
}

Result<GriddedMoonSunAngle::Node, EphemerisError> GriddedMoonSunAngle::sun_at(std::int64_t index) {
    Node& node = nodes_[static_cast<std::uint64_t>(index) % 8];
    if (node.index != index) {
        static constexpr Body SUN = Body::Sun;
        ApparentPosition sun;
        Result<FrameAngles, EphemerisError> frame =
            fast_apparent_positions(&SUN, 1, start_ + static_cast<double>(index) * step_, &sun);
        if (!frame.ok()) return std::move(frame).error();
        node = Node{index, frame.value().jd_tt, sun.longitude * RAD_TO_DEG};
    }
    return node;
}

Result<double, EphemerisError> GriddedMoonSunAngle::operator()(double jd_ut) {
    const double position = (jd_ut - start_) / step_;
    const auto nearest = static_cast<std::int64_t>(std::llround(position));
    if (start_ + static_cast<double>(nearest) * step_ == jd_ut) {
        // A grid instant: both bodies from one evaluation, the Sun kept for the instants between.
        static constexpr Body BODIES[2] = {Body::Moon, Body::Sun};
        ApparentPosition positions[2];
        Result<FrameAngles, EphemerisError> frame = fast_apparent_positions(BODIES, 2, jd_ut, positions);
        if (!frame.ok()) return std::move(frame).error();
        const double sun = positions[1].longitude * RAD_TO_DEG;
        nodes_[static_cast<std::uint64_t>(nearest) % 8] = Node{nearest, frame.value().jd_tt, sun};
        return angle(positions[0].longitude * RAD_TO_DEG, sun, jd_ut, frame.value().nutation_longitude);
    }
    static constexpr Body MOON = Body::Moon;
    ApparentPosition moon;
    Result<FrameAngles, EphemerisError> frame = fast_apparent_positions(&MOON, 1, jd_ut, &moon);
    if (!frame.ok()) return std::move(frame).error();
    const auto first = static_cast<std::int64_t>(std::floor(position)) - 2;
    Node around[6];
    for (int j = 0; j < 6; ++j) {
        Result<Node, EphemerisError> node = sun_at(first + j);
        if (!node.ok()) return std::move(node).error();
        around[j] = node.value();
    }
    // Lagrange interpolation in TT at the Moon's instant, the Sun's longitudes unwrapped from the first node's.
    const double tt = frame.value().jd_tt;
    double sun = 0.0;
    for (int j = 0; j < 6; ++j) {
        double weight = 1.0;
        for (int m = 0; m < 6; ++m)
            if (m != j) weight *= (tt - around[m].jd_tt) / (around[j].jd_tt - around[m].jd_tt);
        sun += weight * (around[0].longitude + std::remainder(around[j].longitude - around[0].longitude, 360.0));
    }
    return angle(moon.longitude * RAD_TO_DEG, sun, jd_ut, frame.value().nutation_longitude);
}

double earliest_search_day() noexcept { return JD_MIN + RANGE_MARGIN_DAYS; }
double latest_search_day() noexcept { return JD_MAX - RANGE_MARGIN_DAYS; }

Result<bool> check_search_range(std::string_view what, double start, double end, double before, double after) {
    const double first = earliest_search_day();
    const double last = latest_search_day();
    if (std::isfinite(start) && std::isfinite(end) && start - before >= first && end + after <= last) return true;
    char text[200];
    std::snprintf(text, sizeof text, ": the range must lie within Julian Days %.1f and %.1f (UT), not %.6f to %.6f",
                  first + before, last - after, start, end);
    return value_error(std::string(what) + text);
}

}  // namespace zentaric::moments
