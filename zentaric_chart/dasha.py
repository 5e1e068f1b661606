"""Dasha periods with calendar dates, for every system the module knows, from its `compute_dasha_periods`.

The module returns the periods as packed records in document order (each period followed by its descendants). A
`Period` is made only when it is looked at: `dasha` makes the maha dashas, and a period's `sub_periods` are read
from the records the first time they are asked for. So five levels (66,429 Vimshottari periods) cost one module
call and nine objects until a caller walks them. `dasha_at` asks the module to divide only the periods running at
one instant, and reads the chain from those few records.
"""
from __future__ import annotations

import math
import numbers
import re
import struct
from dataclasses import dataclass, field
from datetime import date, datetime, time, tzinfo
from functools import cached_property
from typing import TYPE_CHECKING, cast

import zentaric

from zentaric_chart import _names
from zentaric_chart._literals import AyanamshaName, DashaSystemName, DashaYearName, LanguageName, NodeName
from zentaric_chart.birth import Birth, from_julian_day, julian_day, require_birth
from zentaric_chart.chart import PLANET_ROWS

if TYPE_CHECKING:
    from zentaric import _DashaPeriods

MAX_LEVELS = 5
LEVEL_NAMES = ("maha", "antar", "pratyantar", "sookshma", "prana")


def _snake(name: str) -> str:
    return re.sub(r"(?<=[a-z])(?=[A-Z])", "_", name).lower()


#: The systems `dasha` and `dasha_at` accept, as the module lists them ("vimshottari", "yogini", ..., "chara").
DASHA_SYSTEMS: tuple[str, ...] = tuple(_snake(name) for name in _names.listed(zentaric.compute_dasha_periods, "system"))
#: The lengths of the dasha year: "julian" (365.25 days), "sidereal", "savana" (360), "tropical", "solar" (from birth
#: to the Sun's first return to its sidereal longitude at birth).
DASHA_YEARS: tuple[str, ...] = _names.listed(zentaric.compute_dasha_periods, "year_length")

_RECORD = struct.Struct("=ddIBBxx")  # start_jd, end_jd, descendants, position, level
_SIGNS = ("Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius", "Capricorn",
          "Aquarius", "Pisces")


@dataclass(frozen=True)
class _Periods:
    """What the periods of one call share: the records and how to name and date them."""

    system: str
    records: bytes
    lords: tuple[str, ...]
    labels: tuple[str, ...]
    names: tuple[str, ...]
    zone: tzinfo
    local: bool

    def period(self, index: int, divided: bool = True) -> Period:
        start_jd, end_jd, _, position, level = _RECORD.unpack_from(self.records, index * _RECORD.size)
        start, end = from_julian_day(start_jd), from_julian_day(end_jd)
        if self.local:
            start, end = start.astimezone(self.zone), end.astimezone(self.zone)
        # The fields set at once, as the frozen dataclass's __init__ would set them one by one (a third of the cost).
        period = object.__new__(Period)
        period.__dict__.update(system=self.system, lord=self.lords[position], label=self.labels[position],
                               name=self.names[position] if self.names else None, level=level, start=start, end=end,
                               start_jd=start_jd, end_jd=end_jd, zone=self.zone, _source=self if divided else None,
                               _index=index)
        return period

    def children(self, index: int) -> list[int]:
        """Indices of the records directly inside record `index` (all of them with index -1: the maha dashas)."""
        size = _RECORD.size
        if index < 0:
            at, stop = 0, len(self.records) // size
        else:
            at, stop = index + 1, index + 1 + _RECORD.unpack_from(self.records, index * size)[2]
        found = []
        while at < stop:
            found.append(at)
            at += 1 + _RECORD.unpack_from(self.records, at * size)[2]
        return found


@dataclass(frozen=True)
class Period:
    """One dasha period of `system`: its `lord` (an English planet name; a sign for Chara) and the `label` in the
    requested language, `name` (the yogini, for Yogini; else None), `level` 1 (maha) to 5, `start`/`end` as aware
    UTC datetimes (`local()` gives them in the birth's zone) and the Julian Days they come from. `sub_periods` are
    read when first asked for (empty at the deepest level, fewer in the period running at birth)."""

    system: str
    lord: str
    label: str
    name: str | None
    level: int
    start: datetime
    end: datetime
    start_jd: float
    end_jd: float
    zone: tzinfo = field(repr=False)
    _source: _Periods | None = field(default=None, repr=False, compare=False)
    _index: int = field(default=-1, repr=False, compare=False)

    @cached_property
    def sub_periods(self) -> tuple[Period, ...]:
        """The periods this one divides into, in order."""
        source = self._source
        if source is None:
            return ()
        return tuple(source.period(child) for child in source.children(self._index))

    def local(self) -> Period:
        """This period, its sub-periods included, with `start` and `end` in the birth's zone."""
        source = self._source
        if source is not None and not source.local:
            return _Periods(source.system, source.records, source.lords, source.labels, source.names, source.zone,
                            True).period(self._index)
        return Period(system=self.system, lord=self.lord, label=self.label, name=self.name, level=self.level,
                      start=self.start.astimezone(self.zone), end=self.end.astimezone(self.zone),
                      start_jd=self.start_jd, end_jd=self.end_jd, zone=self.zone, _source=source, _index=self._index)

    def contains(self, moment: datetime) -> bool:
        """Whether `moment` (aware) falls in [start, end): the millisecond `start` shows belongs to the period."""
        julian_day(moment)  # an aware datetime in range, or TypeError/ValueError
        return self.start <= moment < self.end


def _check_levels(levels: int) -> int:
    if isinstance(levels, bool) or not isinstance(levels, numbers.Integral):
        raise TypeError(f"levels must be an int 1 to {MAX_LEVELS}, not {type(levels).__name__}")
    if not 1 <= levels <= MAX_LEVELS:
        raise ValueError(f"levels {levels!r} is outside the accepted range 1 to {MAX_LEVELS}")
    return int(levels)


def check_system(name: object) -> DashaSystemName:
    """The DASHA_SYSTEMS entry `name` spells (any case, "ChaturashitiSama" or "chaturashiti-sama"), else
    UnknownName with the closest one."""
    if not isinstance(name, str):
        raise TypeError(f"system must be a str, not {type(name).__name__}")
    key = _snake(name).replace(" ", "_").replace("-", "_")
    if key in DASHA_SYSTEMS:
        return cast(DashaSystemName, key)
    raise _names.UnknownName("dasha system", name, DASHA_SYSTEMS, _names.closest(name, DASHA_SYSTEMS))


def check_year(name: object) -> DashaYearName:
    """The DASHA_YEARS entry `name` spells (any case), else UnknownName with the closest one."""
    if not isinstance(name, str):
        raise TypeError(f"year must be a str, not {type(name).__name__}")
    if name.lower() in DASHA_YEARS:
        return cast(DashaYearName, name.lower())
    raise _names.UnknownName("dasha year", name, DASHA_YEARS, _names.closest(name, DASHA_YEARS))


def _periods(birth: Birth, system: DashaSystemName, levels: int, year: DashaYearName, ayanamsha: AyanamshaName,
             language: LanguageName, at_jd: float = 0.0, node: NodeName = "mean") -> tuple[_Periods, _DashaPeriods]:
    require_birth(birth)
    name = check_system(system)
    levels = _check_levels(levels)
    year = check_year(year)
    _names.ayanamsha(ayanamsha)
    _names.language(language)
    _names.node(node)
    utc = birth.utc
    result = zentaric.compute_dasha_periods(
        utc.year, utc.month, utc.day, utc.hour, utc.minute, birth.latitude, birth.longitude, name, levels, year,
        ayanamsha, at_jd, node)
    lords = result["lords"]
    if name == "chara":
        labels = tuple(zentaric.sign_name(_SIGNS.index(lord), language) for lord in lords)
    else:
        labels = tuple(zentaric.planet_name(PLANET_ROWS[lord], language) for lord in lords)
    return _Periods(name, result["periods"], lords, labels, result["names"], birth.zone, False), result


class Dashas(tuple[Period, ...]):
    """The maha dashas of one system (a tuple of Period), with what the system reports beside them: `star` (the
    Moon's nakshatra; for Chara the lagna sign), `balance` (the fraction of the first maha dasha still to run at
    birth), `applicable` and `condition` (whether the chart meets the system's classical condition, and its text;
    reported, never enforced) and `year_days`."""

    system: str
    star: str
    balance: float
    applicable: bool
    condition: str
    year_days: float


def dasha(birth: Birth, system: DashaSystemName = "vimshottari", levels: int = 3, year: DashaYearName = "julian",
          ayanamsha: AyanamshaName = "Lahiri", language: LanguageName = "en", node: NodeName = "mean") -> Dashas:
    """The maha dashas of `system` (one of DASHA_SYSTEMS) from birth, each divided down to `levels` (1..5).

    `year` is the length of the dasha year (one of DASHA_YEARS); `node` the lunar node read as Rahu, "mean" or
    "true" (Chara dasha's co-lords, Ashtottari's condition). Sub-periods are read from the module's records
    when first looked at, so even 5 levels cost one call. The result also says whether the chart meets the
    system's classical condition (`applicable`, `condition`).
    """
    source, result = _periods(birth, system, levels, year, ayanamsha, language, node=node)
    mahas = Dashas(source.period(index) for index in source.children(-1))
    mahas.system, mahas.star, mahas.balance = source.system, result["star"], result["balance"]
    mahas.applicable, mahas.condition, mahas.year_days = result["applicable"], result["condition"], result["year_days"]
    return mahas


def _instant(when: datetime | date | str, zone: tzinfo) -> datetime:
    if isinstance(when, str):
        try:
            when = datetime.fromisoformat(when)
        except ValueError:
            raise ValueError(f"when {when!r} is not an ISO-8601 date or date and time such as 2026-12-06 or "
                             "2026-12-06T12:00") from None
    if isinstance(when, datetime):
        return when if when.tzinfo is not None and when.utcoffset() is not None else when.replace(tzinfo=zone)
    if isinstance(when, date):
        return datetime.combine(when, time(0), tzinfo=zone)
    raise TypeError(f"when must be a datetime, a date or an ISO-8601 str, not {type(when).__name__}")


def dasha_at(birth: Birth, when: datetime | date | str, system: DashaSystemName = "vimshottari", levels: int = 3,
             year: DashaYearName = "julian", ayanamsha: AyanamshaName = "Lahiri", language: LanguageName = "en",
             node: NodeName = "mean") -> tuple[Period, ...]:
    """The chain of periods of `system` running at `when`: maha, antar, pratyantar, ... down to `levels`.

    `when` is an aware datetime, or a naive datetime, a `date` (its midnight) or ISO-8601 text (such as
    "2026-12-06" or "2026-12-06T12:00", an offset optional), read in the birth's zone when it has no zone of its own.
    The periods carry no sub-periods. Empty when `when` lies before birth or after the last maha dasha. Periods
    meet at their `start` and `end` datetimes (Julian Days rounded to the millisecond): `dasha_at` at a period's
    `start` returns that period.
    """
    require_birth(birth)
    levels = _check_levels(levels)
    instant = _instant(when, birth.zone)
    focus = julian_day(instant)
    source = _periods(birth, system, levels, year, ayanamsha, language, focus, node)[0]
    chain: list[Period] = []
    parent = -1
    while len(chain) < levels:
        for index in source.children(parent):
            start_jd, end_jd, descendants, _, level = _RECORD.unpack_from(source.records, index * _RECORD.size)
            if from_julian_day(start_jd) <= instant < from_julian_day(end_jd):
                if level < levels and descendants == 0:
                    # the instant lies within a millisecond of a bound the module drew on the other side of it: ask
                    # again with a focus inside the period the rounded bounds give
                    focus = min(max(focus, start_jd), math.nextafter(end_jd, start_jd))
                    source = _periods(birth, system, levels, year, ayanamsha, language, focus, node)[0]
                    chain, parent = [], -1
                    break
                chain.append(source.period(index, divided=False))
                parent = index
                break
        else:
            break
    return tuple(chain)
