"""Yogas and manglik on charts built by placing the grahas: each yoga holds in one chart and fails in a chart one
graha away from it."""
import json

import pytest

import zentaric
from zentaric_chart import Birth, manglik, manglik_match, natal


def placed(signs):
    """The longitudes (Sun..Ketu) and lagna of a chart given as the signs (0 Aries .. 11 Pisces) of the lagna and of
    Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu: each at 15° of its sign, Ketu opposite Rahu."""
    lagna, *grahas = (int(sign) * 30 + 15.0 for sign in signs.split())
    return [*grahas, (grahas[-1] + 180.0) % 360.0], lagna


def found(signs):
    return [(yoga["name"], set(yoga["bodies"])) for yoga in zentaric.yogas(*placed(signs))]


#   yoga, chart where it holds (La Su Mo Ma Me Ju Ve Sa Ra), the chart one graha away where it fails, bodies
YOGAS = [
    ("Ruchaka", "0 4 5 0 5 8 6 9 2", "0 4 5 1 5 8 6 9 2", {"Mars"}),
    ("Bhadra", "2 4 5 0 2 8 6 9 1", "1 4 5 0 2 8 6 9 1", {"Mercury"}),
    ("Hamsa", "0 4 5 1 5 3 6 9 2", "0 4 5 1 5 4 6 9 2", {"Jupiter"}),
    ("Malavya", "0 4 5 1 5 8 6 9 2", "0 4 5 1 5 8 5 9 2", {"Venus"}),
    ("Sasa", "0 4 5 1 5 8 6 9 2", "0 4 5 1 5 8 6 10 2", {"Saturn"}),
    ("Gajakesari", "0 4 0 1 5 3 6 9 2", "0 4 0 1 5 4 6 9 2", {"Moon", "Jupiter"}),
    ("Budha-Aditya", "0 4 5 1 4 8 6 9 2", "0 4 5 1 5 8 6 9 2", {"Sun", "Mercury"}),
    ("Chandra-Mangala", "0 4 4 4 5 8 6 9 2", "0 4 4 5 5 8 6 9 2", {"Moon", "Mars"}),
    ("Adhi", "0 4 0 1 5 6 7 9 2", "0 4 0 1 5 6 8 9 2", {"Moon", "Mercury", "Jupiter", "Venus"}),
    ("Sunapha", "0 4 0 1 5 8 6 9 2", "0 4 0 2 5 8 6 9 2", {"Moon", "Mars"}),
    ("Anapha", "0 4 0 11 5 8 6 9 2", "0 4 0 10 5 8 6 9 2", {"Moon", "Mars"}),
    ("Durudhara", "0 4 0 1 5 8 6 11 2", "0 4 0 1 5 8 6 10 2", {"Moon", "Mars", "Saturn"}),
    ("Kemadruma", "0 4 0 2 5 8 6 9 2", "0 4 0 1 5 8 6 9 2", {"Moon"}),
    ("Vesi", "0 4 0 1 5 8 6 9 2", "0 4 0 1 6 8 6 9 2", {"Sun", "Mercury"}),
    ("Vasi", "0 4 0 3 6 8 6 9 2", "0 4 0 2 6 8 6 9 2", {"Sun", "Mars"}),
    ("Ubhayachari", "0 4 0 3 5 8 6 9 2", "0 4 0 3 6 8 6 9 2", {"Sun", "Mars", "Mercury"}),
    ("Amala", "0 4 0 1 5 9 6 10 2", "0 4 0 1 5 10 6 10 2", {"Jupiter"}),
    ("Lakshmi", "0 4 5 0 5 8 6 9 2", "0 4 5 1 5 8 6 9 2", {"Mars", "Jupiter"}),
    ("Saraswati", "0 4 5 1 0 8 6 9 2", "0 4 5 1 0 8 5 9 2", {"Mercury", "Jupiter", "Venus"}),
    ("Parvata", "0 4 5 1 5 3 6 9 2", "0 4 5 1 5 3 6 7 2", {"Jupiter", "Venus"}),
    ("Kahala", "0 4 0 0 5 3 6 9 2", "0 4 0 0 5 4 6 9 2", {"Moon", "Jupiter", "Mars"}),
    ("Vasumati", "0 4 0 1 2 5 9 6 8", "0 4 0 1 2 5 8 6 8", {"Moon", "Mercury", "Jupiter", "Venus"}),
    ("Sakata", "0 4 0 1 5 5 6 9 2", "0 4 0 1 5 6 6 9 2", {"Moon", "Jupiter"}),
    ("Shubha Kartari", "0 4 5 3 5 11 1 9 2", "0 4 5 3 5 10 1 9 2", {"Jupiter", "Venus"}),
    ("Papa Kartari", "0 4 5 1 5 8 6 11 2", "0 4 5 1 5 8 6 10 2", {"Mars", "Saturn"}),
    ("Chatussagara", "0 0 3 6 1 8 2 9 4", "0 0 3 6 1 8 2 10 4", {"Sun", "Moon", "Mars", "Saturn"}),
    ("Harsha", "0 4 5 1 5 8 6 9 2", "0 4 5 1 6 8 6 9 2", {"Mercury"}),
    ("Sarala", "0 4 5 7 5 8 6 9 2", "0 4 5 8 5 8 6 9 2", {"Mars"}),
    ("Vimala", "0 4 5 1 4 5 6 9 2", "0 4 5 1 4 6 6 9 2", {"Jupiter"}),
    ("Neecha Bhanga Raja", "0 4 7 0 5 8 6 9 2", "0 4 7 2 5 8 5 9 2", {"Moon", "Mars"}),
    ("Kala Sarpa", "0 1 2 3 1 4 2 5 0", "0 1 2 3 1 4 2 7 0", {"Rahu", "Ketu"}),
    ("Maha Parivartana", "0 4 5 1 5 8 9 6 2", "0 4 5 1 5 8 8 6 2", {"Venus", "Saturn"}),
    ("Khala Parivartana", "0 2 5 1 4 8 6 9 2", "0 2 5 1 5 8 6 9 2", {"Sun", "Mercury"}),
    ("Dainya Parivartana", "0 5 0 1 4 8 6 9 2", "0 5 0 1 6 8 6 9 2", {"Sun", "Mercury"}),
    ("Raja (conjunction)", "0 4 8 1 5 8 6 9 2", "0 4 9 1 5 8 6 9 2", {"Moon", "Jupiter"}),
    ("Raja (mutual aspect)", "0 0 5 2 5 3 10 6 4", "0 0 5 2 5 3 10 7 4", {"Sun", "Saturn"}),
    ("Raja (exchange)", "0 4 8 1 5 3 6 9 2", "0 4 9 1 5 3 6 9 2", {"Moon", "Jupiter"}),
    ("Dharma-Karmadhipati", "0 4 5 1 5 9 6 9 2", "0 4 5 1 5 10 6 9 2", {"Jupiter", "Saturn"}),
    ("Dhana", "0 4 5 1 5 8 4 9 2", "0 4 5 1 5 8 5 9 2", {"Sun", "Venus"}),
    ("Rajju", "0 0 3 6 9 0 3 6 2", "0 0 3 6 9 0 3 7 2", None),
    ("Musala", "0 1 4 7 10 1 4 7 2", "0 1 4 7 10 1 4 8 2", None),
    ("Nala", "0 2 5 8 11 2 5 8 0", "0 2 5 8 11 2 5 9 0", None),
    ("Mala", "0 4 5 1 0 3 6 9 2", "0 4 5 1 0 3 7 9 2", {"Mercury", "Jupiter", "Venus"}),
    ("Sarpa", "0 0 5 3 5 8 1 6 2", "0 0 5 3 5 8 1 7 2", {"Sun", "Mars", "Saturn"}),
    ("Vallaki", "0 0 1 2 3 4 5 6 8", "0 0 1 2 3 4 5 5 8", None),
    ("Damini", "0 0 1 2 3 4 5 5 8", "0 0 1 2 3 4 4 4 8", None),
    ("Pasha", "0 0 1 2 3 4 4 4 8", "0 0 1 2 2 4 4 4 8", None),
    ("Kedara", "0 0 1 2 3 3 3 3 8", "0 0 1 2 2 2 2 2 8", None),
    ("Shoola", "0 0 1 2 2 2 2 2 8", "0 0 1 1 1 1 1 1 8", None),
    ("Yuga", "0 0 1 1 1 1 1 1 8", "0 0 0 0 0 0 0 0 8", None),
    ("Gola", "0 0 0 0 0 0 0 0 8", "0 0 0 0 0 0 0 1 8", None),
]
SEVEN = {"Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn"}


@pytest.mark.parametrize("yoga, holds, fails, bodies", YOGAS, ids=[row[0] for row in YOGAS])
def test_yoga_holds_and_just_fails(yoga, holds, fails, bodies):
    assert (yoga, SEVEN if bodies is None else bodies) in found(holds)
    assert yoga not in [name for name, _ in found(fails)]


def test_every_yoga_of_the_table_is_tested_and_each_result_names_its_source():
    chart = natal(Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata"))
    assert all(yoga.source and yoga.rule for yoga in chart.yogas())
    assert json.loads(json.dumps(chart.to_dict()))["yogas"] == [
        {"name": y.name, "bodies": list(y.bodies), "rule": y.rule, "source": y.source} for y in chart.yogas()]
    names = {row[0] for row in YOGAS}
    seen = {name for row in YOGAS for signs in row[1:3] for name, _ in found(signs)}
    assert seen <= names and len(names) == len(YOGAS) >= 40


# Mars, counted by signs from the lagna, the Moon and Venus; the exceptions that apply (La Su Mo Ma Me Ju Ve Sa Ra)
MANGLIK = [
    ("0 4 8 1 5 11 3 9 2", True, [2, 6, 11], True, []),     # 2nd from the lagna only
    ("0 4 8 1 5 11 3 9 2", False, [2, 6, 11], False, []),   # ... not read without the 2nd
    ("0 4 5 0 5 3 6 9 2", True, [1, 8, 7], True, ["own or exaltation sign", "house and sign"]),
    ("0 4 5 3 5 3 6 9 2", True, [4, 11, 10], True, ["with Jupiter or the Moon"]),
    ("0 4 5 6 5 2 8 9 2", True, [7, 2, 11], True, ["aspected by Jupiter"]),
    ("7 4 1 4 5 3 8 9 2", True, [10, 4, 9], True, ["in Leo or Aquarius"]),
    ("1 4 5 8 5 3 6 9 2", True, [8, 4, 3], True, ["house and sign"]),
]


@pytest.mark.parametrize("signs, with_second, houses, dosha, exceptions", MANGLIK)
def test_manglik_houses_and_exceptions(signs, with_second, houses, dosha, exceptions):
    result = zentaric.manglik(*placed(signs), with_second)
    assert [r["house"] for r in result["readings"]] == houses
    assert result["dosha"] == dosha
    assert [c["name"] for c in result["cancelled_by"]] == exceptions
    assert result["stands"] == (dosha and not exceptions)


def test_couple_agrees_when_both_or_neither_carry_a_standing_dosha():
    boy = natal(Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata"))
    alone = manglik(boy)
    assert manglik_match(boy, boy).agrees
    standing, clear = placed(MANGLIK[0][0]), placed("0 4 5 2 5 8 4 9 1")  # Mars 3rd, 10th, 11th
    assert zentaric.match_manglik(*standing, *standing)["agrees"]
    assert not zentaric.match_manglik(*standing, *clear)["agrees"]
    assert zentaric.match_manglik(*standing, *clear, 0)["agrees"]  # without the 2nd neither has it
    assert [r.reference for r in alone.readings] == ["Lagna", "Moon", "Venus"]
