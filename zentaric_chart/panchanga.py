"""The panchanga: the Vedic day from sunrise to the next sunrise, its five limbs with their exact ends, the kalams and
muhurtas, and the lunar month, as frozen dataclasses with aware datetimes in the place's zone.

    >>> from datetime import date
    >>> from zentaric_chart import Place, panchanga, panchanga_range
    >>> delhi = Place(28.6139, 77.2090, "Asia/Kolkata")
    >>> day = panchanga(date(2026, 12, 7), delhi)
    >>> day.tithis[0].name, day.tithis[0].end, day.rahu_kalam.start, day.masa.name
    >>> year = panchanga_range(date(2026, 1, 1), date(2026, 12, 31), delhi)   # 365 days, one search

Every number comes from the module's `compute_panchanga`, which searches the whole range at once; this module turns
its Julian Days into datetimes (rounded to the millisecond) and its numbers into names.
"""
from __future__ import annotations

import functools
import re
from dataclasses import dataclass
from datetime import date, datetime, time, timedelta, tzinfo
from typing import Any, Literal, TypeVar

import zentaric

from zentaric_chart import _names
from zentaric_chart._literals import AyanamshaName, ConventionName, LanguageName, NameTableName
from zentaric_chart.birth import MAX_YEAR, MIN_YEAR, Place

#: Julian Day of 1970-01-01 00:00 UTC.
_UNIX_EPOCH_JD = 2440587.5
#: The sunrise conventions the Vedic day may open with.
CONVENTIONS: tuple[ConventionName, ...] = ("hindu", "civil")


@dataclass(frozen=True)
class Interval:
    """A span of the day: `start` to `end`, aware datetimes in the place's zone."""

    start: datetime
    end: datetime


@dataclass(frozen=True)
class Limb:
    """A tithi, nakshatra, yoga or karana: its traditional number, English name and localised label, and when it
    starts and ends (it may start before the day's sunrise and end after the next). A tithi also has its paksha,
    "shukla" (numbers 1..15) or "krishna" (16..30); the other limbs have None."""

    number: int
    name: str
    label: str
    start: datetime
    end: datetime
    paksha: str | None = None


@dataclass(frozen=True)
class Name:
    """A named unit: the vara (number 0 = Sunday .. 6) or the ritu (1 = Vasanta .. 6 = Shishira)."""

    number: int
    name: str
    label: str


@dataclass(frozen=True)
class Masa:
    """A lunar month: number 1 (Chaitra) .. 12 (Phalguna), English name and localised label; `adhika` when no
    sankranti falls in it (it takes the name of the month after it); `kshaya`, the English name of the month skipped
    when two sankrantis fall in it, else None."""

    number: int
    name: str
    label: str
    adhika: bool
    kshaya: str | None


@dataclass(frozen=True)
class Panchanga:
    """The Vedic day of `day` at `place`: from `sunrise` to `next_sunrise`.

    sunrise, sunset, next_sunrise: the Sun by `convention` ("hindu": the centre of the disc on the geometric horizon,
        seen from the Earth's centre; "civil": the upper limb through 34' of refraction, from the place).
    moonrise, moonset: the Moon's first rising and setting between this sunrise and the next (upper limb, refracted,
        seen from the place), None when there is none.
    vara: the weekday of the sunrise. paksha: of the tithi at sunrise.
    tithis, nakshatras, yogas, karanas: the limb prevailing at sunrise first, the one prevailing at the next sunrise
        last, so a skipped (kshaya) limb shows between them and a limb over both sunrises is alone.
    rahu_kalam, yamaganda, gulika_kalam: an eighth of the daytime by weekday; abhijit: the 8th of the 15 muhurtas of
        the daytime; brahma_muhurta: the 14th of the 15 muhurtas of the night before sunrise.
    masa: the amanta month at sunrise, named from the sidereal sign the Sun occupies at the new moon opening it
        (Pisces: Chaitra); purnimanta_masa: the month from full moon to full moon, named for the amanta month that
        holds its closing full moon; an adhika month keeps its place, new moon to new moon, in both reckonings
        (between the dark and the bright half of the purnimanta month of its name). ritu: by pairs of amanta months. ayana: "uttarayana" from the Sun's sidereal
        entry into Capricorn to its entry into Cancer, else "dakshinayana".
    """

    day: date
    place: Place
    convention: str
    ayanamsha: str
    language: str
    sunrise: datetime
    sunset: datetime
    next_sunrise: datetime
    moonrise: datetime | None
    moonset: datetime | None
    vara: Name
    paksha: str
    tithis: tuple[Limb, ...]
    nakshatras: tuple[Limb, ...]
    yogas: tuple[Limb, ...]
    karanas: tuple[Limb, ...]
    rahu_kalam: Interval
    yamaganda: Interval
    gulika_kalam: Interval
    abhijit: Interval
    brahma_muhurta: Interval
    masa: Masa
    purnimanta_masa: Masa
    ritu: Name
    ayana: str

    @property
    def tithi(self) -> Limb:
        """The tithi prevailing at sunrise."""
        return self.tithis[0]

    @property
    def nakshatra(self) -> Limb:
        """The nakshatra prevailing at sunrise."""
        return self.nakshatras[0]

    @property
    def yoga(self) -> Limb:
        """The yoga prevailing at sunrise."""
        return self.yogas[0]

    @property
    def karana(self) -> Limb:
        """The karana prevailing at sunrise."""
        return self.karanas[0]


_T = TypeVar("_T")
_new_object = object.__new__
_set_attribute = object.__setattr__


def _made(cls: type[_T], fields: dict[str, Any]) -> _T:
    """An instance of a frozen dataclass from its fields, without running __init__: a year's 6,000 limbs, intervals
    and days are built in a third of the time (the fields are the dataclass's own, in order)."""
    instance: _T = _new_object(cls)
    _set_attribute(instance, "__dict__", fields)
    return instance


@functools.cache
def _labels(table: NameTableName | Literal["nakshatra"], language: LanguageName) -> tuple[str, ...]:
    """Every row of a name table in a language (nakshatras from their own table)."""
    if table == "nakshatra":
        return tuple(zentaric.nakshatra_name_i18n(index, language) for index in range(27))
    rows = {"vara": 7, "tithi": 30, "yoga": 27, "karana": 11, "masa": 12, "ritu": 6}[table]
    return tuple(zentaric.panchanga_name(table, index, language) for index in range(rows))


def _karana_row(number: int) -> int:
    """Row of karana number 1..60 in the name table (the module's docstring lists the rows)."""
    return 10 if number == 1 else number - 51 if number >= 58 else (number - 2) % 7


def checked_names(convention: ConventionName, ayanamsha: AyanamshaName,
                  language: LanguageName) -> tuple[ConventionName, AyanamshaName, LanguageName]:
    """The convention, ayanamsha and language as the module takes them (given in any case); UnknownName (a
    ValueError) for a name it does not know."""
    return _names.choice("convention", convention, CONVENTIONS), _names.ayanamsha(ayanamsha), _names.language(language)


def _check(day: object, place: object, convention: ConventionName, ayanamsha: AyanamshaName,
           language: LanguageName, argument: str = "day") -> tuple[ConventionName, AyanamshaName, LanguageName]:
    """The names checked, and `day` (the caller's `argument`) and `place` refused when they are not a date and a
    Place or when the day lies beyond the ephemeris."""
    if not isinstance(day, date) or isinstance(day, datetime):
        raise TypeError(f"{argument} must be a datetime.date, not {type(day).__name__}")
    if not isinstance(place, Place):
        raise TypeError(f"place must be a Place, not {type(place).__name__}")
    names = checked_names(convention, ayanamsha, language)
    if not MIN_YEAR + 1 <= day.year <= MAX_YEAR - 1:  # the night before the first day and the day after the last
        raise ValueError(f"{argument} {day.isoformat()} is outside the years {MIN_YEAR + 1} to {MAX_YEAR - 1}")
    return names


#: Adding and subtracting 1.5 × 2**52 rounds a float below 2**51 in magnitude to a whole number (half to even)
#: without leaving floats: a third cheaper than round() for a year's 7,000 times.
_ROUNDING = 6755399441055744.0


def _moments(jds: list[float], zone: tzinfo) -> list[datetime]:
    """Julian Days as aware datetimes in `zone`, rounded to the millisecond, in one comprehension (a year's 7,000
    times are most of this module's share of panchanga_range; the milliseconds since 1970 of the years 1..2998 stay
    below 2**51)."""
    stamp, epoch, rounding = datetime.fromtimestamp, _UNIX_EPOCH_JD, _ROUNDING
    return [stamp(((jd - epoch) * 86_400_000.0 + rounding - rounding) / 1000.0, zone) for jd in jds]


@functools.cache
def _limb_rows(kind: str, language: str) -> tuple[tuple[str, str, str | None], ...]:
    """(name, label, paksha) of each limb number of a kind (index 0 unused)."""
    names, labels = _labels(kind, "en"), _labels(kind, language)
    rows: list[tuple[str, str, str | None]] = [("", "", None)]
    for number in range(1, {"tithi": 30, "karana": 60}.get(kind, 27) + 1):
        row = _karana_row(number) if kind == "karana" else number - 1
        paksha = ("shukla" if number <= 15 else "krishna") if kind == "tithi" else None
        rows.append((names[row], labels[row], paksha))
    return tuple(rows)


def _limb_label(kind: str, number: int, language: str = "en") -> str:
    """The localised name of tithi (1..30), nakshatra, yoga (1..27) or karana (1..60) number `number`."""
    return _limb_rows(kind, _names.language(language))[number][1]


def _limbs(kind: str, times: list[float], numbers: bytes, language: str, zone: tzinfo) -> list[Limb]:
    """The limbs between consecutive crossings of a kind, each built once and shared by the days it spans."""
    rows, moments = _limb_rows(kind, language), _moments(times, zone)
    built = []
    for j in range(len(numbers) - 1):
        number = numbers[j]
        name, label, paksha = rows[number]
        limb = _new_object(Limb)
        _set_attribute(limb, "__dict__", {"number": number, "name": name, "label": label, "start": moments[j],
                                          "end": moments[j + 1], "paksha": paksha})
        built.append(limb)
    return built


@functools.cache
def _masa(number: int, adhika: bool, kshaya: int, language: LanguageName) -> Masa:
    names = _labels("masa", "en")
    return Masa(number + 1, names[number], _labels("masa", language)[number], adhika,
                names[kshaya] if kshaya >= 0 else None)


@functools.cache
def _name(table: str, number: int, row: int, language: LanguageName) -> Name:
    return Name(number, _labels(table, "en")[row], _labels(table, language)[row])


_NO_SUNRISE = re.compile(r"^no (sunrise|sunset) on day (\d+)")


_DAY_LENGTH = timedelta(days=1)


def _local_days(start: date, count: int, zone: tzinfo) -> list[tuple[date, int, timedelta]]:
    """The runs of the `count` days from `start` whose local midnights share one UTC offset: (first day, days,
    offset). A day the clocks skipped (Pacific/Apia 2011-12-30: its midnight is the next day's) is in none."""
    offsets = [datetime.combine(start + timedelta(days=k), time(0), zone).utcoffset() or timedelta(0)
               for k in range(count + 1)]
    runs: list[tuple[date, int, timedelta]] = []
    for k in range(count):
        if offsets[k + 1] - offsets[k] >= _DAY_LENGTH:
            continue  # the local day has no hours
        day, offset = start + timedelta(days=k), offsets[k]
        if runs and runs[-1][2] == offset and runs[-1][0] + timedelta(days=runs[-1][1]) == day:
            runs[-1] = (runs[-1][0], runs[-1][1] + 1, offset)
        else:
            runs.append((day, 1, offset))
    return runs


def panchanga_range(start: date, end: date, place: Place, convention: ConventionName = "hindu",
                    ayanamsha: AyanamshaName = "Lahiri", language: LanguageName = "en") -> list[Panchanga]:
    """The panchanga of every day from `start` to `end`, both included, from one search over the whole range.

    Each day's sunrise is the first in the 24 hours from its local midnight, as `panchanga` finds it (the days
    between two changes of the place's clocks share one search). A day the clocks skipped (Pacific/Apia
    2011-12-30) has no panchanga and is left out. A day whose Sun does not rise or set (polar day or night) raises
    ValueError: the Vedic day has no start.
    """
    convention, ayanamsha, language = _check(start, place, convention, ayanamsha, language, "start")
    _check(end, place, convention, ayanamsha, language, "end")
    count = (end - start).days + 1
    if count < 1:
        raise ValueError(f"end {end.isoformat()} is before start {start.isoformat()}")
    return [day for first, days, offset in _local_days(start, count, place.zone)
            for day in _days(first, days, offset, place, convention, ayanamsha, language)]


def _days(start: date, count: int, offset: timedelta, place: Place, convention: ConventionName,
          ayanamsha: AyanamshaName, language: LanguageName) -> list[Panchanga]:
    """`count` days from `start` whose local midnights are all `offset` from UTC, from one search."""
    try:
        days, crossings = zentaric.compute_panchanga(start.year, start.month, start.day, count, place.latitude,
                                                     place.longitude, place.elevation,
                                                     offset.total_seconds() / 3600.0, convention, ayanamsha)
    except ValueError as error:
        found = _NO_SUNRISE.match(str(error))
        if found is None:
            raise
        when = start + timedelta(days=int(found.group(2)))
        what = "rise" if found.group(1) == "sunrise" else "set"
        raise ValueError(f"the Sun does not {what} on {when.isoformat()} at latitude {place.latitude:g} "
                         f"({convention} convention): the Vedic day has no {'start' if what == 'rise' else 'end'}"
                         ) from None
    zone = place.zone
    tithis, nakshatras, yogas, karanas = (_limbs(kind, times, numbers, language, zone) for kind, (times, numbers)
                                          in zip(("tithi", "nakshatra", "yoga", "karana"), crossings))
    # Every time of the range at once: the sunrises (the next day's is this day's next_sunrise), the sunsets, the
    # Moon's events and the ends of the five spans of each day.
    sunrises = _moments([row[0] for row in days] + [days[-1][2]], zone)
    sunsets = _moments([row[1] for row in days], zone)
    moon_times = [jd for row in days for jd in row[3:5]]
    moon_moments = iter(_moments([jd for jd in moon_times if jd is not None], zone))
    moon = [None if jd is None else next(moon_moments) for jd in moon_times]
    spans = _moments([jd for row in days for jd in row[14:24]], zone)
    new, set_dict = _new_object, _set_attribute
    varas = [_name("vara", vara, vara, language) for vara in range(7)]
    ritus = [_name("ritu", ritu + 1, ritu, language) for ritu in range(6)]
    first = start.toordinal()
    result = []
    for k, row in enumerate(days):
        (_, _, _, _, _, vara, t0, tn, n0, nn, y0, yn, k0, kn, *_, masa, adhika, kshaya, purnimanta, purnimanta_adhika,
         ritu, uttarayana) = row
        intervals = []
        for j in range(10 * k, 10 * k + 10, 2):
            interval = new(Interval)
            set_dict(interval, "__dict__", {"start": spans[j], "end": spans[j + 1]})
            intervals.append(interval)
        day_tithis = tuple(tithis[t0:t0 + tn])
        result.append(_made(Panchanga, {
            "day": date.fromordinal(first + k), "place": place, "convention": convention, "ayanamsha": ayanamsha,
            "language": language, "sunrise": sunrises[k], "sunset": sunsets[k], "next_sunrise": sunrises[k + 1],
            "moonrise": moon[2 * k], "moonset": moon[2 * k + 1], "vara": varas[vara],
            "paksha": day_tithis[0].paksha, "tithis": day_tithis, "nakshatras": tuple(nakshatras[n0:n0 + nn]),
            "yogas": tuple(yogas[y0:y0 + yn]), "karanas": tuple(karanas[k0:k0 + kn]), "rahu_kalam": intervals[0],
            "yamaganda": intervals[1], "gulika_kalam": intervals[2], "abhijit": intervals[3],
            "brahma_muhurta": intervals[4], "masa": _masa(masa, adhika, kshaya, language),
            "purnimanta_masa": _masa(purnimanta, purnimanta_adhika, -1, language),
            "ritu": ritus[ritu], "ayana": "uttarayana" if uttarayana else "dakshinayana"}))
    return result


def panchanga(day: date, place: Place, convention: ConventionName = "hindu", ayanamsha: AyanamshaName = "Lahiri",
              language: LanguageName = "en") -> Panchanga:
    """The panchanga of one day (see `panchanga_range`)."""
    _check(day, place, convention, ayanamsha, language)
    found = panchanga_range(day, day, place, convention, ayanamsha, language)
    if not found:
        raise ValueError(f"{day.isoformat()} is not a day in {place.zone}: its clocks skipped it")
    return found[0]


#: The columns of `flat_row`, in order: the place and day, then the day's moments and limbs at sunrise.
FLAT_COLUMNS: tuple[str, ...] = (
    "date", "latitude", "longitude", "tz", "sunrise", "sunset", "next_sunrise", "moonrise", "moonset", "vara_number",
    "vara", "vara_label", "paksha",
    *(f"{limb}{suffix}" for limb in ("tithi", "nakshatra", "yoga", "karana")
      for suffix in ("_number", "", "_label", "_end")),
    *(f"{span}_{edge}" for span in ("rahu_kalam", "yamaganda", "gulika_kalam", "abhijit", "brahma_muhurta")
      for edge in ("start", "end")),
    "masa_number", "masa", "masa_label", "adhika", "kshaya_masa", "purnimanta_masa", "purnimanta_adhika", "ritu",
    "ritu_label", "ayana")


def flat_row(day: Panchanga) -> dict[str, object]:
    """One flat row of the day (FLAT_COLUMNS): the limbs prevailing at sunrise with their ends, datetimes aware in the
    place's zone, absent moonrise or moonset as None."""
    row: dict[str, object] = {
        "date": day.day, "latitude": day.place.latitude, "longitude": day.place.longitude, "tz": str(day.place.tz),
        "sunrise": day.sunrise, "sunset": day.sunset, "next_sunrise": day.next_sunrise, "moonrise": day.moonrise,
        "moonset": day.moonset, "vara_number": day.vara.number, "vara": day.vara.name, "vara_label": day.vara.label,
        "paksha": day.paksha}
    for limb in ("tithi", "nakshatra", "yoga", "karana"):
        first: Limb = getattr(day, limb + "s")[0]
        row.update({f"{limb}_number": first.number, limb: first.name, f"{limb}_label": first.label,
                    f"{limb}_end": first.end})
    for span in ("rahu_kalam", "yamaganda", "gulika_kalam", "abhijit", "brahma_muhurta"):
        interval: Interval = getattr(day, span)
        row.update({f"{span}_start": interval.start, f"{span}_end": interval.end})
    row.update({"masa_number": day.masa.number, "masa": day.masa.name, "masa_label": day.masa.label,
                "adhika": day.masa.adhika, "kshaya_masa": day.masa.kshaya, "purnimanta_masa": day.purnimanta_masa.name,
                "purnimanta_adhika": day.purnimanta_masa.adhika,
                "ritu": day.ritu.name, "ritu_label": day.ritu.label, "ayana": day.ayana})
    return row
