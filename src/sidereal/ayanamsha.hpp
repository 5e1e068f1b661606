// Ayanamsha systems: a constant offset at J2000.0 plus the IAU 2006 general precession in longitude.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/result.hpp"

namespace zentaric {

enum class Ayanamsha : std::uint8_t {
    Lahiri, Raman, Krishnamurti, FaganBradley, Yukteshwar, JnBhasin, DjwhalKhul, Aldebaran15Tau, Hipparchos,
    GalacticCenter0Sag, TrueChitrapaksha, Tropical, DeLuce, BvRamanMean, UshaShashi, Krishnamurti2,
    SuryaSiddhanta, SuryaSiddhantaMean, Aryabhata, Aryabhata528, SsDrevJul, SsCitra, TruePushya, TrueRevati,
    TrueMula, SundaraRajan, BabylonianHuber, BabylonianEtpsc, BabylonianKuglerStar1, BabylonianKuglerStar2,
    BabylonianKuglerStar3, Sassanian, GalacticCenterBrand, GalacticCenterGalAlign, GalacticEquatorIau1958,
    GalacticEquatorTrue, GalacticEquatorMidMula, Skydram, TrueMoonsNode, Lahiri1940, LahiriVp285, ValensMoon,
    AyanamshaOfDate, DjwhalKhulTibetan2,
};
inline constexpr int AYANAMSHA_COUNT = 44;

// Text form: the variant name ("Lahiri", "FaganBradley", "Tropical", ...).
std::string_view ayanamsha_name(Ayanamsha system) noexcept;

// "lahiri", "raman", "krishnamurti", "faganbradley", "fagan_bradley", "tropical", in any case.
Result<Ayanamsha> parse_ayanamsha(std::string_view name);

// General precession accumulated since J2000.0 in degrees (IAU 2006 ψ̄, Fukushima–Williams; Capitaine et al. 2003).
double accumulated_precession(double jd) noexcept;

// Ayanamsha of a system in degrees at a Julian Day; not normalised; 0 for Tropical.
double ayanamsha_degrees(Ayanamsha system, double jd) noexcept;

// Sidereal longitude in [0, 360) of a tropical longitude in degrees.
double to_sidereal(Ayanamsha system, double tropical_longitude, double jd) noexcept;

}  // namespace zentaric
