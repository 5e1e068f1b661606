// Result<T>: a value or an error value. The core reports every failure this way and never throws;
// only src/python turns an Error into a Python exception.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace zentaric {

// The Python exception class an error value becomes at the module boundary.
enum class ErrorKind : std::uint8_t { ValueError };

struct Error {
    ErrorKind kind;
    std::string message;
};

inline Error value_error(std::string message) { return Error{ErrorKind::ValueError, std::move(message)}; }

// E is the error type: Error for everything that reaches Python directly, EphemerisError inside the ephemeris.
template <class T, class E = Error>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const noexcept { return state_.index() == 0; }
    explicit operator bool() const noexcept { return ok(); }

    T& value() & { return *std::get_if<0>(&state_); }
    const T& value() const& { return *std::get_if<0>(&state_); }
    T&& value() && { return std::move(*std::get_if<0>(&state_)); }
    const E& error() const& { return *std::get_if<1>(&state_); }
    E&& error() && { return std::move(*std::get_if<1>(&state_)); }

private:
    std::variant<T, E> state_;
};

}  // namespace zentaric
