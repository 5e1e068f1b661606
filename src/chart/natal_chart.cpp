#include "chart/natal_chart.hpp"

#include <string>
#include <vector>

#include "chart/chart_analysis.hpp"
#include "common/fixed_decimal.hpp"
#include "ephemeris/apparent.hpp"
#include "ephemeris/constants.hpp"
#include "houses/house_system.hpp"
#include "sidereal/ayanamsha.hpp"
#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/delta_t.hpp"
#include "time/earth_orientation.hpp"
#include "time/sidereal_time.hpp"

namespace zentaric {
namespace {

// "Date out of range: JD 2816788.5 outside [990575, 2816788]".
Error date_out_of_range(double jd) {
    return value_error("Date out of range: JD " + fixed_decimal(jd, 1) + " outside [" + fixed_decimal(JD_MIN, 0) +
                       ", " + fixed_decimal(JD_MAX, 0) + "]");
}

Error body_failure(std::string_view name, const EphemerisError& error) {
    std::string text = "Failed to compute ";
    text += name;
    text += ": ";
    text += error.text();
    return value_error(std::move(text));
}

// Apparent tropical positions (degrees) and speeds of the chart bodies, or the first body that fails.
Result<std::vector<TropicalPosition>> chart_body_positions(double jd_ut) {
    const AnalyticalEphemeris ephemeris;
    std::array<BodyPosition, CHART_BODY_TABLE.size()> computed{};
    std::size_t failed = 0;
    const auto batch = chart_positions(ephemeris, CHART_BODY_IDS.data(), CHART_BODY_IDS.size(), jd_ut, computed.data(), &failed);
    if (!batch.ok()) return body_failure(CHART_BODY_TABLE[failed].name, batch.error());
    std::vector<TropicalPosition> positions;
    positions.reserve(CHART_BODY_TABLE.size());
    for (std::size_t index = 0; index < CHART_BODY_TABLE.size(); ++index) {
        const BodyPosition& body = computed[index];
        positions.push_back(TropicalPosition{std::string(CHART_BODY_TABLE[index].name), body.longitude * RAD_TO_DEG,
                                             body.latitude * RAD_TO_DEG, body.distance, body.speed});
    }
    return positions;
}

}  // namespace

Result<NatalChart> natal_chart(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                     std::uint32_t minute, double latitude, double longitude,
                                     std::string_view ayanamsha, std::string_view house_system, double second) {
    Result<Ayanamsha> zodiac = parse_ayanamsha(ayanamsha);
    if (!zodiac.ok()) return zodiac.error();
    Result<HouseSystem> houses = parse_house_system(house_system);
    if (!houses.ok()) return houses.error();

    const double fractional_day =
        (static_cast<double>(day) + static_cast<double>(hour) / 24.0) + static_cast<double>(minute) / 1440.0 +
        second / 86400.0;
    const double jd = calendar_to_jd(year, month, fractional_day);
    if (jd < JD_MIN || jd > JD_MAX) return date_out_of_range(jd);

    Result<std::vector<TropicalPosition>> positions = chart_body_positions(jd);
    if (!positions.ok()) return positions.error();

    // Nutation and mean obliquity at TT; apparent sidereal time at UT (equation of the equinoxes included).
    const double jd_tt = to_terrestrial_time(jd);
    const Nutation nutation_of_date = nutation(jd_tt);
    const double mean_obliquity_rad = mean_obliquity(jd_tt);
    const double ramc_rad = compute_ramc(jd, longitude * PI / 180.0, nutation_of_date.longitude,
                                         mean_obliquity_rad + nutation_of_date.obliquity);

    const ChartConfig config = natal_chart_config(houses.value(), zodiac.value());
    const double nutation_longitude_deg = nutation_of_date.longitude * 180.0 / PI;
    // The houses take the mean obliquity, not the true one used for the sidereal time.
    const ChartAnalysis analysis = analyze_chart(positions.value(), config, ramc_rad * 180.0 / PI, latitude,
                                                 mean_obliquity_rad * 180.0 / PI, jd, nutation_longitude_deg);
    return NatalChart{analysis, chart_ayanamsha(zodiac.value(), jd, nutation_longitude_deg), jd, zodiac.value(),
                      houses.value()};
}

}  // namespace zentaric
