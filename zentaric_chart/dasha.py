"""Vimshottari dasha periods with calendar dates, from the module's `compute_dasha`.

`dasha` turns the module's tree into Period objects. `dasha_at` needs only the chain of periods running at one
instant: it takes the nine maha dashas from the module and divides only the period that contains the instant,
level by level, with the module's own rule (each sub-period the lord's share years/120 of its parent, multiplied
first and then divided, starting where the previous one ended; inside the period running at birth the division is
over the full period from its notional start, cut at birth). So five levels cost 9 × 5 periods, not 66,429.
"""
from __future__ import annotations

import json
from dataclasses import dataclass, field, replace
from datetime import datetime, tzinfo
from typing import Any

import zentaric

from zentaric_chart import _names
from zentaric_chart.birth import Birth, from_julian_day, julian_day, require_birth
from zentaric_chart.chart import PLANET_ROWS, natal

#: The lords in their cycle order, with their years; the lord after lord k is lord (k + 1) mod 9.
LORDS = ("Sun", "Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury", "Ketu", "Venus")
YEARS = (6.0, 10.0, 7.0, 18.0, 16.0, 19.0, 17.0, 7.0, 20.0)
MAX_LEVELS = 5
LEVEL_NAMES = ("maha", "antar", "pratyantar", "sookshma", "prana")


@dataclass(frozen=True)
class Period:
    """One dasha period: `lord` (English) and its `label` in the requested language, `level` 1 (maha) to 5,
    `start`/`end` as aware UTC datetimes (`local()` gives them in the birth's zone), the Julian Days they come
    from, and the nine `sub_periods` (empty at the deepest level, fewer in the period running at birth)."""

    lord: str
    label: str
    level: int
    start: datetime
    end: datetime
    start_jd: float
    end_jd: float
    sub_periods: tuple[Period, ...]
    zone: tzinfo = field(repr=False)

    def local(self) -> Period:
        """This period, its sub-periods included, with `start` and `end` in the birth's zone."""
        return replace(self, start=self.start.astimezone(self.zone), end=self.end.astimezone(self.zone),
                       sub_periods=tuple(period.local() for period in self.sub_periods))

    def contains(self, moment: datetime) -> bool:
        """Whether `moment` (aware) falls in [start, end): the millisecond `start` shows belongs to the period."""
        julian_day(moment)  # an aware datetime in range, or TypeError/ValueError
        return self.start <= moment < self.end


def _period(node: dict[str, Any], zone: tzinfo, language: str) -> Period:
    lord = node["lord"]
    return Period(lord=lord, label=zentaric.planet_name(PLANET_ROWS[lord], language), level=node["level"],
                  start=from_julian_day(node["start_jd"]), end=from_julian_day(node["end_jd"]),
                  start_jd=node["start_jd"], end_jd=node["end_jd"],
                  sub_periods=tuple(_period(child, zone, language) for child in node["sub_periods"]), zone=zone)


def _moon_and_jd(birth: Birth, ayanamsha: str) -> tuple[float, float]:
    chart = natal(birth, ayanamsha)
    return chart.body("Moon").longitude, chart.julian_day


def _check_levels(levels: int) -> int:
    if not isinstance(levels, int) or not 1 <= levels <= MAX_LEVELS:
        raise ValueError(f"levels {levels!r} is outside the accepted range 1 to {MAX_LEVELS}")
    return levels


def dasha(birth: Birth, levels: int = 3, ayanamsha: str = "Lahiri", language: str = "en") -> tuple[Period, ...]:
    """The nine maha dashas from birth, each divided down to `levels` (1..5; 5 builds 66,429 periods)."""
    require_birth(birth)
    _check_levels(levels)
    _names.ayanamsha(ayanamsha)
    _names.language(language)
    moon, birth_jd = _moon_and_jd(birth, ayanamsha)
    tree = json.loads(zentaric.compute_dasha(moon, birth_jd, levels))
    return tuple(_period(node, birth.zone, language) for node in tree["maha_dashas"])


def _sub_periods(lord: str, parent_days: float, start: float, birth_jd: float,
                 running_at_birth: bool) -> list[tuple[str, float, float, float, float]]:
    """The nine sub-periods of a period as (lord, start, end, notional start, full days).

    `start` is the period's start (its notional start when it runs at birth). A sub-period running at birth starts
    at birth; those ended by birth are dropped (the last one always stays); the later ones are whole.
    """
    first = LORDS.index(lord)
    periods = []
    for step in range(9):
        sub_lord = LORDS[(first + step) % 9]
        days = (parent_days * YEARS[LORDS.index(sub_lord)]) / 120.0
        end = start + days
        if not running_at_birth or start >= birth_jd:
            periods.append((sub_lord, start, end, start, days))
        elif end > birth_jd or step == 8:
            periods.append((sub_lord, birth_jd, max(end, birth_jd), start, days))
        start = end
    return periods


def dasha_at(birth: Birth, when: datetime, levels: int = 3, ayanamsha: str = "Lahiri",
             language: str = "en") -> tuple[Period, ...]:
    """The chain of periods running at the aware datetime `when`: maha, antar, pratyantar, ... down to `levels`.

    The periods carry no sub-periods. Empty when `when` lies before birth or after the 120-year cycle. Periods meet
    at their `start` and `end` datetimes (Julian Days rounded to the millisecond): `dasha_at` at a period's `start`
    returns that period.
    """
    require_birth(birth)
    _check_levels(levels)
    _names.ayanamsha(ayanamsha)
    _names.language(language)
    julian_day(when)  # an aware datetime in range, or TypeError/ValueError

    def runs(start: float, end: float) -> bool:
        return from_julian_day(start) <= when < from_julian_day(end)

    moon, birth_jd = _moon_and_jd(birth, ayanamsha)
    tree = json.loads(zentaric.compute_dasha(moon, birth_jd, 1))
    chain: list[Period] = []

    def keep(lord: str, level: int, start: float, end: float) -> None:
        chain.append(Period(lord=lord, label=zentaric.planet_name(PLANET_ROWS[lord], language), level=level,
                            start=from_julian_day(start), end=from_julian_day(end), start_jd=start, end_jd=end,
                            sub_periods=(), zone=birth.zone))

    for index, maha in enumerate(tree["maha_dashas"]):
        if runs(maha["start_jd"], maha["end_jd"]):
            break
    else:
        return ()
    keep(maha["lord"], 1, maha["start_jd"], maha["end_jd"])
    lord, days = maha["lord"], YEARS[LORDS.index(maha["lord"])] * 365.25
    running_at_birth = index == 0 and tree["initial_balance"] < 1.0
    start = birth_jd - (1.0 - tree["initial_balance"]) * days if running_at_birth else maha["start_jd"]
    if not running_at_birth:
        days = maha["duration_days"]
    for level in range(2, levels + 1):
        for sub_lord, sub_start, sub_end, notional, full_days in _sub_periods(lord, days, start, birth_jd,
                                                                             running_at_birth):
            if runs(sub_start, sub_end):
                break
        else:
            break  # `moment` falls in the rounding gap between the last sub-period's end and the parent's end
        keep(sub_lord, level, sub_start, sub_end)
        running_at_birth = running_at_birth and notional < birth_jd
        lord, days, start = sub_lord, full_days, notional
    return tuple(chain)
