"""compute_dasha_periods and zentaric_chart.dasha over every system: the maha dashas of Vimshottari, Yogini and
Ashtottari and the Chara signs and years against the plain-Python statements of tools/dasha_reference.py and
pyjhora's lords and balances (stored by tools/gen_reference_dashas.py); sub-periods in the classical proportions;
the package's lazy periods and running chain against the module's records."""

import json
import struct
import sys
from datetime import UTC, date, datetime, timedelta
from itertools import accumulate
from pathlib import Path

import pytest

import zentaric
from zentaric_chart import DASHA_SYSTEMS, Birth, dasha, dasha_at, julian_day

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
from dasha_reference import STAR_COUNTED_FROM, SYSTEM_YEARS, chara_antardashas, first_lord  # noqa: E402

RECORD = struct.Struct("=ddIBBxx")
REFERENCE = json.loads((Path(__file__).parents[1] / "data" / "dasha" / "systems_reference.json").read_text())
BIRTHS = REFERENCE["births"]
# pyjhora's Moon (geometric by default, its own Lahiri) differs from the chart's by up to about 1': balances of the
# first maha dasha within 1.4e-3 over these births.
PEER_BALANCE = 2e-3


def periods(case, system, levels=1, year="julian"):
    result = zentaric.compute_dasha_periods(*case["utc"], case["latitude"], case["longitude"], system, levels, year)
    records = [RECORD.unpack_from(result["periods"], k) for k in range(0, len(result["periods"]), RECORD.size)]
    return result, [(result["lords"][position], start, end, level) for start, end, _, position, level in records]


@pytest.mark.parametrize("system", ["vimshottari", "yogini", "ashtottari"])
def test_maha_dashas_follow_the_rule_and_the_peer(system):
    for case in BIRTHS:
        result, mahas = periods(case, system)
        assert [(lord, pytest.approx(start, abs=1e-6)) for lord, start, _, _ in mahas] == \
               [tuple(row) for row in case[system]], case["utc"]
        peer = case["pyjhora"][system]
        assert [lord for lord, *_ in mahas][:len(peer["lords"])] == peer["lords"][:len(mahas)]
        assert abs(result["balance"] - peer["balance"]) < PEER_BALANCE, case["utc"]


def test_vimshottari_row_gives_compute_dasha_periods_bit_for_bit():
    for case in BIRTHS[::10]:
        chart = json.loads(zentaric.compute_natal_chart(*case["utc"], case["latitude"], case["longitude"]))
        document = json.loads(zentaric.compute_dasha(chart["planets"][1]["longitude"], chart["julian_day"], 3))

        def walk(items):
            for p in items:
                yield p["lord"], p["start_jd"], p["end_jd"], p["level"]
                yield from walk(p["sub_periods"])
        assert periods(case, "vimshottari", levels=3)[1] == list(walk(document["maha_dashas"])), case["utc"]


@pytest.mark.parametrize("system", [*STAR_COUNTED_FROM, "shashtihayani"])
def test_conditional_dashas_start_from_the_stated_star(system):
    for case in BIRTHS:
        chart = json.loads(zentaric.compute_natal_chart(*case["utc"], case["latitude"], case["longitude"]))
        lord, balance = first_lord(system, chart["planets"][1]["longitude"])
        result, mahas = periods(case, system)
        assert (mahas[0][0], result["balance"]) == (lord, pytest.approx(balance, abs=1e-9)), case["utc"]


def test_chara_signs_and_years_follow_the_rule():
    for case in BIRTHS:
        _, records = periods(case, "chara", levels=2)
        mahas = [k for k, record in enumerate(records) if record[3] == 1]
        first_cycle = [[records[k][0], round((records[k][2] - records[k][1]) / 365.25, 9)] for k in mahas[:12]]
        assert first_cycle == case["chara"], case["utc"]
        # the second cycle completes each sign's twelve years
        second = {records[k][0]: round((records[k][2] - records[k][1]) / 365.25, 9) for k in mahas[12:]}
        assert all(second.get(sign, 0) + years == 12 for sign, years in case["chara"])
        # twelve equal antardashas from the sign after the maha sign round to the maha sign
        for k in mahas[::5]:
            sign, start, end, _ = records[k]
            antars = records[k + 1:k + 13]
            assert [antar[0] for antar in antars] == chara_antardashas(sign), (case["utc"], sign)
            assert all(b - a == pytest.approx((end - start) / 12, abs=1e-6) for _, a, b, _ in antars)


@pytest.mark.parametrize("system", sorted(SYSTEM_YEARS))
def test_sub_periods_take_the_lords_share_from_the_parents_lord(system):
    years = SYSTEM_YEARS[system]
    result, records = periods(BIRTHS[0], system, levels=2)
    mahas = [k for k, record in enumerate(records) if record[3] == 1]
    # the first maha dasha's are those of its full period from the notional start, cut at birth
    lord, birth, end, _ = records[0]
    full = (end - birth) / result["balance"]
    order = list(years)[list(years).index(lord):] + list(years)[:list(years).index(lord)]
    bounds = list(accumulate([full * years[sub] / sum(years.values()) for sub in order], initial=end - full))
    kept = [(sub, max(a, birth), b) for sub, a, b in zip(order, bounds, bounds[1:]) if b > birth]
    assert [(sub, pytest.approx(a, abs=1e-6), pytest.approx(b, abs=1e-6)) for sub, a, b in kept] == \
           [(sub, a, b) for sub, a, b, _ in records[1:mahas[1]]]
    parent = records[mahas[1]]  # whole: the first is cut at birth
    subs = records[mahas[1] + 1:mahas[2]]
    first_cycle = [records[k][0] for k in mahas][:len(years)]
    cycle = first_cycle[1:] + first_cycle[:1]  # the maha lords' order from the parent's
    assert [lord for lord, *_ in subs] == cycle and sorted(cycle) == sorted(years)
    for lord, start, end, level in subs:  # Julian Days resolve about 1e-9 days
        assert level == 2
        assert end - start == pytest.approx((parent[2] - parent[1]) * years[lord] / sum(years.values()), abs=1e-6)


@pytest.mark.parametrize("year, days", [("julian", 365.25), ("sidereal", 365.256363), ("savana", 360.0),
                                        ("tropical", 365.242190)])
def test_year_length_scales_every_whole_period(year, days):
    _, mahas = periods(BIRTHS[1], "yogini", year=year)
    lord, start, end, _ = mahas[1]
    assert end - start == pytest.approx(SYSTEM_YEARS["yogini"][lord] * days, abs=1e-6)


BIRTH = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")


@pytest.mark.parametrize("system", ["yogini", "chara", "shashtihayani"])
def test_package_periods_are_the_module_records_and_dasha_at_their_chain(system):
    tree = dasha(BIRTH, system, levels=3)
    _, records = periods({"utc": [1990, 5, 15, 10, 30], "latitude": 28.6139, "longitude": 77.2090}, system, 3)

    def walk(items):
        for period in items:
            yield period
            yield from walk(period.sub_periods)
    flat = list(walk(tree))
    assert [(p.lord, p.start_jd, p.end_jd, p.level) for p in flat] == records
    assert all(p.system == system for p in flat)
    for period in flat[5::37]:
        chain = dasha_at(BIRTH, period.start, system, levels=3)
        assert chain[period.level - 1].start_jd == period.start_jd and chain[-1].level == 3
    if system == "yogini":
        assert flat[0].name == "Sankata" and flat[0].lord == "Rahu"


@pytest.mark.parametrize("when", ["2026-12-06", date(2026, 12, 6), datetime(2026, 12, 5, 18, 30, tzinfo=UTC)])
def test_dasha_at_reads_dates_and_text_in_the_birth_zone(when):
    chain = dasha_at(BIRTH, when, "yogini", levels=5)
    assert len(chain) == 5
    moment = datetime(2026, 12, 6, tzinfo=BIRTH.zone)
    assert all(p.start <= moment < p.end for p in chain)
    assert julian_day(moment) == pytest.approx(julian_day(datetime(2026, 12, 5, 18, 30, tzinfo=UTC)))


def test_every_listed_system_and_a_misspelling():
    assert len(DASHA_SYSTEMS) == 12
    assert all(dasha(BIRTH, system, levels=1) for system in DASHA_SYSTEMS)
    with pytest.raises(ValueError, match="did you mean 'yogini'"):
        dasha(BIRTH, "yoginni")


def test_the_result_reports_the_condition_without_enforcing_it():
    mahas = dasha(BIRTH, "shashtihayani", levels=1)
    assert (mahas.applicable, mahas.condition) == (False, "the Sun in the lagna") and len(mahas) == 16
    assert dasha(BIRTH, levels=1).applicable and dasha(BIRTH, "chara", levels=1).star == "Virgo"


def test_solar_year_ends_when_the_sun_is_back_at_its_birth_longitude():
    case = BIRTHS[2]
    result, mahas = periods(case, "vimshottari", year="solar")
    assert abs(result["year_days"] - 365.2564) < 0.01  # a sidereal year, give or take the Earth's wobble
    again = datetime(*case["utc"], tzinfo=UTC) + timedelta(days=result["year_days"], seconds=30)
    sun = [json.loads(zentaric.compute_natal_chart(*moment, case["latitude"], case["longitude"]))["planets"][0]
           ["longitude"] for moment in (case["utc"], (again.year, again.month, again.day, again.hour, again.minute))]
    assert abs(sun[1] - sun[0]) < 0.0007  # the Sun's motion in half a minute is 0.0002°
    # a birth in the last days the ephemeris takes has no return within it: said so, not a search range never asked
    with pytest.raises(ValueError, match="solar: the Sun's return a year after birth falls past the ephemeris"):
        zentaric.compute_dasha_periods(2998, 12, 31, 23, 58, 28.6, 77.2, "Vimshottari", 1, "solar")
