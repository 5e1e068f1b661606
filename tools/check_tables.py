"""Proves the committed generated tables equal what the generators write from the published data.

Usage: check_tables.py [data_dir]. Exit status 0 when every table is current, 1 when one differs,
2 when the published data directory is absent.
"""

import os
import sys

import gen_elp_mpp02
import gen_nutation
import gen_vsop87a
from table_source import REPO_ROOT, data_dir_from_argv

GENERATORS = [gen_vsop87a, gen_elp_mpp02, gen_nutation]


def stale_tables(data_dir):
    """Relative paths of generated files whose committed text differs from the generator's output."""
    stale = []
    for generator in GENERATORS:
        for relative_path, text in generator.outputs(data_dir).items():
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
    if not os.path.isdir(data_dir):
        print("published data not found at", data_dir)
        return 2
    stale = stale_tables(data_dir)
    for relative_path in stale:
        print("stale:", relative_path)
    if not stale:
        print("all generated tables are current")
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
