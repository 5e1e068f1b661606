// A chart's shadbala and bhava bala: its places, and the sunrise, sunset and lords of time of its Vedic day,
// gathered for the strength rules of src/vedic.
#pragma once

#include <array>
#include <string_view>

#include "common/result.hpp"
#include "vedic/shadbala.hpp"

namespace zentaric {

// What a computed chart gives the strengths: angles in degrees.
struct ChartPlaces {
    GrahaLongitudes sidereal;  // the nine grahas (Rahu and Ketu unused)
    double lagna;              // sidereal ascendant
    double mc;                 // sidereal midheaven
    double ayanamsha;          // the chart's: tropical = sidereal + ayanamsha
    double jd_ut;              // the birth, UT Julian Day
    double latitude;           // the place, north positive
    double longitude;          // east positive
};

struct ChartStrength {
    ShadbalaInputs inputs;
    std::array<Shadbala, PLANET_GRAHA_COUNT> shadbala;
    std::array<BhavaBala, 12> bhava_bala;
};

// The strengths of a chart, its Vedic day opened by the Hindu sunrise (the disc's centre on the geometric horizon)
// at the place; fails on a value that is not a finite number, a latitude beyond ±90°, an unknown `required`, a date
// outside the ephemeris, and where the Sun does not rise and set within a day and a half of the birth.
Result<ChartStrength> chart_strength(const ChartPlaces& chart, std::string_view required);

}  // namespace zentaric
