// Vargas, Vedic dignity, relationships and Jaimini at the edges of their rules; the broad checks against an
// independent statement of the rules over 200 births are in tests/python/test_vedic_readings.py.
#include <gtest/gtest.h>

#include "vedic/co_lord.hpp"
#include "vedic/jaimini.hpp"
#include "vedic/relationship.hpp"
#include "vedic/varga.hpp"
#include "vedic/vedic_dignity.hpp"

namespace zentaric {
namespace {

TEST(Varga, PartBoundariesBelongToThePartThatStartsThere) {
    struct Case { Varga varga; double longitude; std::uint8_t sign; };
    const Case cases[] = {
        {Varga::Hora, 14.999999, 4}, {Varga::Hora, 15.0, 3}, {Varga::Hora, 45.0, 4},           // Aries; Taurus
        {Varga::Trimshamsha, 4.999999, 0}, {Varga::Trimshamsha, 5.0, 10}, {Varga::Trimshamsha, 18.0, 2},
        {Varga::Trimshamsha, 25.0, 6}, {Varga::Trimshamsha, 29.999999, 6},                        // Aries
        {Varga::Trimshamsha, 35.0, 5}, {Varga::Trimshamsha, 42.0, 11}, {Varga::Trimshamsha, 50.0, 9},
        {Varga::Trimshamsha, 55.0, 7},                                                             // Taurus
        {Varga::Drekkana, 20.0, 8}, {Varga::Chaturthamsha, 22.5, 9}, {Varga::Saptamsha, 30.0, 7},
        {Varga::Akshavedamsha, 359.999999, 4}, {Varga::Saptavimshamsha, -0.0000001, 11},          // Pisces
    };
    for (const Case& c : cases) EXPECT_EQ(varga_sign(c.varga, c.longitude), c.sign) << int(c.varga) << " " << c.longitude;
}

TEST(Relationship, FiveFoldCombinesNaturalAndTemporal) {
    EXPECT_EQ(compound_relationship(Relationship::Friend, true), Relationship::GreatFriend);
    EXPECT_EQ(compound_relationship(Relationship::Friend, false), Relationship::Neutral);
    EXPECT_EQ(compound_relationship(Relationship::Neutral, true), Relationship::Friend);
    EXPECT_EQ(compound_relationship(Relationship::Neutral, false), Relationship::Enemy);
    EXPECT_EQ(compound_relationship(Relationship::Enemy, true), Relationship::Neutral);
    EXPECT_EQ(compound_relationship(Relationship::Enemy, false), Relationship::GreatEnemy);
    for (unsigned count = 1; count <= 12; ++count)  // 2, 3, 4, 10, 11, 12 from each other
        EXPECT_EQ(temporal_friend(5, static_cast<std::uint8_t>((5 + count - 1) % 12)),
                  count == 2 || count == 3 || count == 4 || count >= 10) << count;
}

GrahaLongitudes with(Graha graha, double longitude) {
    GrahaLongitudes longitudes{100, 100, 100, 100, 100, 100, 100, 100, 280};
    longitudes[static_cast<std::size_t>(graha)] = longitude;
    return longitudes;
}

TEST(VedicDignity, DegreeRangesInTheRashiAndSignsAloneInTheVargas) {
    struct Case { Graha graha; double longitude; Varga varga; VedicDignity expected; };
    const Case cases[] = {
        {Graha::Mercury, 345.0, Varga::Rashi, VedicDignity::Debilitated},  // Pisces: not the Western detriment
        {Graha::Moon, 32.999999, Varga::Rashi, VedicDignity::Exalted},
        {Graha::Moon, 33.0, Varga::Rashi, VedicDignity::Moolatrikona},
        {Graha::Mercury, 164.999999, Varga::Rashi, VedicDignity::Exalted},
        {Graha::Mercury, 165.0, Varga::Rashi, VedicDignity::Moolatrikona},
        {Graha::Mercury, 170.0, Varga::Rashi, VedicDignity::Own},
        {Graha::Sun, 140.0, Varga::Rashi, VedicDignity::Own},                // Leo past 20°
        {Graha::Sun, 139.999999, Varga::Rashi, VedicDignity::Moolatrikona},
        {Graha::Saturn, 20.0, Varga::Rashi, VedicDignity::Debilitated},
        {Graha::Mercury, 167.0, Varga::Dwadashamsha, VedicDignity::Debilitated},  // 7th part of Virgo: Pisces
        {Graha::Sun, 125.0, Varga::Hora, VedicDignity::Moolatrikona},             // Leo by sign alone
        {Graha::Moon, 31.0, Varga::Dwadashamsha, VedicDignity::Exalted},          // Taurus by sign alone
    };
    for (const Case& c : cases)
        EXPECT_EQ(vedic_dignity(c.graha, c.varga, with(c.graha, c.longitude)), c.expected)
            << graha_name(c.graha) << " " << c.longitude << " " << int(c.varga);
    // Jupiter in Gemini (Mercury, natural enemy) with Mercury in the 2nd from it: temporal friend, so neutral;
    // with Mercury in the 5th: great enemy.
    GrahaLongitudes d1 = with(Graha::Jupiter, 70.0);
    d1[static_cast<std::size_t>(Graha::Mercury)] = 100.0;
    EXPECT_EQ(vedic_dignity(Graha::Jupiter, Varga::Rashi, d1), VedicDignity::Neutral);
    d1[static_cast<std::size_t>(Graha::Mercury)] = 190.0;
    EXPECT_EQ(vedic_dignity(Graha::Jupiter, Varga::Rashi, d1), VedicDignity::GreatEnemy);
}

TEST(VimshopakaBala, OwnOrExaltedInEveryChartOfTheGroupIsTwenty) {
    // The Sun at 0° Leo: D1, D2, D3 and D12 in Leo, D9 and D30 in Aries.
    EXPECT_EQ(vimshopaka_bala(Graha::Sun, VargaGroup::Shadvarga, with(Graha::Sun, 120.0)), 20.0);
}

TEST(Jaimini, KarakaTiesGoToTheLargerLongitudeAndRahuCountsBackwards) {
    //                      Sun   Moon  Mars  Merc  Jup   Ven   Sat   Rahu  Ketu
    const GrahaLongitudes l{10.0, 40.0, 25.0, 55.0, 119.0, 5.0, 1.0,  302.0, 122.0};
    const CharaKarakas seven = chara_karakas(l, KarakaScheme::Seven);
    // Mercury and Mars at 25°, Moon and Sun at 10°: the larger longitude first.
    const Graha seven_order[] = {Graha::Jupiter, Graha::Mercury, Graha::Mars, Graha::Moon, Graha::Sun,
                                 Graha::Venus, Graha::Saturn};
    for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(seven.graha[k], seven_order[k]) << k;
    const CharaKarakas eight = chara_karakas(l, KarakaScheme::Eight);
    EXPECT_EQ(eight.count, 8);
    EXPECT_EQ(eight.graha[1], Graha::Rahu);  // 30 - 2 = 28°
    EXPECT_EQ(karaka_name(KarakaScheme::Eight, 4), "PiK");
    EXPECT_EQ(karakamsha(l, KarakaScheme::Seven), varga_sign(Varga::Navamsha, 119.0));
}

TEST(Jaimini, ArudhaInTheHouseOrTheSeventhMovesToTheTenthFromThere) {
    GrahaLongitudes l{100, 100, 100, 100, 100, 100, 100, 100, 280};  // all in Cancer, Ketu in Capricorn
    const auto padas = arudha_padas(l, 3);                               // Cancer lagna
    EXPECT_EQ(padas[0], 0);   // Moon in Cancer itself: 10th from Cancer
    EXPECT_EQ(padas[1], 2);   // Leo, Sun in Cancer (12th): 12th again, Gemini
    EXPECT_EQ(padas[6], 6);   // Capricorn, Saturn in Cancer (7th): 7th again is Capricorn itself: 10th, Libra
}

TEST(Jaimini, StrongerCoLordOfScorpioAndAquarius) {
    GrahaLongitudes l{100, 100, 250, 100, 100, 100, 100, 100, 280};  // Mars in Sagittarius, Ketu in Capricorn
    EXPECT_EQ(stronger_lord(7, l), Graha::Mars);  // no company either, both at 10°: Mars
    l[static_cast<std::size_t>(Graha::Jupiter)] = 285.0;
    EXPECT_EQ(stronger_lord(7, l), Graha::Ketu);  // Ketu joined by Jupiter
    l[static_cast<std::size_t>(Graha::Mars)] = 215.0;
    EXPECT_EQ(stronger_lord(7, l), Graha::Ketu);  // Mars in Scorpio, Ketu outside: the one outside
    l[static_cast<std::size_t>(Graha::Ketu)] = 220.0;
    EXPECT_EQ(stronger_lord(7, l), Graha::Mars);  // both inside
    EXPECT_EQ(stronger_lord(10, l), Graha::Saturn);  // Saturn and Rahu both in Cancer, equal company and degree
}

}  // namespace
}  // namespace zentaric
