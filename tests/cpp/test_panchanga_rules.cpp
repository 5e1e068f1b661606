// The panchanga's rules over given times: kalams and muhurtas, karana names, the lunar month and the assembly of
// days, each checked against the rule as the texts state it (not against the tables of the core).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "panchanga/day.hpp"
#include "panchanga/kalam.hpp"
#include "panchanga/limb.hpp"
#include "panchanga/masa.hpp"

namespace zentaric {
namespace {

// The eighths of the daytime are ruled by the weekday lords in weekday order from the day's own lord; Gulika is
// Saturn's eighth and Yamaganda Jupiter's. Rahu kalam by the mnemonic "Mother Saw Father Wearing The Turban
// Suitably": Monday 2, Saturday 3, Friday 4, Wednesday 5, Thursday 6, Tuesday 7, Sunday 8.
TEST(Kalam, EighthsOfTheDaytimeAsTheTextsCountThem) {
    const std::array<int, 7> rahu_by_weekday = {8, 2, 7, 5, 6, 4, 3};
    const std::array<int, 7> rahu_mnemonic_days = {1, 6, 5, 3, 4, 2, 0};  // parts 2..8 in mnemonic order
    for (int part = 2; part <= 8; ++part) EXPECT_EQ(rahu_by_weekday[rahu_mnemonic_days[part - 2]], part);
    const double sunrise = 2461000.75, sunset = 2461001.25;  // a twelve-hour day: an eighth is 1.5 hours
    for (std::uint8_t weekday = 0; weekday < 7; ++weekday) {
        const int lord_part[] = {(6 - weekday + 7) % 7 + 1, (4 - weekday + 7) % 7 + 1, rahu_by_weekday[weekday]};
        const Kalam kinds[] = {Kalam::Gulika, Kalam::Yamaganda, Kalam::Rahu};
        for (int k = 0; k < 3; ++k) {
            const Interval span = kalam(kinds[k], weekday, sunrise, sunset);
            EXPECT_NEAR(span.start, sunrise + (lord_part[k] - 1) * 1.5 / 24.0, 1e-9) << int(weekday) << " " << k;
            EXPECT_NEAR(span.end - span.start, 1.5 / 24.0, 1e-9);
        }
    }
}

TEST(Kalam, AbhijitHoldsLocalNoonAndBrahmaMuhurtaEndsOneMuhurtaBeforeSunrise) {
    const Interval abhijit = abhijit_muhurta(2461000.75, 2461001.25);
    EXPECT_NEAR((abhijit.start + abhijit.end) / 2.0, 2461001.0, 1e-9);
    EXPECT_NEAR(abhijit.end - abhijit.start, 48.0 / 1440.0, 1e-9);     // 48 minutes of a 12-hour day
    const Interval brahma = brahma_muhurta(2461000.25, 2461000.75);  // a 12-hour night
    EXPECT_NEAR(brahma.end, 2461000.75 - 48.0 / 1440.0, 1e-9);
    EXPECT_NEAR(brahma.start, 2461000.75 - 96.0 / 1440.0, 1e-9);
}

// Vishti (Bhadra) falls in the second half of Shukla Chaturthi and Ekadashi and of Krishna Tritiya and Dashami,
// and in the first half of Shukla Ashtami and Purnima and of Krishna Saptami and Chaturdashi; the month opens with
// Kimstughna and closes with Shakuni, Chatushpada and Naga.
TEST(Karana, NamesOfTheMonthsSixtyHalfTithis) {
    const int vishti_halves[][2] = {{4, 2}, {8, 1}, {11, 2}, {15, 1}, {18, 2}, {22, 1}, {25, 2}, {29, 1}};
    int vishti = 0;
    for (std::uint8_t number = 1; number <= 60; ++number) vishti += karana_name_row(number) == 6;
    EXPECT_EQ(vishti, 8);
    for (const auto& [tithi, half] : vishti_halves)
        EXPECT_EQ(karana_name_row(static_cast<std::uint8_t>(2 * tithi - 2 + half)), 6) << tithi;
    EXPECT_EQ(karana_name_row(1), 10);
    EXPECT_EQ(karana_name_row(2), 0);  // Bava opens the movable cycle
    EXPECT_EQ(karana_name_row(58), 7);
    EXPECT_EQ(karana_name_row(59), 8);
    EXPECT_EQ(karana_name_row(60), 9);
}

TEST(Masa, NamedFromTheSignTheSunEntersWithAdhikaAndKshaya) {
    EXPECT_EQ(amanta_month(11, 1).masa, 0);  // the Sun in Pisces at the new moon: Chaitra
    EXPECT_EQ(amanta_month(0, 1).masa, 1);   // in Aries: Vaishakha
    const LunarMonth adhika = amanta_month(3, 0);
    EXPECT_TRUE(adhika.adhika);
    EXPECT_EQ(adhika.masa, 4);  // adhika Shravana: no ingress while the Sun stays in Cancer
    const LunarMonth kshaya = amanta_month(7, 2);
    EXPECT_FALSE(kshaya.adhika);
    EXPECT_EQ(kshaya.masa, 8);  // Margashirsha, with Pausha skipped
    EXPECT_EQ(kshaya.kshaya, 9);
    EXPECT_EQ(ritu_of(0), 0);
    EXPECT_EQ(ritu_of(3), 1);
    EXPECT_EQ(ritu_of(11), 5);
    EXPECT_TRUE(is_uttarayana(9));
    EXPECT_FALSE(is_uttarayana(3));
}

// Lunations of 29.5 days from day 0 with full moons between; the Sun enters a sign every 30 days from day 5 (so the
// lunation from day 59 to 88.5 holds no ingress: day 95 is the next), Pisces first.
struct Sky {
    std::vector<double> new_moons, full_moons;
    std::vector<Crossing> sankrantis;
    Sky() {
        for (int k = 0; k < 6; ++k) new_moons.push_back(29.5 * k), full_moons.push_back(29.5 * k + 14.75);
        for (int k = 0; k < 6; ++k) sankrantis.push_back({-25.0 + 30.0 * k, static_cast<std::uint8_t>((11 + k) % 12)});
    }
};

TEST(Masa, PurnimantaMonthIsTheNextAmantaMonthInTheDarkHalf) {
    const Sky sky;
    MonthsAt months{};
    ASSERT_TRUE(months_at(sky.new_moons, sky.full_moons, sky.sankrantis, 10.0, months));
    EXPECT_EQ(months.amanta.masa, 0);  // Pisces at the new moon of day 0, Aries entered on day 5
    EXPECT_EQ(months.purnimanta.masa, 0);
    ASSERT_TRUE(months_at(sky.new_moons, sky.full_moons, sky.sankrantis, 20.0, months));
    EXPECT_EQ(months.purnimanta.masa, 1);  // after the full moon: the month ending at the next one
    ASSERT_TRUE(months_at(sky.new_moons, sky.full_moons, sky.sankrantis, 60.0, months));
    EXPECT_EQ(months.amanta.masa, 2);
    EXPECT_FALSE(months.amanta.adhika);
    EXPECT_FALSE(months_at(sky.new_moons, sky.full_moons, sky.sankrantis, 130.0, months));  // no month after it
}

TEST(Days, LimbsRunFromTheOnePrevailingAtSunriseToTheOneAtTheNextWithASkippedOneShown) {
    const Sky sky;
    const std::vector<double> sunrises = {10.25, 11.25}, sunsets = {9.75, 10.75}, moonrises = {10.5, 11.3};
    // Tithi 5 from 9.9 to 10.25 exactly (a limb starting at sunrise prevails), 6 skipped inside, 8 at next sunrise.
    const std::vector<Crossing> tithis = {{9.9, 5}, {10.25, 6}, {10.6, 7}, {11.0, 8}, {11.9, 9}};
    const std::vector<Crossing> others = {{9.0, 3}, {12.0, 4}};  // one limb spanning both sunrises
    DayMoments moments{sunrises, sunsets, moonrises, {}, {tithis, others, others, others},
                       sky.new_moons, sky.full_moons, sky.sankrantis, 4};
    std::array<PanchangaDay, 1> days{};
    ASSERT_TRUE(assemble_days(moments, days).ok());
    const PanchangaDay& day = days[0];
    EXPECT_EQ(day.limbs[0].first, 1u);
    EXPECT_EQ(day.limbs[0].count, 3u);  // 6 at sunrise, 7 wholly inside, 8 at the next sunrise
    EXPECT_EQ(day.limbs[1].count, 1u);
    EXPECT_EQ(day.moonrise, 10.5);
    EXPECT_TRUE(std::isnan(day.moonset));
    EXPECT_EQ(day.vara, 4);
    EXPECT_NEAR(day.kalams[0].start, 10.25 + 5 * 0.5 / 8, 1e-12);  // Thursday: Rahu in the sixth eighth
    const std::vector<Crossing> short_tithis = {{10.0, 5}, {11.0, 6}};  // nothing after the next sunrise
    moments.crossings[0] = short_tithis;
    EXPECT_FALSE(assemble_days(moments, days).ok());
}

}  // namespace
}  // namespace zentaric
