#include "vedic/yogas.hpp"

#include <bit>
#include <initializer_list>

#include "time/angles.hpp"
#include "vedic/drishti.hpp"
#include "vedic/index.hpp"
#include "vedic/relationship.hpp"

namespace zentaric {
namespace {

using G = Graha;
using C = const YogaChart&;
using F = YogaInstances&;

constexpr GrahaSet bit(G g) noexcept { return static_cast<GrahaSet>(1u << static_cast<unsigned>(g)); }
constexpr std::size_t at(G g) noexcept { return static_cast<std::size_t>(g); }

constexpr G SEVEN[] = {G::Sun, G::Moon, G::Mars, G::Mercury, G::Jupiter, G::Venus, G::Saturn};
constexpr G FIVE[] = {G::Mars, G::Mercury, G::Jupiter, G::Venus, G::Saturn};  // the tara grahas
constexpr G BENEFICS[] = {G::Mercury, G::Jupiter, G::Venus};
constexpr G MALEFICS[] = {G::Sun, G::Mars, G::Saturn, G::Rahu, G::Ketu};
constexpr G MALEFIC_PLANETS[] = {G::Sun, G::Mars, G::Saturn};

std::uint8_t house_from(std::uint8_t reference_sign, std::uint8_t sign) noexcept {
    return static_cast<std::uint8_t>((sign + 12 - reference_sign) % 12 + 1);
}
bool one_of(std::uint8_t house, std::initializer_list<int> houses) noexcept {
    for (int h : houses)
        if (house == h) return true;
    return false;
}
bool kendra(std::uint8_t house) noexcept { return one_of(house, {1, 4, 7, 10}); }
bool kendra_or_trikona(std::uint8_t house) noexcept { return one_of(house, {1, 4, 5, 7, 9, 10}); }
bool dusthana(std::uint8_t house) noexcept { return one_of(house, {6, 8, 12}); }

G lord(C c, int house) noexcept { return sign_lord(static_cast<std::uint8_t>((c.lagna_sign + house - 1) % 12)); }
std::uint8_t house_of(C c, G g) noexcept { return c.house[at(g)]; }
std::uint8_t from_graha(C c, G reference, G g) noexcept { return house_from(c.sign[at(reference)], c.sign[at(g)]); }
bool together(C c, G a, G b) noexcept { return c.sign[at(a)] == c.sign[at(b)]; }
bool strong_sign(C c, G g) noexcept {  // exalted, moolatrikona or own sign
    const VedicDignity d = c.dignity[at(g)];
    return d == VedicDignity::Exalted || d == VedicDignity::Moolatrikona || d == VedicDignity::Own;
}
bool aspects(C c, G from, G to) noexcept { return (graha_drishti(from, c.sign[at(from)]) >> c.sign[at(to)] & 1u) != 0; }
bool exchange(C c, G a, G b) noexcept {
    return a != b && sign_lord(c.sign[at(a)]) == b && sign_lord(c.sign[at(b)]) == a;
}

// The grahas of `among` in one of `houses` counted from `reference` (from the lagna when it is null).
template <std::size_t N>
GrahaSet in_houses(C c, const G (&among)[N], const G* reference, std::initializer_list<int> houses) noexcept {
    GrahaSet set = 0;
    for (G g : among) {
        const std::uint8_t house = reference ? from_graha(c, *reference, g) : house_of(c, g);
        if (one_of(house, houses)) set |= bit(g);
    }
    return set;
}

// ---- Pancha Mahapurusha (BPHS): the graha in a kendra from the lagna, in its own sign or exalted ----
template <G g>
void mahapurusha(C c, F found) noexcept {
    if (kendra(house_of(c, g)) && strong_sign(c, g)) found.add(bit(g));
}

// ---- The Moon's and the Sun's yogas (BPHS, Chandra and Surya yogas; Phaladeepika ch. 6) ----
constexpr G MOON = G::Moon;

void gajakesari(C c, F found) noexcept {
    if (kendra(from_graha(c, G::Moon, G::Jupiter))) found.add(bit(G::Moon) | bit(G::Jupiter));
}
void budha_aditya(C c, F found) noexcept {
    if (together(c, G::Sun, G::Mercury)) found.add(bit(G::Sun) | bit(G::Mercury));
}
void chandra_mangala(C c, F found) noexcept {
    if (together(c, G::Moon, G::Mars)) found.add(bit(G::Moon) | bit(G::Mars));
}
void adhi(C c, F found) noexcept {
    const GrahaSet set = in_houses(c, BENEFICS, &MOON, {6, 7, 8});
    if (set == (bit(G::Mercury) | bit(G::Jupiter) | bit(G::Venus))) found.add(set | bit(G::Moon));
}
template <bool second, bool twelfth, G reference>
void flanking(C c, F found) noexcept {  // Sunapha, Anapha, Durudhara, Kemadruma; Vesi, Vasi, Ubhayachari
    const G from = reference;
    const GrahaSet in_second = in_houses(c, FIVE, &from, {2}), in_twelfth = in_houses(c, FIVE, &from, {12});
    if ((in_second != 0) == second && (in_twelfth != 0) == twelfth) found.add(bit(reference) | in_second | in_twelfth);
}
void amala(C c, F found) noexcept {
    if (const GrahaSet set = in_houses(c, BENEFICS, nullptr, {10})) found.add(set);
}
void lakshmi(C c, F found) noexcept {
    const G ninth = lord(c, 9), first = lord(c, 1);
    if (strong_sign(c, ninth) && kendra_or_trikona(house_of(c, ninth)) && kendra_or_trikona(house_of(c, first)))
        found.add(bit(ninth) | bit(first));
}
void saraswati(C c, F found) noexcept {
    const GrahaSet set = in_houses(c, BENEFICS, nullptr, {1, 2, 4, 5, 7, 9, 10});
    const G host = sign_lord(c.sign[at(G::Jupiter)]);
    const bool jupiter_well = strong_sign(c, G::Jupiter) || natural_relationship(G::Jupiter, host) == Relationship::Friend;
    if (set == (bit(G::Mercury) | bit(G::Jupiter) | bit(G::Venus)) && jupiter_well) found.add(set);
}
void parvata(C c, F found) noexcept {
    const GrahaSet benefics = in_houses(c, BENEFICS, nullptr, {1, 4, 7, 10});
    if (benefics != 0 && in_houses(c, MALEFICS, nullptr, {6, 8}) == 0) found.add(benefics);
}
void kahala(C c, F found) noexcept {
    const G fourth = lord(c, 4), ninth = lord(c, 9), first = lord(c, 1);
    if (fourth != ninth && kendra(from_graha(c, fourth, ninth)) && kendra_or_trikona(house_of(c, first)))
        found.add(bit(fourth) | bit(ninth) | bit(first));
}
void vasumati(C c, F found) noexcept {
    const GrahaSet set = in_houses(c, BENEFICS, &MOON, {3, 6, 10, 11});
    if (set == (bit(G::Mercury) | bit(G::Jupiter) | bit(G::Venus))) found.add(set | bit(G::Moon));
}
void sakata(C c, F found) noexcept {
    if (one_of(from_graha(c, G::Moon, G::Jupiter), {6, 8, 12})) found.add(bit(G::Moon) | bit(G::Jupiter));
}
template <bool benefic>
void kartari(C c, F found) noexcept {  // Shubha and Papa Kartari of the lagna
    const GrahaSet second = benefic ? in_houses(c, BENEFICS, nullptr, {2}) : in_houses(c, MALEFICS, nullptr, {2});
    const GrahaSet twelfth = benefic ? in_houses(c, BENEFICS, nullptr, {12}) : in_houses(c, MALEFICS, nullptr, {12});
    if (second != 0 && twelfth != 0) found.add(second | twelfth);
}
void chatussagara(C c, F found) noexcept {
    GrahaSet set = 0;
    for (int kendra_house : {1, 4, 7, 10}) {
        const GrahaSet here = in_houses(c, SEVEN, nullptr, {kendra_house});
        if (here == 0) return;
        set |= here;
    }
    found.add(set);
}

// ---- Viparita Raja yogas (Phaladeepika ch. 6): the lord of a dusthana in a dusthana ----
template <int house>
void viparita(C c, F found) noexcept {
    const G ruler = lord(c, house);
    if (dusthana(house_of(c, ruler))) found.add(bit(ruler));
}

// Neecha bhanga raja yoga (Phaladeepika ch. 7): a debilitated graha whose debilitation sign's lord or exaltation
// sign's lord stands in a kendra from the lagna or from the Moon.
void neecha_bhanga(C c, F found) noexcept {
    for (G g : SEVEN) {
        if (c.dignity[at(g)] != VedicDignity::Debilitated) continue;
        for (G canceller : {sign_lord(c.sign[at(g)]), sign_lord(DIGNITY_TABLE[at(g)].exaltation_sign)}) {
            if (kendra(house_of(c, canceller)) || kendra(from_graha(c, G::Moon, canceller)))
                found.add(bit(g) | bit(canceller));
        }
    }
}

// Kala sarpa: the seven grahas all on one side of the nodes' axis (strictly between Rahu and Ketu).
void kala_sarpa(C c, F found) noexcept {
    const double rahu = c.longitudes[at(G::Rahu)];
    int ahead = 0, behind = 0;
    for (G g : SEVEN) {
        const double from_rahu = normalize_degrees(c.longitudes[at(g)] - rahu);
        if (from_rahu > 0.0 && from_rahu < 180.0) ++ahead;
        if (from_rahu > 180.0) ++behind;
    }
    if (ahead == 7 || behind == 7) found.add(bit(G::Rahu) | bit(G::Ketu));
}

// ---- Exchanges (Phaladeepika ch. 6): maha between two of houses 1, 2, 4, 5, 7, 9, 10, 11; khala with the 3rd;
// dainya with the 6th, 8th or 12th ----
enum class Exchange { Maha, Khala, Dainya };
template <Exchange kind>
void parivartana(C c, F found) noexcept {
    for (G a : SEVEN)
        for (G b : SEVEN) {
            if (a >= b || !exchange(c, a, b)) continue;
            const std::uint8_t ha = house_of(c, a), hb = house_of(c, b);
            const Exchange is = dusthana(ha) || dusthana(hb) ? Exchange::Dainya
                                : ha == 3 || hb == 3        ? Exchange::Khala
                                                            : Exchange::Maha;
            if (is == kind) found.add(bit(a) | bit(b));
        }
}

// ---- Raja yogas (BPHS): a lord of a kendra and a lord of a trikona, two grahas, related ----
enum class Relation { Conjunction, MutualAspect, Exchange };
bool related(C c, G a, G b, Relation relation) noexcept {
    switch (relation) {
        case Relation::Conjunction: return together(c, a, b);
        case Relation::MutualAspect: return aspects(c, a, b) && aspects(c, b, a);
        case Relation::Exchange: return exchange(c, a, b);
    }
    return false;
}
template <Relation relation>
void raja(C c, F found) noexcept {
    for (int k : {1, 4, 7, 10})
        for (int t : {1, 5, 9}) {
            const G a = lord(c, k), b = lord(c, t);
            if (a != b && related(c, a, b, relation)) found.add(bit(a) | bit(b));
        }
}
void dharma_karmadhipati(C c, F found) noexcept {
    const G ninth = lord(c, 9), tenth = lord(c, 10);
    if (ninth == tenth) return;
    for (Relation r : {Relation::Conjunction, Relation::MutualAspect, Relation::Exchange})
        if (related(c, ninth, tenth, r)) found.add(bit(ninth) | bit(tenth));
}
// Dhana yoga (BPHS): the lord of the 2nd or 11th with the lord of the 5th or 9th, two grahas in one sign.
void dhana(C c, F found) noexcept {
    for (int wealth : {2, 11})
        for (int fortune : {5, 9}) {
            const G a = lord(c, wealth), b = lord(c, fortune);
            if (a != b && together(c, a, b)) found.add(bit(a) | bit(b));
        }
}

// ---- Nabhasa yogas (BPHS) of the seven grahas: ashraya by the signs' quality, dala, sankhya by the signs held ----
template <int quality>  // 0 movable (Rajju), 1 fixed (Musala), 2 dual (Nala)
void ashraya(C c, F found) noexcept {
    for (G g : SEVEN)
        if (c.sign[at(g)] % 3 != quality) return;
    found.add(0x7F);
}
template <bool benefic>  // Mala: the three benefics in three kendras; Sarpa: the Sun, Mars and Saturn
void dala(C c, F found) noexcept {
    unsigned kendras = 0;
    GrahaSet set = 0;
    for (G g : benefic ? BENEFICS : MALEFIC_PLANETS) {
        if (!kendra(house_of(c, g))) return;
        kendras |= 1u << house_of(c, g);
        set |= bit(g);
    }
    if (std::popcount(kendras) == 3) found.add(set);
}
template <int signs>
void sankhya(C c, F found) noexcept {
    unsigned held = 0;
    for (G g : SEVEN) held |= 1u << c.sign[at(g)];
    if (std::popcount(held) == signs) found.add(0x7F);
}

constexpr std::string_view BPHS_MAHAPURUSHA = "BPHS, Pancha Mahapurusha yogas";
constexpr std::string_view CHANDRA = "BPHS, Chandra yogas; Phaladeepika ch. 6";
constexpr std::string_view SURYA = "BPHS, Surya yogas; Phaladeepika ch. 6";
constexpr std::string_view PHALADEEPIKA = "Phaladeepika ch. 6";
constexpr std::string_view RAJA = "BPHS, Raja yogas";
constexpr std::string_view NABHASA = "BPHS, Nabhasa yogas";

constexpr YogaRow YOGAS[]{
    {"Ruchaka", "Mars in a kendra from the lagna (not from the Moon), in its own sign or exalted", BPHS_MAHAPURUSHA,
     mahapurusha<G::Mars>},
    {"Bhadra", "Mercury in a kendra from the lagna (not from the Moon), in its own sign or exalted", BPHS_MAHAPURUSHA,
     mahapurusha<G::Mercury>},
    {"Hamsa", "Jupiter in a kendra from the lagna (not from the Moon), in its own sign or exalted", BPHS_MAHAPURUSHA,
     mahapurusha<G::Jupiter>},
    {"Malavya", "Venus in a kendra from the lagna (not from the Moon), in its own sign or exalted", BPHS_MAHAPURUSHA,
     mahapurusha<G::Venus>},
    {"Sasa", "Saturn in a kendra from the lagna (not from the Moon), in its own sign or exalted", BPHS_MAHAPURUSHA,
     mahapurusha<G::Saturn>},
    {"Gajakesari", "Jupiter in a kendra from the Moon", CHANDRA, gajakesari},
    {"Budha-Aditya", "the Sun and Mercury in one sign", PHALADEEPIKA, budha_aditya},
    {"Chandra-Mangala", "the Moon and Mars in one sign", PHALADEEPIKA, chandra_mangala},
    {"Adhi", "Mercury, Jupiter and Venus all in the 6th, 7th or 8th from the Moon", CHANDRA, adhi},
    {"Sunapha", "one of Mars..Saturn in the 2nd from the Moon and none in the 12th", CHANDRA,
     flanking<true, false, G::Moon>},
    {"Anapha", "one of Mars..Saturn in the 12th from the Moon and none in the 2nd", CHANDRA,
     flanking<false, true, G::Moon>},
    {"Durudhara", "Mars..Saturn both in the 2nd and in the 12th from the Moon", CHANDRA, flanking<true, true, G::Moon>},
    {"Kemadruma", "none of Mars..Saturn in the 2nd or the 12th from the Moon (its cancellations not read)", CHANDRA,
     flanking<false, false, G::Moon>},
    {"Vesi", "one of Mars..Saturn in the 2nd from the Sun and none in the 12th", SURYA, flanking<true, false, G::Sun>},
    {"Vasi", "one of Mars..Saturn in the 12th from the Sun and none in the 2nd", SURYA, flanking<false, true, G::Sun>},
    {"Ubhayachari", "Mars..Saturn both in the 2nd and in the 12th from the Sun", SURYA, flanking<true, true, G::Sun>},
    {"Amala", "Mercury, Jupiter or Venus in the 10th from the lagna", PHALADEEPIKA, amala},
    {"Lakshmi", "the 9th lord in its own sign or exalted in a kendra or trikona, the lagna lord in a kendra or trikona",
     "BPHS; Phaladeepika ch. 6", lakshmi},
    {"Saraswati", "Mercury, Jupiter and Venus in kendras, trikonas or the 2nd, Jupiter in its own, exaltation or a "
     "natural friend's sign", PHALADEEPIKA, saraswati},
    {"Parvata", "a benefic (Mercury, Jupiter, Venus) in a kendra and no malefic in the 6th or 8th", "BPHS", parvata},
    {"Kahala", "the lords of the 4th and 9th (two grahas) in kendras from each other, the lagna lord in a kendra or "
     "trikona", "BPHS", kahala},
    {"Vasumati", "Mercury, Jupiter and Venus all in upachayas (3rd, 6th, 10th, 11th) from the Moon", PHALADEEPIKA,
     vasumati},
    {"Sakata", "Jupiter in the 6th, 8th or 12th from the Moon", PHALADEEPIKA, sakata},
    {"Shubha Kartari", "benefics (Mercury, Jupiter, Venus) in both the 2nd and the 12th from the lagna", PHALADEEPIKA,
     kartari<true>},
    {"Papa Kartari", "malefics (Sun, Mars, Saturn, Rahu, Ketu) in both the 2nd and the 12th from the lagna",
     PHALADEEPIKA, kartari<false>},
    {"Chatussagara", "every kendra from the lagna held by one of Sun..Saturn", PHALADEEPIKA, chatussagara},
    {"Harsha", "the 6th lord in the 6th, 8th or 12th", PHALADEEPIKA, viparita<6>},
    {"Sarala", "the 8th lord in the 6th, 8th or 12th", PHALADEEPIKA, viparita<8>},
    {"Vimala", "the 12th lord in the 6th, 8th or 12th", PHALADEEPIKA, viparita<12>},
    {"Neecha Bhanga Raja", "a debilitated graha whose debilitation or exaltation sign's lord is in a kendra from the "
     "lagna or the Moon", "Phaladeepika ch. 7", neecha_bhanga},
    {"Kala Sarpa", "Sun..Saturn all on one side of the Rahu-Ketu axis", "not in BPHS or Phaladeepika; the modern rule",
     kala_sarpa},
    {"Maha Parivartana", "two lords in each other's signs, both in houses 1, 2, 4, 5, 7, 9, 10 or 11", PHALADEEPIKA,
     parivartana<Exchange::Maha>},
    {"Khala Parivartana", "two lords in each other's signs, one in the 3rd, neither in the 6th, 8th or 12th",
     PHALADEEPIKA, parivartana<Exchange::Khala>},
    {"Dainya Parivartana", "two lords in each other's signs, one in the 6th, 8th or 12th", PHALADEEPIKA,
     parivartana<Exchange::Dainya>},
    {"Raja (conjunction)", "a kendra lord and a trikona lord, two grahas (a yogakaraka alone is not read), in one sign",
     RAJA, raja<Relation::Conjunction>},
    {"Raja (mutual aspect)", "a kendra lord and a trikona lord, two grahas, each in the other's graha drishti", RAJA,
     raja<Relation::MutualAspect>},
    {"Raja (exchange)", "a kendra lord and a trikona lord, two grahas, in each other's signs", RAJA,
     raja<Relation::Exchange>},
    {"Dharma-Karmadhipati", "the 9th and 10th lords, two grahas, in one sign, mutual aspect or exchange", RAJA,
     dharma_karmadhipati},
    {"Dhana", "the lord of the 2nd or 11th and the lord of the 5th or 9th, two grahas, in one sign",
     "BPHS, Dhana yogas", dhana},
    {"Rajju", "Sun..Saturn all in movable signs", NABHASA, ashraya<0>},
    {"Musala", "Sun..Saturn all in fixed signs", NABHASA, ashraya<1>},
    {"Nala", "Sun..Saturn all in dual signs", NABHASA, ashraya<2>},
    {"Mala", "Mercury, Jupiter and Venus in three different kendras from the lagna", NABHASA, dala<true>},
    {"Sarpa", "the Sun, Mars and Saturn in three different kendras from the lagna", NABHASA, dala<false>},
    {"Vallaki", "Sun..Saturn in seven signs", NABHASA, sankhya<7>},
    {"Damini", "Sun..Saturn in six signs", NABHASA, sankhya<6>},
    {"Pasha", "Sun..Saturn in five signs", NABHASA, sankhya<5>},
    {"Kedara", "Sun..Saturn in four signs", NABHASA, sankhya<4>},
    {"Shoola", "Sun..Saturn in three signs", NABHASA, sankhya<3>},
    {"Yuga", "Sun..Saturn in two signs", NABHASA, sankhya<2>},
    {"Gola", "Sun..Saturn in one sign", NABHASA, sankhya<1>},
};
static_assert(std::size(YOGAS) >= 40);

}  // namespace

const std::span<const YogaRow> YOGA_TABLE{YOGAS};

YogaChart yoga_chart(const GrahaLongitudes& grahas, double lagna_longitude) noexcept {
    YogaChart chart{};
    chart.lagna_sign = sign_index_of(normalize_degrees(lagna_longitude));
    for (std::size_t g = 0; g < GRAHA_COUNT; ++g) {
        chart.longitudes[g] = normalize_degrees(grahas[g]);
        chart.sign[g] = sign_index_of(chart.longitudes[g]);
        chart.house[g] = house_from(chart.lagna_sign, chart.sign[g]);
        chart.dignity[g] = vedic_dignity(static_cast<Graha>(g), Varga::Rashi, grahas);
    }
    return chart;
}

YogaList find_yogas(const GrahaLongitudes& grahas, double lagna_longitude) noexcept {
    const YogaChart chart = yoga_chart(grahas, lagna_longitude);
    YogaList list{};
    for (std::size_t row = 0; row < YOGA_TABLE.size(); ++row) {
        YogaInstances found;
        YOGA_TABLE[row].find(chart, found);
        for (std::uint8_t i = 0; i < found.count && list.count < YogaList::CAPACITY; ++i)
            list.items[list.count++] = YogaFound{static_cast<std::uint8_t>(row), found.bodies[i]};
    }
    return list;
}

}  // namespace zentaric
