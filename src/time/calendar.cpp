#include "time/calendar.hpp"

#include <cmath>

namespace zentaric {

// Meeus ch. 7, proleptic Gregorian throughout (B applied to every date).
double calendar_to_jd(std::int32_t year, std::uint32_t month, double day) noexcept {
    std::int64_t y = year;
    std::int64_t m = month;
    if (month < 3) {
        y -= 1;
        m += 12;
    }
    const double yd = static_cast<double>(y);
    const double md = static_cast<double>(m);
    const double a = std::floor(yd / 100.0);
    const double b = 2.0 - a + std::floor(a * 0.25);
    return ((std::floor(30.6001 * (md + 1.0)) + std::floor(365.25 * (yd + 4716.0))) + day) + b - 1524.5;
}

// Meeus ch. 7, inverse conversion (Julian calendar before 1582 October 15); the day is not formed.
namespace {

// floor(x) as a signed 64-bit integer, saturating; NaN gives 0.
std::int64_t floor_to_int64(double x) noexcept {
    const double f = std::floor(x);
    if (!(f == f)) return 0;
    if (f <= -9.2e18) return -9'200'000'000'000'000'000;
    if (f >= 9.2e18) return 9'200'000'000'000'000'000;
    return static_cast<std::int64_t>(f);
}

}  // namespace

CalendarMonth calendar_month_of(double jd) noexcept {
    // Beyond ±1e15 days the integer steps below would overflow; such days have no calendar meaning anyway.
    const std::int64_t z = floor_to_int64(std::fmin(std::fmax(jd + 0.5, -1e15), 1e15));
    std::int64_t a = z;
    if (z >= 2299161) {
        const std::int64_t alpha = floor_to_int64((static_cast<double>(z) - 1867216.25) / 36524.25);
        a = z + 1 + alpha - alpha / 4;
    }
    const std::int64_t k = a + 1524;
    const std::int64_t n = floor_to_int64((static_cast<double>(k) - 122.1) / 365.25);
    const std::int64_t d = floor_to_int64(365.25 * static_cast<double>(n));
    const std::int64_t e = floor_to_int64(static_cast<double>(k - d) / 30.6001);
    const int month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    const std::int64_t year = month > 2 ? n - 4716 : n - 4715;
    return CalendarMonth{year, month};
}

}  // namespace zentaric
