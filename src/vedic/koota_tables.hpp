// The classical tables of horoscope matching, indexed by nakshatra (0 Ashwini .. 26 Revati), sign (0 Aries .. 11
// Pisces) or sign lord (the `Graha` order: Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn). Scores are kept in
// half points so that every table is exact in integers.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace zentaric::koota {

// Varna of the Moon's sign by its element (Muhurta Chintamani, vivaha prakarana): water signs Brahmin, fire
// Kshatriya, earth Vaishya, air Shudra. Ranked Shudra 0 < Vaishya 1 < Kshatriya 2 < Brahmin 3.
inline constexpr std::array<std::string_view, 4> VARNA_NAMES{"Shudra", "Vaishya", "Kshatriya", "Brahmin"};
inline constexpr std::array<std::uint8_t, 12> VARNA_OF_SIGN{2, 1, 0, 3, 2, 1, 0, 3, 2, 1, 0, 3};

// Vashya class of each half sign (sign × 2 + 1 from 15° on), judged by the Moon's degree (Muhurta Chintamani):
// chatushpada Aries, Taurus, Sagittarius 15–30°, Capricorn 0–15°; manava Gemini, Virgo, Libra, Sagittarius 0–15°,
// Aquarius; jalachara Cancer, Pisces, Capricorn 15–30°; vanachara Leo; keeta Scorpio.
inline constexpr std::array<std::string_view, 5> VASHYA_NAMES{"Chatushpada", "Manava", "Jalachara", "Vanachara",
                                                              "Keeta"};
inline constexpr std::array<std::uint8_t, 24> VASHYA_OF_HALF_SIGN{
    0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 1, 1, 1, 1, 4, 4, 1, 0, 0, 2, 1, 1, 2, 2};

// Vashya score in half points, rows the boy's class, columns the girl's: the five-class matrix as the common North
// Indian matching tables print it (2 same class; 1 or ½ where one class is vashya to or food of the other).
inline constexpr std::uint8_t VASHYA_HALF_POINTS[5][5]{
    {4, 2, 2, 1, 2},
    {0, 4, 1, 0, 2},
    {2, 1, 4, 2, 2},
    {1, 0, 2, 4, 0},
    {2, 2, 2, 0, 4},
};

// The nine taras, counted from one nakshatra to another (inclusive) modulo 9; the 3rd (Vipat), 5th (Pratyari) and
// 7th (Vadha) are inauspicious (Muhurta Chintamani).
inline constexpr std::array<std::string_view, 9> TARA_NAMES{"Janma",   "Sampat", "Vipat", "Kshema",     "Pratyari",
                                                            "Sadhaka", "Vadha",  "Mitra", "Parama Mitra"};
inline constexpr std::array<bool, 9> TARA_AUSPICIOUS{true, true, false, true, false, true, false, true, true};

// The fourteen yonis (Muhurta Chintamani): the animal of each nakshatra.
inline constexpr std::array<std::string_view, 14> YONI_NAMES{
    "Horse", "Elephant", "Sheep", "Serpent", "Dog",    "Cat",      "Rat",
    "Cow",   "Buffalo",  "Tiger", "Deer",    "Monkey", "Mongoose", "Lion"};
inline constexpr std::array<std::uint8_t, 27> YONI_OF_NAKSHATRA{
    0, 1, 2, 3, 3, 4, 5, 2, 5, 6, 6, 7, 8, 9, 8, 9, 10, 10, 4, 11, 12, 11, 13, 0, 13, 7, 1};

// Yoni score (4 the same animal, 3 friendly, 2 neutral, 1 unfriendly, 0 the sworn enemies horse–buffalo,
// elephant–lion, sheep–monkey, serpent–mongoose, dog–deer, cat–rat, cow–tiger), the 14 × 14 table of the common
// matching tables built on Muhurta Chintamani's enmities. Symmetric.
inline constexpr std::uint8_t YONI_POINTS[14][14]{
    {4, 2, 2, 3, 2, 2, 2, 1, 0, 1, 3, 3, 2, 1},  // Horse
    {2, 4, 3, 3, 2, 2, 2, 2, 3, 1, 2, 3, 2, 0},  // Elephant
    {2, 3, 4, 2, 1, 2, 1, 3, 3, 1, 2, 0, 3, 1},  // Sheep
    {3, 3, 2, 4, 2, 1, 1, 1, 1, 2, 2, 2, 0, 2},  // Serpent
    {2, 2, 1, 2, 4, 2, 1, 2, 2, 1, 0, 2, 1, 1},  // Dog
    {2, 2, 2, 1, 2, 4, 0, 2, 2, 1, 3, 3, 2, 1},  // Cat
    {2, 2, 1, 1, 1, 0, 4, 2, 2, 2, 2, 2, 1, 2},  // Rat
    {1, 2, 3, 1, 2, 2, 2, 4, 3, 0, 3, 2, 2, 1},  // Cow
    {0, 3, 3, 1, 2, 2, 2, 3, 4, 1, 2, 2, 2, 1},  // Buffalo
    {1, 1, 1, 2, 1, 1, 2, 0, 1, 4, 1, 1, 2, 1},  // Tiger
    {3, 2, 2, 2, 0, 3, 2, 3, 2, 1, 4, 2, 2, 1},  // Deer
    {3, 3, 0, 2, 2, 3, 2, 2, 2, 1, 2, 4, 3, 2},  // Monkey
    {2, 2, 3, 0, 1, 2, 1, 2, 2, 2, 2, 3, 4, 2},  // Mongoose
    {1, 0, 1, 2, 1, 1, 2, 1, 1, 1, 1, 2, 2, 4},  // Lion
};

// The seven sign lords in the `Graha` order.
inline constexpr std::array<std::string_view, 7> LORD_NAMES{"Sun",     "Moon",  "Mars",  "Mercury",
                                                            "Jupiter", "Venus", "Saturn"};

// Graha maitri in half points from the natural relationships of BPHS ch. 3 (naisargika maitri), each lord's view of
// the other: both friends (or one lord) 5, friend and neutral 4, both neutral 3, friend and enemy 1, neutral and
// enemy ½, both enemies 0. Symmetric; rows and columns in the `Graha` order.
inline constexpr std::uint8_t MAITRI_HALF_POINTS[7][7]{
    {10, 10, 10, 8, 10, 0, 0},  // Sun
    {10, 10, 8, 2, 8, 1, 1},    // Moon
    {10, 8, 10, 1, 10, 6, 1},   // Mars
    {8, 2, 1, 10, 1, 10, 8},    // Mercury
    {10, 8, 10, 1, 10, 1, 6},   // Jupiter
    {0, 1, 6, 10, 1, 10, 10},   // Venus
    {0, 1, 1, 8, 6, 10, 10},    // Saturn
};

// Gana of each nakshatra (Muhurta Chintamani): 0 Deva, 1 Manushya, 2 Rakshasa.
inline constexpr std::array<std::string_view, 3> GANA_NAMES{"Deva", "Manushya", "Rakshasa"};
inline constexpr std::array<std::uint8_t, 27> GANA_OF_NAKSHATRA{
    0, 1, 2, 1, 0, 1, 0, 0, 2, 2, 1, 1, 0, 2, 0, 2, 0, 2, 2, 1, 1, 0, 2, 2, 1, 1, 0};

// Gana score, rows the boy's gana, columns the girl's: the points table of the North Indian practice (same gana 6;
// Deva boy with Manushya girl 6, the reverse 5; Rakshasa with Deva 1; Rakshasa with Manushya 0).
inline constexpr std::uint8_t GANA_POINTS[3][3]{{6, 6, 1}, {5, 6, 0}, {1, 0, 6}};

// Bhakoota: the count from the girl's sign to the boy's (1..12) that forms the 2/12, 5/9 or 6/8 relation scores 0
// of 7 (Muhurta Chintamani).
inline constexpr std::array<bool, 13> BHAKOOTA_DOSHA_COUNT{false, false, true, false, false, true, true,
                                                           false, true,  true,  false, false, true};

// Nadi of each nakshatra: 0 Adi (Vata), 1 Madhya (Pitta), 2 Antya (Kapha), running 0 1 2 2 1 0 from Ashwini on.
inline constexpr std::array<std::string_view, 3> NADI_NAMES{"Adi", "Madhya", "Antya"};
inline constexpr std::array<std::uint8_t, 27> NADI_OF_NAKSHATRA{
    0, 1, 2, 2, 1, 0, 0, 1, 2, 2, 1, 0, 0, 1, 2, 2, 1, 0, 0, 1, 2, 2, 1, 0, 0, 1, 2};

// The five rajjus (South Indian porutham): 0 Pada, 1 Kati, 2 Nabhi, 3 Kantha, 4 Siro; nakshatras run
// Pada Kati Nabhi Kantha Siro Kantha Nabhi Kati Pada in each group of nine.
inline constexpr std::array<std::string_view, 5> RAJJU_NAMES{"Pada", "Kati", "Nabhi", "Kantha", "Siro"};
inline constexpr std::array<std::uint8_t, 27> RAJJU_OF_NAKSHATRA{
    0, 1, 2, 3, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 3, 2, 1, 0};

// Vedha partners: Ashwini–Jyeshtha, Bharani–Anuradha, Krittika–Vishakha, Rohini–Swati, Ardra–Shravana,
// Punarvasu–Uttara Ashadha, Pushya–Purva Ashadha, Ashlesha–Moola, Magha–Revati, Purva Phalguni–Uttara Bhadrapada,
// Uttara Phalguni–Purva Bhadrapada, Hasta–Shatabhisha; Mrigashira, Chitra and Dhanishta pierce one another
// (Muhurta Chintamani). Each nakshatra's partner; the three of Mars are marked 27.
inline constexpr std::uint8_t MARS_VEDHA = 27;
inline constexpr std::array<std::uint8_t, 27> VEDHA_PARTNER{
    17, 16, 15, 14, MARS_VEDHA, 21, 20, 19, 18, 26, 25, 24, 23, MARS_VEDHA, 3, 2, 1, 0, 8, 7, 6, 5, MARS_VEDHA,
    12, 11, 10, 9};

// Sign vashya (the vasya porutham; Muhurta Chintamani): bit t of row s is set when sign t is vashya to sign s.
// Aries: Leo, Scorpio; Taurus: Cancer, Libra; Gemini: Virgo; Cancer: Scorpio, Sagittarius; Leo: Libra; Virgo:
// Gemini, Pisces; Libra: Virgo, Capricorn; Scorpio: Cancer; Sagittarius: Pisces; Capricorn: Aries, Aquarius;
// Aquarius: Aries; Pisces: Capricorn.
constexpr std::uint16_t signs_bits(std::initializer_list<int> signs) {
    std::uint16_t bits = 0;
    for (int sign : signs) bits = static_cast<std::uint16_t>(bits | (1u << sign));
    return bits;
}
inline constexpr std::array<std::uint16_t, 12> VASHYA_SIGNS{
    signs_bits({4, 7}), signs_bits({3, 6}), signs_bits({5}),     signs_bits({7, 8}),
    signs_bits({6}),    signs_bits({2, 11}), signs_bits({5, 9}), signs_bits({3}),
    signs_bits({11}),   signs_bits({0, 10}), signs_bits({0}),    signs_bits({9})};

}  // namespace zentaric::koota
