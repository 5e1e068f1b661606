"""Writes tests/data/ayanamsha_swisseph.json: the Swiss Ephemeris' mean ayanamshas (pyswisseph,
`get_ayanamsa_ex_ut` with FLG_NONUT) of the three systems defined as their authors published them, on the first of
January of every fifth year of 1000-2999 and 100 seeded instants between; and, in the row format of
tests/data/sidereal_reference.json, Lahiri sidereal positions of the Sun to Saturn (Moshier ephemeris, apparent,
true ayanamsha) for 60 seeded births of 2050-2100, the years that table leaves out.
Usage: .venv/bin/python tools/gen_reference_ayanamsha.py (with the `reference` extra installed)
"""

import json
import random

import swisseph as swe

from gen_reference_sidereal import births, reference_row
from table_source import write_source

OUTPUT = "tests/data/ayanamsha_swisseph.json"
SYSTEMS = {"LahiriIcrc": swe.SIDM_LAHIRI, "Krishnamurti1900": swe.SIDM_KRISHNAMURTI, "Raman1900": swe.SIDM_RAMAN}
SEED, INSTANTS = 1956, 100
BIRTH_SEED, BIRTHS, YEARS = 2100, 60, (2050, 2100)


def instants():
    first, last = swe.julday(1000, 1, 1, 0.0, swe.GREG_CAL), swe.julday(2999, 12, 31, 0.0, swe.GREG_CAL)
    draw = random.Random(SEED)
    every_fifth_year = [swe.julday(year, 1, 1, 0.0, swe.GREG_CAL) for year in range(1000, 3000, 5)]
    return sorted(every_fifth_year + [draw.uniform(first, last) for _ in range(INSTANTS)])


def mean_ayanamshas(mode):
    swe.set_sid_mode(mode)
    return [[jd, swe.get_ayanamsa_ex_ut(jd, swe.FLG_NONUT)[1]] for jd in instants()]


def render():
    systems = ",\n  ".join(
        f'"{name}": {{"mode": "{swe.get_ayanamsa_name(mode)}", "rows": {json.dumps(mean_ayanamshas(mode))}}}'
        for name, mode in SYSTEMS.items())
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    rows = ",\n  ".join(json.dumps(reference_row(birth)) for birth in births(BIRTH_SEED, BIRTHS, YEARS))
    return ('{"generator": "tools/gen_reference_ayanamsha.py",\n'
            ' "reference": "pyswisseph %s: mean ayanamshas; Moshier ephemeris, SIDM_LAHIRI",\n'
            ' "systems": {\n  %s\n},\n "births": [\n  %s\n]}\n' % (swe.version, systems, rows))


if __name__ == "__main__":
    write_source(OUTPUT, render())
