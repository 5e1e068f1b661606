"""Jaimini's readings of a chart: the chara karakas, the karakamsha and the arudha padas. Every rule is the module's;
`Chart` delegates here."""
from __future__ import annotations

from dataclasses import dataclass
from typing import TYPE_CHECKING

import zentaric

from zentaric_chart.vargas import graha_longitudes

if TYPE_CHECKING:
    from zentaric_chart.chart_data import ChartData as Chart


@dataclass(frozen=True)
class Karakas:
    """The chara karakas: karaka ("AK", "AmK", "BK", "MK", ["PiK",] "PK", "GK", "DK") to body name, Atmakaraka first,
    and the karakamsha, the Atmakaraka's navamsha sign (0..11; `karakamsha_sign` its English name)."""

    scheme: int
    karakas: dict[str, str]
    karakamsha: int
    karakamsha_sign: str


def karakas(chart: Chart, scheme: int = 7) -> Karakas:
    """Seven karakas (Sun..Saturn by degree within their sign) or eight (Rahu too, by 30° less its degree)."""
    if isinstance(scheme, bool) or not isinstance(scheme, int):
        raise TypeError(f"scheme must be 7 or 8 (an int), not {type(scheme).__name__}")
    if scheme not in (7, 8):
        raise ValueError(f"scheme must be 7 or 8, not {scheme!r}")
    found = zentaric.jaimini(graha_longitudes(chart), chart.lagna.longitude, scheme)
    return Karakas(scheme, found["karakas"], found["karakamsha"], zentaric.sign_name(found["karakamsha"]))


@dataclass(frozen=True)
class Arudha:
    """The arudha pada of one house: its sign (0..11), the sign's English and localised names, and the house it
    falls in counted whole-sign from the lagna."""

    house: int
    sign_index: int
    sign: str
    sign_label: str
    falls_in: int


def arudhas(chart: Chart) -> dict[str, Arudha]:
    """A1 (the arudha lagna) .. A12 (the upapada), by the lord's count from each house, whole-sign from the lagna."""
    found = zentaric.jaimini(graha_longitudes(chart), chart.lagna.longitude)["arudhas"]
    lagna = chart.lagna.sign_index
    return {f"A{house}": Arudha(house, sign, zentaric.sign_name(sign), zentaric.sign_name(sign, chart.language),
                                (sign - lagna) % 12 + 1)
            for house, sign in enumerate(found, start=1)}
