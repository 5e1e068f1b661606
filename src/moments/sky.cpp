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

double earliest_search_day() noexcept { return JD_MIN + RANGE_MARGIN_DAYS; }
double latest_search_day() noexcept { return JD_MAX - RANGE_MARGIN_DAYS; }

Result<bool> check_place(std::string_view what, double latitude, double longitude) {
    if (std::fabs(latitude) <= 90.0 && std::isfinite(longitude)) return true;
    return value_error(std::string(what) +
                       ": the latitude must lie within -90 and 90 degrees and the longitude must be a finite number");
}

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
