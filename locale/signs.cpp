// Signs in the seven languages: rows Aries to Pisces; columns en, hi, sa (IAST), ta, te, kn, bn.
#include "locale/names.hpp"

namespace zentaric::locale {

constexpr std::array<NameRow, 12> SIGN_ROWS{{
    {"Aries", "मेष", "Meṣa", "மேஷம்", "మేషం", "ಮೇಷ", "মেষ"},
    {"Taurus", "वृषभ", "Vṛṣabha", "ரிஷபம்", "వృషభం", "ವೃಷಭ", "বৃষ"},
    {"Gemini", "मिथुन", "Mithuna", "மிதுனம்", "మిథునం", "ಮಿಥುನ", "মিথুন"},
    {"Cancer", "कर्क", "Karka", "கடகம்", "కర్కాటకం", "ಕರ್ಕಾಟಕ", "কর্কট"},
    {"Leo", "सिंह", "Siṃha", "சிம்மம்", "సింహం", "ಸಿಂಹ", "সিংহ"},
    {"Virgo", "कन्या", "Kanyā", "கன்னி", "కన్య", "ಕನ್ಯಾ", "কন্যা"},
    {"Libra", "तुला", "Tulā", "துலாம்", "తుల", "ತುಲಾ", "তুলা"},
    {"Scorpio", "वृश्चिक", "Vṛścika", "விருச்சிகம்", "వృశ్చికం", "ವೃಶ್ಚಿಕ", "বৃশ্চিক"},
    {"Sagittarius", "धनु", "Dhanus", "தனுசு", "ధనుస్సు", "ಧನುಸ್ಸು", "ধনু"},
    {"Capricorn", "मकर", "Makara", "மகரம்", "మకరం", "ಮಕರ", "মকর"},
    {"Aquarius", "कुम्भ", "Kumbha", "கும்பம்", "కుంభం", "ಕುಂಭ", "কুম্ভ"},
    {"Pisces", "मीन", "Mīna", "மீனம்", "మీనం", "ಮೀನ", "মীন"},
}};
static_assert(every_cell_filled(SIGN_ROWS));

}  // namespace zentaric::locale
