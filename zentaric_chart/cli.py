"""The command line `zentaric` (also `python -m zentaric_chart`): chart, dasha, ephemeris and batch.

Bad input ends the program with status 2 and one line naming the option (and, for names, the closest accepted
one); no traceback.
"""
from __future__ import annotations

import argparse
import csv
import json
import math
import os
import re
import sys
from collections.abc import Callable, Iterator, Sequence
from datetime import UTC, date, datetime, time, timedelta, tzinfo
from time import perf_counter
from typing import NoReturn

import zentaric
from tqdm import tqdm

from zentaric_chart import _names, batch
from zentaric_chart.birth import Birth, zone
from zentaric_chart.chart import normalized, natal
from zentaric_chart.dasha import dasha, dasha_at
from zentaric_chart.drawing import STYLES
from zentaric_chart.text import chart_text, periods_text

EPHEMERIS_BODIES = ("Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu")
_MODULE_BODY = {"Sun": "Sun", "Moon": "Moon", "Mercury": "Mercury", "Venus": "Venus", "Mars": "Mars",
                "Jupiter": "Jupiter", "Saturn": "Saturn", "Rahu": "MeanNode", "Ketu": "MeanNode"}
#: Steps above this many show a progress bar (on a terminal only).
PROGRESS_FROM = 500


class UsageError(Exception):
    """Bad input: `option` names the command-line option at fault."""

    def __init__(self, option: str, message: str) -> None:
        super().__init__(f"{option}: {message}")


class _Parser(argparse.ArgumentParser):
    """argparse, with an error reported on one line and status 2."""

    def error(self, message: str) -> NoReturn:
        self.exit(2, f"{self.prog}: error: {message}\n")


def _birth_options(parser: argparse.ArgumentParser, formats: tuple[str, ...] = ("text", "json")) -> None:
    parser.add_argument("--date", required=True, help="local birth date, YYYY-MM-DD")
    parser.add_argument("--time", required=True, help="local birth time, HH:MM[:SS]")
    parser.add_argument("--tz", required=True, help="IANA time zone, such as Asia/Kolkata")
    parser.add_argument("--lat", required=True, type=float, help="latitude, degrees north (-90..90)")
    parser.add_argument("--lon", required=True, type=float, help="longitude, degrees east (-180..180)")
    parser.add_argument("--fold", type=int, choices=(0, 1),
                        help="for a wall time that happens twice (0: the first) or not at all")
    parser.add_argument("--ayanamsha", default="Lahiri", help="sidereal zodiac (default Lahiri)")
    parser.add_argument("--lang", default="en", help="language of the names: en hi sa ta te kn bn (default en)")
    parser.add_argument("--format", choices=formats, default="text")


def parser() -> argparse.ArgumentParser:
    """The argument parser of `zentaric`."""
    main_parser = _Parser(prog="zentaric", description="Sidereal (Vedic) charts, dashas and ephemerides.")
    commands = main_parser.add_subparsers(dest="command", required=True, parser_class=_Parser)
    chart = commands.add_parser("chart", help="a natal chart")
    _birth_options(chart, ("text", "json", "svg"))
    chart.add_argument("--style", choices=STYLES, default="south", help="drawing for --format svg (default south)")
    chart.add_argument("--varga", default="d1", help="divisional chart drawn by --format svg (default d1)")
    chart.add_argument("-o", "--output", help="write to this file instead of standard output")
    chart.add_argument("--houses", default="Placidus", help="house system (default Placidus)")
    periods = commands.add_parser("dasha", help="Vimshottari dasha periods")
    _birth_options(periods)
    periods.add_argument("--levels", type=int, default=2, help="depth 1..5 (default 2: maha and antar dashas)")
    periods.add_argument("--at", help="only the periods running at this local date or date and time")
    ephemeris = commands.add_parser("ephemeris", help="sidereal positions over a range of dates")
    ephemeris.add_argument("--from", dest="start", required=True, help="first date (UTC), YYYY-MM-DD[THH:MM]")
    ephemeris.add_argument("--to", dest="stop", required=True, help="last date (UTC), included")
    ephemeris.add_argument("--step", default="1d", help="step: a number and d, h or m (default 1d)")
    ephemeris.add_argument("--bodies", default=",".join(EPHEMERIS_BODIES), help="comma-separated body names")
    ephemeris.add_argument("--ayanamsha", default="Lahiri", help="sidereal zodiac (default Lahiri)")
    ephemeris.add_argument("--format", choices=("csv", "json"), default="csv")
    many = commands.add_parser("batch", help="natal charts of many births, from CSV to parquet, CSV or JSON")
    many.add_argument("births", help="CSV file with the columns time, latitude, longitude (optional: tz, fold)")
    many.add_argument("-o", "--output", required=True, help="file to write: the births' columns, then the charts'")
    many.add_argument("--format", choices=batch.FORMATS, help="default: from the output's suffix, else parquet")
    many.add_argument("--processes", type=int, help="processes sharing the work (default: all cores)")
    many.add_argument("--ayanamsha", default="Lahiri", help="sidereal zodiac (default Lahiri)")
    many.add_argument("--houses", default="Placidus", help="house system (default Placidus)")
    return main_parser


def _name(option: str, check: Callable[[str], str], value: str) -> str:
    try:
        return check(value)
    except _names.UnknownName as error:
        raise UsageError(option, str(error)) from None


def _birth(args: argparse.Namespace) -> Birth:
    try:
        day = date.fromisoformat(args.date)
    except ValueError:
        raise UsageError("--date", f"{args.date!r} is not a date such as 1990-05-15") from None
    try:
        clock = time.fromisoformat(args.time)
    except ValueError:
        raise UsageError("--time", f"{args.time!r} is not a time such as 16:00") from None
    try:
        zone(args.tz)
    except _names.UnknownName as error:
        raise UsageError("--tz", str(error)) from None
    try:
        return Birth(datetime.combine(day, clock), args.lat, args.lon, tz=args.tz, fold=args.fold)
    except ValueError as error:
        message = str(error)
        option = {"latitude": "--lat", "longitude": "--lon"}.get(message.split(" ", 1)[0], "--date/--time")
        raise UsageError(option, message) from None


def _moment(option: str, text: str, place: tzinfo) -> datetime:
    try:
        moment = datetime.fromisoformat(text)
    except ValueError:
        raise UsageError(option, f"{text!r} is not a date such as 2026-12-06 or 2026-12-06T12:00") from None
    return moment if moment.tzinfo else moment.replace(tzinfo=place)


def _chart(args: argparse.Namespace) -> str:
    birth = _birth(args)
    ayanamsha = _name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    houses = _name("--houses", _names.house_system, args.houses)
    language = _name("--lang", _names.language, args.lang)
    chart = natal(birth, ayanamsha, houses, language)
    if args.format == "svg":
        varga = _name("--varga", _names.varga, args.varga)
        try:
            return chart.svg(style=args.style, varga=varga)
        except ValueError as error:  # a varga other than d1 for the wheel
            raise UsageError("--varga", str(error)) from None
    if args.format == "json":
        return chart.to_json()
    return chart_text(chart, dasha_at(birth, birth.utc, 3, ayanamsha, language),
                      dasha(birth, 1, ayanamsha, language))


def _dasha(args: argparse.Namespace) -> str:
    birth = _birth(args)
    ayanamsha = _name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    language = _name("--lang", _names.language, args.lang)
    if not 1 <= args.levels <= 5:
        raise UsageError("--levels", f"{args.levels} is outside the accepted range 1 to 5")
    if args.at is not None:
        running = dasha_at(birth, _moment("--at", args.at, birth.zone), args.levels, ayanamsha, language)
        if args.format == "json":
            return json.dumps([{"lord": p.lord, "level": p.level, "start": p.local().start.isoformat(),
                                "end": p.local().end.isoformat()} for p in running])
        return periods_text(running) if running else "no period runs then (before birth or after 120 years)"
    if args.format == "json":
        chart = natal(birth, ayanamsha)
        return zentaric.compute_dasha(chart.body("Moon").longitude, chart.julian_day, args.levels)
    return periods_text(dasha(birth, args.levels, ayanamsha, language))


def _step(text: str) -> timedelta:
    match = re.fullmatch(r"(\d+)([dhm])", text.strip())
    if not match or int(match[1]) == 0:
        raise UsageError("--step", f"{text!r} is not a step such as 1d, 6h or 30m")
    unit = {"d": "days", "h": "hours", "m": "minutes"}[match[2]]
    return timedelta(**{unit: int(match[1])})


def ephemeris_rows(start: datetime, stop: datetime, step: timedelta, bodies: Sequence[str],
                   ayanamsha: str = "Lahiri", progress: bool = False) -> Iterator[dict[str, object]]:
    """Per step and body: UTC time, sidereal longitude, nakshatra, pada and retrograde flag.

    One module chart per step gives every body at once (geocentric positions do not depend on the place).
    """
    count = int((stop - start) / step) + 1
    bar = tqdm(total=count, file=sys.stderr, unit="step", disable=not (progress and count >= PROGRESS_FROM))
    with bar:
        for index in range(count):
            moment = start + index * step
            document = json.loads(zentaric.compute_natal_chart(
                moment.year, moment.month, moment.day, moment.hour, moment.minute, 0.0, 0.0, ayanamsha, "Equal"))
            planets = {planet["name"]: planet for planet in document["planets"]}
            stamp = moment.strftime("%Y-%m-%dT%H:%MZ")
            for body in bodies:
                planet = planets[_MODULE_BODY[body]]
                longitude = normalized(planet["longitude"] + 180.0) if body == "Ketu" else planet["longitude"]
                nakshatra = zentaric.get_nakshatra(longitude)
                yield {"time": stamp, "body": body, "longitude": longitude, "nakshatra": nakshatra["nakshatra"],
                       "pada": nakshatra["pada"], "retrograde": planet["retrograde"]}
            bar.update()


def _ephemeris(args: argparse.Namespace) -> None:
    start = _moment("--from", args.start, UTC).astimezone(UTC)
    stop = _moment("--to", args.stop, UTC).astimezone(UTC)
    step = _step(args.step)
    if stop < start:
        raise UsageError("--to", f"{args.stop} is before --from {args.start}")
    bodies = [name.strip() for name in args.bodies.split(",") if name.strip()]
    for body in bodies:
        if body not in EPHEMERIS_BODIES:
            suggestion = _names.closest(body, EPHEMERIS_BODIES)
            raise UsageError("--bodies", str(_names.UnknownName("body", body, EPHEMERIS_BODIES, suggestion)))
    ayanamsha = _name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    for option, moment in (("--from", start), ("--to", stop)):
        try:
            Birth(moment, 0.0, 0.0)
        except ValueError as error:
            raise UsageError(option, str(error)) from None
    rows = ephemeris_rows(start, stop, step, bodies, ayanamsha, progress=sys.stderr.isatty())
    if args.format == "json":
        sys.stdout.write("[")
        for index, row in enumerate(rows):
            sys.stdout.write(("," if index else "") + json.dumps(row))
        sys.stdout.write("]\n")
    else:
        writer = csv.DictWriter(sys.stdout, ["time", "body", "longitude", "nakshatra", "pada", "retrograde"],
                                lineterminator="\n")
        writer.writeheader()
        writer.writerows(rows)


def _batch(args: argparse.Namespace) -> str:
    """Run `zentaric batch`; returns the summary line (rows, errors, charts per second). Bad input: UsageError."""
    for option, check, value in (("--ayanamsha", _names.ayanamsha, args.ayanamsha),
                                 ("--houses", _names.house_system, args.houses)):
        try:
            check(value)
        except _names.UnknownName as error:
            raise UsageError(option, str(error)) from None
    if args.processes is not None and args.processes < 1:
        raise UsageError("--processes", f"{args.processes} must be at least 1")
    suffix = os.path.splitext(args.output)[1].lstrip(".").lower()
    format = args.format or (suffix if suffix in batch.FORMATS else "parquet")
    try:
        births = batch.read_births(args.births)
        if format == "parquet":
            batch.require_pyarrow()
    except ImportError as error:
        raise UsageError("batch", str(error)) from None
    except (OSError, ValueError) as error:  # no such file, not CSV
        raise UsageError("births", str(error)) from None
    requested = batch.default_processes() if args.processes is None else args.processes
    processes = batch.processes_used(len(births), requested)
    started = perf_counter()
    try:
        charts = batch.charts_frame(births, args.ayanamsha, args.houses, processes)
    except ValueError as error:  # columns missing
        raise UsageError("births", str(error)) from None
    seconds = perf_counter() - started
    try:
        batch.write_frame(births.join(charts, rsuffix="_chart"), args.output, format)
    except OSError as error:
        raise UsageError("--output", str(error)) from None
    rate = len(births) / seconds if seconds > 0 else math.inf
    return (f"{len(births)} rows, {int(charts['error'].notna().sum())} errors, {rate:.0f} charts/s "
            f"in {seconds:.1f} s ({processes} process{'es' if processes > 1 else ''})")


def main(argv: Sequence[str] | None = None) -> int:
    """Run the command line; returns the exit status (0, or 2 for bad input)."""
    args = parser().parse_args(argv)
    try:
        if args.command == "chart":
            output = _chart(args)
            if args.output is None:
                print(output)
            else:
                try:
                    with open(args.output, "w", encoding="utf-8") as file:
                        file.write(output + "\n")
                except OSError as error:
                    raise UsageError("--output", f"cannot write {args.output!r}: {error.strerror}") from None
        elif args.command == "dasha":
            print(_dasha(args))
        elif args.command == "batch":
            print(_batch(args), file=sys.stderr)
        else:
            _ephemeris(args)
    except UsageError as error:
        print(f"zentaric {args.command}: error: {error}", file=sys.stderr)
        return 2
    except BrokenPipeError:
        sys.stderr.close()  # the reader went away (`| head`); nothing more to say
    return 0
