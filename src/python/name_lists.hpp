// The lists of names in the docstrings, spelled by the compiler from the core's tables, and the joining of
// docstring parts into one array.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "chart/lunar_node.hpp"
#include "houses/house_system.hpp"
#include "locale/names.hpp"
#include "moments/events.hpp"
#include "moments/rise_set.hpp"
#include "sidereal/ayanamsha.hpp"
#include "vedic/dasha_system.hpp"
#include "vedic/varga.hpp"
#include "vedic/vedic_dignity.hpp"

namespace zentaric::python {

// Spells text into a buffer, or only counts it when the buffer is null (the pass that sizes the array).
struct TextWriter {
    char* out = nullptr;
    std::size_t size = 0;

    constexpr void put(std::string_view text) {
        for (char c : text) {
            if (out != nullptr) out[size] = c;
            ++size;
        }
    }
};

// N characters and a terminating NUL.
template <std::size_t N>
struct Text {
    char chars[N + 1];
};

// The text a writing function spells, in an array of exactly its size.
template <void (*Write)(TextWriter&)>
constexpr auto spelled() {
    constexpr std::size_t size = [] {
        TextWriter counter;
        Write(counter);
        return counter.size;
    }();
    Text<size> text{};
    TextWriter writer{text.chars};
    Write(writer);
    return text;
}

// The parts (string literals, or the chars of a Text) one after the other.
template <std::size_t... N>
constexpr auto joined(const char (&... parts)[N]) {
    Text<(0 + ... + (N - 1))> text{};
    TextWriter writer{text.chars};
    (writer.put(std::string_view(parts, N - 1)), ...);
    return text;
}

// How a row appears in a list: its text form; its text form and "(or x)" for each further name, as spelled
// ("Krishnamurti (or kp)"); its first two spellings quoted ("\"navamsha\"/\"d9\""); its text form with a comma rather
// than "or" before the last item.
enum class Listing { Names, NamesAndFurtherNames, QuotedSpellings, Codes };

template <Listing listing, class Row>
constexpr void put_item(TextWriter& writer, const Row& row) {
    if constexpr (listing == Listing::QuotedSpellings) {
        bool first = true;
        for (const char* spelling : row.spellings) {
            if (spelling == nullptr || std::string_view(spelling).find('-') != std::string_view::npos) continue;
            writer.put(first ? "\"" : "/\"");
            writer.put(spelling);
            writer.put("\"");
            first = false;
        }
        return;
    }
    writer.put(row.name);
    if constexpr (listing == Listing::NamesAndFurtherNames) {
        for (const char* further : row.spellings) {
            if (further == nullptr) continue;
            writer.put(" (or ");
            writer.put(further);
            writer.put(")");
        }
    }
}

// The rows a caller can name, "A, B, C or D" (codes: "a, b, c, d"), a new line of eight spaces replacing the
// blank before an item that would take a line of the list past 80 characters.
template <const auto& table, Listing listing>
constexpr void put_name_list(TextWriter& writer) {
    std::size_t count = 0, index = 0, column = 0;
    for (const auto& row : table) count += named(row);
    for (const auto& row : table) {
        if (!named(row)) continue;
        TextWriter item;
        put_item<listing>(item, row);
        if (index > 0) {
            const std::string_view separator = index + 1 == count && listing != Listing::Codes ? " or" : ",";
            writer.put(separator);
            column += separator.size() + 1;
            if (column + item.size > 80) column = 0;
            writer.put(column == 0 ? "\n        " : " ");
        }
        put_item<listing>(writer, row);
        column += item.size;
        ++index;
    }
}

inline constexpr auto HOUSE_SYSTEM_LIST = spelled<put_name_list<HOUSE_SYSTEM_TABLE, Listing::Names>>();
inline constexpr auto AYANAMSHA_LIST = spelled<put_name_list<AYANAMSHA_TABLE, Listing::Names>>();
inline constexpr auto AYANAMSHA_SPELLINGS_LIST =
    spelled<put_name_list<AYANAMSHA_TABLE, Listing::NamesAndFurtherNames>>();
inline constexpr auto LUNAR_NODE_LIST = spelled<put_name_list<LUNAR_NODE_TABLE, Listing::Names>>();
inline constexpr auto VARGA_LIST = spelled<put_name_list<VARGA_TABLE, Listing::QuotedSpellings>>();
inline constexpr auto VARGA_GROUP_LIST = spelled<put_name_list<VARGA_GROUP_TABLE, Listing::Names>>();
inline constexpr auto DASHA_SYSTEM_LIST = spelled<put_name_list<DASHA_SYSTEM_TABLE, Listing::Names>>();
inline constexpr auto DASHA_YEAR_LIST = spelled<put_name_list<DASHA_YEAR_TABLE, Listing::Names>>();
inline constexpr auto MOMENT_BODY_LIST = spelled<put_name_list<moments::MOMENT_BODY_TABLE, Listing::Names>>();
inline constexpr auto EVENT_KIND_LIST = spelled<put_name_list<moments::EVENT_KIND_TABLE, Listing::Names>>();
inline constexpr auto HORIZON_CONVENTION_LIST =
    spelled<put_name_list<moments::HORIZON_CONVENTION_TABLE, Listing::Names>>();
inline constexpr auto LANGUAGE_LIST = spelled<put_name_list<locale::LANGUAGE_TABLE, Listing::Codes>>();
inline constexpr auto PANCHANGA_NAMES_LIST = spelled<put_name_list<locale::PANCHANGA_NAMES_TABLE, Listing::Codes>>();

}  // namespace zentaric::python
