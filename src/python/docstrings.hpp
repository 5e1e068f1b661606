// Docstrings, spelled when the module is compiled: the first line is the text signature that inspect.signature reads,
// written from the function's parameter table; the lists of names come from the core's tables.
#pragma once

#include <cstdint>
#include <string_view>

#include "python/functions.hpp"
#include "python/name_lists.hpp"

namespace zentaric::python {

constexpr void put_whole_number(TextWriter& writer, std::uint64_t number) {
    if (number >= 10) put_whole_number(writer, number / 10);
    writer.put(std::string_view("0123456789").substr(number % 10, 1));
}

// "compute_houses(ramc, latitude, obliquity, system=\"Placidus\")\n--\n\n". A numeric default is written as Python
// writes it, which this spelling covers for whole numbers from 0 up.
template <const auto& signature>
constexpr void put_text_signature(TextWriter& writer) {
    writer.put(signature.name);
    for (std::size_t i = 0; i < signature.count; ++i) {
        const Parameter& parameter = signature.parameters[i];
        const Argument& fallback = parameter.fallback;
        writer.put(i == 0 ? "(" : ", ");
        writer.put(parameter.name);
        if (!parameter.optional) continue;
        if (parameter.kind == ArgumentKind::Text) {
            writer.put("=\"");
            writer.put(fallback.text);
            writer.put("\"");
            continue;
        }
        if (fallback.integer < 0 || fallback.number != static_cast<double>(fallback.integer)) throw "not spelled";
        writer.put("=");
        put_whole_number(writer, static_cast<std::uint64_t>(fallback.integer));
        if (parameter.kind == ArgumentKind::Float) writer.put(".0");
    }
    writer.put(")\n--\n\n");
}

// A function's docstring: its text signature, then the parts.
template <const auto& signature, std::size_t... N>
constexpr auto docstring(const char (&... parts)[N]) {
    return joined(spelled<put_text_signature<signature>>().chars, parts...);
}

// How an ayanamsha name is matched, after its list.
inline constexpr char AYANAMSHA_MATCHING[] = "\n        (any case; blanks, \"_\" and \"-\" ignored).";

inline constexpr auto COMPUTE_DASHA_DOC = docstring<COMPUTE_DASHA>(
    "Compute Vimshottari Dasha from Moon's sidereal longitude.\n\n"
    "Args:\n"
    "    moon_longitude: sidereal longitude of the Moon in degrees.\n"
    "    birth_jd: Julian Day (UT) of birth.\n"
    "    levels: depth of the period tree, 1 (maha dashas) to 5; 0 counts as 1, more than 5 as 5.\n\n"
    "Returns:\n"
    "    JSON string with moon_nakshatra, initial_balance and the nine maha_dashas with their sub_periods.");

inline constexpr auto GET_NAKSHATRA_DOC = docstring<GET_NAKSHATRA>(
    "Get nakshatra and pada for a sidereal longitude.\n\n"
    "Args:\n"
    "    sidereal_longitude: longitude in degrees (any value; normalised to [0, 360)).\n\n"
    "Returns:\n"
    "    dict with nakshatra, index, pada, dasha_lord, start_longitude and end_longitude.");

inline constexpr auto COMPUTE_VARGA_DOC = docstring<COMPUTE_VARGA>(
    "Compute varga (divisional chart) sign for a longitude.\n\n"
    "Args:\n"
    "    longitude: sidereal longitude in degrees.\n"
    "    varga: ", VARGA_LIST.chars, " (any case; \"d-9\" style accepted).\n\n"
    "Returns:\n"
    "    int sign index, 0 (Aries) to 11 (Pisces).\n\n"
    "Raises:\n"
    "    ValueError: unknown varga name.");

inline constexpr auto COMPUTE_HOUSES_DOC = docstring<COMPUTE_HOUSES>(
    "Compute house cusps.\n\n"
    "Args:\n"
    "    ramc: right ascension of the midheaven in degrees.\n"
    "    latitude: geographic latitude in degrees, north positive.\n"
    "    obliquity: obliquity of the ecliptic in degrees.\n"
    "    system: ", HOUSE_SYSTEM_LIST.chars, " (any case).\n\n"
    "Returns:\n"
    "    dict with cusps (12 floats, house 1 first), asc, mc, system and polar_fallback.\n\n"
    "Raises:\n"
    "    ValueError: unknown house system.");

inline constexpr auto TROPICAL_TO_SIDEREAL_DOC = docstring<TROPICAL_TO_SIDEREAL>(
    "Convert tropical longitude to sidereal.\n\n"
    "Args:\n"
    "    tropical_longitude: tropical ecliptic longitude in degrees.\n"
    "    ayanamsha: ", AYANAMSHA_SPELLINGS_LIST.chars, AYANAMSHA_MATCHING, "\n"
    "    jd: Julian Day of the date.\n\n"
    "Returns:\n"
    "    float sidereal longitude in [0, 360).");

inline constexpr auto GET_AYANAMSHA_DOC = docstring<GET_AYANAMSHA>(
    "Get ayanamsha value in degrees for a given date.\n\n"
    "Args:\n"
    "    ayanamsha: ", AYANAMSHA_SPELLINGS_LIST.chars, AYANAMSHA_MATCHING, "\n"
    "    jd: Julian Day of the date.\n\n"
    "Returns:\n"
    "    float ayanamsha in degrees (not normalised).");

inline constexpr auto CALENDAR_TO_JD_DOC = docstring<CALENDAR_TO_JD>(
    "Convert calendar date to Julian Day.\n\n"
    "Args:\n"
    "    year: astronomical year (0 is 1 BCE), proleptic Gregorian calendar.\n"
    "    month: month number; not validated (13 runs on into the next year).\n"
    "    day: day of the month with its fraction (1.5 is noon of the 1st).\n\n"
    "Returns:\n"
    "    float Julian Day.");

inline constexpr auto PLANET_NAME_DOC = docstring<PLANET_NAME>(
    "Get planet name in a specified language.\n\n"
    "Args:\n"
    "    index: 0..8 for Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu, Ketu.\n"
    "    language: ", LANGUAGE_LIST.chars, " (or english, hindi, ...).\n\n"
    "Returns:\n"
    "    str name.");

inline constexpr auto SIGN_NAME_DOC = docstring<SIGN_NAME>(
    "Get sign name in a specified language.\n\n"
    "Args:\n"
    "    index: 0 (Aries) to 11 (Pisces).\n"
    "    language: ", LANGUAGE_LIST.chars, " (or english, hindi, ...).\n\n"
    "Returns:\n"
    "    str name.");

inline constexpr auto NAKSHATRA_NAME_I18N_DOC = docstring<NAKSHATRA_NAME_I18N>(
    "Get nakshatra name in a specified language.\n\n"
    "Args:\n"
    "    index: 0 (Ashwini) to 26 (Revati).\n"
    "    language: ", LANGUAGE_LIST.chars, " (or english, hindi, ...).\n\n"
    "Returns:\n"
    "    str name.");

inline constexpr auto COMPUTE_NATAL_CHART_DOC = docstring<COMPUTE_NATAL_CHART>(
    "Compute a complete natal chart from birth data.\n\n"
    "Args:\n"
    "    year: astronomical year; negative years are BCE (0 is 1 BCE).\n"
    "    month, day: calendar month and day (proleptic Gregorian).\n"
    "    hour, minute: time of birth in UTC.\n"
    "    latitude: geographic latitude in degrees, north positive.\n"
    "    longitude: geographic longitude in degrees, east positive.\n"
    "    ayanamsha: ", AYANAMSHA_LIST.chars, AYANAMSHA_MATCHING, "\n"
    "    house_system: ", HOUSE_SYSTEM_LIST.chars, ".\n\n"
    "Returns:\n"
    "    JSON string with complete chart: planets, houses, aspects, ayanamsha value.\n\n"
    "Raises:\n"
    "    ValueError: unknown ayanamsha or house system, date out of range, or a body that cannot be computed.");

#define ZENTARIC_LONGITUDES_ARG \
    "    longitudes: sidereal longitudes in degrees of Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu, Ketu.\n"

inline constexpr auto VEDIC_DIGNITY_DOC = docstring<VEDIC_DIGNITY>(
    "Vedic dignity of Sun..Saturn in a varga (the five-fold relationships from the D1 longitudes).\n\n"
    "Args:\n"
    ZENTARIC_LONGITUDES_ARG
    "    varga: as compute_varga names them.\n\n"
    "Returns:\n"
    "    list of 7 str, Sun..Saturn: Exalted, Moolatrikona, Own, GreatFriend, Friend, Neutral, Enemy, GreatEnemy\n"
    "    or Debilitated.\n\n"
    "Raises:\n"
    "    ValueError: unknown varga name, not 9 longitudes or a longitude that is not finite.");

inline constexpr auto VIMSHOPAKA_BALA_DOC = docstring<VIMSHOPAKA_BALA>(
    "Vimshopaka bala (0..20) of Sun..Saturn over a group of vargas, with Parashara's weights.\n\n"
    "Args:\n"
    ZENTARIC_LONGITUDES_ARG
    "    group: ", VARGA_GROUP_LIST.chars, " (any case).\n\n"
    "Returns:\n"
    "    list of 7 float, Sun..Saturn.\n\n"
    "Raises:\n"
    "    ValueError: unknown group, not 9 longitudes or a longitude that is not finite.");

inline constexpr auto GRAHA_DRISHTI_DOC = docstring<GRAHA_DRISHTI>(
    "Signs each graha aspects (graha drishti): the 7th from its sign; Mars also the 4th and 8th, Jupiter the 5th\n"
    "and 9th, Saturn the 3rd and 10th; Rahu and Ketu the 7th only.\n\n"
    "Args:\n"
    ZENTARIC_LONGITUDES_ARG "\n"
    "Returns:\n"
    "    list of 9 lists of sign indices 0..11, Sun..Ketu, in the order of the houses counted from the graha.\n\n"
    "Raises:\n"
    "    ValueError: not 9 longitudes or a longitude that is not finite.");

inline constexpr auto RASHI_DRISHTI_DOC = docstring<RASHI_DRISHTI>(
    "Signs a sign aspects (Jaimini's rashi drishti).\n\n"
    "Args:\n"
    "    sign: 0 (Aries) to 11 (Pisces).\n\n"
    "Returns:\n"
    "    list of 3 sign indices, in zodiacal order from the sign.\n\n"
    "Raises:\n"
    "    IndexError: sign above 11.");

inline constexpr auto JAIMINI_DOC = docstring<JAIMINI>(
    "Jaimini's chara karakas, karakamsha and arudha padas.\n\n"
    "Args:\n"
    ZENTARIC_LONGITUDES_ARG
    "    lagna: sidereal longitude of the ascendant in degrees.\n"
    "    karakas: 7 (Sun..Saturn) or 8 (Rahu added, by 30 degrees less its degree).\n\n"
    "Returns:\n"
    "    dict with karakas ({karaka: graha name}, AK first), karakamsha (navamsha sign of the AK) and arudhas\n"
    "    (sign indices of A1..A12; A1 the arudha lagna, A12 the upapada).\n\n"
    "Raises:\n"
    "    ValueError: karakas other than 7 or 8, not 9 longitudes or a longitude that is not finite.");

inline constexpr auto ASHTAKAVARGA_DOC = docstring<ASHTAKAVARGA>(
    "Ashtakavarga of Sun..Saturn (BPHS ch. 66-69): the bindus the eight contributors (Sun..Saturn and the lagna)\n"
    "give in each sign, the sarvashtakavarga, the trikona and ekadhipatya reductions and the shodhya pinda.\n\n"
    "Args:\n"
    ZENTARIC_LONGITUDES_ARG
    "    lagna: sidereal longitude of the ascendant in degrees.\n\n"
    "Returns:\n"
    "    dict: bhinna, trikona, reduced (7 lists, Sun..Saturn, of 12 counts, Aries..Pisces: the bindus, after\n"
    "    trikona shodhana, after both reductions), sarva (12 counts), prastara ({planet: {contributor: sign\n"
    "    indices where it gave a bindu}}), rashi_pinda, graha_pinda, shodhya_pinda (7 int each).\n\n"
    "Raises:\n"
    "    ValueError: not 9 longitudes or a longitude that is not finite.");
inline constexpr auto SPECIAL_LAGNAS_DOC = docstring<SPECIAL_LAGNAS>(
    "Special lagnas and upagrahas of a birth, from the sunrise that opens its Vedic day.\n\n"
    "Args:\n"
    "    jd: Julian Day (UT) of the birth.\n"
    "    latitude: geographic latitude in degrees, north positive.\n"
    "    longitude: geographic longitude in degrees, east positive.\n"
    "    ayanamsha: as compute_natal_chart names them.\n"
    "    convention: hindu (the Sun's centre on the geometric horizon) or civil (the upper limb through\n"
    "        refraction): the sunrise and sunset.\n\n"
    "Returns:\n"
    "    dict with sunrise, sunset and next_sunrise (UT Julian Days), weekday (0 Sunday, of the sunrise), night\n"
    "    (born after the sunset), and sidereal longitudes in degrees: bhava_lagna, hora_lagna, ghati_lagna (the\n"
    "    Sun at sunrise advanced 30 degrees per 5, 2.5 and 1 ghati since), gulika and mandi (the lagna at the start\n"
    "    and the middle of Saturn's eighth of the day or night), dhuma, vyatipata, parivesha, indrachapa, upaketu.\n\n"
    "Raises:\n"
    "    ValueError: unknown ayanamsha or convention (a twilight included), a latitude beyond 90 degrees or a\n"
    "    longitude that is not finite, a date outside the ephemeris, or a place where the Sun does not rise and\n"
    "    set around the birth.");

inline constexpr auto SHADBALA_DOC = docstring<SHADBALA>(
    "Shadbala of Sun..Saturn and bhava bala of the twelve houses of a chart (BPHS ch. 27, as B.V. Raman works it).\n\n"
    "The Vedic day runs from the Hindu sunrise (the disc's centre on the geometric horizon) before the birth to the\n"
    "next; the lords of the year and month come from the ahargana counted from the Kali epoch (JD 588466).\n\n"
    "Args:\n"
    ZENTARIC_LONGITUDES_ARG
    "    lagna, mc: sidereal longitudes of the ascendant and the midheaven in degrees.\n"
    "    ayanamsha_value: the chart's ayanamsha in degrees (tropical = sidereal + ayanamsha_value).\n"
    "    jd: Julian Day (UT) of the birth.\n"
    "    latitude: geographic latitude in degrees, north positive.\n"
    "    longitude: geographic longitude in degrees, east positive.\n"
    "    required: minimum strengths, bphs (the Sun 6.5 rupas) or raman (the Sun 5).\n\n"
    "Returns:\n"
    "    dict: planets ({name: {part: virupas}} with uchcha, saptavargaja, ojayugma, kendra, drekkana, sthana,\n"
    "    dig, nathonnata, paksha, tribhaga, abda, masa, vara, hora, ayana, yuddha, kala, cheshta, naisargika,\n"
    "    drik, total, rupas, required, ratio, ishta, kashta), bhavas (12 dicts: lord, lord_strength, dig,\n"
    "    drishti, total), sunrise, sunset, next_sunrise (UT Julian Days).\n\n"
    "Raises:\n"
    "    ValueError: not 9 longitudes, a value that is not a finite number, a latitude beyond 90 degrees, an\n"
    "    unknown required, a date outside the ephemeris, or a day without sunrise or sunset.");

inline constexpr auto GOCHARA_DOC = docstring<GOCHARA>(
    "Gochara: each transiting graha read from the natal Moon (Phaladeepika ch. 26).\n\n"
    "Favourable houses from the Moon, and the house whose occupant obstructs each (vedha): Sun 3, 6, 10, 11\n"
    "(vedha 9, 12, 4, 5); Moon 1, 3, 6, 7, 10, 11 (5, 9, 12, 2, 4, 8); Mars, Saturn, Rahu and Ketu 3, 6, 11\n"
    "(12, 9, 5); Mercury 2, 4, 6, 8, 10, 11 (5, 3, 9, 1, 8, 12); Jupiter 2, 5, 7, 9, 11 (12, 4, 3, 10, 8);\n"
    "Venus 1, 2, 3, 4, 5, 8, 9, 11, 12 (8, 7, 1, 10, 9, 5, 11, 6, 3). The Sun and Saturn, the Moon and Mercury\n"
    "cause no vedha to each other.\n\n"
    "Args:\n"
    ZENTARIC_LONGITUDES_ARG
    "    moon_sign, lagna_sign: the natal Moon's and lagna's signs, 0 (Aries) to 11.\n\n"
    "Returns:\n"
    "    list of 9 tuples, Sun..Ketu: (house from the Moon, house from the lagna, favourable, the graha whose\n"
    "    vedha obstructs a favourable transit or None).\n\n"
    "Raises:\n"
    "    ValueError: not 9 longitudes or a longitude that is not finite; IndexError: a sign above 11.");

inline constexpr auto SATURN_PHASES_DOC = docstring<SATURN_PHASES>(
    "Saturn's phases from the natal Moon over a range: Sade Sati (the 12th, 1st and 2nd signs: rising, peak,\n"
    "setting) and the dhaiyas (the 4th, kantaka, and the 8th, ashtama), from its sidereal sign ingresses.\n\n"
    "Args:\n"
    "    moon_sign: the natal Moon's sign, 0 (Aries) to 11.\n"
    "    start_jd, end_jd: the range, UT Julian Days.\n"
    "    ayanamsha: as find_events takes it.\n\n"
    "Returns:\n"
    "    list of (phase, start_jd, end_jd, open_start, open_end) in time order, clipped to the range (open_start:\n"
    "    the phase began before it; open_end: it goes on after it); a retrograde exit and re-entry splits a phase.\n\n"
    "Raises:\n"
    "    ValueError: unknown ayanamsha or a range outside the ephemeris; IndexError: a sign above 11.");

#undef ZENTARIC_LONGITUDES_ARG
inline constexpr auto PANCHANGA_NAME_DOC = docstring<PANCHANGA_NAME>(
    "Get a name of the panchanga in a specified language.\n\n"
    "Args:\n"
    "    table: ", PANCHANGA_NAMES_LIST.chars, " (any case).\n"
    "    index: the row: vara 0 (Sunday) to 6; tithi 0 (Shukla Pratipada) to 29 (Amavasya, 14 Purnima);\n"
    "        yoga 0 (Vishkambha) to 26; karana 0..6 Bava to Vishti, 7 Shakuni, 8 Chatushpada, 9 Naga,\n"
    "        10 Kimstughna; masa 0 (Chaitra) to 11 (Phalguna); ritu 0 (Vasanta) to 5 (Shishira).\n"
    "    language: ", LANGUAGE_LIST.chars, " (or english, hindi, ...).\n\n"
    "Returns:\n"
    "    str name.\n\n"
    "Raises:\n"
    "    ValueError: unknown table or language; IndexError: index beyond the table.");
inline constexpr auto COMPUTE_DASHA_PERIODS_DOC = docstring<COMPUTE_DASHA_PERIODS>(
    "Compute the periods of a dasha system for a birth.\n\n"
    "Args:\n"
    "    year, month, day, hour, minute: birth in UTC, as compute_natal_chart takes it.\n"
    "    latitude, longitude: place of birth in degrees, north and east positive.\n"
    "    system: ", DASHA_SYSTEM_LIST.chars, " (any case).\n"
    "    levels: depth of the periods, 1 (maha dashas) to 5; 0 counts as 1, more than 5 as 5.\n"
    "    year_length: ", DASHA_YEAR_LIST.chars, " (days of the dasha year).\n"
    "    ayanamsha: ", AYANAMSHA_LIST.chars, AYANAMSHA_MATCHING, "\n"
    "    at_jd: when not 0.0, only the periods containing this Julian Day (UT) are divided.\n"
    "    node: ", LUNAR_NODE_LIST.chars, " (Rahu: the mean node or the true orbit's; Ketu opposite).\n\n"
    "Returns:\n"
    "    dict with system, star (the Moon's nakshatra; Chara: the lagna sign), balance (of the first maha dasha),\n"
    "    applicable (the system's classical condition holds), condition (its text), year_days, lords (names by\n"
    "    position in the cycle; Chara: the signs), names (Yogini: the yoginis) and periods: bytes of 24-byte\n"
    "    records in native byte order, struct format \"=ddIBBxx\" (start_jd, end_jd, descendants, position,\n"
    "    level), each period followed by its descendants (its sub-periods, theirs, ...).\n\n"
    "Raises:\n"
    "    ValueError: unknown system, year length, node or ayanamsha, a latitude beyond 90 degrees or a longitude\n"
    "    that is not finite, a date outside the ephemeris, or a solar year whose return falls past it.");
inline constexpr auto MATCH_MOONS_DOC = docstring<MATCH_MOONS>(
    "Match a couple's Moons: the kootas of guna milan or the ten poruthams.\n\n"
    "Args:\n"
    "    boy_moon_longitude: sidereal longitude of the boy's Moon in degrees.\n"
    "    girl_moon_longitude: sidereal longitude of the girl's Moon in degrees.\n"
    "    system: ashtakoota or porutham (any case; \"guna milan\", \"dashakoota\" accepted).\n\n"
    "Returns:\n"
    "    dict with system, kootas (name, score, maximum, boy, girl, count: the count from the girl's nakshatra\n"
    "    or sign to the boy's, 0 where none is read), total, maximum and doshas (name of the koota that\n"
    "    raised it, cancelled_by: the classical cancellations that apply, name and rule each). A cancellation\n"
    "    is reported, never applied to the scores.\n\n"
    "Raises:\n"
    "    ValueError: unknown system or a longitude that is not finite.");

inline constexpr auto MATCH_MOON_PLACES_DOC = docstring<MATCH_MOON_PLACES>(
    "Match one Moon against each of the 216 places a partner's Moon can hold.\n\n"
    "Args:\n"
    "    moon_longitude: sidereal longitude of the profile's Moon in degrees.\n"
    "    role: boy or girl, the profile's role (the partners take the other).\n"
    "    system: ashtakoota or porutham (any case).\n\n"
    "Returns:\n"
    "    list of 216 match dicts as match_moons gives them; entry (nakshatra index * 4 + pada - 1) * 2 + 1\n"
    "    when the partner's Moon is at 15 degrees of its sign or more, + 0 otherwise. Every Moon of one place\n"
    "    matches alike, so a table of partners is scored by looking up their places.\n\n"
    "Raises:\n"
    "    ValueError: unknown role or system, or a longitude that is not finite.");

#define ZENTARIC_CHART_ARGS(prefix) \
    "    " prefix "longitudes: sidereal longitudes in degrees of Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn,\n" \
    "        Rahu, Ketu.\n" \
    "    " prefix "lagna: sidereal longitude of the ascendant in degrees.\n"

inline constexpr auto MANGLIK_DOC = docstring<MANGLIK>(
    "Manglik (kuja dosha): Mars in the 1st, 2nd, 4th, 7th, 8th or 12th from the lagna, the Moon and Venus.\n\n"
    "Args:\n"
    ZENTARIC_CHART_ARGS("")
    "    with_second: 0 for the reading without the 2nd house (1, 4, 7, 8, 12).\n\n"
    "Returns:\n"
    "    dict with readings (from Lagna, Moon, Venus: house of Mars and dosha), dosha (from any of them),\n"
    "    cancelled_by (the exceptions that apply, name and rule each) and stands (a dosha no exception cancels).\n\n"
    "Raises:\n"
    "    ValueError: not 9 longitudes or a longitude that is not finite.");

inline constexpr auto MATCH_MANGLIK_DOC = docstring<MATCH_MANGLIK>(
    "A couple's manglik match: it agrees when both or neither carry a dosha that stands.\n\n"
    "Args:\n"
    ZENTARIC_CHART_ARGS("boy_")
    ZENTARIC_CHART_ARGS("girl_")
    "    with_second: 0 for the reading without the 2nd house.\n\n"
    "Returns:\n"
    "    dict with boy and girl (as manglik gives them) and agrees.\n\n"
    "Raises:\n"
    "    ValueError: not 9 longitudes or a longitude that is not finite.");

inline constexpr auto YOGAS_DOC = docstring<YOGAS>(
    "The classical yogas a chart holds, houses counted by whole signs from the lagna.\n\n"
    "Args:\n"
    ZENTARIC_CHART_ARGS("")
    "\n"
    "Returns:\n"
    "    list of dicts with name, bodies (the grahas that form it), rule and source, in the table's order; a yoga\n"
    "    formed by several pairs appears once for each.\n\n"
    "Raises:\n"
    "    ValueError: not 9 longitudes or a longitude that is not finite.");

#undef ZENTARIC_CHART_ARGS

inline constexpr auto COMPUTE_NATAL_RECORD_DOC = docstring<COMPUTE_NATAL_RECORD>(
    "Compute a natal chart as Python objects: the grahas, lagna and houses read in the chart's zodiac.\n\n"
    "Args:\n"
    "    year, month, day, hour, minute, latitude, longitude: as compute_natal_chart (UTC).\n"
    "    ayanamsha: ", AYANAMSHA_LIST.chars, AYANAMSHA_MATCHING, "\n"
    "    house_system: ", HOUSE_SYSTEM_LIST.chars, ".\n"
    "    language: ", LANGUAGE_LIST.chars, " (or english, hindi, ...): the language of the labels.\n"
    "    node: ", LUNAR_NODE_LIST.chars, " (Rahu: the mean node or the true orbit's; Ketu opposite).\n"
    "    second: seconds past the minute, 0 <= second < 60 (default 0: the minute itself, the Julian Day\n"
    "        compute_natal_chart uses).\n\n"
    "Returns:\n"
    "    dict with ayanamsha and house_system (the names parsed), ayanamsha_value (degrees subtracted from\n"
    "    every tropical longitude), julian_day (UT, of the minute and second), and:\n"
    "    bodies: tuple of 9 dicts, Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu (the chosen node) and\n"
    "        Ketu (opposite Rahu), each with the members of a place (below) and name, label, latitude\n"
    "        (degrees), speed (degrees per day), distance (AU), retrograde, house (1..12), dignity (Western)\n"
    "        and vedic_dignity (Parashara's in the rashi; None for the nodes).\n"
    "    lagna: the place of the ascendant.\n"
    "    A place: longitude (degrees of the chart's zodiac, [0, 360)), sign, sign_index (0..11), degree\n"
    "        (within the sign), nakshatra, nakshatra_index (0..26), pada (1..4), sign_label, nakshatra_label.\n"
    "    houses: dict with system, polar_fallback, cusps_tropical and cusps_sidereal (12 each, house 1\n"
    "        first; whole signs of a sidereal chart open at exact multiples of 30), asc_tropical,\n"
    "        mc_tropical and mc_sidereal.\n"
    "    aspects: tuple of dicts with body1, body2 (names, Sun to Rahu), type, orb, strength, applying.\n\n"
    "Raises:\n"
    "    ValueError: as compute_natal_chart, an unknown language or node, or a second outside 0 to 60.");

inline constexpr auto TRANSIT_CALENDAR_DOC = docstring<TRANSIT_CALENDAR>(
    "The slow sky of a life's calendar over a range, each slow body sampled once for all its searches: the\n"
    "sign ingresses of Jupiter, Saturn and Rahu (the mean node), the stations of Jupiter and Saturn, their\n"
    "passages over the natal Moon and lagna, and Saturn's phases from the natal Moon (as saturn_phases), each\n"
    "moment where find_events and find_crossings find it (within a millisecond).\n\n"
    "Args:\n"
    "    moon_longitude, lagna_longitude: the natal Moon's and lagna's sidereal longitudes, degrees.\n"
    "    start_jd, end_jd: the range, UT Julian Days.\n"
    "    ayanamsha: as find_events takes it.\n\n"
    "Returns:\n"
    "    (events, phases): events a list of (jd_ut, kind, body, before, after) in time order, kind \"ingress\"\n"
    "    (the signs left and entered, 0..11), \"station\" (the motions, 1 direct and -1 retrograde) or\n"
    "    \"passage\" (before: 0 over the natal Moon, 1 over the lagna; after: 1 forward, -1 back); phases as\n"
    "    saturn_phases returns them.\n\n"
    "Raises:\n"
    "    ValueError: unknown ayanamsha, a longitude that is not finite or a range outside the ephemeris.");

inline constexpr auto VARSHA_LORDS_DOC = docstring<VARSHA_LORDS>(
    "The Tajika lord of the year (varsheshvara) of a varsha pravesha chart, from its five office-bearers\n"
    "(Tajika Neelakanthi): the lords of the muntha, of the natal lagna and of the varsha lagna, the tri-rashi\n"
    "lord of the varsha lagna (by day or by night) and the lord of the Sun's sign by day or the Moon's by night.\n"
    "The year lord is the strongest of them by shadbala (BPHS ch. 27) that aspects the varsha lagna by Tajika\n"
    "aspect (from the 1st, 3rd, 4th, 5th, 7th, 9th, 10th or 11th sign), else the strongest of the five.\n\n"
    "Args:\n"
    "    longitudes, lagna, mc, ayanamsha_value, jd, latitude, longitude: the year's chart, as shadbala takes it.\n"
    "    natal_lagna_sign, muntha_sign: the natal lagna's and the muntha's signs, 0 (Aries) to 11.\n\n"
    "Returns:\n"
    "    (year_lord, offices, by_day): offices a list of 5 (office, graha, shadbala rupas, aspects the lagna)\n"
    "    tuples, office \"muntha\", \"janma_lagna\", \"varsha_lagna\", \"tri_rashi\", \"dina_ratri\".\n\n"
    "Raises:\n"
    "    ValueError: as shadbala; IndexError: a sign above 11.");

inline constexpr auto COMPUTE_NATAL_NUMBERS_DOC = docstring<COMPUTE_NATAL_NUMBERS>(
    "Compute the numbers of compute_natal_record's chart as one row of doubles, for tables of many charts.\n\n"
    "Args:\n"
    "    year, month, day, hour, minute, latitude, longitude: as compute_natal_chart (UTC).\n"
    "    ayanamsha: ", AYANAMSHA_LIST.chars, AYANAMSHA_MATCHING, "\n"
    "    house_system: ", HOUSE_SYSTEM_LIST.chars, ".\n"
    "    node: ", LUNAR_NODE_LIST.chars, " (Rahu: the mean node or the true orbit's; Ketu opposite).\n\n"
    "Returns:\n"
    "    bytes of 134 doubles in native byte order (struct format \"=134d\"), each equal to its member of\n"
    "    compute_natal_record: julian_day, ayanamsha_value; for each body, Sun, Moon, Mercury, Venus, Mars,\n"
    "    Jupiter, Saturn, Rahu, Ketu: longitude, sign_index, degree, nakshatra_index, pada, house, dignity\n"
    "    (0 Domicile, 1 Exaltation, 2 Detriment, 3 Fall, 4 Peregrine), retrograde (1 or 0), speed, latitude,\n"
    "    distance; for the lagna: longitude, sign_index, degree, nakshatra_index, pada; cusps_sidereal (12),\n"
    "    cusps_tropical (12), asc_tropical, mc_sidereal, mc_tropical, polar_fallback (1 or 0).\n\n"
    "Raises:\n"
    "    ValueError: as compute_natal_chart, or an unknown node.");

inline constexpr auto FIND_EVENTS_DOC = docstring<FIND_EVENTS>(
    "Every moment in [start_jd, end_jd) at which a body enters a sign or a nakshatra, a tithi, yoga or karana\n"
    "ends, or a planet stations, from the chart's apparent positions and true ayanamsha, found to 0.1 s.\n\n"
    "Sign and nakshatra: the body's sidereal longitude crosses a multiple of 30 or 13 1/3 degrees (indices\n"
    "0..11 from Aries, 0..26 from Ashwini). Tithi and karana: the Moon's longitude less the Sun's crosses a\n"
    "multiple of 12 or 6 degrees (numbers 1..30, 1..60); yoga: their sidereal sum crosses a multiple of\n"
    "13 1/3 degrees (numbers 1..27); these three take the body Moon. Station: the speed in longitude changes\n"
    "sign (1 direct, -1 retrograde). Rahu and Ketu are the mean node, TrueRahu and TrueKetu the true node.\n\n"
    "Args:\n"
    "    start_jd, end_jd: the range, UT Julian Days.\n"
    "    kind: ", EVENT_KIND_LIST.chars, ".\n"
    "    body: ", MOMENT_BODY_LIST.chars, ".\n"
    "    ayanamsha: ", AYANAMSHA_LIST.chars, AYANAMSHA_MATCHING, "\n\n"
    "Returns:\n"
    "    list of (jd_ut, before, after) tuples in time order: the part left and the part entered.\n\n"
    "Raises:\n"
    "    ValueError: unknown kind, body or ayanamsha, a body the kind does not apply to, or a range outside\n"
    "        the ephemeris.");

inline constexpr auto FIND_CROSSINGS_DOC = docstring<FIND_CROSSINGS>(
    "Every moment in [start_jd, end_jd) at which a body's sidereal longitude passes a value, either way.\n\n"
    "Args:\n"
    "    body: ", MOMENT_BODY_LIST.chars, ".\n"
    "    longitude: degrees, sidereal (tropical with Tropical).\n"
    "    start_jd, end_jd: the range, UT Julian Days.\n"
    "    ayanamsha: ", AYANAMSHA_LIST.chars, AYANAMSHA_MATCHING, "\n\n"
    "Returns:\n"
    "    list of UT Julian Days in time order.\n\n"
    "Raises:\n"
    "    ValueError: unknown body or ayanamsha, a longitude that is not finite, or a range outside the ephemeris.");

inline constexpr auto RISE_SET_TIMES_DOC = docstring<RISE_SET_TIMES>(
    "Every rise, set and upper meridian transit of a body in [start_jd, end_jd) for a place.\n\n"
    "Conventions: hindu, the disc's centre on the geometric horizon, no refraction, seen from the Earth's\n"
    "centre; civil, the upper limb on the horizon through 34' of refraction, seen from the place (parallax\n"
    "and semi-diameter from the distance); the twilights (the Sun only), its centre 6, 12 or 18 degrees\n"
    "below the horizon. The Moon's place keeps its ecliptic latitude.\n\n"
    "Args:\n"
    "    start_jd, end_jd: the range, UT Julian Days.\n"
    "    latitude, longitude: degrees north and east (geodetic, WGS 84).\n"
    "    elevation: metres above the ellipsoid, -1000..100000; lowers the horizon of rise and set by the dip.\n"
    "    body: ", MOMENT_BODY_LIST.chars, " (not the nodes).\n"
    "    convention: ", HORIZON_CONVENTION_LIST.chars, ".\n\n"
    "Returns:\n"
    "    (events, above_at_start): events a list of (jd_ut, \"rise\" | \"set\" | \"transit\") in time order;\n"
    "    above_at_start whether the body stood above that horizon at start_jd.\n\n"
    "Raises:\n"
    "    ValueError: unknown body or convention, a node, a twilight of another body, a latitude outside\n"
    "        -90..90, or a range outside the ephemeris.");
inline constexpr auto COMPUTE_PANCHANGA_DOC = docstring<COMPUTE_PANCHANGA>(
    "Compute the panchanga of consecutive days at a place, from sunrise to the next sunrise.\n\n"
    "Args:\n"
    "    year, month, day: the local calendar date of the first day (proleptic Gregorian).\n"
    "    days: how many days, 1 to 100000.\n"
    "    latitude, longitude: degrees, north and east positive.\n"
    "    elevation: metres above the ellipsoid (lowers the horizon by the dip).\n"
    "    utc_offset: hours east of UTC of the local midnight opening the first day; each day's sunrise is the\n"
    "        first in the 24 hours from its midnight.\n"
    "    convention: hindu (the disc's centre on the geometric horizon, geocentric) or civil (the upper limb\n"
    "        through 34' of refraction); the Moon's events are always civil, seen from the place.\n"
    "    ayanamsha: ", AYANAMSHA_LIST.chars, " (not Tropical)", AYANAMSHA_MATCHING, "\n\n"
    "Returns:\n"
    "    (days, crossings): a tuple per day of UT Julian Days and numbers: sunrise, sunset, next_sunrise,\n"
    "    moonrise, moonset (None if none), vara (0 Sunday), first crossing and count of the tithis,\n"
    "    nakshatras, yogas and karanas, rahu_kalam, yamaganda, gulika_kalam, abhijit and brahma_muhurta\n"
    "    (start, end each), masa (0 Chaitra), adhika, kshaya masa (-1 none), purnimanta masa and adhika,\n"
    "    ritu (0 Vasanta), uttarayana; crossings: for tithi, nakshatra, yoga and karana, (Julian Days,\n"
    "    bytes of the numbers entered): limb j of a day runs from crossing first + j to the next.\n\n"
    "Raises:\n"
    "    ValueError: unknown name, a range outside the ephemeris, or a day without sunrise or sunset.");

}  // namespace zentaric::python
