"""Rahu as the mean node (the default) or the true node, through the package and the command line."""
import json
import subprocess
import sys
import xml.etree.ElementTree as ET

import pytest

from zentaric_chart import Birth, dasha, natal

# The mean Rahu in Virgo at 29.2 deg, the true one in Libra at 0.65 deg: Ketu in Pisces (with Mars) or in Aries.
BIRTH = Birth("1977-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")


@pytest.mark.parametrize("node, source", [("mean", "MeanNode"), ("true", "TrueNode")])
def test_rahu_is_the_chosen_node_of_the_modules_chart_with_its_house_and_aspects_and_ketu_opposite(node, source):
    chart = natal(BIRTH, "LahiriIcrc", "WholeSign", node=node)
    document = json.loads(chart.to_json())
    names = [planet["name"].replace(source, "Rahu") for planet in document["planets"]]
    rahu, ketu, planet = chart.body("Rahu"), chart.body("Ketu"), document["planets"][names.index("Rahu")]
    assert (rahu.longitude, rahu.house, rahu.speed, chart.node) == (planet["longitude"], planet["house"],
                                                                     planet["speed"], node)
    assert ketu.sign_index == (rahu.sign_index + 6) % 12 and ketu.degree == pytest.approx(rahu.degree, abs=1e-9)
    assert ketu.house == (ketu.sign_index - chart.lagna.sign_index) % 12 + 1
    pairs = [(names[a["body1"]], names[a["body2"]], a["type"]) for a in document["aspects"]]
    assert {(a.body1, a.body2, a.type) for a in chart.aspects if "Rahu" == a.body2} == {
        pair for pair in pairs if pair[1] == "Rahu" and "Node" not in pair[0]}


@pytest.mark.parametrize("node, rahu_sign", [("mean", 5), ("true", 6)])
def test_the_drawing_puts_the_chosen_rahu_and_its_ketu_in_their_signs(node, rahu_sign):
    cells, sign = {}, None
    for element in ET.fromstring(natal(BIRTH, "LahiriIcrc", node=node).svg("south")).iter():
        sign = element.get("data-sign", sign)
        if element.get("data-planet") in ("7", "8"):  # Rahu, Ketu
            cells[element.get("data-planet")] = int(sign)
    assert cells == {"7": rahu_sign, "8": (rahu_sign + 6) % 12}


def test_the_command_line_and_chara_dasha_read_the_chosen_node():
    run = [sys.executable, "-m", "zentaric_chart", "chart", "--date", "1977-05-15", "--time", "16:00", "--tz",
           "Asia/Kolkata", "--lat", "28.6139", "--lon", "77.2090", "--node", "true"]
    text = subprocess.run(run, capture_output=True, text=True, check=True).stdout
    assert [line.split()[1] for line in text.splitlines() if line.startswith(("Rahu", "Ketu"))] == ["Libra", "Aries"]
    scorpio = [next(round((p.end - p.start).days / 365.25) for p in dasha(BIRTH, "chara", 1, node=node)
                    if p.lord == "Scorpio") for node in ("mean", "TRUE")]
    assert scorpio == [4, 5]  # Scorpio counts to Ketu, with Mars in Pisces or away from it in Aries
    with pytest.raises(ValueError, match="unknown node 'osculating'.*accepted: mean, true"):
        dasha(BIRTH, node="osculating")
