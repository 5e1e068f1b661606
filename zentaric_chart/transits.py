"""Transits and the calendar of a life: gochara at a moment, Sade Sati and the dhaiyas, solar and lunar returns, and
one timeline of everything that changes. The rules are the module's (`gochara`, `saturn_phases`, `find_events`,
`find_crossings`, the dasha systems); this module dates and names them.

    >>> birth = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    >>> transits(birth, datetime(2026, 12, 7, tzinfo=UTC)).body("Saturn").house_from_moon
    >>> [(p.phase, p.start.date(), p.end.date()) for p in sade_sati(birth)]
    >>> timeline(birth, date(2026, 1, 1), date(2030, 12, 31))
"""
from __future__ import annotations

from dataclasses import asdict, dataclass, fields
from datetime import UTC, date, datetime, timedelta, tzinfo
from typing import Any, Literal

import zentaric

from zentaric_chart import _names
from zentaric_chart._literals import AyanamshaName, DashaSystemName, GrahaName
from zentaric_chart.birth import MAX_YEAR, MIN_YEAR, Birth, Place, from_julian_day, julian_day, require_birth
from zentaric_chart.chart import Chart, chart_from_record
from zentaric_chart.dasha import _instant, dasha
from zentaric_chart.vargas import GRAHAS, graha_longitudes

__all__ = ["Office", "Phase", "Return", "TimelineEvent", "Transit", "Transits", "lunar_return", "sade_sati",
           "solar_return", "timeline", "to_ics", "transits"]

#: The nine taras counted from the natal star (Muhurta Chintamani).
TARAS = ("Janma", "Sampat", "Vipat", "Kshema", "Pratyari", "Sadhaka", "Vadha", "Mitra", "Parama Mitra")
#: Saturn's phases: the house from the natal Moon and what it is called.
PHASE_HOUSES = {"rising": 12, "peak": 1, "setting": 2, "kantaka": 4, "ashtama": 8}
_PHASE_TEXT = {"rising": "Sade Sati rising (12th from the Moon)", "peak": "Sade Sati peak (over the Moon)",
               "setting": "Sade Sati setting (2nd from the Moon)", "kantaka": "Kantaka dhaiya (4th from the Moon)",
               "ashtama": "Ashtama dhaiya (8th from the Moon)"}
_CENTURY = timedelta(days=36525)
_HALF_YEAR = 365.25636 / 2  # half a sidereal year, in days
#: The first and last instants of the ephemeris' years.
_FIRST = datetime(MIN_YEAR, 1, 1, tzinfo=UTC)
_LAST = datetime(MAX_YEAR, 12, 31, 23, 59, tzinfo=UTC)


def _shifted(moment: datetime, by: timedelta) -> datetime:
    """`moment + by`, held within the ephemeris' years (a default range or a search window may reach past them)."""
    try:
        return min(max(moment + by, _FIRST), _LAST)
    except OverflowError:  # past the calendar itself
        return _FIRST if by < timedelta(0) else _LAST


def _moment(name: str, when: datetime | date | str, zone: tzinfo) -> datetime:
    """`when` read in `zone`, refused (naming the argument `name`) when its UTC instant is outside the ephemeris."""
    try:
        moment = _instant(when, zone)
    except (TypeError, ValueError) as error:
        raise type(error)(str(error).replace("when", name, 1)) from None
    try:
        year = moment.astimezone(UTC).year
    except OverflowError:  # before the year 1 or after 9999 in UTC
        year = 0
    if not MIN_YEAR <= year <= MAX_YEAR:
        raise ValueError(f"{name} {moment.isoformat()} is outside the ephemeris: its UTC instant must fall in the "
                         f"years {MIN_YEAR} to {MAX_YEAR}")
    return moment


def _place_or_none(place: object) -> None:
    if place is not None and not isinstance(place, Place):
        raise TypeError(f"place must be a Place or None, not {type(place).__name__}")


def _chart_at(birth: Birth, moment: datetime, ayanamsha: AyanamshaName, place: Place | None = None) -> Chart:
    """The whole-sign chart of the instant `moment` to the millisecond (not its minute) at the birth place or `place`:
    its `julian_day` and every place are the instant's; its `birth` is a UTC Birth of `moment`, whose `utc` is the
    nearest minute (a Birth's resolution)."""
    where = place if place is not None else birth.place
    utc = moment.astimezone(UTC)
    at = Birth(utc.replace(tzinfo=None), where.latitude, where.longitude, tz="UTC")
    record = zentaric.compute_natal_record(utc.year, utc.month, utc.day, utc.hour, utc.minute, where.latitude,
                                           where.longitude, ayanamsha, "WholeSign",
                                           second=utc.second + utc.microsecond / 1e6)
    return chart_from_record(at, record, "en")


@dataclass(frozen=True)
class Transit:
    """One graha at the moment: its sidereal place, houses counted whole-sign from the natal Moon and lagna, whether
    the classical gochara reading of its house from the Moon is favourable, and the graha whose vedha cancels a
    favourable transit (None when none does)."""

    body: str
    longitude: float
    sign: str
    nakshatra: str
    retrograde: bool
    house_from_moon: int
    house_from_lagna: int
    favourable: bool
    vedha_by: str | None


@dataclass(frozen=True)
class Transits:
    """The grahas at `when` read against the natal chart, and the transiting Moon's tara (1..9) from the natal star."""

    when: datetime
    bodies: tuple[Transit, ...]
    moon_tara: int
    moon_tara_name: str

    def body(self, name: GrahaName) -> Transit:
        """The transit of `name` ("Sun" .. "Ketu", any case)."""
        wanted = _names.choice("body", name, GRAHAS)
        return next(transit for transit in self.bodies if transit.body == wanted)


def transits(birth: Birth, when: datetime | date | str, ayanamsha: AyanamshaName = "Lahiri") -> Transits:
    """Gochara at `when` (an aware datetime, or a date or ISO text read in the birth's zone): Phaladeepika's
    favourable houses from the natal Moon with their vedha (see `zentaric.gochara`)."""
    require_birth(birth)
    ayanamsha = _names.ayanamsha(ayanamsha)
    moment = _moment("when", when, birth.zone)
    natal_chart, now = _chart_at(birth, birth.utc, ayanamsha), _chart_at(birth, moment, ayanamsha)
    moon = natal_chart.body("Moon")
    readings = zentaric.gochara(graha_longitudes(now), moon.sign_index, natal_chart.lagna.sign_index)
    bodies = tuple(Transit(name, body.longitude, body.sign, body.nakshatra, body.retrograde, *reading)
                   for name, reading in zip(GRAHAS, readings) for body in [now.body(name)])
    tara = (now.body("Moon").nakshatra_index - moon.nakshatra_index) % 9 + 1
    return Transits(moment, bodies, tara, TARAS[tara - 1])


@dataclass(frozen=True)
class Phase:
    """A span of Saturn's passage from the natal Moon: `phase` "rising", "peak", "setting" (Sade Sati: the 12th, 1st
    and 2nd signs) or "kantaka", "ashtama" (the dhaiyas: 4th and 8th), its `house` from the Moon, and its exact
    `start` and `end` (Saturn's sign ingresses, in the birth's zone). A retrograde exit and re-entry ends a span and
    opens another of the same phase; `open_start`/`open_end` say that the span began before the range or goes on
    after it (its start or end is then the range's)."""

    phase: str
    house: int
    start: datetime
    end: datetime
    open_start: bool
    open_end: bool


def sade_sati(birth: Birth, start: datetime | date | str | None = None, end: datetime | date | str | None = None,
              ayanamsha: AyanamshaName = "Lahiri") -> list[Phase]:
    """Sade Sati and dhaiya spans between `start` (default: the birth) and `end` (default: a century later)."""
    require_birth(birth)
    ayanamsha = _names.ayanamsha(ayanamsha)
    first = birth.utc if start is None else _moment("start", start, birth.zone)
    last = _shifted(first, _CENTURY) if end is None else _moment("end", end, birth.zone)
    if last < first:
        raise ValueError(f"end {last.isoformat()} comes before start {first.isoformat()}")
    moon = _chart_at(birth, birth.utc, ayanamsha).body("Moon").sign_index
    zone = birth.zone
    return [Phase(name, PHASE_HOUSES[name], from_julian_day(s).astimezone(zone), from_julian_day(e).astimezone(zone),
                  open_start, open_end)
            for name, s, e, open_start, open_end in zentaric.saturn_phases(moon, julian_day(first), julian_day(last),
                                                                            ayanamsha)]


@dataclass(frozen=True)
class Office:
    """One of a Tajika year's five office-bearers (pancha adhikaris): the `office` ("muntha", "janma_lagna",
    "varsha_lagna", "tri_rashi", "dina_ratri"), the `graha` holding it, its shadbala in rupas and whether it aspects
    the varsha lagna by Tajika aspect."""

    office: str
    graha: str
    strength: float
    aspects_lagna: bool


@dataclass(frozen=True, kw_only=True)
class Return(Chart):
    """A solar return (the Tajika varsha pravesha) or a lunar return: the `Chart` of the `moment` (to the
    millisecond) the body is back at its natal sidereal longitude, at the birth place or the place given (whole-sign
    houses). Its `julian_day`, bodies, lagna and houses are those of `moment` itself; its `birth` is a UTC Birth of
    `moment`, so `birth.utc` is the nearest whole minute (a Birth's resolution) and `to_json()`, the module's
    document of a whole minute, describes that minute. For a solar return it also holds the `muntha` (the natal lagna's
    sign advanced one sign a year, 0..11), its `muntha_sign` and `muntha_lord`, the `year_lord` (varsheshvara: the
    strongest office-bearer by shadbala that aspects the varsha lagna, else the strongest; see
    `zentaric.varsha_lords`), the five `offices` and whether the year began by day (`by_day`). The year lord and the
    offices are None where the year's chart has no shadbala (no sunrise and sunset near a polar place); all of these
    are None for a lunar return."""

    moment: datetime
    muntha: int | None = None
    muntha_sign: str | None = None
    muntha_lord: str | None = None
    year_lord: str | None = None
    offices: tuple[Office, ...] | None = None
    by_day: bool | None = None

    @property
    def chart(self) -> Chart:
        """The chart itself (a Return is one; kept for code written when the chart was a member)."""
        return self

    def to_dict(self) -> dict[str, Any]:
        """The chart's `to_dict()` with the return's own members: `moment` (ISO-8601 text), the muntha, the year
        lord, the offices (a list of dicts, or None) and `by_day`."""
        offices = None if self.offices is None else [asdict(office) for office in self.offices]
        return {**super().to_dict(), "moment": self.moment.isoformat(), "muntha": self.muntha,
                "muntha_sign": self.muntha_sign, "muntha_lord": self.muntha_lord, "year_lord": self.year_lord,
                "offices": offices, "by_day": self.by_day}


_LORDS = ("Mars", "Venus", "Mercury", "Moon", "Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Saturn",
          "Jupiter")


def _return(birth: Birth, body: Literal["Sun", "Moon"], after: datetime, window: timedelta,
            ayanamsha: AyanamshaName, near: datetime | None = None) -> datetime:
    """The body's first return to its natal sidereal longitude within `window` after `after` (strictly later, to the
    millisecond of the moments given: asked after a return, the next one), or the one nearest `near`."""
    natal_longitude = _chart_at(birth, birth.utc, ayanamsha).body(body).longitude
    found = zentaric.find_crossings(body, natal_longitude, julian_day(after), julian_day(_shifted(after, window)),
                                   ayanamsha)
    if near is None:
        found = [jd for jd in found if from_julian_day(jd) > after]
        if not found:
            raise ValueError(f"no return of the {body} found within {window.days} days after {after.isoformat()}")
        return from_julian_day(found[0]).astimezone(birth.zone)
    # within half a year of `near`: one further off is the next or the previous year's (the search window is cut
    # at the ephemeris' first and last years)
    target = julian_day(near)
    found = sorted((jd for jd in found if abs(jd - target) < _HALF_YEAR), key=lambda jd: abs(jd - target))
    if not found:
        raise ValueError(f"the return of the {body} nearest {near.date().isoformat()} falls outside the ephemeris' "
                         f"years {MIN_YEAR} to {MAX_YEAR}")
    return from_julian_day(found[0]).astimezone(birth.zone)


def _return_chart(chart: Chart, moment: datetime, **year: Any) -> Return:
    return Return(**{field.name: getattr(chart, field.name) for field in fields(Chart)}, moment=moment, **year)


def solar_return(birth: Birth, year: int, place: Place | None = None, ayanamsha: AyanamshaName = "Lahiri") -> Return:
    """The Sun's return to its natal sidereal longitude in `year` (the one nearest the birthday's anniversary, which
    a birth centuries away can move by weeks): its chart, muntha and year lord. A ValueError when that return falls
    outside the ephemeris (a birthday near New Year in its first or last year)."""
    require_birth(birth)
    ayanamsha = _names.ayanamsha(ayanamsha)
    if not isinstance(year, int) or isinstance(year, bool):
        raise TypeError(f"year must be an int, not {type(year).__name__}")
    if not MIN_YEAR <= year <= MAX_YEAR:
        raise ValueError(f"year {str(year)[:20]} is outside the ephemeris' years {MIN_YEAR} to {MAX_YEAR}")
    _place_or_none(place)
    local = birth.local()
    try:
        anniversary = local.replace(year=year)
    except ValueError:  # 29 February
        anniversary = local.replace(year=year, day=28)
    # a sidereal year is about 20 minutes longer than the calendar's: over centuries the return drifts by weeks
    moment = _return(birth, "Sun", _shifted(anniversary, -timedelta(days=183)), timedelta(days=366), ayanamsha,
                     near=anniversary)
    chart = _chart_at(birth, moment, ayanamsha, place)
    natal_lagna = _chart_at(birth, birth.utc, ayanamsha).lagna.sign_index
    muntha = (natal_lagna + year - local.year) % 12
    lords: dict[str, Any] = {}
    try:
        lord, offices, by_day = zentaric.varsha_lords(
            graha_longitudes(chart), chart.lagna.longitude, chart.houses.mc_sidereal, chart.ayanamsha_value,
            chart.julian_day, chart.birth.latitude, chart.birth.longitude, natal_lagna, muntha)
        lords = {"year_lord": lord, "offices": tuple(Office(*office) for office in offices), "by_day": by_day}
    except ValueError:  # no shadbala without a sunrise and a sunset near the place
        pass
    return _return_chart(chart, moment, muntha=muntha, muntha_sign=zentaric.sign_name(muntha),
                         muntha_lord=_LORDS[muntha], **lords)


def lunar_return(birth: Birth, after: datetime | date | str, place: Place | None = None,
                 ayanamsha: AyanamshaName = "Lahiri") -> Return:
    """The Moon's first return to its natal sidereal longitude after `after`, and its chart."""
    require_birth(birth)
    ayanamsha = _names.ayanamsha(ayanamsha)
    _place_or_none(place)
    moment = _return(birth, "Moon", _moment("after", after, birth.zone), timedelta(days=30), ayanamsha)
    return _return_chart(_chart_at(birth, moment, ayanamsha, place), moment)


@dataclass(frozen=True, order=True)
class TimelineEvent:
    """One change in a life's calendar: its `time` (in the birth's zone), `kind` ("dasha", "ingress", "station",
    "sade_sati", "transit") and a one-line `description`."""

    time: datetime
    kind: str
    description: str


_SIGN_NAMES = tuple(zentaric.sign_name(index) for index in range(12))


def timeline(birth: Birth, start: datetime | date | str, end: datetime | date | str, levels: int = 2,
             ayanamsha: AyanamshaName = "Lahiri", system: DashaSystemName = "vimshottari") -> list[TimelineEvent]:
    """Everything that changes between `start` and `end`, in time order: dasha periods beginning (to `levels`),
    the sign ingresses of Jupiter, Saturn and Rahu and the stations of Jupiter and Saturn, Sade Sati and dhaiya
    phases beginning and ending, and Jupiter and Saturn crossing the natal Moon and lagna."""
    require_birth(birth)
    ayanamsha = _names.ayanamsha(ayanamsha)
    zone = birth.zone
    first, last = _moment("start", start, zone), _moment("end", end, zone)
    if last < first:
        raise ValueError(f"end {last.isoformat()} comes before start {first.isoformat()}")
    jd_first, jd_last = julian_day(first), julian_day(last)
    found: list[TimelineEvent] = []

    def at(jd: float) -> datetime:
        return from_julian_day(jd).astimezone(zone)

    pending = list(dasha(birth, system=system, levels=levels, ayanamsha=ayanamsha))
    chain: dict[int, str] = {}
    while pending:
        period = pending.pop(0)
        if period.end <= first or period.start >= last:
            continue
        chain[period.level] = period.lord
        if period.start >= first:
            path = "/".join(chain[level] for level in range(1, period.level + 1))
            found.append(TimelineEvent(period.start.astimezone(zone), "dasha",
                                       f"{period.system} {path} begins (level {period.level})"))
        pending[:0] = period.sub_periods
    natal_chart = _chart_at(birth, birth.utc, ayanamsha)
    points = (natal_chart.body("Moon").longitude, natal_chart.lagna.longitude)
    events, phases = zentaric.transit_calendar(*points, jd_first, jd_last, ayanamsha)
    for jd, kind, body, before, after in events:
        if kind == "ingress":
            found.append(TimelineEvent(at(jd), "ingress", f"{body} enters {_SIGN_NAMES[after]}"))
        elif kind == "station":
            found.append(TimelineEvent(at(jd), "station", f"{body} turns {'direct' if after > 0 else 'retrograde'}"))
        else:
            point = ("natal Moon", "natal lagna")[before]
            found.append(TimelineEvent(at(jd), "transit", f"{body} crosses the {point} ({points[before]:.2f}°)"))
    for name, s, e, open_start, open_end in phases:
        if not open_start:
            found.append(TimelineEvent(at(s), "sade_sati", f"{_PHASE_TEXT[name]} begins"))
        if not open_end:
            found.append(TimelineEvent(at(e), "sade_sati", f"{_PHASE_TEXT[name]} ends"))
    return sorted(found)


def to_ics(events: list[TimelineEvent], name: str = "zentaric timeline") -> str:
    """The events as an iCalendar (RFC 5545) calendar: one all-day-free VEVENT per event, at its UTC instant."""
    if not isinstance(name, str):
        raise TypeError(f"name must be a str, not {type(name).__name__}")
    try:
        events = list(events)
    except TypeError:
        raise TypeError(f"events must be a list of TimelineEvent, not {type(events).__name__}") from None
    strays = [type(event).__name__ for event in events if not isinstance(event, TimelineEvent)]
    if strays:
        raise TypeError(f"events must be a list of TimelineEvent (as timeline gives), not of {strays[0]}")
    stamp = _ics_time(datetime.now(UTC))
    lines = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//zentaric//timeline//EN", f"X-WR-CALNAME:{_escape(name)}"]
    for number, event in enumerate(events):
        when = _ics_time(event.time)
        # an instant: no DTEND, which must come after DTSTART (RFC 5545 3.8.2.2); without it the event ends as it
        # starts (3.6.1)
        lines += ["BEGIN:VEVENT", f"UID:{when}-{number}@zentaric", f"DTSTAMP:{stamp}", f"DTSTART:{when}",
                  f"SUMMARY:{_escape(event.description)}", f"CATEGORIES:{event.kind.upper()}", "END:VEVENT"]
    lines.append("END:VCALENDAR")
    return "\r\n".join(_fold(line) for line in lines) + "\r\n"


def _ics_time(moment: datetime) -> str:
    """The UTC form of RFC 5545 (3.3.5), four digits of year even before 1000 (which strftime's %Y drops)."""
    utc = moment.astimezone(UTC)
    return f"{utc.year:04d}{utc:%m%dT%H%M%S}Z"


def _escape(text: str) -> str:
    text = text.replace("\r\n", "\n").replace("\r", "\n")  # a bare CR may not appear in a content line
    return text.replace("\\", "\\\\").replace(";", "\\;").replace(",", "\\,").replace("\n", "\\n")


def _fold(line: str) -> str:
    """Lines longer than 75 octets continue on the next line after a space (RFC 5545 3.1)."""
    encoded = line.encode("utf-8")
    if len(encoded) <= 75:
        return line
    parts: list[str] = []
    current = b""
    for char in line:
        piece = char.encode("utf-8")
        if len(current) + len(piece) > (75 if not parts else 74):
            parts.append(current.decode("utf-8"))
            current = b""
        current += piece
    parts.append(current.decode("utf-8"))
    return "\r\n ".join(parts)
