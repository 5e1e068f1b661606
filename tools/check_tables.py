"""Proves the committed generated tables equal what the generators write from the published data.

Usage: check_tables.py [data_dir]. Exit status 0 when every table is current, 1 when one differs,
2 when the published data directory is absent (the self-contained tables are still checked first).
"""

import os
import sys

import gen_bad_inputs
import gen_decimal_powers
import gen_elp_mpp02
import gen_name_literals
import gen_nutation
import gen_vsop87a
from table_source import REPO_ROOT, data_dir_from_argv

# Generators of tables read from the published data, and of tables computed from first principles.
DATA_GENERATORS = [gen_vsop87a, gen_elp_mpp02, gen_nutation]
SELF_CONTAINED_GENERATORS = [gen_decimal_powers, gen_bad_inputs, gen_name_literals]


def stale_tables(data_dir=None):
    """Relative paths of generated files whose committed text differs from the generator's output;
    with no data_dir only the self-contained tables are compared."""
    outputs = {}
    for generator in SELF_CONTAINED_GENERATORS:
        outputs.update(generator.outputs())
    if data_dir is not None:
        for generator in DATA_GENERATORS:
            outputs.update(generator.outputs(data_dir))
    stale = []
    for relative_path, text in outputs.items():
            path = os.path.join(REPO_ROOT, relative_path)
            try:
                with open(path, encoding="utf-8", newline="") as handle:
                    committed = handle.read()
            except FileNotFoundError:
                committed = None
            if committed != text:
                stale.append(relative_path)
    return stale


def main():
    data_dir = data_dir_from_argv()
    have_data = os.path.isdir(data_dir)
    stale = stale_tables(data_dir if have_data else None)
    for relative_path in stale:
        print("stale:", relative_path)
    if stale:
        return 1
    if not have_data:
        print("self-contained tables are current, but the tables written from published data were not checked:\n"
              "  no directory %s (it holds vsop87a/, elpmpp02/ and iau2000b/).\n"
              "  Place the repository beside shared/ so that ../shared/data exists, or name the directory:\n"
              "  make check-tables SHARED_DATA=/path/to/data  (or: python3 tools/check_tables.py /path/to/data)"
              % data_dir, file=sys.stderr)
        return 2
    print("all generated tables are current")
    return 0


if __name__ == "__main__":
    sys.exit(main())
