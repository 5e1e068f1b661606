// The compact JSON writer every JSON text of the library goes through: numbers, integers and strings, appended
// to the document text by the writers of each document (src/format).
//
// Text rules (shared by every document):
//   - compact: nothing between tokens; object members in ascending byte order of their keys;
//   - a double is written with the shortest digits that read back to the same double, in fixed notation when the
//     decimal exponent k of its first digit is in [-5, 15] ("2451545.0", "0.000015") and in scientific notation
//     otherwise ("1e+16", "1.234e-7"); a whole number keeps ".0"; zero is "0.0" or "-0.0"; non-finite is null;
//   - strings escape '"' and '\\', write \b \t \n \f \r, every other byte below 0x20 as \u00xx (lower-case hex),
//     and copy everything else (UTF-8 included) unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zentaric {

// Appends a double in the number layout above (null when non-finite).
void append_json_number(std::string& out, double value);

// The same text written at out, which must have room for JSON_NUMBER_MAX_CHARS characters (the writer uses them
// as scratch space; the longest text, "-1.2345678901234567e-308", has 24); returns the end of the text.
inline constexpr std::size_t JSON_NUMBER_MAX_CHARS = 64;
char* write_json_number(char* out, double value);

// Appends an unsigned integer in decimal.
void append_json_integer(std::string& out, std::uint64_t value);

// Appends a quoted, escaped string.
void append_json_string(std::string& out, std::string_view text);

}  // namespace zentaric
