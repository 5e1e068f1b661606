"""Writes the stored references of the moments of the sky:

tests/data/moments/rise_set_swisseph.csv: the next rise or set after an instant from pyswisseph's `rise_trans`
(Moshier ephemeris): the Sun with BIT_HINDU_RISING ("hindu") and with its default flags at 1013.25 hPa and 15 °C
("civil"), the Moon with the default flags ("civil"), at places of latitude -60..65 and dates of 1900-2100 drawn with
a fixed seed.

tests/data/moments/events_de421.csv: changes of tithi, nakshatra, yoga and sign of the Moon, sign ingresses of the
Sun and stations of Mercury to Saturn, from a root search (bisection to 1e-9 day) on skyfield's apparent places of
DE421 (true ecliptic and equinox of date, no light deflection, as the chart), in windows drawn over 1900-2049 and
then, as many again a third, over 2050-2100: the de421 package (2008.1) holds the whole of JPL's DE421 export, Julian
Days 2414992.5 to 2524624.5 (1900-2200), though its description names 1900-2050 (the span of the SPK file de421.bsp).
Sidereal longitudes subtract the Lahiri ayanamsha (23.856° plus the IAU 2006 general precession psi_bar,
pyerfa's pfw06, at the UT date) and the IAU 2000B nutation in longitude (pyerfa's nut00b), as the chart does; tithi
is the Moon's longitude less the Sun's, yoga their sidereal sum; a station is where the speed in sidereal longitude
(central difference over 0.01 day) changes sign.
Times are TT Julian Days, so that the comparison does not depend on Delta T.

Usage: gen_reference_moments.py  (needs the [reference] extra: skyfield, de421, pyerfa, pyswisseph, numpy)
"""

import random

import erfa
import numpy
import skyfield
import swisseph as swe
from skyfield.api import load
from skyfield.framelib import ecliptic_frame

from gen_reference_tables import de421_bodies
from table_source import write_source

RISE_OUTPUT = "tests/data/moments/rise_set_swisseph.csv"
EVENTS_OUTPUT = "tests/data/moments/events_de421.csv"
SEED = 23
SUN_PLACES, MOON_PLACES = 150, 100
CONVENTIONS = {"hindu": 0, "civil": 1}
BODIES = {"Sun": 0, "Moon": 1, "Mercury": 2, "Venus": 3, "Mars": 4, "Jupiter": 5, "Saturn": 6}
KINDS = {"sign": 0, "nakshatra": 1, "tithi": 2, "yoga": 3, "station": 5}


def de421_version():
    from importlib.metadata import version
    return version("de421")


def random_jd(draw, first_year, last_year):
    year = draw.randint(first_year, last_year)
    return swe.julday(year, draw.randint(1, 12), draw.randint(1, 28), draw.uniform(0.0, 24.0), swe.GREG_CAL)


def rise_set_rows():
    draw = random.Random(SEED)
    rows = []
    cases = [("Sun", "hindu")] * SUN_PLACES + [("Sun", "civil")] * SUN_PLACES + [("Moon", "civil")] * MOON_PLACES
    for body, convention in cases:
        start = random_jd(draw, 1900, 2100)
        latitude, longitude = round(draw.uniform(-60.0, 65.0), 4), round(draw.uniform(-180.0, 180.0), 4)
        for kind, flag in (("rise", swe.CALC_RISE), ("set", swe.CALC_SET)):
            if convention == "hindu":
                flag |= swe.BIT_HINDU_RISING
            code, times = swe.rise_trans(start, swe.SUN if body == "Sun" else swe.MOON, flag,
                                         (longitude, latitude, 0.0), 1013.25, 15.0, swe.FLG_MOSEPH)
            if code != 0:
                continue  # no rise or set (polar day or night)
            rows.append((CONVENTIONS[convention], BODIES[body], int(kind == "set"), latitude, longitude, start,
                         times[0]))
    return rows


class Sky:
    """Apparent ecliptic longitudes of date from skyfield and DE421, and the chart's sidereal offset."""

    def __init__(self):
        self.timescale = load.timescale(builtin=True)
        self.bodies = de421_bodies()
        self.earth = self.bodies["Earth"]

    def tropical(self, body, jd_tt):
        t = self.timescale.tt_jd(jd_tt)
        apparent = self.earth.at(t).observe(self.bodies[body]).apparent(deflectors=())
        _, longitude, _ = apparent.frame_latlon(ecliptic_frame)
        return longitude.degrees

    def offset(self, jd_tt):
        t = self.timescale.tt_jd(jd_tt)
        jd_ut = numpy.asarray(t.ut1)
        psi_bar = erfa.pfw06(jd_ut, 0.0)[2]
        nutation = erfa.nut00b(numpy.asarray(jd_tt), 0.0)[0]
        return 23.856 + numpy.degrees(psi_bar) + numpy.degrees(nutation)

    def angle(self, kind, body, jd_tt):
        jd_tt = numpy.asarray(jd_tt, dtype=float)
        if kind in ("tithi", "yoga"):
            moon, sun = self.tropical("Moon", jd_tt), self.tropical("Sun", jd_tt)
            return moon - sun if kind == "tithi" else moon + sun - 2.0 * self.offset(jd_tt)
        sidereal = self.tropical(body, jd_tt) - self.offset(jd_tt)
        if kind != "station":
            return sidereal
        ahead, behind = (self.tropical(body, jd_tt + d) - self.offset(jd_tt + d) for d in (0.005, -0.005))
        return (numpy.remainder(ahead - behind + 180.0, 360.0) - 180.0) / 0.01


def band(kind, value):
    span = {"sign": 30.0, "nakshatra": 360.0 / 27.0, "tithi": 12.0, "yoga": 360.0 / 27.0}[kind]
    count = round(360.0 / span)
    return numpy.floor(numpy.remainder(value, 360.0) / span).astype(int) % count, span


def events_in(sky, kind, body, start, days, step):
    """(jd_tt, before, after) of the changes in [start, start + days), by a grid and a bisection."""
    grid = start + numpy.arange(0.0, days + step, step)
    values = sky.angle(kind, body, grid)
    if kind == "station":
        states = numpy.sign(values).astype(int)
    else:
        states, _ = band(kind, values)
    changes = numpy.nonzero(states[1:] != states[:-1])[0]
    low, high = grid[changes], grid[changes + 1]
    left = states[changes]
    for _ in range(45):
        middle = 0.5 * (low + high)
        value = sky.angle(kind, body, middle)
        state = numpy.sign(value).astype(int) if kind == "station" else band(kind, value)[0]
        same = state == left
        low, high = numpy.where(same, middle, low), numpy.where(same, high, middle)
    return [(float(0.5 * (a + b)), int(before), int(after)) for a, b, before, after in
            zip(low, high, left, states[changes + 1])]


def event_rows():
    draw = random.Random(SEED + 1)
    sky = Sky()
    rows = []
    plan = [("tithi", "Moon", 20, 3.0, 1 / 24), ("nakshatra", "Moon", 20, 3.0, 1 / 24),
            ("yoga", "Moon", 20, 3.0, 1 / 24), ("sign", "Moon", 20, 5.0, 1 / 24), ("sign", "Sun", 30, 40.0, 0.5)]
    plan += [("station", planet, 6, 400.0, 1.0) for planet in ("Mercury", "Venus", "Mars", "Jupiter", "Saturn")]
    # The windows of 2050-2100 are drawn after those of 1900-2049, which stay as they were.
    late = [(kind, body, windows // 3, days, step, 2050, 2099) for kind, body, windows, days, step in plan]
    for kind, body, windows, days, step, first, last in [(*entry, 1900, 2049) for entry in plan] + late:
        for _ in range(windows):
            start = random_jd(draw, first, last)
            for jd_tt, before, after in events_in(sky, kind, body, start, days, step):
                if kind != "station":
                    before += 1 if kind in ("tithi", "yoga") else 0
                    after += 1 if kind in ("tithi", "yoga") else 0
                rows.append((KINDS[kind], BODIES[body], jd_tt, before, after))
    return rows


def render(header, columns, rows):
    lines = [header, ",".join(columns)]
    lines += [",".join(repr(v) if isinstance(v, float) else str(v) for v in row) for row in rows]
    return "\n".join(lines) + "\n"


if __name__ == "__main__":
    write_source(RISE_OUTPUT, render(
        f"# tools/gen_reference_moments.py: pyswisseph {swe.version} rise_trans, Moshier ephemeris; "
        "convention 0 hindu (BIT_HINDU_RISING) 1 civil (default flags, 1013.25 hPa, 15 C); body 0 Sun 1 Moon; "
        "kind 0 rise 1 set; UT Julian Days",
        ["convention", "body", "kind", "latitude", "longitude", "start_jd", "event_jd"], rise_set_rows()))
    write_source(EVENTS_OUTPUT, render(
        f"# tools/gen_reference_moments.py: skyfield {skyfield.__version__}, DE421 (de421 {de421_version()}, "
        f"1900-2100), pyerfa {erfa.__version__}; "
        "kind 0 sign 1 nakshatra 2 tithi 3 yoga 5 station (1 direct, -1 retrograde); body 0 Sun 1 Moon 2 Mercury "
        "3 Venus 4 Mars 5 Jupiter 6 Saturn; TT Julian Days",
        ["kind", "body", "jd_tt", "before", "after"], event_rows()))
