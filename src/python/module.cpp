// The zentaric extension module: function table, entry points, registration and the sub-interpreter guard.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <array>
#include <new>

#include "python/docstrings.hpp"
#include "python/functions.hpp"
#include "python/objects.hpp"

namespace {

using namespace zentaric::python;

// A function's entry point: binds and converts the arguments by its parameter table and runs it. std::bad_alloc, the
// only exception C++ code below here can raise, becomes MemoryError instead of unwinding through the interpreter.
template <const auto& signature, PyObject* (*function)(const Argument*)>
PyObject* entry_point(PyObject*, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) noexcept {
    // A copy of the table: g++ 12 places a constant that a docstring has read as a template argument in writable data.
    static constexpr auto table = signature;
    std::array<Argument, table.count> arguments;
    if (!parse_arguments(table.name, table.parameters, args, nargsf, kwnames, arguments.data())) return nullptr;
    try {
        return function(arguments.data());
    } catch (const std::bad_alloc&) {
        return PyErr_NoMemory();
    }
}

#define ZENTARIC_METHOD(function, SIGNATURE)                                                                        \
    {SIGNATURE.name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(entry_point<SIGNATURE, function>)), \
     METH_FASTCALL | METH_KEYWORDS, SIGNATURE##_DOC.chars}

PyMethodDef MODULE_FUNCTIONS[] = {
    ZENTARIC_METHOD(compute_dasha, COMPUTE_DASHA),
    ZENTARIC_METHOD(get_nakshatra, GET_NAKSHATRA),
    ZENTARIC_METHOD(compute_varga, COMPUTE_VARGA),
    ZENTARIC_METHOD(compute_houses, COMPUTE_HOUSES),
    ZENTARIC_METHOD(tropical_to_sidereal, TROPICAL_TO_SIDEREAL),
    ZENTARIC_METHOD(get_ayanamsha, GET_AYANAMSHA),
    ZENTARIC_METHOD(calendar_to_jd, CALENDAR_TO_JD),
    ZENTARIC_METHOD(planet_name, PLANET_NAME),
    ZENTARIC_METHOD(sign_name, SIGN_NAME),
    ZENTARIC_METHOD(nakshatra_name_i18n, NAKSHATRA_NAME_I18N),
    ZENTARIC_METHOD(compute_natal_chart, COMPUTE_NATAL_CHART),
    ZENTARIC_METHOD(vedic_dignity, VEDIC_DIGNITY),
    ZENTARIC_METHOD(vimshopaka_bala, VIMSHOPAKA_BALA),
    ZENTARIC_METHOD(graha_drishti, GRAHA_DRISHTI),
    ZENTARIC_METHOD(rashi_drishti, RASHI_DRISHTI),
    ZENTARIC_METHOD(jaimini, JAIMINI),
    ZENTARIC_METHOD(ashtakavarga, ASHTAKAVARGA),
    ZENTARIC_METHOD(shadbala, SHADBALA),
    ZENTARIC_METHOD(special_lagnas, SPECIAL_LAGNAS),
    ZENTARIC_METHOD(gochara, GOCHARA),
    ZENTARIC_METHOD(saturn_phases, SATURN_PHASES),
    ZENTARIC_METHOD(transit_calendar, TRANSIT_CALENDAR),
    ZENTARIC_METHOD(varsha_lords, VARSHA_LORDS),
    ZENTARIC_METHOD(panchanga_name, PANCHANGA_NAME),
    ZENTARIC_METHOD(compute_dasha_periods, COMPUTE_DASHA_PERIODS),
    ZENTARIC_METHOD(match_moons, MATCH_MOONS),
    ZENTARIC_METHOD(match_moon_places, MATCH_MOON_PLACES),
    ZENTARIC_METHOD(manglik, MANGLIK),
    ZENTARIC_METHOD(match_manglik, MATCH_MANGLIK),
    ZENTARIC_METHOD(yogas, YOGAS),
    ZENTARIC_METHOD(compute_natal_record, COMPUTE_NATAL_RECORD),
    ZENTARIC_METHOD(compute_natal_numbers, COMPUTE_NATAL_NUMBERS),
    ZENTARIC_METHOD(find_events, FIND_EVENTS),
    ZENTARIC_METHOD(find_crossings, FIND_CROSSINGS),
    ZENTARIC_METHOD(rise_set_times, RISE_SET_TIMES),
    ZENTARIC_METHOD(compute_panchanga, COMPUTE_PANCHANGA),
    {nullptr, nullptr, 0, nullptr},
};

#undef ZENTARIC_METHOD

// m_size 0: a re-import in the same interpreter calls PyInit_zentaric again, which hands back the module
// made the first time.
PyModuleDef MODULE_DEFINITION = {
    PyModuleDef_HEAD_INIT, "zentaric", "Zentaric Python module.", 0, nullptr, nullptr, nullptr, nullptr, nullptr,
};

// The module made by the first initialisation. The module keeps no other state.
PyObject* the_module = nullptr;

// Creates the module, registering each function in table order and appending its name to __all__.
PyObject* create_module() {
    PyObject* module = PyModule_Create(&MODULE_DEFINITION);
    if (module == nullptr) return nullptr;
    PyObject* all = PyList_New(0);
    if (all == nullptr || PyModule_AddObjectRef(module, "__all__", all) < 0) {
        Py_XDECREF(all);
        Py_DECREF(module);
        return nullptr;
    }
    PyObject* module_name = PyModule_GetNameObject(module);
    if (module_name == nullptr) {
        Py_DECREF(all);
        Py_DECREF(module);
        return nullptr;
    }
    bool ok = true;
    for (PyMethodDef* def = MODULE_FUNCTIONS; ok && def->ml_name != nullptr; ++def) {
        PyObject* function = PyCMethod_New(def, module, module_name, nullptr);
        PyObject* name = function != nullptr ? PyUnicode_InternFromString(def->ml_name) : nullptr;
        ok = name != nullptr && PyObject_SetAttr(module, name, function) == 0 && PyList_Append(all, name) == 0;
        Py_XDECREF(name);
        Py_XDECREF(function);
    }
    Py_DECREF(module_name);
    Py_DECREF(all);
    if (!ok) {
        Py_DECREF(module);
        return nullptr;
    }
    return module;
}

}  // namespace

// Only the main interpreter may initialise the module, whichever interpreter tries first: the module and its cached
// objects belong to the interpreter that made them, and a sub-interpreter may be destroyed while they live on.
PyMODINIT_FUNC PyInit_zentaric(void) {
    if (PyInterpreterState_Get() != PyInterpreterState_Main()) {
        const char* message = "zentaric: sub-interpreters are not supported; import it in the main interpreter only";
        return raise_exception(PyExc_ImportError, PyUnicode_FromString(message));
    }
    if (the_module == nullptr) {
        if (!init_objects()) return nullptr;
        the_module = create_module();
        if (the_module == nullptr) return nullptr;
    }
    return Py_NewRef(the_module);
}
