#include "format/chart_json.hpp"

#include <string_view>

#include "chart/natal_chart.hpp"
#include "common/json.hpp"

namespace zentaric {
namespace {

// Room for a chart of the nine bodies with a few dozen aspects (a typical document is about 3 kB), so that the
// text is written into one allocation.
constexpr std::size_t CHART_TEXT_RESERVE = 4096;

// Members are written in ascending key order, each key with its quotes and colon, preceded by a comma when
// `comma` is set.
void key(std::string& out, std::string_view quoted_key_and_colon, bool comma = true) {
    if (comma) out += ',';
    out += quoted_key_and_colon;
}

void boolean(std::string& out, bool value) { out += value ? "true" : "false"; }

void append_planet(std::string& out, const ChartPlanet& planet) {
    key(out, "{\"dignity\":", false);
    append_json_string(out, planet.dignity);
    key(out, "\"distance\":");
    append_json_number(out, planet.distance);
    key(out, "\"house\":");
    append_json_integer(out, planet.house);
    key(out, "\"latitude\":");
    append_json_number(out, planet.latitude);
    key(out, "\"longitude\":");
    append_json_number(out, planet.longitude);
    key(out, "\"name\":");
    append_json_string(out, planet.name);
    key(out, "\"retrograde\":");
    boolean(out, planet.retrograde);
    key(out, "\"sign\":");
    append_json_string(out, planet.sign);
    key(out, "\"sign_index\":");
    append_json_integer(out, planet.sign_index);
    key(out, "\"speed\":");
    append_json_number(out, planet.speed);
    out += '}';
}

void append_houses(std::string& out, const HouseCusps& houses) {
    key(out, "{\"asc\":", false);
    append_json_number(out, houses.asc);
    key(out, "\"cusps\":[");
    for (std::size_t i = 0; i < houses.cusps.size(); ++i) {
        if (i > 0) out += ',';
        append_json_number(out, houses.cusps[i]);
    }
    out += ']';
    key(out, "\"mc\":");
    append_json_number(out, houses.mc);
    key(out, "\"polar_fallback\":");
    boolean(out, houses.polar_fallback);
    key(out, "\"system\":");
    append_json_string(out, house_system_name(houses.system));
    out += '}';
}

void append_aspect(std::string& out, const Aspect& aspect) {
    key(out, "{\"applying\":", false);
    boolean(out, aspect.applying);
    key(out, "\"body1\":");
    append_json_integer(out, aspect.body1);
    key(out, "\"body2\":");
    append_json_integer(out, aspect.body2);
    key(out, "\"orb\":");
    append_json_number(out, aspect.orb);
    key(out, "\"strength\":");
    append_json_number(out, aspect.strength);
    key(out, "\"type\":");
    append_json_string(out, aspect_kind_name(aspect.kind));
    out += '}';
}

}  // namespace

std::string chart_json(const ChartAnalysis& analysis, double ayanamsha_value, double julian_day) {
    std::string out;
    out.reserve(CHART_TEXT_RESERVE);
    key(out, "{\"aspects\":[", false);
    for (std::size_t i = 0; i < analysis.aspects.size(); ++i) {
        if (i > 0) out += ',';
        append_aspect(out, analysis.aspects[i]);
    }
    out += ']';
    key(out, "\"ayanamsha_value\":");
    append_json_number(out, ayanamsha_value);
    key(out, "\"config_summary\":");
    append_json_string(out, analysis.config_summary);
    key(out, "\"houses\":");
    append_houses(out, analysis.houses);
    key(out, "\"julian_day\":");
    append_json_number(out, julian_day);
    key(out, "\"planets\":[");
    for (std::size_t i = 0; i < analysis.planets.size(); ++i) {
        if (i > 0) out += ',';
        append_planet(out, analysis.planets[i]);
    }
    out += "]}";
    return out;
}

Result<std::string> natal_chart_json(std::int32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                                     std::uint32_t minute, double latitude, double longitude,
                                     std::string_view ayanamsha, std::string_view house_system) {
    Result<NatalChart> chart = natal_chart(year, month, day, hour, minute, latitude, longitude, ayanamsha, house_system);
    if (!chart.ok()) return chart.error();
    const NatalChart& c = chart.value();
    return chart_json(c.analysis, c.ayanamsha_value, c.julian_day);
}

}  // namespace zentaric
