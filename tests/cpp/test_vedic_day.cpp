// The Vedic day's fast path (a cheap Sun polished on the full series) against the search over three days.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "moments/vedic_day.hpp"

namespace zentaric {
namespace {

using moments::HorizonConvention;
using moments::searched_vedic_day;
using moments::vedic_day;
using moments::VedicDay;

class VedicDayAgainstSearch : public ::testing::TestWithParam<HorizonConvention> {};

TEST_P(VedicDayAgainstSearch, SameThreeEventsWithinAMillisecond) {
    std::mt19937_64 random(static_cast<unsigned>(GetParam()) + 7);
    std::uniform_real_distribution<double> unit(0, 1);
    int polar = 0;
    for (int k = 0; k < 600; ++k) {
        // Mostly 1800-2200, every tenth case anywhere in the years 600-2980; latitudes to ±72° (past the polar
        // circles, where the fast path gives way to the search); every third birth a few seconds from a sunrise.
        double jd = k % 10 == 0 ? 1940000.0 + 870000.0 * unit(random) : 2378497.0 + 146100.0 * unit(random);
        const double latitude = 144.0 * unit(random) - 72.0, longitude = 360.0 * unit(random) - 180.0;
        if (k % 3 == 0) {
            const auto day = searched_vedic_day(jd, latitude, longitude, GetParam());
            ASSERT_TRUE(day.ok());
            if (day.value().complete()) jd = day.value().next_sunrise + (unit(random) - 0.5) * 1e-4;
        }
        const auto fast = vedic_day(jd, latitude, longitude, GetParam());
        const auto searched = searched_vedic_day(jd, latitude, longitude, GetParam());
        ASSERT_TRUE(fast.ok() && searched.ok());
        const VedicDay a = fast.value(), b = searched.value();
        polar += !b.complete();
        for (auto [x, y] : {std::pair{a.sunrise, b.sunrise}, {a.sunset, b.sunset}, {a.next_sunrise, b.next_sunrise}}) {
            ASSERT_EQ(std::isnan(x), std::isnan(y)) << jd << " " << latitude << " " << longitude;
            if (!std::isnan(x)) {
                EXPECT_NEAR(x, y, 1e-3 / 86400.0) << jd << " " << latitude << " " << longitude;
            }
        }
    }
    EXPECT_GT(polar, 0);  // some days without a sunrise or a sunset were met
}

INSTANTIATE_TEST_SUITE_P(Conventions, VedicDayAgainstSearch,
                         ::testing::Values(HorizonConvention::Hindu, HorizonConvention::Civil,
                                           HorizonConvention::CivilTwilight,
                                           HorizonConvention::AstronomicalTwilight));

TEST(VedicDay, FailsAsTheSearchDoes) {
    EXPECT_FALSE(vedic_day(NAN, 28.6, 77.2, HorizonConvention::Hindu).ok());
    EXPECT_FALSE(vedic_day(2451545.0, 91.0, 77.2, HorizonConvention::Hindu).ok());
    EXPECT_FALSE(vedic_day(1e9, 28.6, 77.2, HorizonConvention::Hindu).ok());
}

}  // namespace
}  // namespace zentaric
