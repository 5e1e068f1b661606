"""Birth moments: a local wall time in a named zone turned into the UTC minute the module computes for.

Also the two Julian Day conversions. The module's `calendar_to_jd` reads dates in the proleptic Gregorian calendar
at every date (no switch to the Julian calendar before 1582-10-15), as Python's datetime does; so a datetime's year,
month and day go to the module unchanged, and dates before 1582-10-15 are proleptic Gregorian dates.
"""
from __future__ import annotations

import math
import numbers
import zoneinfo
from dataclasses import dataclass, field
from datetime import UTC, datetime, timedelta, tzinfo

import zentaric

from zentaric_chart._names import UnknownName
from zentaric_chart.zones import unknown_zone

#: Years a birth may fall in: the module's ephemeris covers about 2000 BCE to 3000 CE; Python's datetime starts at
#: year 1, and a birth late in 3000 CE needs positions half a day beyond the ephemeris' last day.
MIN_YEAR = 1
MAX_YEAR = 2998

_J2000 = datetime(2000, 1, 1, 12, tzinfo=UTC)  # Julian Day 2451545.0


def julian_day(moment: datetime) -> float:
    """The UT Julian Day of an aware datetime, by the module's `calendar_to_jd` (proleptic Gregorian)."""
    if not isinstance(moment, datetime):
        raise TypeError(f"moment must be an aware datetime, not {type(moment).__name__}")
    if moment.tzinfo is None or moment.utcoffset() is None:
        raise ValueError(f"julian_day needs an aware datetime, got the naive {moment.isoformat()}")
    try:
        utc = moment.astimezone(UTC)
    except OverflowError:
        raise ValueError(f"moment {moment.isoformat()} falls outside the years 1 to 9999 in UTC") from None
    seconds = utc.hour * 3600 + utc.minute * 60 + utc.second + utc.microsecond / 1e6
    return zentaric.calendar_to_jd(utc.year, utc.month, utc.day + seconds / 86400.0)


def from_julian_day(jd: float) -> datetime:
    """The aware UTC datetime of a UT Julian Day, rounded to the millisecond (the inverse of `julian_day`).

    A Julian Day near 2.4 million resolves about 40 microseconds, so finer digits would be noise.
    """
    if isinstance(jd, bool) or not isinstance(jd, numbers.Real):
        raise TypeError(f"jd must be a number, not {type(jd).__name__}")
    try:
        jd = float(jd)
    except OverflowError:
        jd = math.inf
    if not math.isfinite(jd):
        raise ValueError(f"Julian Day {jd} is not a finite number")
    try:
        return utc_of(jd)
    except OverflowError:
        raise ValueError(f"Julian Day {jd} is outside the datetime range (years 1 to 9999)") from None


def utc_of(jd: float) -> datetime:
    """`from_julian_day` of a finite float the module gave, unchecked (OverflowError outside the years 1 to 9999)."""
    days = jd - 2451545.0  # exact for Julian Days of the years 1 to 9999
    whole = math.floor(days)
    # timedelta(days, seconds, microseconds, milliseconds), positional: the cheapest construction
    return _J2000 + timedelta(whole, 0, 0, round((days - whole) * 86_400_000))


def zone(name: str) -> zoneinfo.ZoneInfo:
    """The IANA zone `name`; an unknown name raises ValueError (an UnknownName) saying what it may have meant: the
    zones an abbreviation stands for, a country's zones, a city's zone or a zone spelled alike."""
    try:
        return zoneinfo.ZoneInfo(name)
    except (zoneinfo.ZoneInfoNotFoundError, ValueError, OSError):  # OSError: a folder ("Asia"), a name too long
        raise unknown_zone(name) from None


def _finite(name: str, value: float | str, low: float, high: float, unit: str = "degrees") -> float:
    """`value` (a real number or its text) as a float in [low, high], else ValueError/TypeError naming `name`."""
    if isinstance(value, bool) or not isinstance(value, (numbers.Real, str)):
        raise TypeError(f"{name} must be a number, not {type(value).__name__}")
    try:
        number = float(value)
    except ValueError:
        raise ValueError(f"{name} {value!r} is not a number") from None
    except OverflowError:  # an int beyond the doubles
        number = math.inf
    if not (math.isfinite(number) and low <= number <= high):
        shown = f"{value!r}" if len(repr(value)) <= 40 else f"{repr(value)[:37]}..."
        if math.isinf(low) and math.isinf(high):
            raise ValueError(f"{name} {shown} is not a finite number of {unit}")
        raise ValueError(f"{name} {shown} is outside the accepted range {low:g} to {high:g} {unit}")
    return number


def _place(tz: str | tzinfo) -> tzinfo:
    if isinstance(tz, str):
        try:
            return zone(tz)
        except UnknownName as error:  # named as the other arguments are
            error.args = (f"tz: {error}",)
            raise
    if isinstance(tz, tzinfo):
        return tz
    raise TypeError(f"tz must be an IANA zone name (such as Asia/Kolkata) or a tzinfo such as ZoneInfo or "
                    f"datetime.timezone, not {type(tz).__name__}")


def _utc_instant(local: datetime, place: tzinfo, fold: int | None) -> datetime:
    """The UTC instant of a naive wall time in `place`; gaps and repeated hours need `fold`."""
    readings = [local.replace(tzinfo=place, fold=f).astimezone(UTC) for f in (0, 1)]
    if fold is not None:
        return readings[fold]
    if readings[0] == readings[1]:
        return readings[0]
    exists = [r.astimezone(place).replace(tzinfo=None) == local for r in readings]
    what = "happens twice (clocks went back)" if all(exists) else "does not exist (clocks went forward)"
    raise ValueError(f"{local.isoformat(' ')} {what} in {place}: fold=0 reads it as {readings[0]:%Y-%m-%d %H:%M} "
                     f"UTC, fold=1 as {readings[1]:%Y-%m-%d %H:%M} UTC")


def _parse_when(when: datetime | str) -> datetime:
    if isinstance(when, datetime):
        return when
    if isinstance(when, str):
        try:
            return datetime.fromisoformat(when)
        except ValueError:
            raise ValueError(f"when {when!r} is not an ISO-8601 date and time such as 1990-05-15T16:00") from None
    raise TypeError(f"when must be a datetime or an ISO-8601 str, not {type(when).__name__}")


@dataclass(frozen=True)
class Place:
    """A place on the Earth: `latitude` (degrees north), `longitude` (degrees east), `tz` (an IANA zone such as
    "Asia/Kolkata", or a tzinfo) in which its days and times are told, and `elevation` in metres (it lowers the
    horizon of sunrise and sunset by the dip). `zone` is the tzinfo."""

    latitude: float
    longitude: float
    tz: str | tzinfo
    elevation: float = 0.0
    zone: tzinfo = field(init=False, repr=False, compare=False)

    def __post_init__(self) -> None:
        object.__setattr__(self, "latitude", _finite("latitude", self.latitude, -90.0, 90.0))
        object.__setattr__(self, "longitude", _finite("longitude", self.longitude, -180.0, 180.0))
        object.__setattr__(self, "elevation", _finite("elevation", self.elevation, -500.0, 20_000.0, "metres"))
        object.__setattr__(self, "zone", _place(self.tz))


def utc_minute(instant: datetime) -> datetime:
    """An aware UTC instant rounded to the nearest minute (the module's resolution); OverflowError past year 9999."""
    return (instant + timedelta(seconds=30)).replace(second=0, microsecond=0)


@dataclass(frozen=True)
class Birth:
    """A birth: when, where, and the UTC minute the module computes for.

    `when` is an aware datetime, or a naive datetime / ISO-8601 text read as wall time in `tz` (an IANA zone name,
    a ZoneInfo or a datetime.timezone).
    A wall time that does not exist or happens twice in `tz` raises ValueError unless `fold` (0: the earlier
    reading, 1: the later, as `datetime.fold`) chooses. `utc` is the instant actually used: `when` in UTC rounded to
    the nearest minute (the module's resolution). `latitude` is north positive, `longitude` east positive.
    """

    when: datetime | str
    latitude: float
    longitude: float
    tz: str | tzinfo | None = None
    fold: int | None = None
    utc: datetime = field(init=False)
    zone: tzinfo = field(init=False, repr=False)

    def __post_init__(self) -> None:
        object.__setattr__(self, "latitude", _finite("latitude", self.latitude, -90.0, 90.0))
        object.__setattr__(self, "longitude", _finite("longitude", self.longitude, -180.0, 180.0))
        fold = self.fold
        if fold is not None:
            if isinstance(fold, bool) or not isinstance(fold, numbers.Real):
                raise TypeError(f"fold must be 0, 1 or None, not {type(fold).__name__}")
            if fold not in (0, 1):
                raise ValueError(f"fold {fold!r} must be 0, 1 or None")
            object.__setattr__(self, "fold", fold := int(fold))
        moment = _parse_when(self.when)
        place: tzinfo | None = _place(self.tz) if self.tz is not None else moment.tzinfo
        if place is None:
            raise ValueError(f"when {moment.isoformat()} has no zone: pass tz (an IANA zone such as Asia/Kolkata) "
                             "or an aware datetime")
        years = f"years {MIN_YEAR} to {MAX_YEAR}"
        if not MIN_YEAR <= moment.year <= MAX_YEAR:
            raise ValueError(f"when {moment.isoformat()} is outside the ephemeris: the accepted range is the {years}")
        try:
            if moment.tzinfo is None:
                instant = _utc_instant(moment, place, fold)
            else:
                instant = moment.astimezone(UTC)
            minute = utc_minute(instant)
            outside = not MIN_YEAR <= minute.year <= MAX_YEAR
        except OverflowError:  # the UTC instant falls before the year 1 or after 9999
            outside = True
        if outside:
            raise ValueError(f"when {moment.isoformat()} in {place}: its UTC instant falls outside the "
                             f"ephemeris' {years}")
        object.__setattr__(self, "when", moment)
        object.__setattr__(self, "utc", minute)
        object.__setattr__(self, "zone", place)

    @property
    def place(self) -> Place:
        """Where the birth happened, with its zone (the `tz` given, else the zone of `when`)."""
        return Place(self.latitude, self.longitude, self.tz if self.tz is not None else self.zone)

    def local(self) -> datetime:
        """The instant used (`utc`), shown in the birth's zone."""
        return self.utc.astimezone(self.zone)

    @property
    def julian_day(self) -> float:
        """UT Julian Day of `utc`, as the module computes it from the same minute."""
        return julian_day(self.utc)


def require_birth(birth: object) -> Birth:
    """`birth` if it is a Birth, else TypeError naming the argument."""
    if not isinstance(birth, Birth):
        raise TypeError(f"birth must be a Birth, not {type(birth).__name__}")
    return birth
