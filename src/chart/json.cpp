// Compact JSON text: the tree and the single number and string writers.
#include "chart/json.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace zentaric {

JsonValue JsonValue::boolean(bool value) noexcept {
    JsonValue result;
    result.kind_ = JsonKind::Boolean;
    result.boolean_ = value;
    return result;
}

JsonValue JsonValue::integer(std::uint64_t value) noexcept {
    JsonValue result;
    result.kind_ = JsonKind::Integer;
    result.integer_ = value;
    return result;
}

JsonValue JsonValue::number(double value) noexcept {
    JsonValue result;
    if (std::isfinite(value)) {
        result.kind_ = JsonKind::Number;
        result.number_ = value;
    }
    return result;
}

JsonValue JsonValue::string(std::string text) noexcept {
    JsonValue result;
    result.kind_ = JsonKind::String;
    result.text_ = std::move(text);
    return result;
}

JsonValue JsonValue::array() noexcept {
    JsonValue result;
    result.kind_ = JsonKind::Array;
    return result;
}

JsonValue JsonValue::object() noexcept {
    JsonValue result;
    result.kind_ = JsonKind::Object;
    return result;
}

bool JsonValue::push_back(JsonValue element) {
    if (kind_ != JsonKind::Array) return false;
    elements_.push_back(std::move(element));
    return true;
}

bool JsonValue::set(std::string key, JsonValue value) {
    if (kind_ != JsonKind::Object) return false;
    auto place = std::lower_bound(members_.begin(), members_.end(), key,
                                  [](const JsonMember& member, const std::string& wanted) { return member.key < wanted; });
    if (place != members_.end() && place->key == key) {
        place->value = std::move(value);
    } else {
        members_.insert(place, JsonMember{std::move(key), std::move(value)});
    }
    return true;
}

std::size_t JsonValue::size() const noexcept {
    if (kind_ == JsonKind::Array) return elements_.size();
    if (kind_ == JsonKind::Object) return members_.size();
    return 0;
}

const JsonValue* JsonValue::find(std::string_view key) const noexcept {
    if (kind_ != JsonKind::Object) return nullptr;
    auto place = std::lower_bound(members_.begin(), members_.end(), key,
                                  [](const JsonMember& member, std::string_view wanted) { return member.key < wanted; });
    if (place == members_.end() || place->key != key) return nullptr;
    return &place->value;
}

void append_json_number(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out.append("null", 4);
        return;
    }
    char text[40];
    char* cursor = text;
    if (std::signbit(value)) *cursor++ = '-';
    if (value == 0.0) {
        *cursor++ = '0';
        *cursor++ = '.';
        *cursor++ = '0';
        out.append(text, static_cast<std::size_t>(cursor - text));
        return;
    }

    // Shortest round-trip digits d1.d2..dn and exponent k, read from the scientific form "d[.ddd]e±kk".
    char scientific[32];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                       std::chars_format::scientific);
    const char* const scientific_end = written.ptr;
    char digits[20];
    int digit_count = 0;
    const char* read = scientific;
    while (*read != 'e') {
        if (*read != '.') digits[digit_count++] = *read;
        ++read;
    }
    ++read;  // 'e'
    const bool negative_exponent = (*read == '-');
    ++read;  // exponent sign
    int exponent = 0;
    while (read < scientific_end) exponent = exponent * 10 + (*read++ - '0');
    if (negative_exponent) exponent = -exponent;

    if (exponent >= -5 && exponent <= 15) {
        if (exponent >= digit_count - 1) {
            // Whole number: all digits, trailing zeros, ".0".
            cursor = std::copy(digits, digits + digit_count, cursor);
            cursor = std::fill_n(cursor, exponent - digit_count + 1, '0');
            *cursor++ = '.';
            *cursor++ = '0';
        } else if (exponent >= 0) {
            // Point inside the digits.
            cursor = std::copy(digits, digits + exponent + 1, cursor);
            *cursor++ = '.';
            cursor = std::copy(digits + exponent + 1, digits + digit_count, cursor);
        } else {
            // Below one: "0.", leading zeros, digits.
            *cursor++ = '0';
            *cursor++ = '.';
            cursor = std::fill_n(cursor, -exponent - 1, '0');
            cursor = std::copy(digits, digits + digit_count, cursor);
        }
    } else {
        *cursor++ = digits[0];
        if (digit_count > 1) {
            *cursor++ = '.';
            cursor = std::copy(digits + 1, digits + digit_count, cursor);
        }
        *cursor++ = 'e';
        *cursor++ = negative_exponent ? '-' : '+';
        cursor = std::to_chars(cursor, text + sizeof text, negative_exponent ? -exponent : exponent).ptr;
    }
    out.append(text, static_cast<std::size_t>(cursor - text));
}

void append_json_integer(std::string& out, std::uint64_t value) {
    char text[24];
    const auto written = std::to_chars(text, text + sizeof text, value);
    out.append(text, static_cast<std::size_t>(written.ptr - text));
}

void append_json_string(std::string& out, std::string_view text) {
    static constexpr char HEX_DIGITS[] = "0123456789abcdef";
    out.push_back('"');
    std::size_t run_start = 0;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const auto byte = static_cast<unsigned char>(text[index]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
        out.append(text.data() + run_start, index - run_start);
        run_start = index + 1;
        switch (byte) {
            case '"': out.append("\\\"", 2); break;
            case '\\': out.append("\\\\", 2); break;
            case '\b': out.append("\\b", 2); break;
            case '\t': out.append("\\t", 2); break;
            case '\n': out.append("\\n", 2); break;
            case '\f': out.append("\\f", 2); break;
            case '\r': out.append("\\r", 2); break;
            default: {
                const char escaped[6] = {'\\', 'u', '0', '0', HEX_DIGITS[byte >> 4], HEX_DIGITS[byte & 0xF]};
                out.append(escaped, 6);
            }
        }
    }
    out.append(text.data() + run_start, text.size() - run_start);
    out.push_back('"');
}

void append_json(std::string& out, const JsonValue& value) {
    switch (value.kind()) {
        case JsonKind::Null: out.append("null", 4); break;
        case JsonKind::Boolean: value.as_boolean() ? out.append("true", 4) : out.append("false", 5); break;
        case JsonKind::Integer: append_json_integer(out, value.as_integer()); break;
        case JsonKind::Number: append_json_number(out, value.as_number()); break;
        case JsonKind::String: append_json_string(out, value.as_string()); break;
        case JsonKind::Array: {
            out.push_back('[');
            bool first = true;
            for (const JsonValue& element : value.elements()) {
                if (!first) out.push_back(',');
                first = false;
                append_json(out, element);
            }
            out.push_back(']');
            break;
        }
        case JsonKind::Object: {
            out.push_back('{');
            bool first = true;
            for (const JsonMember& member : value.members()) {
                if (!first) out.push_back(',');
                first = false;
                append_json_string(out, member.key);
                out.push_back(':');
                append_json(out, member.value);
            }
            out.push_back('}');
            break;
        }
    }
}

std::string to_json(const JsonValue& value) {
    std::string out;
    out.reserve(128);
    append_json(out, value);
    return out;
}

}  // namespace zentaric
