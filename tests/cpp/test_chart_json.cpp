// The chart document: member order, number layout, nulls; the natal chart's houses from the RAMC of the place and
// the mean obliquity (whole charts through the module: test_conversions.py, test_sidereal_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "format/chart_json.hpp"
#include "houses/house_cusps.hpp"

namespace zentaric {
namespace {

ChartAnalysis one_planet_analysis() {
    HouseCusps houses{{0.0, 30.0, 60.0, 90.0, 120.0, 150.0, 180.0, 210.0, 240.0, 270.0, 300.0, 330.0},
                      0.0, 270.0, HouseSystem::Equal, false};
    ChartPlanet sun{"Sun", "Aries", "Exaltation", 0.5, 0.0, 0.983, 1.0, false, 0, 1};
    Aspect conjunction{0, 1, 1.0, 0.875, AspectKind::Conjunction, true};
    return ChartAnalysis{{sun}, {conjunction}, "Houses: Equal, Zodiac: Tropical, Rulership: Traditional", houses};
}

TEST(ChartJson, WholeDocumentInKeyOrderWithNonFiniteNumbersAsNull) {
    ChartAnalysis analysis = one_planet_analysis();
    analysis.houses.cusps[5] = std::numeric_limits<double>::quiet_NaN();
    analysis.houses.mc = -std::numeric_limits<double>::infinity();
    analysis.planets[0].speed = std::numeric_limits<double>::infinity();
    EXPECT_EQ(chart_json(analysis, std::numeric_limits<double>::quiet_NaN(), 2451545.0),
              R"({"aspects":[{"applying":true,"body1":0,"body2":1,"orb":1.0,"strength":0.875,"type":"Conjunction"}],)"
              R"("ayanamsha_value":null,"config_summary":"Houses: Equal, Zodiac: Tropical, Rulership: Traditional",)"
              R"("houses":{"asc":0.0,"cusps":[0.0,30.0,60.0,90.0,120.0,null,180.0,210.0,240.0,270.0,300.0,330.0],)"
              R"("mc":null,"polar_fallback":false,"system":"Equal"},"julian_day":2451545.0,)"
              R"("planets":[{"dignity":"Exaltation","distance":0.983,"house":1,"latitude":0.0,"longitude":0.5,)"
              R"("name":"Sun","retrograde":false,"sign":"Aries","sign_index":0,"speed":null}]})");
}

// The number after "key": in a compact JSON text.
double number_after(const std::string& text, const std::string& key) {
    const std::size_t at = text.find("\"" + key + "\":");
    return at == std::string::npos ? NAN : std::stod(text.substr(at + key.size() + 3));
}

TEST(NatalChart, HousesFromMeanObliquityAndRamcOfThePlace) {
    // Greenwich at J2000.0 noon: RAMC = apparent sidereal time 280.45707° (GMST 280.46062° (Meeus 12.4),
    // equation of the equinoxes −13.93″ × cos 23.44° = −0.00355°); the houses take the mean obliquity 23.43928°,
    // not the true one (23.43768°), which would move the ascendant by about 0.001°.
    const auto text = natal_chart_json(2000, 1, 1, 12, 0, 0.0, 0.0, "Tropical", "Equal");
    ASSERT_TRUE(text.ok());
    const HouseCusps expected = house_cusps(HouseSystem::Equal, 280.45707, 0.0, 23.439279);
    EXPECT_NEAR(number_after(text.value(), "asc"), expected.asc, 2e-5);
    EXPECT_NEAR(number_after(text.value(), "mc"), expected.mc, 2e-5);
}

}  // namespace
}  // namespace zentaric
