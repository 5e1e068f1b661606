#include "chart/strength.hpp"

#include <cmath>

#include "moments/vedic_day.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"
#include "time/earth_orientation.hpp"
#include "time/sidereal_time.hpp"

namespace zentaric {
namespace {

// The Kali epoch's civil day (18 February 3102 BC, Julian calendar).
constexpr double KALI_EPOCH_JD = 588466.0;

bool finite(const ChartPlaces& chart) noexcept {
    for (const double longitude : chart.sidereal)
        if (!std::isfinite(longitude)) return false;
    return std::isfinite(chart.lagna) && std::isfinite(chart.mc) && std::isfinite(chart.ayanamsha) &&
           std::isfinite(chart.jd_ut) && std::isfinite(chart.longitude) && std::fabs(chart.latitude) <= 90.0;
}

}  // namespace

Result<ChartStrength> chart_strength(const ChartPlaces& chart, std::string_view required) {
    const Result<RequiredStrength> minimum = parse_required_strength(required);
    if (!minimum) return minimum.error();
    if (!finite(chart))
        return value_error("shadbala: the longitudes, lagna, mc, jd, ayanamsha and longitude must be finite numbers "
                           "and the latitude must lie within -90 and 90 degrees");
    ShadbalaInputs in{};
    in.sidereal = chart.sidereal;
    in.lagna = chart.lagna;
    in.mc = chart.mc;
    in.ayanamsha = chart.ayanamsha;
    in.jd_ut = chart.jd_ut;
    in.jd_tt = to_terrestrial_time(in.jd_ut);
    const Nutation nutation_of_date = nutation(in.jd_tt);
    const double obliquity = mean_obliquity(in.jd_tt) + nutation_of_date.obliquity;
    in.obliquity = obliquity * RAD_TO_DEG;
    // The Sun's hour angle: the local apparent sidereal time (the RAMC) less the Sun's right ascension.
    const double sun_tropical = normalize_degrees(in.sidereal[0] + in.ayanamsha) * DEG_TO_RAD;
    const double sun_ra = std::atan2(std::cos(obliquity) * std::sin(sun_tropical), std::cos(sun_tropical)) * RAD_TO_DEG;
    const double ramc =
        compute_ramc(in.jd_ut, chart.longitude * DEG_TO_RAD, nutation_of_date.longitude, obliquity) * RAD_TO_DEG;
    const double hour_angle = normalize_degrees(ramc - sun_ra);
    in.sun_hour_angle = hour_angle > 180.0 ? hour_angle - 360.0 : hour_angle;
    // The Vedic day: the last sunrise at or before the birth, the sunset and sunrise after it.
    const Result<moments::VedicDay> vedic =
        moments::vedic_day(in.jd_ut, chart.latitude, chart.longitude, moments::HorizonConvention::Hindu);
    if (!vedic) return vedic.error();
    if (!vedic.value().complete())
        return value_error("Shadbala needs a sunrise and a sunset: the Sun does not rise and set on the birth's day");
    const auto [sunrise, sunset, next_sunrise] = vedic.value();
    in.sunrise = sunrise;
    in.sunset = sunset;
    in.next_sunrise = next_sunrise;
    // The sunrise's civil date in local mean time, counted from the Kali epoch.
    in.ahargana = static_cast<std::int64_t>(std::floor(sunrise + chart.longitude / 360.0 + 0.5) - KALI_EPOCH_JD);
    ChartStrength strength{in, shadbala(in, minimum.value()), {}};
    strength.bhava_bala = bhava_bala(in, strength.shadbala);
    return strength;
}

}  // namespace zentaric
