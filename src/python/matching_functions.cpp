// The matching functions: a couple's kootas, and one Moon against every place a partner's Moon can hold.
#include <array>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"
#include "python/functions.hpp"
#include "python/objects.hpp"
#include "vedic/matching.hpp"

namespace zentaric::python {
namespace {

PyObject* value_name(const KootaRow& row, std::uint8_t value) {
    if (row.values.empty()) Py_RETURN_NONE;
    return new_text(row.values[value % row.values.size()]);
}

PyObject* new_koota_dict(const KootaRow& row, const KootaScore& score) {
    PyObject* dict = PyDict_New();
    if (dict == nullptr) return nullptr;
    const bool ok = set_owned(dict, "name", new_text(row.name)) &&
                    set_owned(dict, "score", PyFloat_FromDouble(score.half_points / 2.0)) &&
                    set_owned(dict, "maximum", PyFloat_FromDouble(row.maximum_half_points / 2.0)) &&
                    set_owned(dict, "boy", value_name(row, score.boy)) &&
                    set_owned(dict, "girl", value_name(row, score.girl)) &&
                    set_owned(dict, "count", PyLong_FromLong(score.count));
    if (!ok) Py_CLEAR(dict);
    return dict;
}

// One dosha: the koota that raised it and the cancellations that clear it ({"name", "rule"} each).
PyObject* new_dosha_dict(const MatchResult& result, std::size_t koota, std::string_view name) {
    PyObject* cancelled_by = PyList_New(0);
    PyObject* dict = cancelled_by != nullptr ? PyDict_New() : nullptr;
    bool ok = dict != nullptr;
    for (std::size_t c = 0; ok && c < CANCELLATION_TABLE.size(); ++c) {
        const CancellationRow& row = CANCELLATION_TABLE[c];
        if ((result.cancellations >> c & 1u) == 0 || row.koota != koota) continue;
        PyObject* entry = PyDict_New();
        ok = entry != nullptr && set_owned(entry, "name", new_text(row.name)) &&
             set_owned(entry, "rule", new_text(row.rule)) && PyList_Append(cancelled_by, entry) == 0;
        Py_XDECREF(entry);
    }
    ok = ok && set_owned(dict, "name", new_text(name)) && set_owned(dict, "cancelled_by", Py_NewRef(cancelled_by));
    Py_XDECREF(cancelled_by);
    if (!ok) Py_CLEAR(dict);
    return dict;
}

PyObject* new_match_dict(const MatchResult& result) {
    const MatchSystemRow& system = MATCH_SYSTEM_TABLE[static_cast<std::size_t>(result.system)];
    PyObject* kootas = PyList_New(result.koota_count);
    PyObject* doshas = kootas != nullptr ? PyList_New(0) : nullptr;
    PyObject* dict = doshas != nullptr ? PyDict_New() : nullptr;
    bool ok = dict != nullptr;
    for (std::size_t k = 0; ok && k < result.koota_count; ++k) {
        PyObject* koota = new_koota_dict(system.kootas[k], result.scores[k]);
        ok = koota != nullptr;
        if (ok) PyList_SET_ITEM(kootas, static_cast<Py_ssize_t>(k), koota);
        if (ok && (result.doshas >> k & 1u) != 0) {
            PyObject* dosha = new_dosha_dict(result, k, system.kootas[k].name);
            ok = dosha != nullptr && PyList_Append(doshas, dosha) == 0;
            Py_XDECREF(dosha);
        }
    }
    ok = ok && set_owned(dict, "system", new_text(system.name)) && set_owned(dict, "kootas", Py_NewRef(kootas)) &&
         set_owned(dict, "total", PyFloat_FromDouble(result.total_half_points / 2.0)) &&
         set_owned(dict, "maximum", PyFloat_FromDouble(result.maximum_half_points / 2.0)) &&
         set_owned(dict, "doshas", Py_NewRef(doshas));
    Py_XDECREF(kootas);
    Py_XDECREF(doshas);
    if (!ok) Py_CLEAR(dict);
    return dict;
}

enum class Role : std::uint8_t { Boy, Girl };
struct RoleRow {
    Role id;
    std::string_view name;
    Spellings spellings;
};
constexpr std::array<RoleRow, 2> ROLES{{{Role::Boy, "boy", {"boy", "groom", nullptr}},
                                        {Role::Girl, "girl", {"girl", "bride", nullptr}}}};
static_assert(well_formed(ROLES));

}  // namespace

PyObject* match_moons(const Argument* a) {
    const Result<MatchSystem> system = parse_match_system(a[2].text);
    if (!system) return raise_error(system.error());
    return new_match_dict(zentaric::match_moons(system.value(), moon_place(a[0].number), moon_place(a[1].number)));
}

PyObject* match_moon_places(const Argument* a) {
    const Result<Role> role = parse_name(a[1].text, ROLES, "Unknown role: ");
    if (!role) return raise_error(role.error());
    const Result<MatchSystem> system = parse_match_system(a[2].text);
    if (!system) return raise_error(system.error());
    const MoonPlace profile = moon_place(a[0].number);
    PyObject* list = PyList_New(MOON_PLACE_COUNT);
    for (int code = 0; list != nullptr && code < MOON_PLACE_COUNT; ++code) {
        const MoonPlace other = moon_place_of_code(code);
        const bool boy = role.value() == Role::Boy;
        PyObject* match = new_match_dict(zentaric::match_moons(system.value(), boy ? profile : other,
                                                               boy ? other : profile));
        if (match == nullptr) Py_CLEAR(list);
        else PyList_SET_ITEM(list, code, match);
    }
    return list;
}

}  // namespace zentaric::python
