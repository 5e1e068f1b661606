"""Writes src/common/data/decimal_powers.hpp: the powers of ten, scaled to 126-bit integers, with which the JSON
writer finds the shortest decimal digits of a double, and the fixed-point logarithm constants that index them.

For each decimal exponent e the table holds g(e) = floor(10^e * 2^-r) + 1, where r = floor(log2(10^e)) - 125, so that
2^125 < g(e) <= 2^126 and g(e) * 2^r over-estimates 10^e by less than one unit in its last place.
The exponent range covers every double: e = -k for k = floor(log10(2^q)) and k = floor(log10(3/4 * 2^q)),
q = -1074 .. 971 (binary exponents of the integer significand of a double).

Every integer formula written into the header is checked exactly (with Python integers) over the whole range it
is used on before the file is written. Usage: gen_decimal_powers.py
"""

import sys
from decimal import ROUND_CEILING, ROUND_FLOOR, Context, Decimal
from fractions import Fraction

from table_source import header_comment, write_source

OUTPUT = "src/common/data/decimal_powers.hpp"
SIGNIFICAND_BITS = 126
BINARY_EXPONENT_MIN = -1074  # subnormals: significand c, value c * 2^-1074
BINARY_EXPONENT_MAX = 971    # largest normal: (2^53 - 1) * 2^971
SCALE_SHIFT = 41             # fixed-point fraction bits of the logarithm constants


def floor_log(base, value):
    """floor(log_base(value)) for a positive Fraction, exactly."""
    exponent = 0
    while Fraction(base) ** exponent > value:
        exponent -= 1
    while Fraction(base) ** (exponent + 1) <= value:
        exponent += 1
    return exponent


def floor_log10_pow2_exact(q):
    return floor_log(10, Fraction(2) ** q)


def floor_log10_three_quarters_pow2_exact(q):
    return floor_log(10, Fraction(3, 4) * Fraction(2) ** q)


def floor_log2_pow10_exact(e):
    return floor_log(2, Fraction(10) ** e)


def g_of(e):
    r = floor_log2_pow10_exact(e) - (SIGNIFICAND_BITS - 1)
    scaled = Fraction(10) ** e / Fraction(2) ** r
    g = scaled.numerator // scaled.denominator + 1
    assert (1 << (SIGNIFICAND_BITS - 1)) < g <= (1 << SIGNIFICAND_BITS)
    return g


def render():
    log10_2, three_quarters_offset, log2_10 = scaled_logarithms()

    ks = set()
    for q in range(BINARY_EXPONENT_MIN, BINARY_EXPONENT_MAX + 1):
        k = floor_log10_pow2_exact(q)
        if (q * log10_2) >> SCALE_SHIFT != k:
            raise AssertionError("floor(q log10 2) formula fails at q = %d" % q)
        ks.add(k)
        if q > BINARY_EXPONENT_MIN:
            k = floor_log10_three_quarters_pow2_exact(q)
            if (q * log10_2 - three_quarters_offset) >> SCALE_SHIFT != k:
                raise AssertionError("floor(log10(3/4 2^q)) formula fails at q = %d" % q)
            ks.add(k)
    exponent_min, exponent_max = -max(ks), -min(ks)
    for e in range(exponent_min, exponent_max + 1):
        if (e * log2_10) >> SCALE_SHIFT != floor_log2_pow10_exact(e):
            raise AssertionError("floor(e log2 10) formula fails at e = %d" % e)

    out = [header_comment("gen_decimal_powers.py", ["exact integer arithmetic (no input files)"])]
    out.append("// Powers of ten for the shortest decimal digits of a double: g(e) = floor(10^e * 2^-r) + 1 with\n")
    out.append("// r = floor(log2(10^e)) - 125, stored as {high 64 bits, low 64 bits}, e = DECIMAL_POWER_MIN ..\n")
    out.append("// DECIMAL_POWER_MAX. The logarithm constants are scaled by 2^%d; each formula below was checked\n"
               % SCALE_SHIFT)
    out.append("// exactly over the range the writer uses it on.\n")
    out.append("#pragma once\n\n#include <cstdint>\n\nnamespace zentaric::decimal_powers {\n\n")
    out.append("inline constexpr int SCALE_SHIFT = %d;\n" % SCALE_SHIFT)
    out.append("// floor(q log10 2) = (q * LOG10_2) >> SCALE_SHIFT for q = %d .. %d\n"
               % (BINARY_EXPONENT_MIN, BINARY_EXPONENT_MAX))
    out.append("inline constexpr std::int64_t LOG10_2 = %d;\n" % log10_2)
    out.append("// floor(log10(3/4 2^q)) = (q * LOG10_2 - LOG10_FOUR_THIRDS) >> SCALE_SHIFT for q = %d .. %d\n"
               % (BINARY_EXPONENT_MIN + 1, BINARY_EXPONENT_MAX))
    out.append("inline constexpr std::int64_t LOG10_FOUR_THIRDS = %d;\n" % three_quarters_offset)
    out.append("// floor(e log2 10) = (e * LOG2_10) >> SCALE_SHIFT for e = DECIMAL_POWER_MIN .. DECIMAL_POWER_MAX\n")
    out.append("inline constexpr std::int64_t LOG2_10 = %d;\n" % log2_10)
    out.append("inline constexpr int DECIMAL_POWER_MIN = %d;\n" % exponent_min)
    out.append("inline constexpr int DECIMAL_POWER_MAX = %d;\n\n" % exponent_max)
    out.append("struct Significand126 {\n    std::uint64_t high;\n    std::uint64_t low;\n};\n\n")
    out.append("inline constexpr Significand126 G[%d] = {\n" % (exponent_max - exponent_min + 1))
    mask = (1 << 64) - 1
    for e in range(exponent_min, exponent_max + 1):
        g = g_of(e)
        out.append("    {0x%016x, 0x%016x},  // %d\n" % (g >> 64, g & mask, e))
    out.append("};\n\n}  // namespace zentaric::decimal_powers\n")
    return "".join(out)


def scaled_logarithms():
    """floor(log10(2) 2^S), ceil(log10(4/3) 2^S) and floor(log2(10) 2^S), from 80-digit logarithms; the formulas
    built on them are then verified exactly, which is what the writer relies on."""
    context = Context(prec=80)
    scale = Decimal(1 << SCALE_SHIFT)
    log10_2 = context.multiply(Decimal(2).log10(context), scale)
    log10_four_thirds = context.multiply(context.divide(Decimal(4), Decimal(3)).log10(context), scale)
    log2_10 = context.multiply(context.divide(Decimal(10).ln(context), Decimal(2).ln(context)), scale)
    return (int(log10_2.to_integral_value(rounding=ROUND_FLOOR)),
            int(log10_four_thirds.to_integral_value(rounding=ROUND_CEILING)),
            int(log2_10.to_integral_value(rounding=ROUND_FLOOR)))


def outputs(data_dir=None):
    return {OUTPUT: render()}


def main():
    write_source(OUTPUT, render())
    return 0


if __name__ == "__main__":
    sys.exit(main())
