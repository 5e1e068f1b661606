#include "chart/natal_record.hpp"

#include "time/angles.hpp"
#include "vedic/dignity.hpp"
#include "vedic/index.hpp"
#include "vedic/nakshatra.hpp"

namespace zentaric {
namespace {

// Chart indices of the two nodes in CHART_BODY_TABLE: the chosen one is Rahu of the record, the other no graha.
constexpr std::size_t MEAN_NODE = 7;
constexpr std::size_t TRUE_NODE = 8;
static_assert(MEAN_NODE == RAHU);
static_assert(CHART_BODY_TABLE[MEAN_NODE].id == Body::MeanNode && CHART_BODY_TABLE[TRUE_NODE].id == Body::TrueNode);

// Cusps in the chart's zodiac. Whole-sign houses of a sidereal chart are its signs, so their cusps are the sign
// starts themselves, counted from the lagna's sign, not the tropical cusps less the ayanamsha (which would leave
// 59.99999999999998 where 60 opens a sign).
std::array<double, 12> cusps_in_zodiac(const HouseCusps& houses, double ayanamsha, std::uint8_t lagna_sign) {
    std::array<double, 12> cusps{};
    const bool sign_houses = houses.system == HouseSystem::WholeSign && !houses.polar_fallback;
    for (std::size_t house = 0; house < cusps.size(); ++house) {
        cusps[house] = sign_houses ? 30.0 * static_cast<double>((lagna_sign + house) % 12)
                                   : normalize_degrees(houses.cusps[house] - ayanamsha);
    }
    return cusps;
}

Dignity dignity_of_text(std::string_view text) noexcept {
    for (const Dignity dignity : {Dignity::Domicile, Dignity::Exaltation, Dignity::Detriment, Dignity::Fall}) {
        if (dignity_name(dignity) == text) return dignity;
    }
    return Dignity::Peregrine;
}

}  // namespace

ZodiacPlace zodiac_place(double longitude) noexcept {
    const double normalized = normalize_degrees(longitude);
    return ZodiacPlace{normalized, sign_index_of(normalized), nakshatra_of(normalized), pada_of(normalized)};
}

NatalRecord natal_record(const NatalChart& chart, LunarNode node) {
    const ChartAnalysis& analysis = chart.analysis;
    const double ayanamsha = chart.ayanamsha_value;
    const std::size_t rahu_index = rahu_body(node) == Body::TrueNode ? TRUE_NODE : MEAN_NODE;
    const std::size_t other_node = rahu_index == MEAN_NODE ? TRUE_NODE : MEAN_NODE;
    NatalRecord record{};
    for (std::size_t index = 0; index < KETU; ++index) {
        const ChartPlanet& planet = analysis.planets[index == RAHU ? rahu_index : index];
        record.grahas[index] = GrahaRecord{zodiac_place(planet.longitude), planet.latitude, planet.distance,
                                           planet.speed, planet.retrograde, planet.house,
                                           dignity_of_text(planet.dignity), std::nullopt};
    }
    // Ketu: the node opposite Rahu, south of the ecliptic by as much as Rahu is north, moving as Rahu moves.
    const GrahaRecord& rahu = record.grahas[RAHU];
    const double ketu = normalize_degrees(rahu.place.longitude + 180.0);
    record.grahas[KETU] = GrahaRecord{zodiac_place(ketu), -rahu.latitude, rahu.distance, rahu.speed,
                                      rahu.retrograde, house_of(normalize_degrees(ketu + ayanamsha),
                                                                analysis.houses.cusps),
                                      Dignity::Peregrine, std::nullopt};
    GrahaLongitudes longitudes{};  // in Graha order
    for (std::size_t index = 0; index < record.grahas.size(); ++index) {
        longitudes[static_cast<std::size_t>(CHART_GRAHAS[index])] = record.grahas[index].place.longitude;
    }
    for (std::size_t index = 0; index < record.grahas.size(); ++index) {
        const Graha graha = CHART_GRAHAS[index];
        if (static_cast<std::size_t>(graha) < PLANET_GRAHA_COUNT) {
            record.grahas[index].vedic_dignity = vedic_dignity(graha, Varga::Rashi, longitudes);
        }
    }
    record.lagna = zodiac_place(normalize_degrees(analysis.houses.asc - ayanamsha));
    record.houses = analysis.houses;
    record.sidereal_cusps = cusps_in_zodiac(analysis.houses, ayanamsha, record.lagna.sign_index);
    record.mc_sidereal = normalize_degrees(analysis.houses.mc - ayanamsha);
    record.aspects.reserve(analysis.aspects.size());
    for (Aspect aspect : analysis.aspects) {
        if (aspect.body1 == other_node || aspect.body2 == other_node) continue;
        if (aspect.body2 == rahu_index) aspect.body2 = RAHU;  // the nodes come last: body1 < body2 still holds
        record.aspects.push_back(aspect);
    }
    record.ayanamsha_value = ayanamsha;
    record.julian_day = chart.julian_day;
    record.ayanamsha = chart.ayanamsha;
    record.house_system = chart.house_system;
    return record;
}

Result<NatalRecord> natal_record(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                 std::uint32_t minute, double latitude, double longitude,
                                 std::string_view ayanamsha, std::string_view house_system, LunarNode node,
                                 double second) {
    Result<NatalChart> chart = natal_chart(year, month, day, hour, minute, latitude, longitude, ayanamsha,
                                           house_system, second);
    if (!chart.ok()) return chart.error();
    return natal_record(chart.value(), node);
}

}  // namespace zentaric
