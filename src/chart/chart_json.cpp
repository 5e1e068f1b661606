#include "chart/chart_json.hpp"

#include <utility>

#include "chart/json.hpp"

namespace zentaric {
namespace {

JsonValue planet_object(const ChartPlanet& planet) {
    JsonValue object = JsonValue::object();
    object.set("name", JsonValue::string(planet.name));
    object.set("sign", JsonValue::string(std::string(planet.sign)));
    object.set("dignity", JsonValue::string(std::string(planet.dignity)));
    object.set("longitude", JsonValue::number(planet.longitude));
    object.set("latitude", JsonValue::number(planet.latitude));
    object.set("distance", JsonValue::number(planet.distance));
    object.set("speed", JsonValue::number(planet.speed));
    object.set("retrograde", JsonValue::boolean(planet.retrograde));
    object.set("sign_index", JsonValue::integer(planet.sign_index));
    object.set("house", JsonValue::integer(planet.house));
    return object;
}

JsonValue houses_object(const HouseCusps& houses) {
    JsonValue cusps = JsonValue::array();
    for (double cusp : houses.cusps) cusps.push_back(JsonValue::number(cusp));
    JsonValue object = JsonValue::object();
    object.set("cusps", std::move(cusps));
    object.set("asc", JsonValue::number(houses.asc));
    object.set("mc", JsonValue::number(houses.mc));
    object.set("system", JsonValue::string(std::string(house_system_name(houses.system))));
    object.set("polar_fallback", JsonValue::boolean(houses.polar_fallback));
    return object;
}

JsonValue aspect_object(const Aspect& aspect) {
    JsonValue object = JsonValue::object();
    object.set("body1", JsonValue::integer(aspect.body1));
    object.set("body2", JsonValue::integer(aspect.body2));
    object.set("type", JsonValue::string(std::string(aspect_kind_name(aspect.kind))));
    object.set("orb", JsonValue::number(aspect.orb));
    object.set("applying", JsonValue::boolean(aspect.applying));
    object.set("strength", JsonValue::number(aspect.strength));
    return object;
}

JsonValue chart_document(const ChartAnalysis& analysis, double ayanamsha_value, double julian_day) {
    JsonValue planets = JsonValue::array();
    for (const ChartPlanet& planet : analysis.planets) planets.push_back(planet_object(planet));
    JsonValue aspects = JsonValue::array();
    for (const Aspect& aspect : analysis.aspects) aspects.push_back(aspect_object(aspect));

    JsonValue document = JsonValue::object();
    document.set("planets", std::move(planets));
    document.set("houses", houses_object(analysis.houses));
    document.set("aspects", std::move(aspects));
    document.set("ayanamsha_value", JsonValue::number(ayanamsha_value));
    document.set("julian_day", JsonValue::number(julian_day));
    document.set("config_summary", JsonValue::string(analysis.config_summary));
    return document;
}

}  // namespace

std::string chart_json(const ChartAnalysis& analysis, double ayanamsha_value, double julian_day) {
    return to_json(chart_document(analysis, ayanamsha_value, julian_day));
}

}  // namespace zentaric
