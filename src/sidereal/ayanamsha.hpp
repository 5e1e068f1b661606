// Ayanamsha systems: a constant offset at J2000.0 carried by a precession angle of IAU 2006 (ψ̄ for the classical
// table, the general precession in longitude p_A for the systems defined as their authors published them).
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
    AyanamshaOfDate, DjwhalKhulTibetan2, LahiriIcrc, Krishnamurti1900, Raman1900,
};
inline constexpr std::size_t AYANAMSHA_COUNT = 47;

// The angle that carries a system from J2000.0 to the date (IAU 2006, Capitaine et al. 2003; Hilton et al. 2006).
enum class Carrier : std::uint8_t {
    PsiBar,             // ψ̄ of the Fukushima–Williams angles, constant term included
    GeneralPrecession,  // p_A, the general precession in longitude (zero at J2000.0)
};

struct AyanamshaRow {
    Ayanamsha id;
    std::string_view name;  // the text form: the variant name, also the name a caller selects it by
    Spellings spellings;    // further names a caller may use ("kp"), lower case, blanks, '_' and '-' left out
    double base_degrees;    // value at J2000.0 before the constant term of the carrier
    Carrier carrier = Carrier::PsiBar;
};

// The systems their authors published as a value at an epoch: the value is brought to J2000.0 by the precession of
// its era and carried on from there by p_A.

// IAU 1976 general precession in longitude since J2000.0 (Lieske et al. 1977), arcseconds.
constexpr double iau1976_general_precession(double jd) {
    const double t = (jd - 2451545.0) / 36525.0;
    return t * (5029.0966 + t * (1.11113 + t * -0.000006));
}

// Newcomb's general precession in longitude since B1900.0 (JD 2415020.31352): 5025.64" + 2.22" T a tropical century
// of 36524.2199 days, arcseconds.
constexpr double newcomb_general_precession(double jd) {
    const double t = (jd - 2415020.31352) / 36524.2199;
    return t * (5025.64 + t * 1.11);
}

// The Indian Calendar Reform Committee's ayanamsha: 23°15'00.658" on 1956 March 21, 0h (JD 2435553.5) of the true
// equinox, less that instant's nutation in longitude, 16.769" (Indian Ephemeris and Nautical Almanac).
inline constexpr double LAHIRI_ICRC_AT_J2000 =
    (23.250182778 - 0.004658035) +
    (iau1976_general_precession(2451545.0) - iau1976_general_precession(2435553.5)) / 3600.0;
// K.S. Krishnamurti's 22°21'50" and B.V. Raman's 21°00'52" for 1900 January 0.5 (JD 2415020.0), in Newcomb's
// precession.
inline constexpr double KRISHNAMURTI_1900_AT_J2000 =
    (22.0 + 21.0 / 60.0 + 50.0 / 3600.0) +
    (newcomb_general_precession(2451545.0) - newcomb_general_precession(2415020.0)) / 3600.0;
inline constexpr double RAMAN_1900_AT_J2000 =
    (21.0 + 0.0 / 60.0 + 52.0 / 3600.0) +
    (newcomb_general_precession(2451545.0) - newcomb_general_precession(2415020.0)) / 3600.0;

inline constexpr std::array<AyanamshaRow, AYANAMSHA_COUNT> AYANAMSHA_TABLE{{
    {Ayanamsha::Lahiri, "Lahiri", {"chitrapaksha"}, 23.856},
    {Ayanamsha::Raman, "Raman", {}, 22.375},
    {Ayanamsha::Krishnamurti, "Krishnamurti", {"kp"}, 23.763},
    {Ayanamsha::FaganBradley, "FaganBradley", {}, 24.736},
    {Ayanamsha::Yukteshwar, "Yukteshwar", {}, 22.461},
    {Ayanamsha::JnBhasin, "JnBhasin", {}, 22.762},
    {Ayanamsha::DjwhalKhul, "DjwhalKhul", {}, 22.177},
    {Ayanamsha::Aldebaran15Tau, "Aldebaran15Tau", {}, 24.763},
    {Ayanamsha::Hipparchos, "Hipparchos", {}, 20.248},
    {Ayanamsha::GalacticCenter0Sag, "GalacticCenter0Sag", {}, 26.852},
    {Ayanamsha::TrueChitrapaksha, "TrueChitrapaksha", {}, 23.841},
    {Ayanamsha::Tropical, "Tropical", {}, 0.0},
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
    {Ayanamsha::LahiriIcrc, "LahiriIcrc", {}, LAHIRI_ICRC_AT_J2000, Carrier::GeneralPrecession},
    {Ayanamsha::Krishnamurti1900, "Krishnamurti1900", {}, KRISHNAMURTI_1900_AT_J2000, Carrier::GeneralPrecession},
    {Ayanamsha::Raman1900, "Raman1900", {}, RAMAN_1900_AT_J2000, Carrier::GeneralPrecession},
}};
static_assert(well_formed(AYANAMSHA_TABLE));

// No two systems share a name or further name (compared without case).
constexpr bool names_distinct(const std::array<AyanamshaRow, AYANAMSHA_COUNT>& table) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const auto same = [&](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (lower(a[i]) != lower(b[i])) return false;
        return true;
    };
    const auto name = [](const AyanamshaRow& row, std::size_t k) -> std::string_view {
        return k == 0 ? row.name : row.spellings[k - 1] != nullptr ? row.spellings[k - 1] : "";
    };
    for (std::size_t r = 0; r < table.size(); ++r)
        for (std::size_t s = r + 1; s < table.size(); ++s)
            for (std::size_t k = 0; k <= table[r].spellings.size(); ++k)
                for (std::size_t l = 0; l <= table[s].spellings.size(); ++l)
                    if (!name(table[r], k).empty() && same(name(table[r], k), name(table[s], l))) return false;
    return true;
}
static_assert(names_distinct(AYANAMSHA_TABLE));

// Text form: the variant name ("Lahiri", "FaganBradley", "Tropical", ...).
constexpr std::string_view ayanamsha_name(Ayanamsha system) noexcept {
    return AYANAMSHA_TABLE[static_cast<std::size_t>(system) % AYANAMSHA_COUNT].name;
}

// Every system is named by its text form; `named` tells the docstrings' name lists so.
constexpr bool named(const AyanamshaRow&) noexcept { return true; }

// A caller-given name matched against every system's name and further names, case, blanks, '_' and '-' ignored (a
// leading or trailing blank is not); otherwise "Unknown ayanamsha: " and the name as given.
Result<Ayanamsha> parse_ayanamsha(std::string_view name);

// General precession accumulated since J2000.0 in degrees (IAU 2006 ψ̄, Fukushima–Williams; Capitaine et al. 2003).
double accumulated_precession(double jd) noexcept;

// IAU 2006 general precession in longitude p_A since J2000.0 in degrees (Capitaine et al. 2003, eq. 39).
double general_precession_longitude(double jd) noexcept;

// Ayanamsha of a system in degrees at a Julian Day; not normalised; 0 for Tropical.
double ayanamsha_degrees(Ayanamsha system, double jd) noexcept;

// Sidereal longitude in [0, 360) of a tropical longitude in degrees.
double to_sidereal(Ayanamsha system, double tropical_longitude, double jd) noexcept;

}  // namespace zentaric
