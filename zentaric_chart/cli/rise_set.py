"""`zentaric rise-set`: sunrise and sunset (or the Moon's, a planet's, the twilights) for each day of a range."""
from __future__ import annotations

import argparse
import sys
from collections.abc import Iterator
from datetime import date, datetime, timedelta
from typing import Any

from tqdm import tqdm

from zentaric_chart import _names
from zentaric_chart._literals import ConventionName, MomentBodyName
from zentaric_chart.birth import Place
from zentaric_chart.cli.common import (UsageError, day_range, day_range_options, first_day_option, name, time_zone,
                                       within_ephemeris, write_rows)
from zentaric_chart.moments import BODIES, CONVENTIONS, RiseSet, rise_sets

#: Days per search; ranges longer than one chunk show a progress bar on a terminal.
CHUNK_DAYS = 366
COLUMNS = ("date", "rise", "set", "transit", "always")
#: The most days one command computes: the ephemeris' whole span.
MOST_DAYS = 1_100_000


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser(
        "rise-set", help="rising, setting and meridian transit for each day of a range")
    day_range_options(parser, parser.add_mutually_exclusive_group(), "first local date")
    parser.add_argument("--lat", required=True, type=float, help="latitude, degrees north (-90..90)")
    parser.add_argument("--lon", required=True, type=float, help="longitude, degrees east (-180..180)")
    parser.add_argument("--tz", required=True, help="IANA time zone of the place, such as Asia/Kolkata")
    parser.add_argument("--elevation", type=float, default=0.0, help="metres above sea level (default 0)")
    parser.add_argument("--body", default="Sun", help="Sun (default), Moon, Mercury, Venus, Mars, Jupiter, Saturn, "
                                                       "Uranus or Neptune, any case")
    parser.add_argument("--convention", default="hindu", help=(
        "hindu (default: the disc's centre on the geometric horizon, no refraction), civil (the upper limb, 34' "
        "of refraction, seen from the place), civil-twilight, nautical-twilight, astronomical-twilight"))
    parser.add_argument("--format", choices=("text", "json", "csv"), default="text")
    return parser


def days(first: date, last: date, place: Place, body: MomentBodyName, convention: ConventionName,
         progress: bool) -> Iterator[RiseSet]:
    chunks = -(-((last - first).days + 1) // CHUNK_DAYS)
    with tqdm(total=chunks, file=sys.stderr, unit="year", disable=not (progress and chunks > 1)) as bar:
        for index in range(chunks):
            start = first + timedelta(days=index * CHUNK_DAYS)
            end = last if (last - start).days < CHUNK_DAYS else start + timedelta(days=CHUNK_DAYS - 1)
            yield from rise_sets(start, end, place, body, convention)
            bar.update()


def _time(moment: datetime | None) -> str | None:
    return None if moment is None else moment.isoformat(timespec="seconds")


def run(args: argparse.Namespace) -> None:
    first, last = day_range(args, MOST_DAYS)
    within_ephemeris(first_day_option(args), first.year)
    within_ephemeris("--to" if args.days is None else "--days", last.year)
    time_zone("--tz", args.tz)
    try:
        place = Place(args.lat, args.lon, args.tz, args.elevation)
    except ValueError as error:
        option = {"latitude": "--lat", "longitude": "--lon"}.get(str(error).split(" ", 1)[0], "--elevation")
        raise UsageError(option, str(error)) from None
    body = name("--body", lambda text: _names.choice("body", text, BODIES), args.body)
    convention = name("--convention", lambda text: _names.choice("convention", text, CONVENTIONS), args.convention)
    try:
        rows = [{"date": day.day.isoformat(), "rise": _time(day.rise), "set": _time(day.set),
                 "transit": _time(day.transit), "always": day.always}
                for day in days(first, last, place, body, convention, sys.stderr.isatty())]
    except ValueError as error:
        raise UsageError("--body" if "body" in str(error) or "point of" in str(error) else first_day_option(args),
                         str(error)) from None
    if not rows:
        raise UsageError(first_day_option(args), f"{first.isoformat()} is not a day in {args.tz}: its clocks "
                                                 "skipped it")

    def line(row: dict[str, Any]) -> str:
        clock = "  ".join(f"{key} {str(row[key])[11:19] if row[key] else '--:--:--'}"
                          for key in ("rise", "set", "transit"))
        return f"{row['date']}  {clock}" + (f"  (always {row['always']} the horizon)" if row["always"] else "")

    write_rows(args.format, rows, COLUMNS, line)
