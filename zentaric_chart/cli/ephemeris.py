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
from zentaric_chart.birth import Birth
from zentaric_chart.chart import normalized
from zentaric_chart.cli.common import UsageError, ayanamsha_option, moment, name

EPHEMERIS_BODIES = ("Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu")
_MODULE_BODY = {"Sun": "Sun", "Moon": "Moon", "Mercury": "Mercury", "Venus": "Venus", "Mars": "Mars",
                "Jupiter": "Jupiter", "Saturn": "Saturn", "Rahu": "MeanNode", "Ketu": "MeanNode"}
#: Steps above this many show a progress bar (on a terminal only).
PROGRESS_FROM = 500


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser("ephemeris",
                                                             help="sidereal positions over a range of dates")
    parser.add_argument("--from", dest="start", required=True, help="first date (UTC), YYYY-MM-DD[THH:MM]")
    parser.add_argument("--to", dest="stop", required=True, help="last date (UTC), included")
    parser.add_argument("--step", default="1d", help="step: a number and d, h or m (default 1d)")
    parser.add_argument("--bodies", default=",".join(EPHEMERIS_BODIES), help="comma-separated body names")
    ayanamsha_option(parser)
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
                   ayanamsha: str = "Lahiri", progress: bool = False) -> Iterator[dict[str, object]]:
    """Per step and body: UTC time, sidereal longitude, nakshatra, pada and retrograde flag.

    One module chart per step gives every body at once (geocentric positions do not depend on the place).
    """
    count = int((stop - start) / step) + 1
    bar = tqdm(total=count, file=sys.stderr, unit="step", disable=not (progress and count >= PROGRESS_FROM))
    with bar:
        for index in range(count):
            instant = start + index * step
            document = json.loads(zentaric.compute_natal_chart(
                instant.year, instant.month, instant.day, instant.hour, instant.minute, 0.0, 0.0, ayanamsha,
                "Equal"))
            planets = {planet["name"]: planet for planet in document["planets"]}
            stamp = instant.strftime("%Y-%m-%dT%H:%MZ")
            for body in bodies:
                planet = planets[_MODULE_BODY[body]]
                longitude = normalized(planet["longitude"] + 180.0) if body == "Ketu" else planet["longitude"]
                nakshatra = zentaric.get_nakshatra(longitude)
                yield {"time": stamp, "body": body, "longitude": longitude, "nakshatra": nakshatra["nakshatra"],
                       "pada": nakshatra["pada"], "retrograde": planet["retrograde"]}
            bar.update()


def run(args: argparse.Namespace) -> None:
    start = moment("--from", args.start, UTC).astimezone(UTC)
    stop = moment("--to", args.stop, UTC).astimezone(UTC)
    step = _step(args.step)
    if stop < start:
        raise UsageError("--to", f"{args.stop} is before --from {args.start}")
    bodies = [body.strip() for body in args.bodies.split(",") if body.strip()]
    for body in bodies:
        if body not in EPHEMERIS_BODIES:
            suggestion = _names.closest(body, EPHEMERIS_BODIES)
            raise UsageError("--bodies", str(_names.UnknownName("body", body, EPHEMERIS_BODIES, suggestion)))
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    for option, instant in (("--from", start), ("--to", stop)):
        try:
            Birth(instant, 0.0, 0.0)
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
