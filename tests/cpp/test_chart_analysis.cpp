#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
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
    struct Case {
        double first_cusp;
        double longitude;
        int house;
    };
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

TEST(HouseOf, UnequalCuspsAndDegenerateInputs) {
    const std::array<double, 12> placidus_like = {100.0, 125.0, 155.0, 190.0, 228.0, 256.0,
                                                  280.0, 305.0, 335.0, 10.0,  48.0,  76.0};
    EXPECT_EQ(house_of(100.0, placidus_like), 1);
    EXPECT_EQ(house_of(334.9, placidus_like), 8);
    EXPECT_EQ(house_of(359.0, placidus_like), 9);
    EXPECT_EQ(house_of(5.0, placidus_like), 9);
    EXPECT_EQ(house_of(99.9, placidus_like), 12);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::array<double, 12> nan_cusps;
    nan_cusps.fill(nan);
    EXPECT_EQ(house_of(123.0, nan_cusps), 1);
    EXPECT_EQ(house_of(nan, cusps_from(10.0, 30.0)), 1);
    // All cusps equal: every interval is a full-circle wrap, so the first house takes everything.
    EXPECT_EQ(house_of(200.0, cusps_from(40.0, 0.0)), 1);
}

// Nine bodies in chart order with chosen tropical longitudes and speeds.
std::vector<TropicalPosition> sample_bodies() {
    return {
        {"Sun", 10.0, 0.0001, 0.983, 1.019},      {"Moon", 190.5, -4.9, 0.0025, 13.2},
        {"Mercury", 365.0, 2.0, 0.8, -0.0001},    {"Venus", -10.0, -1.5, 1.2, 1.2},
        {"Mars", 123.0, 1.1, 1.6, 0.0},           {"Jupiter", 300.0, -0.9, 5.2, -0.0},
        {"Saturn", 250.0, 2.3, 9.8, 0.05},        {"MeanNode", 125.0, 0.0, 1.0, -0.053},
        {"TrueNode", 126.5, 0.0, 1.0, 0.02},
    };
}

TEST(AnalyzeChart, TropicalKeepsNormalisedTropicalLongitudes) {
    const auto bodies = sample_bodies();
    const auto analysis =
        analyze_chart(bodies, natal_chart_config(HouseSystem::Placidus, Ayanamsha::Tropical), RAMC, LATITUDE,
                      OBLIQUITY, JD_2000, NUTATION);
    ASSERT_EQ(analysis.planets.size(), bodies.size());
    for (std::size_t index = 0; index < bodies.size(); ++index) {
        const ChartPlanet& planet = analysis.planets[index];
        EXPECT_EQ(planet.name, bodies[index].name);
        EXPECT_EQ(planet.longitude, normalize_degrees(bodies[index].longitude)) << planet.name;
        EXPECT_EQ(planet.latitude, bodies[index].latitude);
        EXPECT_EQ(planet.distance, bodies[index].distance);
        EXPECT_EQ(planet.speed, bodies[index].speed);
    }
    EXPECT_EQ(analysis.planets[0].dignity, "Exaltation");  // Sun in tropical Aries
    EXPECT_EQ(analysis.config_summary, "Houses: Placidus, Zodiac: Tropical, Rulership: Traditional");
}

TEST(AnalyzeChart, SiderealShiftsBodiesButNotHouses) {
    const auto bodies = sample_bodies();
    const auto tropical = analyze_chart(bodies, natal_chart_config(HouseSystem::Placidus, Ayanamsha::Tropical),
                                        RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION);
    const auto lahiri = analyze_chart(bodies, natal_chart_config(HouseSystem::Placidus, Ayanamsha::Lahiri), RAMC,
                                      LATITUDE, OBLIQUITY, JD_2000, NUTATION);
    // The mean ayanamsha plus the nutation: sidereal longitudes do not nod with the true equinox.
    const double ayanamsha = ayanamsha_degrees(Ayanamsha::Lahiri, JD_2000) + NUTATION;
    ASSERT_GT(ayanamsha, 23.0);
    EXPECT_EQ(chart_ayanamsha(Ayanamsha::Lahiri, JD_2000, NUTATION), ayanamsha);
    EXPECT_EQ(chart_ayanamsha(Ayanamsha::Tropical, JD_2000, NUTATION), 0.0);
    const HouseCusps expected_houses = house_cusps(HouseSystem::Placidus, RAMC, LATITUDE, OBLIQUITY);
    for (std::size_t index = 0; index < 12; ++index) {
        EXPECT_EQ(lahiri.houses.cusps[index], expected_houses.cusps[index]);
        EXPECT_EQ(tropical.houses.cusps[index], expected_houses.cusps[index]);
    }
    EXPECT_EQ(lahiri.houses.asc, expected_houses.asc);
    EXPECT_EQ(lahiri.houses.mc, expected_houses.mc);
    for (std::size_t index = 0; index < bodies.size(); ++index) {
        EXPECT_EQ(lahiri.planets[index].longitude, normalize_degrees(bodies[index].longitude - ayanamsha));
        EXPECT_EQ(lahiri.planets[index].house, tropical.planets[index].house) << bodies[index].name;
    }
    // The Sun at tropical 10° is in sidereal Pisces: sign and dignity follow the sidereal longitude.
    EXPECT_EQ(lahiri.planets[0].sign, "Pisces");
    EXPECT_EQ(lahiri.planets[0].sign_index, 11);
    EXPECT_EQ(lahiri.planets[0].dignity, "Peregrine");
    EXPECT_EQ(tropical.planets[0].sign, "Aries");
    EXPECT_EQ(lahiri.config_summary, "Houses: Placidus, Zodiac: Lahiri, Rulership: Traditional");
    // Separations do not depend on the zodiac.
    ASSERT_EQ(lahiri.aspects.size(), tropical.aspects.size());
    for (std::size_t index = 0; index < lahiri.aspects.size(); ++index) {
        EXPECT_EQ(lahiri.aspects[index].body1, tropical.aspects[index].body1);
        EXPECT_EQ(lahiri.aspects[index].body2, tropical.aspects[index].body2);
        EXPECT_EQ(lahiri.aspects[index].kind, tropical.aspects[index].kind);
    }
}

TEST(AnalyzeChart, SiderealWholeSignHousesAreTheChartSigns) {
    const auto bodies = sample_bodies();
    const HouseCusps tropical_houses = house_cusps(HouseSystem::WholeSign, RAMC, LATITUDE, OBLIQUITY);
    for (Ayanamsha zodiac : {Ayanamsha::Tropical, Ayanamsha::Lahiri, Ayanamsha::FaganBradley}) {
        const auto analysis = analyze_chart(bodies, natal_chart_config(HouseSystem::WholeSign, zodiac), RAMC,
                                            LATITUDE, OBLIQUITY, JD_2000, NUTATION);
        const double ayanamsha = chart_ayanamsha(zodiac, JD_2000, NUTATION);
        const int ascendant_sign = sign_index_of(normalize_degrees(tropical_houses.asc - ayanamsha));
        EXPECT_EQ(analysis.houses.asc, tropical_houses.asc);
        EXPECT_EQ(analysis.houses.mc, tropical_houses.mc);
        for (std::size_t house = 0; house < 12; ++house) {
            // Tropical: the sign starts themselves (unchanged); sidereal: their tropical longitudes.
            EXPECT_NEAR(normalize_degrees(analysis.houses.cusps[house] - ayanamsha),
                        normalize_degrees(30.0 * (ascendant_sign + house)), 1e-12)
                << ayanamsha_name(zodiac) << " cusp " << house + 1;
        }
        for (const ChartPlanet& planet : analysis.planets) {
            EXPECT_EQ(planet.house, (planet.sign_index - ascendant_sign + 12) % 12 + 1)
                << ayanamsha_name(zodiac) << " " << planet.name;
        }
    }
}

TEST(AnalyzeChart, RetrogradeOnlyForStrictlyNegativeSpeed) {
    const auto analysis = analyze_chart(sample_bodies(), natal_chart_config(HouseSystem::Equal, Ayanamsha::Tropical),
                                        RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION);
    const bool expected[] = {false, false, true, false, false, false, false, true, false};
    for (std::size_t index = 0; index < std::size(expected); ++index) {
        EXPECT_EQ(analysis.planets[index].retrograde, expected[index]) << analysis.planets[index].name;
    }
}

TEST(AnalyzeChart, AspectsUseChartIndicesAndTheConfiguredKinds) {
    const std::vector<TropicalPosition> bodies = {
        {"Sun", 10.0, 0.0, 1.0, 1.0}, {"Moon", 100.0, 0.0, 1.0, 13.0}, {"Mercury", 191.0, 0.0, 1.0, 1.5}};
    ChartConfig config = natal_chart_config(HouseSystem::Equal, Ayanamsha::Lahiri);
    const auto analysis = analyze_chart(bodies, config, RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION);
    ASSERT_EQ(analysis.aspects.size(), 3u);
    EXPECT_EQ(analysis.aspects[0].body1, 0u);  // Sun square Moon, exact
    EXPECT_EQ(analysis.aspects[0].body2, 1u);
    EXPECT_EQ(analysis.aspects[0].kind, AspectKind::Square);
    EXPECT_EQ(analysis.aspects[1].body1, 0u);  // Sun opposite Mercury, orb 1
    EXPECT_EQ(analysis.aspects[1].body2, 2u);
    EXPECT_EQ(analysis.aspects[1].kind, AspectKind::Opposition);
    EXPECT_NEAR(analysis.aspects[1].orb, 1.0, 1e-9);
    EXPECT_EQ(analysis.aspects[2].body1, 1u);  // Moon square Mercury, orb 1
    EXPECT_EQ(analysis.aspects[2].body2, 2u);
    EXPECT_EQ(analysis.aspects[2].kind, AspectKind::Square);
    config.aspect_kinds.clear();
    EXPECT_TRUE(analyze_chart(bodies, config, RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION).aspects.empty());
}

TEST(AnalyzeChart, SummaryNamesModernRulership) {
    ChartConfig modern = natal_chart_config(HouseSystem::WholeSign, Ayanamsha::FaganBradley);
    modern.rulership = Rulership::Modern;
    EXPECT_EQ(analyze_chart({}, modern, RAMC, LATITUDE, OBLIQUITY, JD_2000, NUTATION).config_summary,
              "Houses: WholeSign, Zodiac: FaganBradley, Rulership: Modern");
}

}  // namespace
}  // namespace zentaric
