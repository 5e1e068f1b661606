"""What the subcommands share: the parser class, the birth and moment options, checked names, and the one place
where a failure becomes a message and an exit status."""
from __future__ import annotations

import argparse
import csv
import json
import os
import signal
import sys
from collections.abc import Callable, Sequence
from datetime import UTC, date, datetime, time, timedelta, tzinfo
from typing import Any, NoReturn, Protocol, TypeVar

from zentaric_chart import _names
from zentaric_chart._files import regular_or_absent, replacing_text
from zentaric_chart.birth import MAX_YEAR, MIN_YEAR, Birth, zone


class Subcommand(Protocol):
    """A module of this package that is one subcommand."""

    def add_parser(self, subcommands: Any) -> argparse.ArgumentParser: ...

    def run(self, args: argparse.Namespace) -> None: ...


class UsageError(Exception):
    """Bad input: `option` names the command-line option at fault."""

    def __init__(self, option: str, message: str) -> None:
        super().__init__(f"{option}: {message}")


class Parser(argparse.ArgumentParser):
    """argparse, with an error reported on one line and status 2."""

    def error(self, message: str) -> NoReturn:
        self.exit(2, f"{self.prog}: error: {message}\n")


class Terminated(BaseException):
    """SIGTERM arrived: unwinds like Ctrl-C, so that files being written are removed."""


def _terminate(signum: int, frame: object) -> None:
    raise Terminated


def report(command: str, run: Callable[[], None]) -> int:
    """Run one subcommand; bad input becomes one line on standard error and status 2, Ctrl-C and SIGTERM one line
    and status 130 or 143 (what a shell reports for those signals)."""
    previous = signal.signal(signal.SIGTERM, _terminate)
    try:
        run()
    except UsageError as error:
        print(f"zentaric {command}: error: {error}", file=sys.stderr)
        return 2
    except BrokenPipeError:
        sys.stderr.close()  # the reader went away (`| head`); nothing more to say
    except (KeyboardInterrupt, Terminated) as stop:
        print(f"zentaric {command}: {'interrupted' if isinstance(stop, KeyboardInterrupt) else 'terminated'}",
              file=sys.stderr)
        return 130 if isinstance(stop, KeyboardInterrupt) else 143
    finally:
        signal.signal(signal.SIGTERM, previous)
    return 0


def ayanamsha_option(parser: argparse.ArgumentParser) -> None:
    parser.add_argument("--ayanamsha", default="Lahiri", help=(
        f"sidereal zodiac: any of the module's {len(_names.AYANAMSHAS)} systems by name, in any case, blanks, _ and - "
        "ignored, kp and chitrapaksha too; default Lahiri, the classical table's (LahiriIcrc is the Calendar Reform "
        f"Committee's): {', '.join(_names.AYANAMSHAS)}"))


def node_option(parser: argparse.ArgumentParser) -> None:
    parser.add_argument("--node", default="mean", type=str.lower, choices=_names.NODES,
                        help="Rahu: the mean node (default) or the node of the Moon's true orbit; Ketu opposite")


def birth_options(parser: argparse.ArgumentParser, formats: tuple[str, ...] = ("text", "json"),
                  english: bool = False) -> None:
    parser.add_argument("--date", required=True, help="local birth date, YYYY-MM-DD")
    parser.add_argument("--time", required=True, help="local birth time, HH:MM[:SS]")
    parser.add_argument("--tz", required=True, help="IANA time zone, such as Asia/Kolkata")
    parser.add_argument("--lat", required=True, type=float, help="latitude, degrees north (-90..90)")
    parser.add_argument("--lon", required=True, type=float, help="longitude, degrees east (-180..180)")
    parser.add_argument("--fold", type=int, choices=(0, 1),
                        help="for a wall time that happens twice (0: the first) or not at all")
    ayanamsha_option(parser)
    parser.add_argument("--lang", default="en", help="en (or english) only: its names are English" if english else
                        f"language of the names: {', '.join(_names.LANGUAGES)} or "
                        f"{', '.join(_names.LANGUAGE_NAMES)} (default en)")
    parser.add_argument("--format", choices=formats, default="text", help=f"{', '.join(formats)} (default text)")


def houses_option(parser: argparse.ArgumentParser) -> None:
    parser.add_argument("--houses", default="Placidus",
                        help=f"house system: {', '.join(_names.HOUSE_SYSTEMS)}, any case (default Placidus)")


Name = TypeVar("Name", bound=str)


def name(option: str, check: Callable[[str], Name], value: str) -> Name:
    """`check(value)`, with an unknown name reported against `option`."""
    try:
        return check(value)
    except _names.UnknownName as error:
        raise UsageError(option, str(error)) from None


def english_only(args: argparse.Namespace, what: str) -> None:
    """Refuse a --lang other than English for a subcommand whose `what` has English names only."""
    if name("--lang", _names.language, args.lang).lower() not in ("en", "english"):
        raise UsageError("--lang", f"{what} names everything in English only")


def birth(args: argparse.Namespace) -> Birth:
    """The birth of the options `birth_options` added."""
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


def moment(option: str, text: str, place: tzinfo) -> datetime:
    """An ISO date or date and time; without an offset it is local to `place`."""
    try:
        value = datetime.fromisoformat(text)
    except ValueError:
        raise UsageError(option, f"{text!r} is not a date such as 2026-12-06 or 2026-12-06T12:00") from None
    value = value if value.tzinfo else value.replace(tzinfo=place)
    try:
        value.astimezone(UTC)
    except OverflowError:
        raise UsageError(option, f"{text} falls outside the years 1 to 9999 in UTC") from None
    return value


def ephemeris_moment(option: str, text: str, place: tzinfo) -> datetime:
    """`moment`, refused when its UTC instant falls outside the ephemeris' years."""
    value = moment(option, text, place)
    within_ephemeris(option, value.astimezone(UTC).year)
    return value


def day_range_options(parser: argparse.ArgumentParser, first: Any, first_help: str) -> None:
    """The local days of a range: --from and --to (included), as every range of this command line is given; `first`
    the group (of the parser) --from belongs to. --date and --days, the spelling `zentaric panchanga` had first, are
    read too (not in the help): --date for --from, --days N for the N days from it."""
    first.add_argument("--from", dest="start", metavar="DATE", help=f"{first_help}, YYYY-MM-DD")
    first.add_argument("--date", help=argparse.SUPPRESS)
    last = parser.add_mutually_exclusive_group()
    last.add_argument("--to", dest="stop", metavar="DATE", help="last local date, included (default: the --from day)")
    last.add_argument("--days", type=int, help=argparse.SUPPRESS)


def first_day_option(args: argparse.Namespace) -> str:
    """The option that gave the range's first day: --from, or --date in the older spelling."""
    return "--from" if args.start is not None else "--date"


def day_range(args: argparse.Namespace, most_days: int) -> tuple[date, date]:
    """The first and last day of the options `day_range_options` added, at most `most_days` of them."""
    option = first_day_option(args)
    text = args.start if args.start is not None else args.date
    if text is None:
        raise UsageError("--from", "the first day of the range is required")
    first = _day(option, text)
    if args.days is not None:
        if not 1 <= args.days <= most_days:
            raise UsageError("--days", f"{args.days} is outside the accepted range 1 to {most_days}")
        try:
            return first, first + timedelta(days=args.days - 1)
        except OverflowError:
            raise UsageError("--days", f"{args.days} days from {first} run past the year 9999") from None
    last = first if args.stop is None else _day("--to", args.stop)
    if last < first:
        raise UsageError("--to", f"{args.stop} is before {option} {text}")
    if (last - first).days >= most_days:
        raise UsageError("--to", f"{first} to {last} is more than {most_days} days")
    return first, last


def _day(option: str, text: str) -> date:
    try:
        return date.fromisoformat(text)
    except ValueError:
        raise UsageError(option, f"{text!r} is not a date such as 2026-12-07") from None


def within_ephemeris(option: str, year: int) -> None:
    """Refuse, before any search, a range reaching beyond the ephemeris' years (as `Birth` states them)."""
    if not MIN_YEAR <= year <= MAX_YEAR:
        raise UsageError(option, f"the year {year} is outside the ephemeris: the accepted range is the years "
                                 f"{MIN_YEAR} to {MAX_YEAR}")


def time_zone(option: str, text: str) -> tzinfo:
    """The IANA zone `text`, an unknown one reported against `option`."""
    try:
        return zone(text)
    except _names.UnknownName as error:
        raise UsageError(option, str(error)) from None


def check_output(output: str | None, source: str | None = None) -> None:
    """Refuse, before anything is computed, an -o that could not be written or would destroy the `source` file."""
    if output is None:
        return
    if os.path.isdir(output):
        raise UsageError("--output", f"{output!r} is a folder; name the file to write")
    if not regular_or_absent(output):  # a device or a pipe: written into, not replaced
        if not os.access(output, os.W_OK):
            raise UsageError("--output", f"{output!r} is not writable")
        return
    folder = os.path.dirname(os.path.realpath(output))
    if not os.path.isdir(folder):
        raise UsageError("--output", f"the folder {folder!r} does not exist")
    if not os.access(folder, os.W_OK | os.X_OK):
        raise UsageError("--output", f"the folder {folder!r} is not writable")
    try:
        same = source is not None and os.path.samefile(output, source)
    except OSError:  # no such output yet
        same = False
    if same:
        raise UsageError("--output", f"{output!r} is the births file itself; name another file")


def write_output(path: str | None, text: str, newline: str | None = None) -> None:
    """`text` to standard output, or to the file `path` (-o), written whole: an interrupt leaves a file that was
    there as it was. A file that cannot be written is reported against --output."""
    if path is None:
        sys.stdout.write(text)
        return
    try:
        with replacing_text(path, newline) as file:
            file.write(text)
    except OSError as error:
        raise UsageError("--output", f"cannot write {path!r}: {error.strerror or error}") from None


def write_rows(form: str, rows: Sequence[dict[str, Any]], columns: Sequence[str],
               line: Callable[[dict[str, Any]], str]) -> None:
    """Rows to standard output as one JSON array, as CSV with a header, or as text, one `line(row)` a row."""
    if form == "json":
        print(json.dumps(list(rows)))
    elif form == "csv":
        writer = csv.DictWriter(sys.stdout, columns, lineterminator="\n")
        writer.writeheader()
        writer.writerows(rows)
    else:
        for row in rows:
            print(line(row))
