// Vimshottari dasha internals Python cannot reach: the text written without the tree equals the text of the tree
// (the rule itself is checked against plain Python in tests/python/test_dasha.py).
#include "format/dasha_json.hpp"
#include "vedic/dasha.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace zentaric {
namespace {

constexpr double J2000_JD = 2451545.0;
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
constexpr double INFINITE = std::numeric_limits<double>::infinity();

TEST(Dasha, WrittenTextEqualsTheTextOfTheTree) {
    struct Case { std::uint8_t levels; double moon, birth; };
    const Case cases[] = {{1, 0.0, J2000_JD},   {2, 6.666666666666667, J2000_JD}, {3, 123.4, J2000_JD},
                          {5, 123.4, J2000_JD}, {4, 359.99999999999994, 0.0},   {3, 226.66666666666666, -1.5e6},
                          {3, 77.7, NOT_A_NUMBER}, {2, 300.0, INFINITE},        {5, 13.333333333333332, 1e7},
                          {0, NOT_A_NUMBER, -0.0}, {4, 45.0, 1e-300},           {3, 200.0, 5e15}};
    for (const Case& c : cases)
        EXPECT_EQ(compute_dasha_json(c.levels, c.moon, c.birth),
                  dasha_json(compute_dasha_tree(c.levels, c.moon, c.birth)))
            << int(c.levels) << " " << c.moon << " " << c.birth;
}

}  // namespace
}  // namespace zentaric
