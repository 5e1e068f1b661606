#include <gtest/gtest.h>

#include <string>

#include "chart/natal_chart.hpp"
#include "ephemeris/apparent.hpp"
#include "format/chart_json.hpp"
#include "houses/house_cusps.hpp"
#include "time/angles.hpp"

namespace zentaric {
namespace {

struct Birth {
    std::int32_t year;
    std::uint32_t month, day, hour, minute;
};

Result<std::string> chart(Birth birth, std::string_view ayanamsha = "Lahiri", std::string_view houses = "Placidus",
                          double latitude = 51.5, double longitude = -0.12) {
    return natal_chart_json(birth.year, birth.month, birth.day, birth.hour, birth.minute, latitude, longitude,
                            ayanamsha, houses);
}

std::string error_of(const Result<std::string>& result) { return result.ok() ? "(ok)" : result.error().message; }

// The number after "key": in a compact JSON text.
double number_after(const std::string& text, const std::string& key, std::size_t from = 0) {
    const std::size_t at = text.find("\"" + key + "\":", from);
    return at == std::string::npos ? NAN : std::stod(text.substr(at + key.size() + 3));
}

// The failures and their texts, in order, are checked through the module in tests/python/test_error_mapping.py.
constexpr Birth J2000_NOON = {2000, 1, 1, 12, 0};

TEST(NatalChart, J2000DocumentUnderLahiriAndTropical) {
    const auto lahiri = chart(J2000_NOON);
    ASSERT_TRUE(lahiri.ok()) << error_of(lahiri);
    EXPECT_NE(lahiri.value().find(R"("julian_day":2451545.0,)"), std::string::npos);
    EXPECT_NE(lahiri.value().find(R"("config_summary":"Houses: Placidus, Zodiac: Lahiri, Rulership: Traditional")"),
              std::string::npos);
    EXPECT_EQ(lahiri.value().rfind(R"({"aspects":[)", 0), 0u);

    const auto tropical = chart(J2000_NOON, "Tropical");
    ASSERT_TRUE(tropical.ok());
    const std::string& text = tropical.value();
    EXPECT_NE(text.find(R"("ayanamsha_value":0.0,)"), std::string::npos);
    // Each body's longitude is its normalised apparent tropical longitude (the batch path agrees with
    // position_and_speed to well within 1e-9°).
    const AnalyticalEphemeris ephemeris;
    std::size_t from = text.find("\"planets\":");
    for (const ChartBody& row : CHART_BODIES) {
        from = text.find("\"name\":\"" + std::string(row.name) + "\"", from);
        ASSERT_NE(from, std::string::npos) << row.name;
        const std::size_t object_start = text.rfind('{', from);
        const auto single = position_and_speed(ephemeris, row.body, 2451545.0).value();
        EXPECT_NEAR(number_after(text, "longitude", object_start), normalize_degrees(single.longitude * RAD_TO_DEG),
                    1e-9)
            << row.name;
        EXPECT_NEAR(number_after(text, "speed", object_start), single.speed, 1e-9) << row.name;
    }
}

TEST(NatalChart, HousesFromMeanObliquityAndRamcOfThePlace) {
    // Greenwich at J2000.0 noon: RAMC = apparent sidereal time 280.45707° (GMST 280.46062° (Meeus 12.4),
    // equation of the equinoxes −13.93″ × cos 23.44° = −0.00355°); the houses take the mean obliquity 23.43928°,
    // not the true one (23.43768°), which would move the ascendant by about 0.001°.
    const auto text = chart(J2000_NOON, "Tropical", "Equal", 0.0, 0.0);
    ASSERT_TRUE(text.ok());
    const HouseCusps expected = house_cusps(HouseSystem::Equal, 280.45707, 0.0, 23.439279);
    EXPECT_NEAR(number_after(text.value(), "asc"), expected.asc, 2e-5);
    EXPECT_NEAR(number_after(text.value(), "mc"), expected.mc, 2e-5);
}

TEST(NatalChart, PolarFallbackKeepsRequestedSystem) {
    const auto text = chart(J2000_NOON, "Lahiri", "placidus", 80.0, 10.0);
    ASSERT_TRUE(text.ok());
    EXPECT_NE(text.value().find(R"("polar_fallback":true,"system":"Placidus"})"), std::string::npos);
    EXPECT_NE(text.value().find(R"("config_summary":"Houses: Placidus,)"), std::string::npos);
}

}  // namespace
}  // namespace zentaric
