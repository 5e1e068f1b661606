// The zentaric extension module: function table, registration and the sub-interpreter guard.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include "python/functions.hpp"
#include "python/objects.hpp"

namespace {

PyMethodDef MODULE_FUNCTIONS[] = {
    {"compute_dasha", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::compute_dasha)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::COMPUTE_DASHA_DOC},
    {"get_nakshatra", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::get_nakshatra)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::GET_NAKSHATRA_DOC},
    {"compute_varga", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::compute_varga)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::COMPUTE_VARGA_DOC},
    {"compute_houses", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::compute_houses)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::COMPUTE_HOUSES_DOC},
    {"tropical_to_sidereal",
     reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::tropical_to_sidereal)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::TROPICAL_TO_SIDEREAL_DOC},
    {"get_ayanamsha", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::get_ayanamsha)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::GET_AYANAMSHA_DOC},
    {"calendar_to_jd", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::calendar_to_jd)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::CALENDAR_TO_JD_DOC},
    {"planet_name", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::planet_name)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::PLANET_NAME_DOC},
    {"sign_name", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::sign_name)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::SIGN_NAME_DOC},
    {"nakshatra_name_i18n",
     reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::nakshatra_name_i18n)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::NAKSHATRA_NAME_I18N_DOC},
    {"compute_natal_chart",
     reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(zentaric::python::compute_natal_chart)),
     METH_FASTCALL | METH_KEYWORDS, zentaric::python::COMPUTE_NATAL_CHART_DOC},
    {nullptr, nullptr, 0, nullptr},
};

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
        PyErr_SetString(PyExc_ImportError,
                        "zentaric: sub-interpreters are not supported; import it in the main interpreter only");
        return nullptr;
    }
    if (the_module == nullptr) {
        if (!zentaric::python::init_objects()) return nullptr;
        the_module = create_module();
        if (the_module == nullptr) return nullptr;
    }
    return Py_NewRef(the_module);
}
