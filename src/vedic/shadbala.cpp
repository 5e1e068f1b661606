// Shadbala and bhava bala.
#include "vedic/shadbala.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "vedic/index.hpp"
#include "vedic/relationship.hpp"
#include "vedic/varga.hpp"
#include "vedic/vedic_dignity.hpp"

namespace zentaric {
namespace {

constexpr std::size_t PLANETS = PLANET_GRAHA_COUNT;

// The angle between two longitudes, 0..180 degrees.
double separation(double a, double b) noexcept {
    const double d = normalize_degrees(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

// The Kali epoch's civil day, JD 588466 (18 February 3102 BC, Julian), a Friday: weekday 5 counting Sunday as 0.
constexpr std::int64_t KALI_EPOCH_WEEKDAY = 5;

// Weekday 0 (Sunday) .. 6 (Saturday) of the day `days` after the Kali epoch. The weekday lords in order are the
// Graha order itself: Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn.
Graha weekday_lord(std::int64_t days) noexcept {
    const std::int64_t weekday = ((KALI_EPOCH_WEEKDAY + days) % 7 + 7) % 7;
    return static_cast<Graha>(weekday);
}

// Floor division for a day count that may precede the epoch.
std::int64_t floor_div(std::int64_t a, std::int64_t b) noexcept { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Saptavargaja points (B.V. Raman): moolatrikona 45 (in the rashi, within its degrees), own sign 30, and by the
// five-fold relationship with the sign's lord 22.5, 15, 7.5, 3.75, 1.875.
constexpr std::array<double, 5> RELATIONSHIP_POINTS = {22.5, 15.0, 7.5, 3.75, 1.875};
constexpr std::array<Varga, 7> SAPTAVARGA = {Varga::Rashi,    Varga::Hora,         Varga::Drekkana,   Varga::Saptamsha,
                                            Varga::Navamsha, Varga::Dwadashamsha, Varga::Trimshamsha};

double saptavargaja_bala(Graha planet, const GrahaLongitudes& d1) noexcept {
    const double longitude = normalize_degrees(d1[static_cast<std::size_t>(planet)]);
    const DignityRow& row = DIGNITY_TABLE[static_cast<std::size_t>(planet)];
    double points = 0.0;
    for (const Varga varga : SAPTAVARGA) {
        const std::uint8_t sign = varga_sign(varga, longitude);
        const double degree = longitude - 30.0 * sign_index_of(longitude);
        if (varga == Varga::Rashi && sign == row.moolatrikona_sign && degree >= row.moolatrikona_from &&
            degree < row.moolatrikona_to) {
            points += 45.0;
        } else if (sign_lord(sign) == planet) {
            points += 30.0;
        } else {
            points += RELATIONSHIP_POINTS[static_cast<std::size_t>(compound_relationship(planet, sign_lord(sign), d1))];
        }
    }
    return points;
}

// Mean longitudes, mean equinox of date, degrees (Meeus, Astronomical Algorithms ch. 31, the linear terms), Sun..Saturn
// order with the Earth in the Sun's place (the mean Sun is the Earth's + 180°); the Moon's row is unused.
constexpr std::array<std::array<double, 2>, PLANETS> MEAN_LONGITUDE = {{
    {100.466457, 36000.7698278},   // Earth
    {0.0, 0.0},                    // (Moon)
    {355.433000, 19141.6964471},   // Mars
    {252.250906, 149474.0722491},  // Mercury
    {34.351519, 3036.3027748},     // Jupiter
    {181.979801, 58519.2130302},   // Venus
    {50.077444, 1223.5110686},     // Saturn
}};

double mean_longitude(Graha planet, double centuries) noexcept {
    const auto& row = MEAN_LONGITUDE[static_cast<std::size_t>(planet)];
    return normalize_degrees(row[0] + row[1] * centuries);
}

// Cheshta bala of Mars..Saturn (BPHS 27): the cheshta kendra is the seeghrochcha less the mean of the mean and the
// true (geocentric, tropical) planet, reduced to 180°, over 3. The seeghrochcha of Mars, Jupiter and Saturn is the
// mean Sun and their mean planet their own mean longitude; Mercury and Venus have the mean Sun as mean planet and their
// own heliocentric mean longitude as seeghrochcha.
double cheshta_bala(Graha planet, double true_tropical, double centuries) noexcept {
    const double mean_sun = normalize_degrees(mean_longitude(Graha::Sun, centuries) + 180.0);
    const bool inferior = planet == Graha::Mercury || planet == Graha::Venus;
    const double mean_planet = inferior ? mean_sun : mean_longitude(planet, centuries);
    const double seeghrochcha = inferior ? mean_longitude(planet, centuries) : mean_sun;
    double half = normalize_degrees(true_tropical - mean_planet);
    if (half > 180.0) half -= 360.0;
    return separation(seeghrochcha, mean_planet + half / 2.0) / 3.0;
}

// Disc diameters in arcseconds (Surya Siddhanta, as B.V. Raman gives them) of Mars, Mercury, Jupiter, Venus, Saturn.
constexpr std::array<double, PLANETS> DISC_DIAMETER = {0.0, 0.0, 9.4, 6.6, 190.4, 16.6, 158.0};

// A planet's ayana bala before the Sun's doubling: 60 × (24° + kranti) / 48°, the kranti the declination of the
// ecliptic point at its tropical longitude, counted positive north for the Sun, Mars, Jupiter and Venus, positive
// south for the Moon and Saturn, and always positive for Mercury (B.V. Raman).
double ayana_bala(Graha planet, double tropical, double obliquity) noexcept {
    double kranti = std::asin(std::sin(obliquity * DEG_TO_RAD) * std::sin(tropical * DEG_TO_RAD)) * RAD_TO_DEG;
    if (planet == Graha::Moon || planet == Graha::Saturn) kranti = -kranti;
    if (planet == Graha::Mercury) kranti = std::fabs(kranti);
    return 60.0 * (24.0 + kranti) / 48.0;
}

// Benefics for paksha and drik bala: Jupiter, Venus and Mercury always (Mercury taken as benefic), the Moon while
// waxing (Moon − Sun below 180°); the Sun, Mars, Saturn and the waning Moon are malefics.
bool benefic(Graha planet, bool moon_waxing) noexcept {
    return planet == Graha::Jupiter || planet == Graha::Venus || planet == Graha::Mercury ||
           (planet == Graha::Moon && moon_waxing);
}

// The powerless point of dig bala (BPHS 27): the Sun and Mars are strongest on the midheaven, Jupiter and Mercury on
// the ascendant, the Moon and Venus on the lower meridian, Saturn on the descendant.
double powerless_point(Graha planet, double lagna, double mc) noexcept {
    switch (planet) {
        case Graha::Sun: case Graha::Mars: return mc + 180.0;
        case Graha::Jupiter: case Graha::Mercury: return lagna + 180.0;
        case Graha::Moon: case Graha::Venus: return mc;
        default: return lagna;
    }
}

}  // namespace

double sputa_drishti(Graha aspecting, double distance) noexcept {
    const double d = normalize_degrees(distance);
    double value = 0.0;
    if (d >= 30.0 && d < 60.0) value = (d - 30.0) / 2.0;
    else if (d >= 60.0 && d < 90.0) value = d - 60.0 + 15.0;
    else if (d >= 90.0 && d < 120.0) value = (120.0 - d) / 2.0 + 30.0;
    else if (d >= 120.0 && d < 150.0) value = 150.0 - d;
    else if (d >= 150.0 && d < 180.0) value = (d - 150.0) * 2.0;
    else if (d >= 180.0 && d < 300.0) value = (300.0 - d) / 2.0;
    // The special aspects (BPHS 26): Mars gains 15 over its 4th and 8th houses, Jupiter 30 over its 5th and 9th,
    // Saturn 45 over its 3rd and 10th.
    if (aspecting == Graha::Mars && ((d >= 90.0 && d < 120.0) || (d >= 210.0 && d < 240.0))) value += 15.0;
    if (aspecting == Graha::Jupiter && ((d >= 120.0 && d < 150.0) || (d >= 240.0 && d < 270.0))) value += 30.0;
    if (aspecting == Graha::Saturn && ((d >= 60.0 && d < 90.0) || (d >= 270.0 && d < 300.0))) value += 45.0;
    return value < 60.0 ? value : 60.0;  // a full aspect is 60
}

std::array<Shadbala, PLANET_GRAHA_COUNT> shadbala(const ShadbalaInputs& in, RequiredStrength required) noexcept {
    const GrahaLongitudes& d1 = in.sidereal;
    const double centuries = (in.jd_tt - 2451545.0) / 36525.0;
    const std::uint8_t lagna_sign = sign_index_of(normalize_degrees(in.lagna));
    const double elongation = normalize_degrees(d1[1] - d1[0]);
    const bool moon_waxing = elongation < 180.0;
    const double paksha_angle = separation(d1[1], d1[0]);
    const bool by_day = in.jd_ut < in.sunset;
    const double span = by_day ? in.sunset - in.sunrise : in.next_sunrise - in.sunset;
    const double since = by_day ? in.jd_ut - in.sunrise : in.jd_ut - in.sunset;
    const int third = static_cast<int>(std::fmin(std::fmax(std::floor(3.0 * since / span), 0.0), 2.0));
    const Graha tribhaga_lord = by_day ? std::array{Graha::Mercury, Graha::Sun, Graha::Saturn}[third]
                                       : std::array{Graha::Moon, Graha::Venus, Graha::Mars}[third];
    // Lords of the 360-day year and the 30-day month the ahargana falls in, of the day and of the hour (BPHS 27: equal
    // horas of an hour from sunrise, the first the day's lord, then in the order of the planets' distances).
    const Graha year_lord = weekday_lord(360 * floor_div(in.ahargana, 360));
    const Graha month_lord = weekday_lord(30 * floor_div(in.ahargana, 30));
    const Graha day_lord = weekday_lord(in.ahargana);
    constexpr std::array<Graha, 7> CHALDEAN = {Graha::Saturn, Graha::Jupiter, Graha::Mars, Graha::Sun,
                                               Graha::Venus,  Graha::Mercury, Graha::Moon};
    std::size_t day_lord_at = 0;
    while (CHALDEAN[day_lord_at] != day_lord) ++day_lord_at;
    const auto hora = static_cast<std::size_t>(std::fmax(std::floor((in.jd_ut - in.sunrise) * 24.0), 0.0));
    const Graha hora_lord = CHALDEAN[(day_lord_at + hora) % 7];
    // Distance of the Sun from the lower meridian, 0..180 degrees (0 at midnight, 180 at noon).
    const double from_midnight = 180.0 - std::fabs(in.sun_hour_angle);

    std::array<ShadbalaParts, PLANETS> parts{};
    for (std::size_t index = 0; index < PLANETS; ++index) {
        const auto planet = static_cast<Graha>(index);
        const double longitude = normalize_degrees(d1[index]);
        const double tropical = normalize_degrees(longitude + in.ayanamsha);
        const std::uint8_t sign = sign_index_of(longitude);
        const DignityRow& row = DIGNITY_TABLE[index];
        ShadbalaParts& p = parts[index];
        const bool feminine = planet == Graha::Moon || planet == Graha::Venus;
        // Sthana bala (BPHS 27.1-9).
        p.uchcha = (180.0 - separation(longitude, 30.0 * row.exaltation_sign + row.exaltation_degree)) / 3.0;
        p.saptavargaja = saptavargaja_bala(planet, d1);
        const bool odd_sign = sign % 2 == 0;
        const bool odd_navamsha = varga_sign(Varga::Navamsha, longitude) % 2 == 0;
        p.ojayugma = 15.0 * ((odd_sign != feminine) + (odd_navamsha != feminine));
        const int house = (sign - lagna_sign + 12) % 12;  // 0 for the first
        p.kendra = house % 3 == 0 ? 60.0 : house % 3 == 1 ? 30.0 : 15.0;
        const int decanate = static_cast<int>((longitude - 30.0 * sign) / 10.0);
        const int favoured = feminine ? 2 : (planet == Graha::Mercury || planet == Graha::Saturn) ? 1 : 0;
        p.drekkana = decanate == favoured ? 15.0 : 0.0;
        p.dig = separation(longitude, powerless_point(planet, in.lagna, in.mc)) / 3.0;
        // Kala bala (BPHS 27.10-20).
        const bool diurnal = planet == Graha::Sun || planet == Graha::Jupiter || planet == Graha::Venus;
        p.nathonnata = planet == Graha::Mercury ? 60.0 : diurnal ? from_midnight / 3.0 : (180.0 - from_midnight) / 3.0;
        const double paksha = benefic(planet, true) ? paksha_angle / 3.0 : 60.0 - paksha_angle / 3.0;
        p.paksha = planet == Graha::Moon ? 2.0 * paksha : paksha;  // the Moon's is doubled
        p.tribhaga = planet == Graha::Jupiter || planet == tribhaga_lord ? 60.0 : 0.0;
        p.abda = planet == year_lord ? 15.0 : 0.0;
        p.masa = planet == month_lord ? 30.0 : 0.0;
        p.vara = planet == day_lord ? 45.0 : 0.0;
        p.hora = planet == hora_lord ? 60.0 : 0.0;
        const double ayana = ayana_bala(planet, tropical, in.obliquity);
        p.ayana = planet == Graha::Sun ? 2.0 * ayana : ayana;  // the Sun's is doubled
        // Cheshta bala: the Sun's is its ayana bala, the Moon's its paksha bala (BPHS 27.21-22).
        p.cheshta = planet == Graha::Sun ? ayana : planet == Graha::Moon ? paksha : cheshta_bala(planet, tropical, centuries);
        // Naisargika bala: 60 × 7/7, 6/7, 2/7, 3/7, 4/7, 5/7, 1/7.
        constexpr std::array<double, PLANETS> NATURAL = {7, 6, 2, 3, 4, 5, 1};
        p.naisargika = 60.0 * NATURAL[index] / 7.0;
        // Drik bala: a quarter of the benefics' aspects less a quarter of the malefics' (B.V. Raman).
        for (std::size_t other = 0; other < PLANETS; ++other) {
            if (other == index) continue;
            const auto from = static_cast<Graha>(other);
            const double aspect = sputa_drishti(from, longitude - d1[other]) / 4.0;
            p.drik += benefic(from, moon_waxing) ? aspect : -aspect;
        }
    }
    // Yuddha bala: two of Mars..Saturn within a degree are at war; the one with the larger sthana, dig and kala bala
    // wins, and the difference of those sums over the difference of their discs goes from the loser to the winner.
    for (std::size_t a = 2; a < PLANETS; ++a) {
        for (std::size_t b = a + 1; b < PLANETS; ++b) {
            if (separation(d1[a], d1[b]) >= 1.0) continue;
            const double strength_a = parts[a].sthana() + parts[a].dig + parts[a].kala();
            const double strength_b = parts[b].sthana() + parts[b].dig + parts[b].kala();
            const double share = std::fabs(strength_a - strength_b) / std::fabs(DISC_DIAMETER[a] - DISC_DIAMETER[b]);
            const std::size_t winner = strength_a >= strength_b ? a : b;
            parts[winner].yuddha += share;
            parts[winner == a ? b : a].yuddha -= share;
        }
    }
    const RequiredStrengthRow& minimum = REQUIRED_STRENGTH_TABLE[static_cast<std::size_t>(required)];
    std::array<Shadbala, PLANETS> result{};
    for (std::size_t index = 0; index < PLANETS; ++index) {
        const ShadbalaParts& p = parts[index];
        const double total = p.total();
        result[index] = {p, total, total / 60.0, minimum.rupas[index], total / 60.0 / minimum.rupas[index],
                         std::sqrt(p.uchcha * p.cheshta), std::sqrt((60.0 - p.uchcha) * (60.0 - p.cheshta))};
    }
    return result;
}

std::array<BhavaBala, 12> bhava_bala(const ShadbalaInputs& in,
                                     const std::array<Shadbala, PLANET_GRAHA_COUNT>& strengths) noexcept {
    const bool moon_waxing = normalize_degrees(in.sidereal[1] - in.sidereal[0]) < 180.0;
    std::array<BhavaBala, 12> result{};
    for (std::size_t house = 0; house < 12; ++house) {
        const double middle = normalize_degrees(in.lagna + 30.0 * static_cast<double>(house));
        const std::uint8_t sign = sign_index_of(middle);
        const double degree = middle - 30.0 * sign;
        BhavaBala& bala = result[house];
        bala.lord = sign_lord(sign);
        bala.lord_strength = strengths[static_cast<std::size_t>(bala.lord)].total;
        // Bhava dig bala (B.V. Raman): human signs (Gemini, Virgo, Libra, Aquarius, Sagittarius's first half) are
        // strongest on the ascendant, water signs (Cancer, Pisces, Capricorn's second half) on the lower meridian,
        // Scorpio on the descendant, the quadrupeds (Aries, Taurus, Leo, Sagittarius's second half, Capricorn's
        // first half) on the midheaven; 60 there, 0 opposite.
        double strongest = in.mc;
        if (sign == 2 || sign == 5 || sign == 6 || sign == 10 || (sign == 8 && degree < 15.0)) strongest = in.lagna;
        else if (sign == 3 || sign == 11 || (sign == 9 && degree >= 15.0)) strongest = in.mc + 180.0;
        else if (sign == 7) strongest = in.lagna + 180.0;
        bala.dig = (180.0 - separation(middle, strongest)) / 3.0;
        // Bhava drishti bala: a quarter of each benefic's aspect on the house's middle less a quarter of each
        // malefic's; Jupiter's and Mercury's aspects count in full (B.V. Raman).
        for (std::size_t other = 0; other < PLANET_GRAHA_COUNT; ++other) {
            const auto from = static_cast<Graha>(other);
            const double weight = from == Graha::Jupiter || from == Graha::Mercury ? 1.0 : 0.25;
            const double aspect = weight * sputa_drishti(from, middle - in.sidereal[other]);
            bala.drishti += benefic(from, moon_waxing) ? aspect : -aspect;
        }
        bala.total = bala.lord_strength + bala.dig + bala.drishti;
    }
    return result;
}

}  // namespace zentaric
