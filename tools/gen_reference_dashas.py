"""Writes tests/data/dasha/systems_reference.json: 100 births (UTC minute, place) with

- the maha dasha lords and start Julian Days of Vimshottari, Yogini and Ashtottari and the twelve Chara dasha signs
  and years of the first cycle, from the plain-Python statements of the rules in tools/dasha_reference.py, given the
  Moon, the grahas and the lagna of the module's chart (compute_natal_chart, Lahiri);
- pyjhora's maha dasha lords and the balance of its first maha dasha for the same births (Lahiri), where its rule
  agrees (its Yogini antardashas and Chara exaltation years do not, and are not stored).

Run with the module and the reference libraries installed (pip install .[reference]):
    python tools/gen_reference_dashas.py
"""
import json
import pathlib
import random
import sys
from importlib import metadata

import swisseph as swe

import zentaric

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import dasha_reference as rules  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[1]
OUTPUT = ROOT / "tests" / "data" / "dasha" / "systems_reference.json"
GRAHAS = ("Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn", "Rahu", "Ketu")
PYJHORA_YEAR = 365.256364  # pyjhora's default dasha year (its const.sidereal_year)


def birth(rng):
    return {"utc": [rng.randint(1900, 2049), rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23),
                    rng.randint(0, 59)],
            "latitude": round(rng.uniform(-60, 65), 4), "longitude": round(rng.uniform(-180, 180), 4)}


def chart_places(case):
    chart = json.loads(zentaric.compute_natal_chart(*case["utc"], case["latitude"], case["longitude"], "Lahiri"))
    by_name = {planet["name"]: planet["longitude"] for planet in chart["planets"]}
    grahas = {name: by_name[name] for name in GRAHAS[:7]}
    grahas["Rahu"] = by_name["MeanNode"]
    grahas["Ketu"] = (by_name["MeanNode"] + 180.0) % 360.0
    lagna = (chart["houses"]["asc"] - chart["ayanamsha_value"]) % 360.0
    return grahas, lagna, chart["julian_day"]


def pyjhora_mahas(case, birth_jd):
    from jhora import const
    from jhora.horoscope.dhasa.graha import ashtottari, vimsottari, yogini
    from jhora.panchanga import drik
    drik.set_ayanamsa_mode("LAHIRI")
    place = drik.Place("birth", case["latitude"], case["longitude"], 0.0)
    only = const.MAHA_DHASA_DEPTH.MAHA_DHASA_ONLY
    year, month, day, hour, minute = case["utc"]
    jd = swe.julday(year, month, day, hour + minute / 60.0)
    tables = {"vimshottari": vimsottari.get_vimsottari_dhasa_bhukthi(jd, place, dhasa_level_index=only)[1],
              "ashtottari": ashtottari.get_ashtottari_dhasa_bhukthi(jd, place, dhasa_level_index=only),
              "yogini": yogini.get_dhasa_bhukthi(drik.Date(year, month, day), (hour, minute, 0), place,
                                                 dhasa_level_index=only)}
    found = {}
    for system, rows in tables.items():
        (lord,), (y, m, d, hours), years = rows[0][0], rows[0][1], rows[0][2]
        start = swe.julday(y, m, d, hours)
        found[system] = {"lords": [GRAHAS[row[0][0]] for row in rows],
                         "balance": 1.0 - (birth_jd - start) / (years * PYJHORA_YEAR)}
    return found


def main():
    rng = random.Random(25)
    births = [birth(rng) for _ in range(100)]
    for case in births:
        grahas, lagna, birth_jd = chart_places(case)
        moon = grahas["Moon"]
        case["vimshottari"] = [[period["lord"], period["start_jd"]]
                               for period in rules.reference_dasha(moon, birth_jd, 1)["maha_dashas"]]
        case["yogini"] = [list(row) for row in rules.yogini_mahas(moon, birth_jd)]
        case["ashtottari"] = [list(row) for row in rules.ashtottari_mahas(moon, birth_jd)]
        case["chara"] = [list(row) for row in rules.chara_first_cycle(grahas, lagna)]
        case["pyjhora"] = pyjhora_mahas(case, birth_jd)
    header = {"tool": "tools/gen_reference_dashas.py", "pyjhora": metadata.version("pyjhora"),
              "pyswisseph": metadata.version("pyswisseph"), "ayanamsha": "Lahiri",
              "pyjhora_balance": f"1 - (birth - first maha start) / (years x {PYJHORA_YEAR} days)"}
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    lines = ",\n".join(json.dumps(case, separators=(",", ":")) for case in births)  # a birth a line
    OUTPUT.write_text(f'{{"header": {json.dumps(header)},\n"births": [\n{lines}\n]}}\n', encoding="utf-8")


if __name__ == "__main__":
    main()
