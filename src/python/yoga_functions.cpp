// A chart's manglik reading, a couple's, and the chart's yogas.
#include <algorithm>
#include <iterator>
#include <string_view>

#include "python/functions.hpp"
#include "python/objects.hpp"
#include "vedic/graha.hpp"
#include "vedic/manglik.hpp"
#include "vedic/yogas.hpp"

namespace zentaric::python {
namespace {

bool append(PyObject* list, PyObject* item) {
    if (item == nullptr) return false;
    const int status = PyList_Append(list, item);
    Py_DECREF(item);
    return status == 0;
}

GrahaLongitudes longitudes_of(const Argument& argument) {
    GrahaLongitudes longitudes{};
    std::copy(std::begin(argument.longitudes), std::end(argument.longitudes), longitudes.begin());
    return longitudes;
}

PyObject* named_rule(std::string_view name, std::string_view rule) {
    PyObject* dict = PyDict_New();
    if (dict != nullptr && !(set_owned(dict, "name", new_text(name)) && set_owned(dict, "rule", new_text(rule))))
        Py_CLEAR(dict);
    return dict;
}

// {"readings": [{"from", "house", "dosha"} x 3], "dosha", "cancelled_by": [{"name", "rule"}], "stands"}
PyObject* new_manglik_dict(const Manglik& result) {
    PyObject* readings = PyList_New(0);
    PyObject* cancelled_by = readings != nullptr ? PyList_New(0) : nullptr;
    PyObject* dict = cancelled_by != nullptr ? PyDict_New() : nullptr;
    bool ok = dict != nullptr;
    for (const ManglikReading& reading : result.readings) {
        PyObject* entry = ok ? PyDict_New() : nullptr;
        ok = entry != nullptr &&
             set_owned(entry, "from", new_text(MANGLIK_REFERENCE_NAMES[static_cast<std::size_t>(reading.from)])) &&
             set_owned(entry, "house", PyLong_FromLong(reading.house)) &&
             set_owned(entry, "dosha", PyBool_FromLong(reading.dosha));
        ok = append(readings, entry) && ok;
    }
    for (std::size_t e = 0; ok && e < MANGLIK_EXCEPTION_TABLE.size(); ++e)
        if (result.exceptions >> e & 1u)
            ok = append(cancelled_by, named_rule(MANGLIK_EXCEPTION_TABLE[e].name, MANGLIK_EXCEPTION_TABLE[e].rule));
    ok = ok && set_owned(dict, "readings", Py_NewRef(readings)) &&
         set_owned(dict, "dosha", PyBool_FromLong(result.dosha)) &&
         set_owned(dict, "cancelled_by", Py_NewRef(cancelled_by)) &&
         set_owned(dict, "stands", PyBool_FromLong(result.stands()));
    Py_XDECREF(readings);
    Py_XDECREF(cancelled_by);
    if (!ok) Py_CLEAR(dict);
    return dict;
}

PyObject* new_body_list(GrahaSet bodies) {
    PyObject* list = PyList_New(0);
    for (std::size_t g = 0; list != nullptr && g < GRAHA_COUNT; ++g)
        if ((bodies >> g & 1u) != 0 && !append(list, new_text(GRAHA_NAMES[g]))) Py_CLEAR(list);
    return list;
}

}  // namespace

PyObject* manglik(const Argument* a) {
    return new_manglik_dict(zentaric::manglik(longitudes_of(a[0]), a[1].number, a[2].integer != 0));
}

PyObject* match_manglik(const Argument* a) {
    const bool with_second = a[4].integer != 0;
    const Manglik boy = zentaric::manglik(longitudes_of(a[0]), a[1].number, with_second);
    const Manglik girl = zentaric::manglik(longitudes_of(a[2]), a[3].number, with_second);
    PyObject* dict = PyDict_New();
    if (dict != nullptr && !(set_owned(dict, "boy", new_manglik_dict(boy)) &&
                             set_owned(dict, "girl", new_manglik_dict(girl)) &&
                             set_owned(dict, "agrees", PyBool_FromLong(manglik_agrees(boy, girl)))))
        Py_CLEAR(dict);
    return dict;
}

PyObject* yogas(const Argument* a) {
    const YogaList found = find_yogas(longitudes_of(a[0]), a[1].number);
    PyObject* list = PyList_New(0);
    for (std::size_t i = 0; list != nullptr && i < found.count; ++i) {
        const YogaRow& row = YOGA_TABLE[found.items[i].yoga];
        PyObject* entry = PyDict_New();
        const bool ok = entry != nullptr && set_owned(entry, "name", new_text(row.name)) &&
                        set_owned(entry, "bodies", new_body_list(found.items[i].bodies)) &&
                        set_owned(entry, "rule", new_text(row.rule)) &&
                        set_owned(entry, "source", new_text(row.source));
        if (!ok) Py_XDECREF(entry);
        if (!ok || !append(list, entry)) Py_CLEAR(list);
    }
    return list;
}

}  // namespace zentaric::python
