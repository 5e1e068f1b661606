#include "sidereal/ayanamsha.hpp"

#include <string>

#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric {

Result<Ayanamsha> parse_ayanamsha(std::string_view name) {
    if (const std::optional<std::string> key = loose_key(name)) {
        for (const AyanamshaRow& row : AYANAMSHA_TABLE) {
            if (loosely_equal(row.name, *key)) return row.id;
            for (const char* further : row.spellings)
                if (further != nullptr && *key == further) return row.id;
        }
    }
    return value_error("Unknown ayanamsha: " + std::string(name));
}

double accumulated_precession(double jd) noexcept { return precession_psi_bar(julian_centuries(jd)) / 3600.0; }

double general_precession_longitude(double jd) noexcept {
    const double t = julian_centuries(jd);
    // IAU 2006 p_A (Capitaine et al. 2003), arcseconds → degrees.
    return t * (5028.796195 + t * (1.1054348 + t * (0.00007964 + t * (-0.000023857 + t * -0.0000000383)))) / 3600.0;
}

double ayanamsha_degrees(Ayanamsha system, double jd) noexcept {
    if (system == Ayanamsha::Tropical) return 0.0;
    const AyanamshaRow& row = AYANAMSHA_TABLE[static_cast<std::size_t>(system) % AYANAMSHA_COUNT];
    const double carried =
        row.carrier == Carrier::PsiBar ? accumulated_precession(jd) : general_precession_longitude(jd);
    return carried + row.base_degrees;
}

double to_sidereal(Ayanamsha system, double tropical_longitude, double jd) noexcept {
    return normalize_degrees(tropical_longitude - ayanamsha_degrees(system, jd));
}

}  // namespace zentaric
