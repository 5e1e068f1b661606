"""Transits: gochara against Phaladeepika's table stated here, Sade Sati boundaries against Saturn's ingresses found
by bisection on the chart's own positions (the probe), solar and lunar returns, the timeline and its calendar file."""
import collections
import csv
import ctypes
import json
import pathlib
import random
from datetime import UTC, datetime, timedelta

import icalendar
import pytest
import zentaric

from conftest import name_table
from zentaric_chart import Birth, Chart, Place, julian_day, natal, timeline_frame
from zentaric_chart.transits import TimelineEvent, lunar_return, sade_sati, solar_return, timeline, to_ics, transits

# Phaladeepika ch. 26: favourable house from the Moon -> the house whose occupant obstructs it (vedha).
GOCHARA = {"Sun": "3:9 6:12 10:4 11:5", "Moon": "1:5 3:9 6:12 7:2 10:4 11:8", "Mars": "3:12 6:9 11:5",
           "Mercury": "2:5 4:3 6:9 8:1 10:8 11:12", "Jupiter": "2:12 5:4 7:3 9:10 11:8",
           "Venus": "1:8 2:7 3:1 4:10 5:9 8:5 9:11 11:6 12:3", "Saturn": "3:12 6:9 11:5", "Rahu": "3:12 6:9 11:5",
           "Ketu": "3:12 6:9 11:5"}
NO_VEDHA = [{"Sun", "Saturn"}, {"Moon", "Mercury"}]
GRAHAS = list(GOCHARA)
BODY = {"Sun": 0, "Moon": 1, "Jupiter": 6, "Saturn": 7, "Rahu": 11}  # the ephemeris's body numbers


@pytest.mark.parametrize("seed", range(300))
def test_gochara_follows_phaladeepika(seed):
    rng = random.Random(seed)
    longitudes = [rng.uniform(0, 360) for _ in range(9)]
    moon, lagna = rng.randrange(12), rng.randrange(12)
    house = {g: (int(x // 30) - moon) % 12 + 1 for g, x in zip(GRAHAS, longitudes)}
    for graha, (from_moon, from_lagna, favourable, vedha_by) in zip(GRAHAS, zentaric.gochara(longitudes, moon, lagna)):
        table = dict(map(int, pair.split(":")) for pair in GOCHARA[graha].split())
        assert (from_moon, from_lagna) == (house[graha], (int(longitudes[GRAHAS.index(graha)] // 30) - lagna) % 12 + 1)
        assert favourable == (from_moon in table)
        blockers = [g for g in GRAHAS if g != graha and favourable and house[g] == table[from_moon]
                    and {g, graha} not in NO_VEDHA]
        assert vedha_by == (blockers[0] if blockers else None)


def sidereal(probe, body, jd, ayanamsha=0):
    read = probe.zentaric_probe_sidereal_longitude
    read.restype, read.argtypes = ctypes.c_double, [ctypes.c_int, ctypes.c_double, ctypes.c_int]
    return read(BODY[body], jd, ayanamsha)


def crossing_near(probe, body, level, jd, hours=1.0):
    """The moment `body` crosses the sidereal longitude `level` within `hours` of jd, by bisection."""
    offset = lambda t: (sidereal(probe, body, t) - level + 180) % 360 - 180
    low, high = jd - hours / 24, jd + hours / 24
    assert offset(low) * offset(high) < 0, (body, level, jd)
    while high - low > 1e-7:
        middle = (low + high) / 2
        low, high = (middle, high) if offset(low) * offset(middle) > 0 else (low, middle)
    return (low + high) / 2


def ingress_near(probe, jd):
    """The moment Saturn crosses a sign boundary within an hour of jd."""
    return crossing_near(probe, "Saturn", round(sidereal(probe, "Saturn", jd) / 30) * 30 % 360, jd)


def births(count):
    rng = random.Random(29)
    return [Birth(datetime(1900, 1, 1) + timedelta(minutes=rng.randrange(100 * 525960)), rng.uniform(-60, 65),
                  rng.uniform(-180, 180), tz="UTC") for _ in range(count)]


def test_sade_sati_boundaries_are_saturns_ingresses(probe):
    lahiri = [row[0] for row in name_table("ayanamsha")].index("Lahiri")
    assert lahiri == 0
    spans = resumed = 0
    for birth in births(100):
        phases = sade_sati(birth, end=birth.utc + timedelta(days=30 * 365.25))
        for phase in phases:
            for moment, is_open in ((phase.start, phase.open_start), (phase.end, phase.open_end)):
                if not is_open:
                    jd = julian_day(moment)
                    assert abs(ingress_near(probe, jd) - jd) * 86400 < 1.0
                    spans += 1
        # Saturn leaves a phase's sign retrograde and comes back: the phase resumes, no other between the two spans
        for earlier, later in zip(phases, phases[1:]):
            assert earlier.end <= later.start
            resumed += earlier.phase == later.phase
    assert spans > 500 and resumed > 20


SIGNS = [zentaric.sign_name(k) for k in range(12)]
TARAS = [tara.replace("_", " ") for tara in "Janma Sampat Vipat Kshema Pratyari Sadhaka Vadha Mitra Parama_Mitra".split()]


def test_transits_read_the_sky_at_the_instant_from_the_natal_moon_and_lagna(probe):
    for k, birth in enumerate(births(12)):
        when = birth.utc + timedelta(days=400 * k + 7, seconds=29.5)
        found = transits(birth, when)
        natal_chart = natal(birth, houses="WholeSign")
        moon, lagna = natal_chart.body("Moon"), natal_chart.lagna
        for transit in found.bodies:
            sign = SIGNS.index(transit.sign)
            assert (transit.house_from_moon, transit.house_from_lagna) == (
                (sign - moon.sign_index) % 12 + 1, (sign - lagna.sign_index) % 12 + 1)
        now_moon = found.body("Moon")
        assert abs((now_moon.longitude - sidereal(probe, "Moon", julian_day(when)) + 180) % 360 - 180) < 1e-7
        star = int(now_moon.longitude // (40 / 3))
        count = (star - moon.nakshatra_index) % 27 + 1  # counted from the natal star, itself the first
        assert (found.moon_tara, found.moon_tara_name) == ((count - 1) % 9 + 1, TARAS[(count - 1) % 9])


# Tajika Neelakanthi: the tri-rashi lords of the varsha lagna's sign by day and by night, the sign lords, and the
# houses (counted from the graha to the lagna) from which a graha aspects the lagna.
TRI_RASHI = ["Sun Jupiter", "Venus Moon", "Saturn Mercury", "Venus Mars", "Jupiter Sun", "Moon Venus",
             "Mercury Saturn", "Mars Venus", "Saturn Saturn", "Mars Moon", "Jupiter Jupiter", "Moon Mars"]
SIGN_LORDS = "Mars Venus Mercury Moon Sun Mercury Venus Mars Jupiter Saturn Saturn Jupiter".split()
TAJIKA_ASPECTS = {1, 3, 4, 5, 7, 9, 10, 11}


def year_lord(chart, natal_lagna, muntha):
    """The Tajika year lord: the strongest office-bearer (shadbala rupas) aspecting the varsha lagna, else the
    strongest of the five; the earlier office on a tie."""
    lagna = chart.lagna.sign_index
    by_day = (chart.body("Sun").longitude - chart.lagna.longitude) % 360 >= 180
    luminary = chart.body("Sun" if by_day else "Moon").sign_index
    offices = [SIGN_LORDS[muntha], SIGN_LORDS[natal_lagna], SIGN_LORDS[lagna],
               TRI_RASHI[lagna].split()[0 if by_day else 1], SIGN_LORDS[luminary]]
    rupas = {name: bala.rupas for name, bala in chart.shadbala().items()}
    aspects = [(lagna - chart.body(g).sign_index) % 12 + 1 in TAJIKA_ASPECTS for g in offices]
    ranked = sorted(range(5), key=lambda k: (not aspects[k], -rupas[offices[k]], k))
    return offices[ranked[0]], offices, by_day


def lagna_between_minutes(moment, latitude, longitude):
    """The sidereal lagna at `moment` (seconds and all) by cubic interpolation between the charts of the four whole
    UTC minutes around it (compute_natal_record without seconds): within 0.004" of the exact chart over 300 random
    instants and places of |latitude| <= 65."""
    minute = moment.replace(second=0, microsecond=0)
    lagnas = [zentaric.compute_natal_record(t.year, t.month, t.day, t.hour, t.minute, latitude, longitude, "Lahiri",
                                            "WholeSign")["lagna"]["longitude"]
              for t in (minute + timedelta(minutes=k) for k in (-1, 0, 1, 2))]
    x = (moment - minute).total_seconds() / 60
    steps = [(lagna - lagnas[1] + 180) % 360 - 180 for lagna in lagnas]
    weights = [-x * (x - 1) * (x - 2) / 6, (x + 1) * (x - 1) * (x - 2) / 2, -(x + 1) * x * (x - 2) / 2,
               (x + 1) * x * (x - 1) / 6]
    return (lagnas[1] + sum(w * step for w, step in zip(weights, steps))) % 360


def test_returns_come_back_to_the_natal_longitude(probe):
    for birth in births(20):
        natal_jd = julian_day(birth.utc)
        back = solar_return(birth, birth.utc.year + 33)
        drift = (sidereal(probe, "Sun", julian_day(back.moment)) - sidereal(probe, "Sun", natal_jd) + 180) % 360 - 180
        assert abs(drift) * 3600 < 0.01
        natal_chart = natal(birth, houses="WholeSign")
        natal_lagna = natal_chart.lagna.sign_index
        assert back.muntha == (natal_lagna + 33) % 12
        assert isinstance(back, Chart) and back.chart is back and back.julian_day == julian_day(back.moment)
        # the chart is the exact instant's, not its minute's (a minute moves the lagna up to 7' and the Sun 1.2")
        sun = (back.body("Sun").longitude - natal_chart.body("Sun").longitude + 180) % 360 - 180
        assert abs(sun) * 3600 < 0.01
        exact = lagna_between_minutes(back.moment.astimezone(UTC), birth.latitude, birth.longitude)
        assert abs((back.lagna.longitude - exact + 180) % 360 - 180) * 3600 < 0.02
        assert back.birth.utc == back.moment.astimezone(UTC).replace(second=0, microsecond=0) + timedelta(
            minutes=back.moment.second >= 30)
        document = json.loads(json.dumps(back.to_dict()))
        assert (document["moment"], document["muntha"], document["year_lord"], document["julian_day"]) == (
            back.moment.isoformat(), back.muntha, back.year_lord, back.julian_day)
        assert [o["graha"] for o in document["offices"] or []] == [o.graha for o in back.offices or []]
        elsewhere = solar_return(birth, birth.utc.year + 33, place=Place(-33.87, 151.21, "Australia/Sydney"))
        assert elsewhere.moment == back.moment and elsewhere.muntha == back.muntha
        exact = lagna_between_minutes(back.moment.astimezone(UTC), -33.87, 151.21)
        assert abs((elsewhere.lagna.longitude - exact + 180) % 360 - 180) * 3600 < 0.02
        if back.year_lord is not None:  # a polar year's chart has no shadbala
            lord, offices, by_day = year_lord(back, natal_lagna, back.muntha)
            assert (back.year_lord, [o.graha for o in back.offices], back.by_day) == (lord, offices, by_day)
        moon = lunar_return(birth, birth.utc + timedelta(days=1000))
        drift = (sidereal(probe, "Moon", julian_day(moon.moment)) - sidereal(probe, "Moon", natal_jd) + 180) % 360 - 180
        assert abs(drift) * 3600 < 0.01
        drift = (moon.body("Moon").longitude - natal_chart.body("Moon").longitude + 180) % 360 - 180
        assert abs(drift) * 3600 < 0.01
        assert timedelta(0) < moon.moment - (birth.utc + timedelta(days=1000)) < timedelta(days=28)


@pytest.mark.parametrize("year", [1500, 2900])
def test_a_solar_return_centuries_after_the_birth_is_found(year):
    """The sidereal year outlasts the calendar's by about 20 minutes: 14 centuries move the return by 20 days."""
    birth = Birth("0100-03-21 12:00", 28.6, 77.2, tz="UTC")
    back = solar_return(birth, year)
    drift = (back.body("Sun").longitude - natal(birth).body("Sun").longitude + 180) % 360 - 180
    assert abs(drift) * 3600 < 0.01 and back.moment.year == year


@pytest.mark.parametrize("born, year", [("1990-01-02 12:00", 1), ("1990-12-31 12:00", 2998)])
def test_a_solar_return_beyond_the_ephemeris_is_refused_not_taken_from_another_year(born, year):
    """The return nearest the anniversary falls in the years 0 or 2999; the one the clipped search finds is the next
    or the previous year's."""
    birth = Birth(born, 28.6, 77.2, tz="Asia/Kolkata")
    with pytest.raises(ValueError, match="outside the ephemeris"):
        solar_return(birth, year)
    neighbour = year + 1 if year == 1 else year - 1  # its return is found, near its own anniversary
    assert abs(solar_return(birth, neighbour).moment - birth.local().replace(year=neighbour)) < timedelta(days=40)


RETURNS = list(csv.DictReader(line for line in (pathlib.Path(__file__).parents[1] / "data" / "returns_swisseph.csv")
                               .read_text().splitlines() if not line.startswith("#")))


def test_tropical_solar_returns_match_swisseph():
    """tests/data/returns_swisseph.csv (tools/gen_reference_returns.py): pyswisseph's solcross_ut moments."""
    for row in RETURNS:
        birth = Birth(row["birth_utc"], 12.97, 77.59, tz="UTC")
        back = solar_return(birth, int(row["year"]), ayanamsha="Tropical")
        assert abs(julian_day(back.moment) - float(row["return_jd_ut"])) * 86400 < 10, row


def station_near(probe, body, jd, step=0.25):
    """The turning point of `body`'s longitude near jd: the vertex of the parabola through three samples."""
    before, at, after = (sidereal(probe, body, jd + k * step) for k in (-1, 0, 1))
    return jd + step * (before - after) / (2 * (before - 2 * at + after))


def test_timeline_moments_are_the_skys_own(probe):
    """Each ingress, station and passage of the timeline against the chart's own positions (the probe); every sign
    change of Jupiter, Saturn and Rahu seen on samples two days apart is there; its Sade Sati events are sade_sati's."""
    for birth in births(3):
        start = birth.utc + timedelta(days=3000)
        events = timeline(birth, start, start + timedelta(days=40 * 365.25), levels=1)
        natal_chart = natal(birth, houses="WholeSign")
        points = {"natal Moon": natal_chart.body("Moon").longitude, "natal lagna": natal_chart.lagna.longitude}
        ingresses = collections.Counter()
        for event in events:
            jd, body = julian_day(event.time), event.description.split()[0]
            if event.kind == "ingress":
                entered = SIGNS.index(event.description.split(" enters ")[1])
                forward = int(sidereal(probe, body, jd - 0.5) // 30) == (entered - 1) % 12
                boundary = entered * 30 if forward else (entered + 1) * 30
                assert abs(crossing_near(probe, body, boundary % 360, jd) - jd) * 86400 < 1.0, event
                ingresses[body] += 1
            elif event.kind == "station":
                assert abs(station_near(probe, body, jd) - jd) * 86400 < 60.0, event
            elif event.kind == "transit":
                level = points[event.description.split(" crosses the ")[1].split(" (")[0]]
                assert abs(crossing_near(probe, body, level, jd) - jd) * 86400 < 1.0, event
        first, last = julian_day(start), julian_day(start + timedelta(days=40 * 365.25))
        for body in ("Jupiter", "Saturn", "Rahu"):
            signs = [int(sidereal(probe, body, first + day) // 30) for day in range(0, int(last - first), 2)]
            assert ingresses[body] == sum(a != b for a, b in zip(signs, signs[1:])) > 0, body
        phases = sade_sati(birth, start, start + timedelta(days=40 * 365.25))
        bounds = sorted([p.start for p in phases if not p.open_start] + [p.end for p in phases if not p.open_end])
        assert [e.time for e in events if e.kind == "sade_sati"] == bounds


def test_timeline_in_order_and_its_calendar_round_trips():
    birth = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    events = timeline(birth, "2026-01-01", "2036-01-01")
    assert [e.time for e in events] == sorted(e.time for e in events)
    assert {e.kind for e in events} == {"dasha", "ingress", "station", "sade_sati", "transit"}
    calendar = icalendar.Calendar.from_ical(to_ics(events))
    parsed = [(c.get("dtstart").dt, str(c.get("summary"))) for c in calendar.walk("VEVENT")]
    assert parsed == [(e.time.astimezone(UTC).replace(microsecond=0), e.description) for e in events]
    pytest.importorskip("pandas")
    frame = timeline_frame(birth, "2026-01-01", "2036-01-01")
    assert str(frame.time.dtype) == "datetime64[us, UTC]" and not frame.kind.isna().any()
    assert [(t.to_pydatetime(), k, d) for t, k, d in frame.itertuples(index=False)] == [
        (e.time.astimezone(UTC), e.kind, e.description) for e in events]


@pytest.mark.parametrize("offset", [timedelta(0), timedelta(microseconds=1), timedelta(milliseconds=1)])
def test_a_lunar_return_comes_after_the_instant_given(offset):
    """Asked after a return (or after the birth itself), the next one: lunar returns can be walked in a loop."""
    birth = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    for after in (birth.utc + offset, lunar_return(birth, "2026-01-01").moment + offset):
        assert timedelta(days=25) < lunar_return(birth, after).moment - after < timedelta(days=29)


@pytest.mark.parametrize("year", [1, 999, 1000])
def test_a_calendar_of_early_years_round_trips(year):
    """Years before 1000 keep four digits (strftime's %Y drops them), a carriage return in a text is escaped, and an
    instant has no DTEND (RFC 5545 wants it after DTSTART)."""
    event = TimelineEvent(datetime(year, 3, 1, 5, 6, 7, tzinfo=UTC), "dasha", "a\r\nb;c")
    found = icalendar.Calendar.from_ical(to_ics([event])).walk("VEVENT")[0]
    assert (found.get("dtstart").dt, str(found.get("summary"))) == (event.time, "a\nb;c")
    assert "DTEND" not in found  # an instant; a DTEND must come after DTSTART
