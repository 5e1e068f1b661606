#include "python/arguments.hpp"

#include <climits>
#include <cstring>

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

void raise_missing(const Signature& signature, PyObject* const* bound) {
    const char* missing[MAX_PARAMETERS];
    int count = 0;
    for (int i = 0; i < signature.required; ++i) {
        if (bound[i] == nullptr) missing[count++] = signature.parameters[i].name;
    }
    PyObject* list = quoted_name_list(missing, count);
    if (list == nullptr) return;
    raise_exception(PyExc_TypeError, PyUnicode_FromFormat("%s missing %d required positional %s: %U",
                                                          signature.function, count,
                                                          count == 1 ? "argument" : "arguments", list));
    Py_DECREF(list);
}

void raise_too_many_positional(const Signature& signature, Py_ssize_t given) {
    const char* verb = given == 1 ? "was" : "were";
    raise_exception(PyExc_TypeError,
                    signature.required == signature.count
                        ? PyUnicode_FromFormat("%s takes %d positional arguments but %zd %s given",
                                               signature.function, signature.count, given, verb)
                        : PyUnicode_FromFormat("%s takes from %d to %d positional arguments but %zd %s given",
                                               signature.function, signature.required, signature.count, given, verb));
}

int find_parameter(const Signature& signature, PyObject* keyword) {
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(keyword, &size);
    if (utf8 == nullptr) {
        PyErr_Clear();
        return -1;
    }
    for (int i = 0; i < signature.count; ++i) {
        const char* name = signature.parameters[i].name;
        if (std::strlen(name) == static_cast<std::size_t>(size) && std::memcmp(name, utf8, size) == 0) return i;
    }
    return -1;
}

bool bind(const Signature& signature, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames,
          PyObject** bound) {
    const Py_ssize_t positional = PyVectorcall_NARGS(nargsf);
    if (positional > signature.count) {
        raise_too_many_positional(signature, positional);
        return false;
    }
    for (int i = 0; i < signature.count; ++i) bound[i] = i < positional ? args[i] : nullptr;
    if (kwnames != nullptr) {
        const Py_ssize_t keywords = PyTuple_GET_SIZE(kwnames);
        for (Py_ssize_t k = 0; k < keywords; ++k) {
            PyObject* keyword = PyTuple_GET_ITEM(kwnames, k);
            const int i = find_parameter(signature, keyword);
            if (i < 0) {
                raise_exception(PyExc_TypeError, PyUnicode_FromFormat("%s got an unexpected keyword argument '%U'",
                                                                      signature.function, keyword));
                return false;
            }
            if (bound[i] != nullptr) {
                const char* name = signature.parameters[i].name;
                raise_exception(PyExc_TypeError, PyUnicode_FromFormat("%s got multiple values for argument '%s'",
                                                                      signature.function, name));
                return false;
            }
            bound[i] = args[positional + k];
        }
    }
    for (int i = 0; i < signature.required; ++i) {
        if (bound[i] == nullptr) {
            raise_missing(signature, bound);
            return false;
        }
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

bool convert(const Parameter& parameter, PyObject* object, Argument& out) {
    switch (parameter.kind) {
        case ArgumentKind::Int32: return convert_bounded_integer(object, INT32_MIN, INT32_MAX, out);
        case ArgumentKind::UInt32: return convert_bounded_integer(object, 0, UINT32_MAX, out);
        case ArgumentKind::UInt8: return convert_bounded_integer(object, 0, UINT8_MAX, out);
        case ArgumentKind::Index: return convert_index(object, out);
        case ArgumentKind::Float: return convert_float(object, out);
        case ArgumentKind::Text: return convert_text(object, out);
    }
    return false;
}

}  // namespace

bool parse_arguments(const Signature& signature, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames,
                     Argument* out) {
    PyObject* bound[MAX_PARAMETERS];
    if (kwnames == nullptr && PyVectorcall_NARGS(nargsf) == signature.count) {
        for (int i = 0; i < signature.count; ++i) bound[i] = args[i];  // all given by position: nothing to bind
    } else if (!bind(signature, args, nargsf, kwnames, bound)) {
        return false;
    }
    for (int i = 0; i < signature.count; ++i) {
        out[i].present = bound[i] != nullptr;
        if (!out[i].present) continue;
        if (!convert(signature.parameters[i], bound[i], out[i])) {
            prefix_type_error(signature.parameters[i].name);
            return false;
        }
    }
    return true;
}

}  // namespace zentaric::python
