// Matching caller-given names against fixed lower-case ASCII spellings.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zentaric {

// The full Unicode lower-case form of a UTF-8 text when that form is pure ASCII, otherwise nothing.
// Every accepted spelling in the library is lower-case ASCII, so a text whose lower-case form is not
// ASCII can never match one: only A–Z and U+212A KELVIN SIGN (lower-case "k") lower-case into ASCII
// from outside a–z.
std::optional<std::string> ascii_lowercase_key(std::string_view utf8);

// One accepted spelling (lower-case ASCII) of a name and what it selects.
template <class T>
struct Spelling {
    std::string_view key;
    T value;
};

// The value whose spelling equals the full lower-case form of `name`, if any.
template <class T, std::size_t N>
std::optional<T> find_spelling(std::string_view name, const std::array<Spelling<T>, N>& spellings) {
    if (const auto key = ascii_lowercase_key(name)) {
        for (const Spelling<T>& spelling : spellings) {
            if (spelling.key == *key) return spelling.value;
        }
    }
    return std::nullopt;
}

}  // namespace zentaric
