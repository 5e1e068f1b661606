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

// Lunations of 29.5 days from day 0, the Sun moving 0.98° a day from 355° (Pisces): the second lunation holds
// no sankranti once the Sun is slowed to stay in Taurus (an adhika month).
const std::vector<NewMoon> NEW_MOONS = {{0.0, 355.0}, {29.5, 23.9}, {59.0, 52.0}, {88.5, 59.5}, {118.0, 88.4}};

TEST(Masa, AdhikaMonthAndThePurnimantaMonthOfTheDarkHalf) {
    MonthsAt months{};
    ASSERT_TRUE(months_at(NEW_MOONS, 10.0, true, months));
    EXPECT_EQ(months.amanta.masa, 0);  // Pisces at the opening new moon, Aries entered: Chaitra
    EXPECT_EQ(months.purnimanta.masa, 0);
    ASSERT_TRUE(months_at(NEW_MOONS, 20.0, false, months));
    EXPECT_EQ(months.purnimanta.masa, 1);  // after the full moon: the month ending at the next one
    ASSERT_TRUE(months_at(NEW_MOONS, 60.0, true, months));
    EXPECT_EQ(months.amanta.masa, 2);
    EXPECT_TRUE(months.amanta.adhika);  // the Sun stays in Taurus from 52° to 59.5°: adhika Jyeshtha
    ASSERT_TRUE(months_at(NEW_MOONS, 50.0, false, months));
    EXPECT_EQ(months.purnimanta.masa, 2);  // Vaishakha's dark half opens nija Jyeshtha, before the adhika month
    EXPECT_FALSE(months.purnimanta.adhika);
    ASSERT_TRUE(months_at(NEW_MOONS, 80.0, false, months));
    EXPECT_EQ(months.purnimanta.masa, 2);  // the adhika month's dark half is its own in both reckonings
    EXPECT_TRUE(months.purnimanta.adhika);
    EXPECT_FALSE(months_at(NEW_MOONS, 100.0, true, months));  // no new moon after the closing one
}

TEST(Days, LimbsRunFromTheOnePrevailingAtSunriseToTheOneAtTheNextWithASkippedOneShown) {
    const std::vector<std::uint8_t> sun_signs = {0};
    const std::vector<double> sunrises = {10.25, 11.25}, sunsets = {9.75, 10.75}, moonrises = {10.5, 11.3};
    // Tithi 5 from 9.9 to 10.25 exactly (a limb starting at sunrise prevails), 6 skipped inside, 8 at next sunrise.
    const std::vector<Crossing> tithis = {{9.9, 5}, {10.25, 6}, {10.6, 7}, {11.0, 8}, {11.9, 9}};
    const std::vector<Crossing> others = {{9.0, 3}, {12.0, 4}};  // one limb spanning both sunrises
    DayMoments moments{sunrises, sunsets, moonrises, {}, {tithis, others, others, others}, NEW_MOONS, sun_signs, 4};
    std::array<PanchangaDay, 1> days{};
    ASSERT_TRUE(assemble_days(moments, days).ok());
    const PanchangaDay& day = days[0];
    EXPECT_EQ(day.limbs[0].first, 1u);
    EXPECT_EQ(day.limbs[0].count, 3u);  // 6 at sunrise, 7 wholly inside, 8 at the next sunrise
    EXPECT_EQ(day.limbs[1].count, 1u);
    EXPECT_EQ(day.moonrise, 10.5);
    EXPECT_TRUE(std::isnan(day.moonset));
    EXPECT_EQ(day.vara, 4);
    EXPECT_EQ(day.months.amanta.masa, 0);
    EXPECT_TRUE(day.uttarayana);
    EXPECT_NEAR(day.kalams[0].start, 10.25 + 5 * 0.5 / 8, 1e-12);  // Thursday: Rahu in the sixth eighth
    const std::vector<Crossing> short_tithis = {{10.0, 5}, {11.0, 6}};  // nothing after the next sunrise
    moments.crossings[0] = short_tithis;
    EXPECT_FALSE(assemble_days(moments, days).ok());
}

}  // namespace
}  // namespace zentaric
