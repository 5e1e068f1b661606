#include "sidereal/ayanamsha.hpp"

#include <array>
#include <string>

#include "common/name_match.hpp"
#include "time/angles.hpp"

namespace zentaric {
namespace {

struct AyanamshaDefinition {
    std::string_view name;
    double base_degrees;  // value at J2000.0 before the constant term of the precession polynomial
};

constexpr std::array<AyanamshaDefinition, AYANAMSHA_COUNT> AYANAMSHA_TABLE{{
    {"Lahiri", 23.856},
    {"Raman", 22.375},
    {"Krishnamurti", 23.763},
    {"FaganBradley", 24.736},
    {"Yukteshwar", 22.461},
    {"JnBhasin", 22.762},
    {"DjwhalKhul", 22.177},
    {"Aldebaran15Tau", 24.763},
    {"Hipparchos", 20.248},
    {"GalacticCenter0Sag", 26.852},
    {"TrueChitrapaksha", 23.841},
    {"Tropical", 0.0},
    {"DeLuce", 27.816},
    {"BvRamanMean", 22.374},
    {"UshaShashi", 23.399},
    {"Krishnamurti2", 23.793},
    {"SuryaSiddhanta", 22.46},
    {"SuryaSiddhantaMean", 21.617},
    {"Aryabhata", 20.895},
    {"Aryabhata528", 20.657},
    {"SsDrevJul", 21.966},
    {"SsCitra", 23.006},
    {"TruePushya", 22.721},
    {"TrueRevati", 20.103},
    {"TrueMula", 24.586},
    {"SundaraRajan", 23.63},
    {"BabylonianHuber", 24.734},
    {"BabylonianEtpsc", 24.522},
    {"BabylonianKuglerStar1", 25.017},
    {"BabylonianKuglerStar2", 24.95},
    {"BabylonianKuglerStar3", 22.721},
    {"Sassanian", 19.993},
    {"GalacticCenterBrand", 25.133},
    {"GalacticCenterGalAlign", 25.033},
    {"GalacticEquatorIau1958", 24.8},
    {"GalacticEquatorTrue", 25.017},
    {"GalacticEquatorMidMula", 25.25},
    {"Skydram", 24.767},
    {"TrueMoonsNode", 24.73},
    {"Lahiri1940", 23.03},
    {"LahiriVp285", 23.856},
    {"ValensMoon", 24.433},
    {"AyanamshaOfDate", 23.856},
    {"DjwhalKhulTibetan2", 22.46},
}};

constexpr std::array<Spelling<Ayanamsha>, 6> ACCEPTED_SPELLINGS{{
    {"lahiri", Ayanamsha::Lahiri},
    {"raman", Ayanamsha::Raman},
    {"krishnamurti", Ayanamsha::Krishnamurti},
    {"faganbradley", Ayanamsha::FaganBradley},
    {"fagan_bradley", Ayanamsha::FaganBradley},
    {"tropical", Ayanamsha::Tropical},
}};

}  // namespace

std::string_view ayanamsha_name(Ayanamsha system) noexcept {
    return AYANAMSHA_TABLE[static_cast<std::size_t>(system) % AYANAMSHA_COUNT].name;
}

Result<Ayanamsha> parse_ayanamsha(std::string_view name) {
    if (const auto system = find_spelling(name, ACCEPTED_SPELLINGS)) return *system;
    return value_error("Unknown ayanamsha: " + std::string(name));
}

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
