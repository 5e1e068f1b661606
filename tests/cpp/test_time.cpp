// Calendar, Delta T, time arguments, normalisation and RAMC.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/delta_t.hpp"
#include "time/sidereal_time.hpp"

namespace zentaric {
namespace {

// calendar_to_jd's dates are checked through the module in tests/python/test_short_paths.py.
TEST(Calendar, MonthOfUsesTheJulianCalendarBeforeTheReformAndExtremesStayDefined) {
    EXPECT_EQ(calendar_month_of(1721423.5).year, 1);
    EXPECT_EQ(calendar_month_of(1721423.5).month, 1);
    EXPECT_EQ(calendar_month_of(2451545.0).year, 2000);
    EXPECT_EQ(calendar_month_of(990575.0).year, -2000);
    EXPECT_EQ(calendar_month_of(2816788.0).year, 3000);
    // Only the absence of undefined behaviour matters here (checked under the sanitizers).
    EXPECT_TRUE(std::isfinite(calendar_to_jd(INT32_MIN, 0, 1.0)));
    EXPECT_TRUE(std::isfinite(calendar_to_jd(INT32_MAX, UINT32_MAX, 1.0)));
    for (double jd : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300}) (void)calendar_month_of(jd);
}

TEST(DeltaT, TableValueTableSeamAndTerrestrialTime) {
    EXPECT_NEAR(delta_t(2451545.0), 63.8075, 1e-9);
    // the table seam at 2150 is not smoothed: the parabola takes over one month later
    EXPECT_NEAR(delta_t(calendar_to_jd(2150, 1, 1.0)), 328.57, 0.01);
    EXPECT_DOUBLE_EQ(to_terrestrial_time(2451545.0), 2451545.0 + 63.8075 / 86400.0);
    EXPECT_TRUE(std::isnan(delta_t(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(to_terrestrial_time(std::numeric_limits<double>::infinity())));
}

// The published polynomials summed power by power (not in Horner form) at the decimal year of jd.
double espenak_meeus_reference(double jd) {
    const CalendarMonth cm = calendar_month_of(jd);
    const double y = static_cast<double>(cm.year) + (cm.month - 0.5) / 12.0;
    if (y < -500.0) return -20.0 + 32.0 * std::pow((y - 1820.0) / 100.0, 2);
    if (y < 500.0) {
        const double u = y / 100.0;
        return 10583.6 - 1014.41 * u + 33.78311 * std::pow(u, 2) - 5.952053 * std::pow(u, 3) -
               0.1798452 * std::pow(u, 4) + 0.022174192 * std::pow(u, 5) + 0.0090316521 * std::pow(u, 6);
    }
    if (y < 1600.0) {
        const double u = (y - 1000.0) / 100.0;
        return 1574.2 - 556.01 * u + 71.23472 * std::pow(u, 2) + 0.319781 * std::pow(u, 3) -
               0.8503463 * std::pow(u, 4) - 0.005050998 * std::pow(u, 5) + 0.0083572073 * std::pow(u, 6);
    }
    const double t = y - 1600.0;
    return 120.0 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129.0;
}

TEST(DeltaT, PolynomialRangesMatchThePublishedExpressions) {
    for (const double jd : {990575.0, 1355000.0, 1500000.0, 1720000.5, 1900000.0, 2100000.0, 2250000.0,
                            2305000.0, 2312000.0}) {
        const double expected = espenak_meeus_reference(jd);
        EXPECT_NEAR(delta_t(jd), expected, 1e-9 * std::fabs(expected)) << "jd " << jd;
    }
    // after the table: the parabola again
    EXPECT_NEAR(delta_t(2816788.0), -20.0 + 32.0 * std::pow((3000.0 + 0.5 / 12.0 - 1820.0) / 100.0, 2), 1e-9);
}

TEST(DeltaT, TableEndsAreInclusive) {
    // Decimal year y = year + (month − 0.5)/12: exactly 1620.0 and 2150.0 cannot be reached through a
    // month, so check the rows nearest them are interpolated, not extrapolated by the polynomials.
    EXPECT_NEAR(delta_t(calendar_to_jd(1620, 1, 15.0)), 124.0 - (1.0 / 24.0) / 5.0 * 5.0, 1e-9);
    EXPECT_NEAR(delta_t(calendar_to_jd(2149, 12, 15.0)), 233.8 - (1.0 / 24.0) / 10.0 * 21.8, 1e-9);
}

TEST(Normalize, Radians) {  // degrees: through tropical_to_sidereal in the Python suite
    EXPECT_EQ(normalize_radians(TWO_PI), 0.0);
    EXPECT_EQ(normalize_radians(-1e-17), 0.0);
    EXPECT_DOUBLE_EQ(normalize_radians(-PI / 2), 1.5 * PI);
    EXPECT_EQ(normalize_radians(std::numeric_limits<double>::infinity()), 0.0);
}

TEST(ComputeRamc, MeanSiderealTimeAtJ2000) {
    const double expected = 280.46061837 * PI / 180.0;
    EXPECT_NEAR(compute_ramc(2451545.0, 0.0, 0.0, 0.4), expected, 1e-15);
    EXPECT_NEAR(compute_ramc(2451545.0, TWO_PI, 0.0, 0.4), expected, 1e-14);
    // the equation of the equinoxes adds Δψ·cos ε
    EXPECT_NEAR(compute_ramc(2451545.0, 0.0, 1e-4, 0.0), expected + 1e-4, 1e-15);
    EXPECT_EQ(compute_ramc(std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0, 0.0), 0.0);
}

}  // namespace
}  // namespace zentaric
