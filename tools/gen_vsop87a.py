"""Writes src/ephemeris/data/vsop87a_tables.cpp from the published VSOP87A files (VizieR VI/81).

Each of the 144 series (8 planets x X, Y, Z x powers 0..5) keeps the N terms of largest |A|, in decreasing
order of |A| (a stable sort: equal amplitudes keep file order), one array per column: A, B, K, and cos(K*H),
sin(K*H) for H half a day in millennia, which carry a term's sine and cosine half a day either way. Usage:
gen_vsop87a.py [data_dir]
"""

import math
import os

from table_source import cpp_double, data_dir_from_argv, header_comment, write_source

OUTPUT = "src/ephemeris/data/vsop87a_tables.cpp"
# Half a day in Julian millennia, the double VSOP_HALF_DAY of vsop87.hpp.
HALF_DAY = 0.5 / 365250.0
PLANET_FILES = ["mer", "ven", "ear", "mar", "jup", "sat", "ura", "nep"]
PLANET_NAMES = ["MERCURY", "VENUS", "EARTH", "MARS", "JUPITER", "SATURN", "URANUS", "NEPTUNE"]

# Terms kept per planet, coordinate (X, Y, Z) and power of t (0..5).
TERMS_KEPT = [
    [[381, 174, 33, 9, 5, 0], [385, 172, 33, 9, 5, 0], [190, 68, 12, 7, 2, 0]],
    [[349, 155, 46, 4, 3, 0], [350, 159, 45, 4, 3, 0], [144, 65, 14, 3, 2, 1]],
    [[586, 264, 101, 13, 6, 1], [589, 266, 99, 13, 6, 0], [152, 80, 19, 4, 2, 1]],
    [[1289, 593, 205, 63, 18, 5], [1302, 592, 206, 63, 18, 6], [355, 184, 76, 15, 6, 1]],
    [[1055, 488, 255, 140, 58, 11], [1037, 499, 259, 136, 60, 11], [216, 104, 65, 27, 10, 3]],
    [[1652, 892, 481, 215, 87, 31], [1658, 917, 465, 201, 88, 32], [420, 217, 87, 44, 19, 6]],
    [[1464, 649, 249, 84, 12, 0], [1447, 659, 255, 80, 12, 0], [235, 98, 33, 12, 0, 0]],
    [[772, 330, 102, 33, 7, 0], [746, 325, 97, 34, 7, 0], [133, 37, 11, 2, 0, 0]],
]


def read_series(path):
    """{(coordinate 0..2, power 0..5): [(A, B, K), ...]} in file order, from the fixed-width VSOP87 layout."""
    series = {}
    current = None
    expected = {}
    with open(path, encoding="ascii") as handle:
        for line in handle:
            if line.startswith(" VSOP87"):
                coordinate = int(line[41]) - 1
                power = int(line[59])
                current = (coordinate, power)
                series[current] = []
                expected[current] = int(line[60:67])
                continue
            # Columns: A in 80-97, B in 98-111, K in 112-131 (1-based), after S and C.
            series[current].append((float(line[79:97]), float(line[97:111]), float(line[111:131])))
    for key, count in expected.items():
        if len(series[key]) != count:
            raise ValueError("%s: series %s has %d terms, header says %d" % (path, key, len(series[key]), count))
    return series


def truncated(terms, count):
    if count > len(terms):
        raise ValueError("asked for %d terms of a series of %d" % (count, len(terms)))
    return sorted(terms, key=lambda term: -abs(term[0]))[:count]


def render(data_dir):
    inputs = ["data/vsop87a/VSOP87A.%s" % name for name in PLANET_FILES]
    out = [header_comment("gen_vsop87a.py", inputs)]
    out.append("// VSOP87A (Bretagnon & Francou 1988), heliocentric rectangular coordinates, ecliptic and equinox J2000.\n")
    out.append("// Each series holds the terms of largest amplitude, in decreasing order of |A|.\n")
    out.append('#include "ephemeris/vsop87.hpp"\n\nnamespace zentaric {\nnamespace {\n\n')
    offsets = []
    total = 0
    for planet, (file_name, name) in enumerate(zip(PLANET_FILES, PLANET_NAMES)):
        series = read_series(os.path.join(data_dir, "vsop87a", "VSOP87A." + file_name))
        planet_offsets = []
        offset = 0
        columns = {"AMPLITUDE": [], "PHASE": [], "FREQUENCY": [], "TURN_COSINE": [], "TURN_SINE": []}
        for coordinate in range(3):
            coordinate_offsets = []
            for power in range(6):
                count = TERMS_KEPT[planet][coordinate][power]
                kept = truncated(series.get((coordinate, power), []), count)
                coordinate_offsets.append((offset, count))
                for amplitude, phase, frequency in kept:
                    step = frequency * HALF_DAY
                    columns["AMPLITUDE"].append(amplitude)
                    columns["PHASE"].append(phase)
                    columns["FREQUENCY"].append(frequency)
                    columns["TURN_COSINE"].append(math.cos(step))
                    columns["TURN_SINE"].append(math.sin(step))
                offset += count
            planet_offsets.append(coordinate_offsets)
        offsets.append(planet_offsets)
        total += offset
        out.append("// %s: %d terms, one array per column.\n" % (name.capitalize(), offset))
        for column, values in columns.items():
            out.append("constexpr double %s_%s[%d] = {\n" % (name, column, offset))
            for start in range(0, len(values), 4):
                out.append("    %s,\n" % ", ".join(cpp_double(value) for value in values[start:start + 4]))
            out.append("};\n")
        out.append("\n")
    out.append("}  // namespace\n\n")
    out.append("// [planet][coordinate X, Y, Z][power of t 0..5]: %d terms in all.\n" % total)
    out.append("constinit const VsopSeries VSOP_PLANETS[8][3][6] = {\n")
    for planet, name in enumerate(PLANET_NAMES):
        out.append("    {\n")
        for coordinate in range(3):
            cells = ", ".join("{%s_AMPLITUDE + %d, %s_PHASE + %d, %s_FREQUENCY + %d, %d, %s_TURN_COSINE + %d, "
                              "%s_TURN_SINE + %d}" % (name, offset, name, offset, name, offset, count, name, offset,
                                                      name, offset)
                              for offset, count in offsets[planet][coordinate])
            out.append("        {%s},\n" % cells)
        out.append("    },\n")
    out.append("};\n\n}  // namespace zentaric\n")
    return "".join(out)


def outputs(data_dir):
    return {OUTPUT: render(data_dir)}


if __name__ == "__main__":
    for path, text in outputs(data_dir_from_argv()).items():
        write_source(path, text)
