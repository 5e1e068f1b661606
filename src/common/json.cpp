// Compact JSON text: the number, integer and string writers every document goes through.
#include "common/json.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

#include "common/data/decimal_powers.hpp"

namespace zentaric {

namespace {

// Shortest decimal digits of a double (Giulietti's "Schubfach" method, 2020). For v = c × 2^q the rounding
// interval of v, scaled by 10^-k with k = floor(log10(width of the interval)), is at least 1 and less than 10 wide:
// it holds at most one multiple of 10, and otherwise the integers next to v × 10^-k are the shortest candidates.
// The scaled values are computed in quarter units, rounded to odd from a 126-bit over-estimate of 10^-k, which
// keeps every comparison with an even integer exact. It earns its place on the dasha document, nearly all numbers:
// std::to_chars's shortest digits laid out by the same rules make a depth-5 compute_dasha call 1.7 times as long.
struct Decimal {
    std::uint64_t significand;  // may end in zeros
    int exponent;               // value = significand × 10^exponent
};

int floor_log10_pow2(int q) noexcept {
    return static_cast<int>((q * decimal_powers::LOG10_2) >> decimal_powers::SCALE_SHIFT);
}

int floor_log10_three_quarters_pow2(int q) noexcept {
    return static_cast<int>((q * decimal_powers::LOG10_2 - decimal_powers::LOG10_FOUR_THIRDS) >>
                            decimal_powers::SCALE_SHIFT);
}

int floor_log2_pow10(int e) noexcept {
    return static_cast<int>((e * decimal_powers::LOG2_10) >> decimal_powers::SCALE_SHIFT);
}

// g × scaled / 2^128 rounded to odd. The bits of the product below 2^64 are dropped first: the over-estimate of g
// adds less than 2^62 there, while the fraction of an exact quotient that is not whole never lies within 2^-64 of
// an integer for the products a double gives (Giulietti 2020); checked against std::to_chars over 6e8 doubles.
std::uint64_t round_to_odd(const decimal_powers::Significand126& g, std::uint64_t scaled) noexcept {
    using Wide = unsigned __int128;
    const Wide low_product = static_cast<Wide>(g.low) * scaled;
    const Wide upper = static_cast<Wide>(g.high) * scaled + (low_product >> 64);
    const auto integer_part = static_cast<std::uint64_t>(upper >> 64);
    const auto fraction_bits = static_cast<std::uint64_t>(upper);
    return integer_part | (fraction_bits != 0 ? 1u : 0u);
}

// Shortest digits of a positive finite double; when two are equally short, the one nearest the value (the even
// one on a tie).
Decimal shortest_decimal(double magnitude) noexcept {
    constexpr int FRACTION_BITS = 52;
    constexpr int EXPONENT_BIAS_AND_FRACTION = 1075;
    constexpr int SUBNORMAL_EXPONENT = -1074;
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const auto biased_exponent = static_cast<int>(bits >> FRACTION_BITS);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << FRACTION_BITS) - 1);
    std::uint64_t c = fraction;
    int q = SUBNORMAL_EXPONENT;
    if (biased_exponent != 0) {
        c = fraction | (std::uint64_t{1} << FRACTION_BITS);
        q = biased_exponent - EXPONENT_BIAS_AND_FRACTION;
    }
    const std::uint64_t exclusive = c & 1;  // an odd significand does not own the ends of its interval

    // The interval in quarter units of 2^q: [c − 1/2, c + 1/2], or [c − 1/4, c + 1/2] at a power of two whose
    // lower neighbour is twice as close.
    const std::uint64_t quarter_c = c << 2;
    const std::uint64_t quarter_upper = quarter_c + 2;
    std::uint64_t quarter_lower = quarter_c - 2;
    int k = 0;
    if (fraction == 0 && biased_exponent > 1) {
        quarter_lower = quarter_c - 1;
        k = floor_log10_three_quarters_pow2(q);
    } else {
        k = floor_log10_pow2(q);
    }
    const int shift = q + floor_log2_pow10(-k) + 3;
    const decimal_powers::Significand126& g = decimal_powers::G[-k - decimal_powers::DECIMAL_POWER_MIN];
    const std::uint64_t value = round_to_odd(g, quarter_c << shift);
    const std::uint64_t lower = round_to_odd(g, quarter_lower << shift) + exclusive;
    const std::uint64_t upper = round_to_odd(g, quarter_upper << shift) - exclusive;

    const std::uint64_t below = value >> 2;
    if (below >= 10) {
        // The only multiple of ten the interval can hold.
        const std::uint64_t ten_below = below / 10 * 10;
        const std::uint64_t ten_above = ten_below + 10;
        const bool ten_below_inside = lower <= ten_below << 2;
        const bool ten_above_inside = ten_above << 2 <= upper;
        if (ten_below_inside != ten_above_inside) return Decimal{ten_below_inside ? ten_below : ten_above, k};
    }
    const std::uint64_t above = below + 1;
    const bool below_inside = lower <= below << 2;
    const bool above_inside = above << 2 <= upper;
    if (below_inside != above_inside) return Decimal{below_inside ? below : above, k};
    const std::uint64_t midpoint = (below << 2) + 2;
    return Decimal{value < midpoint || (value == midpoint && (below & 1) == 0) ? below : above, k};
}

// "00", "01", .. "99".
constexpr std::array<char, 200> make_digit_pairs() {
    std::array<char, 200> pairs{};
    for (int value = 0; value < 100; ++value) {
        pairs[2 * value] = static_cast<char>('0' + value / 10);
        pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
    }
    return pairs;
}

constexpr std::array<char, 200> DIGIT_PAIRS = make_digit_pairs();

void write_2_digits(char* out, std::uint32_t value) noexcept { std::memcpy(out, &DIGIT_PAIRS[2 * value], 2); }

void write_8_digits(char* out, std::uint32_t value) noexcept {
    const std::uint32_t high = value / 10000;
    const std::uint32_t low = value % 10000;
    write_2_digits(out, high / 100);
    write_2_digits(out + 2, high % 100);
    write_2_digits(out + 4, low / 100);
    write_2_digits(out + 6, low % 100);
}

// The 18 decimal digits of a value below 10^18, with leading zeros.
void write_18_digits(char* out, std::uint64_t value) noexcept {
    constexpr std::uint64_t TEN_TO_8 = 100000000;
    const std::uint64_t high = value / TEN_TO_8;
    write_2_digits(out, static_cast<std::uint32_t>(high / TEN_TO_8));
    write_8_digits(out + 2, static_cast<std::uint32_t>(high % TEN_TO_8));
    write_8_digits(out + 10, static_cast<std::uint32_t>(value % TEN_TO_8));
}

}  // namespace

// The text is assembled with fixed-size copies, which is why out needs JSON_NUMBER_MAX_CHARS of room.
char* write_json_number(char* out, double value) {
    if (!std::isfinite(value)) return std::copy_n("null", 4, out);
    if (std::signbit(value)) *out++ = '-';
    if (value == 0.0) return std::copy_n("0.0", 3, out);

    const Decimal decimal = shortest_decimal(std::fabs(value));
    constexpr int WRITTEN_DIGITS = 18;  // shortest_decimal's significand is below 2^57 < 10^18
    char written[WRITTEN_DIGITS + 48];
    write_18_digits(written, decimal.significand);
    const char* digits = written;
    while (*digits == '0') ++digits;  // the significand is nonzero
    const char* digits_end = written + WRITTEN_DIGITS;
    const int exponent = decimal.exponent + static_cast<int>(digits_end - digits) - 1;  // of the first digit
    while (digits_end[-1] == '0') --digits_end;
    const auto digit_count = static_cast<int>(digits_end - digits);
    std::memset(written + WRITTEN_DIGITS, '0', 48);  // fixed-size copies past the digits read zeros

    if (exponent >= -5 && exponent <= 15) {
        if (exponent >= digit_count - 1) {
            // Whole number: the digits, the zeros up to the point (the digits' own trailing zeros), ".0".
            std::memcpy(out, digits, 16);
            std::memset(out + digit_count, '0', 16);
            out += exponent + 1;
            return std::copy_n(".0", 2, out);
        }
        if (exponent >= 0) {
            // Point inside the digits.
            std::memcpy(out, digits, 16);
            out += exponent + 1;
            *out++ = '.';
            std::memcpy(out, digits + exponent + 1, 24);
            return out + (digit_count - exponent - 1);
        }
        // Below one: "0.", leading zeros, digits.
        std::memcpy(out, "0.00000", 8);
        out += 2 + (-exponent - 1);
        std::memcpy(out, digits, 24);
        return out + digit_count;
    }
    *out++ = digits[0];
    if (digit_count > 1) {
        *out++ = '.';
        std::memcpy(out, digits + 1, 24);
        out += digit_count - 1;
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    return std::to_chars(out, out + 4, exponent < 0 ? -exponent : exponent).ptr;
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

}  // namespace zentaric
