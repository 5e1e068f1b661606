#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "vedic/dignity.hpp"

namespace zentaric {
namespace {

// Expected dignities, one row per planet, one letter per sign Aries..Pisces, written from the classical
// rulership and exaltation tables: D domicile, E exaltation, d detriment, F fall, P peregrine.
constexpr std::array<std::string_view, 10> TRADITIONAL_EXPECTED = {
    "EPPPDPFPPPdP",  // Sun
    "PEPDPPPFPdPP",  // Moon
    "PPDPPDPPdPPd",  // Mercury: Virgo domicile beats exaltation, Pisces detriment beats fall
    "dDPPPFDdPPPE",  // Venus
    "DdPFPPdDPEPP",  // Mars
    "PPdEPdPPDFPD",  // Jupiter
    "FPPddPEPPDDP",  // Saturn
    "PPPPPPPPPPPP",  // Uranus
    "PPPPPPPPPPPP",  // Neptune
    "PPPPPPPPPPPP",  // Pluto
};
// Modern rulership changes only Mars to Pluto; Sun to Venus keep their traditional rows.
constexpr std::array<std::string_view, 10> MODERN_EXPECTED = {
    TRADITIONAL_EXPECTED[0], TRADITIONAL_EXPECTED[1], TRADITIONAL_EXPECTED[2], TRADITIONAL_EXPECTED[3],
    "DPPFPPdPPEPP",  // Mars loses Scorpio to Pluto
    "PPdEPPPPDFPP",  // Jupiter loses Pisces to Neptune
    "FPPdPPEPPDPP",  // Saturn loses Aquarius to Uranus
    "PPPPdPPPPPDP",  // Uranus
    "PPPPPdPPPPPD",  // Neptune
    "PdPPPPPDPPPP",  // Pluto
};

Dignity dignity_of_letter(char letter) {
    switch (letter) {
        case 'D': return Dignity::Domicile;
        case 'E': return Dignity::Exaltation;
        case 'd': return Dignity::Detriment;
        case 'F': return Dignity::Fall;
        default: return Dignity::Peregrine;
    }
}

void expect_table(Rulership scheme, const std::array<std::string_view, 10>& expected) {
    for (std::size_t planet = 0; planet < expected.size(); ++planet) {
        for (std::uint8_t sign = 0; sign < 12; ++sign) {
            EXPECT_EQ(dignity_of(static_cast<Planet>(planet), sign, scheme), dignity_of_letter(expected[planet][sign]))
                << rulership_name(scheme) << " planet " << planet << " sign " << int(sign);
        }
    }
}

TEST(Dignity, BothSchemesForEveryPlanetAndSign) {
    expect_table(Rulership::Traditional, TRADITIONAL_EXPECTED);
    expect_table(Rulership::Modern, MODERN_EXPECTED);
}

TEST(ChartBodyDignity, SignFromSiderealLongitude) {
    struct Case {
        std::string_view name;
        double longitude;
        Rulership scheme;
        std::string_view expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"Sun", 0.0, Rulership::Traditional, "Exaltation"},
        {"jupiter", 95.0, Rulership::Traditional, "Exaltation"},
        {"SUN", 120.0, Rulership::Traditional, "Domicile"},          // Leo, names in any case
        {"Sun", 360.0, Rulership::Traditional, "Exaltation"},        // normalised to Aries
        {"Sun", -45.0, Rulership::Traditional, "Detriment"},         // 315, Aquarius
        {"Sun", nan, Rulership::Traditional, "Exaltation"},          // NaN normalises to 0
        {"Pluto", 215.0, Rulership::Modern, "Domicile"},
        {"Sun ", 0.0, Rulership::Traditional, "Peregrine"},  // names match in any case, nothing else
        {"JUP\xC4\xB0TER", 95.0, Rulership::Traditional, "Peregrine"},  // dotted capital I is not ASCII
        {"MeanNode", 0.0, Rulership::Traditional, "Peregrine"},  // Sun's exaltation, Mars' domicile
        {"TrueNode", 215.0, Rulership::Modern, "Peregrine"},     // Pluto's domicile
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chart_body_dignity(c.name, c.longitude, c.scheme), c.expected) << c.name << " " << c.longitude;
    }
}

}  // namespace
}  // namespace zentaric
