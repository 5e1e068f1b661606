// The dasha systems' core: Chara's years and cycles, and the focused walk against the whole tree (the rows
// themselves are checked against plain Python in tests/python/test_dasha_systems.py).
#include "vedic/chara_dasha.hpp"
#include "vedic/dasha_periods.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zentaric {
namespace {

// Every graha at 5° Aries unless moved; the lagna at 10° Aries.
GrahaPositions placed(std::initializer_list<std::pair<Graha, double>> moved) {
    GrahaPositions positions{};
    positions.longitude.fill(5.0);
    positions.lagna = 10.0;
    for (const auto& [graha, longitude] : moved) positions.longitude[static_cast<std::size_t>(graha)] = longitude;
    return positions;
}

TEST(CharaDasha, YearsCountToTheLordAndTheSecondCycleCompletesTwelve) {
    // Aries counts forward to Mars in Leo: 4 years; Cancer counts backward to the Moon in Aries: 3 years.
    const GrahaPositions positions = placed({{Graha::Mars, 125.0}});
    EXPECT_EQ(chara_years(0, positions), 4);
    EXPECT_EQ(chara_years(3, positions), 3);
    EXPECT_EQ(chara_years(1, placed({{Graha::Venus, 45.0}})), 12);
    const CharaMahaDashas mahas = chara_maha_dashas(positions);
    ASSERT_GE(mahas.count, 12);
    for (std::uint8_t k = 12; k < mahas.count; ++k) EXPECT_LT(mahas.periods[k].years, 12);
    // lagna Aries: the 9th is Sagittarius, so the signs run forward
    EXPECT_EQ(mahas.periods[1].sign, 1);
}

TEST(DashaPeriods, FocusedWalkKeepsTheChainOfTheWholeTree) {
    const GrahaPositions positions = placed({{Graha::Moon, 123.4}, {Graha::Mars, 215.0}});
    for (const DashaSystemRow& row : DASHA_SYSTEM_TABLE) {
        const double birth = 2451545.0;
        const DashaPeriods whole = dasha_periods(row.id, positions, birth, 5, 365.25, std::nan(""));
        for (const double focus : {birth, birth + 1234.5678, birth + 30000.0}) {
            const DashaPeriods focused = dasha_periods(row.id, positions, birth, 5, 365.25, focus);
            // every focused record is in the whole tree, and the deepest period containing the focus is level 5
            std::size_t at = 0;
            int deepest = 0;
            for (const DashaRecord& record : focused.records) {
                while (at < whole.records.size() &&
                       (whole.records[at].start_jd != record.start_jd || whole.records[at].level != record.level ||
                        whole.records[at].position != record.position))
                    ++at;
                ASSERT_LT(at, whole.records.size()) << row.name;
                if (record.start_jd <= focus && focus < record.end_jd) deepest = std::max<int>(deepest, record.level);
            }
            EXPECT_EQ(deepest, 5) << row.name << " " << focus;
            EXPECT_LT(focused.records.size(), 100u) << row.name;
        }
    }
}

}  // namespace
}  // namespace zentaric
