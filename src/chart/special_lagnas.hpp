// The special lagnas and upagrahas of a birth: the day's sunrise, sunset and the lagna at Saturn's eighth, gathered
// for the rules of vedic/special_lagnas.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/result.hpp"
#include "sidereal/ayanamsha.hpp"
#include "vedic/special_lagnas.hpp"

namespace zentaric {

struct BirthLagnas {
    double sunrise;       // UT Julian Day of the sunrise that opens the birth's Vedic day
    double sunset;        // the sunset after it
    double next_sunrise;  // the sunrise after that sunset
    std::uint8_t weekday; // of the sunrise, 0 Sunday .. 6 Saturday
    bool night;           // born between the sunset and the next sunrise
    SpecialLagnas lagnas; // bhava, hora, ghati (sidereal degrees)
    double gulika;        // the lagna at the start of Saturn's eighth of the day or night
    double mandi;         // the lagna at its middle
    SunUpagrahas sun_upagrahas;
};

// For a UT Julian Day, latitude and longitude in degrees (north, east), the names of an ayanamsha and a sunrise
// convention ("hindu", "civil"); fails for unknown names, a date outside the ephemeris, or a place where the Sun does
// not rise and set around the birth.
Result<BirthLagnas> birth_lagnas(double jd_ut, double latitude, double longitude, std::string_view ayanamsha,
                                 std::string_view convention);

// The sidereal ascendant (degrees) at a UT Julian Day and place, as the natal chart computes it.
double sidereal_ascendant(double jd_ut, double latitude, double longitude, Ayanamsha ayanamsha) noexcept;

}  // namespace zentaric
