"""Shadbala of real births against what can be stated without the core: uchcha bala from the chart's own longitudes
and the exaltation points of BPHS ch. 3, naisargika bala, the Vedic day holding the birth and its weekday lord."""
import datetime
import json
import math

import pytest
import zentaric

from zentaric_chart import Birth, natal
from zentaric_chart.vargas import graha_longitudes

EXALTATION = {"Sun": 10, "Moon": 33, "Mars": 298, "Mercury": 165, "Jupiter": 95, "Venus": 357, "Saturn": 200}
NATURAL = {"Sun": 60, "Moon": 51.43, "Mars": 17.14, "Mercury": 25.71, "Jupiter": 34.29, "Venus": 42.86, "Saturn": 8.57}
WEEKDAY_LORD = ["Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn", "Sun"]  # Python's Monday = 0
BIRTHS = [("1990-05-15 16:00", 28.6139, 77.2090, "Asia/Kolkata"), ("1879-03-14 11:30", 48.4011, 9.9876, "Europe/Berlin"),
          ("1968-05-28 11:00", -37.8136, 144.9631, "Australia/Melbourne"), ("2024-12-31 23:50", 19.076, 72.8777,
          "Asia/Kolkata"), ("1947-08-15 00:05", 28.6139, 77.209, "Asia/Kolkata"), ("2001-01-01 05:30", 51.5, -0.12,
          "Europe/London"), ("1955-11-05 21:40", 40.7128, -74.006, "America/New_York")]


@pytest.mark.parametrize("when, latitude, longitude, tz", BIRTHS)
def test_shadbala_parts_that_follow_from_the_chart_and_the_day(when, latitude, longitude, tz):
    chart = natal(Birth(when, latitude, longitude, tz=tz))
    bala = chart.shadbala()
    for name, strength in bala.items():
        distance = abs((chart.body(name).longitude - EXALTATION[name] + 180) % 360 - 180)
        assert strength.uchcha == pytest.approx((180 - distance) / 3, abs=1e-9)
        assert strength.naisargika == pytest.approx(NATURAL[name], abs=0.005)
        parts = (strength.sthana + strength.dig + strength.kala + strength.cheshta + strength.naisargika
                 + strength.drik)
        assert strength.total == pytest.approx(parts, abs=1e-9)
        assert strength.ratio == pytest.approx(strength.rupas / strength.required, abs=1e-12)
        # BPHS ch. 27: ishta phala the geometric mean of uchcha and cheshta bala, kashta of their shortfalls from 60
        assert (strength.ishta, strength.kashta) == pytest.approx(
            (math.sqrt(strength.uchcha * strength.cheshta), math.sqrt((60 - strength.uchcha) * (60 - strength.cheshta))))
    assert sum(strength.yuddha for strength in bala.values()) == pytest.approx(0, abs=1e-9)
    # The Vedic day: sunrise before the birth, the next after it; its weekday (of the sunrise's local date) rules.
    found = zentaric.shadbala(graha_longitudes(chart), chart.lagna.longitude, chart.houses.mc_sidereal,
                              chart.ayanamsha_value, chart.julian_day, latitude, longitude)
    assert found["sunrise"] <= chart.julian_day < found["next_sunrise"]
    assert found["sunrise"] < found["sunset"] < found["next_sunrise"]
    local_day = datetime.date.fromordinal(int(found["sunrise"] + longitude / 360 + 0.5) - 1721425)
    assert [name for name, strength in bala.items() if strength.vara == 45] == [WEEKDAY_LORD[local_day.weekday()]]
    assert chart.shadbala("raman")["Sun"].required == 5 and bala["Sun"].required == 6.5
    houses = chart.bhava_bala()
    assert all(house.lord_strength == bala[house.lord].total for house in houses.values())
    # to_dict carries the same readings as plain values
    document = json.loads(json.dumps(chart.to_dict()))
    assert document["shadbala"]["Moon"]["paksha"] == bala["Moon"].paksha
    assert document["bhava_bala"]["10"]["total"] == houses[10].total
    assert document["ashtakavarga"]["prastara"]["Sun"]["Lagna"] == list(chart.ashtakavarga().prastara["Sun"]["Lagna"])
    assert [bhava.lord for bhava in houses.values()][:1] == [
        ["Mars", "Venus", "Mercury", "Moon", "Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Saturn",
         "Jupiter"][chart.lagna.sign_index]]


def test_unknown_required_polar_day_and_non_finite_places_are_refused():
    chart = natal(Birth("1990-06-21 12:00", 78.2, 15.6, tz="Europe/Oslo"))  # Svalbard at midsummer
    with pytest.raises(ValueError, match=r"unknown required strength 'nasa'.*accepted: bphs"):
        chart.shadbala("nasa")
    with pytest.raises(ValueError, match="does not rise and set"):
        chart.shadbala()
    polar = chart.to_dict()
    assert (polar["shadbala"], polar["bhava_bala"], sum(polar["ashtakavarga"]["sarva"])) == (None, None, 337)
    places = [graha_longitudes(chart), 0.0, 270.0, 23.7, chart.julian_day, 28.6, 77.2]
    for at in range(1, 7):
        with pytest.raises(ValueError, match="must be finite numbers"):
            zentaric.shadbala(*places[:at], math.nan, *places[at + 1:])
