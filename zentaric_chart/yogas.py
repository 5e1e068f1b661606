"""The classical yogas (combinations) of a chart, as the module's yoga table finds them.

    [(y.name, y.bodies) for y in chart.yogas()]     # ("Gajakesari", ("Moon", "Jupiter")), ("Hamsa", ("Jupiter",)), ...

Houses are counted by whole signs from the lagna; each rule and its source are in `Yoga.rule` and `Yoga.source`.
(Not to be confused with the panchanga's yoga, the sum of the Sun's and Moon's longitudes.)
"""
from __future__ import annotations

from dataclasses import dataclass
from typing import TYPE_CHECKING

import zentaric

from zentaric_chart.vargas import graha_longitudes

if TYPE_CHECKING:
    from zentaric_chart.chart_data import ChartData as Chart


@dataclass(frozen=True)
class Yoga:
    """A yoga the chart holds: its name, the grahas that form it, its rule in one line and the rule's source."""

    name: str
    bodies: tuple[str, ...]
    rule: str
    source: str


def yogas(chart: Chart) -> list[Yoga]:
    """Every yoga of the module's table that the chart holds, in the table's order (a yoga formed by several pairs of
    grahas, such as a raja yoga, once per pair)."""
    return [Yoga(found["name"], tuple(found["bodies"]), found["rule"], found["source"])
            for found in zentaric.yogas(graha_longitudes(chart), chart.lagna.longitude)]
