// Planets in the seven languages: rows Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu, Ketu; columns en, hi, sa (IAST), ta, te, kn, bn.
#include "locale/names.hpp"

namespace zentaric::locale {

constexpr std::array<NameRow, 9> PLANET_ROWS{{
    {"Sun", "सूर्य", "Sūrya", "சூரியன்", "సూర్యుడు", "ಸೂರ್ಯ", "সূর্য"},
    {"Moon", "चन्द्र", "Candra", "சந்திரன்", "చంద్రుడు", "ಚಂದ್ರ", "চন্দ্র"},
    {"Mars", "मंगल", "Maṅgala", "செவ்வாய்", "కుజుడు", "ಮಂಗಳ", "মঙ্গল"},
    {"Mercury", "बुध", "Budha", "புதன்", "బుధుడు", "ಬುಧ", "বুধ"},
    {"Jupiter", "बृहस्पति", "Bṛhaspati", "குரு", "గురుడు", "ಗುರು", "বৃহস্পতি"},
    {"Venus", "शुक्र", "Śukra", "சுக்கிரன்", "శుక్రుడు", "ಶುಕ್ರ", "শুক্র"},
    {"Saturn", "शनि", "Śani", "சனி", "శని", "ಶನಿ", "শনি"},
    {"Rahu", "राहु", "Rāhu", "ராகு", "రాహువు", "ರಾಹು", "রাহু"},
    {"Ketu", "केतु", "Ketu", "கேது", "కేతువు", "ಕೇತು", "কেতু"},
}};
static_assert(every_cell_filled(PLANET_ROWS));

}  // namespace zentaric::locale
