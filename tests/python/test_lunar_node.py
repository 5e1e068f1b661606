"""Rahu as the mean node (the default) or the node of the Moon's true orbit, through the package and the command
line; Ketu is the point opposite."""
import json
import subprocess
import sys

import pytest

from zentaric_chart import Birth, dasha, natal

# The mean Rahu in Virgo at 29.2 deg, the true one in Libra at 0.65 deg: Ketu in Pisces (with Mars) or in Aries.
BIRTH = Birth("1977-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")


def years(periods, sign):
    return next(round((p.end - p.start).days / 365.25) for p in periods if p.lord == sign)


@pytest.mark.parametrize("node, source", [("mean", "MeanNode"), ("true", "TrueNode")])
def test_rahu_is_the_chosen_node_of_the_modules_chart_with_its_house_and_aspects_and_ketu_opposite(node, source):
    chart = natal(BIRTH, "LahiriIcrc", "WholeSign", node=node)
    document = json.loads(chart.to_json())
    names = [planet["name"] for planet in document["planets"]]
    rahu, ketu, planet = chart.body("Rahu"), chart.body("Ketu"), document["planets"][names.index(source)]
    assert (rahu.longitude, rahu.house, rahu.speed) == (planet["longitude"], planet["house"], planet["speed"])
    assert ketu.sign_index == (rahu.sign_index + 6) % 12 and ketu.degree == pytest.approx(rahu.degree, abs=1e-9)
    assert ketu.house == (ketu.sign_index - chart.lagna.sign_index) % 12 + 1
    names[names.index(source)] = "Rahu"
    assert {(a.body1, a.body2, a.type) for a in chart.aspects if "Rahu" in (a.body1, a.body2)} == {
        (names[a["body1"]], names[a["body2"]], a["type"]) for a in document["aspects"]
        if "Rahu" in (names[a["body1"]], names[a["body2"]]) and "Node" not in names[a["body1"]] + names[a["body2"]]}
    assert chart.node == node


def test_the_command_line_draws_and_prints_the_true_node():
    run = [sys.executable, "-m", "zentaric_chart", "chart", "--date", "1977-05-15", "--time", "16:00", "--tz",
           "Asia/Kolkata", "--lat", "28.6139", "--lon", "77.2090", "--node", "true"]
    text = subprocess.run(run, capture_output=True, text=True, check=True).stdout
    assert [line.split()[1] for line in text.splitlines() if line.startswith(("Rahu", "Ketu"))] == ["Libra", "Aries"]
    svg = subprocess.run(run + ["--format", "svg"], capture_output=True, text=True, check=True).stdout
    assert svg.startswith("<svg") and "Ra" in svg


def test_chara_dasha_counts_scorpio_to_the_chosen_ketu():
    assert dasha(BIRTH, "chara", 1) == dasha(BIRTH, "chara", 1, node="mean")
    assert (years(dasha(BIRTH, "chara", 1), "Scorpio"), years(dasha(BIRTH, "chara", 1, node="TRUE"), "Scorpio")) \
        == (4, 5)


def test_an_unknown_node_is_refused_with_the_accepted_ones():
    with pytest.raises(ValueError, match="unknown node 'osculating'.*accepted: mean, true"):
        dasha(BIRTH, node="osculating")
