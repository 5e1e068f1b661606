"""Strength readings of a chart: ashtakavarga, shadbala and bhava bala. Every rule is the module's; `Chart` delegates
here."""
from __future__ import annotations

from dataclasses import dataclass
from typing import TYPE_CHECKING, Any, TypeVar, get_args

import zentaric

from zentaric_chart import _names
from zentaric_chart._literals import RequiredStrengthName
from zentaric_chart.vargas import graha_longitudes

if TYPE_CHECKING:
    from zentaric_chart.chart_data import ChartData as Chart

PLANETS = ("Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn")
#: The minimum strengths `shadbala` accepts ("parashara" is "bphs").
REQUIRED_STRENGTHS: tuple[RequiredStrengthName, ...] = get_args(RequiredStrengthName)
_T = TypeVar("_T")


@dataclass(frozen=True)
class Ashtakavarga:
    """Bindus by planet ("Sun" .. "Saturn") and sign (12 counts, Aries..Pisces): `bhinna` as given, `trikona` after
    trikona shodhana, `reduced` after ekadhipatya shodhana too; `sarva` the sum over the seven planets (337 in all);
    `prastara[planet][contributor]` the signs where that contributor ("Sun" .. "Saturn", "Lagna") gave a bindu;
    the rashi, graha and shodhya pindas by planet."""

    bhinna: dict[str, tuple[int, ...]]
    sarva: tuple[int, ...]
    trikona: dict[str, tuple[int, ...]]
    reduced: dict[str, tuple[int, ...]]
    prastara: dict[str, dict[str, tuple[int, ...]]]
    rashi_pinda: dict[str, int]
    graha_pinda: dict[str, int]
    shodhya_pinda: dict[str, int]


def ashtakavarga(chart: Chart) -> Ashtakavarga:
    """The chart's ashtakavarga (BPHS ch. 66-69)."""
    found = zentaric.ashtakavarga(graha_longitudes(chart), chart.lagna.longitude)

    def by_planet(rows: list[list[int]]) -> dict[str, tuple[int, ...]]:
        return {planet: tuple(row) for planet, row in zip(PLANETS, rows)}

    return Ashtakavarga(
        bhinna=by_planet(found["bhinna"]), sarva=tuple(found["sarva"]), trikona=by_planet(found["trikona"]),
        reduced=by_planet(found["reduced"]),
        prastara={planet: {giver: tuple(signs) for giver, signs in row.items()}
                  for planet, row in found["prastara"].items()},
        rashi_pinda=dict(zip(PLANETS, found["rashi_pinda"])), graha_pinda=dict(zip(PLANETS, found["graha_pinda"])),
        shodhya_pinda=dict(zip(PLANETS, found["shodhya_pinda"])))


@dataclass(frozen=True)
class Shadbala:
    """One planet's six strengths in virupas (60 to a rupa), every part shown: sthana (uchcha, saptavargaja,
    ojayugma, kendra, drekkana), dig, kala (nathonnata, paksha, tribhaga, abda, masa, vara, hora, ayana, yuddha),
    cheshta, naisargika and drik bala; the total in virupas and rupas, the `required` minimum in rupas and the
    `ratio` of the two; ishta and kashta phala."""

    uchcha: float
    saptavargaja: float
    ojayugma: float
    kendra: float
    drekkana: float
    sthana: float
    dig: float
    nathonnata: float
    paksha: float
    tribhaga: float
    abda: float
    masa: float
    vara: float
    hora: float
    ayana: float
    yuddha: float
    kala: float
    cheshta: float
    naisargika: float
    drik: float
    total: float
    rupas: float
    required: float
    ratio: float
    ishta: float
    kashta: float


@dataclass(frozen=True)
class BhavaBala:
    """One house's strength in virupas: its lord's shadbala, its dig and drishti bala, and their total."""

    house: int
    lord: str
    lord_strength: float
    dig: float
    drishti: float
    total: float


def _strengths(chart: Chart, required: RequiredStrengthName) -> Any:
    """The module's shadbala of the chart's own places (nothing is computed again but the Vedic day)."""
    required = _names.choice("required strength", required, REQUIRED_STRENGTHS)
    return zentaric.shadbala(graha_longitudes(chart), chart.lagna.longitude, chart.houses.mc_sidereal,
                             chart.ayanamsha_value, chart.julian_day, chart.birth.latitude, chart.birth.longitude,
                             required)


def _filled(cls: type[_T], fields: dict[str, Any]) -> _T:
    """A frozen dataclass from the module's dict of exactly its fields, set in one step (the generated __init__
    sets them one by one: for seven planets' 26 fields that cost half as much as computing the shadbala)."""
    made = object.__new__(cls)
    made.__dict__.update(fields)
    return made


def shadbala(chart: Chart, required: RequiredStrengthName = "bphs") -> dict[str, Shadbala]:
    """Shadbala of Sun..Saturn; `required` "bphs" (Sun 6.5 rupas) or "raman" (Sun 5)."""
    return {name: _filled(Shadbala, parts) for name, parts in _strengths(chart, required)["planets"].items()}


def bhava_bala(chart: Chart) -> dict[int, BhavaBala]:
    """Bhava bala of houses 1..12 (equal houses from the lagna's degree, each taken at its middle)."""
    bhavas = _strengths(chart, "bphs")["bhavas"]
    return {house: _filled(BhavaBala, {"house": house, **bala}) for house, bala in enumerate(bhavas, start=1)}
