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
- wheel: the sign ring, the chart's own house cusps (ticks at the ring and at the aspect circle, so that no line
  crosses a label), the horizon and the meridian with the ascendant's and midheaven's degrees, the bodies at their
  longitudes, and the aspects as chords inside. Each body's label stays inside its sign's sector, in longitude
  order: on one circle, or dealt in turn to two to four circles of the band, with smaller type only where those do
  not hold a crowded sign. The wheel is drawn in the chart's zodiac (sidereal unless the chart is tropical), the
  ascendant's degree on the left and longitudes increasing anticlockwise.

A varga other than "d1" draws that divisional chart (south or north only): every body and the lagna go to the
sign `zentaric.compute_varga` gives, and the labels carry no degree (a degree within the varga sign is not one
of the birth chart's degrees).

In the square charts a crowded cell sets its labels in as many columns as fit, at no less than 9 px at size 480
(in a triangle of the North Indian chart also in a narrower and taller or wider and shorter box); if they still do
not fit, the degrees are left out.

`show="sav"` (south, birth chart only) writes each sign's sarvashtakavarga bindus (`Figure.bindus`, the sum over
the seven planets, 337 in all) in bold in the bottom-right corner of its cell, below the labels.

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
from typing import Literal, Sequence, TypeAlias, get_args

import zentaric

from zentaric_chart import _names
from zentaric_chart._literals import LanguageName, VargaName

__all__ = ["BodyPoint", "FONT_FAMILY", "Figure", "STYLES", "Style", "draw", "short_names", "text_width"]

#: The drawings: South Indian, North Indian, Western wheel.
Style: TypeAlias = Literal["south", "north", "wheel"]
STYLES: tuple[Style, ...] = get_args(Style)
SHOWN = ("sav",)  # what a drawing can add to the grahas: `show`
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
    bindus: Sequence[int] | None = None  # sarvashtakavarga by sign, Aries..Pisces (for show="sav")


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
def short_names(language: LanguageName = "en") -> tuple[str, ...]:
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


#: The scripts whose Noto letters run wider than the others: (first, last code point, em of a letter, em of a spacing
#: vowel sign), for `text_width(..., bound=True)`. Measured in headless Chromium over every name and panchanga word of
#: these languages, the true width is at most 0.997 of that bound in Tamil, 0.998 in Telugu and 0.989 in Kannada
#: (with the common 0.82 and 0.35 it reaches 1.75, 1.36 and 1.39).
_WIDE_SCRIPTS = ((0x0B80, 0x0BFF, 1.22, 0.65), (0x0C00, 0x0C7F, 1.06, 0.65), (0x0C80, 0x0CFF, 1.02, 0.65))


def _spacing_parts(char: str) -> int:
    """How many spacing marks a vowel sign is drawn as (Tamil ௌ = ெ + ௗ: 2)."""
    parts = unicodedata.decomposition(char).split()
    if not parts:
        return int(unicodedata.category(char) == "Mc")
    return sum(_spacing_parts(chr(int(part, 16))) for part in parts)


@lru_cache(maxsize=4096)
def _wide_script_em(char: str) -> float | None:
    """The em of a letter or spacing vowel sign of a wide script; None for any other character."""
    for first, last, letter, sign in _WIDE_SCRIPTS:
        if first <= ord(char) <= last:
            return sign * max(1, _spacing_parts(char)) if unicodedata.category(char) == "Mc" else letter
    return None


def text_width(text: str, font_size: float, bound: bool = False) -> float:
    """Advance width of a text in pixels, estimated for the Noto fonts: the chart layouts are tuned to this estimate,
    which runs short for Tamil, Telugu and Kannada; `bound` takes those scripts at their measured widths, for a text
    shrunk until it fits a box (the month page)."""
    em = 0.0
    for char in text:
        category = unicodedata.category(char)
        if category in ("Mn", "Me", "Cf"):
            continue
        wide = _wide_script_em(char) if bound else None
        if wide is not None:
            em += wide
        elif category == "Mc":
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


def _label(short: str, degree: float | None, retrograde: bool, language: LanguageName) -> str:
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
    short: str = ""  # the label without its degree, for a crowded cell ("" when it has none)


#: The smallest type a cell's labels are set in, at a drawing of size 480 (it scales with the size); below it a
#: crowded cell drops the degrees, and shrinks further only if the short names still do not fit.
MIN_FONT_480 = 9.0


def _arrangement(texts: Sequence[str], width: float, height: float, size: float) -> tuple[int, int, float] | None:
    """(columns, rows, column width) that set `texts` at `size` in a width × height box, or None."""
    column = max(text_width(text, size) for text in texts) + 0.5 * size
    columns = max(1, min(len(texts), int((width + 0.5 * size) // column)))
    rows = math.ceil(len(texts) / columns)
    if rows * 1.3 * size <= height and column - 0.5 * size <= width:
        return columns, rows, column
    return None


Box = tuple[float, float, float, float]


def _fill_box(parent: ET.Element, items: Sequence[_Item], boxes: Sequence[Box], font_size: float,
              least: float) -> None:
    """Lay the labels out in rows and columns inside one of `boxes` (x, y, width, height; shapes that fit the
    cell), in as many columns as fit, at the largest type down to `least`; then without their degrees (from the
    full size down); then smaller still. The block is centred in its box."""
    if not items:
        return
    full = [item.text for item in items]
    short = [item.short or item.text for item in items]
    tries = [(full, size) for size in _sizes(font_size, least)] + [(short, size) for size in _sizes(font_size, least)]
    tries += [(short, size) for size in _sizes(least * 0.92, 4.0)]
    found = None
    for texts, size in tries:
        for box in boxes:
            found = _arrangement(texts, box[2], box[3], size)
            if found is not None:
                break
        if found is not None:
            break
    x, y, width, height = box
    columns, rows, column = found or (1, len(items), max(text_width(text, size) for text in texts) + 0.5 * size)
    line = 1.3 * size
    block_width = columns * column - 0.5 * size
    left = x + (width - block_width) / 2
    top = y + (height - rows * line) / 2
    for index, (item, text) in enumerate(zip(items, texts)):
        row, col = divmod(index, columns)
        baseline = top + row * line + 0.95 * size
        attributes = {"class": "lagna" if item.planet < 0 else "body", "fill": INK}
        if item.planet >= 0:
            attributes["data-planet"] = str(item.planet)
        else:
            attributes["font-weight"] = "bold"
        _text(parent, left + col * column, baseline, text, size, **attributes)


def _sizes(largest: float, least: float) -> list[float]:
    """Type sizes from `largest` down to `least` in steps of 8 %, `least` itself last."""
    sizes = []
    size = largest
    while size > least:
        sizes.append(size)
        size *= 0.92
    return sizes + [least]


def _sign_items(figure: Figure, varga: VargaName, language: LanguageName) -> tuple[int, dict[int, list[_Item]]]:
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
        cells[sign].append(_Item(text, body.planet, _label(shorts[body.planet], None, body.retrograde, language)))
    return lagna_sign, cells


def _caption(parent: ET.Element, centre: tuple[float, float], lines: Sequence[str], size: float) -> None:
    top = centre[1] - (len(lines) - 1) * 0.65 * size
    for index, line in enumerate(lines):
        _text(parent, centre[0], top + index * 1.3 * size + 0.35 * size, line, size * (1.25 if index == 0 else 1),
              **{"text-anchor": "middle", "fill": INK if index == 0 else FAINT, "class": "caption"})


# ---- South Indian -------------------------------------------------------------------------------------------

# (row, column) of each sign 0 Aries … 11 Pisces in the 4 × 4 frame: Pisces top left, then clockwise.
SOUTH_CELLS = ((0, 1), (0, 2), (0, 3), (1, 3), (2, 3), (3, 3), (3, 2), (3, 1), (3, 0), (2, 0), (1, 0), (0, 0))


def _south(figure: Figure, varga: VargaName, language: LanguageName, size: float, bindus: Sequence[int] | None = None
           ) -> ET.Element:
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
        low = MIN_FONT_480 * size / 480
        if bindus is None:
            _fill_box(root, cells[sign], [(x + 0.05 * cell, y + 0.22 * cell, 0.9 * cell, 0.74 * cell)], font, low)
            continue
        _fill_box(root, cells[sign], [(x + 0.05 * cell, y + 0.22 * cell, 0.9 * cell, 0.56 * cell)], font, low)
        _text(root, x + cell - 0.06 * cell, y + 0.94 * cell, str(bindus[sign]), font * 1.1,
              **{"text-anchor": "end", "fill": INK, "font-weight": "bold", "class": "bindus",
                 "data-sign": str(sign)})
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


def _north_box(polygon: list[tuple[float, float]], low: float, high: float) -> tuple[list[Box], tuple[float, float]]:
    """Label boxes (x, y, width, height) inside a house polygon of the frame [low, high]², the usual one first and,
    in a triangle, narrower and taller ones or wider and shorter ones for a crowded house; and the place of the
    house's sign number: near the centre in a diamond, near the apex in a triangle."""
    quarter_side = (high - low) / 4
    if len(polygon) == 4:  # diamond: outer vertex first, the frame's centre third
        (ox, oy), (cx, cy) = polygon[0], polygon[2]
        mx, my = (ox + cx) / 2, (oy + cy) / 2
        inward = ((cx - ox) / (2 * quarter_side), (cy - oy) / (2 * quarter_side))
        number = (mx + inward[0] * 0.68 * quarter_side, my + inward[1] * 0.68 * quarter_side)
        half_w, half_h = 0.56 * quarter_side, 0.34 * quarter_side
        bx, by = mx - inward[0] * 0.08 * quarter_side, my - inward[1] * 0.08 * quarter_side
        return [(bx - half_w, by - half_h, 2 * half_w, 2 * half_h)], number
    apex = next(p for p in polygon if low < p[0] < high and low < p[1] < high)
    base = [p for p in polygon if p != apex]
    bx, by = (base[0][0] + base[1][0]) / 2, (base[0][1] + base[1][1]) / 2
    axis = ((apex[0] - bx) / quarter_side, (apex[1] - by) / quarter_side)  # unit vector from base to apex
    vertical = axis[0] == 0
    lip = 0.06 * quarter_side
    number = (bx + axis[0] * 0.82 * quarter_side, by + axis[1] * 0.82 * quarter_side)
    boxes: list[Box] = []
    for part in (0.5, 0.38, 0.64, 0.72) if vertical else (0.64, 0.5, 0.4, 0.74):
        depth = part * quarter_side
        span = quarter_side - depth - lip  # half the triangle's width at that depth, less the lip
        near = (bx + axis[0] * lip, by + axis[1] * lip)
        far = (bx + axis[0] * depth, by + axis[1] * depth)
        if vertical:
            boxes.append((bx - span, min(near[1], far[1]), 2 * span, abs(far[1] - near[1])))
        else:
            boxes.append((min(near[0], far[0]), by - span, abs(far[0] - near[0]), 2 * span))
    return boxes, number


def _north(figure: Figure, varga: VargaName, language: LanguageName, size: float) -> ET.Element:
    root = _svg(size, f"North Indian chart {varga.upper()}")
    margin = size * 0.01
    font = size / 38
    lagna_sign, cells = _sign_items(figure, varga, language)
    for house, polygon in enumerate(north_houses(size, margin), start=1):
        sign = (lagna_sign + house - 1) % 12
        _polygon(root, polygon, **{"class": "house", "data-house": str(house),
                                   "fill": "#fbf8f1" if house == 1 else "none"})
        boxes, number = _north_box(polygon, margin, size - margin)
        _text(root, number[0], number[1] + 0.35 * font, str(sign + 1), font * 0.9,
              **{"text-anchor": "middle", "fill": FAINT, "class": "sign-number"})
        _fill_box(root, cells[sign], boxes, font, MIN_FONT_480 * size / 480)
    return root


# ---- Western wheel ------------------------------------------------------------------------------------------

#: Radii of the wheel as parts of its size: the sign ring, the band that holds the body labels, the aspect circle.
OUTER, RING, BAND_OUT, BAND_IN, ASPECT = 0.48, 0.40, 0.388, 0.19, 0.17
#: Type sizes tried for the labels of a crowded sign, as parts of the full size (9 px of 12 at size 480, then
#: smaller only for a sign that holds most of the chart), and the circles (tiers) its labels may be dealt to.
LABEL_SCALES = (1.0, 0.9, 0.82, 0.75, 0.66, 0.58)
MAX_TIERS = 4
#: Screen angle (radians) between the centres of two labels next in longitude, so that their order shows.
ORDER_STEP = 0.006


@dataclass(frozen=True)
class _Wheel:
    centre: float
    size: float
    ascendant: float  # degrees of the chart's zodiac drawn at 9 o'clock

    def angle(self, longitude: float) -> float:
        """Screen angle in radians (anticlockwise from 3 o'clock, y up) of a longitude."""
        return math.radians(180.0 + longitude - self.ascendant)

    def point(self, phi: float, radius: float) -> tuple[float, float]:
        return self.centre + radius * math.cos(phi), self.centre - radius * math.sin(phi)

    def box(self, phi: float, radius: float, extent: tuple[float, float]) -> tuple[float, float, float, float]:
        x, y = self.point(phi, radius)
        return x - extent[0] / 2, y - extent[1] / 2, x + extent[0] / 2, y + extent[1] / 2

    def fits(self, box: tuple[float, float, float, float], low: float, high: float) -> bool:
        """Whether a box lies inside the label band and between the screen angles low < high (a sign's sector)."""
        left, top, right, bottom = box
        corners = [(left, top), (right, top), (right, bottom), (left, bottom)]
        radii = [math.hypot(x - self.centre, y - self.centre) for x, y in corners]
        nearest = math.hypot(max(left - self.centre, 0.0, self.centre - right),
                             max(top - self.centre, 0.0, self.centre - bottom))
        angles = [(math.atan2(self.centre - y, x - self.centre) - low) % (2 * math.pi) for x, y in corners]
        return (max(radii) <= BAND_OUT * self.size and nearest >= BAND_IN * self.size
                and max(angles) <= (high - low) % (2 * math.pi))


def _gap(wheel: _Wheel, phi: float, radius: float, first: tuple[float, float], second: tuple[float, float],
         pad: float) -> float:
    """Screen angle between two label centres on one circle that keeps their boxes (width, height) apart."""
    sin, cos = abs(math.sin(phi)), abs(math.cos(phi))
    across = (first[0] + second[0]) / 2 + pad
    along = (first[1] + second[1]) / 2 + pad
    chord = min(across / sin if sin > 1e-9 else math.inf, along / cos if cos > 1e-9 else math.inf)
    return 2 * math.asin(min(1.0, chord / (2 * radius)))


def _radius(wheel: _Wheel, phi: float, extent: tuple[float, float], tier: int, tiers: int) -> float:
    """The radius of a label's centre in tier `tier` of `tiers` (0 outermost): tiers hug the band's edges, one tier
    runs along the band's middle; NaN where the box cannot fit the band at this angle."""
    inner, outer = BAND_IN * wheel.size, BAND_OUT * wheel.size
    cos, sin = abs(math.cos(phi)), abs(math.sin(phi))
    half_width, half_height = extent[0] / 2 + 0.5, extent[1] / 2 + 0.5

    def farthest(r: float) -> float:
        return math.hypot(r * cos + half_width, r * sin + half_height)

    # The largest radius whose farthest corner stays inside the band: the root of
    # r² + 2 r reach + w² + h² = outer², reach = w |cos| + h |sin| (w, h the box's half sides).
    reach = cos * half_width + sin * half_height
    corners = half_width * half_width + half_height * half_height
    room = reach * reach + outer * outer - corners
    largest = min(max(math.sqrt(room) - reach, inner), outer) if room >= 0 else inner
    # The smallest whose nearest point stays outside the aspect circle: that distance grows with r, along a
    # corner (both sides past the centre's axes), or along the side that faces the centre.
    found: list[float] = []
    square = reach * reach - corners + inner * inner
    if square >= 0:
        r = reach + math.sqrt(square)
        if r * cos >= half_width and r * sin >= half_height:
            found.append(r)
    if cos > 0 and (inner + half_width) / cos * sin <= half_height:
        found.append((inner + half_width) / cos)
    if sin > 0 and (inner + half_height) / sin * cos <= half_width:
        found.append((inner + half_height) / sin)
    smallest = min(max(min(found), inner), outer) if found else outer
    if smallest > largest or farthest(largest) > outer:
        return math.nan
    if tiers == 1:
        return min(max(0.305 * wheel.size, smallest), largest)
    return largest - (largest - smallest) * tier / (tiers - 1)


def _sign_labels(wheel: _Wheel, ideal: list[float], extents: list[tuple[float, float]], low: float, high: float,
                 pad: float) -> list[tuple[float, float]] | None:
    """(screen angle, radius) of each label of one sign (ideal angles in longitude order), kept in that order inside
    the sector from `low` to `high`: on one circle, else dealt in turn to two or three; None when none fits.

    Each label's window is the range of angles where its box lies inside the sector and the band; the labels are
    packed as early as the windows, the order and the gaps between neighbours on one circle allow, then moved back
    towards their bodies as far as those allow."""
    count = len(ideal)
    span = (high - low) % (2 * math.pi)
    steps = [span * k / 200 for k in range(201)]
    wanted = [min(max((phi - low) % (2 * math.pi), 0.0), span) for phi in ideal]
    for tiers in range(1, MAX_TIERS + 1):
        def radius(index: int, offset: float) -> float:
            return _radius(wheel, low + offset, extents[index], index % tiers, tiers)

        def fits(index: int, offset: float) -> bool:
            r = radius(index, offset)
            return not math.isnan(r) and wheel.fits(wheel.box(low + offset, r, extents[index]), low, high)

        def gap(first: int, second: int, offset: float) -> float:
            return _gap(wheel, low + offset, radius(second, offset), extents[first], extents[second], pad)

        windows: list[tuple[float, float]] = []
        for index in range(count):
            inside = [offset for offset in steps if fits(index, offset)]
            if not inside:
                break
            windows.append((inside[0], inside[-1]))
        if len(windows) < count:
            continue
        earliest: list[float] = []
        for index, (start, _) in enumerate(windows):
            position = max([start] + [before + ORDER_STEP for before in earliest[index - 1:index]])
            if index >= tiers:
                position = max(position, earliest[index - tiers] + gap(index - tiers, index, position))
            earliest.append(position)
        if any(position > window[1] for position, window in zip(earliest, windows)):
            continue
        offsets = list(earliest)
        for index in range(count - 1, -1, -1):
            position = min(max(wanted[index], earliest[index]), windows[index][1])
            if index + 1 < count:
                position = min(position, offsets[index + 1] - ORDER_STEP)
            if index + tiers < count:
                position = min(position, offsets[index + tiers] - gap(index, index + tiers, offsets[index + tiers]))
            offsets[index] = max(position, earliest[index])
        placed = [(low + offsets[index], radius(index, offsets[index])) for index in range(count)]
        boxes = [wheel.box(phi, r, extent) for (phi, r), extent in zip(placed, extents)]
        if all(fits(index, offsets[index]) for index in range(count)) and not _overlaps(boxes):
            return placed
    return None


def _packed_labels(wheel: _Wheel, extents: list[tuple[float, float]], low: float, high: float,
                   pad: float) -> list[tuple[float, float]] | None:
    """(screen angle, radius) of each label of a sign too crowded for circles (longitude order kept): each label in
    turn at the first angle past the one before it, and there at the outermost radius where its box lies inside the
    sector and the band and clear of the labels already placed; None when one finds no place."""
    span = (high - low) % (2 * math.pi)
    angles = [span * k / 90 for k in range(91)]
    inner, outer = BAND_IN * wheel.size, BAND_OUT * wheel.size
    radii = [outer - (outer - inner) * k / 48 for k in range(49)]
    placed: list[tuple[float, float]] = []
    boxes: list[tuple[float, float, float, float]] = []
    start = 0.0
    for extent in extents:
        spot = next(((offset, radius) for offset in angles if offset >= start for radius in radii
                     if _clear(wheel, wheel.box(low + offset, radius, extent), boxes, low, high, pad)), None)
        if spot is None:
            return None
        placed.append((low + spot[0], spot[1]))
        boxes.append(wheel.box(low + spot[0], spot[1], extent))
        start = spot[0] + ORDER_STEP
    return placed


def _clear(wheel: _Wheel, box: tuple[float, float, float, float], boxes: list[tuple[float, float, float, float]],
           low: float, high: float, pad: float) -> bool:
    """Whether a box lies in the sector and the band, `pad` clear of every box of `boxes`."""
    left, top, right, bottom = box
    return (not any(left < b[2] + pad and b[0] < right + pad and top < b[3] + pad and b[1] < bottom + pad
                    for b in boxes) and wheel.fits(box, low, high))


def _overlaps(boxes: list[tuple[float, float, float, float]]) -> bool:
    return any(a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]
               for i, a in enumerate(boxes) for b in boxes[i + 1:])


def _layout(wheel: _Wheel, bodies: Sequence[BodyPoint], texts: list[str], font: float
            ) -> list[tuple[float, float, float]]:
    """Where each body label goes (screen angle, radius) and its type size: every label inside its sign's sector
    and the label band, in longitude order, on as few circles as hold them at the largest type that fits, or
    else packed into the sector from its start (eight or nine bodies in one sign)."""
    spots: list[tuple[float, float, float]] = [(wheel.angle(body.longitude), 0.305 * wheel.size, font * 0.75)
                                               for body in bodies]  # kept only where no layout fits a sign
    for sign in range(12):
        members = sorted((index for index, body in enumerate(bodies) if int(body.longitude // 30) % 12 == sign),
                         key=lambda index: bodies[index].longitude)
        if not members:
            continue
        low, high = wheel.angle(sign * 30.0 + 0.3), wheel.angle(sign * 30.0 + 29.7)
        for scale in LABEL_SCALES:
            size = font * scale
            extents = [(text_width(texts[index], size), 1.5 * size) for index in members]
            found = _sign_labels(wheel, [wheel.angle(bodies[index].longitude) for index in members], extents, low,
                                 high, 0.12 * size) or _packed_labels(wheel, extents, low, high, 0.12 * size)
            if found is not None:
                for index, (phi, radius) in zip(members, found):
                    spots[index] = (phi, radius, size)
                break
    return spots


def _wheel(figure: Figure, language: LanguageName, size: float) -> ET.Element:
    root = _svg(size, "Western wheel")
    centre = size / 2
    outer, ring, aspect_radius = OUTER * size, RING * size, ASPECT * size
    font = size / 40
    wheel = _Wheel(centre, size, figure.lagna)
    angle = wheel.angle

    def point(longitude: float, radius: float) -> tuple[float, float]:
        return wheel.point(angle(longitude), radius)

    for sign in range(12):
        start, end = sign * 30.0, sign * 30.0 + 30.0
        (x1, y1), (x2, y2) = point(start, outer), point(end, outer)
        (x3, y3), (x4, y4) = point(end, ring), point(start, ring)
        path = (f"M{_n(x1)},{_n(y1)} A{_n(outer)},{_n(outer)} 0 0 0 {_n(x2)},{_n(y2)} L{_n(x3)},{_n(y3)} "
                f"A{_n(ring)},{_n(ring)} 0 0 1 {_n(x4)},{_n(y4)} Z")
        ET.SubElement(root, "path", {"d": path, "fill": "#f4f1ea" if sign % 2 else "#fbf8f1", "stroke": GRID,
                                     "stroke-width": "1", "class": "sign", "data-sign": str(sign)})
        middle = angle(start + 15.0)
        x, y = wheel.point(middle, (outer + ring) / 2)
        rotation = 90.0 - math.degrees(middle)
        rotation = (rotation + 180.0) % 360.0 - 180.0
        if rotation > 90.0 or rotation < -90.0:
            rotation += 180.0
        _text(root, x, y + 0.35 * font, zentaric.sign_name(sign, language), font * 0.85,
              **{"text-anchor": "middle", "fill": INK, "class": "sign-name",
                 "transform": f"rotate({_n(rotation)} {_n(x)} {_n(y)})"})
    ET.SubElement(root, "circle", {"cx": _n(centre), "cy": _n(centre), "r": _n(aspect_radius), "fill": "none",
                                   "stroke": FAINT, "stroke-width": "1"})
    # house cusps as ticks at the ring and at the aspect circle, so that no line crosses the labels' band
    for house, cusp in enumerate(figure.cusps, start=1):
        angular = house in (1, 4, 7, 10)
        colour, stroke = (INK, 2.0) if angular else (FAINT, 0.8)
        for inner_end, outer_end in ((BAND_OUT, RING), (ASPECT, BAND_IN)):
            (x1, y1), (x2, y2) = point(cusp, outer_end * size), point(cusp, inner_end * size)
            _line(root, x1, y1, x2, y2, colour, stroke)
        following = figure.cusps[house % 12]
        middle_longitude = cusp + ((following - cusp) % 360.0) / 2
        x, y = point(middle_longitude, aspect_radius - 0.022 * size)
        _text(root, x, y + 0.3 * font, str(house), font * 0.7,
              **{"text-anchor": "middle", "fill": FAINT, "class": "house-number"})
    # the horizon and the meridian through the aspect circle, with the ascendant's and midheaven's degrees
    axes: list[tuple[float, str, str]] = [(figure.lagna, LAGNA_WORD[language], "ascendant")]
    if figure.mc is not None:
        axes.append((figure.mc, "MC", "midheaven"))
    for longitude, word, kind in axes:
        (x1, y1), (x2, y2) = point(longitude, aspect_radius), point(longitude + 180.0, aspect_radius)
        _line(root, x1, y1, x2, y2, INK, 1.2)
        (x1, y1), (x2, y2) = point(longitude, RING * size), point(longitude, BAND_OUT * size)
        _line(root, x1, y1, x2, y2, INK, 2.5)
        degree = longitude % 30.0
        minutes = int(round(degree * 60))
        text = f"{word} {minutes // 60}°{minutes % 60:02d}′"
        x, y = point(longitude, aspect_radius - 0.015 * size)
        phi = angle(longitude)
        anchor = "start" if math.cos(phi) < -0.3 else "end" if math.cos(phi) > 0.3 else "middle"
        shift = 0.9 * font if math.sin(phi) > 0.3 else -0.1 * font if math.sin(phi) < -0.3 else -0.4 * font
        _text(root, x, y + shift, text, font * 0.8,
              **{"fill": INK, "font-weight": "bold", "class": kind, "text-anchor": anchor, "stroke": "#ffffff",
                 "stroke-width": _n(0.25 * font), "paint-order": "stroke"})
    for first, second, aspect_kind in figure.aspects:
        aspect_colour = ASPECT_COLOURS.get(aspect_kind)
        if aspect_colour is None:
            continue
        (x1, y1) = point(figure.bodies[first].longitude, aspect_radius)
        (x2, y2) = point(figure.bodies[second].longitude, aspect_radius)
        _line(root, x1, y1, x2, y2, aspect_colour, 1.0)

    shorts = short_names(language)
    texts = [_label(shorts[body.planet], body.longitude % 30, body.retrograde, language) for body in figure.bodies]
    spots = _layout(wheel, figure.bodies, texts, font)
    for body, text, (phi, radius, label_font) in zip(figure.bodies, texts, spots):
        (tx1, ty1), (tx2, ty2) = point(body.longitude, ring), point(body.longitude, BAND_OUT * size)
        _line(root, tx1, ty1, tx2, ty2, INK, 1.5)
        width, height = text_width(text, label_font), 1.5 * label_font
        cos, sin = abs(math.cos(phi)), abs(math.sin(phi))
        reach = min(width / 2 / cos if cos > 1e-9 else math.inf, height / 2 / sin if sin > 1e-9 else math.inf)
        lx, ly = wheel.point(phi, radius + reach)
        if math.hypot(lx - tx2, ly - ty2) > 0.004 * size:
            _line(root, tx2, ty2, lx, ly, FAINT, 0.6)
        ax, ay = point(body.longitude, aspect_radius)
        ET.SubElement(root, "circle", {"cx": _n(ax), "cy": _n(ay), "r": _n(0.006 * size), "fill": INK})
    for body, text, (phi, radius, label_font) in zip(figure.bodies, texts, spots):  # over every leader line
        x, y = wheel.point(phi, radius)
        _text(root, x, y + 0.35 * label_font, text, label_font,
              **{"text-anchor": "middle", "fill": INK, "class": "body", "data-planet": str(body.planet),
                 "stroke": "#ffffff", "stroke-width": _n(0.25 * label_font), "paint-order": "stroke"})
    return root


# ---- entry point --------------------------------------------------------------------------------------------

def draw(figure: Figure, style: Style = "south", varga: VargaName = "d1", language: LanguageName = "en",
         size: float = 480, show: str | None = None) -> str:
    """The chart as SVG text: style "south", "north" or "wheel"; varga as `zentaric.compute_varga` names them
    (the wheel only for the birth chart, "d1"); language one of the module's seven; size the picture's side in
    pixels (the drawing scales with its viewBox); show None or "sav" (the sarvashtakavarga bindus of
    `figure.bindus` in each sign, on the south chart of "d1")."""
    style = _names.choice("style", style, STYLES)
    if isinstance(size, bool) or not isinstance(size, (int, float)):
        raise TypeError(f"size must be a number of pixels, not {type(size).__name__}")
    if not (0 < size < 1e6):  # beyond a million pixels the coordinates lose their decimals
        raise ValueError(f"size must be a positive number of pixels below 1e6, not {size!r:.40}")
    code = LANGUAGE_CODES[_names.language(language).lower()]  # checked by the module, with a suggestion
    _names.varga(varga)  # the module's check of the name, with the closest accepted one
    canonical = _names.varga_code(varga)
    if show is not None:
        show = _names.choice("show", show, SHOWN)
        if style != "south" or canonical != "d1":
            raise ValueError(f"show={show!r} is drawn on the South Indian birth chart (style 'south', varga 'd1'), "
                             f"not style {style!r}, varga {varga!r}")
        if figure.bindus is None or len(figure.bindus) != 12:
            raise ValueError(f"show={show!r} needs the figure's twelve bindus (Figure.bindus)")
    if style == "wheel":
        if canonical != "d1":
            raise ValueError(f"The wheel draws the birth chart only (varga 'd1'), not {varga!r}")
        root = _wheel(figure, code, size)
    elif style == "south":
        root = _south(figure, canonical, code, size, figure.bindus if show == "sav" else None)
    else:
        root = _north(figure, canonical, code, size)
    return ET.tostring(root, encoding="unicode")
