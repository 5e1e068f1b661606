// Compact JSON writer: number layout, string escapes, member order, nesting.
#include "common/json.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

namespace zentaric {
namespace {

std::string number_text(double value) {
    std::string out;
    append_json_number(out, value);
    return out;
}

std::string string_text(std::string_view text) {
    std::string out;
    append_json_string(out, text);
    return out;
}

TEST(Json, NumberLayoutCases) {  // every other number: against the layout rule below
    const std::pair<double, const char*> cases[] = {
        // k = 15 is the last fixed exponent, 16 the first scientific one, -5 and -6 below one; whole numbers ".0"
        {1e15, "1000000000000000.0"}, {1e16, "1e+16"}, {1.5e-5, "0.000015"}, {1e-6, "1e-6"},
        {9007199254740993.0, "9007199254740992.0"}, {0.0, "0.0"}, {-0.0, "-0.0"}, {-0.00000123, "-1.23e-6"},
        {DBL_MAX, "1.7976931348623157e+308"}, {5e-324, "5e-324"}, {-std::numeric_limits<double>::infinity(), "null"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(number_text(value), text);
}

// The layout rules applied literally to the shortest scientific digits d1.d2..dn × 10^k.
std::string layout_from_scientific_digits(double value) {
    if (!std::isfinite(value)) return "null";
    std::string text = std::signbit(value) ? "-" : "";
    if (value == 0.0) return text + "0.0";
    char scientific[40];
    *std::to_chars(scientific, scientific + 39, std::fabs(value), std::chars_format::scientific).ptr = '\0';
    std::string digits;
    const char* read = scientific;
    for (; *read != 'e'; ++read)
        if (*read != '.') digits += *read;
    const int k = std::atoi(read + 1);
    const int n = static_cast<int>(digits.size());
    if (k >= -5 && k <= 15) {
        if (k >= n - 1) return text + digits + std::string(k - n + 1, '0') + ".0";
        if (k >= 0) return text + digits.substr(0, k + 1) + "." + digits.substr(k + 1);
        return text + "0." + std::string(-k - 1, '0') + digits;
    }
    text += digits.substr(0, 1);
    if (n > 1) {  // appended piece by piece: g++ 12 misreads "." + std::string as overlapping copies (-Wrestrict)
        text += '.';
        text += digits.substr(1);
    }
    return text + (k >= 0 ? "e+" : "e-") + std::to_string(std::abs(k));
}

TEST(Json, WriterAgreesWithTheLayoutAppliedToShortestScientificDigits) {
    // Random decimals, whole numbers up to 1e26, neighbours of powers of ten and any bit pattern (every binary
    // exponent, subnormals included, is drawn many times over).
    std::mt19937_64 generator(7);
    std::uniform_int_distribution<int> decade(-25, 25);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    for (int trial = 0; trial < 300000; ++trial) {
        double value = mantissa(generator) * std::pow(10.0, decade(generator));
        if (trial % 4 == 0) value = std::nearbyint(value);  // whole numbers, up to 1e26
        if (trial % 4 == 1) value = std::nextafter(std::pow(10.0, decade(generator)), trial % 8 == 1 ? 0.0 : 1e300);
        if (trial % 4 == 2) {
            const std::uint64_t bits = generator();
            std::memcpy(&value, &bits, sizeof value);
        }
        const std::string text = number_text(value);
        ASSERT_EQ(text, layout_from_scientific_digits(value)) << value;
        if (std::isfinite(value)) {
            const double read_back = std::strtod(text.c_str(), nullptr);
            ASSERT_EQ(std::memcmp(&read_back, &value, sizeof value), 0) << text;
        }
    }
}

TEST(Json, StringEscapes) {
    EXPECT_EQ(string_text(""), "\"\"");
    EXPECT_EQ(string_text("Ashwini"), "\"Ashwini\"");
    EXPECT_EQ(string_text("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(string_text("\b\t\n\f\r"), "\"\\b\\t\\n\\f\\r\"");
    EXPECT_EQ(string_text(std::string_view("\0\x01\x1f\x0b", 4)), "\"\\u0000\\u0001\\u001f\\u000b\"");
    EXPECT_EQ(string_text("/ \x7f"), "\"/ \x7f\"");  // slash and DEL are not escaped
    EXPECT_EQ(string_text("Mūla मूल"), "\"Mūla मूल\"");
}

}  // namespace
}  // namespace zentaric
