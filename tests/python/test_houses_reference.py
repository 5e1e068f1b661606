"""House cusps against the Swiss Ephemeris (pyswisseph `houses_armc`: RAMC, latitude, obliquity), 1e-6 degrees
for every cusp, the ascendant and the midheaven (Placidus beyond latitude 60: 2.5e-6): live where neither side
treats the place as polar (the core falls back to Equal for Placidus/Koch beyond 66.56 degrees, the Swiss Ephemeris
to Porphyry for |latitude| >= 90 - obliquity), and inside the polar circle against the table
tools/gen_reference_houses_polar.py stored. Whole-sign cusps are skipped with the ascendant on a sign boundary.
"""
import itertools
import json
import pathlib

import numpy as np
import pytest
import zentaric

swisseph = pytest.importorskip("swisseph")

# Each house system and its Swiss Ephemeris letter.
SYSTEMS = list(zip(["Placidus", "Koch", "Equal", "WholeSign", "Campanus", "Regiomontanus", "Porphyry", "Morinus",
                    "Alcabitius", "Sripathi"], b"PKEWCROMBS"))
TOLERANCE_DEG = 1e-6
RAMCS = np.arange(0.0, 360.0, 7.5)
LATITUDES = np.append(np.arange(-65.0, 66.0, 3.5), [-66.5, 66.5])
OBLIQUITIES = (23.44, 24.0)


def arc_deg(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0)


def comparable_points(system):
    """(ramc, latitude, obliquity, result, Swiss result) where neither side is polar."""
    name, letter = system
    for ramc, latitude, obliquity in itertools.product(RAMCS, LATITUDES, OBLIQUITIES):
        if abs(latitude) >= 90.0 - obliquity:
            continue
        houses = zentaric.compute_houses(ramc, latitude, obliquity, name)
        core = houses["cusps"], houses["asc"], houses["mc"]
        if houses["polar_fallback"] or letter == ord("W") and arc_deg(core[1], round(core[1] / 30.0) * 30.0) < 1e-9:
            continue
        cusps, angles = swisseph.houses_armc(ramc, latitude, obliquity, bytes([letter]))
        yield ramc, latitude, obliquity, core, (list(cusps), angles[0], angles[1])


def largest_difference(core, swiss):
    return max([arc_deg(a, b) for a, b in zip(core[0], swiss[0])] + [arc_deg(core[1], swiss[1]),
                                                                         arc_deg(core[2], swiss[2])])


@pytest.mark.parametrize("system", SYSTEMS, ids=lambda s: s[0])
def test_cusps_agree_with_swiss_ephemeris(system):
    # Measured maxima (RAMC step 2.5, latitude step 0.5): 1.0e-10, from the ascendant where the horizon lies
    # close to the ecliptic (RAMC 270, latitude 66.5) and the cusps built on it; Morinus cusps 1.1e-13. The Swiss
    # Ephemeris stops its Placidus iteration earlier: beyond latitude 60 its intermediate cusps lie up to 2.3e-6
    # degrees from the exact solution of the Placidus condition, the core's within 9.6e-8 (1e-7 up to latitude 60).
    compared = 0
    for ramc, latitude, obliquity, core, swiss in comparable_points(system):
        loose = system[0] == "Placidus" and abs(latitude) > 60.0
        assert largest_difference(core, swiss) < (2.5e-6 if loose else TOLERANCE_DEG), (ramc, latitude, obliquity)
        compared += 1
    assert compared > 3000


POLAR_TABLE = json.loads((pathlib.Path(__file__).parents[1] / "data" / "houses_polar_swisseph.json").read_text())


@pytest.mark.parametrize("system", [name for name, _ in SYSTEMS])
def test_polar_circle_agrees_with_stored_swiss_ephemeris(system):
    # The ascendant rises in the east (the setting intersection of the formula turned by 180 degrees); Placidus
    # and Koch fall back to Equal houses from it. Measured over the whole grid (`tools/gen_reference_houses_polar.py
    # --measure`, 471744 points): Alcabitius 8.5e-8 degrees (cusps 2, 3 where the ascendant's semi-arc argument is
    # 1 - 9e-14, so that acos magnifies rounding), Regiomontanus 3.8e-10, the others 1.0e-10.
    reference_system = "Equal" if system in ("Placidus", "Koch") else system
    column = POLAR_TABLE["systems"].index(reference_system)
    for ramc, latitude, obliquity, *records in POLAR_TABLE["rows"]:
        asc, mc, *cusps = records[column]
        houses = zentaric.compute_houses(ramc, latitude, obliquity, system)
        assert houses["polar_fallback"] == (system != reference_system)
        if system == "WholeSign" and arc_deg(asc, round(asc / 30.0) * 30.0) < 1e-9:
            cusps = houses["cusps"]
        assert largest_difference((houses["cusps"], houses["asc"], houses["mc"]), (cusps, asc, mc)) < TOLERANCE_DEG, (
            ramc, latitude, obliquity)
