#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "vedic/aspects.hpp"

namespace zentaric {
namespace {

constexpr std::array<AspectKind, 5> MAJOR = {AspectKind::Conjunction, AspectKind::Sextile, AspectKind::Square,
                                             AspectKind::Trine, AspectKind::Opposition};

std::vector<Aspect> major_aspects(std::vector<AspectPosition> positions, double orb_factor = 1.0) {
    return find_aspects(positions, MAJOR, orb_factor);
}

TEST(FindAspects, SeparationThroughZeroAndOrbStrength) {
    struct Case { double longitude1, longitude2; AspectKind kind; double orb, strength; };
    const Case cases[] = {
        {0.0, 359.0, AspectKind::Conjunction, 1.0, 0.875},   // D = 1
        {359.0, 0.0, AspectKind::Conjunction, 1.0, 0.875},   // D = 359, S = 1
        {0.0, 175.0, AspectKind::Opposition, 5.0, 0.375},    // D = 185, S = 175
        {180.0, 0.0, AspectKind::Opposition, 0.0, 1.0},      // D exactly 180
        {8.0, 0.0, AspectKind::Conjunction, 8.0, 0.0},       // on the edge of the orb
        {0.0, 66.0, AspectKind::Sextile, 6.0, 0.0},
        {300.0, 30.0, AspectKind::Square, 0.0, 1.0},         // D = 270
        {10.0, 246.5, AspectKind::Trine, 3.5, 0.5625},       // D = 123.5
    };
    for (const Case& c : cases) {
        const auto aspects = major_aspects({{c.longitude1, 0.0}, {c.longitude2, 0.0}});
        ASSERT_EQ(aspects.size(), 1u) << c.longitude1 << " " << c.longitude2;
        EXPECT_EQ(aspects[0].kind, c.kind);
        EXPECT_NEAR(aspects[0].orb, c.orb, 1e-12);
        EXPECT_NEAR(aspects[0].strength, c.strength, 1e-12);
    }
    for (double second : {8.000001, 171.9999, 45.0}) EXPECT_TRUE(major_aspects({{0.0, 0.0}, {second, 0.0}}).empty());
}

TEST(FindAspects, ApplyingWhenDeviationShrinks) {
    struct Case { AspectPosition a, b; bool applying; };
    const Case cases[] = {
        {{272.0, 1.0}, {0.0, 0.0}, false},    // Square at S = 88, difference growing moves away from 90
        {{88.0, 1.0}, {0.0, 0.0}, true},      // Square at S = 88, difference growing moves toward 90
        {{88.0, 0.0}, {0.0, 1.0}, false},     // same pair, the other body moving
        {{359.0, 1.0}, {0.0, 0.0}, true},     // conjunction closing through 0°
        {{1.0, 1.0}, {0.0, 0.0}, false},      // conjunction separating
        {{88.0, 0.5}, {0.0, 0.5}, false},     // equal speeds: deviation unchanged is not applying
        {{180.0, 1.0}, {0.0, 0.0}, false},    // exact opposition can only separate
    };
    for (const Case& c : cases) {
        const auto aspects = major_aspects({c.a, c.b});
        ASSERT_EQ(aspects.size(), 1u);
        EXPECT_EQ(aspects[0].applying, c.applying) << c.a.longitude << "/" << c.a.speed << " " << c.b.longitude;
    }
}

}  // namespace
}  // namespace zentaric
