"""The words a printed panchanga puts before its values (sunrise, tithi, rahu kalam, ...), in the module's seven
languages: a row a word, the columns in the order of the name tables (en, hi, sa in IAST, ta, te, kn, bn).

"until" is a pattern: the time goes where "{}" stands, after the word in English and before the postposition in the
Indian languages ("15:15:22 तक")."""
from __future__ import annotations

from zentaric_chart import _names

_ROWS: dict[str, tuple[str, str, str, str, str, str, str]] = {
    "sunrise": ("sunrise", "सूर्योदय", "sūryodaya", "சூரிய உதயம்", "సూర్యోదయం", "ಸೂರ್ಯೋದಯ", "সূর্যোদয়"),
    "sunset": ("sunset", "सूर्यास्त", "sūryāsta", "சூரிய அஸ்தமனம்", "సూర్యాస్తమయం", "ಸೂರ್ಯಾಸ್ತ", "সূর্যাস্ত"),
    "next sunrise": ("next sunrise", "अगला सूर्योदय", "āgāmi sūryodaya", "அடுத்த சூரிய உதயம்", "తదుపరి సూర్యోదయం",
                     "ಮುಂದಿನ ಸೂರ್ಯೋದಯ", "পরবর্তী সূর্যোদয়"),
    "moonrise": ("moonrise", "चन्द्रोदय", "candrodaya", "சந்திர உதயம்", "చంద్రోదయం", "ಚಂದ್ರೋದಯ", "চন্দ্রোদয়"),
    "moonset": ("moonset", "चन्द्रास्त", "candrāsta", "சந்திர அஸ்தமனம்", "చంద్రాస్తమయం", "ಚಂದ್ರಾಸ್ತ", "চন্দ্রাস্ত"),
    "tithi": ("tithi", "तिथि", "tithi", "திதி", "తిథి", "ತಿಥಿ", "তিথি"),
    "nakshatra": ("nakshatra", "नक्षत्र", "nakṣatra", "நட்சத்திரம்", "నక్షత్రం", "ನಕ್ಷತ್ರ", "নক্ষত্র"),
    "yoga": ("yoga", "योग", "yoga", "யோகம்", "యోగం", "ಯೋಗ", "যোগ"),
    "karana": ("karana", "करण", "karaṇa", "கரணம்", "కరణం", "ಕರಣ", "করণ"),
    "shukla": ("shukla", "शुक्ल", "śukla", "சுக்ல", "శుక్ల", "ಶುಕ್ಲ", "শুক্ল"),
    "krishna": ("krishna", "कृष्ण", "kṛṣṇa", "கிருஷ்ண", "కృష్ణ", "ಕೃಷ್ಣ", "কৃষ্ণ"),
    "then": ("then", "फिर", "tataḥ", "பின்", "తర్వాత", "ನಂತರ", "তারপর"),
    "until": ("until {}", "{} तक", "{} paryantam", "{} வரை", "{} వరకు", "{} ರವರೆಗೆ", "{} পর্যন্ত"),
    "rahu kalam": ("rahu kalam", "राहु काल", "rāhukāla", "ராகு காலம்", "రాహు కాలం", "ರಾಹು ಕಾಲ", "রাহুকাল"),
    "yamaganda": ("yamaganda", "यमगण्ड", "yamagaṇḍa", "எமகண்டம்", "యమగండం", "ಯಮಗಂಡ", "যমগণ্ড"),
    "gulika kalam": ("gulika kalam", "गुलिक काल", "gulikakāla", "குளிகை காலம்", "గుళిక కాలం", "ಗುಳಿಕ ಕಾಲ",
                     "গুলিক কাল"),
    "abhijit": ("abhijit", "अभिजित्", "abhijit", "அபிஜித்", "అభిజిత్", "ಅಭಿಜಿತ್", "অভিজিৎ"),
    "brahma muhurta": ("brahma muhurta", "ब्रह्म मुहूर्त", "brāhmamuhūrta", "பிரம்ம முகூர்த்தம்", "బ్రహ్మ ముహూర్తం",
                       "ಬ್ರಹ್ಮ ಮುಹೂರ್ತ", "ব্রাহ্ম মুহূর্ত"),
    "masa": ("masa", "मास", "māsa", "மாதம்", "మాసం", "ಮಾಸ", "মাস"),
    "adhika": ("adhika", "अधिक", "adhika", "அதிக", "అధిక", "ಅಧಿಕ", "অধিক"),
    "kshaya": ("kshaya", "क्षय", "kṣaya", "க்ஷய", "క్షయ", "ಕ್ಷಯ", "ক্ষয়"),
    "amanta": ("amanta", "अमान्त", "amānta", "அமாந்த", "అమాంత", "ಅಮಾಂತ", "অমান্ত"),
    "purnimanta": ("purnimanta", "पूर्णिमान्त", "pūrṇimānta", "பூர்ணிமாந்த", "పూర్ణిమాంత", "ಪೂರ್ಣಿಮಾಂತ", "পূর্ণিমান্ত"),
    "ritu": ("ritu", "ऋतु", "ṛtu", "ருது", "ఋతువు", "ಋತು", "ঋতু"),
    "uttarayana": ("uttarayana", "उत्तरायण", "uttarāyaṇa", "உத்தராயணம்", "ఉత్తరాయణం", "ಉತ್ತರಾಯಣ", "উত্তরায়ণ"),
    "dakshinayana": ("dakshinayana", "दक्षिणायन", "dakṣiṇāyana", "தட்சிணாயனம்", "దక్షిణాయనం", "ದಕ್ಷಿಣಾಯನ",
                     "দক্ষিণায়ন"),
}


def word(key: str, language: str) -> str:
    """The word `key` (a row above) in a language code or name the module accepts ("hi", "Hindi")."""
    checked = _names.language(language).lower()
    codes = _names.LANGUAGES if checked in _names.LANGUAGES else _names.LANGUAGE_NAMES
    return _ROWS[key][codes.index(checked)]
