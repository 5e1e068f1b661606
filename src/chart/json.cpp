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

namespace {

// Decimal exponents -5..15 are written in fixed notation: exactly the finite doubles with |x| in [1e-5, 1e16), since
// the shortest digits of a double read back to that double and rounding preserves order.
constexpr double SMALLEST_FIXED_MAGNITUDE = 1e-5;
constexpr double FIRST_SCIENTIFIC_MAGNITUDE = 1e16;

// Scientific layout "d[.ddd]e±k" from the shortest digits of a nonzero magnitude.
char* write_scientific(char* out, double magnitude) {
    char shortest[32];
    const char* const shortest_end =
        std::to_chars(shortest, shortest + sizeof shortest, magnitude, std::chars_format::scientific).ptr;
    // to_chars writes "d[.ddd]e±dd": the mantissa is already in place; the exponent loses its leading zeros.
    const char* read = shortest;
    while (*read != 'e') *out++ = *read++;
    *out++ = *read++;  // 'e'
    *out++ = *read++;  // sign
    while (read + 1 < shortest_end && *read == '0') ++read;
    while (read < shortest_end) *out++ = *read++;
    return out;
}

}  // namespace

char* write_json_number(char* out, double value) {
    if (!std::isfinite(value)) return std::copy_n("null", 4, out);
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0 || (magnitude >= SMALLEST_FIXED_MAGNITUDE && magnitude < FIRST_SCIENTIFIC_MAGNITUDE)) {
        // Shortest fixed notation has the same digits as the shortest scientific form in this range (a double
        // below 1e16 whose shortest digits are whole is itself whole); only a whole number lacks its ".0".
        char* const start = out;
        out = std::to_chars(out, out + JSON_NUMBER_MAX_CHARS, value, std::chars_format::fixed).ptr;
        if (std::find(start, out, '.') == out) {
            *out++ = '.';
            *out++ = '0';
        }
        return out;
    }
    if (std::signbit(value)) *out++ = '-';
    return write_scientific(out, magnitude);
}

void append_json_number(std::string& out, double value) {
    char text[JSON_NUMBER_MAX_CHARS];
    out.append(text, static_cast<std::size_t>(write_json_number(text, value) - text));
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
