"""Plain-text renderings of a chart and of dasha periods, for a person to read (the command line and the demo).

Columns are padded by the width a terminal gives a text, not by its code points: combining marks (the vowel signs
and viramas of the Indic scripts that are non-spacing) take no column, wide East Asian letters two. Lines stay within
80 columns.
"""
from __future__ import annotations

import unicodedata
from collections.abc import Iterable, Sequence

from zentaric_chart._literals import VargaName
from zentaric_chart.chart import Chart
from zentaric_chart.dasha import LEVEL_NAMES, Period


def width(text: str) -> int:
    """Terminal columns of a text: 0 for combining and format marks, 2 for wide East Asian letters, else 1."""
    columns = 0
    for char in text:
        if unicodedata.category(char) in ("Mn", "Me", "Cf"):
            continue
        columns += 2 if unicodedata.east_asian_width(char) in ("W", "F") else 1
    return columns


def table(rows: Sequence[Sequence[str]], right: Sequence[int] = (), indent: str = "") -> list[str]:
    """Rows of cells as lines, each column as wide as its widest cell (by `width`), one blank between columns;
    the columns numbered in `right` aligned to the right; trailing blanks removed."""
    widths = [max(width(row[column]) for row in rows) for column in range(len(rows[0]))] if rows else []
    lines = []
    for row in rows:
        cells = [" " * (widths[k] - width(cell)) + cell if k in right else cell + " " * (widths[k] - width(cell))
                 for k, cell in enumerate(row)]
        lines.append((indent + " ".join(cells)).rstrip())
    return lines


def filled(items: Sequence[str], first: str, rest: str, limit: int = 80) -> list[str]:
    """Items two blanks apart in lines of at most `limit` columns (by `width`): the first line opens with `first`,
    the others with `rest`; an item wider than a line has one to itself."""
    lines, line, opened = [], first, False
    for item in items:
        if opened and width(line) + 2 + width(item) > limit:
            lines.append(line)
            line, opened = rest, False
        line += "  " + item if opened else item
        opened = True
    return [*lines, line]


def dms(degrees: float) -> str:
    """Degrees as d°mm′ss″, rounded to the second."""
    seconds = round(degrees * 3600)
    return f"{seconds // 3600:3d}°{seconds // 60 % 60:02d}′{seconds % 60:02d}″"


def _date(period: Period) -> str:
    return f"{period.start.astimezone(period.zone):%Y-%m-%d} to {period.end.astimezone(period.zone):%Y-%m-%d}"


def chart_text(chart: Chart, running: Iterable[Period] = (), mahas: Iterable[Period] = ()) -> str:
    """The chart as a table: birth, lagna, bodies, cusps, aspects, yogas; then the dasha periods given."""
    birth = chart.birth
    local = birth.local()
    lagna = chart.lagna
    lines = [
        f"Birth {local:%Y-%m-%d %H:%M} {local.tzname()} ({birth.zone}), UTC {birth.utc:%Y-%m-%d %H:%M}",
        f"Latitude {birth.latitude:.4f}, longitude {birth.longitude:.4f}, Julian Day (UT) {chart.julian_day}",
        f"Ayanamsha {chart.ayanamsha} {dms(chart.ayanamsha_value).strip()}, houses {chart.house_system}, "
        f"{chart.node} node",
        "",
        *table([["Lagna", lagna.sign_label, dms(lagna.degree), f"{lagna.nakshatra_label} pada {lagna.pada}"]]),
        "",
    ]
    rows = [["Body", "Sign", "Degree", "Nakshatra", "House", "Dignity", ""]]
    rows += [[body.label, body.sign_label, dms(body.degree), f"{body.nakshatra_label} pada {body.pada}",
              str(body.house), body.dignity, "R" if body.retrograde else ""] for body in chart.bodies]
    lines += table(rows, right=(2, 4))
    lines += ["", *vedic_lines(chart)]
    houses = chart.houses
    fallback = " (polar fallback: Equal)" if houses.polar_fallback else ""
    lines += ["", f"House cusps, sidereal ({houses.system}{fallback}); midheaven {dms(houses.mc_sidereal).strip()}"]
    for row in range(0, 12, 4):
        lines.append("  ".join(f"{k + 1:2d}: {dms(houses.cusps_sidereal[k])}" for k in range(row, row + 4)))
    lines += ["", "Aspects"]
    labels = {body.name: body.label for body in chart.bodies}
    lines += table([[labels[aspect.body1], aspect.type, labels[aspect.body2], f"orb {aspect.orb:5.2f}°",
                     f"strength {aspect.strength:.2f}", "applying" if aspect.applying else "separating"]
                    for aspect in chart.aspects], indent="  ")
    lines += ["", "Yogas", *table([[yoga.name, ", ".join(labels[body] for body in yoga.bodies)]
                                   for yoga in chart.yogas()], indent="  ")]
    running = list(running)
    if running:
        lines += ["", "Vimshottari dasha running at birth"]
        lines += table([[LEVEL_NAMES[p.level - 1], p.label, _date(p)] for p in running], indent="  ")
    mahas = list(mahas)
    if mahas:
        lines += ["", "Maha dashas", *table([[p.label, _date(p)] for p in mahas], indent="  ")]
    return "\n".join(lines)


def _label(period: Period) -> str:
    """The lord's label, after the yogini's name for a Yogini period."""
    return f"{period.name} {period.label}" if period.name else period.label


def periods_text(periods: Iterable[Period], indent: str = "") -> str:
    """Periods and their sub-periods, one a line, indented by level, with local calendar dates."""
    labels = max((width(_label(period)) for period in _walk(periods)), default=0)
    lines = []
    for period in periods:
        label = _label(period) + " " * (labels - width(_label(period)))
        lines.append(f"{indent}{LEVEL_NAMES[period.level - 1]:<10s} {label} {_date(period)}")
        if period.sub_periods:
            lines.append(periods_text(period.sub_periods, indent + "  "))
    return "\n".join(lines)


def _walk(periods: Iterable[Period]) -> Iterable[Period]:
    for period in periods:
        yield period
        yield from _walk(period.sub_periods)


def varga_text(chart: Chart, varga: VargaName) -> str:
    """One divisional chart as a table: each point's sign in the varga, and Sun..Saturn's Vedic dignity there."""
    divisional = chart.varga(varga)
    dignities = chart.vedic_dignities(divisional.code)
    labels = {"Lagna": "Lagna"} | {body.name: body.label for body in chart.bodies}
    rows = [["Point", "Sign", "Vedic dignity"]]
    rows += [[labels[point], sign, dignities.get(point, "")] for point, sign in divisional.labels.items()]
    return "\n".join([f"{divisional.name} ({divisional.code.upper()})", "", *table(rows)])


def vedic_lines(chart: Chart) -> list[str]:
    """Sun..Saturn's Vedic dignity in the rashi and the navamsha with their Vimshopaka bala, the chara karakas and
    the arudha lagna and upapada."""
    labels = {body.name: body.label for body in chart.bodies}
    rashi, navamsha = chart.vedic_dignities("d1"), chart.vedic_dignities("d9")
    six, sixteen = chart.vimshopaka("shadvarga"), chart.vimshopaka("shodashavarga")
    rows = [["Vedic", "Rashi", "Navamsha", "Vimshopaka 6", "16"]]
    rows += [[labels[name], rashi[name], navamsha[name], f"{six[name]:.2f}", f"{sixteen[name]:.2f}"]
             for name in rashi]
    arudhas = chart.arudhas()
    karakas = chart.karakas().karakas
    return [*table(rows, right=(3, 4)), "",
            *table([["Chara karakas", *karakas], ["", *(labels[body] for body in karakas.values())]]),
            f"Arudha lagna {arudhas['A1'].sign_label}, upapada {arudhas['A12'].sign_label}"]
