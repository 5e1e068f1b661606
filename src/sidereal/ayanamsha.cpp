#include "sidereal/ayanamsha.hpp"

#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

double accumulated_precession(double jd) noexcept { return precession_psi_bar(julian_centuries(jd)) / 3600.0; }

double ayanamsha_degrees(Ayanamsha system, double jd) noexcept {
    if (system == Ayanamsha::Tropical) return 0.0;
    return accumulated_precession(jd) + AYANAMSHA_TABLE[static_cast<std::size_t>(system) % AYANAMSHA_COUNT].base_degrees;
}

double to_sidereal(Ayanamsha system, double tropical_longitude, double jd) noexcept {
    return normalize_degrees(tropical_longitude - ayanamsha_degrees(system, jd));
}

}  // namespace zentaric
