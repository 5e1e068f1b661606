"""`zentaric dasha`: the periods of a dasha system from birth, or those running at one moment."""
from __future__ import annotations

import argparse
import json
from collections.abc import Callable
from typing import Any, TypeVar

import zentaric

from zentaric_chart import _names
from zentaric_chart.chart import natal
from zentaric_chart.cli.common import UsageError, birth, birth_options, moment, name, node_option
from zentaric_chart.dasha import DASHA_SYSTEMS, DASHA_YEARS, Period, check_system, check_year, dasha, dasha_at
from zentaric_chart.text import periods_text

T = TypeVar("T")


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser("dasha", help="dasha periods (Vimshottari, Yogini, ...)")
    birth_options(parser)
    node_option(parser)
    parser.add_argument("--system", default="vimshottari",
                        help=f"dasha system: {', '.join(DASHA_SYSTEMS)} (default vimshottari)")
    parser.add_argument("--year", default="julian", help=f"dasha year: {', '.join(DASHA_YEARS)} (default julian)")
    parser.add_argument("--levels", type=int, default=2, help="depth 1..5 (default 2: maha and antar dashas)")
    parser.add_argument("--at", help="only the periods running at this local date or date and time")
    return parser


def document(args: argparse.Namespace) -> str:
    born = birth(args)
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    language = name("--lang", _names.language, args.lang)
    if not 1 <= args.levels <= 5:
        raise UsageError("--levels", f"{args.levels} is outside the accepted range 1 to 5")
    system = name("--system", check_system, args.system)
    year = name("--year", check_year, args.year)
    options: dict[str, Any] = {"system": system, "levels": args.levels, "year": year, "ayanamsha": ayanamsha,
                               "language": language, "node": args.node}
    if args.at is not None:
        at = moment("--at", args.at, born.zone)
        running = _computed(lambda: dasha_at(born, at, **options), year)
        if args.format == "json":
            return json.dumps([_row(p) for p in running])
        return periods_text(running) if running else "no period runs then (before birth or after the last period)"
    if args.format == "json" and system == "vimshottari" and year == "julian":
        chart = natal(born, ayanamsha)
        return zentaric.compute_dasha(chart.body("Moon").longitude, chart.julian_day, args.levels)
    periods = _computed(lambda: dasha(born, **options), year)
    if args.format == "json":
        return json.dumps({"system": system, "year": year, "periods": [_tree(p) for p in periods]})
    return periods_text(periods)


def _computed(periods: Callable[[], T], year: str) -> T:
    """The periods, or a UsageError for the one failure a valid birth can meet: the solar year of a birth in the
    ephemeris' last days, whose return falls past it."""
    try:
        return periods()
    except ValueError as error:
        raise UsageError("--year" if year == "solar" else "--date/--time", str(error)) from None


def _row(period: Period) -> dict[str, Any]:
    row: dict[str, Any] = {"lord": period.lord, "level": period.level, "start": period.local().start.isoformat(),
                           "end": period.local().end.isoformat()}
    if period.name is not None:
        row["name"] = period.name
    return row


def _tree(period: Period) -> dict[str, Any]:
    return {**_row(period), "sub_periods": [_tree(p) for p in period.sub_periods]}


def run(args: argparse.Namespace) -> None:
    print(document(args))
