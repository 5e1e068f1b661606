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

TEST(DashaConditions, ReadTheChartsSignsAsBphsStatesThem) {
    struct Case { DashaSystem system; GrahaPositions positions; bool applicable; };
    auto lagna_at = [](double lagna, std::initializer_list<std::pair<Graha, double>> moved) {
        GrahaPositions positions = placed(moved);
        positions.lagna = lagna;
        return positions;
    };
    const Case cases[] = {
        // lagna Aries, its lord Mars in Leo: Rahu 5th from Mars applies, 2nd does not, in the lagna does not
        {DashaSystem::Ashtottari, placed({{Graha::Mars, 125.0}, {Graha::Rahu, 245.0}}), true},
        {DashaSystem::Ashtottari, placed({{Graha::Mars, 125.0}, {Graha::Rahu, 155.0}}), false},
        {DashaSystem::Ashtottari, placed({{Graha::Mars, 125.0}, {Graha::Rahu, 20.0}}), false},
        {DashaSystem::Shashtihayani, placed({}), true},
        {DashaSystem::Shashtihayani, placed({{Graha::Sun, 45.0}}), false},
        {DashaSystem::Shatabdika, lagna_at(1.0, {}), true},     // Aries navamsha of Aries: vargottama
        {DashaSystem::Shatabdika, lagna_at(5.0, {}), false},
        {DashaSystem::Dwadashottari, lagna_at(5.0, {}), true},  // Taurus navamsha: Venus's
        {DashaSystem::Dwadashottari, lagna_at(1.0, {}), false},  // Aries navamsha: Mars's
        {DashaSystem::Panchottari, lagna_at(8.0, {}), true},     // Aries 8°: the 4th dwadashamsha, Cancer
        {DashaSystem::Panchottari, lagna_at(92.0, {}), true},    // Cancer 2°: the first, Cancer
        {DashaSystem::Panchottari, lagna_at(5.0, {}), false},    // Aries 5°: Gemini
        {DashaSystem::ChaturashitiSama, placed({{Graha::Saturn, 280.0}}), true},
        {DashaSystem::ChaturashitiSama, placed({}), false},  // Saturn in Aries, not the 10th
        {DashaSystem::DwisaptatiSama, placed({{Graha::Mars, 185.0}}), true},
        {DashaSystem::DwisaptatiSama, placed({{Graha::Venus, 45.0}}), false},  // Mars in the lagna, Venus in the 2nd
        {DashaSystem::ShattrimshaSama, lagna_at(5.0, {{Graha::Sun, 300.0}}), true},  // Sun's hora, the Sun risen
        {DashaSystem::ShattrimshaSama, lagna_at(5.0, {{Graha::Sun, 100.0}}), false},
        {DashaSystem::Shodashottari, lagna_at(5.0, {{Graha::Sun, 0.0}, {Graha::Moon, 90.0}}), true},  // Shukla
        {DashaSystem::Shodashottari, lagna_at(5.0, {{Graha::Sun, 0.0}, {Graha::Moon, 270.0}}), false},
        {DashaSystem::Chara, placed({}), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dasha_applicable(c.system, c.positions), c.applicable) << dasha_system_name(c.system);
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
