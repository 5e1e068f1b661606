#include "python/panchanga_objects.hpp"

#include <cmath>

namespace zentaric::python {
namespace {

// A float, or None for NaN (a moonrise or moonset that does not happen that day).
PyObject* new_time(double jd) { return std::isnan(jd) ? Py_NewRef(Py_None) : PyFloat_FromDouble(jd); }

PyObject* new_day(const PanchangaDay& day) {
    const MonthsAt& m = day.months;
    PyObject* items[] = {
        new_time(day.sunrise), new_time(day.sunset), new_time(day.next_sunrise), new_time(day.moonrise),
        new_time(day.moonset), PyLong_FromLong(day.vara),
        PyLong_FromUnsignedLong(day.limbs[0].first), PyLong_FromUnsignedLong(day.limbs[0].count),
        PyLong_FromUnsignedLong(day.limbs[1].first), PyLong_FromUnsignedLong(day.limbs[1].count),
        PyLong_FromUnsignedLong(day.limbs[2].first), PyLong_FromUnsignedLong(day.limbs[2].count),
        PyLong_FromUnsignedLong(day.limbs[3].first), PyLong_FromUnsignedLong(day.limbs[3].count),
        new_time(day.kalams[0].start), new_time(day.kalams[0].end), new_time(day.kalams[1].start),
        new_time(day.kalams[1].end), new_time(day.kalams[2].start), new_time(day.kalams[2].end),
        new_time(day.abhijit.start), new_time(day.abhijit.end), new_time(day.brahma_muhurta.start),
        new_time(day.brahma_muhurta.end), PyLong_FromLong(m.amanta.masa), PyBool_FromLong(m.amanta.adhika),
        PyLong_FromLong(m.amanta.kshaya), PyLong_FromLong(m.purnimanta.masa), PyBool_FromLong(m.purnimanta.adhika),
        PyLong_FromLong(day.ritu), PyBool_FromLong(day.uttarayana),
    };
    constexpr auto count = static_cast<Py_ssize_t>(std::size(items));
    PyObject* tuple = PyTuple_New(count);
    bool ok = tuple != nullptr;
    for (Py_ssize_t i = 0; i < count; ++i) ok = ok && items[i] != nullptr;
    if (!ok) {
        for (PyObject* item : items) Py_XDECREF(item);
        Py_XDECREF(tuple);
        return nullptr;
    }
    for (Py_ssize_t i = 0; i < count; ++i) PyTuple_SET_ITEM(tuple, i, items[i]);  // steals each
    return tuple;
}

PyObject* new_crossings(const std::vector<Crossing>& crossings) {
    const auto count = static_cast<Py_ssize_t>(crossings.size());
    PyObject* times = PyList_New(count);
    PyObject* numbers = PyBytes_FromStringAndSize(nullptr, count);
    bool ok = times != nullptr && numbers != nullptr;
    for (Py_ssize_t i = 0; ok && i < count; ++i) {
        PyObject* time = PyFloat_FromDouble(crossings[static_cast<std::size_t>(i)].jd);
        ok = time != nullptr;
        if (ok) PyList_SET_ITEM(times, i, time);
        if (ok) PyBytes_AS_STRING(numbers)[i] = static_cast<char>(crossings[static_cast<std::size_t>(i)].after);
    }
    PyObject* pair = ok ? PyTuple_Pack(2, times, numbers) : nullptr;
    Py_XDECREF(times);
    Py_XDECREF(numbers);
    return pair;
}

}  // namespace

PyObject* new_panchanga_result(const PanchangaRange& range) {
    PyObject* days = PyList_New(static_cast<Py_ssize_t>(range.days.size()));
    if (days == nullptr) return nullptr;
    for (std::size_t k = 0; k < range.days.size(); ++k) {
        PyObject* day = new_day(range.days[k]);
        if (day == nullptr) {
            Py_DECREF(days);
            return nullptr;
        }
        PyList_SET_ITEM(days, static_cast<Py_ssize_t>(k), day);
    }
    PyObject* limbs[LIMB_COUNT] = {};
    bool ok = true;
    for (std::size_t limb = 0; ok && limb < LIMB_COUNT; ++limb) ok = (limbs[limb] = new_crossings(range.crossings[limb]));
    PyObject* crossings = ok ? PyTuple_Pack(4, limbs[0], limbs[1], limbs[2], limbs[3]) : nullptr;
    for (PyObject* limb : limbs) Py_XDECREF(limb);
    PyObject* result = crossings != nullptr ? PyTuple_Pack(2, days, crossings) : nullptr;
    Py_DECREF(days);
    Py_XDECREF(crossings);
    return result;
}

}  // namespace zentaric::python
