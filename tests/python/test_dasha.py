"""compute_dasha: the JSON text, the tree sizes, and the documents of the plain-Python statement of the rule
(tools/dasha_reference.py) stored in tests/data/dasha_cases.json (maha dasha table, balance and cut at birth)."""

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


@pytest.mark.parametrize("levels, count", [(0, 9), (1, 9), (2, 90), (3, 819), (4, 7380), (5, 66429), (9, 66429)])
def test_uncut_tree_sizes_and_levels(levels, count):
    periods = list(walk(dasha(0.0, J2000, levels)["maha_dashas"]))
    assert len(periods) == count
    depth = min(max(levels, 1), 5)
    assert max(p["level"] for p in periods) == depth
    assert all((p["sub_periods"] == []) == (p["level"] == depth) for p in periods)


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


def test_moon_nakshatra_is_the_english_name_run_together():
    names = [json.loads(zentaric.compute_dasha(n * 40 / 3 + 1, J2000, 1))["moon_nakshatra"] for n in range(27)]
    assert names == [zentaric.nakshatra_name_i18n(n).replace(" ", "") for n in range(27)]


def test_text_is_compact_in_member_order():
    text = zentaric.compute_dasha(6.666666666666667, J2000, 4)
    assert " " not in text and "\n" not in text
    parsed = json.loads(text)
    assert list(parsed) == ["moon_nakshatra", "initial_balance", "maha_dashas"]
    assert all(list(p) == PERIOD_KEYS for p in walk(parsed["maha_dashas"]))
