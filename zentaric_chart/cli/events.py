"""`zentaric events`: every change of sign, nakshatra, tithi, yoga or karana, or every station, over a range."""
from __future__ import annotations

import argparse
import sys
from collections.abc import Iterator
from datetime import UTC, datetime, timedelta
from typing import Any

import zentaric
from tqdm import tqdm

from zentaric_chart import _names
from zentaric_chart._literals import AyanamshaName, EventKindName, LanguageName, MomentBodyName
from zentaric_chart.cli.common import (UsageError, ayanamsha_option, moment, name, time_zone, within_ephemeris,
                                      write_rows)
from zentaric_chart.moments import BODIES, KINDS, Event, events
from zentaric_chart.panchanga import _limb_label

#: Ranges longer than this are searched a chunk at a time, with a progress bar on a terminal.
CHUNK = timedelta(days=366)
COLUMNS = ("time", "kind", "body", "before", "after")


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser(
        "events", help="when a sign, nakshatra, tithi, yoga or karana changes, or a planet stations")
    parser.add_argument("--from", dest="start", required=True, help="start, YYYY-MM-DD[THH:MM] (in --tz)")
    parser.add_argument("--to", dest="stop", required=True, help="end, excluded")
    parser.add_argument("--kind", required=True, help=f"one of {', '.join(KINDS)}")
    parser.add_argument("--body", default="Moon", help=f"one of {', '.join(BODIES)} (default Moon)")
    parser.add_argument("--tz", default="UTC", help="IANA zone of the dates and of the times shown (default UTC)")
    ayanamsha_option(parser)
    parser.add_argument("--lang", default="en", help=f"language of the names of signs, nakshatras, tithis, yogas and "
                        f"karanas in text: {', '.join(_names.LANGUAGES)} (default en)")
    parser.add_argument("--format", choices=("text", "json", "csv"), default="text")
    return parser


def found_events(start: datetime, stop: datetime, kind: EventKindName, body: MomentBodyName, ayanamsha: AyanamshaName,
                 progress: bool) -> Iterator[Event]:
    """The events of [start, stop), a chunk of the range at a time."""
    chunks = max(1, -(-(stop - start) // CHUNK))
    with tqdm(total=chunks, file=sys.stderr, unit="year", disable=not (progress and chunks > 1)) as bar:
        for index in range(chunks):
            first = start + index * CHUNK
            yield from events(first, min(stop, first + CHUNK), kind, body, ayanamsha)
            bar.update()


def _label(kind: str, part: int | str, language: LanguageName) -> str:
    if kind == "sign" and isinstance(part, int):
        return zentaric.sign_name(part, language)
    if kind == "nakshatra" and isinstance(part, int):
        return zentaric.nakshatra_name_i18n(part, language)
    if kind in ("tithi", "yoga", "karana") and isinstance(part, int):
        return f"{_limb_label(kind, part, language)} ({part})"
    return str(part)


def run(args: argparse.Namespace) -> None:
    place = time_zone("--tz", args.tz)
    start, stop = moment("--from", args.start, place), moment("--to", args.stop, place)
    if stop < start:
        raise UsageError("--to", f"{args.stop} is before --from {args.start}")
    for option, instant in (("--from", start), ("--to", stop)):
        within_ephemeris(option, instant.astimezone(UTC).year)
    kind = name("--kind", lambda text: _names.choice("event kind", text, KINDS), args.kind)
    body = name("--body", lambda text: _names.choice("body", text, BODIES), args.body)
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    language = name("--lang", _names.language, args.lang)
    try:
        rows: list[dict[str, Any]] = [
            {"time": event.time.astimezone(place).isoformat(timespec="seconds"), "kind": event.kind,
             "body": event.body, "before": event.before, "after": event.after}
            for event in found_events(start, stop, kind, body, ayanamsha, sys.stderr.isatty())]
    except ValueError as error:
        raise UsageError("--kind" if "body must be" in str(error) or "stations" in str(error) else "--from/--to",
                         str(error)) from None
    def line(row: dict[str, Any]) -> str:
        before, after = (_label(kind, part, language) for part in (row["before"], row["after"]))
        return f"{row['time']}  {before} -> {after}"

    if rows and args.format == "text":  # named once: each line then fits in 80 columns with the longest names
        print(f"{kind} changes of {body}:")
    write_rows(args.format, rows, COLUMNS, line)
    if not rows and args.format == "text":
        print(f"no {kind} change of {body} in the range")
