"""compute_dasha: the JSON text, the maha dasha table, the cut at birth, and the documents of the plain-Python
statement of the rule (tools/dasha_reference.py) stored in tests/data/dasha_cases.json."""

import json
import math
from pathlib import Path

import pytest

import zentaric

J2000 = 2451545.0
PERIOD_KEYS = ["lord", "level", "start_jd", "end_jd", "duration_days", "sub_periods"]


def dasha(moon_longitude, birth_jd=J2000, levels=3):
    return json.loads(zentaric.compute_dasha(moon_longitude, birth_jd, levels))


def walk(periods):
    for period in periods:
        yield period
        yield from walk(period["sub_periods"])


def test_moon_at_zero_gives_the_maha_dasha_table():
    result = dasha(0.0, J2000, 1)
    assert result["moon_nakshatra"] == "Ashwini"
    assert result["initial_balance"] == 1.0
    table = [
        ("Ketu", 2451545.0, 2454101.75, 2556.75), ("Venus", 2454101.75, 2461406.75, 7305.0),
        ("Sun", 2461406.75, 2463598.25, 2191.5), ("Moon", 2463598.25, 2467250.75, 3652.5),
        ("Mars", 2467250.75, 2469807.5, 2556.75), ("Rahu", 2469807.5, 2476382.0, 6574.5),
        ("Jupiter", 2476382.0, 2482226.0, 5844.0), ("Saturn", 2482226.0, 2489165.75, 6939.75),
        ("Mercury", 2489165.75, 2495375.0, 6209.25),
    ]
    assert [(p["lord"], p["start_jd"], p["end_jd"], p["duration_days"]) for p in result["maha_dashas"]] == table
    assert all(p["level"] == 1 and p["sub_periods"] == [] for p in result["maha_dashas"])


@pytest.mark.parametrize("moon, nakshatra, first_lord, balance", [
    (100.0, "Pushya", "Saturn", 0.5000000000000007),
    (370.0, "Ashwini", "Ketu", 0.25),
    (6.666666666666667, "Ashwini", "Ketu", 0.5),
    (140.0, "PurvaPhalguni", "Venus", 1.0 - (140.0 - 10 * 13.333333333333334) / 13.333333333333334),
    (float("nan"), "Ashwini", "Ketu", 1.0),
    (-0.5, "Revati", "Mercury", 1.0 - (359.5 - 26 * 13.333333333333334) / 13.333333333333334),
    (226.66666666666666, "Jyeshtha", "Mercury", 1.0000000000000022),  # a rounding above 1 at the boundary
])
def test_nakshatra_first_lord_and_balance(moon, nakshatra, first_lord, balance):
    result = dasha(moon, J2000, 1)
    assert result["moon_nakshatra"] == nakshatra
    assert result["initial_balance"] == balance
    assert result["maha_dashas"][0]["lord"] == first_lord


@pytest.mark.parametrize("levels, count", [(0, 9), (1, 9), (2, 90), (3, 819), (4, 7380), (5, 66429), (9, 66429)])
def test_uncut_tree_sizes_and_levels(levels, count):
    periods = list(walk(dasha(0.0, J2000, levels)["maha_dashas"]))
    assert len(periods) == count
    depth = min(max(levels, 1), 5)
    assert max(p["level"] for p in periods) == depth
    assert all((p["sub_periods"] == []) == (p["level"] == depth) for p in periods)


def test_sub_period_running_at_birth_is_the_true_one():
    # Middle of Ashwini: half of Ketu's 2556.75 days are gone; Rahu runs at birth with 170.45 days left, and the
    # cut repeats inside it: its Mercury sub-period runs at birth.
    result = dasha(6.666666666666667, J2000, 3)
    ketu = result["maha_dashas"][0]
    assert (ketu["lord"], ketu["start_jd"], ketu["duration_days"]) == ("Ketu", J2000, 1278.375)
    assert [p["lord"] for p in ketu["sub_periods"]] == ["Rahu", "Jupiter", "Saturn", "Mercury"]
    rahu = ketu["sub_periods"][0]
    assert rahu["start_jd"] == J2000
    assert rahu["duration_days"] == pytest.approx(170.45, abs=1e-9)
    assert [p["lord"] for p in rahu["sub_periods"]] == ["Mercury", "Ketu", "Venus", "Sun", "Moon", "Mars"]
    assert rahu["sub_periods"][0]["start_jd"] == J2000
    assert [len(p["sub_periods"]) for p in result["maha_dashas"][1:]] == [9] * 8


CASES = json.loads((Path(__file__).parents[1] / "data" / "dasha_cases.json").read_text())["cases"]


@pytest.mark.parametrize("case", CASES, ids=lambda c: f"{c['moon_longitude']}-{c['birth_jd']}-{c['levels']}")
def test_stored_documents_and_periods_tile_their_parent(case):
    moon, birth = case["moon_longitude"], case["birth_jd"]
    result = dasha(moon, birth, case["levels"])
    assert result == case["document"]
    if not math.isfinite(birth):
        assert all(p["start_jd"] is None and p["end_jd"] is None for p in walk(result["maha_dashas"]))
        return
    for period in walk(result["maha_dashas"]):
        ulp = math.ulp(period["end_jd"])
        assert abs(period["duration_days"] - (period["end_jd"] - period["start_jd"])) <= ulp
        subs = period["sub_periods"]
        if subs:
            assert subs[0]["start_jd"] == period["start_jd"]
            assert all(later["start_jd"] == earlier["end_jd"] for earlier, later in zip(subs, subs[1:]))
            # repeated addition drifts by a few units in the last place of the Julian Day (1 day at 5e15)
            assert abs(subs[-1]["end_jd"] - period["end_jd"]) <= max(1e-6, 8 * ulp)


def test_text_is_compact_in_member_order():
    text = zentaric.compute_dasha(6.666666666666667, J2000, 4)
    assert " " not in text and "\n" not in text
    parsed = json.loads(text)
    assert list(parsed) == ["moon_nakshatra", "initial_balance", "maha_dashas"]
    assert all(list(p) == PERIOD_KEYS for p in walk(parsed["maha_dashas"]))
