"""Writes tests/data/vedic/special_lagnas_swisseph.json: the special lagnas and upagrahas of 40 births from the
Swiss Ephemeris's Hindu sunrise and sunset (the disc's centre on the geometric horizon: BIT_HINDU_RISING), its
sidereal (Lahiri) Sun and ascendant, and the rules as tools/vedic_rules.py states them.

Run with the reference libraries installed (pip install .[reference]):  python tools/gen_reference_special_lagnas.py
"""
import json
import math
import pathlib
import random
import sys
from importlib import metadata

import swisseph as swe

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tools"))
import vedic_rules as rules  # noqa: E402

OUTPUT = ROOT / "tests" / "data" / "vedic" / "special_lagnas_swisseph.json"
FLAGS = swe.FLG_SWIEPH | swe.FLG_SIDEREAL


def event(jd, kind, place):
    return swe.rise_trans(jd, swe.SUN, kind | swe.BIT_HINDU_RISING, place)[1][0]


def sun(jd):
    return swe.calc_ut(jd, swe.SUN, FLAGS)[0][0]


def lagna(jd, latitude, longitude):
    return swe.houses_ex(jd, latitude, longitude, b"W", FLAGS)[1][0]


def case(rng):
    year, month, day = rng.randint(1950, 2049), rng.randint(1, 12), rng.randint(1, 28)
    hour, minute = rng.randint(0, 23), rng.randint(0, 59)
    latitude, longitude = rng.uniform(-50, 60), rng.uniform(-180, 180)
    jd = swe.julday(year, month, day, hour + minute / 60)
    place = (longitude, latitude, 0.0)
    sunrise = event(jd - 1.0, swe.CALC_RISE, place)
    if sunrise > jd:
        sunrise = event(jd - 2.0, swe.CALC_RISE, place)
    sunset = event(sunrise, swe.CALC_SET, place)
    next_sunrise = event(sunset, swe.CALC_RISE, place)
    weekday = (math.floor(sunrise + 0.5 + longitude / 360) + 1) % 7  # local mean time's date; JD 0.5 a Monday
    night = jd >= sunset
    start, middle = rules.saturn_eighth(*((sunset, next_sunrise) if night else (sunrise, sunset)), weekday, night)
    bhava, hora, ghati = rules.special_lagnas(sun(sunrise), (jd - sunrise) * 1440)
    upagrahas = dict(zip(("dhuma", "vyatipata", "parivesha", "indrachapa", "upaketu"), rules.sun_upagrahas(sun(jd))))
    return {"utc": [year, month, day, hour, minute], "latitude": latitude, "longitude": longitude,
            "sunrise": sunrise, "sunset": sunset, "next_sunrise": next_sunrise, "weekday": weekday, "night": night,
            "bhava_lagna": bhava, "hora_lagna": hora, "ghati_lagna": ghati, "gulika": lagna(start, latitude, longitude),
            "mandi": lagna(middle, latitude, longitude)} | upagrahas


def main():
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    rng = random.Random(2026)
    cases = [case(rng) for _ in range(40)]
    header = {"tool": "tools/gen_reference_special_lagnas.py", "pyswisseph": metadata.version("pyswisseph"),
              "sunrise": "BIT_HINDU_RISING", "ayanamsha": "SIDM_LAHIRI"}
    lines = ",\n".join(json.dumps(c, separators=(",", ":")) for c in cases)
    OUTPUT.write_text(f'{{"header": {json.dumps(header)},\n"cases": [\n{lines}\n]}}\n', encoding="utf-8")


if __name__ == "__main__":
    main()
