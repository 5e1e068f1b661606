// Each function: parse its names, compute, build the result object (the arguments come bound and converted).
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

PyObject* localized_name(const char* function, locale::NameTable table, const Argument* a) {
    const Result<locale::Language> language = locale::parse_language(a[1].text);
    if (!language) return raise_error(language.error());
    const auto name = locale::localized_name(table, a[0].index, language.value());
    if (name) return new_text(*name);
    const auto index = static_cast<unsigned long long>(a[0].index);
    return raise_exception(PyExc_IndexError, PyUnicode_FromFormat("index %llu is out of range: %s() accepts 0 to %zu",
                                                                  index, function, locale::row_count(table) - 1));
}

}  // namespace

PyObject* compute_dasha(const Argument* a) {
    const auto levels = clamp_dasha_levels(static_cast<unsigned>(a[2].integer));
    return new_text(compute_dasha_json(levels, a[0].number, a[1].number));
}

PyObject* get_nakshatra(const Argument* a) {
    return new_nakshatra_dict(nakshatra_of(a[0].number), pada_of(a[0].number));
}

PyObject* compute_varga(const Argument* a) {
    const Result<Varga> varga = parse_varga(a[1].text);
    if (!varga) return raise_error(varga.error());
    return PyLong_FromLong(varga_sign(varga.value(), a[0].number));
}

PyObject* compute_houses(const Argument* a) {
    const Result<HouseSystem> system = parse_house_system(a[3].text);
    if (!system) return raise_error(system.error());
    return new_houses_dict(house_cusps(system.value(), a[0].number, a[1].number, a[2].number));
}

PyObject* tropical_to_sidereal(const Argument* a) {
    const Result<Ayanamsha> system = parse_ayanamsha(a[1].text);
    if (!system) return raise_error(system.error());
    return PyFloat_FromDouble(to_sidereal(system.value(), a[0].number, a[2].number));
}

PyObject* get_ayanamsha(const Argument* a) {
    const Result<Ayanamsha> system = parse_ayanamsha(a[0].text);
    if (!system) return raise_error(system.error());
    return PyFloat_FromDouble(ayanamsha_degrees(system.value(), a[1].number));
}

PyObject* calendar_to_jd(const Argument* a) {
    return PyFloat_FromDouble(zentaric::calendar_to_jd(static_cast<std::int32_t>(a[0].integer),
                                                       static_cast<std::uint32_t>(a[1].integer), a[2].number));
}

PyObject* planet_name(const Argument* a) { return localized_name(PLANET_NAME.name, locale::NameTable::Planets, a); }
PyObject* sign_name(const Argument* a) { return localized_name(SIGN_NAME.name, locale::NameTable::Signs, a); }
PyObject* nakshatra_name_i18n(const Argument* a) {
    return localized_name(NAKSHATRA_NAME_I18N.name, locale::NameTable::Nakshatras, a);
}

PyObject* compute_natal_chart(const Argument* a) {
    const Result<std::string> chart = natal_chart_json(
        static_cast<std::int32_t>(a[0].integer), static_cast<std::uint32_t>(a[1].integer),
        static_cast<std::uint32_t>(a[2].integer), static_cast<std::uint32_t>(a[3].integer),
        static_cast<std::uint32_t>(a[4].integer), a[5].number, a[6].number, a[7].text, a[8].text);
    if (!chart) return raise_error(chart.error());
    return new_text(chart.value());
}

}  // namespace zentaric::python
