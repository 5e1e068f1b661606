"""The moments of the sky against stored references (tools/gen_reference_moments.py):
rises and sets from pyswisseph's rise_trans (tests/data/moments/rise_set_swisseph.csv), and the changes of tithi,
nakshatra, yoga and sign and the stations from a root search on skyfield's DE421 places with the same ayanamsha
(tests/data/moments/events_de421.csv, TT, so that the two Delta T models do not enter)."""
import csv
import ctypes
import pathlib
import statistics

import pytest

import zentaric

DATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "moments"
BODIES = ("Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn")
KINDS = {0: "sign", 1: "nakshatra", 2: "tithi", 3: "yoga", 5: "station"}


def rows(name):
    with open(DATA / name, encoding="utf-8") as table:
        return list(csv.DictReader(line for line in table if not line.startswith("#")))


def report(differences, tolerance):
    """Largest and median absolute difference (seconds), checked against the tolerance."""
    largest, median = max(differences), statistics.median(differences)
    print(f"{len(differences)} cases: largest {largest:.2f} s, median {median:.2f} s")
    assert largest <= tolerance


# Measured: hindu Sun 300 cases, largest 0.22 s, median 0.03 s; civil Sun 300, largest 4.96 s, median 1.98 s; civil
# Moon 200, largest 7.66 s, median 2.14 s. The civil events sit about 1.7 s / cos(latitude) outside the
# reference's (rises earlier, sets later): its horizon refraction at 1013.25 hPa and 15 °C is about 0.4' short of
# the 34' used here.
@pytest.mark.parametrize("convention, body, tolerance", [(0, 0, 2.0), (1, 0, 5.0), (1, 1, 10.0)],
                         ids=["hindu-sun", "civil-sun", "civil-moon"])
def test_rise_and_set_agree_with_the_swiss_ephemeris(convention, body, tolerance):
    differences = []
    for row in rows("rise_set_swisseph.csv"):
        if (int(row["convention"]), int(row["body"])) != (convention, body):
            continue
        start = float(row["start_jd"])
        events, _ = zentaric.rise_set_times(start, start + 2.0, float(row["latitude"]), float(row["longitude"]), 0.0,
                                            BODIES[body], ("hindu", "civil")[convention])
        kind = ("rise", "set")[int(row["kind"])]
        found = next(jd for jd, what in events if what == kind)
        differences.append(abs(found - float(row["event_jd"])) * 86400.0)
    report(differences, tolerance)


# Measured over 1900-2100: tithi 80 cases, largest 0.64 s, median 0.19 s; nakshatra 74, 0.60 s, 0.17 s; yoga 83,
# 0.72 s, 0.26 s; the Moon's sign 58, 0.51 s, 0.18 s; the Sun's sign 54, 2.76 s, 2.15 s; stations of Mercury..Saturn
# 109, 12.5 s, 0.30 s.
@pytest.mark.parametrize("kind, body, tolerance", [(2, 1, 2.0), (1, 1, 2.0), (3, 1, 2.0), (0, 1, 2.0), (0, 0, 10.0),
                                                   (5, None, 120.0)],
                         ids=["tithi", "nakshatra", "yoga", "moon-sign", "sankranti", "station"])
def test_events_agree_with_de421(probe, kind, body, tolerance):
    to_tt = probe.zentaric_probe_to_terrestrial_time
    to_tt.restype, to_tt.argtypes = ctypes.c_double, [ctypes.c_double]
    differences = []
    for row in rows("events_de421.csv"):
        if int(row["kind"]) != kind or (body is not None and int(row["body"]) != body):
            continue
        reference = float(row["jd_tt"])
        around = reference - (to_tt(reference) - reference)  # UT, to a millisecond
        found = zentaric.find_events(around - 0.05, around + 0.05, KINDS[kind], BODIES[int(row["body"])])
        matches = [jd for jd, before, after in found if (before, after) == (int(row["before"]), int(row["after"]))]
        assert len(matches) == 1, row
        differences.append(abs(to_tt(matches[0]) - reference) * 86400.0)
    report(differences, tolerance)
