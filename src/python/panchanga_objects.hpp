// The panchanga's result objects: plain tuples of Julian Days and numbers, which zentaric_chart turns into its
// dataclasses and datetimes.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include "panchanga/panchanga.hpp"

namespace zentaric::python {

// (days, crossings): days a list with a tuple per day (PANCHANGA_DAY_FIELDS in order), crossings a tuple of four
// (Julian Days list, numbers bytes) pairs, tithi, nakshatra, yoga and karana.
PyObject* new_panchanga_result(const PanchangaRange& range);

}  // namespace zentaric::python
