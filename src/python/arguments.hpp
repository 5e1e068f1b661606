// Each function's parameter table (names, conversions, defaults), the binding of vectorcall arguments to it and their
// conversion to C++ values.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace zentaric::python {

// Longitude: one sidereal longitude (a lagna), a Float that must be finite. Longitudes: a sequence of the nine
// grahas' sidereal longitudes (Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu, Ketu), each a Longitude.
enum class ArgumentKind : std::uint8_t { Int32, UInt32, UInt8, Index, Float, Text, Longitude, Longitudes };

inline constexpr std::size_t LONGITUDE_COUNT = 9;

// A converted argument (only the member of its kind is set), or a parameter's default.
struct Argument {
    std::int64_t integer;   // Int32, UInt32, UInt8
    std::uint64_t index;    // Index
    double number;          // Float, Longitude
    std::string_view text;  // Text: UTF-8 owned by the argument object (valid during the call), or the default
    double longitudes[LONGITUDE_COUNT];  // Longitudes
};

// A parameter: its name, its conversion and, when optional, its default.
struct Parameter {
    const char* name;
    ArgumentKind kind;
    bool optional = false;
    Argument fallback{};

    constexpr Parameter(const char* name, ArgumentKind kind) : name(name), kind(kind) {}
    constexpr Parameter(const char* name, ArgumentKind kind, double number)  // Float or an integer kind
        : name(name), kind(kind), optional(true), fallback{static_cast<std::int64_t>(number), 0, number, {}, {}} {}
    constexpr Parameter(const char* name, ArgumentKind kind, std::string_view text)  // Text
        : name(name), kind(kind), optional(true), fallback{0, 0, 0.0, text, {}} {}
};

// The most parameters a function has (compute_dasha_periods' thirteen): the size of the binding's scratch arrays.
inline constexpr std::size_t MAX_PARAMETERS = 13;

// A module function's name and parameters, the optional ones last.
template <std::size_t N>
struct Signature {
    static_assert(N <= MAX_PARAMETERS);
    static constexpr std::size_t count = N;
    const char* name;
    Parameter parameters[N];
};
template <std::size_t N>
Signature(const char*, const Parameter (&)[N]) -> Signature<N>;

// Binds positional and keyword arguments to the parameters and converts them in order into `out`, an absent optional
// argument taking its default. Returns false with a Python exception set on the first failure.
bool parse_arguments(const char* function, std::span<const Parameter> parameters, PyObject* const* args,
                     Py_ssize_t nargsf, PyObject* kwnames, Argument* out);

}  // namespace zentaric::python
