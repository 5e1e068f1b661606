// Python result objects, and the one place where the module raises.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <cstdint>
#include <string_view>

#include "common/result.hpp"
#include "houses/house_cusps.hpp"

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

// The get_nakshatra dictionary for nakshatra index 0..26 and pada 1..4.
PyObject* new_nakshatra_dict(std::uint8_t nakshatra, std::uint8_t pada);

// The compute_houses dictionary: cusps (list of 12 floats), asc, mc, system, polar_fallback.
PyObject* new_houses_dict(const HouseCusps& houses);

}  // namespace zentaric::python
