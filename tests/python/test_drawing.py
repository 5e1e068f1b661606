"""Chart drawings: every label in its sign's or house's cell, no two wheel labels on top of each other, and a real
browser (Debian's headless Chromium) drawing every style with fonts that hold every glyph."""
import html
import json
import math
import os
import re
import shutil
import subprocess
import sys
import dataclasses
import xml.etree.ElementTree as ET
from datetime import datetime, timedelta, timezone

import pytest
import zentaric

from zentaric_chart import Birth, natal
from zentaric_chart._names import LANGUAGES
from zentaric_chart.drawing import BAND_IN, BAND_OUT, MIN_FONT_480, text_width
from zentaric_chart.vargas import VARGA_CODES

SVG = "{http://www.w3.org/2000/svg}"
# Four bodies in Pisces; Mercury and Saturn retrograde; south of the equator. Ulm keeps local mean time (+0:40).
CHARTS = {
    "ulm-1879": natal(Birth(datetime(1879, 3, 14, 11, 30, tzinfo=timezone(timedelta(minutes=40))), 48.4011, 9.9876)),
    "delhi-1990": natal(Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")),
    "melbourne-1968": natal(Birth("1968-05-28 11:00", -37.8136, 144.9631, tz="Australia/Melbourne")),
}



def crowded(chart, longitudes, lagna=None):
    """The chart with its bodies moved to `longitudes` (Sun .. Ketu) and its lagna to `lagna`."""
    bodies = tuple(dataclasses.replace(body, longitude=longitude, sign_index=int(longitude // 30),
                                       degree=longitude % 30) for body, longitude in zip(chart.bodies, longitudes))
    chart = dataclasses.replace(chart, bodies=bodies)
    if lagna is not None:
        chart = dataclasses.replace(chart, lagna=dataclasses.replace(chart.lagna, longitude=lagna,
                                                                     sign_index=int(lagna // 30), degree=lagna % 30))
    return chart


# Eight bodies in two signs, the horizon through the fuller one (the wheel once lost the order and the sectors
# there, and the horizon struck a label); the same bodies in one North Indian triangle (8 labels at 6.5 px).
CHARTS["crowded"] = crowded(CHARTS["delhi-1990"], [1.5, 4.0, 9.2, 14.0, 9.8, 31.0, 38.0, 44.0, 224.0], 8.0)
CHARTS["crowded-triangle"] = crowded(CHARTS["delhi-1990"], [31.5, 34.0, 39.2, 44.0, 39.8, 51.0, 58.0, 54.0, 234.0])


def labels(svg):
    """(planet row, -1 for the lagna; estimated box left, top, right, bottom) of every body and lagna label."""
    found = []
    for text in ET.fromstring(svg).iter(SVG + "text"):
        if text.get("class") in ("body", "lagna"):
            size, x, y = (float(text.get(key)) for key in ("font-size", "x", "y"))
            width = text_width(text.text, size)
            left = x - width / 2 if text.get("text-anchor") == "middle" else x
            found.append((int(text.get("data-planet", -1)), (left, y - 0.95 * size, left + width, y + 0.35 * size)))
    return found


def inside(point, polygon):
    """Inside or on a convex polygon."""
    sides = [(b[0] - a[0]) * (point[1] - a[1]) - (b[1] - a[1]) * (point[0] - a[0])
             for a, b in zip(polygon, polygon[1:] + polygon[:1])]
    return min(sides) >= 0 or max(sides) <= 0


def cells(svg, style):
    """Cell polygon of each sign (south) or house (north), checked against the style's fixed frame."""
    root = ET.fromstring(svg)
    if style == "south":
        rects = {int(r.get("data-sign")): [float(r.get(k)) for k in ("x", "y", "width")]
                 for r in root.iter(SVG + "rect") if r.get("data-sign")}
        left, top, side = min(r[0] for r in rects.values()), min(r[1] for r in rects.values()), rects[0][2]
        ring = [(0, 0), (0, 1), (0, 2), (0, 3), (1, 3), (2, 3), (3, 3), (3, 2), (3, 1), (3, 0), (2, 0), (1, 0)]
        for position, (row, column) in enumerate(ring):  # Pisces top left, then clockwise
            assert rects[(11 + position) % 12][:2] == pytest.approx([left + column * side, top + row * side])
        return {sign: [(x, y), (x + side, y), (x + side, y + side), (x, y + side)] for sign, (x, y, _) in rects.items()}
    polygons = {int(p.get("data-house")): [tuple(map(float, xy.split(","))) for xy in p.get("points").split()]
                for p in root.iter(SVG + "polygon") if p.get("data-house")}
    middle = float(root.get("width")) / 2
    turned = [(math.degrees(math.atan2(middle - sum(y for _, y in polygon) / len(polygon),
                                       sum(x for x, _ in polygon) / len(polygon) - middle)) - 90) % 360
              for _, polygon in sorted(polygons.items())]
    assert turned[0] == pytest.approx(0, abs=1e-6) and turned == sorted(turned)  # house 1 on top, anticlockwise
    return polygons


def check_cells(chart, style, varga, svg, boxes):
    polygons = cells(svg, style)
    lagna = zentaric.compute_varga(chart.lagna.longitude, varga)
    assert sorted(planet for planet, _ in boxes) == list(range(-1, 9))
    for planet, (left, top, right, bottom) in boxes:
        sign = lagna if planet < 0 else zentaric.compute_varga(chart.body(zentaric.planet_name(planet)).longitude,
                                                                varga)
        polygon = polygons[sign if style == "south" else (sign - lagna) % 12 + 1]
        assert all(inside(corner, polygon) for corner in ((left, top), (right, top), (right, bottom), (left, bottom)))
    if style == "north":  # each house shows the number of its sign, counted from the lagna's
        for house, polygon in polygons.items():
            numbers = [int(t.text) for t in ET.fromstring(svg).iter(SVG + "text") if t.get("class") == "sign-number"
                       and inside((float(t.get("x")), float(t.get("y"))), polygon)]
            assert numbers == [(lagna + house - 1) % 12 + 1]


@pytest.mark.parametrize("name", CHARTS)
@pytest.mark.parametrize("style", ["south", "north"])
@pytest.mark.parametrize("varga, language", [("d1", "en"), ("d9", "ta")] + [(v, "hi") for v in VARGA_CODES[1:]])
def test_every_label_lies_in_its_sign_or_house(name, style, varga, language):
    svg = CHARTS[name].svg(style=style, varga=varga, language=language)
    check_cells(CHARTS[name], style, varga, svg, labels(svg))


def overlapping(boxes):
    return [(a, b) for i, a in enumerate(boxes) for b in boxes[i + 1:]
            if a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]]


def wheel_faults(chart, boxes, size=480):
    """Wheel labels outside their sign's sector or the label band (which no axis or cusp line crosses), out of
    longitude order within a sign, or on top of each other."""
    centre, faults, spots = size / 2, [], {}

    def longitude(x, y):
        return (math.degrees(math.atan2(centre - y, x - centre)) - 180 + chart.lagna.longitude) % 360

    for planet, (left, top, right, bottom) in boxes:
        body = chart.body(zentaric.planet_name(planet))
        corners = [(left, top), (right, top), (right, bottom), (left, bottom)]
        if not all((longitude(x, y) - 30 * body.sign_index) % 360 < 30 for x, y in corners):
            faults.append((body.name, "leaves its sign"))
        far = max(math.hypot(x - centre, y - centre) for x, y in corners)
        near = math.hypot(max(left - centre, 0, centre - right), max(top - centre, 0, centre - bottom))
        if far > BAND_OUT * size + 1 or near < BAND_IN * size - 1:
            faults.append((body.name, "leaves the band"))
        spots.setdefault(body.sign_index, []).append(
            (body.longitude, (longitude((left + right) / 2, (top + bottom) / 2) - 30 * body.sign_index) % 360))
    for sign, found in spots.items():
        placed = [angle for _, angle in sorted(found)]
        if any(later < earlier - 0.1 for earlier, later in zip(placed, placed[1:])):  # degrees
            faults.append((sign, "out of order"))
    return faults + overlapping([box for _, box in boxes])


@pytest.mark.parametrize("name", CHARTS)
@pytest.mark.parametrize("language", ["en", "hi", "ta"])
def test_wheel_labels_keep_their_sign_their_order_and_clear_of_the_axes(name, language):
    found = labels(CHARTS[name].svg(style="wheel", language=language))
    assert sorted(planet for planet, _ in found) == list(range(9))
    assert wheel_faults(CHARTS[name], [(planet, box) for planet, box in found if planet >= 0]) == []


# Eight bodies within 3.5° of one sign (the most one sign can hold: Rahu and Ketu are opposite), its sector turned
# through the whole circle: the labels once piled up on each other there.
@pytest.mark.parametrize("lagna", range(5, 360, 30))
@pytest.mark.parametrize("language", ["en", "ta"])
def test_wheel_keeps_eight_bodies_of_one_sign_apart_in_any_turn(lagna, language):
    chart = crowded(CHARTS["delhi-1990"], [40.0, 40.5, 41.0, 41.5, 42.0, 42.5, 43.0, 43.5, 223.0], lagna)
    found = labels(chart.svg(style="wheel", language=language))
    assert wheel_faults(chart, [(planet, box) for planet, box in found if planet >= 0]) == []


def test_wheel_shows_the_ascendant_and_midheaven_at_their_degrees():
    chart = CHARTS["delhi-1990"]  # Placidus: the ascendant is not a sign's start (it once sat at Virgo 0°)
    texts = {t.get("class"): t.text for t in ET.fromstring(chart.svg(style="wheel")).iter(SVG + "text")}
    for kind, degrees in (("ascendant", chart.lagna.degree), ("midheaven", chart.houses.mc_sidereal % 30)):
        minutes = round(degrees * 60)
        assert texts[kind].endswith(f" {minutes // 60}°{minutes % 60:02d}′")


@pytest.mark.parametrize("language", ["en", "hi", "ta"])
@pytest.mark.parametrize("style", ["north", "south"])
def test_a_crowded_cell_keeps_its_labels_readable(style, language):
    svg = CHARTS["crowded-triangle"].svg(style=style, language=language)
    sizes = [float(t.get("font-size")) for t in ET.fromstring(svg).iter(SVG + "text") if t.get("class") == "body"]
    assert min(sizes) >= MIN_FONT_480


@pytest.mark.parametrize("name", CHARTS)
def test_sarvashtakavarga_bindus_sit_in_their_signs(name):
    svg = CHARTS[name].svg(show="sav")
    check_cells(CHARTS[name], "south", "d1", svg, labels(svg))
    polygons, sarva = cells(svg, "south"), CHARTS[name].ashtakavarga().sarva
    shown = {int(t.get("data-sign")): (int(t.text), float(t.get("x")), float(t.get("y")), float(t.get("font-size")))
             for t in ET.fromstring(svg).iter(SVG + "text") if t.get("class") == "bindus"}
    assert sorted(shown) == list(range(12)) and sum(count for count, *_ in shown.values()) == 337
    for sign, (count, x, y, size) in shown.items():
        assert count == sarva[sign] and inside((x, y), polygons[sign])
        assert all(box[3] < y - 0.95 * size for _, box in labels(svg)
                   if inside((box[0], box[1]), polygons[sign]))  # below the cell's labels


@pytest.mark.parametrize("options", [{"show": "sav", "style": "north"}, {"show": "sav", "varga": "d9"},
                                     {"show": "shadbala"}, {"style": "east"}, {"style": "wheel", "varga": "d9"}, {"varga": "navamsa"},
                                     {"language": "xx"}])
def test_unknown_or_impossible_drawing_is_refused(options):
    with pytest.raises(ValueError):
        CHARTS["delhi-1990"].svg(**options)


def test_command_line_writes_the_drawing(tmp_path):
    command = [sys.executable, "-m", "zentaric_chart", "chart", "--date", "1990-05-15", "--time", "16:00", "--tz",
               "Asia/Kolkata", "--lat", "28.6139", "--lon", "77.2090", "--format", "svg"]
    written = subprocess.run([*command, "--style", "north", "--lang", "hi", "-o", tmp_path / "c.svg"],
                             capture_output=True, text=True)
    assert (written.returncode, written.stdout) == (0, "")  # refusals: test_bad_input.py
    assert (tmp_path / "c.svg").read_text(encoding="utf-8").strip() == CHARTS["delhi-1990"].svg("north", language="hi")


# ---- the browser --------------------------------------------------------------------------------------------

BROWSER = shutil.which("chromium")
SIZE = 480
SHOWN = [("delhi-1990", style, language, "d1") for style in ("south", "north", "wheel") for language in ("en", "hi")]
SHOWN += [("delhi-1990", ("south", "north")[k % 2], "en", varga) for k, varga in enumerate(VARGA_CODES[1:])]
SHOWN += [(name, style, language, "d1") for language in ("en", "hi", "ta")
          for name, style in (("crowded", "wheel"), ("crowded-triangle", "north"), ("crowded-triangle", "wheel"))]
SHOWN += [("crowded", "south", "hi", "d1+sav")]  # "+sav": with show="sav"
MEASURE = """<script>
document.body.dataset.boxes = JSON.stringify([...document.querySelectorAll('svg')].map(svg =>
  [...svg.querySelectorAll('text.body, text.lagna')].map(t => {
    const b = t.getBBox(); return [Number(t.dataset.planet ?? -1), [b.x, b.y, b.x + b.width, b.y + b.height]]; })));
</script>"""


def chromium(*arguments):
    # The browser runs without the sanitizer runtime that the sanitizer run preloads into the interpreter.
    environment = {name: value for name, value in os.environ.items() if name != "LD_PRELOAD"}
    result = subprocess.run([BROWSER, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                             *arguments], capture_output=True, text=True, timeout=120, env=environment)
    assert result.returncode == 0, result.stderr[-2000:]
    return result.stdout


@pytest.fixture(scope="module")
def browser_page(tmp_path_factory):
    """Every style, in English and Hindi, and every varga, side by side in one page: Chromium's picture and its text
    boxes."""
    if BROWSER is None:
        pytest.skip("chromium is not installed (make test-deps installs it)")
    svgs = [CHARTS[name].svg(style=style, varga=varga.partition("+")[0], language=language, size=SIZE,
                             show=varga.partition("+")[2] or None) for name, style, language, varga in SHOWN]
    tiles = "".join(f'<div style="position:absolute;left:{i * SIZE}px;top:0">{svg}</div>' for i, svg in enumerate(svgs))
    page = tmp_path_factory.mktemp("browser") / "charts.html"
    page.write_text(f'<!DOCTYPE html><html><head><meta charset="utf-8"></head><body style="margin:0">{tiles}'
                    f'{MEASURE}</body></html>', encoding="utf-8")
    png = page.with_suffix(".png")
    chromium(f"--screenshot={png}", f"--window-size={len(svgs) * SIZE},{SIZE}", page.as_uri())
    boxes = json.loads(html.unescape(re.search(r'data-boxes="([^"]*)"', chromium("--dump-dom", page.as_uri()))[1]))
    return svgs, png, boxes


@pytest.mark.parametrize("index", range(len(SHOWN)), ids=[f"{n}-{s}-{lang}-{v}" for n, s, lang, v in SHOWN])
def test_browser_draws_each_style_with_labels_in_place(browser_page, index):
    from PIL import Image
    svgs, png, boxes = browser_page
    ink = Image.open(png).convert("L").crop((index * SIZE, 0, (index + 1) * SIZE, SIZE)).point(
        lambda value: 255 if value < 200 else 0)
    left, top, right, bottom = ink.getbbox()
    assert right - left > 0.8 * SIZE and bottom - top > 0.8 * SIZE  # not blank: lines over the whole square
    assert 0.01 < ink.histogram()[255] / SIZE ** 2 < 0.5
    measured = [(planet, tuple(box)) for planet, box in boxes[index]]  # the browser's own text boxes
    name, style, _, varga = SHOWN[index]
    if style == "wheel":
        assert wheel_faults(CHARTS[name], [(planet, box) for planet, box in measured if planet >= 0]) == []
    else:
        check_cells(CHARTS[name], style, varga.partition("+")[0], svgs[index], measured)


@pytest.mark.parametrize("language", LANGUAGES)
def test_every_character_has_a_glyph_in_the_font_stack(language):
    from fontTools.ttLib import TTFont
    texts, stack = set(), []
    for style in ("south", "north", "wheel"):
        root = ET.fromstring(CHARTS["ulm-1879"].svg(style=style, language=language))
        stack = [family.strip(" '") for family in root.get("font-family").split(",")]
        texts |= {text.text for text in root.iter(SVG + "text")}
    assert stack.pop() == "sans-serif"
    cmaps = []
    for family in stack:  # the file fontconfig gives the browser for each family; the family itself must be there
        found, path = subprocess.run(["fc-match", "-f", "%{family[0]}|%{file}", family], capture_output=True,
                                     text=True, check=True).stdout.split("|")
        assert found == family
        cmaps.append(TTFont(path, fontNumber=0).getBestCmap())
    assert {char for text in texts for char in text if not char.isspace()
            and not any(ord(char) in cmap for cmap in cmaps)} == set()
