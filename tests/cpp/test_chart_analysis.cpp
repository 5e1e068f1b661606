// The chart from tropical positions: houses of bodies, the sidereal shift, aspects (house numbers of sidereal
// charts and the document's members through the module: tests/python/test_sidereal_reference.py, test_conversions.py).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "chart/chart_analysis.hpp"
#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

constexpr double JD_2000 = 2451545.0;
constexpr double RAMC = 45.0, LATITUDE = 40.0, OBLIQUITY = 23.44;
constexpr double NUTATION = -0.0039;  // degrees, the nutation in longitude at J2000.0

std::array<double, 12> cusps_from(double first, double step) {
    std::array<double, 12> cusps{};
    for (std::size_t index = 0; index < cusps.size(); ++index) cusps[index] = normalize_degrees(first + step * index);
    return cusps;
}

TEST(HouseOf, IntervalsOpenAtTheirCuspAndWrapThroughZero) {
    struct Case { double first_cusp, longitude; int house; };
    const Case cases[] = {
        {350.0, 355.0, 1},   {350.0, 10.0, 1},   {350.0, 20.0, 2},    {350.0, 350.0, 1},
        {350.0, 349.999, 12}, {350.0, 0.0, 1},   {0.0, 0.0, 1},       {0.0, 359.999, 12},
        {0.0, 330.0, 12},    {0.0, 29.999, 1},   {200.0, 5.0, 6},     {200.0, 350.0, 6},  // wrap inside house 6
        {200.0, 349.999, 5}, {200.0, 199.0, 12}, {200.0, 200.0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(house_of(c.longitude, cusps_from(c.first_cusp, 30.0)), c.house)
            << "cusp 1 at " << c.first_cusp << ", body at " << c.longitude;
    }
}

TEST(AnalyzeChart, SiderealShiftsBodiesByTheMeanAyanamshaPlusNutationButNotTheHouses) {
    // Nine bodies in chart order with chosen tropical longitudes and speeds.
    const std::vector<TropicalPosition> bodies = {
        {"Sun", 10.0, 0.0001, 0.983, 1.019},      {"Moon", 190.5, -4.9, 0.0025, 13.2},
        {"Mercury", 365.0, 2.0, 0.8, -0.0001},    {"Venus", -10.0, -1.5, 1.2, 1.2},
        {"Mars", 123.0, 1.1, 1.6, 0.0},           {"Jupiter", 300.0, -0.9, 5.2, -0.0},
        {"Saturn", 250.0, 2.3, 9.8, 0.05},        {"MeanNode", 125.0, 0.0, 1.0, -0.053},
        {"TrueNode", 126.5, 0.0, 1.0, 0.02}};
    const auto analysis = [&](HouseSystem system, Ayanamsha zodiac) {
        return analyze_chart(bodies, natal_chart_config(system, zodiac), RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION);
    };
    const auto tropical = analysis(HouseSystem::Placidus, Ayanamsha::Tropical);
    const auto lahiri = analysis(HouseSystem::Placidus, Ayanamsha::Lahiri);
    // The mean ayanamsha plus the nutation: sidereal longitudes do not nod with the true equinox.
    const double ayanamsha = ayanamsha_degrees(Ayanamsha::Lahiri, JD_2000) + NUTATION;
    EXPECT_EQ(chart_ayanamsha(Ayanamsha::Lahiri, JD_2000, NUTATION), ayanamsha);
    EXPECT_EQ(chart_ayanamsha(Ayanamsha::Tropical, JD_2000, NUTATION), 0.0);
    const HouseCusps expected_houses = house_cusps(HouseSystem::Placidus, RAMC, LATITUDE, OBLIQUITY);
    EXPECT_EQ(lahiri.houses.cusps, expected_houses.cusps);
    EXPECT_EQ(tropical.houses.cusps, expected_houses.cusps);
    EXPECT_EQ(std::pair(lahiri.houses.asc, lahiri.houses.mc), std::pair(expected_houses.asc, expected_houses.mc));
    const bool retrograde[] = {false, false, true, false, false, false, false, true, false};  // speed < 0 only
    ASSERT_EQ(lahiri.planets.size(), bodies.size());
    for (std::size_t index = 0; index < bodies.size(); ++index) {
        EXPECT_EQ(tropical.planets[index].name, bodies[index].name);
        EXPECT_EQ(tropical.planets[index].longitude, normalize_degrees(bodies[index].longitude));
        EXPECT_EQ(lahiri.planets[index].longitude, normalize_degrees(bodies[index].longitude - ayanamsha));
        EXPECT_EQ(lahiri.planets[index].retrograde, retrograde[index]) << bodies[index].name;
    }
    // The Sun at tropical 10° is in sidereal Pisces: sign and dignity follow the sidereal longitude.
    EXPECT_EQ(std::tuple(lahiri.planets[0].sign, lahiri.planets[0].sign_index, lahiri.planets[0].dignity),
              std::tuple(std::string("Pisces"), 11, std::string("Peregrine")));
    EXPECT_EQ(tropical.planets[0].dignity, "Exaltation");
    EXPECT_EQ(lahiri.config_summary, "Houses: Placidus, Zodiac: Lahiri, Rulership: Traditional");
    // Sidereal Whole Sign cusps are the tropical longitudes of the sidereal signs from the ascendant's.
    const auto whole_sign = analysis(HouseSystem::WholeSign, Ayanamsha::Lahiri);
    const int ascendant_sign = sign_index_of(normalize_degrees(whole_sign.houses.asc - ayanamsha));
    for (std::size_t house = 0; house < 12; ++house)
        EXPECT_NEAR(normalize_degrees(whole_sign.houses.cusps[house] - ayanamsha),
                    normalize_degrees(30.0 * (ascendant_sign + house)), 1e-12) << house + 1;
}

TEST(AnalyzeChart, AspectsUseChartIndicesAndTheConfiguredKinds) {
    const std::vector<TropicalPosition> bodies = {
        {"Sun", 10.0, 0.0, 1.0, 1.0}, {"Moon", 100.0, 0.0, 1.0, 13.0}, {"Mercury", 191.0, 0.0, 1.0, 1.5}};
    ChartConfig config = natal_chart_config(HouseSystem::Equal, Ayanamsha::Lahiri);
    const auto analysis = analyze_chart(bodies, config, RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION);
    // Sun square Moon exact, Sun opposite Mercury and Moon square Mercury with orb 1.
    const std::tuple<std::uint64_t, std::uint64_t, AspectKind> expected[] = {
        {0, 1, AspectKind::Square}, {0, 2, AspectKind::Opposition}, {1, 2, AspectKind::Square}};
    ASSERT_EQ(analysis.aspects.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::tuple(analysis.aspects[i].body1, analysis.aspects[i].body2, analysis.aspects[i].kind),
                  expected[i]);
    EXPECT_NEAR(analysis.aspects[1].orb, 1.0, 1e-9);
    config.aspect_kinds.clear();
    EXPECT_TRUE(analyze_chart(bodies, config, RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION).aspects.empty());
    config.rulership = Rulership::Modern;  // natal charts through the module always use the traditional rulers
    EXPECT_EQ(analyze_chart({}, config, RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION).config_summary,
              "Houses: Equal, Zodiac: Lahiri, Rulership: Modern");
}

}  // namespace
}  // namespace zentaric
