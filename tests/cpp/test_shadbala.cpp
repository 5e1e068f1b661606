#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "vedic/shadbala.hpp"

namespace zentaric {
namespace {

// A chart laid out by hand (sidereal): lagna Aries 0°, MC Capricorn 0°, ayanamsha 24°, obliquity 23.44°; Sun Aries
// 11°, Moon Libra 10°, Mars Cancer 10°, Mercury Pisces 20°, Jupiter Sagittarius 5°, Venus Taurus 10°, Saturn
// Aquarius 5°. Born 0.2 day after a sunrise, 12-hour day (sunset +0.5, next sunrise +1.0), the Sun 18° east of the
// meridian, on ahargana 765.
ShadbalaInputs worked_chart() {
    ShadbalaInputs in{};
    in.sidereal = {11, 190, 100, 350, 245, 40, 305, 200, 20};
    in.ayanamsha = 24;
    in.lagna = 0;
    in.mc = 270;
    in.obliquity = 23.44;
    in.sunrise = 2451545.0;
    in.jd_ut = in.jd_tt = in.sunrise + 0.2;
    in.sunset = in.sunrise + 0.5;
    in.next_sunrise = in.sunrise + 1.0;
    in.sun_hour_angle = -18;
    in.ahargana = 765;
    return in;
}

TEST(Shadbala, WorkedChartSunPartByPart) {
    const ShadbalaParts sun = shadbala(worked_chart(), RequiredStrength::Bphs)[0].parts;
    EXPECT_NEAR(sun.uchcha, 179.0 / 3, 1e-12);  // 1° from deep exaltation (Aries 10°): (180 − 1) / 3
    // D1 Aries (Mars: natural friend, 4th sign so temporal friend: great friend 22.5); D2 odd sign first half Leo
    // (own 30); D3 second decanate, the 5th sign Leo (30); D7 part 2 of an odd sign, Gemini (Mercury: neutral, the
    // 12th sign so temporal friend: friend 15); D9 part 3 from Aries, Cancer (Moon: friend, 7th sign so temporal
    // enemy: neutral 7.5); D12 part 4, Leo (30); D30 10-18° of an odd sign, Sagittarius (Jupiter: friend, 9th sign:
    // neutral 7.5). 22.5 + 30 + 30 + 15 + 7.5 + 30 + 7.5.
    EXPECT_DOUBLE_EQ(sun.saptavargaja, 142.5);
    EXPECT_EQ(sun.ojayugma, 15);    // odd sign 15, even navamsha (Cancer) 0
    EXPECT_EQ(sun.kendra, 60);      // house 1
    EXPECT_EQ(sun.drekkana, 0);     // a male planet gains only in the first decanate
    EXPECT_NEAR(sun.dig, 79.0 / 3, 1e-12);  // from the lower meridian (90°): 79°
    EXPECT_NEAR(sun.nathonnata, 54, 1e-12);  // 162° from midnight / 3
    EXPECT_NEAR(sun.paksha, 60 - 179.0 / 3, 1e-12);  // malefic: 60 − (Moon − Sun = 179°) / 3
    EXPECT_EQ(sun.tribhaga, 60);    // 0.2 of a 0.5-day daytime: the middle third, the Sun's
    // Year from day 720, (5 + 720) mod 7 = 4 Jupiter; month from day 750, Saturday, Saturn; day 765, (5 + 765) mod 7
    // = 0 Sunday, the Sun; hora 4 (4.8 hours) from the Sun in Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon: Saturn.
    EXPECT_EQ(sun.abda, 0);
    EXPECT_EQ(sun.masa, 0);
    EXPECT_EQ(sun.vara, 45);
    EXPECT_EQ(sun.hora, 0);
    // Tropical 35°: kranti asin(sin 23.44° sin 35°) = 13.18889°; 60 (24 + 13.18889) / 48 = 46.48611, doubled.
    EXPECT_NEAR(sun.ayana, 92.97223, 1e-5);
    EXPECT_NEAR(sun.cheshta, 46.48611, 1e-5);
    EXPECT_DOUBLE_EQ(sun.naisargika, 60);
    // Moon (waxing, benefic) 181° behind: (300 − 181) / 2 = 59.5; Mars 271°: 14.5 (malefic); Jupiter 126°: 24 + 30;
    // Saturn 66°: 21 + 45 capped at 60 (malefic); Mercury 21° and Venus 331°: none. (59.5 − 14.5 + 54 − 60) / 4.
    EXPECT_NEAR(sun.drik, 9.75, 1e-12);
    EXPECT_EQ(sun.yuddha, 0);
    EXPECT_NEAR(sun.total(), 672.04168, 1e-5);
}

TEST(Shadbala, WorkedChartSaturnPartByPart) {
    const ShadbalaParts saturn = shadbala(worked_chart(), RequiredStrength::Bphs)[6].parts;
    EXPECT_NEAR(saturn.uchcha, 25, 1e-12);  // 105° from deep exaltation (Libra 20°): (180 − 105) / 3
    // Aquarius 5°, where parts begin at 5° (a part holds its start): D1 moolatrikona (Aquarius 0-20°) 45; D2 odd
    // sign first half, Leo (Sun: enemy, the 3rd sign so temporal friend: neutral 7.5); D3 first decanate, Aquarius
    // (own 30); D7 part 2 of an odd sign, Pisces (Jupiter: neutral, the 11th sign: friend 15); D9 air sign from
    // Libra, part 2 Scorpio (Mars: enemy, the 6th sign: great enemy 1.875); D12 part 3, Aries (Mars again 1.875); D30
    // 5-10° of an odd sign, Saturn's own Aquarius (30). 45 + 7.5 + 30 + 15 + 1.875 + 1.875 + 30.
    EXPECT_DOUBLE_EQ(saturn.saptavargaja, 131.25);
    EXPECT_EQ(saturn.ojayugma, 15);   // odd sign 15, even navamsha (Scorpio) 0
    EXPECT_EQ(saturn.kendra, 30);     // house 11, a panapara
    EXPECT_EQ(saturn.drekkana, 0);    // a neuter planet gains only in the second decanate
    EXPECT_NEAR(saturn.dig, 55.0 / 3, 1e-12);  // 55° from its powerless point, the ascendant
    EXPECT_NEAR(saturn.nathonnata, 6, 1e-12);  // nocturnal: (180 − 162) / 3
    EXPECT_NEAR(saturn.paksha, 1.0 / 3, 1e-12);  // malefic: 60 − 179 / 3
    EXPECT_EQ(saturn.tribhaga + saturn.abda + saturn.vara, 0);
    EXPECT_EQ(saturn.masa + saturn.hora, 90);  // lord of the month and of the hour
    // Tropical 329°: kranti asin(sin 23.44° sin 329°) = −11.82225°, counted south for Saturn: 60 (24 + 11.82225) / 48.
    EXPECT_NEAR(saturn.ayana, 44.77782, 1e-5);
    // T = 0.2 day / 36525: mean Saturn 50.08414°, mean Sun 280.66359°; true 329° is 278.91586° (−81.08414°) from
    // the mean, halved −40.54207°: 9.54207°, 271.12152° from the mean Sun, reduced 88.87848°, / 3.
    EXPECT_NEAR(saturn.cheshta, 29.62616, 1e-5);
    // Sun 294° behind: (300 − 294) / 2 = 3, malefic; Moon (waxing) 115°: 32.5; Mars 205°: 47.5, malefic; Mercury
    // 315°: none; Jupiter 60°: 15; Venus 265°: 17.5. (−3 + 32.5 − 47.5 + 15 + 17.5) / 4.
    EXPECT_NEAR(saturn.drik, 3.625, 1e-12);
    EXPECT_NEAR(saturn.total(), 402.51707, 1e-5);
}

TEST(Shadbala, WorkedChartMoonPartByPart) {
    const ShadbalaParts moon = shadbala(worked_chart(), RequiredStrength::Bphs)[1].parts;
    EXPECT_NEAR(moon.uchcha, 23.0 / 3, 1e-12);  // 157° from deep exaltation (Taurus 3°)
    // Libra 10°, on the boundary of D9 and D30 parts (the part starting there). Every lord is a natural neutral of
    // the Moon but the Sun (friend); D1 Libra, Venus in the 8th: enemy 3.75; D2 odd sign first half, Leo (Sun, the
    // 7th: neutral 7.5); D3 second decanate, Aquarius (Saturn in the 5th: enemy 3.75); D7 part 3 of an odd sign,
    // Sagittarius (Jupiter in the 3rd: friend 15); D9 air sign from Libra, part 4 Capricorn (Saturn: 3.75); D12 part
    // 5, Aquarius (3.75); D30 10-18° of an odd sign, Jupiter's Sagittarius (15).
    EXPECT_DOUBLE_EQ(moon.saptavargaja, 52.5);
    EXPECT_EQ(moon.ojayugma, 15);    // a feminine planet: odd sign 0, even navamsha (Capricorn) 15
    EXPECT_EQ(moon.kendra, 60);      // house 7
    EXPECT_EQ(moon.drekkana, 0);     // a feminine planet gains only in the third decanate
    EXPECT_NEAR(moon.dig, 80.0 / 3, 1e-12);      // 80° from its powerless point, the midheaven
    EXPECT_NEAR(moon.nathonnata, 6, 1e-12);      // nocturnal: (180 − 162) / 3
    EXPECT_NEAR(moon.paksha, 2 * 179.0 / 3, 1e-12);  // 179° from the Sun, as a benefic, doubled
    EXPECT_EQ(moon.tribhaga + moon.abda + moon.masa + moon.vara + moon.hora, 0);
    // Tropical 214°: kranti −12.85242°, counted south for the Moon: 60 (24 + 12.85242) / 48.
    EXPECT_NEAR(moon.ayana, 46.06552, 1e-5);
    EXPECT_NEAR(moon.cheshta, 179.0 / 3, 1e-12);  // its paksha bala, not doubled
    // Sun 179° behind: 58 (malefic); Mars 90°: 45 + 15 (malefic); Mercury 200°: 50; Jupiter 305°: none; Venus
    // 150°: 0; Saturn 245°: 27.5 (malefic). (−58 − 60 + 50 − 27.5) / 4.
    EXPECT_NEAR(moon.drik, -23.875, 1e-12);
    EXPECT_NEAR(moon.total(), 420.45243, 1e-5);
}

TEST(Shadbala, WorkedChartLordsOfTimeGoToTheirPlanets) {
    const auto bala = shadbala(worked_chart(), RequiredStrength::Raman);
    EXPECT_EQ(bala[4].parts.abda, 15);      // Jupiter's year
    EXPECT_EQ(bala[6].parts.masa, 30);      // Saturn's month
    EXPECT_EQ(bala[6].parts.hora, 60);      // and hour
    EXPECT_EQ(bala[4].parts.tribhaga, 60);  // Jupiter always
    EXPECT_EQ(bala[3].parts.nathonnata, 60);  // Mercury always
    EXPECT_EQ(bala[0].required, 5);         // B.V. Raman's minimum for the Sun
    // Mars (Cancer 10°) is 162° from its deep exaltation (Capricorn 28°): (180 − 162) / 3.
    EXPECT_NEAR(bala[2].parts.uchcha, 6, 1e-12);
}

TEST(Shadbala, EveryPartInItsClassicalRangeAndWarIsZeroSum) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> degrees(0, 360), fraction(0, 1), hour_angle(-180, 180);
    constexpr double NATURAL[] = {60, 360.0 / 7, 120.0 / 7, 180.0 / 7, 240.0 / 7, 300.0 / 7, 60.0 / 7};
    int wars = 0;
    for (int chart = 0; chart < 3000; ++chart) {
        ShadbalaInputs in = worked_chart();
        for (double& longitude : in.sidereal) longitude = degrees(random);
        if (chart % 3 == 0) in.sidereal[3] = in.sidereal[2] + fraction(random) - 0.5;  // Mars and Mercury at war
        in.lagna = degrees(random);
        in.mc = in.lagna - 90 + 40 * (fraction(random) - 0.5);
        in.ayanamsha = 20 + 5 * fraction(random);
        in.sunset = in.sunrise + 0.3 + 0.4 * fraction(random);
        in.jd_ut = in.jd_tt = in.sunrise + fraction(random);
        in.sun_hour_angle = hour_angle(random);
        in.ahargana = static_cast<std::int64_t>(1.9e6 * fraction(random));
        const auto bala = shadbala(in, RequiredStrength::Bphs);
        double war = 0;
        for (std::size_t p = 0; p < 7; ++p) {
            const ShadbalaParts& s = bala[p].parts;
            for (double part : {s.uchcha, s.dig, s.nathonnata, s.tribhaga, s.cheshta}) {
                EXPECT_GE(part, 0);
                EXPECT_LE(part, 60);
            }
            EXPECT_GE(s.paksha, 0);
            EXPECT_LE(s.paksha, p == 1 ? 120 : 60);
            EXPECT_GE(s.ayana, 0);
            EXPECT_LE(s.ayana, p == 0 ? 120 : 60);
            EXPECT_LE(s.saptavargaja, 7 * 45);
            for (auto [part, full] : {std::pair{s.abda, 15.0}, {s.masa, 30.0}, {s.vara, 45.0}, {s.hora, 60.0}})
                EXPECT_TRUE(part == 0 || part == full);
            EXPECT_LE(std::abs(s.drik), 6 * 15);
            EXPECT_DOUBLE_EQ(s.naisargika, NATURAL[p]);
            EXPECT_NEAR(bala[p].rupas * 60, bala[p].total, 1e-9);
            war += s.yuddha;
            wars += s.yuddha != 0;
        }
        EXPECT_NEAR(war, 0, 1e-9);
        for (const BhavaBala& house : bhava_bala(in, bala)) {
            EXPECT_GE(house.dig, 0);
            EXPECT_LE(house.dig, 60);
        }
    }
    EXPECT_GT(wars, 1000);
}

}  // namespace
}  // namespace zentaric
