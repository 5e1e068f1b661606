#include <gtest/gtest.h>

#include "vedic/koota_tables.hpp"
#include "vedic/matching.hpp"
#include "vedic/relationship.hpp"

namespace zentaric {
namespace {

// A place's code gives the place back, codes follow the zodiac, and 15° of a sign opens its second half.
TEST(MoonPlace, CodesGiveThePlaceBackInZodiacOrder) {
    int previous = -1;
    for (int step = 0; step < 3 * MOON_PLACE_COUNT; ++step) {
        const MoonPlace place = moon_place(step * (10.0 / 18.0) + 0.01);
        const int code = moon_place_code(place);
        EXPECT_GE(code, previous);
        EXPECT_LT(code, MOON_PLACE_COUNT);
        previous = code;
        const MoonPlace expected = moon_place_of_code(code);
        EXPECT_EQ(place.nakshatra, expected.nakshatra) << code;
        EXPECT_EQ(place.pada, expected.pada) << code;
        EXPECT_EQ(place.sign, expected.sign) << code;
        EXPECT_EQ(place.second_half, expected.second_half) << code;
    }
    EXPECT_FALSE(moon_place(254.999999).second_half);
    EXPECT_TRUE(moon_place(255.0).second_half);   // Sagittarius 15°: chatushpada from here
    EXPECT_EQ(moon_place(-105.0).sign, 8);        // normalised first
}

TEST(Match, TotalsAreTheSumOfTheKootasAndDoshasFollowZeroScores) {
    const MatchResult same = match_moons(MatchSystem::Ashtakoota, moon_place(1.0), moon_place(2.0));
    EXPECT_EQ(same.maximum_half_points, 72);
    EXPECT_EQ(same.doshas, 1u << 7);                // one nakshatra: one nadi
    EXPECT_EQ(same.cancellations, 1u << 3);         // one pada and sign: only the one sign lord clears it
    const MatchResult padas = match_moons(MatchSystem::Ashtakoota, moon_place(1.0), moon_place(5.0));
    EXPECT_NE(padas.cancellations, 0u);             // same nakshatra, different padas
    const MatchResult mars = match_moons(MatchSystem::Porutham, moon_place(60.0), moon_place(300.0));
    EXPECT_EQ(mars.scores[9].half_points, 0);       // Mrigashira and Dhanishta pierce each other
    EXPECT_EQ(mars.maximum_half_points, 20);
}

// Graha maitri's points are the natural relationships of the two lords, each one's view of the other.
TEST(GrahaMaitri, PointsFollowTheNaturalRelationships) {
    for (std::uint8_t a = 0; a < 7; ++a)
        for (std::uint8_t b = 0; b < 7; ++b) {
            int friends = 0, enemies = 0;
            for (const auto& [of, towards] : {std::pair{a, b}, std::pair{b, a}}) {
                const Relationship r = natural_relationship(static_cast<Graha>(of), static_cast<Graha>(towards));
                friends += r == Relationship::Friend;
                enemies += r == Relationship::Enemy;
            }
            const int expected = a == b ? 10 : enemies == 0 ? 6 + 2 * friends : friends == 1 ? 2 : enemies == 1 ? 1 : 0;
            EXPECT_EQ(koota::MAITRI_HALF_POINTS[a][b], expected) << int(a) << " " << int(b);
        }
}

}  // namespace
}  // namespace zentaric
