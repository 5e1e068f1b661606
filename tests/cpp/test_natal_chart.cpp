// The natal chart's houses take the RAMC of the place and the mean obliquity (the document itself, its members,
// Julian Day and ayanamsha through the module: tests/python/test_properties.py, test_sidereal_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "format/chart_json.hpp"
#include "houses/house_cusps.hpp"

namespace zentaric {
namespace {

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
