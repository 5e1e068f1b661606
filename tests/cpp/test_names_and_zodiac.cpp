// What Python cannot reach: name keys that are not UTF-8.
// Values, spellings and boundaries seen through the module are in tests/python/test_short_paths.py.
#include <gtest/gtest.h>

#include "common/name_match.hpp"

namespace zentaric {
namespace {

TEST(AsciiLowercaseKey, FoldsAsciiAndKelvinOnly) {
    EXPECT_EQ(ascii_lowercase_key("WHOLE_Sign"), "whole_sign");
    EXPECT_EQ(ascii_lowercase_key(std::string_view("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_FALSE(ascii_lowercase_key("\xC4\xB0").has_value());  // U+0130 → "i̇", not ASCII
    EXPECT_FALSE(ascii_lowercase_key("\xE2\x84").has_value());  // truncated sequence
}

}  // namespace
}  // namespace zentaric
