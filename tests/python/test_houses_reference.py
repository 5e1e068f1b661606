"""House cusps against the Swiss Ephemeris (pyswisseph `houses_armc`: RAMC, latitude, obliquity), 1e-6 degrees
for every cusp, the ascendant and the midheaven: live where neither side treats the place as polar (the core
falls back to Equal for Placidus/Koch beyond 66.56 degrees, the Swiss Ephemeris to Porphyry for |latitude| >=
90 - obliquity), and inside the polar circle against the table tools/gen_reference_houses_polar.py stored.
Whole-sign cusps are skipped with the ascendant on a sign boundary.
"""
import ctypes
import json
import math
import pathlib

import numpy as np
import pytest
import zentaric

swisseph = pytest.importorskip("swisseph")

# Index of our HouseSystem, its name and the Swiss Ephemeris house-system letter.
SYSTEMS = [
    (0, "Placidus", b"P"),
    (1, "Koch", b"K"),
    (2, "Equal", b"E"),
    (3, "WholeSign", b"W"),
    (4, "Campanus", b"C"),
    (5, "Regiomontanus", b"R"),
    (6, "Porphyry", b"O"),
    (7, "Morinus", b"M"),
    (8, "Alcabitius", b"B"),
    (9, "Sripathi", b"S"),
]
TOLERANCE_DEG = 1e-6
RAMCS = np.arange(0.0, 360.0, 7.5)
LATITUDES = np.append(np.arange(-65.0, 66.0, 3.5), [-66.5, 66.5])
OBLIQUITIES = (23.44, 24.0)


@pytest.fixture(scope="module")
def core_houses(probe):
    function = probe.zentaric_probe_house_cusps
    function.restype = ctypes.c_int
    function.argtypes = [ctypes.c_int, ctypes.c_double, ctypes.c_double, ctypes.c_double,
                         ctypes.POINTER(ctypes.c_double), ctypes.POINTER(ctypes.c_double),
                         ctypes.POINTER(ctypes.c_double), ctypes.POINTER(ctypes.c_int)]

    def compute(system, ramc, latitude, obliquity):
        cusps = (ctypes.c_double * 12)()
        asc, mc, fallback = ctypes.c_double(), ctypes.c_double(), ctypes.c_int()
        status = function(system, ramc, latitude, obliquity, cusps, ctypes.byref(asc), ctypes.byref(mc),
                          ctypes.byref(fallback))
        assert status == 0
        return list(cusps), asc.value, mc.value, bool(fallback.value)

    return compute


def arc_deg(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0)


def comparable_points(core_houses, system):
    """(ramc, latitude, obliquity, core result, Swiss result) where neither side is polar."""
    index, _, letter = system
    for ramc in RAMCS:
        for latitude in LATITUDES:
            for obliquity in OBLIQUITIES:
                if abs(latitude) >= 90.0 - obliquity:
                    continue
                core = core_houses(index, ramc, latitude, obliquity)
                if core[3]:
                    continue
                if letter == b"W" and arc_deg(core[1], round(core[1] / 30.0) * 30.0) < 1e-9:
                    continue
                cusps, angles = swisseph.houses_armc(ramc, latitude, obliquity, letter)
                yield ramc, latitude, obliquity, core, (list(cusps), angles[0], angles[1])


def largest_difference(core, swiss):
    return max([arc_deg(a, b) for a, b in zip(core[0], swiss[0])] + [arc_deg(core[1], swiss[1]),
                                                                         arc_deg(core[2], swiss[2])])


@pytest.mark.parametrize("system", [s for s in SYSTEMS if s[1] != "Placidus"], ids=lambda s: s[1])
def test_cusps_agree_with_swiss_ephemeris(core_houses, system):
    # Measured maxima (RAMC step 2.5, latitude step 0.5): 1.0e-10, from the ascendant where the horizon lies
    # close to the ecliptic (RAMC 270, latitude 66.5) and the cusps built on it; Morinus cusps 1.1e-13.
    compared = 0
    for ramc, latitude, obliquity, core, swiss in comparable_points(core_houses, system):
        assert largest_difference(core, swiss) < TOLERANCE_DEG, (ramc, latitude, obliquity)
        compared += 1
    assert compared > 3000


def exact_placidus_cusp(above, ramc, latitude, obliquity, fraction):
    """Placidus cusp solved by bisection: above the horizon the point whose right ascension exceeds the
    RAMC by `fraction` of its own diurnal semi-arc, below it the point whose right ascension falls short
    of the IC's by (1 - fraction) of its nocturnal semi-arc."""
    tan_latitude = math.tan(math.radians(latitude))
    sin_obliquity, cos_obliquity = math.sin(math.radians(obliquity)), math.cos(math.radians(obliquity))

    def right_ascension(offset):
        return ramc + offset if above else ramc + 180.0 - offset

    def residual(offset):
        alpha = math.radians(right_ascension(offset))
        longitude = math.atan2(math.sin(alpha), math.cos(alpha) * cos_obliquity)
        declination = math.asin(math.sin(longitude) * sin_obliquity)
        semi_arc = math.degrees(math.acos(-tan_latitude * math.tan(declination)))
        return offset - (fraction * semi_arc if above else (1.0 - fraction) * (180.0 - semi_arc))

    low, high = 0.0, 180.0
    for _ in range(60):
        middle = 0.5 * (low + high)
        if residual(low) * residual(middle) <= 0.0:
            high = middle
        else:
            low = middle
    alpha = math.radians(right_ascension(0.5 * (low + high)))
    return math.degrees(math.atan2(math.sin(alpha), math.cos(alpha) * cos_obliquity)) % 360.0


# House index (0-based) -> (above, fraction) of the four Placidus cusps that are computed.
PLACIDUS_INTERMEDIATE = {10: (True, 1 / 3), 11: (True, 2 / 3), 1: (False, 1 / 3), 2: (False, 2 / 3)}


def test_placidus_agrees_with_exact_solution_and_swiss_ephemeris(core_houses):
    # The Swiss Ephemeris stops its Placidus iteration earlier: near the polar circle its cusps lie up to
    # 2.3e-6 degrees from the exact solution of the Placidus condition (measured at latitude -66.5,
    # obliquity 23.44, RAMC 147.5, cusp 12), while the core's lie within 9.6e-8 (1-degree RAMC grid; the
    # iteration's 1e-8 step criterion converges slowly there) and within 3e-8 up to latitude 65.5. So the
    # core is held to the exact cusp everywhere, and to the Swiss Ephemeris within 1e-6 up to latitude 60
    # (measured there: 1.2e-7).
    compared = 0
    for ramc, latitude, obliquity, core, swiss in comparable_points(core_houses, SYSTEMS[0]):
        assert arc_deg(core[1], swiss[1]) < 1e-9 and arc_deg(core[2], swiss[2]) < 1e-9
        for house, (above, fraction) in PLACIDUS_INTERMEDIATE.items():
            exact = exact_placidus_cusp(above, ramc, latitude, obliquity, fraction)
            assert arc_deg(core[0][house], exact) < 3e-7, (house + 1, ramc, latitude, obliquity)
            if abs(latitude) <= 60.0:
                assert arc_deg(core[0][house], swiss[0][house]) < TOLERANCE_DEG, (house + 1, ramc, latitude)
        compared += 1
    assert compared > 3000


POLAR_TABLE = json.loads((pathlib.Path(__file__).parents[1] / "data" / "houses_polar_swisseph.json").read_text())


@pytest.mark.parametrize("system", [s[1] for s in SYSTEMS])
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
