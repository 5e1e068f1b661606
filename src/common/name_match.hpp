// Tables of named values (one row per enumerator) and the matching of caller-given names against their
// fixed lower-case ASCII spellings.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.hpp"

namespace zentaric {

// The full Unicode lower-case form of a UTF-8 text when that form is pure ASCII, otherwise nothing.
// Every accepted spelling in the library is lower-case ASCII, so a text whose lower-case form is not
// ASCII can never match one: only A–Z and U+212A KELVIN SIGN (lower-case "k") lower-case into ASCII
// from outside a–z.
std::optional<std::string> ascii_lowercase_key(std::string_view utf8);

// Up to three accepted spellings of a name, lower-case ASCII; null entries are unused. (Pointers rather than
// string views: g++ 12 cannot read a constexpr table whose string-view array was left partly to its defaults.)
using Spellings = std::array<const char*, 3>;

// Whether a caller can select a row by name: it has a spelling. A table whose every row is named by its text form
// says so with an overload for its row type.
template <class Row>
constexpr bool named(const Row& row) noexcept {
    return row.spellings[0] != nullptr;
}

// Whether a name reads as `key` once lower-cased (ASCII) with its blanks, '_' and '-' left out.
constexpr bool loosely_equal(std::string_view name, std::string_view key) noexcept {
    std::size_t k = 0;
    for (const char c : name) {
        if (c == ' ' || c == '_' || c == '-') continue;
        if (k == key.size() || (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != key[k]) return false;
        ++k;
    }
    return k == key.size();
}

// The full lower-case form of a name with its blanks, '_' and '-' left out, when that form is ASCII and the name
// neither begins nor ends with a blank; otherwise nothing ("Fagan Bradley" -> "faganbradley").
std::optional<std::string> loose_key(std::string_view utf8);

// Whether row i of a table holds enumerator i (its `id`) and every spelling is lower-case ASCII.
template <class Row, std::size_t N>
constexpr bool well_formed(const std::array<Row, N>& table) {
    for (std::size_t index = 0; index < N; ++index) {
        if (static_cast<std::size_t>(table[index].id) != index) return false;
        for (const char* spelling : table[index].spellings)
            for (; spelling != nullptr && *spelling != '\0'; ++spelling)
                if (*spelling >= 'A' && *spelling <= 'Z') return false;
    }
    return true;
}

// The row one of whose spellings equals the full lower-case form of `name`, if any.
template <class Row, std::size_t N>
const Row* find_spelling(std::string_view name, const std::array<Row, N>& table) {
    if (const auto key = ascii_lowercase_key(name)) {
        for (const Row& row : table)
            for (const char* spelling : row.spellings)
                if (spelling != nullptr && *key == spelling) return &row;
    }
    return nullptr;
}

// The enumerator a name spells, or `unknown` followed by the name as given.
template <class Row, std::size_t N>
auto parse_name(std::string_view name, const std::array<Row, N>& table, std::string_view unknown)
    -> Result<decltype(Row::id)> {
    if (const Row* row = find_spelling(name, table)) return row->id;
    return value_error(std::string(unknown) + std::string(name));
}

}  // namespace zentaric
