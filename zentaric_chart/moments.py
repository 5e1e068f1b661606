"""The moments of the sky: sunrise and sunset, moonrise, and the exact time of every change (a sign or a
nakshatra entered, a tithi, yoga or karana ended, a planet stationing, a longitude passed), from the module's
`rise_set_times`, `find_events` and `find_crossings`.

    >>> from datetime import date, datetime
    >>> from zoneinfo import ZoneInfo
    >>> delhi = Place(28.6139, 77.2090, "Asia/Kolkata")
    >>> rise_set(date(2024, 1, 1), delhi).rise             # Hindu sunrise, in the place's zone
    >>> start = datetime(2024, 1, 1, tzinfo=ZoneInfo("Asia/Kolkata"))
    >>> events(start, start + timedelta(days=30), "tithi")  # each tithi's end, in start's zone
    >>> crossings("Saturn", 330.0, start, start + timedelta(days=3 * 365))

Times are found to 0.1 s of the chart's own positions and shown to the millisecond.
"""
from __future__ import annotations

import math
from collections.abc import Sequence
from dataclasses import dataclass
from datetime import UTC, date, datetime, timedelta, tzinfo
from typing import cast

import zentaric

from zentaric_chart import _names
from zentaric_chart._literals import AyanamshaName, ConventionName, EventKindName, MomentBodyName
from zentaric_chart.birth import MAX_YEAR, MIN_YEAR, Place, _finite, julian_day, utc_of

__all__ = ["Event", "Place", "RiseSet", "crossings", "events", "rise_set", "rise_sets"]

BODIES = cast(tuple[MomentBodyName, ...], _names.listed(zentaric.find_events, "body"))
KINDS = cast(tuple[EventKindName, ...], _names.listed(zentaric.find_events, "kind"))
CONVENTIONS = cast(tuple[ConventionName, ...], _names.listed(zentaric.rise_set_times, "convention"))
_STATIONS = {1: "direct", -1: "retrograde"}
_J2000_JD, _J2000_WALL, _DAY = 2451545.0, datetime(2000, 1, 1, 12), timedelta(days=1)
_J2000_ORDINAL = date(2000, 1, 1).toordinal()


@dataclass(frozen=True)
class RiseSet:
    """A body's rising, setting and upper meridian transit on one local day of a place, as aware datetimes in the
    place's zone; each None when it does not happen that day. `always` says why neither a rise nor a set came:
    "above" (the body stayed up all day: polar day) or "below" (polar night); None otherwise (a Moon that rises
    but sets only after midnight has `set` None and `always` None)."""

    day: date
    body: str
    convention: str
    rise: datetime | None
    set: datetime | None
    transit: datetime | None
    always: str | None


@dataclass(frozen=True)
class Event:
    """A change: when (`time`, aware, in the zone of the range's start), of what `kind`, for which `body`, and the
    part left and entered (`before`, `after`): sign 0..11 from Aries, nakshatra 0..26 from Ashwini, tithi 1..30,
    yoga 1..27, karana 1..60; for a station "direct" or "retrograde"."""

    time: datetime
    kind: str
    body: str
    before: int | str
    after: int | str


def _instant(name: str, moment: object) -> datetime:
    if not isinstance(moment, datetime):
        raise TypeError(f"{name} must be a datetime, not {type(moment).__name__}")
    if moment.tzinfo is None or moment.utcoffset() is None:
        raise ValueError(f"{name} {moment.isoformat()} is naive: give an aware datetime (with a zone)")
    return moment


def _range(start: object, end: object) -> tuple[float, float, tzinfo]:
    first, last = _instant("start", start), _instant("end", end)
    if last < first:
        raise ValueError(f"end {last.isoformat()} comes before start {first.isoformat()}")
    for name, moment in (("start", first), ("end", last)):
        _check_year(name, moment.year)
    zone = first.tzinfo
    assert zone is not None
    return julian_day(first), julian_day(last), zone


def _check_year(name: str, year: int) -> None:
    if not MIN_YEAR <= year <= MAX_YEAR:
        raise ValueError(f"{name} falls in the year {year}, outside the ephemeris: the accepted range is the years "
                         f"{MIN_YEAR} to {MAX_YEAR}")


def events(start: datetime, end: datetime, kind: EventKindName, body: MomentBodyName = "Moon",
           ayanamsha: AyanamshaName = "Lahiri") -> list[Event]:
    """Every change of `kind` in [start, end) (aware datetimes), in time order.

    Kinds: "sign" and "nakshatra" (the body's sidereal longitude, any body), "tithi" (the Moon's longitude less
    the Sun's crosses a multiple of 12°), "yoga" (their sidereal sum crosses a multiple of 13°20′), "karana"
    (multiples of 6°): these three take body "Moon"; "station" (a planet's speed in longitude changes sign).
    Bodies: Sun .. Neptune, Rahu and Ketu (the mean node, as in the chart), TrueRahu and TrueKetu.
    """
    kind = _names.choice("event kind", kind, KINDS)
    body = _names.choice("body", body, BODIES)
    ayanamsha = _names.ayanamsha(ayanamsha)
    first, last, zone = _range(start, end)
    found = zentaric.find_events(first, last, kind, body, ayanamsha)
    if kind == "station":
        return [Event(utc_of(jd).astimezone(zone), kind, body, _STATIONS[before], _STATIONS[after])
                for jd, before, after in found]
    return [Event(utc_of(jd).astimezone(zone), kind, body, before, after) for jd, before, after in found]


def crossings(body: MomentBodyName, longitude: float, start: datetime, end: datetime,
              ayanamsha: AyanamshaName = "Lahiri") -> list[datetime]:
    """Every moment in [start, end) at which the body's sidereal longitude (tropical with "Tropical") passes
    `longitude` degrees, retrograde passes included: transits over natal points, solar and lunar returns."""
    body = _names.choice("body", body, BODIES)
    ayanamsha = _names.ayanamsha(ayanamsha)
    first, last, zone = _range(start, end)
    return [utc_of(jd).astimezone(zone)
            for jd in zentaric.find_crossings(body, _finite("longitude", longitude, -math.inf, math.inf), first,
                                              last, ayanamsha)]


def _midnight_jd(day: date, zone: tzinfo) -> float:
    """The UT Julian Day of the first instant of a local day (a day that starts in a clock gap starts when the
    clocks resume)."""
    wall = datetime(day.year, day.month, day.day, tzinfo=zone)
    offset = wall.utcoffset()
    if offset is None or offset != wall.replace(fold=1).utcoffset():  # midnight in a gap or a repeated hour
        for minutes in range(0, 24 * 60, 15):
            moment = wall + timedelta(minutes=minutes)
            if moment.astimezone(UTC).astimezone(zone).replace(tzinfo=None) == moment.replace(tzinfo=None):
                return julian_day(moment)
        return julian_day(wall)
    return _J2000_JD + ((wall.replace(tzinfo=None) - offset) - _J2000_WALL) / _DAY


def _midnights(first: date, count: int, zone: tzinfo) -> list[float]:
    """The UT Julian Days of the midnights that open `count` local days from `first`: from each day's UTC offset,
    carefully (`_midnight_jd`) beside a change of offset, where midnight may fall in a gap or a repeated hour."""
    ordinal = first.toordinal()
    walls = [datetime.fromordinal(ordinal + k).replace(tzinfo=zone) for k in range(count)]
    offsets = [wall.utcoffset() for wall in walls]
    starts = []
    for k, wall in enumerate(walls):
        offset = offsets[k]
        if offset is None or offsets[max(k - 1, 0)] != offset or offsets[min(k + 1, count - 1)] != offset:
            starts.append(_midnight_jd(wall.date(), zone))
        else:
            starts.append(_J2000_JD + (ordinal + k - _J2000_ORDINAL) - 0.5 - offset / _DAY)
    return starts


def rise_sets(first: date, last: date, place: Place, body: MomentBodyName = "Sun",
              convention: ConventionName = "hindu") -> list[RiseSet]:
    """`rise_set` for every local day from `first` to `last` (both included), from one search; a day the clocks
    skipped (Pacific/Apia 2011-12-30) is left out."""
    for name, day in (("first", first), ("last", last)):
        if not isinstance(day, date) or isinstance(day, datetime):
            raise TypeError(f"{name} must be a date, not {type(day).__name__}")
    if not isinstance(place, Place):
        raise TypeError(f"place must be a Place, not {type(place).__name__}")
    body = _names.choice("body", body, BODIES)
    convention = _names.choice("convention", convention, CONVENTIONS)
    if last < first:
        raise ValueError(f"last {last.isoformat()} comes before first {first.isoformat()}")
    for name, day in (("first", first), ("last", last)):
        _check_year(name, day.year)
    days = [first + timedelta(days=k) for k in range((last - first).days + 1)]
    try:
        starts = _midnights(days[0], len(days) + 1, place.zone)
        utc_of(starts[0])  # year 1's first day east of Greenwich opens in the year 0 of UTC
    except (OverflowError, ValueError):  # a local midnight outside the calendar in UTC
        raise ValueError(f"the days {first} to {last} in {place.zone} reach outside the years 1 to 9999 in "
                         "UTC") from None
    found, above = zentaric.rise_set_times(starts[0], starts[-1], place.latitude, place.longitude, place.elevation,
                                           body, convention)
    zone, result, index, count = place.zone, [], 0, len(found)
    for k, day in enumerate(days):
        end, up_at_start = starts[k + 1], above
        if end <= starts[k]:
            continue  # a day the clocks skipped (Pacific/Apia 2011-12-30) has no hours
        rise: float | None = None
        setting: float | None = None
        transit: float | None = None
        while index < count and found[index][0] < end:
            jd, what = found[index]
            index += 1
            if what == "transit":
                transit = jd if transit is None else transit
                continue
            above = what == "rise"
            if above:
                rise = jd if rise is None else rise
            else:
                setting = jd if setting is None else setting
        always = ("above" if up_at_start else "below") if rise is None and setting is None else None
        result.append(RiseSet(day, body, convention, None if rise is None else utc_of(rise).astimezone(zone),
                              None if setting is None else utc_of(setting).astimezone(zone),
                              None if transit is None else utc_of(transit).astimezone(zone), always))
    return result


def rise_set(day: date, place: Place, body: MomentBodyName = "Sun", convention: ConventionName = "hindu") -> RiseSet:
    """The first rise, set and upper transit of `body` on the local `day` of `place` (from its midnight to the
    next), as aware datetimes in the place's zone; None for what does not happen that day, and then `always`
    says whether the body stayed above or below the horizon all day.

    Conventions: "hindu" (default): the centre of the disc on the geometric horizon, no refraction, seen from
    the Earth's centre, the sunrise of the Vedic almanacs; "civil": the upper limb on the horizon through the
    standard refraction of 34′, seen from the place (the Moon's parallax and semi-diameter from its distance);
    "civil-twilight", "nautical-twilight", "astronomical-twilight" (the Sun only): its centre 6°, 12° or 18° below
    the horizon. Under every convention the Moon keeps its ecliptic latitude. An elevated place (`elevation`)
    lowers the horizon of rise and set by the dip.
    """
    if not isinstance(day, date) or isinstance(day, datetime):
        raise TypeError(f"day must be a date, not {type(day).__name__}")
    found = rise_sets(day, day, place, body, convention)
    if not found:
        raise ValueError(f"{day.isoformat()} is not a day in {place.zone}: its clocks skipped it")
    return found[0]
