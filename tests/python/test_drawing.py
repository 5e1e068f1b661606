"""Chart drawings: every label in its sign's or house's cell, no two wheel labels on top of each other, and a real
browser (Debian's headless Chromium) drawing every style with fonts that hold every glyph."""
import html
import json
import math
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET
from datetime import datetime, timedelta, timezone

import pytest
import zentaric

from zentaric_chart import Birth, natal
from zentaric_chart.drawing import text_width

SVG = "{http://www.w3.org/2000/svg}"
# Several bodies in one sign (Sun, Mercury, Venus, Saturn in Pisces); Mercury and Saturn retrograde; south of the
# equator. Ulm keeps local mean time (9.99° E: 40 minutes ahead of UTC).
BIRTHS = {
    "ulm-1879": Birth(datetime(1879, 3, 14, 11, 30, tzinfo=timezone(timedelta(minutes=40))), 48.4011, 9.9876),
    "delhi-1990": Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata"),
    "melbourne-1968": Birth("1968-05-28 11:00", -37.8136, 144.9631, tz="Australia/Melbourne"),
}
CHARTS = {name: natal(birth) for name, birth in BIRTHS.items()}
# Where each label may go, as (chart, style, varga, language).
CASES = [(name, style, varga, language) for name in BIRTHS for style in ("south", "north")
         for varga, language in (("d1", "en"), ("d9", "ta"))]


def labels(svg):
    """(planet row or -1 for the lagna, text, font size, x, y, anchor) of every body and lagna label."""
    root = ET.fromstring(svg)
    return [(int(text.get("data-planet", -1)), text.text, float(text.get("font-size")), float(text.get("x")),
             float(text.get("y")), text.get("text-anchor", "start"))
            for text in root.iter(SVG + "text") if text.get("class") in ("body", "lagna")]


def estimated_box(text, size, x, y, anchor):
    width = text_width(text, size)
    left = x - width / 2 if anchor == "middle" else x
    return left, y - 0.95 * size, left + width, y + 0.35 * size


def inside(point, polygon):
    """Inside or on a convex polygon (either orientation)."""
    signs = {math.copysign(1, (b[0] - a[0]) * (point[1] - a[1]) - (b[1] - a[1]) * (point[0] - a[0]))
             for a, b in zip(polygon, polygon[1:] + polygon[:1])
             if (b[0] - a[0]) * (point[1] - a[1]) - (b[1] - a[1]) * (point[0] - a[0]) != 0}
    return len(signs) <= 1


def cells(svg, style):
    """Cell polygon of each sign (south) or house (north), checked against the fixed layout of the style."""
    root = ET.fromstring(svg)
    if style == "south":
        rects = {int(r.get("data-sign")): r for r in root.iter(SVG + "rect") if r.get("data-sign")}
        left = min(float(r.get("x")) for r in rects.values())
        top = min(float(r.get("y")) for r in rects.values())
        side = float(rects[0].get("width"))
        # Pisces top left, then clockwise round the frame.
        ring = [(0, 0), (0, 1), (0, 2), (0, 3), (1, 3), (2, 3), (3, 3), (3, 2), (3, 1), (3, 0), (2, 0), (1, 0)]
        polygons = {}
        for position, (row, column) in enumerate(ring):
            sign = (11 + position) % 12
            x, y = left + column * side, top + row * side
            assert (float(rects[sign].get("x")), float(rects[sign].get("y"))) == pytest.approx((x, y), abs=0.02)
            polygons[sign] = [(x, y), (x + side, y), (x + side, y + side), (x, y + side)]
        return polygons
    polygons = {int(p.get("data-house")): [tuple(map(float, xy.split(","))) for xy in p.get("points").split()]
                for p in root.iter(SVG + "polygon") if p.get("data-house")}
    middle = sum(x for polygon in polygons.values() for x, _ in polygon) / sum(map(len, polygons.values()))
    angles = [math.degrees(math.atan2(middle - sum(y for _, y in polygons[house]) / len(polygons[house]),
                                      sum(x for x, _ in polygons[house]) / len(polygons[house]) - middle)) - 90
              for house in range(1, 13)]
    # House 1 at the top centre, then anticlockwise.
    turned = [angle % 360 for angle in angles]
    assert turned[0] == pytest.approx(0, abs=1e-6) and turned == sorted(turned)
    return polygons


def expected_cell(chart, style, varga, planet):
    body = {0: "Sun", 1: "Moon", 2: "Mars", 3: "Mercury", 4: "Jupiter", 5: "Venus", 6: "Saturn", 7: "Rahu",
            8: "Ketu"}
    lagna = zentaric.compute_varga(chart.lagna.longitude, varga)
    sign = lagna if planet < 0 else zentaric.compute_varga(chart.body(body[planet]).longitude, varga)
    return sign if style == "south" else (sign - lagna) % 12 + 1


def check_cells(chart, style, varga, svg, boxes):
    """boxes: (planet, (left, top, right, bottom)) of every label."""
    polygons = cells(svg, style)
    assert sorted(planet for planet, _ in boxes) == list(range(-1, 9))
    for planet, (left, top, right, bottom) in boxes:
        polygon = polygons[expected_cell(chart, style, varga, planet)]
        for corner in ((left, top), (right, top), (right, bottom), (left, bottom)):
            assert inside(corner, polygon), (planet, corner, polygon)


@pytest.mark.parametrize("name, style, varga, language", CASES)
def test_every_label_lies_in_its_sign_or_house(name, style, varga, language):
    chart = CHARTS[name]
    svg = chart.svg(style=style, varga=varga, language=language)
    check_cells(chart, style, varga, svg,
                [(planet, estimated_box(text, size, x, y, anchor)) for planet, text, size, x, y, anchor in labels(svg)])
    if style == "north":
        lagna = zentaric.compute_varga(chart.lagna.longitude, varga)
        numbers = [(int(t.text), float(t.get("x")), float(t.get("y"))) for t in ET.fromstring(svg).iter(SVG + "text")
                   if t.get("class") == "sign-number"]
        polygons = cells(svg, style)
        for house, polygon in polygons.items():
            assert [n for n, x, y in numbers if inside((x, y), polygon)] == [(lagna + house - 1) % 12 + 1]


def overlapping(boxes):
    return [(a, b) for i, a in enumerate(boxes) for b in boxes[i + 1:]
            if a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]]


@pytest.mark.parametrize("name", BIRTHS)
@pytest.mark.parametrize("language", ["en", "hi", "ta"])
def test_wheel_labels_never_overlap(name, language):
    svg = CHARTS[name].svg(style="wheel", language=language)
    found = labels(svg)
    assert sorted(planet for planet, *_ in found) == list(range(9))
    assert overlapping([estimated_box(*label[1:]) for label in found]) == []


def test_wrong_style_varga_or_language_is_refused():
    chart = CHARTS["delhi-1990"]
    for kwargs in ({"style": "east"}, {"style": "wheel", "varga": "d9"}, {"varga": "navamsa"}, {"language": "xx"}):
        with pytest.raises(ValueError):
            chart.svg(**kwargs)


# ---- the browser --------------------------------------------------------------------------------------------

BROWSER = shutil.which("chromium")
SIZE = 480
SHOWN = [(style, language) for style in ("south", "north", "wheel") for language in ("en", "hi")]
MEASURE = """<script>
document.body.dataset.boxes = JSON.stringify([...document.querySelectorAll('svg')].map(svg =>
  [...svg.querySelectorAll('text.body, text.lagna')].map(t => {
    const b = t.getBBox(); return [Number(t.dataset.planet ?? -1), b.x, b.y, b.x + b.width, b.y + b.height]; })));
</script>"""


def chromium(*arguments):
    result = subprocess.run([BROWSER, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                             *arguments], capture_output=True, text=True, timeout=120)
    assert result.returncode == 0, result.stderr[-2000:]
    return result.stdout


@pytest.fixture(scope="module")
def browser_page(tmp_path_factory):
    """All pictures of one chart side by side in one page, drawn and measured by Chromium."""
    if BROWSER is None:
        pytest.skip("chromium is not installed (make test-deps installs it)")
    chart = CHARTS["delhi-1990"]
    svgs = [chart.svg(style=style, language=language, size=SIZE) for style, language in SHOWN]
    tiles = "".join(f'<div style="position:absolute;left:{i * SIZE}px;top:0">{svg}</div>'
                    for i, svg in enumerate(svgs))
    page = tmp_path_factory.mktemp("browser") / "charts.html"
    page.write_text(f'<!DOCTYPE html><html><head><meta charset="utf-8"></head><body style="margin:0">{tiles}'
                    f'{MEASURE}</body></html>', encoding="utf-8")
    png = page.with_suffix(".png")
    chromium(f"--screenshot={png}", f"--window-size={len(svgs) * SIZE},{SIZE}", page.as_uri())
    dom = chromium("--dump-dom", page.as_uri())
    boxes = json.loads(html.unescape(re.search(r'data-boxes="([^"]*)"', dom)[1]))
    return chart, svgs, png, boxes


@pytest.mark.parametrize("index", range(len(SHOWN)), ids=[f"{s}-{lang}" for s, lang in SHOWN])
def test_browser_draws_each_style_with_labels_in_place(browser_page, index):
    from PIL import Image
    chart, svgs, png, boxes = browser_page
    style, _ = SHOWN[index]
    tile = Image.open(png).convert("L").crop((index * SIZE, 0, (index + 1) * SIZE, SIZE))
    ink = tile.point(lambda value: 255 if value < 200 else 0)
    left, top, right, bottom = ink.getbbox()
    # Not blank: ink over most of the square, and not a single block of colour.
    assert right - left > 0.8 * SIZE and bottom - top > 0.8 * SIZE
    assert 0.01 < sum(ink.histogram()[255:]) / SIZE ** 2 < 0.5
    measured = [(int(planet), tuple(box)) for planet, *box in boxes[index]]
    if style == "wheel":
        assert overlapping([box for _, box in measured]) == []
    else:
        check_cells(chart, style, "d1", svgs[index], measured)


def font_files(families):
    """The file that fontconfig gives for each family of the stack (the family must be installed itself)."""
    files = []
    for family in families:
        found, path = subprocess.run(["fc-match", "-f", "%{family[0]}|%{file}", family], capture_output=True,
                                     text=True, check=True).stdout.split("|")
        assert found == family, f"font family {family!r} is not installed (fontconfig offers {found!r})"
        files.append(path)
    return files


@pytest.mark.parametrize("language", ["en", "hi", "sa", "ta", "te", "kn", "bn"])
def test_every_character_has_a_glyph_in_the_font_stack(language):
    from fontTools.ttLib import TTFont
    if shutil.which("fc-match") is None:
        pytest.skip("fontconfig is not installed")
    chart = CHARTS["ulm-1879"]
    texts = set()
    for style in ("south", "north", "wheel"):
        root = ET.fromstring(chart.svg(style=style, language=language))
        stack = [family.strip(" '") for family in root.get("font-family").split(",")]
        texts |= {text.text for text in root.iter(SVG + "text") if text.text}
    assert stack[-1] == "sans-serif"
    maps = [TTFont(path, fontNumber=0).getBestCmap() for path in font_files(stack[:-1])]
    missing = {char for text in texts for char in text if not char.isspace() and
               not any(ord(char) in cmap for cmap in maps)}
    assert missing == set()


def test_command_line_writes_the_drawing(tmp_path):
    birth = ["--date", "1990-05-15", "--time", "16:00", "--tz", "Asia/Kolkata", "--lat", "28.6139", "--lon", "77.2090"]
    command = [sys.executable, "-m", "zentaric_chart", "chart", *birth, "--format", "svg"]
    written = subprocess.run([*command, "--style", "north", "--lang", "hi", "-o", str(tmp_path / "c.svg")],
                             capture_output=True, text=True)
    assert (written.returncode, written.stdout) == (0, "")
    assert (tmp_path / "c.svg").read_text(encoding="utf-8").strip() == CHARTS["delhi-1990"].svg("north", language="hi")
    refused = subprocess.run([*command, "--style", "wheel", "--varga", "d9"], capture_output=True, text=True)
    assert refused.returncode == 2 and refused.stderr.count("\n") == 1 and "--varga" in refused.stderr
