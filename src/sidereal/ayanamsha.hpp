// Ayanamsha systems: a constant offset at J2000.0 plus the IAU 2006 general precession in longitude.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/name_match.hpp"
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
inline constexpr std::size_t AYANAMSHA_COUNT = 44;

struct AyanamshaRow {
    Ayanamsha id;
    std::string_view name;  // the text form: the variant name
    Spellings spellings;    // matched case-insensitively; most systems have none (not selectable by name)
    double base_degrees;    // value at J2000.0 before the constant term of the precession polynomial
};

inline constexpr std::array<AyanamshaRow, AYANAMSHA_COUNT> AYANAMSHA_TABLE{{
    {Ayanamsha::Lahiri, "Lahiri", {"lahiri"}, 23.856},
    {Ayanamsha::Raman, "Raman", {"raman"}, 22.375},
    {Ayanamsha::Krishnamurti, "Krishnamurti", {"krishnamurti"}, 23.763},
    {Ayanamsha::FaganBradley, "FaganBradley", {"faganbradley", "fagan_bradley"}, 24.736},
    {Ayanamsha::Yukteshwar, "Yukteshwar", {}, 22.461},
    {Ayanamsha::JnBhasin, "JnBhasin", {}, 22.762},
    {Ayanamsha::DjwhalKhul, "DjwhalKhul", {}, 22.177},
    {Ayanamsha::Aldebaran15Tau, "Aldebaran15Tau", {}, 24.763},
    {Ayanamsha::Hipparchos, "Hipparchos", {}, 20.248},
    {Ayanamsha::GalacticCenter0Sag, "GalacticCenter0Sag", {}, 26.852},
    {Ayanamsha::TrueChitrapaksha, "TrueChitrapaksha", {}, 23.841},
    {Ayanamsha::Tropical, "Tropical", {"tropical"}, 0.0},
    {Ayanamsha::DeLuce, "DeLuce", {}, 27.816},
    {Ayanamsha::BvRamanMean, "BvRamanMean", {}, 22.374},
    {Ayanamsha::UshaShashi, "UshaShashi", {}, 23.399},
    {Ayanamsha::Krishnamurti2, "Krishnamurti2", {}, 23.793},
    {Ayanamsha::SuryaSiddhanta, "SuryaSiddhanta", {}, 22.46},
    {Ayanamsha::SuryaSiddhantaMean, "SuryaSiddhantaMean", {}, 21.617},
    {Ayanamsha::Aryabhata, "Aryabhata", {}, 20.895},
    {Ayanamsha::Aryabhata528, "Aryabhata528", {}, 20.657},
    {Ayanamsha::SsDrevJul, "SsDrevJul", {}, 21.966},
    {Ayanamsha::SsCitra, "SsCitra", {}, 23.006},
    {Ayanamsha::TruePushya, "TruePushya", {}, 22.721},
    {Ayanamsha::TrueRevati, "TrueRevati", {}, 20.103},
    {Ayanamsha::TrueMula, "TrueMula", {}, 24.586},
    {Ayanamsha::SundaraRajan, "SundaraRajan", {}, 23.63},
    {Ayanamsha::BabylonianHuber, "BabylonianHuber", {}, 24.734},
    {Ayanamsha::BabylonianEtpsc, "BabylonianEtpsc", {}, 24.522},
    {Ayanamsha::BabylonianKuglerStar1, "BabylonianKuglerStar1", {}, 25.017},
    {Ayanamsha::BabylonianKuglerStar2, "BabylonianKuglerStar2", {}, 24.95},
    {Ayanamsha::BabylonianKuglerStar3, "BabylonianKuglerStar3", {}, 22.721},
    {Ayanamsha::Sassanian, "Sassanian", {}, 19.993},
    {Ayanamsha::GalacticCenterBrand, "GalacticCenterBrand", {}, 25.133},
    {Ayanamsha::GalacticCenterGalAlign, "GalacticCenterGalAlign", {}, 25.033},
    {Ayanamsha::GalacticEquatorIau1958, "GalacticEquatorIau1958", {}, 24.8},
    {Ayanamsha::GalacticEquatorTrue, "GalacticEquatorTrue", {}, 25.017},
    {Ayanamsha::GalacticEquatorMidMula, "GalacticEquatorMidMula", {}, 25.25},
    {Ayanamsha::Skydram, "Skydram", {}, 24.767},
    {Ayanamsha::TrueMoonsNode, "TrueMoonsNode", {}, 24.73},
    {Ayanamsha::Lahiri1940, "Lahiri1940", {}, 23.03},
    {Ayanamsha::LahiriVp285, "LahiriVp285", {}, 23.856},
    {Ayanamsha::ValensMoon, "ValensMoon", {}, 24.433},
    {Ayanamsha::AyanamshaOfDate, "AyanamshaOfDate", {}, 23.856},
    {Ayanamsha::DjwhalKhulTibetan2, "DjwhalKhulTibetan2", {}, 22.46},
}};
static_assert(well_formed(AYANAMSHA_TABLE));

// Text form: the variant name ("Lahiri", "FaganBradley", "Tropical", ...).
constexpr std::string_view ayanamsha_name(Ayanamsha system) noexcept {
    return AYANAMSHA_TABLE[static_cast<std::size_t>(system) % AYANAMSHA_COUNT].name;
}

// A caller-given name matched against the spellings; otherwise "Unknown ayanamsha: " and the name as given.
inline Result<Ayanamsha> parse_ayanamsha(std::string_view name) {
    return parse_name(name, AYANAMSHA_TABLE, "Unknown ayanamsha: ");
}

// General precession accumulated since J2000.0 in degrees (IAU 2006 ψ̄, Fukushima–Williams; Capitaine et al. 2003).
double accumulated_precession(double jd) noexcept;

// Ayanamsha of a system in degrees at a Julian Day; not normalised; 0 for Tropical.
double ayanamsha_degrees(Ayanamsha system, double jd) noexcept;

// Sidereal longitude in [0, 360) of a tropical longitude in degrees.
double to_sidereal(Ayanamsha system, double tropical_longitude, double jd) noexcept;

}  // namespace zentaric
