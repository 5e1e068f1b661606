#include "python/arguments.hpp"

#include <algorithm>
#include <climits>
#include <cmath>
#include <span>
#include <string_view>

#include "python/objects.hpp"

namespace zentaric::python {
namespace {

const char OUT_OF_RANGE[] = "out of range integral type conversion attempted";

// "'a'", "'a' and 'b'", "'a', 'b', and 'c'".
PyObject* quoted_name_list(const char* const* names, int count) {
    PyObject* text = PyUnicode_FromFormat("'%s'", names[0]);
    for (int i = 1; text != nullptr && i < count; ++i) {
        const char* separator = (i == count - 1) ? (count == 2 ? " and " : ", and ") : ", ";
        PyObject* joined = PyUnicode_FromFormat("%U%s'%s'", text, separator, names[i]);
        Py_DECREF(text);
        text = joined;
    }
    return text;
}

using Parameters = std::span<const Parameter>;

// The TypeErrors of binding, worded as the interpreter words them; each returns false.
bool raise_missing(const char* function, Parameters parameters, PyObject* const* bound) {
    const char* missing[MAX_PARAMETERS];
    int count = 0;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (bound[i] == nullptr && !parameters[i].optional) missing[count++] = parameters[i].name;
    }
    PyObject* list = quoted_name_list(missing, count);
    if (list == nullptr) return false;
    raise_exception(PyExc_TypeError, PyUnicode_FromFormat("%s() missing %d required positional %s: %U", function,
                                                          count, count == 1 ? "argument" : "arguments", list));
    Py_DECREF(list);
    return false;
}

bool raise_too_many_positional(const char* function, Parameters parameters, std::size_t given) {
    const std::size_t count = parameters.size();
    const auto required = static_cast<std::size_t>(std::ranges::count(parameters, false, &Parameter::optional));
    const char* verb = given == 1 ? "was" : "were";
    raise_exception(PyExc_TypeError,
                    required == count
                        ? PyUnicode_FromFormat("%s() takes %zu positional arguments but %zu %s given", function, count,
                                               given, verb)
                        : PyUnicode_FromFormat("%s() takes from %zu to %zu positional arguments but %zu %s given",
                                               function, required, count, given, verb));
    return false;
}

const Parameter* find_parameter(Parameters parameters, PyObject* keyword) {
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(keyword, &size);
    if (utf8 == nullptr) {
        PyErr_Clear();
        return nullptr;
    }
    for (const Parameter& parameter : parameters) {
        if (parameter.name == std::string_view(utf8, static_cast<std::size_t>(size))) return &parameter;
    }
    return nullptr;
}

bool bind(const char* function, Parameters parameters, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames,
          PyObject** bound) {
    const auto positional = static_cast<std::size_t>(PyVectorcall_NARGS(nargsf));
    if (positional > parameters.size()) return raise_too_many_positional(function, parameters, positional);
    for (std::size_t i = 0; i < parameters.size(); ++i) bound[i] = i < positional ? args[i] : nullptr;
    const Py_ssize_t keywords = kwnames != nullptr ? PyTuple_GET_SIZE(kwnames) : 0;
    for (Py_ssize_t k = 0; k < keywords; ++k) {
        PyObject* keyword = PyTuple_GET_ITEM(kwnames, k);
        const Parameter* parameter = find_parameter(parameters, keyword);
        if (parameter == nullptr) {
            raise_exception(PyExc_TypeError,
                            PyUnicode_FromFormat("%s() got an unexpected keyword argument '%U'", function, keyword));
            return false;
        }
        PyObject*& slot = bound[parameter - parameters.data()];
        if (slot != nullptr) {
            raise_exception(PyExc_TypeError, PyUnicode_FromFormat("%s() got multiple values for argument '%s'",
                                                                  function, parameter->name));
            return false;
        }
        slot = args[positional + k];
    }
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (bound[i] == nullptr && !parameters[i].optional) return raise_missing(function, parameters, bound);
    }
    return true;
}

// A TypeError raised while converting becomes "argument 'name': <message>", caused by the original.
void prefix_type_error(const char* name) {
    PyObject* original = PyErr_GetRaisedException();
    if (original == nullptr || Py_TYPE(original) != reinterpret_cast<PyTypeObject*>(PyExc_TypeError)) {
        PyErr_SetRaisedException(original);
        return;
    }
    raise_exception(PyExc_TypeError, PyUnicode_FromFormat("argument '%s': %S", name, original), original);
}

bool convert_bounded_integer(PyObject* object, long long minimum, long long maximum, Argument& out) {
    int overflow = 0;
    long long value = 0;
    if (PyLong_CheckExact(object)) {
        value = PyLong_AsLongLongAndOverflow(object, &overflow);
    } else {
        PyObject* index = PyNumber_Index(object);
        if (index == nullptr) return false;
        value = PyLong_AsLongLongAndOverflow(index, &overflow);
        Py_DECREF(index);
    }
    if (value == -1 && PyErr_Occurred()) return false;
    if (overflow != 0 || value < minimum || value > maximum) {
        raise_exception(PyExc_OverflowError, PyUnicode_FromString(OUT_OF_RANGE));
        return false;
    }
    out.integer = value;
    return true;
}

bool convert_index(PyObject* object, Argument& out) {
    PyObject* index = PyNumber_Index(object);
    if (index == nullptr) return false;
    const unsigned long long value = PyLong_AsUnsignedLongLong(index);
    Py_DECREF(index);
    if (value == static_cast<unsigned long long>(-1) && PyErr_Occurred()) return false;
    out.index = value;
    return true;
}

bool convert_float(PyObject* object, Argument& out) {
    if (PyFloat_CheckExact(object)) {
        out.number = PyFloat_AS_DOUBLE(object);
        return true;
    }
    const double value = PyFloat_AsDouble(object);
    if (value == -1.0 && PyErr_Occurred()) return false;
    out.number = value;
    return true;
}

bool convert_text(PyObject* object, Argument& out) {
    if (!PyUnicode_Check(object)) {
        PyObject* type_name = PyType_GetQualName(Py_TYPE(object));
        if (type_name != nullptr) {
            raise_exception(PyExc_TypeError,
                            PyUnicode_FromFormat("'%U' object cannot be converted to 'PyString'", type_name));
            Py_DECREF(type_name);
        }
        return false;
    }
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(object, &size);
    if (utf8 == nullptr) return false;
    out.text = std::string_view(utf8, static_cast<std::size_t>(size));
    return true;
}

// A longitude of NaN or inf would read as Aries 0°: refused, naming the argument ("the longitude must be a finite
// number", or for an item of a sequence "the longitudes must be finite numbers").
bool convert_longitude(const char* name, PyObject* object, Argument& out, bool item = false) {
    if (!convert_float(object, out)) return false;
    if (std::isfinite(out.number)) return true;
    raise_exception(PyExc_ValueError, PyUnicode_FromFormat("argument '%s': the %s", name,
                                                           item ? "longitudes must be finite numbers"
                                                                : "longitude must be a finite number"));
    return false;
}

bool convert_longitudes(const char* name, PyObject* object, Argument& out) {
    PyObject* sequence = PySequence_Fast(object, "expected a sequence of 9 longitudes");
    if (sequence == nullptr) return false;
    const Py_ssize_t count = PySequence_Fast_GET_SIZE(sequence);
    bool ok = count == static_cast<Py_ssize_t>(LONGITUDE_COUNT);
    if (!ok) {
        raise_exception(PyExc_ValueError,
                        PyUnicode_FromFormat("argument '%s': expected 9 longitudes (Sun, Moon, Mars, Mercury, Jupiter, "
                                             "Venus, Saturn, Rahu, Ketu), got %zd", name, count));
    }
    for (Py_ssize_t i = 0; ok && i < count; ++i) {
        Argument item{};
        ok = convert_longitude(name, PySequence_Fast_GET_ITEM(sequence, i), item, true);
        out.longitudes[i] = item.number;
    }
    Py_DECREF(sequence);
    return ok;
}

bool convert(const Parameter& parameter, PyObject* object, Argument& out) {
    switch (parameter.kind) {
        case ArgumentKind::Int32: return convert_bounded_integer(object, INT32_MIN, INT32_MAX, out);
        case ArgumentKind::UInt32: return convert_bounded_integer(object, 0, UINT32_MAX, out);
        case ArgumentKind::UInt8: return convert_bounded_integer(object, 0, UINT8_MAX, out);
        case ArgumentKind::Index: return convert_index(object, out);
        case ArgumentKind::Float: return convert_float(object, out);
        case ArgumentKind::Text: return convert_text(object, out);
        case ArgumentKind::Longitude: return convert_longitude(parameter.name, object, out);
        case ArgumentKind::Longitudes: return convert_longitudes(parameter.name, object, out);
    }
    return false;
}

}  // namespace

bool parse_arguments(const char* function, Parameters parameters, PyObject* const* args, Py_ssize_t nargsf,
                     PyObject* kwnames, Argument* out) {
    PyObject* bound[MAX_PARAMETERS];
    if (kwnames == nullptr && static_cast<std::size_t>(PyVectorcall_NARGS(nargsf)) == parameters.size()) {
        for (std::size_t i = 0; i < parameters.size(); ++i) bound[i] = args[i];  // all by position: nothing to bind
    } else if (!bind(function, parameters, args, nargsf, kwnames, bound)) {
        return false;
    }
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (bound[i] == nullptr) {
            out[i] = parameters[i].fallback;
        } else if (!convert(parameters[i], bound[i], out[i])) {
            prefix_type_error(parameters[i].name);
            return false;
        }
    }
    return true;
}

}  // namespace zentaric::python
