#include "time/delta_t.hpp"

#include <array>
#include <cmath>
#include <limits>

#include "time/calendar.hpp"

namespace zentaric {
namespace {

struct DeltaTRow {
    double year;
    double seconds;
};

// Delta T in seconds, 1620–2100 every 5 years, then 2110–2150 every 10 (Espenak & Meeus, NASA Five Millennium Canon).
constexpr std::array<DeltaTRow, 102> DELTA_T_TABLE{{
    {1620, 124},  {1625, 119},  {1630, 115},  {1635, 110},  {1640, 106},  {1645, 101},  {1650, 97},
    {1655, 93},   {1660, 89},   {1665, 85},   {1670, 81},   {1675, 77},   {1680, 74},   {1685, 70},
    {1690, 67},   {1695, 64},   {1700, 62},   {1705, 60},   {1710, 58},   {1715, 56},   {1720, 54},
    {1725, 52},   {1730, 50},   {1735, 48},   {1740, 46},   {1745, 44},   {1750, 42},   {1755, 40},
    {1760, 38},   {1765, 35},   {1770, 33},   {1775, 31},   {1780, 28},   {1785, 26},   {1790, 24},
    {1795, 22},   {1800, 13.7}, {1805, 12.5}, {1810, 12},   {1815, 12.2}, {1820, 12.5}, {1825, 13.1},
    {1830, 7.7},  {1835, 5},    {1840, 6.5},  {1845, 7.5},  {1850, 6.8},  {1855, 7.5},  {1860, 7.6},
    {1865, 5.7},  {1870, 1.3},  {1875, -3.2}, {1880, -5.4}, {1885, -5.8}, {1890, -5.9}, {1895, -3.8},
    {1900, -2.7}, {1905, 3.6},  {1910, 10.4}, {1915, 17.2}, {1920, 21.2}, {1925, 23.9}, {1930, 24},
    {1935, 24},   {1940, 24.3}, {1945, 26.8}, {1950, 29.1}, {1955, 31.1}, {1960, 33.2}, {1965, 35.7},
    {1970, 40.2}, {1975, 45.5}, {1980, 50.5}, {1985, 54.3}, {1990, 56.9}, {1995, 60.8}, {2000, 63.8},
    {2005, 64.7}, {2010, 66.1}, {2015, 68},   {2020, 69.4}, {2025, 69.2}, {2030, 73.2}, {2035, 75.8},
    {2040, 78.8}, {2045, 82.1}, {2050, 85.8}, {2055, 89.8}, {2060, 94.1}, {2065, 98.8}, {2070, 103.8},
    {2075, 109.2}, {2080, 114.9}, {2085, 121}, {2090, 127.4}, {2095, 134.2}, {2100, 141.4},
    {2110, 156.6}, {2120, 173.4}, {2130, 191.8}, {2140, 212},   {2150, 233.8},
}};

double interpolate(const DeltaTRow& r0, const DeltaTRow& r1, double y) noexcept {
    return (y - r0.year) / (r1.year - r0.year) * (r1.seconds - r0.seconds) + r0.seconds;
}

// Long-term parabola of Morrison & Stephenson as used by Espenak & Meeus, seconds.
double parabola(double y) noexcept {
    const double u = (y - 1820.0) / 100.0;
    return 32.0 * u * u - 20.0;
}

double table_value(double y) noexcept {
    if (y <= DELTA_T_TABLE[1].year) return interpolate(DELTA_T_TABLE[0], DELTA_T_TABLE[1], y);
    for (std::size_t i = 2; i < DELTA_T_TABLE.size(); ++i) {
        if (DELTA_T_TABLE[i].year >= y) return interpolate(DELTA_T_TABLE[i - 1], DELTA_T_TABLE[i], y);
    }
    return DELTA_T_TABLE.back().seconds;  // not reached for y ≤ 2150
}

}  // namespace

// Espenak & Meeus (2006) expressions outside the table, Horner form from the highest power.
double delta_t(double jd_ut) noexcept {
    if (!std::isfinite(jd_ut)) return std::numeric_limits<double>::quiet_NaN();
    const CalendarMonth cm = calendar_month_of(jd_ut);
    const double y = static_cast<double>(cm.year) + (cm.month - 0.5) / 12.0;
    if (y >= 1620.0 && y <= 2150.0) return table_value(y);
    if (y < -500.0) return parabola(y);
    if (y < 500.0) {
        const double u = y / 100.0;
        return ((((((0.0090316521 * u + 0.022174192) * u - 0.1798452) * u - 5.952053) * u + 33.78311) * u -
                 1014.41) * u) + 10583.6;
    }
    if (y < 1600.0) {
        const double u = (y - 1000.0) / 100.0;
        return ((((((0.0083572073 * u - 0.005050998) * u - 0.8503463) * u + 0.319781) * u + 71.23472) * u -
                 556.01) * u) + 1574.2;
    }
    if (y < 1620.0) {
        const double t = y - 1600.0;
        return (((1.0 / 7129.0) * t - 0.01532) * t - 0.9808) * t + 120.0;
    }
    return parabola(y);  // y > 2150
}

double to_terrestrial_time(double jd_ut) noexcept { return jd_ut + delta_t(jd_ut) / SECONDS_PER_DAY; }

}  // namespace zentaric
