// The eleven module functions (vectorcall with keywords); their docstrings are in docstrings.hpp.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

namespace zentaric::python {

#define ZENTARIC_FUNCTION(name) \
    PyObject* name(PyObject* module, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames)

ZENTARIC_FUNCTION(compute_dasha);
ZENTARIC_FUNCTION(get_nakshatra);
ZENTARIC_FUNCTION(compute_varga);
ZENTARIC_FUNCTION(compute_houses);
ZENTARIC_FUNCTION(tropical_to_sidereal);
ZENTARIC_FUNCTION(get_ayanamsha);
ZENTARIC_FUNCTION(calendar_to_jd);
ZENTARIC_FUNCTION(planet_name);
ZENTARIC_FUNCTION(sign_name);
ZENTARIC_FUNCTION(nakshatra_name_i18n);
ZENTARIC_FUNCTION(compute_natal_chart);

#undef ZENTARIC_FUNCTION

}  // namespace zentaric::python
