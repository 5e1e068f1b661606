// From a birth to its dasha periods.
#include "chart/chart_dasha.hpp"

#include <cmath>

#include "common/fixed_decimal.hpp"
#include "moments/events.hpp"
#include "moments/sky.hpp"

namespace zentaric {

GrahaPositions chart_grahas(const NatalChart& chart, LunarNode node) noexcept {
    GrahaPositions positions{};
    const auto& planets = chart.analysis.planets;  // Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, nodes
    const auto at = [&](Body body) {
        for (std::size_t index = 0; index < CHART_BODY_IDS.size(); ++index)
            if (CHART_BODY_IDS[index] == body && index < planets.size()) return planets[index].longitude;
        return 0.0;
    };
    const Body BODIES[] = {Body::Sun, Body::Moon, Body::Mars, Body::Mercury, Body::Jupiter, Body::Venus,
                           Body::Saturn, rahu_body(node)};
    for (std::size_t graha = 0; graha < std::size(BODIES); ++graha) positions.longitude[graha] = at(BODIES[graha]);
    positions.longitude[static_cast<std::size_t>(Graha::Ketu)] =
        normalize_degrees(positions.longitude[static_cast<std::size_t>(Graha::Rahu)] + 180.0);
    positions.lagna = normalize_degrees(chart.analysis.houses.asc - chart.ayanamsha_value);
    return positions;
}

Result<DashaPeriods> birth_dasha_periods(std::int32_t year, std::uint32_t month, std::uint32_t day,
                                         std::uint32_t hour, std::uint32_t minute, double latitude, double longitude,
                                         std::string_view system_name, std::uint8_t levels,
                                         std::string_view year_name, std::string_view ayanamsha, double focus_jd,
                                         std::string_view node_name) {
    const Result<DashaSystem> system = parse_dasha_system(system_name);
    if (!system) return system.error();
    const Result<DashaYear> year_length = parse_dasha_year(year_name);
    if (!year_length) return year_length.error();
    const Result<LunarNode> node = parse_lunar_node(node_name);
    if (!node) return node.error();
    // the chart's own range is wider (its houses take any number); a dasha's lagna needs a place on the Earth
    const Result<bool> place = moments::check_place("compute_dasha_periods", latitude, longitude);
    if (!place) return place.error();
    Result<NatalChart> chart = natal_chart(year, month, day, hour, minute, latitude, longitude, ayanamsha, "Equal");
    if (!chart) return chart.error();
    const GrahaPositions positions = chart_grahas(chart.value(), node.value());
    double year_days = DASHA_YEAR_TABLE[static_cast<std::size_t>(year_length.value())].days;
    if (year_length.value() == DashaYear::Solar) {
        const Result<Ayanamsha> zodiac = parse_ayanamsha(ayanamsha);  // natal_chart has accepted the name
        if (!zodiac) return zodiac.error();
        const Result<double> solar = solar_year_days(chart.value(), zodiac.value());
        if (!solar) return solar.error();
        year_days = solar.value();
    }
    return dasha_periods(system.value(), positions, chart.value().julian_day, levels, year_days, focus_jd);
}

Result<double> solar_year_days(const NatalChart& chart, Ayanamsha ayanamsha) {
    const double birth = chart.julian_day;
    static_assert(CHART_BODY_TABLE[0].id == Body::Sun);
    const double sun = chart.analysis.planets[0].longitude;
    // the return lies a sidereal year (365.256 days) after birth, give or take less than a day
    if (!(birth + 370.0 <= moments::latest_search_day()))
        return value_error("year_length solar: the Sun's return a year after birth falls past the ephemeris' last "
                           "day (Julian Day " + fixed_decimal(moments::latest_search_day(), 1) +
                           "); take another year length for a birth this late");
    const auto returns = moments::find_longitude_crossings(moments::MomentBody::Sun, sun, ayanamsha, birth + 360.0,
                                                           birth + 370.0);
    if (!returns) return returns.error();
    if (returns.value().empty()) return value_error("The Sun's return to its longitude at birth was not found");
    return returns.value().front() - birth;
}

}  // namespace zentaric
