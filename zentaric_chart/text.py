"""Plain-text renderings of a chart and of dasha periods, for a person to read (the command line and the demo)."""
from __future__ import annotations

from collections.abc import Iterable

from zentaric_chart.chart import Chart
from zentaric_chart.dasha import LEVEL_NAMES, Period


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
    lines = [
        f"Birth {local:%Y-%m-%d %H:%M} {local.tzname()} ({birth.zone}), UTC {birth.utc:%Y-%m-%d %H:%M}, "
        f"latitude {birth.latitude:.4f}, longitude {birth.longitude:.4f}",
        f"{chart.ayanamsha} ayanamsha {dms(chart.ayanamsha_value).strip()}, {chart.house_system} houses, "
        f"{chart.node} node, Julian Day (UT) {chart.julian_day}",
        "",
        f"Lagna     {chart.lagna.sign_label:<11s} {dms(chart.lagna.degree)}  "
        f"{chart.lagna.nakshatra_label} pada {chart.lagna.pada}",
        "",
        f"{'Body':<9s} {'Sign and degree':<24s} {'Nakshatra':<25s} {'House':>5s}  {'Dignity':<11s}",
    ]
    for body in chart.bodies:
        motion = "R" if body.retrograde else ""
        lines.append(f"{body.label:<9s} {body.sign_label:<11s} {dms(body.degree):<12s} "
                     f"{body.nakshatra_label + ' pada ' + str(body.pada):<25s} {body.house:>5d}  "
                     f"{body.dignity:<11s} {motion}".rstrip())
    houses = chart.houses
    fallback = " (polar fallback: Equal)" if houses.polar_fallback else ""
    lines += ["", f"House cusps, sidereal ({houses.system}{fallback}); midheaven {dms(houses.mc_sidereal).strip()}"]
    for row in range(0, 12, 4):
        lines.append("  ".join(f"{k + 1:2d}: {dms(houses.cusps_sidereal[k])}" for k in range(row, row + 4)))
    lines += ["", "Aspects"]
    labels = {body.name: body.label for body in chart.bodies}
    for aspect in chart.aspects:
        state = "applying" if aspect.applying else "separating"
        lines.append(f"  {labels[aspect.body1]:<9s} {aspect.type:<11s} {labels[aspect.body2]:<9s} "
                     f"orb {aspect.orb:5.2f}°  strength {aspect.strength:.2f}  {state}")
    lines += ["", "Yogas"] + [f"  {yoga.name:<22s} {', '.join(labels[body] for body in yoga.bodies)}"
                              for yoga in chart.yogas()]
    running = list(running)
    if running:
        lines += ["", "Vimshottari dasha running at birth"]
        lines += [f"  {LEVEL_NAMES[p.level - 1]:<10s} {p.label:<9s} {_date(p)}" for p in running]
    mahas = list(mahas)
    if mahas:
        lines += ["", "Maha dashas"] + [f"  {p.label:<9s} {_date(p)}" for p in mahas]
    return "\n".join(lines)


def periods_text(periods: Iterable[Period], indent: str = "") -> str:
    """Periods and their sub-periods, one a line, indented by level, with local calendar dates."""
    lines = []
    for period in periods:
        lines.append(f"{indent}{LEVEL_NAMES[period.level - 1]:<10s} {period.label:<9s} {_date(period)}")
        if period.sub_periods:
            lines.append(periods_text(period.sub_periods, indent + "  "))
    return "\n".join(lines)


def varga_text(chart: Chart, varga: str) -> str:
    """One divisional chart as a table: each point's sign in the varga, and Sun..Saturn's Vedic dignity there."""
    divisional = chart.varga(varga)
    dignities = chart.vedic_dignities(divisional.code)
    labels = {"Lagna": "Lagna"} | {body.name: body.label for body in chart.bodies}
    lines = [f"{divisional.name} ({divisional.code.upper()})", "", f"{'Point':<9s} {'Sign':<11s} Vedic dignity"]
    for point, sign in divisional.labels.items():
        lines.append(f"{labels[point]:<9s} {sign:<11s} {dignities.get(point, '')}".rstrip())
    return "\n".join(lines)
