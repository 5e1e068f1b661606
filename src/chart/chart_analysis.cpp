#include "chart/chart_analysis.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

std::string config_summary_text(const ChartConfig& config) {
    std::string summary = "Houses: ";
    summary += house_system_name(config.house_system);
    summary += ", Zodiac: ";
    summary += ayanamsha_name(config.ayanamsha);
    summary += ", Rulership: ";
    summary += rulership_name(config.rulership);
    return summary;
}

// Whole-sign cusps of a sidereal chart: the tropical longitudes of the sidereal sign starts, the first one the
// sign holding the ascendant, so that every house is one sign of the chart's zodiac.
void cusps_at_sidereal_signs(HouseCusps& houses, double ayanamsha) noexcept {
    const double first_sign = std::floor(normalize_degrees(houses.asc - ayanamsha) / 30.0);
    for (std::size_t house = 0; house < houses.cusps.size(); ++house) {
        houses.cusps[house] = normalize_degrees(ayanamsha + 30.0 * (first_sign + static_cast<double>(house)));
    }
}

}  // namespace

double chart_ayanamsha(Ayanamsha ayanamsha, double jd, double nutation_longitude_deg) noexcept {
    if (ayanamsha == Ayanamsha::Tropical) return 0.0;
    return ayanamsha_degrees(ayanamsha, jd) + nutation_longitude_deg;
}

ChartConfig natal_chart_config(HouseSystem house_system, Ayanamsha ayanamsha) {
    return ChartConfig{{AspectKind::Conjunction, AspectKind::Sextile, AspectKind::Square, AspectKind::Trine,
                        AspectKind::Opposition},
                       1.0,
                       Rulership::Traditional,
                       house_system,
                       ayanamsha};
}

std::uint8_t house_of(double longitude, const std::array<double, 12>& cusps) noexcept {
    for (std::size_t house = 0; house < cusps.size(); ++house) {
        const double opens = cusps[house];
        const double closes = cusps[(house + 1) % cusps.size()];
        const bool inside = closes > opens ? (longitude >= opens && longitude < closes)
                                           : (longitude >= opens || longitude < closes);
        if (inside) return static_cast<std::uint8_t>(house + 1);
    }
    return 1;
}

ChartAnalysis analyze_chart(std::span<const TropicalPosition> bodies, const ChartConfig& config,
                            double ramc_deg, double latitude_deg, double obliquity_deg, double jd,
                            double nutation_longitude_deg) {
    const double ayanamsha = chart_ayanamsha(config.ayanamsha, jd, nutation_longitude_deg);
    ChartAnalysis analysis{{}, {}, config_summary_text(config),
                           house_cusps(config.house_system, ramc_deg, latitude_deg, obliquity_deg)};
    if (config.house_system == HouseSystem::WholeSign && ayanamsha != 0.0) {
        cusps_at_sidereal_signs(analysis.houses, ayanamsha);
    }
    analysis.planets.reserve(bodies.size());
    std::vector<AspectPosition> aspect_input;
    aspect_input.reserve(bodies.size());
    for (const TropicalPosition& body : bodies) {
        const double sidereal = normalize_degrees(body.longitude - ayanamsha);
        const std::uint8_t sign_index = sign_index_of(normalize_degrees(sidereal));
        // Tropical longitude against tropical cusps: the same house as sidereal against shifted cusps.
        const std::uint8_t house = house_of(normalize_degrees(body.longitude), analysis.houses.cusps);
        analysis.planets.push_back(ChartPlanet{body.name, SIGN_NAMES[sign_index],
                                               chart_body_dignity(body.name, sidereal, config.rulership), sidereal,
                                               body.latitude, body.distance, body.speed, body.speed < 0.0,
                                               sign_index, house});
        aspect_input.push_back(AspectPosition{sidereal, body.speed});
    }
    analysis.aspects = find_aspects(aspect_input, config.aspect_kinds, config.orb_factor);
    return analysis;
}

}  // namespace zentaric
