#include "common/fixed_decimal.hpp"

#include <charconv>

namespace zentaric {
namespace {

// Fixed notation of a finite double: 1e308 has 309 digits before the point, 5e-324 has 323 zeros after it.
constexpr int FIXED_TEXT_CHARS = 400;

}  // namespace

std::string fixed_decimal(double value) {
    char buffer[FIXED_TEXT_CHARS];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, written.ptr);
}

std::string fixed_decimal(double value, int digits) {
    char buffer[FIXED_TEXT_CHARS];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    return std::string(buffer, written.ptr);
}

}  // namespace zentaric
