// Vimshottari dasha: maha dasha table, balance, depth, the cut at birth, and the JSON text.
#include "vedic/dasha.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace zentaric {
namespace {

constexpr double J2000_JD = 2451545.0;
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
constexpr double INFINITE = std::numeric_limits<double>::infinity();

std::size_t count_periods(const std::vector<DashaPeriod>& periods) {
    std::size_t count = periods.size();
    for (const DashaPeriod& period : periods) count += count_periods(period.sub_periods);
    return count;
}

std::vector<DashaLord> lords_of(const std::vector<DashaPeriod>& periods) {
    std::vector<DashaLord> lords;
    for (const DashaPeriod& period : periods) lords.push_back(period.lord);
    return lords;
}

// Checks at every depth: the level, duration = end − start (to the rounding of the Julian Day), and that the
// sub-periods tile their parent. Returns the number of periods seen.
std::size_t expect_consistent_periods(const std::vector<DashaPeriod>& periods, std::uint8_t level,
                                      std::uint8_t max_level) {
    std::size_t count = 0;
    for (const DashaPeriod& period : periods) {
        ++count;
        EXPECT_EQ(period.level, level);
        EXPECT_GE(period.duration_days, 0.0);
        const double rounding = 2.0 * std::abs(std::nextafter(period.end_jd, INFINITE) - period.end_jd);
        EXPECT_NEAR(period.duration_days, period.end_jd - period.start_jd, rounding);
        if (level == max_level) {
            EXPECT_TRUE(period.sub_periods.empty());
            continue;
        }
        const std::vector<DashaPeriod>& subs = period.sub_periods;
        EXPECT_GE(subs.size(), 1u);
        if (subs.empty()) continue;
        EXPECT_EQ(subs.front().start_jd, period.start_jd);
        for (std::size_t index = 1; index < subs.size(); ++index)
            EXPECT_EQ(subs[index].start_jd, subs[index - 1].end_jd);
        EXPECT_NEAR(subs.back().end_jd, period.end_jd, 1e-6);
        for (std::size_t index = 1; index < subs.size(); ++index)
            EXPECT_EQ(subs[index].lord, next_lord(subs[index - 1].lord));
        count += expect_consistent_periods(subs, static_cast<std::uint8_t>(level + 1), max_level);
    }
    return count;
}

TEST(Dasha, MoonAtZeroGivesTheFullMahaDashaTable) {
    const VimshottariDasha dasha = compute_dasha_tree(1, 0.0, J2000_JD);
    EXPECT_EQ(dasha.moon_nakshatra, 0);
    EXPECT_EQ(dasha.initial_balance, 1.0);
    struct Row {
        DashaLord lord;
        double start, end, duration;
    };
    const Row table[] = {
        {DashaLord::Ketu, 2451545.0, 2454101.75, 2556.75},     {DashaLord::Venus, 2454101.75, 2461406.75, 7305.0},
        {DashaLord::Sun, 2461406.75, 2463598.25, 2191.5},      {DashaLord::Moon, 2463598.25, 2467250.75, 3652.5},
        {DashaLord::Mars, 2467250.75, 2469807.5, 2556.75},     {DashaLord::Rahu, 2469807.5, 2476382.0, 6574.5},
        {DashaLord::Jupiter, 2476382.0, 2482226.0, 5844.0},    {DashaLord::Saturn, 2482226.0, 2489165.75, 6939.75},
        {DashaLord::Mercury, 2489165.75, 2495375.0, 6209.25},
    };
    ASSERT_EQ(dasha.maha_dashas.size(), 9u);
    for (std::size_t index = 0; index < 9; ++index) {
        const DashaPeriod& period = dasha.maha_dashas[index];
        EXPECT_EQ(period.lord, table[index].lord);
        EXPECT_EQ(period.level, 1);
        EXPECT_EQ(period.start_jd, table[index].start);
        EXPECT_EQ(period.end_jd, table[index].end);
        EXPECT_EQ(period.duration_days, table[index].duration);
        EXPECT_TRUE(period.sub_periods.empty());
    }
    const char* const exact_text =
        "{\"moon_nakshatra\":\"Ashwini\",\"initial_balance\":1.0,\"maha_dashas\":["
        "{\"lord\":\"Ketu\",\"level\":1,\"start_jd\":2451545.0,\"end_jd\":2454101.75,\"duration_days\":2556.75,\"sub_periods\":[]},"
        "{\"lord\":\"Venus\",\"level\":1,\"start_jd\":2454101.75,\"end_jd\":2461406.75,\"duration_days\":7305.0,\"sub_periods\":[]},"
        "{\"lord\":\"Sun\",\"level\":1,\"start_jd\":2461406.75,\"end_jd\":2463598.25,\"duration_days\":2191.5,\"sub_periods\":[]},"
        "{\"lord\":\"Moon\",\"level\":1,\"start_jd\":2463598.25,\"end_jd\":2467250.75,\"duration_days\":3652.5,\"sub_periods\":[]},"
        "{\"lord\":\"Mars\",\"level\":1,\"start_jd\":2467250.75,\"end_jd\":2469807.5,\"duration_days\":2556.75,\"sub_periods\":[]},"
        "{\"lord\":\"Rahu\",\"level\":1,\"start_jd\":2469807.5,\"end_jd\":2476382.0,\"duration_days\":6574.5,\"sub_periods\":[]},"
        "{\"lord\":\"Jupiter\",\"level\":1,\"start_jd\":2476382.0,\"end_jd\":2482226.0,\"duration_days\":5844.0,\"sub_periods\":[]},"
        "{\"lord\":\"Saturn\",\"level\":1,\"start_jd\":2482226.0,\"end_jd\":2489165.75,\"duration_days\":6939.75,\"sub_periods\":[]},"
        "{\"lord\":\"Mercury\",\"level\":1,\"start_jd\":2489165.75,\"end_jd\":2495375.0,\"duration_days\":6209.25,\"sub_periods\":[]}"
        "]}";
    EXPECT_EQ(dasha_json(dasha), exact_text);
    EXPECT_EQ(compute_dasha_json(1, 0.0, J2000_JD), exact_text);
}

struct StartCase {
    double moon_longitude;
    std::uint8_t nakshatra;
    DashaLord first_lord;
    double balance;
};

void PrintTo(const StartCase& start, std::ostream* out) { *out << "moon " << start.moon_longitude; }

class DashaStartOfMoon : public ::testing::TestWithParam<StartCase> {};

TEST_P(DashaStartOfMoon, NakshatraFirstLordAndBalance) {
    const StartCase& expected = GetParam();
    const VimshottariDasha dasha = compute_dasha_tree(1, expected.moon_longitude, J2000_JD);
    EXPECT_EQ(dasha.moon_nakshatra, expected.nakshatra);
    EXPECT_EQ(dasha.initial_balance, expected.balance);
    ASSERT_EQ(dasha.maha_dashas.size(), 9u);
    EXPECT_EQ(dasha.maha_dashas[0].lord, expected.first_lord);
    EXPECT_EQ(dasha.maha_dashas[0].duration_days,
              expected.balance * DASHA_DAYS[static_cast<std::size_t>(expected.first_lord)]);
    for (std::size_t index = 1; index < 9; ++index) {
        EXPECT_EQ(dasha.maha_dashas[index].lord, next_lord(expected.first_lord, static_cast<unsigned>(index)));
        EXPECT_EQ(dasha.maha_dashas[index].duration_days,
                  DASHA_DAYS[static_cast<std::size_t>(dasha.maha_dashas[index].lord)]);
        EXPECT_EQ(dasha.maha_dashas[index].start_jd, dasha.maha_dashas[index - 1].end_jd);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dasha, DashaStartOfMoon,
    ::testing::Values(StartCase{0.0, 0, DashaLord::Ketu, 1.0}, StartCase{100.0, 7, DashaLord::Saturn, 0.5000000000000007},
                      StartCase{370.0, 0, DashaLord::Ketu, 0.25}, StartCase{6.666666666666667, 0, DashaLord::Ketu, 0.5},
                      StartCase{-0.5, 26, DashaLord::Mercury, 1.0 - (359.5 - 26.0 * NAKSHATRA_SPAN) / NAKSHATRA_SPAN},
                      StartCase{NOT_A_NUMBER, 0, DashaLord::Ketu, 1.0}, StartCase{-INFINITE, 0, DashaLord::Ketu, 1.0},
                      StartCase{226.66666666666666, 17, DashaLord::Mercury, 1.0000000000000022}));

TEST(Dasha, LevelsAreClampedToOneThroughFive) {
    EXPECT_EQ(clamp_dasha_levels(0), 1);
    EXPECT_EQ(clamp_dasha_levels(3), 3);
    EXPECT_EQ(clamp_dasha_levels(6), 5);
    EXPECT_EQ(clamp_dasha_levels(255), 5);
    EXPECT_EQ(compute_dasha_json(0, 123.4, J2000_JD), compute_dasha_json(1, 123.4, J2000_JD));
    EXPECT_EQ(count_periods(compute_dasha_tree(9, 0.0, J2000_JD).maha_dashas), 66429u);
    EXPECT_EQ(count_periods(compute_dasha_tree(255, 0.0, J2000_JD).maha_dashas), 66429u);
}

TEST(Dasha, UncutTreeHasNinePeriodsUnderEveryPeriod) {
    const std::size_t expected_counts[] = {9, 90, 819, 7380, 66429};
    for (std::uint8_t levels = 1; levels <= 5; ++levels) {
        const VimshottariDasha dasha = compute_dasha_tree(levels, 0.0, J2000_JD);
        EXPECT_EQ(expect_consistent_periods(dasha.maha_dashas, 1, levels), expected_counts[levels - 1]);
    }
}

TEST(Dasha, SubPeriodsDivideTheParentInTheLordsYears) {
    // The first sub-period belongs to the parent's lord; Ketu's 1278.375 days give Ketu 74.571875, Venus 213.0625,
    // Sun 63.91875 days.
    const std::vector<DashaPeriod> subs = build_sub_periods(DashaLord::Ketu, 2, 2, J2000_JD, 1278.375);
    ASSERT_EQ(subs.size(), 9u);
    EXPECT_EQ(lords_of(subs), (std::vector<DashaLord>{DashaLord::Ketu, DashaLord::Venus, DashaLord::Sun, DashaLord::Moon,
                                                      DashaLord::Mars, DashaLord::Rahu, DashaLord::Jupiter,
                                                      DashaLord::Saturn, DashaLord::Mercury}));
    EXPECT_EQ(subs[0].duration_days, 74.571875);
    EXPECT_EQ(subs[1].duration_days, 213.0625);
    EXPECT_EQ(subs[2].duration_days, 63.91875);
    EXPECT_EQ(subs[0].start_jd, J2000_JD);
    EXPECT_EQ(subs[1].start_jd, J2000_JD + 74.571875);
    for (const DashaPeriod& sub : subs) EXPECT_TRUE(sub.sub_periods.empty());
    // A depth beyond five is not followed.
    EXPECT_EQ(count_periods(build_sub_periods(DashaLord::Sun, 2, 200, 0.0, 100.0)), 9u + 81u + 729u + 6561u);
}

TEST(Dasha, PeriodRunningAtBirthIsTheTrueSubPeriod) {
    // Moon in the middle of Ashwini: half of Ketu's 2556.75 days have elapsed. Over the full period the
    // sub-periods Ketu..Mars end 1065.3125 days into it, Rahu runs to 1448.825, so at birth (1278.375) Rahu runs
    // with 170.45 days left, and Jupiter, Saturn, Mercury follow whole.
    const VimshottariDasha dasha = compute_dasha_tree(2, 6.666666666666667, J2000_JD);
    const DashaPeriod& ketu = dasha.maha_dashas[0];
    EXPECT_EQ(ketu.lord, DashaLord::Ketu);
    EXPECT_EQ(ketu.start_jd, J2000_JD);
    EXPECT_EQ(ketu.duration_days, 1278.375);
    EXPECT_EQ(lords_of(ketu.sub_periods),
              (std::vector<DashaLord>{DashaLord::Rahu, DashaLord::Jupiter, DashaLord::Saturn, DashaLord::Mercury}));
    const DashaPeriod& rahu = ketu.sub_periods[0];
    EXPECT_EQ(rahu.start_jd, J2000_JD);
    EXPECT_NEAR(rahu.duration_days, 170.45, 1e-9);
    EXPECT_EQ(rahu.duration_days, rahu.end_jd - rahu.start_jd);
    EXPECT_EQ(ketu.sub_periods[1].duration_days, 2556.75 * 16.0 / 120.0);
    EXPECT_EQ(ketu.sub_periods[3].duration_days, 2556.75 * 17.0 / 120.0);
    // Later maha dashas are divided whole.
    EXPECT_EQ(dasha.maha_dashas[1].sub_periods.size(), 9u);
    EXPECT_EQ(dasha.maha_dashas[1].sub_periods[0].lord, DashaLord::Venus);
    EXPECT_EQ(expect_consistent_periods(dasha.maha_dashas, 1, 2), 9u + 4u + 8u * 9u);
}

TEST(Dasha, CutRepeatsInsideThePeriodRunningAtBirth) {
    // Rahu within Ketu starts 1065.3125 days into Ketu's full period and lasts 383.5125; birth is 213.0625 days into
    // it. Its own sub-periods over 383.5125: Rahu 57.526875, Jupiter 51.135, Saturn 60.7228125 → 169.3846875, then
    // Mercury 54.3309375 → 223.715625 > 213.0625: Mercury runs at birth with 10.653125 days left.
    const VimshottariDasha dasha = compute_dasha_tree(4, 6.666666666666667, J2000_JD);
    const DashaPeriod& rahu = dasha.maha_dashas[0].sub_periods[0];
    ASSERT_FALSE(rahu.sub_periods.empty());
    const DashaPeriod& mercury = rahu.sub_periods[0];
    EXPECT_EQ(mercury.lord, DashaLord::Mercury);
    EXPECT_EQ(rahu.sub_periods.size(), 6u);  // Mercury, Ketu, Venus, Sun, Moon, Mars
    EXPECT_EQ(mercury.start_jd, J2000_JD);
    EXPECT_NEAR(mercury.duration_days, 10.653125, 1e-8);
    EXPECT_LT(mercury.sub_periods.size(), 9u);
    EXPECT_EQ(mercury.sub_periods[0].start_jd, J2000_JD);
    expect_consistent_periods(dasha.maha_dashas, 1, 4);
}

TEST(Dasha, TreesOfManyMoonsAreConsistent) {
    std::mt19937_64 generator(11);
    std::uniform_real_distribution<double> longitude(0.0, 360.0);
    std::uniform_real_distribution<double> birth(0.0, 3.0e6);
    for (int trial = 0; trial < 60; ++trial) {
        const VimshottariDasha dasha = compute_dasha_tree(4, longitude(generator), birth(generator));
        ASSERT_EQ(dasha.maha_dashas.size(), 9u);
        expect_consistent_periods(dasha.maha_dashas, 1, 4);
        // Every period starting after birth is whole: only the first line of descent can be cut.
        for (std::size_t index = 1; index < 9; ++index)
            EXPECT_EQ(dasha.maha_dashas[index].sub_periods.size(), 9u);
    }
}

TEST(Dasha, BalanceOfOneOrAboveCutsNothing) {
    for (double moon : {0.0, 13.333333333333334, 226.66666666666666}) {
        const VimshottariDasha dasha = compute_dasha_tree(3, moon, J2000_JD);
        EXPECT_GE(dasha.initial_balance, 1.0);
        EXPECT_EQ(expect_consistent_periods(dasha.maha_dashas, 1, 3), 819u) << moon;
        EXPECT_EQ(dasha.maha_dashas[0].sub_periods[0].start_jd, J2000_JD);
        EXPECT_EQ(dasha.maha_dashas[0].sub_periods[0].lord, dasha.maha_dashas[0].lord);
    }
}

TEST(Dasha, MoonJustBeforeANakshatraEndStillGivesAFinalSubPeriod) {
    // The remainder (1e-16 of Ketu's days) is far below the resolution of the Julian Day.
    for (double moon : {13.333333333333332, 359.99999999999994, 279.99999999999994}) {
        const VimshottariDasha dasha = compute_dasha_tree(5, moon, J2000_JD);
        EXPECT_LT(dasha.initial_balance, 1e-14);
        expect_consistent_periods(dasha.maha_dashas, 1, 5);
        const DashaPeriod& first = dasha.maha_dashas[0];
        ASSERT_EQ(first.sub_periods.size(), 1u);
        EXPECT_EQ(first.sub_periods[0].lord, next_lord(first.lord, 8));  // the last sub-period of the full period
    }
}

TEST(Dasha, WrittenTextEqualsTheTextOfTheTree) {
    struct Case {
        std::uint8_t levels;
        double moon, birth;
    };
    const Case cases[] = {{1, 0.0, J2000_JD},   {2, 6.666666666666667, J2000_JD}, {3, 123.4, J2000_JD},
                          {5, 123.4, J2000_JD}, {4, 359.99999999999994, 0.0},   {3, 226.66666666666666, -1.5e6},
                          {3, 77.7, NOT_A_NUMBER}, {2, 300.0, INFINITE},        {5, 13.333333333333332, 1e7},
                          {0, NOT_A_NUMBER, -0.0}, {4, 45.0, 1e-300},           {3, 200.0, 5e15}};
    for (const Case& c : cases)
        EXPECT_EQ(compute_dasha_json(c.levels, c.moon, c.birth), dasha_json(compute_dasha_tree(c.levels, c.moon, c.birth)))
            << int(c.levels) << " " << c.moon << " " << c.birth;
}

TEST(Dasha, NonFiniteBirthWritesEveryTimeAsNull) {
    for (double birth : {NOT_A_NUMBER, INFINITE, -INFINITE}) {
        const std::string text = compute_dasha_json(3, 6.666666666666667, birth);
        EXPECT_NE(text.find("{\"lord\":\"Ketu\",\"level\":1,\"start_jd\":null,\"end_jd\":null,"
                            "\"duration_days\":1278.375,\"sub_periods\":[{\"lord\":\"Rahu\",\"level\":2,\"start_jd\":null,"),
                  std::string::npos)
            << text.substr(0, 300);
        EXPECT_EQ(text.find("_jd\":-"), std::string::npos);
        EXPECT_EQ(text.find("_jd\":1"), std::string::npos);
        EXPECT_EQ(text.find("_jd\":2"), std::string::npos);
        // The same periods as for a finite birth.
        EXPECT_EQ(count_periods(compute_dasha_tree(3, 6.666666666666667, birth).maha_dashas),
                  count_periods(compute_dasha_tree(3, 6.666666666666667, J2000_JD).maha_dashas));
    }
}

TEST(Dasha, TextIsCompactAndDeepestPeriodsHaveEmptySubPeriods) {
    const std::string text = compute_dasha_json(3, 260.0, J2000_JD);
    EXPECT_EQ(text.find(' '), std::string::npos);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.rfind("{\"moon_nakshatra\":\"PurvaAshadha\",\"initial_balance\":", 0), 0u);
    EXPECT_NE(text.find("\"level\":3,"), std::string::npos);
    EXPECT_EQ(text.find("\"level\":4,"), std::string::npos);
    std::size_t leaves = 0;
    for (std::size_t at = text.find("\"sub_periods\":[]"); at != std::string::npos;
         at = text.find("\"sub_periods\":[]", at + 1))
        ++leaves;
    EXPECT_EQ(leaves, count_periods(compute_dasha_tree(3, 260.0, J2000_JD).maha_dashas) -
                          count_periods(compute_dasha_tree(2, 260.0, J2000_JD).maha_dashas));
    EXPECT_EQ(text.substr(text.size() - 23), "\"sub_periods\":[]}]}]}]}");
}

}  // namespace
}  // namespace zentaric
