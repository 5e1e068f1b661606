"""Writes tests/data/vedic/vargas_pyjhora.json: 200 births (sidereal Lahiri longitudes of the nine grahas and the
lagna, from pyswisseph) with the sixteen vargas of each point as pyjhora computes them by Parashara's methods.

pyjhora's `divisional_chart` defaults D2 and D24 to other methods; here each varga is asked for the method pyjhora's
own documentation names Parashara's: D2 method 2 ("Traditional Parasara"), D24 method 1 ("Traditional Parasara
Siddhamsa"), every other varga method 1. Run with the reference libraries installed (pip install pyjhora pyswisseph
and pyjhora's imports):  python tools/gen_reference_vargas.py
"""
import json
import pathlib
import random
from importlib import metadata

import swisseph as swe
from jhora.horoscope.chart import charts

ROOT = pathlib.Path(__file__).resolve().parents[1]
OUTPUT = ROOT / "tests" / "data" / "vedic" / "vargas_pyjhora.json"
FACTORS = (1, 2, 3, 4, 7, 9, 10, 12, 16, 20, 24, 27, 30, 40, 45, 60)
PARASHARA_METHOD = {2: 2, 24: 1}
BODIES = (swe.SUN, swe.MOON, swe.MARS, swe.MERCURY, swe.JUPITER, swe.VENUS, swe.SATURN, swe.MEAN_NODE)


def birth(rng):
    jd = swe.julday(rng.randint(1900, 2049), rng.randint(1, 12), rng.randint(1, 28), rng.uniform(0, 24))
    latitude, longitude = rng.uniform(-60, 65), rng.uniform(-180, 180)
    flags = swe.FLG_SWIEPH | swe.FLG_SIDEREAL
    places = [swe.calc_ut(jd, body, flags)[0][0] for body in BODIES]
    places.append((places[-1] + 180.0) % 360.0)  # Ketu
    lagna = swe.houses_ex(jd, latitude, longitude, b"W", flags)[1][0]
    return {"jd": jd, "latitude": latitude, "longitude": longitude, "longitudes": places, "lagna": lagna}


def pyjhora_vargas(case):
    points = [["L", divmod(case["lagna"], 30.0)]] + [[g, divmod(l, 30.0)] for g, l in enumerate(case["longitudes"])]
    points = [[name, (int(sign), degree)] for name, (sign, degree) in points]
    return {f"d{factor}": [sign for _, (sign, _) in charts.divisional_positions_from_rasi_positions(
                points, factor, PARASHARA_METHOD.get(factor, 1))] for factor in FACTORS}


def main():
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    rng = random.Random(26)
    births = [birth(rng) for _ in range(200)]
    for case in births:
        case["vargas"] = pyjhora_vargas(case)  # lagna first, then Sun .. Ketu
    header = {"tool": "tools/gen_reference_vargas.py", "pyjhora": metadata.version("pyjhora"),
              "pyswisseph": metadata.version("pyswisseph"), "methods": "D2 method 2, D24 method 1, others 1",
              "ayanamsha": "Lahiri (Swiss Ephemeris SIDM_LAHIRI)"}
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    lines = ",\n".join(json.dumps(case, separators=(",", ":")) for case in births)  # a birth a line
    OUTPUT.write_text(f'{{"header": {json.dumps(header)},\n"births": [\n{lines}\n]}}\n', encoding="utf-8")


if __name__ == "__main__":
    main()
