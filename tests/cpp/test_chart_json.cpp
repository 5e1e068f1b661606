// The chart document: member order, number layout, nulls (whole charts through the module: test_properties.py).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "format/chart_json.hpp"

namespace zentaric {
namespace {

ChartAnalysis one_planet_analysis() {
    HouseCusps houses{{0.0, 30.0, 60.0, 90.0, 120.0, 150.0, 180.0, 210.0, 240.0, 270.0, 300.0, 330.0},
                      0.0, 270.0, HouseSystem::Equal, false};
    ChartPlanet sun{"Sun", "Aries", "Exaltation", 0.5, 0.0, 0.983, 1.0, false, 0, 1};
    Aspect conjunction{0, 1, 1.0, 0.875, AspectKind::Conjunction, true};
    return ChartAnalysis{{sun}, {conjunction}, "Houses: Equal, Zodiac: Tropical, Rulership: Traditional", houses};
}

TEST(ChartJson, WholeDocumentInKeyOrder) {
    EXPECT_EQ(chart_json(one_planet_analysis(), 0.0, 2451545.0),
              R"({"aspects":[{"applying":true,"body1":0,"body2":1,"orb":1.0,"strength":0.875,"type":"Conjunction"}],)"
              R"("ayanamsha_value":0.0,"config_summary":"Houses: Equal, Zodiac: Tropical, Rulership: Traditional",)"
              R"("houses":{"asc":0.0,"cusps":[0.0,30.0,60.0,90.0,120.0,150.0,180.0,210.0,240.0,270.0,300.0,330.0],)"
              R"("mc":270.0,"polar_fallback":false,"system":"Equal"},"julian_day":2451545.0,)"
              R"("planets":[{"dignity":"Exaltation","distance":0.983,"house":1,"latitude":0.0,"longitude":0.5,)"
              R"("name":"Sun","retrograde":false,"sign":"Aries","sign_index":0,"speed":1.0}]})");
}

TEST(ChartJson, NonFiniteNumbersBecomeNullAndArraysKeepTheirLength) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ChartAnalysis analysis = one_planet_analysis();
    analysis.houses.cusps[5] = nan;
    analysis.houses.mc = -inf;
    analysis.planets[0].speed = inf;
    analysis.aspects[0].strength = nan;
    const std::string text = chart_json(analysis, nan, 2451545.0);
    EXPECT_NE(text.find(R"("cusps":[0.0,30.0,60.0,90.0,120.0,null,180.0,)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("mc":null,)"), std::string::npos);
    EXPECT_NE(text.find(R"("speed":null})"), std::string::npos);
    EXPECT_NE(text.find(R"("strength":null,)"), std::string::npos);
    EXPECT_NE(text.find(R"("ayanamsha_value":null,)"), std::string::npos);
}

}  // namespace
}  // namespace zentaric
