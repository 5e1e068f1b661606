// Vimshottari dasha: sub-period division, the cut at birth at its edges, and the text written without the tree
// (the rule itself is checked against plain Python in tests/python/test_dasha.py).
#include "vedic/dasha.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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

TEST(Dasha, LevelsAreClampedToOneThroughFive) {
    EXPECT_EQ(clamp_dasha_levels(0), 1);
    EXPECT_EQ(clamp_dasha_levels(3), 3);
    EXPECT_EQ(clamp_dasha_levels(6), 5);
    EXPECT_EQ(clamp_dasha_levels(255), 5);
    EXPECT_EQ(compute_dasha_json(0, 123.4, J2000_JD), compute_dasha_json(1, 123.4, J2000_JD));
    EXPECT_EQ(count_periods(compute_dasha_tree(9, 0.0, J2000_JD).maha_dashas), 66429u);
    EXPECT_EQ(count_periods(compute_dasha_tree(255, 0.0, J2000_JD).maha_dashas), 66429u);
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
    // The remainder (about 1e-15 of the lord's days) is far below the resolution of the Julian Day.
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

TEST(Dasha, TextOfAHandMadeTreeDeeperThanADasha) {
    // Twelve nested periods, then a sibling at the top: every closing is written, nothing else is remembered wrongly.
    VimshottariDasha dasha{9, 0.25, {}};
    std::vector<DashaPeriod>* siblings = &dasha.maha_dashas;
    std::string expected_periods;
    for (std::uint8_t level = 1; level <= 12; ++level) {
        const double start = 100.0 + level;  // each period starts elsewhere than its parent
        siblings->push_back(DashaPeriod{next_lord(DashaLord::Sun, level), level, start, start + 0.5, 0.5, {}});
        expected_periods += "{\"lord\":\"" +
                            std::string(dasha_lord_name(next_lord(DashaLord::Sun, level))) + "\",\"level\":" +
                            std::to_string(level) + ",\"start_jd\":" + std::to_string(100 + level) +
                            ".0,\"end_jd\":" + std::to_string(100 + level) + ".5,\"duration_days\":0.5,\"sub_periods\":[";
        siblings = &siblings->back().sub_periods;
    }
    for (int level = 12; level >= 1; --level) expected_periods += "]}";
    dasha.maha_dashas.push_back(DashaPeriod{DashaLord::Ketu, 1, 101.5, 102.0, 0.5, {}});
    expected_periods += ",{\"lord\":\"Ketu\",\"level\":1,\"start_jd\":101.5,\"end_jd\":102.0,"
                        "\"duration_days\":0.5,\"sub_periods\":[]}";
    EXPECT_EQ(dasha_json(dasha),
              "{\"moon_nakshatra\":\"Magha\",\"initial_balance\":0.25,\"maha_dashas\":[" + expected_periods + "]}");
}

}  // namespace
}  // namespace zentaric
