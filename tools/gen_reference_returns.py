"""Writes tests/data/returns_swisseph.csv: tropical solar returns of 30 births from pyswisseph's `solcross_ut`.

For each birth (a whole UTC minute, 1900-1999) and a later year up to 2025, the row holds the UT Julian day at which
the Sun's apparent tropical longitude (pyswisseph, its built-in Moshier ephemeris, so that no ephemeris files are
needed) comes back to its value at the birth, searched from 20 days before the birthday's anniversary. Years stay
within the era of measured Delta T, where the two libraries' UT-TT models agree to about a second.
Usage: gen_reference_returns.py (needs the [reference] extra)
"""

import csv
import os
import random

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = os.path.join(REPO_ROOT, "tests", "data", "returns_swisseph.csv")
BIRTH_COUNT = 30
SEED = 2929


def main():
    import swisseph as swe

    rng = random.Random(SEED)
    flags = swe.FLG_MOSEPH
    rows = []
    for _ in range(BIRTH_COUNT):
        year, month, day = rng.randrange(1900, 2000), rng.randrange(1, 13), rng.randrange(1, 29)
        hour, minute = rng.randrange(24), rng.randrange(60)
        birth_jd = swe.julday(year, month, day, hour + minute / 60.0)
        natal = swe.calc_ut(birth_jd, swe.SUN, flags)[0][0]
        target = rng.randrange(year + 1, 2026)
        start = swe.julday(target, month, day, hour + minute / 60.0) - 20.0
        moment = swe.solcross_ut(natal, start, flags)
        rows.append((f"{year:04d}-{month:02d}-{day:02d}T{hour:02d}:{minute:02d}", target, f"{natal:.9f}",
                     f"{moment:.9f}"))
    with open(OUTPUT, "w", newline="") as out:
        out.write(f"# tools/gen_reference_returns.py: pyswisseph {swe.__version__} (Swiss Ephemeris "
                  f"{swe.version}), Moshier ephemeris, apparent tropical Sun; times UT\n")
        writer = csv.writer(out, lineterminator="\n")
        writer.writerow(("birth_utc", "year", "natal_sun", "return_jd_ut"))
        writer.writerows(rows)


if __name__ == "__main__":
    main()
