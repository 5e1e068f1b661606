// Python result objects, and the one place where the module raises.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/result.hpp"
#include "chart/natal_record.hpp"
#include "houses/house_cusps.hpp"
#include "vedic/dasha_periods.hpp"
#include "locale/names.hpp"

namespace zentaric::python {

// Creates the interned key strings and cached objects the result builders use; false with an exception set.
bool init_objects();

// The one place where the module raises: `kind` with `message` as its single argument, caused by `cause` if given.
// Takes both references; a null message (making it failed) leaves that failure set. Always returns nullptr.
PyObject* raise_exception(PyObject* kind, PyObject* message, PyObject* cause = nullptr);

// An error value as a Python exception (ValueError with its message); always returns nullptr.
PyObject* raise_error(const Error& error);

// A new str from UTF-8 text.
PyObject* new_text(std::string_view utf8);

// A new list of `count` items, item i a new reference from make(i); null with an exception set when one is null.
template <class Make>
PyObject* new_list(std::size_t count, Make make) {
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(count));
    for (std::size_t i = 0; list != nullptr && i < count; ++i) {
        PyObject* item = make(i);
        if (item == nullptr) Py_CLEAR(list);  // a list's unset items are null, which its release skips
        else PyList_SET_ITEM(list, static_cast<Py_ssize_t>(i), item);  // steals `item`
    }
    return list;
}

// Sets dict[key] = value, taking ownership of value (a null value fails); false with an exception set.
bool set_owned(PyObject* dict, const char* key, PyObject* value);

// The get_nakshatra dictionary for nakshatra index 0..26 and pada 1..4.
PyObject* new_nakshatra_dict(std::uint8_t nakshatra, std::uint8_t pada);

// The compute_houses dictionary: cusps (list of 12 floats), asc, mc, system, polar_fallback.
PyObject* new_houses_dict(const HouseCusps& houses);

// The compute_dasha_periods dictionary: system, star, balance, applicable, condition, year_days, lords, names and
// the periods as packed records (bytes).
PyObject* new_dasha_periods_dict(const DashaPeriods& periods);
// The compute_natal_record dictionary (see its docstring), names in `language`.
PyObject* new_natal_record(const NatalRecord& record, locale::Language language);
inline constexpr std::size_t NATAL_NUMBER_COUNT = 2 + 9 * 11 + 5 + 12 + 12 + 4;
// The compute_natal_numbers bytes: the record's numbers as native doubles, in the order its docstring gives.
PyObject* new_natal_numbers(const NatalRecord& record);

}  // namespace zentaric::python
