"""`zentaric ephemeris`: sidereal positions of the nine bodies over a range of UTC dates, as CSV or JSON."""
from __future__ import annotations

import argparse
import csv
import json
import re
import sys
from collections.abc import Iterator, Sequence
from datetime import UTC, datetime, timedelta
from typing import Any

import zentaric
from tqdm import tqdm

from zentaric_chart import _names
from zentaric_chart._literals import AyanamshaName, NodeName
from zentaric_chart.birth import Birth
from zentaric_chart.cli.common import UsageError, ayanamsha_option, moment, name, node_option

EPHEMERIS_BODIES = _names.BODIES
#: Steps above this many show a progress bar (on a terminal only).
PROGRESS_FROM = 500


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser("ephemeris",
                                                             help="sidereal positions over a range of dates")
    parser.add_argument("--from", dest="start", required=True, help="first date (UTC), YYYY-MM-DD[THH:MM]")
    parser.add_argument("--to", dest="stop", required=True, help="last date (UTC), included")
    parser.add_argument("--step", default="1d", help="step: a number and d, h or m (default 1d)")
    parser.add_argument("--bodies", default=",".join(EPHEMERIS_BODIES), help=f"comma-separated body names, any case: {', '.join(EPHEMERIS_BODIES)} (default: all)")
    ayanamsha_option(parser)
    node_option(parser)
    parser.add_argument("--format", choices=("csv", "json"), default="csv")
    return parser


def _step(text: str) -> timedelta:
    match = re.fullmatch(r"(\d+)([dhm])", text.strip())
    if not match or int(match[1]) == 0:
        raise UsageError("--step", f"{text!r} is not a step such as 1d, 6h or 30m")
    unit = {"d": "days", "h": "hours", "m": "minutes"}[match[2]]
    try:
        return timedelta(**{unit: int(match[1])})
    except OverflowError:
        raise UsageError("--step", f"{text!r} is longer than the calendar") from None


def ephemeris_rows(start: datetime, stop: datetime, step: timedelta, bodies: Sequence[str],
                   ayanamsha: AyanamshaName = "Lahiri", progress: bool = False,
                   node: NodeName = "mean") -> Iterator[dict[str, object]]:
    """Per step and body: UTC time, sidereal longitude, nakshatra, pada and retrograde flag.

    One module chart per step gives every body at once (geocentric positions do not depend on the place).
    """
    count = int((stop - start) / step) + 1
    bar = tqdm(total=count, file=sys.stderr, unit="step", disable=not (progress and count >= PROGRESS_FROM))
    with bar:
        for index in range(count):
            instant = start + index * step
            record = zentaric.compute_natal_record(
                instant.year, instant.month, instant.day, instant.hour, instant.minute, 0.0, 0.0, ayanamsha,
                "Equal", "en", node)
            stamp = instant.strftime("%Y-%m-%dT%H:%MZ")
            for body in bodies:
                place = record["bodies"][EPHEMERIS_BODIES.index(body)]
                yield {"time": stamp, "body": body, "longitude": place["longitude"], "nakshatra": place["nakshatra"],
                       "pada": place["pada"], "retrograde": place["retrograde"]}
            bar.update()


def run(args: argparse.Namespace) -> None:
    start = moment("--from", args.start, UTC).astimezone(UTC)
    stop = moment("--to", args.stop, UTC).astimezone(UTC)
    step = _step(args.step)
    if stop < start:
        raise UsageError("--to", f"{args.stop} is before --from {args.start}")
    bodies = [name("--bodies", _names.body, body) for body in args.bodies.split(",") if body.strip()]
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    for option, instant in (("--from", start), ("--to", stop)):
        try:
            Birth(instant, 0.0, 0.0)
        except ValueError as error:
            raise UsageError(option, str(error)) from None
    rows = ephemeris_rows(start, stop, step, bodies, ayanamsha, progress=sys.stderr.isatty(), node=args.node)
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
