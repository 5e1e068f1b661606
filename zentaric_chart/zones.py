"""What to tell a caller whose time zone is not an IANA zone name: the zones an abbreviation stands for, the zones
of a country, a city's zone, or the zone whose name is spelled most alike; never a zone that merely shares letters
with an abbreviation ("IST" is not "MST").

Read from the zone database's own tables (zone1970.tab, zone.tab, iso3166.tab) and from its zones' abbreviations,
only when a name has been refused.
"""
from __future__ import annotations

import importlib.resources
import re
import zoneinfo
from datetime import UTC, datetime
from functools import cache

from zentaric_chart._names import UnknownName, closest

ACCEPTED = ("an IANA zone such as Asia/Kolkata",)
#: Zones named in a message at most.
SHOWN = 8


def _table(name: str) -> list[list[str]]:
    """The rows of a tab-separated table of the zone database (the system's, else the tzdata package's)."""
    text = None
    for folder in zoneinfo.TZPATH:
        try:
            with open(f"{folder}/{name}", encoding="utf-8") as table:
                text = table.read()
            break
        except OSError:
            continue
    if text is None:
        try:
            text = importlib.resources.files("tzdata").joinpath("zoneinfo", name).read_text(encoding="utf-8")
        except (ModuleNotFoundError, OSError):
            return []
    return [line.split("\t") for line in text.splitlines() if line and not line.startswith("#")]


@cache
def canonical_zones() -> tuple[str, ...]:
    """The zones of zone1970.tab: one per region whose clocks have agreed since 1970, under its current name."""
    return tuple(sorted(row[2] for row in _table("zone1970.tab") if len(row) > 2))


@cache
def abbreviations() -> dict[str, tuple[str, ...]]:
    """Abbreviation (upper case) → the canonical zones that show it in winter or summer of this year or 2000."""
    found: dict[str, list[str]] = {}
    year = datetime.now(UTC).year
    instants = [datetime(y, m, 15, 12, tzinfo=UTC) for y in (year, 2000) for m in (1, 7)]
    for name in canonical_zones():
        try:
            place = zoneinfo.ZoneInfo(name)
        except (zoneinfo.ZoneInfoNotFoundError, ValueError, OSError):
            continue
        for shown in {instant.astimezone(place).tzname() for instant in instants}:
            if shown and shown.isalpha():
                found.setdefault(shown.upper(), []).append(name)
    return {key: tuple(dict.fromkeys(zones)) for key, zones in found.items()}


@cache
def countries() -> dict[str, tuple[str, ...]]:
    """Country name (lower case, as iso3166.tab has it) → its zones in zone.tab."""
    names = {row[0]: row[1] for row in _table("iso3166.tab") if len(row) > 1}
    zones: dict[str, list[str]] = {}
    for row in _table("zone.tab"):
        if len(row) > 2 and row[0] in names:
            zones.setdefault(names[row[0]].lower(), []).append(row[2])
    return {country: tuple(found) for country, found in zones.items()}


def _listed(zones: tuple[str, ...]) -> str:
    shown = list(zones[:SHOWN]) + ([f"{len(zones) - SHOWN} more"] if len(zones) > SHOWN else [])
    return shown[0] if len(shown) == 1 else ", ".join(shown[:-1]) + " or " + shown[-1]


def unknown_zone(name: str) -> UnknownName:
    """The error for a zone name the database does not hold, with what the name may have meant."""
    text = name.strip()
    country = countries().get(text.lower())
    if country:
        note = f"{text} is a country, not a zone; its zone{'s are' if len(country) > 1 else ' is'} {_listed(country)}"
        return UnknownName("time zone", name, ACCEPTED, None, note)
    zones = abbreviations().get(text.upper(), ()) if re.fullmatch(r"[A-Za-z]{2,5}", text) else ()
    if zones:
        note = f"{text} is an abbreviation, not a zone; it may stand for {_listed(zones)}: name the zone"
        return UnknownName("time zone", name, ACCEPTED, None, note)
    if re.fullmatch(r"[A-Z]{2,5}", text):  # an abbreviation the database does not show: no zone spelled alike
        return UnknownName("time zone", name, ACCEPTED, None, f"{text} is not a zone the database knows")
    city = text.replace(" ", "_").lower()
    cities = [zone for zone in canonical_zones() if zone.rpartition("/")[2].lower() == city]
    if cities:
        return UnknownName("time zone", name, ACCEPTED, cities[0])
    suggestion = closest(name, sorted(zoneinfo.available_timezones())) if "/" in text else None
    return UnknownName("time zone", name, ACCEPTED, suggestion)
