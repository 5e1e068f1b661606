// What Python cannot reach: non-UTF-8 name keys and the ayanamsha systems without a spelling.
// Values, spellings and boundaries seen through the module are in tests/python/test_short_paths.py.
#include <gtest/gtest.h>

#include "common/name_match.hpp"
#include "sidereal/ayanamsha.hpp"

namespace zentaric {
namespace {

TEST(AsciiLowercaseKey, FoldsAsciiAndKelvinOnly) {
    EXPECT_EQ(ascii_lowercase_key("WHOLE_Sign"), "whole_sign");
    EXPECT_EQ(ascii_lowercase_key(std::string_view("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_FALSE(ascii_lowercase_key("\xC4\xB0").has_value());  // U+0130 → "i̇", not ASCII
    EXPECT_FALSE(ascii_lowercase_key("\xE2\x84").has_value());  // truncated sequence
}

TEST(Ayanamsha, SystemsSharingAValueAreEqual) {
    const double jd = 2460000.5;
    EXPECT_EQ(ayanamsha_degrees(Ayanamsha::LahiriVp285, jd), ayanamsha_degrees(Ayanamsha::Lahiri, jd));
    EXPECT_EQ(ayanamsha_degrees(Ayanamsha::AyanamshaOfDate, jd), ayanamsha_degrees(Ayanamsha::Lahiri, jd));
    EXPECT_EQ(ayanamsha_degrees(Ayanamsha::BabylonianKuglerStar3, jd), ayanamsha_degrees(Ayanamsha::TruePushya, jd));
    EXPECT_EQ(ayanamsha_degrees(Ayanamsha::GalacticEquatorTrue, jd),
              ayanamsha_degrees(Ayanamsha::BabylonianKuglerStar1, jd));
    EXPECT_EQ(ayanamsha_degrees(Ayanamsha::DjwhalKhulTibetan2, jd), ayanamsha_degrees(Ayanamsha::SuryaSiddhanta, jd));
    EXPECT_EQ(ayanamsha_name(Ayanamsha::GalacticCenter0Sag), "GalacticCenter0Sag");
}

}  // namespace
}  // namespace zentaric
