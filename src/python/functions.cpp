// Each function: bind and convert (arguments.cpp), parse its name, compute, build the result object.
#include "python/functions.hpp"

#include <string>
#include <string_view>

#include "common/result.hpp"
#include "format/chart_json.hpp"
#include "format/dasha_json.hpp"
#include "houses/house_cusps.hpp"
#include "locale/names.hpp"
#include "python/arguments.hpp"
#include "python/objects.hpp"
#include "sidereal/ayanamsha.hpp"
#include "time/calendar.hpp"
#include "vedic/dasha.hpp"
#include "vedic/nakshatra.hpp"
#include "vedic/varga.hpp"

namespace zentaric::python {
namespace {

using K = ArgumentKind;

constexpr double DEFAULT_JD = 2451545.0;
constexpr std::string_view DEFAULT_AYANAMSHA = "Lahiri";
constexpr std::string_view DEFAULT_HOUSE_SYSTEM = "Placidus";
constexpr std::string_view DEFAULT_LANGUAGE = "en";
constexpr unsigned DEFAULT_DASHA_LEVELS = 3;

constexpr Parameter COMPUTE_DASHA_PARAMETERS[] = {
    {"moon_longitude", K::Float}, {"birth_jd", K::Float}, {"levels", K::UInt8}};
constexpr Signature COMPUTE_DASHA_SIGNATURE{"compute_dasha()", COMPUTE_DASHA_PARAMETERS, 3, 2};

constexpr Parameter GET_NAKSHATRA_PARAMETERS[] = {{"sidereal_longitude", K::Float}};
constexpr Signature GET_NAKSHATRA_SIGNATURE{"get_nakshatra()", GET_NAKSHATRA_PARAMETERS, 1, 1};

constexpr Parameter COMPUTE_VARGA_PARAMETERS[] = {{"longitude", K::Float}, {"varga", K::Text}};
constexpr Signature COMPUTE_VARGA_SIGNATURE{"compute_varga()", COMPUTE_VARGA_PARAMETERS, 2, 2};

constexpr Parameter COMPUTE_HOUSES_PARAMETERS[] = {
    {"ramc", K::Float}, {"latitude", K::Float}, {"obliquity", K::Float}, {"system", K::Text}};
constexpr Signature COMPUTE_HOUSES_SIGNATURE{"compute_houses()", COMPUTE_HOUSES_PARAMETERS, 4, 3};

constexpr Parameter TROPICAL_TO_SIDEREAL_PARAMETERS[] = {
    {"tropical_longitude", K::Float}, {"ayanamsha", K::Text}, {"jd", K::Float}};
constexpr Signature TROPICAL_TO_SIDEREAL_SIGNATURE{"tropical_to_sidereal()", TROPICAL_TO_SIDEREAL_PARAMETERS, 3, 1};

constexpr Parameter GET_AYANAMSHA_PARAMETERS[] = {{"ayanamsha", K::Text}, {"jd", K::Float}};
constexpr Signature GET_AYANAMSHA_SIGNATURE{"get_ayanamsha()", GET_AYANAMSHA_PARAMETERS, 2, 0};

constexpr Parameter CALENDAR_TO_JD_PARAMETERS[] = {{"year", K::Int32}, {"month", K::UInt32}, {"day", K::Float}};
constexpr Signature CALENDAR_TO_JD_SIGNATURE{"calendar_to_jd()", CALENDAR_TO_JD_PARAMETERS, 3, 3};

constexpr Parameter NAME_PARAMETERS[] = {{"index", K::Index}, {"language", K::Text}};
constexpr Signature PLANET_NAME_SIGNATURE{"planet_name()", NAME_PARAMETERS, 2, 1};
constexpr Signature SIGN_NAME_SIGNATURE{"sign_name()", NAME_PARAMETERS, 2, 1};
constexpr Signature NAKSHATRA_NAME_I18N_SIGNATURE{"nakshatra_name_i18n()", NAME_PARAMETERS, 2, 1};

constexpr Parameter COMPUTE_NATAL_CHART_PARAMETERS[] = {
    {"year", K::Int32},      {"month", K::UInt32},    {"day", K::UInt32},
    {"hour", K::UInt32},     {"minute", K::UInt32},   {"latitude", K::Float},
    {"longitude", K::Float}, {"ayanamsha", K::Text},  {"house_system", K::Text}};
constexpr Signature COMPUTE_NATAL_CHART_SIGNATURE{"compute_natal_chart()", COMPUTE_NATAL_CHART_PARAMETERS, 9, 7};

std::string_view text_or(const Argument& argument, std::string_view fallback) {
    return argument.present ? argument.text : fallback;
}

double number_or(const Argument& argument, double fallback) { return argument.present ? argument.number : fallback; }

PyObject* localized_name_for(const Signature& signature, locale::NameTable table, PyObject* const* args,
                             Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[2];
    if (!parse_arguments(signature, args, nargsf, kwnames, a)) return nullptr;
    const Result<locale::Language> language = locale::parse_language(text_or(a[1], DEFAULT_LANGUAGE));
    if (!language) return raise_error(language.error());
    const auto name = locale::localized_name(table, a[0].index, language.value());
    if (name) return new_text(*name);
    const auto index = static_cast<unsigned long long>(a[0].index);
    const std::size_t last = locale::row_count(table) - 1;
    return raise_exception(PyExc_IndexError, PyUnicode_FromFormat("index %llu is out of range: %s accepts 0 to %zu",
                                                                  index, signature.function, last));
}

}  // namespace

PyObject* compute_dasha(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[3];
    if (!parse_arguments(COMPUTE_DASHA_SIGNATURE, args, nargsf, kwnames, a)) return nullptr;
    const auto levels = clamp_dasha_levels(a[2].present ? static_cast<unsigned>(a[2].integer) : DEFAULT_DASHA_LEVELS);
    return new_text(compute_dasha_json(levels, a[0].number, a[1].number));
}

PyObject* get_nakshatra(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[1];
    if (!parse_arguments(GET_NAKSHATRA_SIGNATURE, args, nargsf, kwnames, a)) return nullptr;
    return new_nakshatra_dict(nakshatra_of(a[0].number), pada_of(a[0].number));
}

PyObject* compute_varga(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[2];
    if (!parse_arguments(COMPUTE_VARGA_SIGNATURE, args, nargsf, kwnames, a)) return nullptr;
    const Result<Varga> varga = parse_varga(a[1].text);
    if (!varga) return raise_error(varga.error());
    return PyLong_FromLong(varga_sign(varga.value(), a[0].number));
}

PyObject* compute_houses(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[4];
    if (!parse_arguments(COMPUTE_HOUSES_SIGNATURE, args, nargsf, kwnames, a)) return nullptr;
    const Result<HouseSystem> system = parse_house_system(text_or(a[3], DEFAULT_HOUSE_SYSTEM));
    if (!system) return raise_error(system.error());
    return new_houses_dict(house_cusps(system.value(), a[0].number, a[1].number, a[2].number));
}

PyObject* tropical_to_sidereal(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[3];
    if (!parse_arguments(TROPICAL_TO_SIDEREAL_SIGNATURE, args, nargsf, kwnames, a)) return nullptr;
    const Result<Ayanamsha> system = parse_ayanamsha(text_or(a[1], DEFAULT_AYANAMSHA));
    if (!system) return raise_error(system.error());
    return PyFloat_FromDouble(to_sidereal(system.value(), a[0].number, number_or(a[2], DEFAULT_JD)));
}

PyObject* get_ayanamsha(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[2];
    if (!parse_arguments(GET_AYANAMSHA_SIGNATURE, args, nargsf, kwnames, a)) return nullptr;
    const Result<Ayanamsha> system = parse_ayanamsha(text_or(a[0], DEFAULT_AYANAMSHA));
    if (!system) return raise_error(system.error());
    return PyFloat_FromDouble(ayanamsha_degrees(system.value(), number_or(a[1], DEFAULT_JD)));
}

PyObject* calendar_to_jd(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[3];
    if (!parse_arguments(CALENDAR_TO_JD_SIGNATURE, args, nargsf, kwnames, a)) return nullptr;
    return PyFloat_FromDouble(zentaric::calendar_to_jd(static_cast<std::int32_t>(a[0].integer),
                                                       static_cast<std::uint32_t>(a[1].integer), a[2].number));
}

PyObject* planet_name(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    return localized_name_for(PLANET_NAME_SIGNATURE, locale::NameTable::Planets, args, nargsf, kwnames);
}

PyObject* sign_name(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    return localized_name_for(SIGN_NAME_SIGNATURE, locale::NameTable::Signs, args, nargsf, kwnames);
}

PyObject* nakshatra_name_i18n(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    return localized_name_for(NAKSHATRA_NAME_I18N_SIGNATURE, locale::NameTable::Nakshatras, args, nargsf, kwnames);
}

PyObject* compute_natal_chart(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    Argument a[9];
    if (!parse_arguments(COMPUTE_NATAL_CHART_SIGNATURE, args, nargsf, kwnames, a)) return nullptr;
    const Result<std::string> chart = natal_chart_json(
        static_cast<std::int32_t>(a[0].integer), static_cast<std::uint32_t>(a[1].integer),
        static_cast<std::uint32_t>(a[2].integer), static_cast<std::uint32_t>(a[3].integer),
        static_cast<std::uint32_t>(a[4].integer), a[5].number, a[6].number, text_or(a[7], DEFAULT_AYANAMSHA),
        text_or(a[8], DEFAULT_HOUSE_SYSTEM));
    if (!chart) return raise_error(chart.error());
    return new_text(chart.value());
}

}  // namespace zentaric::python
