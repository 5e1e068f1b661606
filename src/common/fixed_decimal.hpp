// Doubles in fixed notation for the texts of errors, whatever the process locale (std::to_chars never reads it):
// never an exponent, and no point when nothing follows it.
#pragma once

#include <string>

namespace zentaric {

// The shortest digits that read back as the same double: "990575", "2816788.051342531", "0.00000015".
std::string fixed_decimal(double value);

// Rounded to `digits` after the point: "2816788.5" with one, "990575" with none.
std::string fixed_decimal(double value, int digits);

}  // namespace zentaric
