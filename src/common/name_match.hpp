// Matching caller-given names against fixed lower-case ASCII spellings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zentaric {

// The full Unicode lower-case form of a UTF-8 text when that form is pure ASCII, otherwise nothing.
// Every accepted spelling in the library is lower-case ASCII, so a text whose lower-case form is not
// ASCII can never match one: only A–Z and U+212A KELVIN SIGN (lower-case "k") lower-case into ASCII
// from outside a–z.
std::optional<std::string> ascii_lowercase_key(std::string_view utf8);

}  // namespace zentaric
