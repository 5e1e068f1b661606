#include "chart/strength.hpp"

#include <cmath>

#include "chart/natal_chart.hpp"
#include "moments/rise_set.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"
#include "time/earth_orientation.hpp"
#include "time/sidereal_time.hpp"

namespace zentaric {
namespace {

constexpr double DEG = 3.14159265358979323846 / 180.0;
// The Kali epoch's civil day (18 February 3102 BC, Julian calendar).
constexpr double KALI_EPOCH_JD = 588466.0;

// The chart's bodies by name, in Graha order (Ketu is Rahu + 180°).
constexpr std::array<std::string_view, 8> GRAHA_CHART_NAMES = {"Sun",     "Moon",  "Mars",   "Mercury",
                                                                "Jupiter", "Venus", "Saturn", "MeanNode"};

}  // namespace

Result<ChartStrength> chart_strength(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                     std::uint32_t minute, double latitude, double longitude,
                                     std::string_view ayanamsha, std::string_view required) {
    const Result<RequiredStrength> minimum = parse_required_strength(required);
    if (!minimum) return minimum.error();
    const Result<NatalChart> natal =
        natal_chart(year, month, day, hour, minute, latitude, longitude, ayanamsha, "WholeSign");
    if (!natal) return natal.error();
    const NatalChart& chart = natal.value();
    ShadbalaInputs in{};
    for (std::size_t graha = 0; graha < GRAHA_CHART_NAMES.size(); ++graha)
        for (const ChartPlanet& planet : chart.analysis.planets)
            if (planet.name == GRAHA_CHART_NAMES[graha]) in.sidereal[graha] = planet.longitude;
    in.sidereal[8] = normalize_degrees(in.sidereal[7] + 180.0);
    in.ayanamsha = chart.ayanamsha_value;
    in.lagna = normalize_degrees(chart.analysis.houses.asc - chart.ayanamsha_value);
    in.mc = normalize_degrees(chart.analysis.houses.mc - chart.ayanamsha_value);
    in.jd_ut = chart.julian_day;
    in.jd_tt = to_terrestrial_time(in.jd_ut);
    const Nutation nutation_of_date = nutation(in.jd_tt);
    in.obliquity = (mean_obliquity(in.jd_tt) + nutation_of_date.obliquity) / DEG;
    // The Sun's hour angle: the local apparent sidereal time (the RAMC) less the Sun's right ascension.
    const double sun_tropical = normalize_degrees(in.sidereal[0] + in.ayanamsha) * DEG;
    const double sun_ra = std::atan2(std::cos(in.obliquity * DEG) * std::sin(sun_tropical), std::cos(sun_tropical)) / DEG;
    const double ramc = compute_ramc(in.jd_ut, longitude * DEG, nutation_of_date.longitude, in.obliquity * DEG) / DEG;
    const double hour_angle = normalize_degrees(ramc - sun_ra);
    in.sun_hour_angle = hour_angle > 180.0 ? hour_angle - 360.0 : hour_angle;
    // The Vedic day: the last sunrise at or before the birth, the sunset and sunrise after it.
    const moments::Observer place{latitude, longitude, 0.0};
    const auto events = moments::find_rise_set(moments::MomentBody::Sun, place, moments::HorizonConvention::Hindu,
                                               in.jd_ut - 1.5, in.jd_ut + 1.5);
    if (!events) return events.error();
    double sunrise = NAN, sunset = NAN, next_sunrise = NAN;
    for (const moments::HorizonEvent& event : events.value().events)
        if (event.kind == moments::HorizonEventKind::Rise && event.jd_ut <= in.jd_ut) sunrise = event.jd_ut;
    for (const moments::HorizonEvent& event : events.value().events) {
        if (!(event.jd_ut > sunrise)) continue;
        if (event.kind == moments::HorizonEventKind::Set && std::isnan(sunset)) sunset = event.jd_ut;
        if (event.kind == moments::HorizonEventKind::Rise && std::isnan(next_sunrise)) next_sunrise = event.jd_ut;
    }
    if (std::isnan(sunrise) || std::isnan(sunset) || std::isnan(next_sunrise) || sunset > next_sunrise)
        return value_error("Shadbala needs a sunrise and a sunset: the Sun does not rise and set on the birth's day");
    in.sunrise = sunrise;
    in.sunset = sunset;
    in.next_sunrise = next_sunrise;
    // The sunrise's civil date in local mean time, counted from the Kali epoch.
    in.ahargana = static_cast<std::int64_t>(std::floor(sunrise + longitude / 360.0 + 0.5) - KALI_EPOCH_JD);
    ChartStrength strength{in, shadbala(in, minimum.value()), {}};
    strength.bhava_bala = bhava_bala(in, strength.shadbala);
    return strength;
}

}  // namespace zentaric
