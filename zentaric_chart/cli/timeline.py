"""`zentaric timeline`: a life's calendar between two dates (dashas, ingresses, stations, Sade Sati, transits)."""
from __future__ import annotations

import argparse
import csv
import io
import json
from typing import Any

from zentaric_chart import _names
from zentaric_chart.cli.common import (UsageError, birth, birth_options, check_output, english_only, ephemeris_moment,
                                      name, write_output)
from zentaric_chart.transits import TimelineEvent, timeline, to_ics


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser(
        "timeline", help="dasha changes, ingresses, stations, Sade Sati and transits between two dates")
    birth_options(parser, ("text", "json", "csv", "ics"), english=True)
    parser.add_argument("--from", dest="start", required=True, help="start, YYYY-MM-DD[THH:MM] in the birth's zone")
    parser.add_argument("--to", dest="stop", required=True, help="end, YYYY-MM-DD[THH:MM] in the birth's zone")
    parser.add_argument("--levels", type=int, default=2, help="dasha levels 1..5 (default 2)")
    parser.add_argument("-o", "--output", help="write to this file instead of standard output")
    return parser


def run(args: argparse.Namespace) -> None:
    check_output(args.output)
    born = birth(args)
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    english_only(args, "the timeline")
    start, stop = ephemeris_moment("--from", args.start, born.zone), ephemeris_moment("--to", args.stop, born.zone)
    if stop < start:
        raise UsageError("--to", f"{args.stop} is before --from {args.start}")
    if not 1 <= args.levels <= 5:
        raise UsageError("--levels", f"{args.levels} is outside the accepted range 1 to 5")
    events = timeline(born, start, stop, args.levels, ayanamsha)
    if args.format == "ics":
        text = to_ics(events)
    elif args.format == "json":
        text = json.dumps([{"time": e.time.isoformat(), "kind": e.kind, "description": e.description}
                           for e in events]) + "\n"
    elif args.format == "csv":
        rows: list[list[str]] = [["time", "kind", "description"]]
        rows += [[e.time.isoformat(timespec="seconds"), e.kind, e.description] for e in events]
        text = "".join(_csv_line(row) for row in rows)
    else:
        text = "".join(f"{e.time:%Y-%m-%d %H:%M}  {e.kind:9}  {_short(e)}\n" for e in events)
    write_output(args.output, text, newline="")


def _short(event: TimelineEvent) -> str:
    """The description within 80 columns: a dasha's lords without the system (this command's is Vimshottari) and the
    level (the number of lords tells it), so that five levels of the longest names still fit."""
    if event.kind != "dasha":
        return event.description
    return event.description.split(" ", 1)[1].rsplit(" (level ", 1)[0]


def _csv_line(row: list[str]) -> str:
    buffer = io.StringIO()
    csv.writer(buffer).writerow(row)
    return buffer.getvalue()
