// Binding of vectorcall arguments to a parameter table, and their conversion to C++ values.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <cstdint>
#include <string_view>

namespace zentaric::python {

enum class ArgumentKind : std::uint8_t { Int32, UInt32, UInt8, Index, Float, Text };

struct Parameter {
    const char* name;
    ArgumentKind kind;
};

// One function's parameter list: the first `required` parameters have no default.
struct Signature {
    const char* function;  // "compute_houses()": the name as it appears in messages
    const Parameter* parameters;
    int count;
    int required;
};

inline constexpr int MAX_PARAMETERS = 9;

// A converted argument; `present` is false for an absent optional argument (the caller applies its default).
struct Argument {
    bool present = false;
    std::int64_t integer = 0;        // Int32, UInt32, UInt8
    std::uint64_t index = 0;         // Index
    double number = 0.0;             // Float
    std::string_view text;           // Text: UTF-8 owned by the argument object, valid during the call
};

// Binds positional and keyword arguments (borrowed references into `bound`) and converts them in
// parameter order into `out`. Returns false with a Python exception set on the first failure.
bool parse_arguments(const Signature& signature, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames,
                     Argument* out);

}  // namespace zentaric::python
