// Calendar dates and Julian Days; the time arguments of every series (Meeus, Astronomical Algorithms ch. 7).
#pragma once

#include <cstdint>

namespace zentaric {

inline constexpr double J2000 = 2451545.0;          // Julian Day of J2000.0 (TT)
inline constexpr double DAYS_PER_CENTURY = 36525.0;
inline constexpr double DAYS_PER_MILLENNIUM = 365250.0;
inline constexpr double SECONDS_PER_DAY = 86400.0;

// Julian Day of a proleptic Gregorian date; month is not validated (0 is December before, 13 January after).
double calendar_to_jd(std::int32_t year, std::uint32_t month, double day) noexcept;

struct CalendarMonth {
    std::int64_t year;
    int month;  // 1..12
};

// Year and month of a Julian Day (Julian calendar before 1582 October 15), Meeus ch. 7.
CalendarMonth calendar_month_of(double jd) noexcept;

// Julian centuries since J2000.0: (jd − 2451545) / 36525.
inline double julian_centuries(double jd) noexcept { return (jd - J2000) / DAYS_PER_CENTURY; }

// Julian millennia since J2000.0: (jd − 2451545) / 365250 (the VSOP87 time argument).
inline double julian_millennia(double jd) noexcept { return (jd - J2000) / DAYS_PER_MILLENNIUM; }

}  // namespace zentaric
