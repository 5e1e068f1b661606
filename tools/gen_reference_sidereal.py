"""Writes tests/data/sidereal_reference.json: Lahiri sidereal longitudes of the Sun to Saturn from the Swiss
Ephemeris (pyswisseph, its built-in Moshier ephemeris: apparent positions, true ayanamsha = mean + nutation)
as [longitude, speed] in degrees and degrees per day, its mean Lahiri ayanamsha and its Delta T (days), for 200
births of 1900-2050 and 60 births of 500-2900 (far from the present, where the secular terms of the series tell)
drawn with fixed seeds.
Usage: gen_reference_sidereal.py
"""

import json
import random

import swisseph as swe

from table_source import write_source

OUTPUT = "tests/data/sidereal_reference.json"
SEED, BIRTHS, YEARS = 1990, 200, (1900, 2050)
FAR_SEED, FAR_BIRTHS, FAR_YEARS = 500, 60, (500, 2900)
BODIES = [("Sun", swe.SUN), ("Moon", swe.MOON), ("Mercury", swe.MERCURY), ("Venus", swe.VENUS),
          ("Mars", swe.MARS), ("Jupiter", swe.JUPITER), ("Saturn", swe.SATURN)]


def births(seed, count, years):
    """(year, month, day, hour, minute, latitude, longitude) in UTC, latitudes outside the polar circles."""
    draw = random.Random(seed)
    return [(draw.randint(*years), draw.randint(1, 12), draw.randint(1, 28), draw.randint(0, 23),
             draw.randint(0, 59), round(draw.uniform(-60.0, 60.0), 4), round(draw.uniform(-180.0, 180.0), 4))
            for _ in range(count)]


def reference_row(birth):
    year, month, day, hour, minute = birth[:5]
    jd = swe.julday(year, month, day, hour + minute / 60.0, swe.GREG_CAL)
    flags = swe.FLG_MOSEPH | swe.FLG_SIDEREAL | swe.FLG_SPEED
    sidereal = {name: list(swe.calc_ut(jd, body, flags)[0][0:4:3]) for name, body in BODIES}
    return {"birth": list(birth), "jd": jd, "delta_t": swe.deltat(jd), "mean_ayanamsha": swe.get_ayanamsa_ut(jd),
            "sidereal": sidereal}


def render():
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    rows, far = ([json.dumps(reference_row(birth)) for birth in births(*drawn)]
                 for drawn in ((SEED, BIRTHS, YEARS), (FAR_SEED, FAR_BIRTHS, FAR_YEARS)))
    return ('{"generator": "tools/gen_reference_sidereal.py",\n'
            ' "reference": "pyswisseph %s, Moshier ephemeris, SIDM_LAHIRI",\n'
            ' "births": [\n  %s\n],\n "far_births": [\n  %s\n]}\n'
            % (swe.version, ",\n  ".join(rows), ",\n  ".join(far)))


if __name__ == "__main__":
    write_source(OUTPUT, render())
