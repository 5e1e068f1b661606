"""Writes src/time/data/nutation_terms.hpp: the 77 luni-solar terms of the IAU 2000B nutation model
(IERS Conventions 2003), in published order and units (0.1 microarcsecond). Usage: gen_nutation.py [data_dir]
"""

import csv
import os

from table_source import data_dir_from_argv, header_comment, write_source

OUTPUT = "src/time/data/nutation_terms.hpp"
COLUMNS = ["l", "lp", "F", "D", "Om", "A", "Ap", "App", "B", "Bp", "Bpp"]
ROW_COUNT = 77


def read_rows(path):
    with open(path, encoding="ascii", newline="") as handle:
        reader = csv.reader(handle)
        if next(reader) != COLUMNS:
            raise ValueError("%s: unexpected columns" % path)
        rows = [[int(value) for value in row] for row in reader if row]
    if len(rows) != ROW_COUNT or any(len(row) != len(COLUMNS) for row in rows):
        raise ValueError("%s: expected %d rows of %d integers" % (path, ROW_COUNT, len(COLUMNS)))
    return rows


def render(data_dir):
    rows = read_rows(os.path.join(data_dir, "iau2000b", "nutation_terms.csv"))
    out = [header_comment("gen_nutation.py", ["data/iau2000b/nutation_terms.csv"])]
    out.append("// IAU 2000B luni-solar nutation (McCarthy & Luzum 2003; IERS Conventions 2003), published order.\n")
    out.append("// Columns: multipliers of l, l', F, D, Omega; then A, A', A'', B, B', B'' in 0.1 microarcsecond.\n")
    out.append("#pragma once\n\n#include <cstdint>\n\nnamespace zentaric {\n\n")
    out.append("inline constexpr int NUTATION_TERM_COUNT = %d;\n\n" % ROW_COUNT)
    out.append("inline constexpr std::int64_t NUTATION_TERMS[NUTATION_TERM_COUNT][11] = {\n")
    for row in rows:
        out.append("    {%s},\n" % ", ".join(str(value) for value in row))
    out.append("};\n\n}  // namespace zentaric\n")
    return "".join(out)


def outputs(data_dir):
    return {OUTPUT: render(data_dir)}


if __name__ == "__main__":
    for path, text in outputs(data_dir_from_argv()).items():
        write_source(path, text)
