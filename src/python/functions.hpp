// The module functions: each one's parameter table (names, conversions, defaults; required parameters first)
// and its body, which gets the arguments bound, converted and completed with the defaults, in table order.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include "python/arguments.hpp"

namespace zentaric::python {

using K = ArgumentKind;

inline constexpr Signature COMPUTE_DASHA{"compute_dasha", {
    {"moon_longitude", K::Float}, {"birth_jd", K::Float}, {"levels", K::UInt8, 3}}};
inline constexpr Signature GET_NAKSHATRA{"get_nakshatra", {{"sidereal_longitude", K::Float}}};
inline constexpr Signature COMPUTE_VARGA{"compute_varga", {{"longitude", K::Float}, {"varga", K::Text}}};
inline constexpr Signature COMPUTE_HOUSES{"compute_houses", {
    {"ramc", K::Float}, {"latitude", K::Float}, {"obliquity", K::Float}, {"system", K::Text, "Placidus"}}};
inline constexpr Signature TROPICAL_TO_SIDEREAL{"tropical_to_sidereal", {
    {"tropical_longitude", K::Float}, {"ayanamsha", K::Text, "Lahiri"}, {"jd", K::Float, 2451545.0}}};
inline constexpr Signature GET_AYANAMSHA{"get_ayanamsha", {
    {"ayanamsha", K::Text, "Lahiri"}, {"jd", K::Float, 2451545.0}}};
inline constexpr Signature CALENDAR_TO_JD{"calendar_to_jd", {
    {"year", K::Int32}, {"month", K::UInt32}, {"day", K::Float}}};
constexpr auto localized_name_signature(const char* name) {
    return Signature{name, {{"index", K::Index}, {"language", K::Text, "en"}}};
}
inline constexpr Signature PLANET_NAME = localized_name_signature("planet_name");
inline constexpr Signature SIGN_NAME = localized_name_signature("sign_name");
inline constexpr Signature NAKSHATRA_NAME_I18N = localized_name_signature("nakshatra_name_i18n");
inline constexpr Signature PANCHANGA_NAME{"panchanga_name", {
    {"table", K::Text}, {"index", K::Index}, {"language", K::Text, "en"}}};
inline constexpr Signature COMPUTE_PANCHANGA{"compute_panchanga", {
    {"year", K::Int32}, {"month", K::UInt32}, {"day", K::UInt32}, {"days", K::UInt32}, {"latitude", K::Float},
    {"longitude", K::Float}, {"elevation", K::Float, 0.0}, {"utc_offset", K::Float, 0.0},
    {"convention", K::Text, "hindu"}, {"ayanamsha", K::Text, "Lahiri"}}};
inline constexpr Signature COMPUTE_NATAL_CHART{"compute_natal_chart", {
    {"year", K::Int32}, {"month", K::UInt32}, {"day", K::UInt32}, {"hour", K::UInt32}, {"minute", K::UInt32},
    {"latitude", K::Float}, {"longitude", K::Float}, {"ayanamsha", K::Text, "Lahiri"},
    {"house_system", K::Text, "Placidus"}}};
inline constexpr Signature MATCH_MOONS{"match_moons", {
    {"boy_moon_longitude", K::Longitude}, {"girl_moon_longitude", K::Longitude}, {"system", K::Text, "ashtakoota"}}};
inline constexpr Signature MATCH_MOON_PLACES{"match_moon_places", {
    {"moon_longitude", K::Longitude}, {"role", K::Text, "boy"}, {"system", K::Text, "ashtakoota"}}};
inline constexpr Signature MANGLIK{"manglik", {
    {"longitudes", K::Longitudes}, {"lagna", K::Longitude}, {"with_second", K::UInt8, 1}}};
inline constexpr Signature MATCH_MANGLIK{"match_manglik", {
    {"boy_longitudes", K::Longitudes}, {"boy_lagna", K::Longitude}, {"girl_longitudes", K::Longitudes},
    {"girl_lagna", K::Longitude}, {"with_second", K::UInt8, 1}}};
inline constexpr Signature YOGAS{"yogas", {{"longitudes", K::Longitudes}, {"lagna", K::Longitude}}};
inline constexpr Signature COMPUTE_NATAL_RECORD{"compute_natal_record", {
    {"year", K::Int32}, {"month", K::UInt32}, {"day", K::UInt32}, {"hour", K::UInt32}, {"minute", K::UInt32},
    {"latitude", K::Float}, {"longitude", K::Float}, {"ayanamsha", K::Text, "Lahiri"},
    {"house_system", K::Text, "Placidus"}, {"language", K::Text, "en"}, {"node", K::Text, "mean"},
    {"second", K::Float, 0.0}}};
inline constexpr Signature COMPUTE_NATAL_NUMBERS{"compute_natal_numbers", {
    {"year", K::Int32}, {"month", K::UInt32}, {"day", K::UInt32}, {"hour", K::UInt32}, {"minute", K::UInt32},
    {"latitude", K::Float}, {"longitude", K::Float}, {"ayanamsha", K::Text, "Lahiri"},
    {"house_system", K::Text, "Placidus"}, {"node", K::Text, "mean"}}};

inline constexpr Signature VEDIC_DIGNITY{"vedic_dignity", {{"longitudes", K::Longitudes}, {"varga", K::Text, "d1"}}};
inline constexpr Signature VIMSHOPAKA_BALA{"vimshopaka_bala", {
    {"longitudes", K::Longitudes}, {"group", K::Text, "shodashavarga"}}};
inline constexpr Signature GRAHA_DRISHTI{"graha_drishti", {{"longitudes", K::Longitudes}}};
inline constexpr Signature RASHI_DRISHTI{"rashi_drishti", {{"sign", K::Index}}};
inline constexpr Signature SHADBALA{"shadbala", {
    {"longitudes", K::Longitudes}, {"lagna", K::Float}, {"mc", K::Float}, {"ayanamsha_value", K::Float},
    {"jd", K::Float}, {"latitude", K::Float}, {"longitude", K::Float}, {"required", K::Text, "bphs"}}};
inline constexpr Signature VARSHA_LORDS{"varsha_lords", {
    {"longitudes", K::Longitudes}, {"lagna", K::Float}, {"mc", K::Float}, {"ayanamsha_value", K::Float},
    {"jd", K::Float}, {"latitude", K::Float}, {"longitude", K::Float}, {"natal_lagna_sign", K::Index},
    {"muntha_sign", K::Index}}};
inline constexpr Signature GOCHARA{"gochara", {
    {"longitudes", K::Longitudes}, {"moon_sign", K::Index}, {"lagna_sign", K::Index}}};
inline constexpr Signature SATURN_PHASES{"saturn_phases", {
    {"moon_sign", K::Index}, {"start_jd", K::Float}, {"end_jd", K::Float}, {"ayanamsha", K::Text, "Lahiri"}}};
inline constexpr Signature TRANSIT_CALENDAR{"transit_calendar", {
    {"moon_longitude", K::Float}, {"lagna_longitude", K::Float}, {"start_jd", K::Float}, {"end_jd", K::Float},
    {"ayanamsha", K::Text, "Lahiri"}}};
inline constexpr Signature ASHTAKAVARGA{"ashtakavarga", {{"longitudes", K::Longitudes}, {"lagna", K::Longitude}}};
inline constexpr Signature SPECIAL_LAGNAS{"special_lagnas", {
    {"jd", K::Float}, {"latitude", K::Float}, {"longitude", K::Float}, {"ayanamsha", K::Text, "Lahiri"},
    {"convention", K::Text, "hindu"}}};
inline constexpr Signature JAIMINI{"jaimini", {
    {"longitudes", K::Longitudes}, {"lagna", K::Longitude}, {"karakas", K::UInt8, 7}}};
inline constexpr Signature COMPUTE_DASHA_PERIODS{"compute_dasha_periods", {
    {"year", K::Int32}, {"month", K::UInt32}, {"day", K::UInt32}, {"hour", K::UInt32}, {"minute", K::UInt32},
    {"latitude", K::Float}, {"longitude", K::Float}, {"system", K::Text, "Vimshottari"}, {"levels", K::UInt8, 3},
    {"year_length", K::Text, "julian"}, {"ayanamsha", K::Text, "Lahiri"}, {"at_jd", K::Float, 0.0},
    {"node", K::Text, "mean"}}};

inline constexpr Signature FIND_EVENTS{"find_events", {
    {"start_jd", K::Float}, {"end_jd", K::Float}, {"kind", K::Text}, {"body", K::Text, "Moon"},
    {"ayanamsha", K::Text, "Lahiri"}}};
inline constexpr Signature FIND_CROSSINGS{"find_crossings", {
    {"body", K::Text}, {"longitude", K::Float}, {"start_jd", K::Float}, {"end_jd", K::Float},
    {"ayanamsha", K::Text, "Lahiri"}}};
inline constexpr Signature RISE_SET_TIMES{"rise_set_times", {
    {"start_jd", K::Float}, {"end_jd", K::Float}, {"latitude", K::Float}, {"longitude", K::Float},
    {"elevation", K::Float, 0.0}, {"body", K::Text, "Sun"}, {"convention", K::Text, "hindu"}}};

PyObject* compute_dasha(const Argument* a);
PyObject* get_nakshatra(const Argument* a);
PyObject* compute_varga(const Argument* a);
PyObject* compute_houses(const Argument* a);
PyObject* tropical_to_sidereal(const Argument* a);
PyObject* get_ayanamsha(const Argument* a);
PyObject* calendar_to_jd(const Argument* a);
PyObject* planet_name(const Argument* a);
PyObject* sign_name(const Argument* a);
PyObject* nakshatra_name_i18n(const Argument* a);
PyObject* compute_natal_chart(const Argument* a);
PyObject* vedic_dignity(const Argument* a);
PyObject* vimshopaka_bala(const Argument* a);
PyObject* graha_drishti(const Argument* a);
PyObject* rashi_drishti(const Argument* a);
PyObject* jaimini(const Argument* a);
PyObject* ashtakavarga(const Argument* a);
PyObject* shadbala(const Argument* a);
PyObject* special_lagnas(const Argument* a);
PyObject* gochara(const Argument* a);
PyObject* varsha_lords(const Argument* a);
PyObject* saturn_phases(const Argument* a);
PyObject* transit_calendar(const Argument* a);
PyObject* panchanga_name(const Argument* a);
PyObject* compute_dasha_periods(const Argument* a);
PyObject* match_moons(const Argument* a);          // matching_functions.cpp
PyObject* match_moon_places(const Argument* a);
PyObject* manglik(const Argument* a);              // yoga_functions.cpp
PyObject* match_manglik(const Argument* a);
PyObject* yogas(const Argument* a);
PyObject* compute_natal_record(const Argument* a);
PyObject* compute_natal_numbers(const Argument* a);
PyObject* find_events(const Argument* a);
PyObject* find_crossings(const Argument* a);
PyObject* rise_set_times(const Argument* a);
PyObject* compute_panchanga(const Argument* a);

}  // namespace zentaric::python
