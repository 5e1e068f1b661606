#include "chart/special_lagnas.hpp"

#include <cmath>

#include "chart/chart_analysis.hpp"
#include "common/fixed_decimal.hpp"
#include "houses/house_cusps.hpp"
#include "moments/sky.hpp"
#include "moments/vedic_day.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"
#include "time/earth_orientation.hpp"
#include "time/sidereal_time.hpp"

namespace zentaric {

double sidereal_ascendant(double jd_ut, double latitude, double longitude, Ayanamsha ayanamsha) noexcept {
    // As the natal chart: sidereal time with the equation of the equinoxes, houses on the mean obliquity.
    const double jd_tt = to_terrestrial_time(jd_ut);
    const Nutation of_date = nutation(jd_tt);
    const double obliquity = mean_obliquity(jd_tt);
    const double ramc = compute_ramc(jd_ut, longitude * DEG_TO_RAD, of_date.longitude, obliquity + of_date.obliquity);
    const Angles angles = compute_angles(ramc * RAD_TO_DEG, latitude, obliquity * RAD_TO_DEG);
    return normalize_degrees(angles.asc - chart_ayanamsha(ayanamsha, jd_ut, of_date.longitude * RAD_TO_DEG));
}

Result<BirthLagnas> birth_lagnas(double jd_ut, double latitude, double longitude, std::string_view ayanamsha,
                                 std::string_view convention) {
    if (!std::isfinite(jd_ut)) return value_error("special_lagnas: the Julian Day must be a finite number");
    const Result<Ayanamsha> zodiac = parse_ayanamsha(ayanamsha);
    if (!zodiac) return zodiac.error();
    const Result<moments::HorizonConvention> horizon = moments::parse_sunrise_convention(convention);
    if (!horizon) return horizon.error();
    const Result<bool> place = moments::check_place("special_lagnas", latitude, longitude);
    if (!place) return place.error();
    const Result<moments::VedicDay> day = moments::vedic_day(jd_ut, latitude, longitude, horizon.value());
    if (!day) return day.error();
    const auto [sunrise, sunset, next_sunrise] = day.value();
    if (!day.value().complete())
        return value_error("The Sun does not rise and set at latitude " + fixed_decimal(latitude, 2) +
                           " around this date: no special lagnas or upagrahas");
    const moments::SiderealLongitude sun{moments::MomentBody::Sun, zodiac.value()};
    const auto sun_at_sunrise = sun(sunrise);
    const auto sun_at_birth = sun(jd_ut);
    if (!sun_at_sunrise || !sun_at_birth) return value_error("The Sun's position cannot be computed at this date");

    BirthLagnas result{};
    result.sunrise = sunrise;
    result.sunset = sunset;
    result.next_sunrise = next_sunrise;
    result.weekday = weekday_at(sunrise, longitude);
    result.night = jd_ut >= sunset;
    result.lagnas = special_lagnas(sun_at_sunrise.value(), jd_ut - sunrise);
    const Portion saturn = result.night ? saturn_portion(sunset, next_sunrise, result.weekday, true)
                                        : saturn_portion(sunrise, sunset, result.weekday, false);
    result.gulika = sidereal_ascendant(saturn.start, latitude, longitude, zodiac.value());
    result.mandi = sidereal_ascendant(0.5 * (saturn.start + saturn.end), latitude, longitude, zodiac.value());
    result.sun_upagrahas = sun_upagrahas(sun_at_birth.value());
    return result;
}

}  // namespace zentaric
