"""Writes tests/data/panchanga/reference.json: for 120 days of 1900-2100 at places of latitude -60..60 drawn with a
fixed seed, the Hindu sunrise from the Swiss Ephemeris (pyswisseph rise_trans with BIT_HINDU_RISING: the disc's
centre on the geometric horizon, no refraction) and, at that sunrise, the number of the tithi, nakshatra, yoga and
karana and the exact moments that limb began and ends, found by Newton's method on skyfield's apparent positions of
the Moon and the Sun from JPL DE421 (true ecliptic and equinox of date, no light deflection: the core has none) to a millisecond.

The sidereal zodiac is the one under test: Lahiri, the module's mean ayanamsha (zentaric.get_ayanamsha) plus the
nutation in longitude (IAU 2000A, skyfield), subtracted from the apparent longitudes. Moments are UT: TT less the
Espenak & Meeus Delta T of tests/data/delta_t_espenak_meeus.csv, interpolated linearly in the year.
Usage: gen_reference_panchanga.py (needs the reference extra: skyfield, de421, pyswisseph, numpy)
"""

import csv
import datetime
import json
import math
import pathlib
import random

import numpy
import skyfield
import swisseph as swe
from skyfield.api import load
from skyfield.framelib import ecliptic_frame
from skyfield.nutationlib import iau2000a_radians

import zentaric
from gen_reference_tables import de421_bodies

ROOT = pathlib.Path(__file__).resolve().parents[1]
OUTPUT = ROOT / "tests" / "data" / "panchanga" / "reference.json"
SEED, DAYS = 2024, 120
#: Arc of one limb (degrees), and its mean rate (degrees a day) for the first guess.
LIMBS = {"tithi": (12.0, 12.19), "nakshatra": (40.0 / 3.0, 13.18), "yoga": (40.0 / 3.0, 14.17),
         "karana": (6.0, 12.19)}

TS = load.timescale(builtin=True)
BODIES = de421_bodies()
EARTH, MOON, SUN = BODIES["Earth"], BODIES["Moon"], BODIES["Sun"]
DELTA_T = [(float(row["year"]), float(row["delta_t"]))
           for row in csv.DictReader(line for line in open(ROOT / "tests" / "data" / "delta_t_espenak_meeus.csv")
                                     if not line.startswith("#"))]


def delta_t_days(jd_ut):
    year = 2000.0 + (jd_ut - 2451544.5) / 365.2425
    return numpy.interp(year, [y for y, _ in DELTA_T], [s for _, s in DELTA_T]) / 86400.0


def limb_values(jd_ut):
    """Elongation, sidereal Moon and sidereal sum of Moon and Sun (degrees) at UT Julian Days (an array)."""
    jd_ut = numpy.asarray(jd_ut, dtype=float)
    t = TS.tt_jd(jd_ut + delta_t_days(jd_ut))
    observer = EARTH.at(t)
    moon = observer.observe(MOON).apparent(deflectors=()).frame_latlon(ecliptic_frame)[1].degrees
    sun = observer.observe(SUN).apparent(deflectors=()).frame_latlon(ecliptic_frame)[1].degrees
    nutation = numpy.degrees(iau2000a_radians(t)[0])
    ayanamsha = numpy.array([zentaric.get_ayanamsha("Lahiri", jd) for jd in jd_ut.ravel()]).reshape(jd_ut.shape)
    true_ayanamsha = ayanamsha + nutation
    return {"tithi": moon - sun, "karana": moon - sun, "nakshatra": moon - true_ayanamsha,
            "yoga": moon + sun - 2.0 * true_ayanamsha}


def crossings(guess, levels, kind):
    """Newton's method on the positions: where `kind` passes `levels` (arrays), from the UT guesses."""
    t = numpy.array(guess, dtype=float)
    for _ in range(12):
        now, later = limb_values(t)[kind], limb_values(t + 1e-3)[kind]
        distance = numpy.remainder(now - levels + 180.0, 360.0) - 180.0
        rate = numpy.remainder(later - now + 180.0, 360.0) - 180.0
        step = -distance / (rate / 1e-3)
        t = t + step
        if numpy.max(numpy.abs(step)) < 1e-9:
            break
    return t


def places():
    """(date, latitude, longitude, zone): the zone is the Etc/GMT zone of the longitude's whole hours."""
    draw = random.Random(SEED)
    first, last = datetime.date(1900, 1, 3).toordinal(), datetime.date(2099, 12, 28).toordinal()
    for _ in range(DAYS):
        day = datetime.date.fromordinal(draw.randint(first, last))
        latitude, longitude = round(draw.uniform(-60.0, 60.0), 4), round(draw.uniform(-180.0, 180.0), 4)
        hours = round(longitude / 15.0)
        yield day, latitude, longitude, hours, ("Etc/GMT%+d" % -hours if hours else "Etc/GMT")


def hindu_sunrise(day, latitude, longitude, hours):
    midnight = swe.julday(day.year, day.month, day.day, 0.0, swe.GREG_CAL) - hours / 24.0
    flags = swe.CALC_RISE | swe.BIT_HINDU_RISING
    return swe.rise_trans(midnight, swe.SUN, flags, (longitude, latitude, 0.0), 0.0, 0.0, swe.FLG_SWIEPH)[1][0]


def render():
    rows = list(places())
    sunrises = numpy.array([hindu_sunrise(day, lat, lon, hours) for day, lat, lon, hours, _ in rows])
    values = limb_values(sunrises)
    limbs = {}
    for kind, (span, rate) in LIMBS.items():
        value = numpy.remainder(values[kind], 360.0)
        part = numpy.floor(value / span)
        start = crossings(sunrises - (value - part * span) / rate, part * span, kind)
        end = crossings(sunrises + ((part + 1) * span - value) / rate, (part + 1) * span, kind)
        limbs[kind] = (part.astype(int) % round(360 / span) + 1, start, end)
    days = []
    for k, (day, latitude, longitude, _, tz) in enumerate(rows):
        entry = {"date": day.isoformat(), "latitude": latitude, "longitude": longitude, "tz": tz,
                 "sunrise": round(float(sunrises[k]), 9)}
        for kind, (numbers, start, end) in limbs.items():
            entry[kind] = [int(numbers[k]), round(float(start[k]), 9), round(float(end[k]), 9)]
        days.append(json.dumps(entry))
    return ('{"generator": "tools/gen_reference_panchanga.py",\n'
            ' "reference": "skyfield %s with JPL DE421 (apparent without light deflection, true ecliptic of date); sunrise pyswisseph %s '
            'BIT_HINDU_RISING; Lahiri = zentaric.get_ayanamsha + IAU 2000A nutation in longitude",\n'
            ' "fields": "per limb [number at sunrise, start UT JD, end UT JD]",\n'
            ' "days": [\n  %s\n]}\n' % (skyfield.__version__, swe.version, ",\n  ".join(days)))


if __name__ == "__main__":
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    OUTPUT.write_text(render(), encoding="utf-8")
