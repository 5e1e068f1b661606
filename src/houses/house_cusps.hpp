// House cusps, ascendant and midheaven from RAMC, geographic latitude and obliquity (all degrees).
#pragma once

#include <array>

#include "houses/house_system.hpp"

namespace zentaric {

// Tropical ecliptic longitudes in degrees, [0, 360).
struct Angles {
    double asc;
    double mc;
};

// Tropical ecliptic longitudes in degrees, [0, 360); cusps[0] opens house 1.
struct HouseCusps {
    std::array<double, 12> cusps;
    double asc;
    double mc;
    HouseSystem system;   // always the system requested
    bool polar_fallback;  // Equal cusps stand in: Placidus or Koch undefined, or a wheel not once round
};

// Ascendant and midheaven (degrees) for RAMC, latitude (north positive) and obliquity in degrees. The ascendant
// is the ecliptic degree rising in the east, also inside the polar circle.
Angles compute_angles(double ramc, double latitude, double obliquity) noexcept;

// Cusps of one house system; never fails: degenerate inputs give numbers (non-finite become 0),
// Placidus and Koch fall back to Equal cusps beyond the polar circle or where a semi-arc is undefined, and
// every system does where its twelve cusps do not go once round the zodiac in order.
HouseCusps house_cusps(HouseSystem system, double ramc, double latitude, double obliquity) noexcept;

}  // namespace zentaric
