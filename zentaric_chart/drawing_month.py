"""A month of panchanga as a calendar page: one self-contained SVG (no fonts, images or scripts linked; the Noto
font stack of the chart drawings), a week a row from Sunday, a cell a day with the tithi and the nakshatra
prevailing at sunrise, each with the time it ends, and the sunrise. Festivals are left out.

Every text of a cell is sized to fit inside the cell (by the drawings' width estimate with the wide scripts at their
measured widths), which the tests check against headless Chromium's boxes."""
from __future__ import annotations

import calendar
import xml.etree.ElementTree as ET
from collections.abc import Sequence
from datetime import datetime

from zentaric_chart._literals import LanguageName
from zentaric_chart._panchanga_words import word
from zentaric_chart.drawing import FONT_FAMILY, GRID, INK, text_width
from zentaric_chart.panchanga import Limb, Panchanga

CELL_WIDTH, CELL_HEIGHT, PAD = 132.0, 96.0, 6.0
TITLE_HEIGHT, HEADER_HEIGHT = 56.0, 26.0
MUTED, SHADE = "#5c6178", "#f4f1ea"


def _n(value: float) -> str:
    return f"{value:.2f}".rstrip("0").rstrip(".")


def _text(parent: ET.Element, x: float, y: float, text: str, size: float, width: float, **attributes: str) -> None:
    """A line of text starting at x, shrunk until it fits `width` (down to 55% of `size`)."""
    fitted = size
    while text_width(text, fitted, bound=True) > width and fitted > 0.55 * size:
        fitted *= 0.95
    element = ET.SubElement(parent, "text", {"x": _n(x), "y": _n(y), "font-size": _n(fitted), **attributes})
    element.text = text


def _clock(moment: datetime, day: Panchanga) -> str:
    """HH:MM, with +1 (+2) when the moment falls on a later date than the day."""
    later = (moment.date() - day.day).days
    return moment.strftime("%H:%M") + (f"+{later}" if later > 0 else "")


def _limb_line(limb: Limb, day: Panchanga) -> str:
    return f"{limb.label} {_clock(limb.end, day)}"


def month_page(days: Sequence[Panchanga], language: LanguageName) -> str:
    """The calendar page of the days of one month (the first to the last of that month, in order)."""
    first = days[0]
    weeks = calendar.Calendar(firstweekday=6).monthdayscalendar(first.day.year, first.day.month)
    width = 7 * CELL_WIDTH
    height = TITLE_HEIGHT + HEADER_HEIGHT + len(weeks) * CELL_HEIGHT
    root = ET.Element("svg", {"xmlns": "http://www.w3.org/2000/svg", "viewBox": f"0 0 {_n(width)} {_n(height)}",
                              "width": _n(width), "height": _n(height), "font-family": FONT_FAMILY, "role": "img"})
    place = first.place
    zone_name = str(place.tz)
    year_month = first.day.isoformat()[:7]  # not %Y, which does not pad a year before 1000
    ET.SubElement(root, "title").text = (f"Panchanga {year_month}, {place.latitude:.4f}, {place.longitude:.4f}"
                                         f" ({zone_name})")
    ET.SubElement(root, "rect", {"x": "0", "y": "0", "width": _n(width), "height": _n(height), "fill": "#ffffff"})
    months = []
    for day in days:
        month = f"{word('adhika', language)} {day.masa.label}" if day.masa.adhika else day.masa.label
        if month not in months:
            months.append(month)
    _text(root, PAD, 26, f"{year_month}  {' / '.join(months)}", 20, width - 2 * PAD, fill=INK,
          **{"class": "title", "font-weight": "bold"})
    _text(root, PAD, 46, f"{place.latitude:.4f}, {place.longitude:.4f}  {zone_name}  {first.ayanamsha}, "
          f"{first.convention} sunrise", 12, width - 2 * PAD, fill=MUTED, **{"class": "title"})
    by_date = {day.day.day: day for day in days}
    for column in range(7):
        label = next(d.vara.label for d in days if d.vara.number == column)
        _text(root, column * CELL_WIDTH + PAD, TITLE_HEIGHT + 18, label, 13, CELL_WIDTH - 2 * PAD, fill=INK,
              **{"class": "weekday", "font-weight": "bold"})
    for row, week in enumerate(weeks):
        for column, number in enumerate(week):
            x, y = column * CELL_WIDTH, TITLE_HEIGHT + HEADER_HEIGHT + row * CELL_HEIGHT
            cell = ET.SubElement(root, "g", {"class": "cell"})
            rect = {"x": _n(x), "y": _n(y), "width": _n(CELL_WIDTH), "height": _n(CELL_HEIGHT), "stroke": GRID,
                    "stroke-width": "1", "fill": "#ffffff" if number in by_date else SHADE}
            if number not in by_date:  # outside the month, or a date the clocks skipped (Pacific/Apia 2011-12-30)
                ET.SubElement(cell, "rect", rect)
                continue
            day = by_date[number]
            ET.SubElement(cell, "rect", {**rect, "data-day": str(number)})
            inner = CELL_WIDTH - 2 * PAD
            attributes = {"class": "cell-text", "data-day": str(number)}
            _text(cell, x + PAD, y + 22, str(number), 18, inner / 2, fill=INK, **attributes, **{"font-weight": "bold"})
            # the tithi counted within its paksha, as almanacs print it: S 1..15 (15 Purnima), K 1..15 (15 Amavasya)
            # in English, the paksha's own word in the other languages (कृष्ण 8)
            paksha = word(day.paksha, language)
            paksha_day = f"{paksha[0].upper() if paksha == day.paksha else paksha} {(day.tithi.number - 1) % 15 + 1}"
            _text(cell, x + CELL_WIDTH / 2, y + 20, paksha_day, 11, inner / 2, fill=MUTED, **attributes)
            _text(cell, x + PAD, y + 44, _limb_line(day.tithi, day), 13, inner, fill=INK, **attributes)
            _text(cell, x + PAD, y + 63, _limb_line(day.nakshatra, day), 13, inner, fill=INK, **attributes)
            sun_x, sun_y = x + PAD + 6, y + CELL_HEIGHT - 13
            ET.SubElement(cell, "circle", {"cx": _n(sun_x), "cy": _n(sun_y), "r": "4.5", "fill": "#e0a020"})
            _line = {"x1": _n(sun_x - 7), "y1": _n(sun_y + 5), "x2": _n(sun_x + 7), "y2": _n(sun_y + 5),
                     "stroke": MUTED, "stroke-width": "1.2"}
            ET.SubElement(cell, "line", _line)
            _text(cell, x + PAD + 18, y + CELL_HEIGHT - 8, _clock(day.sunrise, day), 12, inner - 18, fill=MUTED,
                  **attributes)
    return ET.tostring(root, encoding="unicode")
