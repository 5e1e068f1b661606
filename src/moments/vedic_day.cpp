// The Vedic day holding an instant. The search runs find_rise_set over the three days around it; the fast path finds
// the three events on a cheap Sun (Meeus ch. 25) made to agree with the full series at the instant, and polishes each
// on the full series (altitude_above_horizon) by Newton's method.
#include "moments/vedic_day.hpp"

#include <optional>

#include "ephemeris/apparent.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"
#include "time/sidereal_time.hpp"

namespace zentaric::moments {
namespace {

constexpr double J2000 = 2451545.0;

// The Sun's Greenwich hour angle and declination, degrees.
struct SunAngles {
    double hour_angle;  // not normalised
    double declination;
};

// Meeus ch. 25, the low-accuracy Sun (within 0.01° over the centuries round 2000), apparent, and the mean sidereal
// time of ch. 12.
SunAngles cheap_sun(double jd_ut) noexcept {
    const double t = (to_terrestrial_time(jd_ut) - J2000) / 36525.0;
    const double mean_longitude = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
    const double anomaly = (357.52911 + 35999.05029 * t - 0.0001537 * t * t) * DEG_TO_RAD;
    const double centre = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(anomaly) +
                          (0.019993 - 0.000101 * t) * std::sin(2.0 * anomaly) + 0.000289 * std::sin(3.0 * anomaly);
    const double node = (125.04 - 1934.136 * t) * DEG_TO_RAD;
    const double longitude = (mean_longitude + centre - 0.00569 - 0.00478 * std::sin(node)) * DEG_TO_RAD;
    const double obliquity = (23.439291 - 0.0130042 * t + 0.00256 * std::cos(node)) * DEG_TO_RAD;
    const double right_ascension =
        std::atan2(std::cos(obliquity) * std::sin(longitude), std::cos(longitude)) * RAD_TO_DEG;
    const double days = jd_ut - J2000;
    const double centuries = days / 36525.0;
    const double sidereal = 280.46061837 + 360.98564736629 * days + 0.000387933 * centuries * centuries;
    return {sidereal - right_ascension, std::asin(std::sin(obliquity) * std::sin(longitude)) * RAD_TO_DEG};
}

// The cheap Sun at a place, shifted by its differences from the full series at one instant (what it leaves out
// changes by about 2″ a day), against the altitude the convention's events put its centre at.
class SunModel {
public:
    SunModel(double latitude, double longitude, double event_altitude) noexcept
        : sin_latitude_(std::sin(latitude * DEG_TO_RAD)), cos_latitude_(std::cos(latitude * DEG_TO_RAD)),
          longitude_(longitude), sin_event_altitude_(std::sin(event_altitude * DEG_TO_RAD)),
          event_altitude_(event_altitude) {}

    // Agree with the full series' apparent Sun at jd_ut; false where it cannot be computed.
    bool anchor(double jd_ut) {
        constexpr Body SUN = Body::Sun;
        ApparentPosition sun;
        const Result<FrameAngles, EphemerisError> frame = fast_apparent_positions(&SUN, 1, jd_ut, &sun);
        if (!frame.ok()) return false;
        const FrameAngles& a = frame.value();
        const double obliquity = a.mean_obliquity + a.nutation_obliquity;
        const double cb = std::cos(sun.latitude), sb = std::sin(sun.latitude);
        const double x = cb * std::cos(sun.longitude);
        const double y = cb * std::sin(sun.longitude) * std::cos(obliquity) - sb * std::sin(obliquity);
        const double z = cb * std::sin(sun.longitude) * std::sin(obliquity) + sb * std::cos(obliquity);
        const double hour_angle = (compute_ramc(jd_ut, 0.0, a.nutation_longitude, obliquity) - std::atan2(y, x));
        const SunAngles cheap = cheap_sun(jd_ut);
        hour_angle_shift_ = std::remainder(hour_angle * RAD_TO_DEG - cheap.hour_angle, 360.0);
        declination_shift_ = std::asin(z) * RAD_TO_DEG - cheap.declination;
        return true;
    }

    // Local hour angle (degrees, not normalised) and declination (radians).
    void at(double jd_ut, double& hour_angle, double& declination) const noexcept {
        const SunAngles cheap = cheap_sun(jd_ut);
        hour_angle = cheap.hour_angle + hour_angle_shift_ + longitude_;
        declination = (cheap.declination + declination_shift_) * DEG_TO_RAD;
    }

    // Degrees above the event altitude.
    double altitude(double jd_ut) const noexcept {
        double hour_angle, declination;
        at(jd_ut, hour_angle, declination);
        const double sin_altitude = sin_latitude_ * std::sin(declination) +
                                    cos_latitude_ * std::cos(declination) * std::cos(hour_angle * DEG_TO_RAD);
        return std::asin(sin_altitude) * RAD_TO_DEG - event_altitude_;
    }

    // The rise (or set) within half a day of hour angle from `jd_ut`; NaN near a polar day or night (where the
    // altitude barely crosses the horizon, which the search handles).
    double event_near(double jd_ut, bool rise) const noexcept {
        for (int pass = 0; pass < 8; ++pass) {
            double hour_angle, declination;
            at(jd_ut, hour_angle, declination);
            const double cos_half_arc =
                (sin_event_altitude_ - sin_latitude_ * std::sin(declination)) / (cos_latitude_ * std::cos(declination));
            if (!(std::fabs(cos_half_arc) < 0.98)) return NAN;
            const double target = std::acos(cos_half_arc) * RAD_TO_DEG * (rise ? -1.0 : 1.0);
            const double step = std::remainder(target - hour_angle, 360.0);
            jd_ut += step / 360.0;  // the Sun's hour angle gains about 360° a day
            if (std::fabs(step) < 1e-6) return jd_ut;
        }
        return NAN;
    }

private:
    double sin_latitude_, cos_latitude_, longitude_, sin_event_altitude_, event_altitude_;
    double hour_angle_shift_ = 0.0, declination_shift_ = 0.0;
};

// The root of the full altitude from the model's event by Newton's method with the model's rate. A step below 3e-6
// day leaves an error of the order of the step squared times the altitude's curvature (microseconds). NaN if it
// does not settle.
double polished(const SunModel& model, const Observer& place, HorizonConvention convention,
                double jd_ut) {
    if (std::isnan(jd_ut)) return NAN;
    for (int pass = 0; pass < 6; ++pass) {
        const Result<double> altitude =
            altitude_above_horizon(MomentBody::Sun, place, convention, jd_ut);
        if (!altitude) return NAN;
        const double rate = (model.altitude(jd_ut + 1e-4) - model.altitude(jd_ut - 1e-4)) / 2e-4;
        const double step = altitude.value() / rate;
        jd_ut -= step;
        if (std::fabs(step) < 3e-6) return jd_ut;
    }
    return NAN;
}

std::optional<VedicDay> fast_vedic_day(double jd_ut, double latitude, double longitude,
                                       HorizonConvention convention) {
    const HorizonConventionRow& row = horizon_convention_row(convention);
    // The centre's altitude at the events; the Sun's semi-diameter is taken as 16′ (the polish has the true one).
    const double event_altitude =
        row.centre_altitude - (row.upper_limb_refracted ? HORIZON_REFRACTION_DEGREES + 16.0 / 60.0 : 0.0);
    SunModel model(latitude, longitude, event_altitude);
    if (!(std::fabs(latitude) < 90.0) || !std::isfinite(longitude) || !model.anchor(jd_ut)) return std::nullopt;
    const Observer place{latitude, longitude, 0.0};
    double rise = model.event_near(jd_ut, true);
    if (rise > jd_ut) rise = model.event_near(rise - 1.0, true);
    double sunrise = polished(model, place, convention, rise);
    if (sunrise > jd_ut) sunrise = polished(model, place, convention, model.event_near(sunrise - 1.0, true));
    const double sunset = polished(model, place, convention, model.event_near(sunrise + 0.5, false));
    const double next_sunrise = polished(model, place, convention, model.event_near(sunset + 0.5, true));
    // Each a day's event in its order, the birth inside the day (else the search decides).
    if (!(sunrise <= jd_ut && jd_ut < next_sunrise && sunrise < sunset && sunset < next_sunrise &&
          next_sunrise - sunrise > 0.9 && next_sunrise - sunrise < 1.1))
        return std::nullopt;
    return VedicDay{sunrise, sunset, next_sunrise};
}

}  // namespace

Result<VedicDay> searched_vedic_day(double jd_ut, double latitude, double longitude,
                                    HorizonConvention convention) {
    const Result<HorizonEvents> found = find_rise_set(
        MomentBody::Sun, Observer{latitude, longitude, 0.0}, convention, jd_ut - 1.5, jd_ut + 1.5);
    if (!found) return found.error();
    VedicDay day{NAN, NAN, NAN};
    for (const HorizonEvent& event : found.value().events)
        if (event.kind == HorizonEventKind::Rise && event.jd_ut <= jd_ut) day.sunrise = event.jd_ut;
    for (const HorizonEvent& event : found.value().events) {
        if (!(event.jd_ut > day.sunrise)) continue;
        if (event.kind == HorizonEventKind::Set && std::isnan(day.sunset)) day.sunset = event.jd_ut;
        if (event.kind == HorizonEventKind::Rise && !std::isnan(day.sunset) && std::isnan(day.next_sunrise))
            day.next_sunrise = event.jd_ut;
    }
    return day;
}

Result<VedicDay> vedic_day(double jd_ut, double latitude, double longitude, HorizonConvention convention) {
    if (const std::optional<VedicDay> day = fast_vedic_day(jd_ut, latitude, longitude, convention)) return *day;
    return searched_vedic_day(jd_ut, latitude, longitude, convention);
}

}  // namespace zentaric::moments
