// Shadbala, the six strengths of Sun..Saturn in virupas (BPHS ch. 27, as B.V. Raman works them in "Graha and Bhava
// Balas"), the sputa drishti it weighs aspects by (BPHS ch. 26) and the bhava bala of the twelve houses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"
#include "vedic/graha.hpp"

namespace zentaric {

// What a chart and its day give the strengths (the chart layer finds the moments). Angles in degrees, times UT Julian
// Days unless named otherwise.
struct ShadbalaInputs {
    GrahaLongitudes sidereal;  // the nine grahas
    double ayanamsha;          // tropical = sidereal + ayanamsha
    double lagna;              // sidereal ascendant
    double mc;                 // sidereal midheaven
    double obliquity;          // true obliquity of date
    double jd_ut;              // the birth
    double jd_tt;              // the birth in TT (mean longitudes)
    double sunrise;            // the sunrise that opens the Vedic day holding the birth
    double sunset;             // the sunset after it
    double next_sunrise;       // the sunrise that ends the day
    double sun_hour_angle;     // the Sun's local hour angle at the birth, (−180, 180], 0 at apparent noon
    std::int64_t ahargana;     // civil days from the Kali epoch (JD 588466, a Friday) to the sunrise's date
};

// Every part, virupas (60 to a rupa).
struct ShadbalaParts {
    // Sthana bala
    double uchcha, saptavargaja, ojayugma, kendra, drekkana;
    double dig;
    // Kala bala
    double nathonnata, paksha, tribhaga, abda, masa, vara, hora, ayana, yuddha;
    double cheshta, naisargika, drik;

    double sthana() const noexcept { return uchcha + saptavargaja + ojayugma + kendra + drekkana; }
    double kala() const noexcept {
        return nathonnata + paksha + tribhaga + abda + masa + vara + hora + ayana + yuddha;
    }
    double total() const noexcept { return sthana() + dig + kala() + cheshta + naisargika + drik; }
};

struct Shadbala {
    ShadbalaParts parts;
    double total;     // virupas
    double rupas;     // total / 60
    double required;  // rupas
    double ratio;     // rupas / required
    double ishta;     // ishta phala, sqrt(uchcha × cheshta)
    double kashta;    // kashta phala, sqrt((60 − uchcha)(60 − cheshta))
};

// The minimum strength each planet needs, Sun..Saturn in rupas: BPHS 27 (Sun 6.5) or B.V. Raman (Sun 5).
enum class RequiredStrength : std::uint8_t { Bphs, Raman };
inline constexpr std::size_t REQUIRED_STRENGTH_COUNT = 2;

struct RequiredStrengthRow {
    RequiredStrength id;
    std::string_view name;
    Spellings spellings;
    std::array<double, PLANET_GRAHA_COUNT> rupas;
};

inline constexpr std::array<RequiredStrengthRow, REQUIRED_STRENGTH_COUNT> REQUIRED_STRENGTH_TABLE{{
    {RequiredStrength::Bphs, "bphs", {"bphs", "parashara"}, {6.5, 6, 5, 7, 6.5, 5.5, 5}},
    {RequiredStrength::Raman, "raman", {"raman"}, {5, 6, 5, 7, 6.5, 5.5, 5}},
}};
static_assert(well_formed(REQUIRED_STRENGTH_TABLE));

inline Result<RequiredStrength> parse_required_strength(std::string_view name) {
    return parse_name(name, REQUIRED_STRENGTH_TABLE, "Unknown required strength: ");
}

// The aspect (sputa drishti, 0..60 virupas) a planet (Sun..Saturn) casts on a point `distance` degrees ahead of it
// (BPHS ch. 26), with the special aspects of Mars (4th, 8th), Jupiter (5th, 9th) and Saturn (3rd, 10th), at most 60.
double sputa_drishti(Graha aspecting, double distance) noexcept;

// Shadbala of Sun..Saturn.
std::array<Shadbala, PLANET_GRAHA_COUNT> shadbala(const ShadbalaInputs& inputs, RequiredStrength required) noexcept;

struct BhavaBala {
    Graha lord;
    double lord_strength;  // the lord's shadbala, virupas
    double dig;            // 0..60
    double drishti;        // signed
    double total;          // virupas
};

// Bhava bala of houses 1..12 (equal houses from the lagna's degree, each measured at its middle, the lagna + 30°(k − 1)).
std::array<BhavaBala, 12> bhava_bala(const ShadbalaInputs& inputs,
                                     const std::array<Shadbala, PLANET_GRAHA_COUNT>& strengths) noexcept;

}  // namespace zentaric
