"""Reference calendar dates and sidereal ascendants from pyswisseph, for the zentaric_chart tests.

Writes tests/data/lagna_swisseph.json:
  "revjul": 400 Julian Days of 1000-2999 with pyswisseph's `revjul` (proleptic Gregorian) year, month, day, hours;
  "births": 150 births of 1850-2100 at |latitude| <= 60 (seeded), each with the chart's UT Julian Day and
            pyswisseph's true Lahiri ayanamsha and sidereal whole-sign ascendant at that Julian Day.
Run `.venv/bin/python tools/gen_reference_lagna.py` with the package and its `reference` extra installed.
"""
import json
import pathlib
import random
from datetime import UTC, datetime, timedelta

import swisseph as swe

from zentaric_chart import Birth, natal

OUTPUT = pathlib.Path(__file__).resolve().parents[1] / "tests" / "data" / "lagna_swisseph.json"


def revjul_rows(generator):
    first, last = swe.julday(1000, 1, 1, 0.0, swe.GREG_CAL), swe.julday(2999, 12, 31, 23.0, swe.GREG_CAL)
    for _ in range(400):
        jd = generator.uniform(first, last)
        yield [jd, *swe.revjul(jd, swe.GREG_CAL)]


def birth_rows(generator):
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    for _ in range(150):
        moment = datetime(1850, 1, 1, tzinfo=UTC) + timedelta(minutes=generator.randrange(250 * 525960))
        latitude, longitude = generator.uniform(-60, 60), generator.uniform(-180, 180)
        jd = natal(Birth(moment, latitude, longitude), houses="WholeSign").julian_day
        _, angles = swe.houses_ex(jd, latitude, longitude, b"W", swe.FLG_SIDEREAL)
        yield [moment.isoformat(), latitude, longitude, jd, swe.get_ayanamsa_ex_ut(jd, 0)[1], angles[0]]


def main():
    generator = random.Random(11)
    document = {"source": f"pyswisseph {swe.version}, written by tools/gen_reference_lagna.py",
                "revjul": {"row": "jd, year, month, day, hours", "rows": list(revjul_rows(generator))},
                "births": {"row": "utc, latitude, longitude, jd_ut, true Lahiri ayanamsha, sidereal ascendant",
                           "rows": list(birth_rows(generator))}}
    text = json.dumps(document, separators=(",", ":")).replace("],[", "],\n[")
    OUTPUT.write_text(text + "\n", encoding="utf-8")
    print("wrote", OUTPUT.relative_to(OUTPUT.parents[2]))


if __name__ == "__main__":
    main()
