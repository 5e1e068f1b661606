#include "python/objects.hpp"

#include <array>
#include <iterator>
#include <span>
#include <string_view>

#include "houses/house_cusps.hpp"
#include "vedic/index.hpp"
#include "vedic/nakshatra.hpp"

namespace zentaric::python {
namespace {

// Interned dictionary keys, created once by init_objects (the module refuses sub-interpreters).
struct Keys {
    PyObject* nakshatra;
    PyObject* index;
    PyObject* pada;
    PyObject* dasha_lord;
    PyObject* start_longitude;
    PyObject* end_longitude;
    PyObject* cusps;
    PyObject* asc;
    PyObject* mc;
    PyObject* system;
    PyObject* polar_fallback;
};
Keys keys{};

PyObject* intern(const char* text) { return PyUnicode_InternFromString(text); }

}  // namespace

bool init_objects() {
    if (keys.nakshatra != nullptr) return true;
    Keys made{intern("nakshatra"),       intern("index"),         intern("pada"), intern("dasha_lord"),
              intern("start_longitude"), intern("end_longitude"), intern("cusps"), intern("asc"),
              intern("mc"),              intern("system"),        intern("polar_fallback")};
    PyObject** const all[] = {&made.nakshatra, &made.index,         &made.pada,  &made.dasha_lord,
                              &made.start_longitude, &made.end_longitude, &made.cusps, &made.asc,
                              &made.mc,        &made.system,        &made.polar_fallback};
    bool complete = true;
    for (PyObject** key : all) complete = complete && *key != nullptr;
    if (!complete) {
        for (PyObject** key : all) Py_XDECREF(*key);
        return false;
    }
    keys = made;
    return true;
}

PyObject* raise_exception(PyObject* kind, PyObject* message, PyObject* cause) {
    if (message != nullptr) PyErr_SetObject(kind, message);
    if (message != nullptr && cause != nullptr) {
        PyObject* raised = PyErr_GetRaisedException();
        PyException_SetCause(raised, Py_NewRef(cause));  // steals the new reference
        PyErr_SetRaisedException(raised);                // steals `raised`
    }
    Py_XDECREF(message);
    Py_XDECREF(cause);
    return nullptr;
}

PyObject* raise_error(const Error& error) {
    const auto size = static_cast<Py_ssize_t>(error.message.size());
    return raise_exception(PyExc_ValueError, PyUnicode_DecodeUTF8(error.message.data(), size, "surrogateescape"));
}

PyObject* new_text(std::string_view utf8) {
    return PyUnicode_DecodeUTF8(utf8.data(), static_cast<Py_ssize_t>(utf8.size()), nullptr);
}

// Sets dict[key] = value, taking ownership of value; false with an exception set.
namespace {
bool set_owned(PyObject* dict, PyObject* key, PyObject* value) {
    if (value == nullptr) return false;
    const int status = PyDict_SetItem(dict, key, value);
    Py_DECREF(value);
    return status == 0;
}
}  // namespace

bool set_owned(PyObject* dict, const char* key, PyObject* value) {
    if (value == nullptr) return false;
    const int status = PyDict_SetItemString(dict, key, value);
    Py_DECREF(value);
    return status == 0;
}

namespace {

// The dictionary for one (nakshatra, pada): every value is immutable, so one made dictionary per pair
// serves as the template that each call copies.
PyObject* make_nakshatra_dict(std::uint8_t nakshatra, std::uint8_t pada) {
    PyObject* dict = PyDict_New();
    if (dict == nullptr) return nullptr;
    const double index = static_cast<double>(nakshatra);
    const bool ok = set_owned(dict, keys.nakshatra, new_text(nakshatra_display_name(nakshatra))) &&
                    set_owned(dict, keys.index, PyLong_FromLong(nakshatra)) &&
                    set_owned(dict, keys.pada, PyLong_FromLong(pada)) &&
                    set_owned(dict, keys.dasha_lord, new_text(dasha_lord_name(nakshatra_lord(nakshatra)))) &&
                    set_owned(dict, keys.start_longitude, PyFloat_FromDouble(index * NAKSHATRA_SPAN)) &&
                    set_owned(dict, keys.end_longitude, PyFloat_FromDouble((index + 1.0) * NAKSHATRA_SPAN));
    if (!ok) {
        Py_DECREF(dict);
        return nullptr;
    }
    return dict;
}

PyObject* nakshatra_templates[NAKSHATRA_COUNT][4] = {};

}  // namespace

PyObject* new_nakshatra_dict(std::uint8_t nakshatra, std::uint8_t pada) {
    if (nakshatra >= NAKSHATRA_COUNT || pada < 1 || pada > 4) {
        return raise_exception(PyExc_SystemError, PyUnicode_FromString("nakshatra or pada out of range"));
    }
    PyObject*& slot = nakshatra_templates[nakshatra][pada - 1];
    if (slot == nullptr) {
        slot = make_nakshatra_dict(nakshatra, pada);  // made once, under the interpreter lock
        if (slot == nullptr) return nullptr;
    }
    return PyDict_Copy(slot);
}

namespace {

// The house-system names as interned strings, made on first use.
PyObject* house_system_names[HOUSE_SYSTEM_TABLE.size()] = {};

PyObject* new_house_system_name(HouseSystem system) {
    const auto index = static_cast<std::size_t>(system);
    if (index >= std::size(house_system_names)) return new_text(house_system_name(system));
    PyObject*& slot = house_system_names[index];
    if (slot == nullptr) {
        PyObject* name = new_text(house_system_name(system));
        if (name == nullptr) return nullptr;
        PyUnicode_InternInPlace(&name);
        slot = name;
    }
    return Py_NewRef(slot);
}

}  // namespace

PyObject* new_houses_dict(const HouseCusps& houses) {
    PyObject* dict = PyDict_New();
    PyObject* cusps = PyList_New(static_cast<Py_ssize_t>(houses.cusps.size()));
    bool ok = dict != nullptr && cusps != nullptr;
    for (std::size_t k = 0; ok && k < houses.cusps.size(); ++k) {
        PyObject* cusp = PyFloat_FromDouble(houses.cusps[k]);
        ok = cusp != nullptr;
        if (ok) PyList_SET_ITEM(cusps, static_cast<Py_ssize_t>(k), cusp);  // steals `cusp`
    }
    if (!ok) {
        Py_XDECREF(cusps);
        Py_XDECREF(dict);
        return nullptr;
    }
    ok = set_owned(dict, keys.cusps, cusps) && set_owned(dict, keys.asc, PyFloat_FromDouble(houses.asc)) &&
         set_owned(dict, keys.mc, PyFloat_FromDouble(houses.mc)) &&
         set_owned(dict, keys.system, new_house_system_name(houses.system)) &&
         set_owned(dict, keys.polar_fallback, PyBool_FromLong(houses.polar_fallback));
    if (!ok) {
        Py_DECREF(dict);
        return nullptr;
    }
    return dict;
}

}  // namespace zentaric::python

namespace zentaric::python {
namespace {

PyObject* new_text_tuple(std::span<const std::string_view> texts) {
    PyObject* tuple = PyTuple_New(static_cast<Py_ssize_t>(texts.size()));
    for (std::size_t k = 0; tuple != nullptr && k < texts.size(); ++k) {
        PyObject* text = new_text(texts[k]);
        if (text == nullptr) Py_CLEAR(tuple);
        else PyTuple_SET_ITEM(tuple, static_cast<Py_ssize_t>(k), text);
    }
    return tuple;
}

// The name of a star in a row's count (28 with Abhijit), or of the lagna sign for Chara.
std::string_view star_name(const DashaSystemRow& row, std::uint8_t star) noexcept {
    if (row.id == DashaSystem::Chara) return SIGN_NAMES[star % 12];
    if (row.star_count == 28) {
        if (star == 21) return "Abhijit";
        if (star > 21) --star;
    }
    return nakshatra_enum_name(star);
}

}  // namespace

PyObject* new_dasha_periods_dict(const DashaPeriods& periods) {
    const DashaSystemRow& row = dasha_system_row(periods.system);
    std::array<std::string_view, 12> lords{};
    std::size_t lord_count = 0;
    if (row.id == DashaSystem::Chara) {
        for (std::string_view sign : SIGN_NAMES) lords[lord_count++] = sign;
    } else {
        for (std::size_t k = 0; k < row.lord_count; ++k) lords[lord_count++] = dasha_lord_name(row.lords[k]);
    }
    const std::span<const std::string_view> names =
        row.id == DashaSystem::Yogini ? std::span<const std::string_view>(YOGINI_NAMES) : std::span<const std::string_view>();
    PyObject* lord_tuple = new_text_tuple(std::span(lords.data(), lord_count));
    PyObject* name_tuple = lord_tuple != nullptr ? new_text_tuple(names) : nullptr;
    if (name_tuple == nullptr) {
        Py_XDECREF(lord_tuple);
        return nullptr;
    }
    const std::string_view system = row.name;
    const std::string_view star = star_name(row, periods.star);
    const std::string_view condition = row.condition_text;
    return Py_BuildValue("{s:s#,s:s#,s:d,s:O,s:s#,s:d,s:N,s:N,s:y#}", "system", system.data(),
                         static_cast<Py_ssize_t>(system.size()), "star", star.data(), static_cast<Py_ssize_t>(star.size()),
                         "balance", periods.balance, "applicable", periods.applicable ? Py_True : Py_False,
                         "condition", condition.data(), static_cast<Py_ssize_t>(condition.size()), "year_days",
                         periods.year_days, "lords", lord_tuple, "names", name_tuple, "periods",
                         reinterpret_cast<const char*>(periods.records.data()),
                         static_cast<Py_ssize_t>(periods.records.size() * sizeof(DashaRecord)));
}

}  // namespace zentaric::python
