#include "sidereal/ayanamsha.hpp"

#include "time/angles.hpp"

namespace zentaric {

double accumulated_precession(double jd) noexcept {
    const double t = (jd + (-2451545.0)) / 36525.0;
    // IAU 2006 ψ̄ (Fukushima–Williams), arcseconds, Horner form.
    const double p =
        ((((-0.0000000148 * t + (-0.000026452)) * t + (-0.00018522)) * t + 1.5584175) * t + 5038.481484) * t +
        (-0.041775);
    return p / 3600.0;
}

double ayanamsha_degrees(Ayanamsha system, double jd) noexcept {
    if (system == Ayanamsha::Tropical) return 0.0;
    return accumulated_precession(jd) + AYANAMSHA_TABLE[static_cast<std::size_t>(system) % AYANAMSHA_COUNT].base_degrees;
}

double to_sidereal(Ayanamsha system, double tropical_longitude, double jd) noexcept {
    return normalize_degrees(tropical_longitude - ayanamsha_degrees(system, jd));
}

}  // namespace zentaric
