#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <sstream>
#include <string_view>

#include "vedic/dignity.hpp"

namespace zentaric {
namespace {

TEST(Dignity, BothSchemesForEveryPlanetAndSignAsTheClassicalTables) {
    std::ifstream in(std::string(ZENTARIC_SOURCE_DIR) + "/tests/data/dignities_by_sign.txt");
    const std::string letters = "DEdFP";  // in the order of enum class Dignity
    std::string line, scheme, planet, signs;
    int rows = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream(line) >> scheme >> planet >> signs;
        const Rulership rulership = scheme == "Modern" ? Rulership::Modern : Rulership::Traditional;
        for (std::uint8_t sign = 0; sign < 12; ++sign)
            EXPECT_EQ(dignity_of(static_cast<Planet>(rows % 10), sign, rulership),
                      static_cast<Dignity>(letters.find(signs.at(sign))))
                << scheme << " " << planet << " sign " << int(sign);
        ++rows;
    }
    EXPECT_EQ(rows, 20);
}

TEST(ChartBodyDignity, SignFromSiderealLongitude) {
    struct Case { std::string_view name; double longitude; Rulership scheme; std::string_view expected; };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"Sun", 0.0, Rulership::Traditional, "Exaltation"},
        {"Jupiter", 95.0, Rulership::Traditional, "Exaltation"},
        {"Sun", 120.0, Rulership::Traditional, "Domicile"},          // Leo
        {"Sun", 360.0, Rulership::Traditional, "Exaltation"},        // normalised to Aries
        {"Sun", -45.0, Rulership::Traditional, "Detriment"},         // 315, Aquarius
        {"Sun", nan, Rulership::Traditional, "Exaltation"},          // NaN normalises to 0
        {"Pluto", 215.0, Rulership::Modern, "Domicile"},
        {"MeanNode", 0.0, Rulership::Traditional, "Peregrine"},  // Sun's exaltation, Mars' domicile
        {"TrueNode", 215.0, Rulership::Modern, "Peregrine"},     // Pluto's domicile
    };
    for (const Case& c : cases)
        EXPECT_EQ(chart_body_dignity(c.name, c.longitude, c.scheme), c.expected) << c.name << " " << c.longitude;
}

}  // namespace
}  // namespace zentaric
