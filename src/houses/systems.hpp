// The ten house computations behind house_cusps (internal to houses/). Degrees in and out.
#pragma once

#include "houses/house_cusps.hpp"

namespace zentaric::houses {

// Ecliptic and equatorial divisions.
HouseCusps equal_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps whole_sign_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps porphyry_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps sripathi_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps morinus_houses(double ramc, double latitude, double obliquity) noexcept;

// The Equal record labelled as the requested system, with polar_fallback set (Placidus and Koch only).
HouseCusps equal_fallback(HouseSystem requested, double ramc, double latitude, double obliquity) noexcept;

// Quadrant systems.
HouseCusps placidus_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps koch_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps regiomontanus_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps campanus_houses(double ramc, double latitude, double obliquity) noexcept;
HouseCusps alcabitius_houses(double ramc, double latitude, double obliquity) noexcept;

}  // namespace zentaric::houses
