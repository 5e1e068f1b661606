"""Writes src/ephemeris/data/elp_mpp02_tables.{hpp,cpp} from the ELP/MPP02 series (Chapront & Francou 2003).

Main problem: amplitudes corrected for the lunar-laser-ranging (LLR) fit from A and B1..B5 (B6 is unused).
Perturbations: the T^0 and T^1 series, as amplitude and phase. Every series keeps the terms with
|amplitude| >= 1e-7 rad (longitude, latitude) or 0.01 km (distance), in decreasing order of |amplitude|
(stable sort). Usage: gen_elp_mpp02.py [data_dir]
"""

import math
import os

from table_source import cpp_double, data_dir_from_argv, header_comment, write_source

OUTPUT_HEADER = "src/ephemeris/data/elp_mpp02_tables.hpp"
OUTPUT_SOURCE = "src/ephemeris/data/elp_mpp02_tables.cpp"

ANGLE_LIMIT_RAD = 1e-7
DISTANCE_LIMIT_KM = 0.01
ARCSEC_PER_RADIAN = 648000.0 / math.pi

# LLR fit of ELP/MPP02 (Chapront & Francou 2003), arcseconds and arcseconds per century.
DELTA_W1_1 = -0.32311
DELTA_GAMMA = 0.00069
DELTA_E = 0.00005
DELTA_EARTH_1 = 0.01442
DELTA_E0 = 0.00226
# m = n'/nu and alpha = a/a' of the lunar theory.
M_RATIO = 0.074801329
ALPHA_RATIO = 0.002571881
# Sensitivity corrections of the main problem (arcseconds, arcseconds per century). The mean-motion
# correction of the barycentre, -0.06424"/cy, is the value of the authors' ELPMPP02 program; rounding it to
# -0.0642 shifts the corrected amplitudes in their last digits only.
W1_RATE = 1732559343.73604 + DELTA_W1_1
DELTA_NU = 0.55604 + DELTA_W1_1
DELTA_GAMMA_TOTAL = -0.08066 + DELTA_GAMMA
DELTA_E_TOTAL = 0.01789 + DELTA_E
DELTA_E0_TOTAL = -0.12879 + DELTA_E0
DELTA_N_PRIME = -0.06424 + DELTA_EARTH_1

FACTOR_A = 1.0 - 2.0 * DELTA_NU / (3.0 * W1_RATE)
FACTOR_B1 = (DELTA_N_PRIME - M_RATIO * DELTA_NU) / W1_RATE
FACTOR_B2 = DELTA_GAMMA_TOTAL / ARCSEC_PER_RADIAN
FACTOR_B3 = DELTA_E_TOTAL / ARCSEC_PER_RADIAN
FACTOR_B4 = DELTA_E0_TOTAL / ARCSEC_PER_RADIAN
FACTOR_B5 = 2.0 * ALPHA_RATIO / (3.0 * M_RATIO * W1_RATE) * (DELTA_N_PRIME - M_RATIO * DELTA_NU)


def read_rows(path):
    with open(path, encoding="ascii") as handle:
        lines = handle.read().split("\n")
    count = int(lines[0])
    rows = [line.split() for line in lines[1:count + 1]]
    if len(rows) != count or any(not row for row in rows):
        raise ValueError("%s: expected %d rows" % (path, count))
    return rows


def main_terms(path, is_distance):
    """[(multipliers D F l l', corrected amplitude)] in file order."""
    terms = []
    for row in read_rows(path):
        if len(row) != 11:
            raise ValueError("%s: main-problem row of %d columns" % (path, len(row)))
        multipliers = tuple(int(value) for value in row[:4])
        a, b1, b2, b3, b4, b5 = (float(value) for value in row[4:10])
        base = FACTOR_A * a if is_distance else a
        amplitude = base + FACTOR_B1 * b1 + FACTOR_B2 * b2 + FACTOR_B3 * b3 + FACTOR_B4 * b4 + FACTOR_B5 * b5
        terms.append((multipliers, amplitude))
    return terms


def perturbation_terms(path):
    """[(amplitude, 13 multipliers, phase)] in file order."""
    terms = []
    for row in read_rows(path):
        if len(row) != 15:
            raise ValueError("%s: perturbation row of %d columns" % (path, len(row)))
        multipliers = tuple(int(value) for value in row[:13])
        amplitude, phase = float(row[13]), float(row[14])
        if amplitude < 0.0:
            amplitude, phase = -amplitude, phase + math.pi
        terms.append((amplitude, multipliers, phase))
    return terms


def selected(terms, amplitude_of, limit):
    kept = [term for term in terms if abs(amplitude_of(term)) >= limit]
    return sorted(kept, key=lambda term: -abs(amplitude_of(term)))


def multiplier_list(multipliers):
    if any(abs(value) > 127 for value in multipliers):
        raise ValueError("multiplier out of int8 range")
    return ", ".join(str(value) for value in multipliers)


# (array name, file, kind, limit, description)
SERIES = [
    ("ELP_MAIN_LONGITUDE", "elp_main.long", "main", ANGLE_LIMIT_RAD, "longitude V, main problem, radians (sine)"),
    ("ELP_MAIN_LATITUDE", "elp_main.lat", "main", ANGLE_LIMIT_RAD, "latitude U, main problem, radians (sine)"),
    ("ELP_MAIN_DISTANCE", "elp_main.dist", "main", DISTANCE_LIMIT_KM, "distance r, main problem, km (cosine)"),
    ("ELP_PERTURBATION_LONGITUDE_T0", "elp_pert.longT0", "perturbation", ANGLE_LIMIT_RAD, "longitude perturbations, T^0, radians"),
    ("ELP_PERTURBATION_LONGITUDE_T1", "elp_pert.longT1", "perturbation", ANGLE_LIMIT_RAD, "longitude perturbations, T^1, radians per century"),
    ("ELP_PERTURBATION_LATITUDE_T0", "elp_pert.latT0", "perturbation", ANGLE_LIMIT_RAD, "latitude perturbations, T^0, radians"),
    ("ELP_PERTURBATION_LATITUDE_T1", "elp_pert.latT1", "perturbation", ANGLE_LIMIT_RAD, "latitude perturbations, T^1, radians per century"),
    ("ELP_PERTURBATION_DISTANCE_T0", "elp_pert.distT0", "perturbation", DISTANCE_LIMIT_KM, "distance perturbations, T^0, km"),
    ("ELP_PERTURBATION_DISTANCE_T1", "elp_pert.distT1", "perturbation", DISTANCE_LIMIT_KM, "distance perturbations, T^1, km per century"),
]


def series_tables(data_dir):
    """[(name, kind, description, terms)] with the selected terms of every series."""
    tables = []
    for name, file_name, kind, limit, description in SERIES:
        path = os.path.join(data_dir, "elpmpp02", file_name)
        if kind == "main":
            terms = selected(main_terms(path, file_name.endswith("dist")), lambda term: term[1], limit)
        else:
            terms = selected(perturbation_terms(path), lambda term: term[0], limit)
        tables.append((name, kind, description, terms))
    return tables


def render(data_dir):
    tables = series_tables(data_dir)
    inputs = ["data/elpmpp02/" + entry[1] for entry in SERIES]
    comment = header_comment("gen_elp_mpp02.py", inputs)
    header = [comment, "// ELP/MPP02 lunar series (Chapront & Francou 2003), LLR fit, truncated.\n",
              "#pragma once\n\n#include <cstddef>\n\n#include \"ephemeris/elp_mpp02.hpp\"\n\nnamespace zentaric {\n\n"]
    source = [comment, '#include "ephemeris/data/elp_mpp02_tables.hpp"\n\nnamespace zentaric {\n\n']
    for name, kind, description, terms in tables:
        term_type = "MainTerm" if kind == "main" else "PerturbationTerm"
        header.append("// %s: %d terms.\ninline constexpr std::size_t %s_COUNT = %d;\n" % (description, len(terms), name, len(terms)))
        header.append("extern const %s %s[%s_COUNT];\n\n" % (term_type, name, name))
        source.append("constinit const %s %s[%s_COUNT] = {\n" % (term_type, name, name))
        for term in terms:
            if kind == "main":
                multipliers, amplitude = term
                source.append("    {{%s}, %s},\n" % (multiplier_list(multipliers), cpp_double(amplitude)))
            else:
                amplitude, multipliers, phase = term
                source.append("    {%s, {%s}, %s},\n" % (cpp_double(amplitude), multiplier_list(multipliers), cpp_double(phase)))
        source.append("};\n\n")
    header.append("}  // namespace zentaric\n")
    source.append("}  // namespace zentaric\n")
    return {OUTPUT_HEADER: "".join(header), OUTPUT_SOURCE: "".join(source)}


def outputs(data_dir):
    return render(data_dir)


if __name__ == "__main__":
    for path, text in outputs(data_dir_from_argv()).items():
        write_source(path, text)
