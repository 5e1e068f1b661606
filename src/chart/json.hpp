// JSON documents: a small in-memory tree and the one compact writer every JSON text of the library goes through.
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
#include <vector>

namespace zentaric {

enum class JsonKind : std::uint8_t { Null, Boolean, Integer, Number, String, Array, Object };

struct JsonMember;

// One JSON value. Objects keep their members sorted by key (byte order); setting an existing key replaces its value.
class JsonValue {
public:
    JsonValue() noexcept = default;  // null

    static JsonValue null() noexcept { return JsonValue(); }
    static JsonValue boolean(bool value) noexcept;
    static JsonValue integer(std::uint64_t value) noexcept;
    static JsonValue number(double value) noexcept;  // NaN and ±inf become null here
    static JsonValue string(std::string text) noexcept;
    static JsonValue array() noexcept;
    static JsonValue object() noexcept;

    JsonKind kind() const noexcept { return kind_; }

    // Appends an element to an array; a value that is not an array is left unchanged and false is returned.
    bool push_back(JsonValue element);
    // Inserts or replaces a member of an object; a value that is not an object is left unchanged and false is returned.
    bool set(std::string key, JsonValue value);

    // Number of elements of an array or members of an object; 0 for every other kind.
    std::size_t size() const noexcept;
    // The member under key, or nullptr (also when this value is not an object).
    const JsonValue* find(std::string_view key) const noexcept;

    bool as_boolean() const noexcept { return boolean_; }
    std::uint64_t as_integer() const noexcept { return integer_; }
    double as_number() const noexcept { return number_; }
    const std::string& as_string() const noexcept { return text_; }
    const std::vector<JsonValue>& elements() const noexcept { return elements_; }
    const std::vector<JsonMember>& members() const noexcept { return members_; }

private:
    JsonKind kind_ = JsonKind::Null;
    bool boolean_ = false;
    std::uint64_t integer_ = 0;
    double number_ = 0.0;
    std::string text_;
    std::vector<JsonValue> elements_;
    std::vector<JsonMember> members_;  // sorted by key
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

// Compact text of a value, written in one pass into one buffer that starts with a capacity of 128 bytes.
std::string to_json(const JsonValue& value);

// Appends the compact text of a value to out.
void append_json(std::string& out, const JsonValue& value);

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
