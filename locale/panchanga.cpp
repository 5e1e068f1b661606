// The names of the panchanga in the seven languages: weekdays, tithis, yogas, karanas, lunar months and seasons;
// columns en, hi, sa (IAST), ta, te, kn, bn.
#include "locale/names.hpp"

namespace zentaric::locale {

// Sunday to Saturday: the days of the Sun, Moon, Mars, Mercury, Jupiter, Venus and Saturn.
constexpr std::array<NameRow, 7> VARA_ROWS{{
    {"Sunday", "रविवार", "Ravivāra", "ஞாயிறு", "ఆదివారం", "ಭಾನುವಾರ", "রবিবার"},
    {"Monday", "सोमवार", "Somavāra", "திங்கள்", "సోమవారం", "ಸೋಮವಾರ", "সোমবার"},
    {"Tuesday", "मंगलवार", "Maṅgalavāra", "செவ்வாய்", "మంగళవారం", "ಮಂಗಳವಾರ", "মঙ্গলবার"},
    {"Wednesday", "बुधवार", "Budhavāra", "புதன்", "బుధవారం", "ಬುಧವಾರ", "বুধবার"},
    {"Thursday", "गुरुवार", "Guruvāra", "வியாழன்", "గురువారం", "ಗುರುವಾರ", "বৃহস্পতিবার"},
    {"Friday", "शुक्रवार", "Śukravāra", "வெள்ளி", "శుక్రవారం", "ಶುಕ್ರವಾರ", "শুক্রবার"},
    {"Saturday", "शनिवार", "Śanivāra", "சனி", "శనివారం", "ಶನಿವಾರ", "শনিবার"},
}};
static_assert(every_cell_filled(VARA_ROWS));

// Tithis 1..30 of the lunar month: Shukla Pratipada .. Purnima (15), Krishna Pratipada .. Amavasya (30).
#define ZENTARIC_TITHIS_OF_A_PAKSHA                                                                                  \
    {"Pratipada", "प्रतिपदा", "Pratipadā", "பிரதமை", "పాడ్యమి", "ಪ್ರತಿಪದ", "প্রতিপদ"},                                     \
    {"Dwitiya", "द्वितीया", "Dvitīyā", "துவிதியை", "విదియ", "ದ್ವಿತೀಯಾ", "দ্বিতীয়া"},                                       \
    {"Tritiya", "तृतीया", "Tṛtīyā", "திருதியை", "తదియ", "ತೃತೀಯಾ", "তৃতীয়া"},                                             \
    {"Chaturthi", "चतुर्थी", "Caturthī", "சதுர்த்தி", "చవితి", "ಚತುರ್ಥಿ", "চতুর্থী"},                                       \
    {"Panchami", "पञ्चमी", "Pañcamī", "பஞ்சமி", "పంచమి", "ಪಂಚಮಿ", "পঞ্চমী"},                                              \
    {"Shashthi", "षष्ठी", "Ṣaṣṭhī", "சஷ்டி", "షష్ఠి", "ಷಷ್ಠಿ", "ষষ্ঠী"},                                                  \
    {"Saptami", "सप्तमी", "Saptamī", "சப்தமி", "సప్తమి", "ಸಪ್ತಮಿ", "সপ্তমী"},                                              \
    {"Ashtami", "अष्टमी", "Aṣṭamī", "அஷ்டமி", "అష్టమి", "ಅಷ್ಟಮಿ", "অষ্টমী"},                                              \
    {"Navami", "नवमी", "Navamī", "நவமி", "నవమి", "ನವಮಿ", "নবমী"},                                                       \
    {"Dashami", "दशमी", "Daśamī", "தசமி", "దశమి", "ದಶಮಿ", "দশমী"},                                                      \
    {"Ekadashi", "एकादशी", "Ekādaśī", "ஏகாதசி", "ఏకాదశి", "ಏಕಾದಶಿ", "একাদশী"},                                           \
    {"Dwadashi", "द्वादशी", "Dvādaśī", "துவாதசி", "ద్వాదశి", "ದ್ವಾದಶಿ", "দ্বাদশী"},                                          \
    {"Trayodashi", "त्रयोदशी", "Trayodaśī", "திரயோதசி", "త్రయోదశి", "ತ್ರಯೋದಶಿ", "ত্রয়োদশী"},                                  \
    {"Chaturdashi", "चतुर्दशी", "Caturdaśī", "சதுர்த்தசி", "చతుర్దశి", "ಚತುರ್ದಶಿ", "চতুর্দশী"}

constexpr std::array<NameRow, 30> TITHI_ROWS{{
    ZENTARIC_TITHIS_OF_A_PAKSHA,
    {"Purnima", "पूर्णिमा", "Pūrṇimā", "பௌர்ணமி", "పౌర్ణమి", "ಹುಣ್ಣಿಮೆ", "পূর্ণিমা"},
    ZENTARIC_TITHIS_OF_A_PAKSHA,
    {"Amavasya", "अमावस्या", "Amāvāsyā", "அமாவாசை", "అమావాస్య", "ಅಮಾವಾಸ್ಯೆ", "অমাবস্যা"},
}};
#undef ZENTARIC_TITHIS_OF_A_PAKSHA
static_assert(every_cell_filled(TITHI_ROWS));

// Yogas 1..27, from Vishkambha (the Sun and Moon's sidereal longitudes adding up to less than 13°20′).
constexpr std::array<NameRow, 27> YOGA_ROWS{{
    {"Vishkambha", "विष्कम्भ", "Viṣkambha", "விஷ்கம்பம்", "విష్కంభ", "ವಿಷ್ಕಂಭ", "বিষ্কম্ভ"},
    {"Priti", "प्रीति", "Prīti", "பிரீதி", "ప్రీతి", "ಪ್ರೀತಿ", "প্রীতি"},
    {"Ayushman", "आयुष्मान", "Āyuṣmān", "ஆயுஷ்மான்", "ఆయుష్మాన్", "ಆಯುಷ್ಮಾನ್", "আয়ুষ্মান"},
    {"Saubhagya", "सौभाग्य", "Saubhāgya", "சௌபாக்கியம்", "సౌభాగ్య", "ಸೌಭಾಗ್ಯ", "সৌভাগ্য"},
    {"Shobhana", "शोभन", "Śobhana", "சோபனம்", "శోభన", "ಶೋಭನ", "শোভন"},
    {"Atiganda", "अतिगण्ड", "Atigaṇḍa", "அதிகண்டம்", "అతిగండ", "ಅತಿಗಂಡ", "অতিগণ্ড"},
    {"Sukarma", "सुकर्मा", "Sukarmā", "சுகர்மம்", "సుకర్మ", "ಸುಕರ್ಮ", "সুকর্মা"},
    {"Dhriti", "धृति", "Dhṛti", "திருதி", "ధృతి", "ಧೃತಿ", "ধৃতি"},
    {"Shula", "शूल", "Śūla", "சூலம்", "శూల", "ಶೂಲ", "শূল"},
    {"Ganda", "गण्ड", "Gaṇḍa", "கண்டம்", "గండ", "ಗಂಡ", "গণ্ড"},
    {"Vriddhi", "वृद्धि", "Vṛddhi", "விருத்தி", "వృద్ధి", "ವೃದ್ಧಿ", "বৃদ্ধি"},
    {"Dhruva", "ध्रुव", "Dhruva", "துருவம்", "ధ్రువ", "ಧ್ರುವ", "ধ্রুব"},
    {"Vyaghata", "व्याघात", "Vyāghāta", "வியாகாதம்", "వ్యాఘాత", "ವ್ಯಾಘಾತ", "ব্যাঘাত"},
    {"Harshana", "हर्षण", "Harṣaṇa", "ஹர்ஷணம்", "హర్షణ", "ಹರ್ಷಣ", "হর্ষণ"},
    {"Vajra", "वज्र", "Vajra", "வஜ்ரம்", "వజ్ర", "ವಜ್ರ", "বজ্র"},
    {"Siddhi", "सिद्धि", "Siddhi", "சித்தி", "సిద్ధి", "ಸಿದ್ಧಿ", "সিদ্ধি"},
    {"Vyatipata", "व्यतीपात", "Vyatīpāta", "வியதீபாதம்", "వ్యతీపాత", "ವ್ಯತೀಪಾತ", "ব্যতীপাত"},
    {"Variyan", "वरीयान", "Varīyān", "வரீயான்", "వరీయాన్", "ವರೀಯಾನ್", "বরীয়ান"},
    {"Parigha", "परिघ", "Parigha", "பரிகம்", "పరిఘ", "ಪರಿಘ", "পরিঘ"},
    {"Shiva", "शिव", "Śiva", "சிவம்", "శివ", "ಶಿವ", "শিব"},
    {"Siddha", "सिद्ध", "Siddha", "சித்தம்", "సిద్ధ", "ಸಿದ್ಧ", "সিদ্ধ"},
    {"Sadhya", "साध्य", "Sādhya", "சாத்தியம்", "సాధ్య", "ಸಾಧ್ಯ", "সাধ্য"},
    {"Shubha", "शुभ", "Śubha", "சுபம்", "శుభ", "ಶುಭ", "শুভ"},
    {"Shukla", "शुक्ल", "Śukla", "சுக்லம்", "శుక్ల", "ಶುಕ್ಲ", "শুক্ল"},
    {"Brahma", "ब्रह्म", "Brahma", "பிரம்மம்", "బ్రహ్మ", "ಬ್ರಹ್ಮ", "ব্রহ্ম"},
    {"Indra", "इन्द्र", "Indra", "ஐந்திரம்", "ఇంద్ర", "ಇಂದ್ರ", "ইন্দ্র"},
    {"Vaidhriti", "वैधृति", "Vaidhṛti", "வைதிருதி", "వైధృతి", "ವೈಧೃತಿ", "বৈধৃতি"},
}};
static_assert(every_cell_filled(YOGA_ROWS));

// The eleven karanas: the seven movable ones in their cycle (Bava .. Vishti), then the four fixed ones in the order
// the lunar month meets them from its last tithi: Shakuni, Chatushpada, Naga, and Kimstughna (its first half-tithi).
constexpr std::array<NameRow, 11> KARANA_ROWS{{
    {"Bava", "बव", "Bava", "பவம்", "బవ", "ಬವ", "বব"},
    {"Balava", "बालव", "Bālava", "பாலவம்", "బాలవ", "ಬಾಲವ", "বালব"},
    {"Kaulava", "कौलव", "Kaulava", "கௌலவம்", "కౌలవ", "ಕೌಲವ", "কৌলব"},
    {"Taitila", "तैतिल", "Taitila", "தைதுலம்", "తైతుల", "ತೈತಿಲ", "তৈতিল"},
    {"Gara", "गर", "Gara", "கரசை", "గరజ", "ಗರ", "গর"},
    {"Vanija", "वणिज", "Vaṇija", "வணிசை", "వణిజ", "ವಣಿಜ", "বণিজ"},
    {"Vishti", "विष्टि", "Viṣṭi", "பத்திரை", "విష్టి", "ವಿಷ್ಟಿ", "বিষ্টি"},
    {"Shakuni", "शकुनि", "Śakuni", "சகுனி", "శకుని", "ಶಕುನಿ", "শকুনি"},
    {"Chatushpada", "चतुष्पद", "Catuṣpada", "சதுஷ்பாதம்", "చతుష్పాత్", "ಚತುಷ್ಪಾದ", "চতুষ্পদ"},
    {"Naga", "नाग", "Nāga", "நாகவம்", "నాగవ", "ನಾಗ", "নাগ"},
    {"Kimstughna", "किंस्तुघ्न", "Kiṃstughna", "கிம்ஸ்துக்னம்", "కింస్తుఘ్న", "ಕಿಂಸ್ತುಘ್ನ", "কিংস্তুঘ্ন"},
}};
static_assert(every_cell_filled(KARANA_ROWS));

// The lunar months Chaitra .. Phalguna.
constexpr std::array<NameRow, 12> MASA_ROWS{{
    {"Chaitra", "चैत्र", "Caitra", "சைத்ரம்", "చైత్రము", "ಚೈತ್ರ", "চৈত্র"},
    {"Vaishakha", "वैशाख", "Vaiśākha", "வைசாகம்", "వైశాఖము", "ವೈಶಾಖ", "বৈশাখ"},
    {"Jyeshtha", "ज्येष्ठ", "Jyeṣṭha", "ஜ்யேஷ்டம்", "జ్యేష్ఠము", "ಜ್ಯೇಷ್ಠ", "জ্যৈষ্ঠ"},
    {"Ashadha", "आषाढ़", "Āṣāḍha", "ஆஷாடம்", "ఆషాఢము", "ಆಷಾಢ", "আষাঢ়"},
    {"Shravana", "श्रावण", "Śrāvaṇa", "ஸ்ராவணம்", "శ్రావణము", "ಶ್ರಾವಣ", "শ্রাবণ"},
    {"Bhadrapada", "भाद्रपद", "Bhādrapada", "பாத்ரபதம்", "భాద్రపదము", "ಭಾದ್ರಪದ", "ভাদ্র"},
    {"Ashwin", "आश्विन", "Āśvina", "ஆஸ்வினம்", "ఆశ్వయుజము", "ಆಶ್ವಯುಜ", "আশ্বিন"},
    {"Kartika", "कार्तिक", "Kārttika", "கார்த்திகம்", "కార్తీకము", "ಕಾರ್ತಿಕ", "কার্তিক"},
    {"Margashirsha", "मार्गशीर्ष", "Mārgaśīrṣa", "மார்கசீர்ஷம்", "మార్గశిరము", "ಮಾರ್ಗಶಿರ", "অগ্রহায়ণ"},
    {"Pausha", "पौष", "Pauṣa", "பௌஷம்", "పుష్యము", "ಪುಷ್ಯ", "পৌষ"},
    {"Magha", "माघ", "Māgha", "மாகம்", "మాఘము", "ಮಾಘ", "মাঘ"},
    {"Phalguna", "फाल्गुन", "Phālguna", "பால்குனம்", "ఫాల్గుణము", "ಫಾಲ್ಗುಣ", "ফাল্গুন"},
}};
static_assert(every_cell_filled(MASA_ROWS));

// The six seasons, each two lunar months from Chaitra: Vasanta .. Shishira.
constexpr std::array<NameRow, 6> RITU_ROWS{{
    {"Vasanta", "वसन्त", "Vasanta", "வசந்தம்", "వసంత", "ವಸಂತ", "বসন্ত"},
    {"Grishma", "ग्रीष्म", "Grīṣma", "கிரீஷ்மம்", "గ్రీష్మ", "ಗ್ರೀಷ್ಮ", "গ্রীষ্ম"},
    {"Varsha", "वर्षा", "Varṣā", "வர்ஷம்", "వర్ష", "ವರ್ಷ", "বর্ষা"},
    {"Sharad", "शरद", "Śarad", "சரத்", "శరద్", "ಶರದ್", "শরৎ"},
    {"Hemanta", "हेमन्त", "Hemanta", "ஹேமந்தம்", "హేమంత", "ಹೇಮಂತ", "হেমন্ত"},
    {"Shishira", "शिशिर", "Śiśira", "சிசிரம்", "శిశిర", "ಶಿಶಿರ", "শীত"},
}};
static_assert(every_cell_filled(RITU_ROWS));

}  // namespace zentaric::locale
