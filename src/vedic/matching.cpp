#include "vedic/matching.hpp"

#include "time/angles.hpp"
#include "vedic/graha.hpp"
#include "vedic/index.hpp"
#include "vedic/koota_tables.hpp"
#include "vedic/nakshatra.hpp"

namespace zentaric {
namespace {

using namespace koota;

constexpr std::uint8_t SIGN_COUNT = 12;

// Counts inclusive from the girl's nakshatra (sign) to the boy's: 1 for the same one.
std::uint8_t nakshatra_count(const MoonPlace& from, const MoonPlace& to) noexcept {
    return static_cast<std::uint8_t>((to.nakshatra + NAKSHATRA_COUNT - from.nakshatra) % NAKSHATRA_COUNT + 1);
}
std::uint8_t sign_count(const MoonPlace& from, const MoonPlace& to) noexcept {
    return static_cast<std::uint8_t>((to.sign + SIGN_COUNT - from.sign) % SIGN_COUNT + 1);
}

std::uint8_t lord(std::uint8_t sign) noexcept { return static_cast<std::uint8_t>(sign_lord(sign)); }
std::uint8_t navamsha_lord(const MoonPlace& place) noexcept {
    return lord(static_cast<std::uint8_t>((place.nakshatra * 4 + place.pada - 1) % SIGN_COUNT));
}
std::uint8_t vashya_class(const MoonPlace& place) noexcept {
    return VASHYA_OF_HALF_SIGN[place.sign * 2 + (place.second_half ? 1 : 0)];
}
std::uint8_t tara(std::uint8_t count) noexcept { return static_cast<std::uint8_t>((count - 1) % 9); }

KootaScore of(std::uint8_t half_points, std::uint8_t boy, std::uint8_t girl, std::uint8_t count = 0) noexcept {
    return KootaScore{half_points, boy, girl, count};
}
constexpr std::uint8_t AGREES = 2;  // a porutham that agrees scores 1 of 1

// ---- Ashtakoota (Muhurta Chintamani, vivaha prakarana) ----

KootaScore varna(const MoonPlace& boy, const MoonPlace& girl) noexcept {  // the boy's varna at least the girl's
    const auto b = VARNA_OF_SIGN[boy.sign], g = VARNA_OF_SIGN[girl.sign];
    return of(b >= g ? 2 : 0, b, g);
}

KootaScore vashya(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = vashya_class(boy), g = vashya_class(girl);
    return of(VASHYA_HALF_POINTS[b][g], b, g);
}

// 1½ for each direction whose tara is not Vipat, Pratyari or Vadha.
KootaScore tara_koota(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const std::uint8_t count = nakshatra_count(girl, boy);
    const auto b = tara(count), g = tara(nakshatra_count(boy, girl));
    return of(static_cast<std::uint8_t>((TARA_AUSPICIOUS[b] ? 3 : 0) + (TARA_AUSPICIOUS[g] ? 3 : 0)), b, g, count);
}

KootaScore yoni(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = YONI_OF_NAKSHATRA[boy.nakshatra], g = YONI_OF_NAKSHATRA[girl.nakshatra];
    return of(static_cast<std::uint8_t>(2 * YONI_POINTS[b][g]), b, g);
}

KootaScore graha_maitri(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = lord(boy.sign), g = lord(girl.sign);
    return of(MAITRI_HALF_POINTS[b][g], b, g);
}

KootaScore gana(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = GANA_OF_NAKSHATRA[boy.nakshatra], g = GANA_OF_NAKSHATRA[girl.nakshatra];
    return of(static_cast<std::uint8_t>(2 * GANA_POINTS[b][g]), b, g);
}

KootaScore bhakoota(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const std::uint8_t count = sign_count(girl, boy);
    return of(BHAKOOTA_DOSHA_COUNT[count] ? 0 : 14, boy.sign, girl.sign, count);
}

KootaScore nadi(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = NADI_OF_NAKSHATRA[boy.nakshatra], g = NADI_OF_NAKSHATRA[girl.nakshatra];
    return of(b != g ? 16 : 0, b, g);
}

// ---- The ten poruthams (South Indian practice; counts from the girl's nakshatra or sign to the boy's) ----

// Dina: the count leaves 2, 4, 6, 8 or 0 over nine (the boy's tara from the girl's is Sampat, Kshema, Sadhaka,
// Mitra or Parama Mitra).
KootaScore dina(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const std::uint8_t count = nakshatra_count(girl, boy);
    return of(count % 9 % 2 == 0 ? AGREES : 0, tara(count), tara(nakshatra_count(boy, girl)), count);
}

// Gana: the same gana, or Deva with Manushya; a Rakshasa with either of the others does not agree.
KootaScore gana_porutham(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = GANA_OF_NAKSHATRA[boy.nakshatra], g = GANA_OF_NAKSHATRA[girl.nakshatra];
    return of(b == g || (b != 2 && g != 2) ? AGREES : 0, b, g);
}

// Mahendra: the count is 4, 7, 10, 13, 16, 19, 22 or 25.
KootaScore mahendra(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const std::uint8_t count = nakshatra_count(girl, boy);
    return of(count >= 4 && count % 3 == 1 ? AGREES : 0, 0, 0, count);
}

// Stree deergha: the boy's nakshatra lies beyond the 13th from the girl's.
KootaScore stree_deergha(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const std::uint8_t count = nakshatra_count(girl, boy);
    return of(count > 13 ? AGREES : 0, 0, 0, count);
}

// Yoni: the two animals are not sworn enemies.
KootaScore yoni_porutham(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = YONI_OF_NAKSHATRA[boy.nakshatra], g = YONI_OF_NAKSHATRA[girl.nakshatra];
    return of(YONI_POINTS[b][g] > 0 ? AGREES : 0, b, g);
}

// Rasi: the boy's sign is the girl's own or lies beyond the 6th from it, but not in the 8th (the 6/8 relation).
KootaScore rasi(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const std::uint8_t count = sign_count(girl, boy);
    return of(count == 1 || (count > 6 && count != 8) ? AGREES : 0, boy.sign, girl.sign, count);
}

// Rasyadhipati: neither sign lord is a natural enemy of the other (graha maitri of 3 or more).
KootaScore rasyadhipati(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = lord(boy.sign), g = lord(girl.sign);
    return of(MAITRI_HALF_POINTS[b][g] >= 6 ? AGREES : 0, b, g);
}

// Vasya: one sign is vashya to the other.
KootaScore vasya(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const bool agrees = ((VASHYA_SIGNS[girl.sign] >> boy.sign) & 1u) != 0 ||
                        ((VASHYA_SIGNS[boy.sign] >> girl.sign) & 1u) != 0;
    return of(agrees ? AGREES : 0, boy.sign, girl.sign);
}

// Rajju: the two nakshatras are in different rajjus.
KootaScore rajju(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = RAJJU_OF_NAKSHATRA[boy.nakshatra], g = RAJJU_OF_NAKSHATRA[girl.nakshatra];
    return of(b != g ? AGREES : 0, b, g);
}

// Vedha: the two nakshatras do not pierce each other.
KootaScore vedha(const MoonPlace& boy, const MoonPlace& girl) noexcept {
    const auto b = VEDHA_PARTNER[boy.nakshatra], g = VEDHA_PARTNER[girl.nakshatra];
    const bool pierced = boy.nakshatra != girl.nakshatra && (b == girl.nakshatra || (b == MARS_VEDHA && g == b));
    return of(pierced ? 0 : AGREES, 0, 0);
}

constexpr std::array<KootaRow, 8> ASHTAKOOTA_ROWS{{
    {"Varna", 2, VARNA_NAMES, false, varna},
    {"Vashya", 4, VASHYA_NAMES, false, vashya},
    {"Tara", 6, TARA_NAMES, false, tara_koota},
    {"Yoni", 8, YONI_NAMES, false, yoni},
    {"Graha Maitri", 10, LORD_NAMES, false, graha_maitri},
    {"Gana", 12, GANA_NAMES, false, gana},
    {"Bhakoota", 14, SIGN_NAMES, true, bhakoota},
    {"Nadi", 16, NADI_NAMES, true, nadi},
}};

constexpr std::array<KootaRow, 10> PORUTHAM_ROWS{{
    {"Dina", AGREES, TARA_NAMES, false, dina},
    {"Gana", AGREES, GANA_NAMES, false, gana_porutham},
    {"Mahendra", AGREES, {}, false, mahendra},
    {"Stree Deergha", AGREES, {}, false, stree_deergha},
    {"Yoni", AGREES, YONI_NAMES, false, yoni_porutham},
    {"Rasi", AGREES, SIGN_NAMES, false, rasi},
    {"Rasyadhipati", AGREES, LORD_NAMES, false, rasyadhipati},
    {"Vasya", AGREES, SIGN_NAMES, false, vasya},
    {"Rajju", AGREES, RAJJU_NAMES, true, rajju},
    {"Vedha", AGREES, {}, true, vedha},
}};

// ---- Cancellations (dosha parihara) of the North Indian practice after Muhurta Chintamani's commentators ----

bool same_sign_other_nakshatra(const MoonPlace& b, const MoonPlace& g) noexcept {
    return b.sign == g.sign && b.nakshatra != g.nakshatra;
}
bool same_nakshatra_other_sign(const MoonPlace& b, const MoonPlace& g) noexcept {
    return b.nakshatra == g.nakshatra && b.sign != g.sign;
}
bool same_nakshatra_other_pada(const MoonPlace& b, const MoonPlace& g) noexcept {
    return b.nakshatra == g.nakshatra && b.pada != g.pada;
}
bool friends(std::uint8_t a, std::uint8_t b) noexcept { return MAITRI_HALF_POINTS[a][b] == 10; }
bool sign_lords_same_or_friends(const MoonPlace& b, const MoonPlace& g) noexcept {
    return friends(lord(b.sign), lord(g.sign));
}
bool sign_lords_same(const MoonPlace& b, const MoonPlace& g) noexcept { return lord(b.sign) == lord(g.sign); }
bool sign_lords_friends(const MoonPlace& b, const MoonPlace& g) noexcept {
    return lord(b.sign) != lord(g.sign) && friends(lord(b.sign), lord(g.sign));
}
bool navamsha_lords_same_or_friends(const MoonPlace& b, const MoonPlace& g) noexcept {
    return friends(navamsha_lord(b), navamsha_lord(g));
}

constexpr std::uint8_t BHAKOOTA = 6, NADI = 7;
constexpr CancellationRow CANCELLATIONS[]{
    {MatchSystem::Ashtakoota, NADI, "same sign", "both Moons in one sign, in different nakshatras",
     same_sign_other_nakshatra},
    {MatchSystem::Ashtakoota, NADI, "same nakshatra, different signs",
     "both Moons in one nakshatra, in different signs", same_nakshatra_other_sign},
    {MatchSystem::Ashtakoota, NADI, "same nakshatra, different padas",
     "both Moons in one nakshatra, in different padas", same_nakshatra_other_pada},
    {MatchSystem::Ashtakoota, NADI, "sign lords friends", "the Moon signs' lords are one planet or natural friends",
     sign_lords_same_or_friends},
    {MatchSystem::Ashtakoota, BHAKOOTA, "same sign lord", "the two Moon signs have one lord", sign_lords_same},
    {MatchSystem::Ashtakoota, BHAKOOTA, "sign lords friends", "the Moon signs' lords are natural friends",
     sign_lords_friends},
    {MatchSystem::Ashtakoota, BHAKOOTA, "navamsha lords friends",
     "the lords of the Moons' navamsha signs are one planet or natural friends", navamsha_lords_same_or_friends},
};

constexpr std::array<MatchSystemRow, MATCH_SYSTEM_COUNT> SYSTEMS{{
    {MatchSystem::Ashtakoota, "Ashtakoota", {"ashtakoota", "guna milan", "ashtakuta"}, ASHTAKOOTA_ROWS},
    {MatchSystem::Porutham, "Porutham", {"porutham", "dashakoota", "poruthams"}, PORUTHAM_ROWS},
}};
static_assert(well_formed(SYSTEMS));

}  // namespace

const std::array<MatchSystemRow, MATCH_SYSTEM_COUNT> MATCH_SYSTEM_TABLE = SYSTEMS;
const std::span<const CancellationRow> CANCELLATION_TABLE{CANCELLATIONS};

MoonPlace moon_place(double sidereal_longitude) noexcept {
    const double longitude = normalize_degrees(sidereal_longitude);
    const std::uint8_t nakshatra = nakshatra_of(longitude), pada = pada_of(longitude);
    const auto sign = static_cast<std::uint8_t>((nakshatra * 4 + pada - 1) / 9);  // padas never straddle signs
    return MoonPlace{nakshatra, pada, sign, longitude - 30.0 * sign >= 15.0};
}

int moon_place_code(const MoonPlace& place) noexcept {
    return (place.nakshatra * 4 + place.pada - 1) * 2 + (place.second_half ? 1 : 0);
}

MoonPlace moon_place_of_code(int code) noexcept {
    const int wrapped = ((code % MOON_PLACE_COUNT) + MOON_PLACE_COUNT) % MOON_PLACE_COUNT;
    const int pada_index = wrapped / 2;
    return MoonPlace{static_cast<std::uint8_t>(pada_index / 4), static_cast<std::uint8_t>(pada_index % 4 + 1),
                     static_cast<std::uint8_t>(pada_index / 9), wrapped % 2 == 1};
}

MatchResult match_moons(MatchSystem system, const MoonPlace& boy, const MoonPlace& girl) noexcept {
    MatchResult result{};
    result.system = system;
    const auto& rows = MATCH_SYSTEM_TABLE[static_cast<std::size_t>(system) % MATCH_SYSTEM_COUNT].kootas;
    result.koota_count = static_cast<std::uint8_t>(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const KootaScore score = rows[k].evaluate(boy, girl);
        result.scores[k] = score;
        result.total_half_points = static_cast<std::uint16_t>(result.total_half_points + score.half_points);
        result.maximum_half_points =
            static_cast<std::uint16_t>(result.maximum_half_points + rows[k].maximum_half_points);
        if (rows[k].dosha_when_zero && score.half_points == 0) result.doshas |= static_cast<std::uint16_t>(1u << k);
    }
    for (std::size_t c = 0; c < CANCELLATION_TABLE.size(); ++c) {
        const CancellationRow& row = CANCELLATION_TABLE[c];
        if (row.system == system && (result.doshas >> row.koota & 1u) != 0 && row.applies(boy, girl))
            result.cancellations |= 1u << c;
    }
    return result;
}

}  // namespace zentaric
