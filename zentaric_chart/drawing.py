"""Chart drawings as self-contained SVG: the South Indian and North Indian square charts and the Western wheel.

A drawing is computed from a `Figure`, the few numbers a picture needs of a chart (sidereal longitudes of the
nine grahas, the lagna, the house cusps in the same zodiac, the aspects), so that this module depends on nothing
but the module's public name and varga functions. `Chart.svg` builds the `Figure` from a chart.

- south: the fixed 4 × 4 frame of the twelve sidereal signs, Pisces top left and the signs running clockwise
  (Pisces, Aries, Taurus, Gemini across the top); the lagna's sign carries a diagonal stroke in its top-left
  corner and the lagna's own label; the twelve outer cells name their sign in small type.
- north: the diamond with the houses fixed, house 1 the top-centre diamond and the houses counted
  anticlockwise; each house carries the number (1 Aries … 12 Pisces) of the sidereal sign it holds. The houses
  are whole signs counted from the lagna's sign, as a rashi chart is read: with another house system the chart's
  own house of a body may differ from the cell it is drawn in.
- wheel: the sign ring, the chart's own house cusps, the bodies at their longitudes with labels spread so that
  no two overlap, and the aspects as chords inside. The wheel is drawn in the chart's zodiac (sidereal unless
  the chart is tropical), ascendant on the left and longitudes increasing anticlockwise.

A varga other than "d1" draws that divisional chart (south or north only): every body and the lagna go to the
sign `zentaric.compute_varga` gives, and the labels carry no degree (a degree within the varga sign is not one
of the birth chart's degrees).

Labels: each body is a short name, its degree within the sign (whole degrees, truncated) and, when retrograde,
a mark in parentheses: "(R)" in English, the first letter of vakra ("va", व, வ, వ, ವ, ব) in the other
languages. Short names are the first two letters in the Latin-script languages (English "Su", "Mo", "Ma", …;
Sanskrit "Sū", "Ca", "Ma", …) and the first akshara (a letter with its vowel signs and marks) in the Indic
scripts (हिन्दी "सू", "च", "मं", …), extended by further aksharas only where two names would read the same
(Tamil "சந்" for the Moon and "சனி" for Saturn). The text uses a stack of Noto families that covers every
script of the module; no font or image is embedded or linked.
"""
from __future__ import annotations

import math
import unicodedata
import xml.etree.ElementTree as ET
from dataclasses import dataclass
from functools import lru_cache
from typing import Sequence

import zentaric

from zentaric_chart import _names

__all__ = ["BodyPoint", "FONT_FAMILY", "Figure", "STYLES", "draw", "short_names", "text_width"]

STYLES = ("south", "north", "wheel")
FONT_FAMILY = ("'Noto Sans', 'Noto Sans Devanagari', 'Noto Sans Tamil', 'Noto Sans Telugu', "
               "'Noto Sans Kannada', 'Noto Sans Bengali', sans-serif")

# Words of this module's own, by language code: the lagna's label and the retrograde mark.
LAGNA_WORD = {"en": "Asc", "hi": "लग्न", "sa": "La", "ta": "லக்னம்", "te": "లగ్నం", "kn": "ಲಗ್ನ", "bn": "লগ্ন"}
RETROGRADE_MARK = {"en": "R", "hi": "व", "sa": "va", "ta": "வ", "te": "వ", "kn": "ವ", "bn": "ব"}
LANGUAGE_CODES = {name: code for code, full in zip(_names.LANGUAGES, _names.LANGUAGE_NAMES, strict=True)
                  for name in (code, full)}

INK, GRID, FAINT = "#1a1a2e", "#44475a", "#8a8fa3"
ASPECT_COLOURS = {"Trine": "#2b6cb0", "Sextile": "#2b6cb0", "Square": "#c53030", "Opposition": "#c53030"}


@dataclass(frozen=True)
class BodyPoint:
    """One graha as a drawing needs it: row of the localised planet table (0 Sun … 8 Ketu), sidereal longitude
    in degrees, retrograde flag."""
    planet: int
    longitude: float
    retrograde: bool


@dataclass(frozen=True)
class Figure:
    """What a drawing needs of a chart: the bodies, the lagna (sidereal ascendant, degrees), the twelve house
    cusps in the bodies' zodiac, the aspects as (index, index, kind) into `bodies`, and caption lines for the
    middle of the square charts."""
    bodies: Sequence[BodyPoint]
    lagna: float
    cusps: Sequence[float]
    aspects: Sequence[tuple[int, int, str]] = ()
    caption: Sequence[str] = ()
    mc: float | None = None  # the midheaven in the same zodiac


# ---- text ---------------------------------------------------------------------------------------------------

def _units(text: str) -> list[str]:
    """The text cut into letters, each with the combining marks that follow it (an akshara stays whole where a
    virama joins two consonants only as far as the marks go)."""
    units: list[str] = []
    for char in text:
        if units and unicodedata.category(char) in ("Mn", "Mc", "Me"):
            units[-1] += char
        else:
            units.append(char)
    return units


@lru_cache(maxsize=None)
def short_names(language: str = "en") -> tuple[str, ...]:
    """Short labels of the nine grahas in the localised planet order (see the module docstring)."""
    names = [_units(zentaric.planet_name(index, language)) for index in range(9)]
    start = 2 if names[0][0].isascii() else 1
    lengths = [start] * 9
    for index, units in enumerate(names):
        while lengths[index] < len(units) and any(
                "".join(units[:lengths[index]]) == "".join(other[:lengths[index]])
                for other_index, other in enumerate(names) if other_index != index):
            lengths[index] += 1
    return tuple("".join(units[:length]) for units, length in zip(names, lengths))


def text_width(text: str, font_size: float) -> float:
    """Advance width of a text in pixels, estimated on the generous side for the Noto fonts."""
    em = 0.0
    for char in text:
        category = unicodedata.category(char)
        if category in ("Mn", "Me", "Cf"):
            continue
        if category == "Mc":
            em += 0.35
        elif char == " ":
            em += 0.28
        elif char.isdigit() and char.isascii():
            em += 0.58
        elif char.isascii():
            em += 0.72 if char.isupper() else 0.58
        elif ord(char) < 0x0900:
            em += 0.68  # Latin with diacritics, degree sign
        else:
            em += 0.82  # Indic letters
    return em * font_size


def _label(short: str, degree: float | None, retrograde: bool, language: str) -> str:
    text = short if degree is None else f"{short} {int(degree)}°"
    return f"{text} ({RETROGRADE_MARK[language]})" if retrograde else text


# ---- SVG helpers --------------------------------------------------------------------------------------------

def _svg(size: float, title: str) -> ET.Element:
    root = ET.Element("svg", {
        "xmlns": "http://www.w3.org/2000/svg", "viewBox": f"0 0 {_n(size)} {_n(size)}",
        "width": _n(size), "height": _n(size), "font-family": FONT_FAMILY, "role": "img"})
    ET.SubElement(root, "title").text = title
    ET.SubElement(root, "rect", {"x": "0", "y": "0", "width": _n(size), "height": _n(size), "fill": "#ffffff"})
    return root


def _n(value: float) -> str:
    return f"{value:.2f}".rstrip("0").rstrip(".")


def _text(parent: ET.Element, x: float, y: float, text: str, size: float, **attributes: str) -> ET.Element:
    element = ET.SubElement(parent, "text", {"x": _n(x), "y": _n(y), "font-size": _n(size), **attributes})
    element.text = text
    return element


def _line(parent: ET.Element, x1: float, y1: float, x2: float, y2: float, stroke: str = GRID,
          width: float = 1.0) -> None:
    ET.SubElement(parent, "line", {"x1": _n(x1), "y1": _n(y1), "x2": _n(x2), "y2": _n(y2),
                                   "stroke": stroke, "stroke-width": _n(width)})


def _polygon(parent: ET.Element, points: Sequence[tuple[float, float]], **attributes: str) -> None:
    ET.SubElement(parent, "polygon", {"points": " ".join(f"{_n(x)},{_n(y)}" for x, y in points),
                                      "fill": "none", "stroke": GRID, "stroke-width": "1.5", **attributes})


@dataclass(frozen=True)
class _Item:
    text: str
    planet: int  # -1 for the lagna


def _fill_box(parent: ET.Element, items: Sequence[_Item], box: tuple[float, float, float, float],
              font_size: float) -> None:
    """Lay the labels out in rows and columns inside box (x, y, width, height), shrinking the type until they
    fit; the block is centred in the box."""
    if not items:
        return
    x, y, width, height = box
    size = font_size
    while True:
        column = max(text_width(item.text, size) for item in items) + 0.5 * size
        line = 1.3 * size
        columns = max(1, min(len(items), int((width + 0.5 * size) // column)))
        rows = math.ceil(len(items) / columns)
        if (rows * line <= height and column - 0.5 * size <= width) or size < 4:
            break
        size *= 0.92
    block_width = columns * column - 0.5 * size
    left = x + (width - block_width) / 2
    top = y + (height - rows * line) / 2
    for index, item in enumerate(items):
        row, col = divmod(index, columns)
        baseline = top + row * line + 0.95 * size
        attributes = {"class": "lagna" if item.planet < 0 else "body", "fill": INK}
        if item.planet >= 0:
            attributes["data-planet"] = str(item.planet)
        else:
            attributes["font-weight"] = "bold"
        _text(parent, left + col * column, baseline, item.text, size, **attributes)


def _sign_items(figure: Figure, varga: str, language: str) -> tuple[int, dict[int, list[_Item]]]:
    """The lagna's sign and the labels in each sign of the chosen varga."""
    shorts = short_names(language)
    d1 = varga == "d1"
    lagna_sign = zentaric.compute_varga(figure.lagna, varga)
    cells: dict[int, list[_Item]] = {sign: [] for sign in range(12)}
    cells[lagna_sign].append(_Item(_label(LAGNA_WORD[language], figure.lagna % 30 if d1 else None, False,
                                          language), -1))
    for body in sorted(figure.bodies, key=lambda point: point.planet):
        sign = zentaric.compute_varga(body.longitude, varga)
        text = _label(shorts[body.planet], body.longitude % 30 if d1 else None, body.retrograde, language)
        cells[sign].append(_Item(text, body.planet))
    return lagna_sign, cells


def _caption(parent: ET.Element, centre: tuple[float, float], lines: Sequence[str], size: float) -> None:
    top = centre[1] - (len(lines) - 1) * 0.65 * size
    for index, line in enumerate(lines):
        _text(parent, centre[0], top + index * 1.3 * size + 0.35 * size, line, size * (1.25 if index == 0 else 1),
              **{"text-anchor": "middle", "fill": INK if index == 0 else FAINT, "class": "caption"})


# ---- South Indian -------------------------------------------------------------------------------------------

# (row, column) of each sign 0 Aries … 11 Pisces in the 4 × 4 frame: Pisces top left, then clockwise.
SOUTH_CELLS = ((0, 1), (0, 2), (0, 3), (1, 3), (2, 3), (3, 3), (3, 2), (3, 1), (3, 0), (2, 0), (1, 0), (0, 0))


def _south(figure: Figure, varga: str, language: str, size: float) -> ET.Element:
    root = _svg(size, f"South Indian chart {varga.upper()}")
    margin = size * 0.01
    cell = (size - 2 * margin) / 4
    font = size / 38
    lagna_sign, cells = _sign_items(figure, varga, language)
    ET.SubElement(root, "rect", {"x": _n(margin), "y": _n(margin), "width": _n(4 * cell), "height": _n(4 * cell),
                                 "fill": "none", "stroke": GRID, "stroke-width": "1.5"})
    for sign, (row, column) in enumerate(SOUTH_CELLS):
        x, y = margin + column * cell, margin + row * cell
        ET.SubElement(root, "rect", {"x": _n(x), "y": _n(y), "width": _n(cell), "height": _n(cell),
                                     "fill": "#fbf8f1" if sign == lagna_sign else "none", "stroke": GRID,
                                     "stroke-width": "1", "class": "sign", "data-sign": str(sign)})
        _text(root, x + cell - 0.06 * cell, y + 0.16 * cell, zentaric.sign_name(sign, language), font * 0.72,
              **{"text-anchor": "end", "fill": FAINT, "class": "sign-name"})
        if sign == lagna_sign:
            _line(root, x, y + 0.24 * cell, x + 0.24 * cell, y, INK, 1.5)
        _fill_box(root, cells[sign], (x + 0.05 * cell, y + 0.22 * cell, 0.9 * cell, 0.74 * cell), font)
    _caption(root, (size / 2, size / 2), [varga.upper(), *figure.caption], font)
    return root


# ---- North Indian -------------------------------------------------------------------------------------------

def north_houses(size: float, margin: float) -> list[list[tuple[float, float]]]:
    """The twelve house polygons of the North Indian diamond, house 1 first, anticlockwise."""
    low, high, mid = margin, size - margin, size / 2
    quarter, three_quarters = (low + mid) / 2, (mid + high) / 2
    top, right, bottom, left = (mid, low), (high, mid), (mid, high), (low, mid)
    top_left, top_right, bottom_right, bottom_left = (low, low), (high, low), (high, high), (low, high)
    inner_tl, inner_tr = (quarter, quarter), (three_quarters, quarter)
    inner_br, inner_bl = (three_quarters, three_quarters), (quarter, three_quarters)
    centre = (mid, mid)
    return [
        [top, inner_tl, centre, inner_tr], [top_left, top, inner_tl], [top_left, inner_tl, left],
        [left, inner_tl, centre, inner_bl], [left, inner_bl, bottom_left], [bottom_left, inner_bl, bottom],
        [bottom, inner_bl, centre, inner_br], [bottom, inner_br, bottom_right], [bottom_right, inner_br, right],
        [right, inner_br, centre, inner_tr], [right, inner_tr, top_right], [top_right, inner_tr, top],
    ]


def _north_box(polygon: list[tuple[float, float]], low: float, high: float
               ) -> tuple[tuple[float, float, float, float], tuple[float, float]]:
    """A label box (x, y, width, height) inside a house polygon of the frame [low, high]², and the place of the
    house's sign number: near the centre in a diamond, near the apex in a triangle."""
    quarter_side = (high - low) / 4
    if len(polygon) == 4:  # diamond: outer vertex first, the frame's centre third
        (ox, oy), (cx, cy) = polygon[0], polygon[2]
        mx, my = (ox + cx) / 2, (oy + cy) / 2
        inward = ((cx - ox) / (2 * quarter_side), (cy - oy) / (2 * quarter_side))
        number = (mx + inward[0] * 0.68 * quarter_side, my + inward[1] * 0.68 * quarter_side)
        half_w, half_h = 0.56 * quarter_side, 0.34 * quarter_side
        bx, by = mx - inward[0] * 0.08 * quarter_side, my - inward[1] * 0.08 * quarter_side
        return (bx - half_w, by - half_h, 2 * half_w, 2 * half_h), number
    apex = next(p for p in polygon if low < p[0] < high and low < p[1] < high)
    base = [p for p in polygon if p != apex]
    bx, by = (base[0][0] + base[1][0]) / 2, (base[0][1] + base[1][1]) / 2
    axis = ((apex[0] - bx) / quarter_side, (apex[1] - by) / quarter_side)  # unit vector from base to apex
    vertical = axis[0] == 0
    lip = 0.06 * quarter_side
    depth = (0.5 if vertical else 0.64) * quarter_side
    span = quarter_side - depth - lip  # half the triangle's width at that depth, less the lip
    number = (bx + axis[0] * 0.82 * quarter_side, by + axis[1] * 0.82 * quarter_side)
    near = (bx + axis[0] * lip, by + axis[1] * lip)
    far = (bx + axis[0] * depth, by + axis[1] * depth)
    if vertical:
        return (bx - span, min(near[1], far[1]), 2 * span, abs(far[1] - near[1])), number
    return (min(near[0], far[0]), by - span, abs(far[0] - near[0]), 2 * span), number


def _north(figure: Figure, varga: str, language: str, size: float) -> ET.Element:
    root = _svg(size, f"North Indian chart {varga.upper()}")
    margin = size * 0.01
    font = size / 38
    lagna_sign, cells = _sign_items(figure, varga, language)
    for house, polygon in enumerate(north_houses(size, margin), start=1):
        sign = (lagna_sign + house - 1) % 12
        _polygon(root, polygon, **{"class": "house", "data-house": str(house),
                                   "fill": "#fbf8f1" if house == 1 else "none"})
        box, number = _north_box(polygon, margin, size - margin)
        _text(root, number[0], number[1] + 0.35 * font, str(sign + 1), font * 0.9,
              **{"text-anchor": "middle", "fill": FAINT, "class": "sign-number"})
        _fill_box(root, cells[sign], box, font)
    return root


# ---- Western wheel ------------------------------------------------------------------------------------------

def _spread(angles: list[float], boxes: list[tuple[float, float]], radius: float, pad: float) -> list[float]:
    """Angles (radians, screen) moved apart just enough that boxes (width, height) centred on the circle of the
    given radius do not overlap; neighbours are pushed symmetrically until every gap holds."""
    count = len(angles)
    if count < 2:
        return list(angles)
    placed = list(angles)

    def needed(first: int, second: int) -> float:
        middle = (placed[first] + placed[second]) / 2
        sin, cos = abs(math.sin(middle)), abs(math.cos(middle))
        across = (boxes[first][0] + boxes[second][0]) / 2 + pad
        along = (boxes[first][1] + boxes[second][1]) / 2 + pad
        chord = min(across / sin if sin > 1e-9 else math.inf, along / cos if cos > 1e-9 else math.inf)
        return 2 * math.asin(min(1.0, chord / (2 * radius)))

    for _ in range(500):
        moved = False
        order = sorted(range(count), key=lambda index: placed[index] % (2 * math.pi))
        for position in range(count):
            first, second = order[position], order[(position + 1) % count]
            gap = (placed[second] - placed[first]) % (2 * math.pi)
            want = needed(first, second)
            if gap < want - 1e-9:
                push = (want - gap) / 2 + 1e-4
                placed[first] -= push
                placed[second] += push
                moved = True
        if not moved:
            break
    return placed


def _overlaps(boxes: list[tuple[float, float, float, float]]) -> bool:
    return any(a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]
               for i, a in enumerate(boxes) for b in boxes[i + 1:])


def _wheel(figure: Figure, language: str, size: float) -> ET.Element:
    root = _svg(size, "Western wheel")
    centre = size / 2
    outer, ring, aspect_radius = 0.48 * size, 0.40 * size, 0.20 * size
    font = size / 40
    ascendant = figure.cusps[0]

    def angle(longitude: float) -> float:  # screen angle, radians: ascendant at 9 o'clock, anticlockwise
        return math.radians(180.0 + longitude - ascendant)

    def point(longitude_or_angle: float, radius: float, is_angle: bool = False) -> tuple[float, float]:
        phi = longitude_or_angle if is_angle else angle(longitude_or_angle)
        return centre + radius * math.cos(phi), centre - radius * math.sin(phi)

    for sign in range(12):
        start, end = sign * 30.0, sign * 30.0 + 30.0
        (x1, y1), (x2, y2) = point(start, outer), point(end, outer)
        (x3, y3), (x4, y4) = point(end, ring), point(start, ring)
        path = (f"M{_n(x1)},{_n(y1)} A{_n(outer)},{_n(outer)} 0 0 0 {_n(x2)},{_n(y2)} L{_n(x3)},{_n(y3)} "
                f"A{_n(ring)},{_n(ring)} 0 0 1 {_n(x4)},{_n(y4)} Z")
        ET.SubElement(root, "path", {"d": path, "fill": "#f4f1ea" if sign % 2 else "#fbf8f1", "stroke": GRID,
                                     "stroke-width": "1", "class": "sign", "data-sign": str(sign)})
        middle = angle(start + 15.0)
        x, y = point(middle, (outer + ring) / 2, True)
        rotation = 90.0 - math.degrees(middle)
        rotation = (rotation + 180.0) % 360.0 - 180.0
        if rotation > 90.0 or rotation < -90.0:
            rotation += 180.0
        _text(root, x, y + 0.35 * font, zentaric.sign_name(sign, language), font * 0.85,
              **{"text-anchor": "middle", "fill": INK, "class": "sign-name",
                 "transform": f"rotate({_n(rotation)} {_n(x)} {_n(y)})"})
    ET.SubElement(root, "circle", {"cx": _n(centre), "cy": _n(centre), "r": _n(aspect_radius), "fill": "none",
                                   "stroke": FAINT, "stroke-width": "1"})
    for house, cusp in enumerate(figure.cusps, start=1):
        angular = house in (1, 4, 7, 10)
        (x1, y1), (x2, y2) = point(cusp, ring), point(cusp, aspect_radius)
        _line(root, x1, y1, x2, y2, INK if angular else FAINT, 2.0 if angular else 0.8)
        following = figure.cusps[house % 12]
        middle = cusp + ((following - cusp) % 360.0) / 2
        x, y = point(middle, aspect_radius + 0.018 * size)
        _text(root, x, y + 0.3 * font, str(house), font * 0.75,
              **{"text-anchor": "middle", "fill": FAINT, "class": "house-number"})
    # the ascendant's word just inside the aspect circle, above its line, clear of the body labels
    _text(root, centre - aspect_radius + 0.012 * size, centre - 0.4 * font, LAGNA_WORD[language], font * 0.8,
          **{"fill": INK, "font-weight": "bold", "class": "ascendant", "stroke": "#ffffff",
             "stroke-width": _n(0.25 * font), "paint-order": "stroke"})
    for first, second, kind in figure.aspects:
        colour = ASPECT_COLOURS.get(kind)
        if colour is None:
            continue
        (x1, y1) = point(figure.bodies[first].longitude, aspect_radius)
        (x2, y2) = point(figure.bodies[second].longitude, aspect_radius)
        _line(root, x1, y1, x2, y2, colour, 1.0)

    shorts = short_names(language)
    texts = [_label(shorts[body.planet], body.longitude % 30, body.retrograde, language) for body in figure.bodies]
    label_radius = 0.315 * size
    pad = 0.15 * font
    for _ in range(8):
        sizes = [(text_width(text, font), 1.5 * font) for text in texts]
        spread = _spread([angle(body.longitude) for body in figure.bodies], sizes, label_radius, pad)
        centres = [point(phi, label_radius, True) for phi in spread]
        boxes = [(x - w / 2, y - h / 2, x + w / 2, y + h / 2) for (x, y), (w, h) in zip(centres, sizes)]
        if not _overlaps(boxes):
            break
        pad *= 1.6
    for body, text, phi, (x, y) in zip(figure.bodies, texts, spread, centres):
        (tx1, ty1), (tx2, ty2) = point(body.longitude, ring), point(body.longitude, ring - 0.03 * size)
        _line(root, tx1, ty1, tx2, ty2, INK, 1.5)
        width, height = text_width(text, font), 1.5 * font
        cos, sin = abs(math.cos(phi)), abs(math.sin(phi))
        reach = min(width / 2 / cos if cos > 1e-9 else math.inf, height / 2 / sin if sin > 1e-9 else math.inf)
        lx, ly = point(phi, label_radius + reach + 0.004 * size, True)
        _line(root, tx2, ty2, lx, ly, FAINT, 0.6)
        ax, ay = point(body.longitude, aspect_radius)
        ET.SubElement(root, "circle", {"cx": _n(ax), "cy": _n(ay), "r": _n(0.006 * size), "fill": INK})
        _text(root, x, y + 0.35 * font, text, font,
              **{"text-anchor": "middle", "fill": INK, "class": "body", "data-planet": str(body.planet),
                 "stroke": "#ffffff", "stroke-width": _n(0.25 * font), "paint-order": "stroke"})  # a halo over lines
    return root


# ---- entry point --------------------------------------------------------------------------------------------

def draw(figure: Figure, style: str = "south", varga: str = "d1", language: str = "en", size: float = 480) -> str:
    """The chart as SVG text: style "south", "north" or "wheel"; varga as `zentaric.compute_varga` names them
    (the wheel only for the birth chart, "d1"); language one of the module's seven; size the picture's side in
    pixels (the drawing scales with its viewBox)."""
    if not isinstance(style, str):
        raise TypeError(f"style must be a str, not {type(style).__name__}")
    if style not in STYLES:
        raise _names.UnknownName("style", style, STYLES, _names.closest(style, STYLES))
    if isinstance(size, bool) or not isinstance(size, (int, float)):
        raise TypeError(f"size must be a number of pixels, not {type(size).__name__}")
    if not (0 < size < 1e6):  # beyond a million pixels the coordinates lose their decimals
        raise ValueError(f"size must be a positive number of pixels below 1e6, not {size!r:.40}")
    code = LANGUAGE_CODES[_names.language(language).lower()]  # checked by the module, with a suggestion
    _names.varga(varga)  # the module's check of the name, with the closest accepted one
    canonical = _names.varga_code(varga)
    if style == "wheel":
        if canonical != "d1":
            raise ValueError(f"The wheel draws the birth chart only (varga 'd1'), not {varga!r}")
        root = _wheel(figure, code, size)
    elif style == "south":
        root = _south(figure, canonical, code, size)
    else:
        root = _north(figure, canonical, code, size)
    return ET.tostring(root, encoding="unicode")
