"""Sidereal charts against the Swiss Ephemeris table tests/data/sidereal_reference.json
(tools/gen_reference_sidereal.py: pyswisseph's Moshier ephemeris, Lahiri, 200 births of 1900-2050 and 60 of
500-2900, where the series' secular terms tell). Both subtract
their mean ayanamsha plus the nutation in longitude from apparent positions, so a sidereal longitude equals the
reference's minus the difference of the two mean ayanamshas, once the reference is moved by its speed to this
system's Delta T (the two Delta T models part by up to 17 s after 2025, 9" of the Moon). Under "LahiriIcrc" no offset
is needed (births of 2050-2100 from tools/gen_reference_ayanamsha.py added)."""
import ctypes
import json
import pathlib

import pytest

import zentaric
from zentaric_chart._names import HOUSE_SYSTEMS

TABLE = pathlib.Path(__file__).resolve().parents[1] / "data" / "sidereal_reference.json"
TABLES = json.loads(TABLE.read_text(encoding="utf-8"))
REFERENCE = TABLES["births"]
LATER_BIRTHS = json.loads((TABLE.parent / "ayanamsha_reference.json").read_text(encoding="utf-8"))["births"]
# Largest deviation measured over the table (arcseconds): Sun 0.16, Moon 1.67, Mercury 0.22, Venus 0.55, Mars 0.77,
# Jupiter 0.72, Saturn 0.72 (rms 0.10, 0.67, 0.10, 0.12, 0.16, 0.24, 0.29): the Moshier ephemeris' own error, the
# positions here agree with DE421 to 0.5". Leaving the nutation out of the zodiac would cost up to 17".
TOLERANCE_ARCSEC = {"Sun": 0.25, "Moon": 2.0, "Mercury": 0.3, "Venus": 0.7, "Mars": 0.9, "Jupiter": 0.9, "Saturn": 0.9}


def chart(birth, ayanamsha="Lahiri", houses="Placidus"):
    return json.loads(zentaric.compute_natal_chart(*birth, ayanamsha, houses))


def arcseconds(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0) * 3600.0


def deviations(probe, rows, ayanamsha="Lahiri"):
    """Arcseconds from the reference rows, per body, one per birth."""
    to_terrestrial_time = probe.zentaric_probe_to_terrestrial_time
    to_terrestrial_time.restype, to_terrestrial_time.argtypes = ctypes.c_double, [ctypes.c_double]
    result = {body: [] for body in TOLERANCE_ARCSEC}
    for row in rows:
        document = chart(row["birth"], ayanamsha)
        jd = document["julian_day"]
        assert abs(jd - row["jd"]) < 1e-8
        offset = zentaric.get_ayanamsha("Lahiri", jd) - row["mean_ayanamsha"] if ayanamsha == "Lahiri" else 0.0
        delta_t_step = (to_terrestrial_time(jd) - jd) - row["delta_t"]
        for planet in document["planets"]:
            if planet["name"] in result:
                longitude, speed = row["sidereal"][planet["name"]]
                reference = longitude + speed * delta_t_step - offset
                result[planet["name"]].append(arcseconds(planet["longitude"], reference))
    return result


# 500-2900: measured Sun 2.2", Moon 3.6", Mercury 3.4", Venus 2.6", Mars 3.8", Jupiter 1.6", Saturn 2.9".
@pytest.mark.parametrize("rows, tolerance", [
    ("births", TOLERANCE_ARCSEC), ("far_births", {b: 6 for b in TOLERANCE_ARCSEC})])
def test_sidereal_longitudes_match_the_reference_zodiac(probe, rows, tolerance):
    worst = {body: max(values) for body, values in deviations(probe, TABLES[rows]).items()}
    assert all(worst[body] < tolerance[body] for body in worst), worst


# Measured 1900-2100: Sun 0.16", Moon 1.67", Mercury 0.22", Venus 0.55", Mars 0.77", Jupiter 0.93", Saturn 0.73".
def test_charts_under_the_references_own_lahiri_need_no_offset(probe):
    worst = {body: max(values) for body, values in deviations(probe, REFERENCE + LATER_BIRTHS, "LahiriIcrc").items()}
    assert all(worst[body] < {**TOLERANCE_ARCSEC, "Jupiter": 1.0}[body] for body in worst), worst


@pytest.mark.parametrize("system", [system for system in HOUSE_SYSTEMS if system != "WholeSign"])
def test_sidereal_houses_are_the_tropical_houses(system):
    # whole-sign houses count from the sidereal lagna's sign: test_chart_package.py, against pyswisseph
    for row in REFERENCE[::2]:
        assert [p["house"] for p in chart(row["birth"], "Lahiri", system)["planets"]] == [
            p["house"] for p in chart(row["birth"], "Tropical", system)["planets"]], row["birth"]
