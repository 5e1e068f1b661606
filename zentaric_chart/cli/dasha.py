"""`zentaric dasha`: Vimshottari periods from birth, or those running at one moment."""
from __future__ import annotations

import argparse
import json
from typing import Any

import zentaric

from zentaric_chart import _names
from zentaric_chart.chart import natal
from zentaric_chart.cli.common import UsageError, birth, birth_options, moment, name
from zentaric_chart.dasha import dasha, dasha_at
from zentaric_chart.text import periods_text


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser("dasha", help="Vimshottari dasha periods")
    birth_options(parser)
    parser.add_argument("--levels", type=int, default=2, help="depth 1..5 (default 2: maha and antar dashas)")
    parser.add_argument("--at", help="only the periods running at this local date or date and time")
    return parser


def document(args: argparse.Namespace) -> str:
    born = birth(args)
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    language = name("--lang", _names.language, args.lang)
    if not 1 <= args.levels <= 5:
        raise UsageError("--levels", f"{args.levels} is outside the accepted range 1 to 5")
    if args.at is not None:
        running = dasha_at(born, moment("--at", args.at, born.zone), args.levels, ayanamsha, language)
        if args.format == "json":
            return json.dumps([{"lord": p.lord, "level": p.level, "start": p.local().start.isoformat(),
                                "end": p.local().end.isoformat()} for p in running])
        return periods_text(running) if running else "no period runs then (before birth or after 120 years)"
    if args.format == "json":
        chart = natal(born, ayanamsha)
        return zentaric.compute_dasha(chart.body("Moon").longitude, chart.julian_day, args.levels)
    return periods_text(dasha(born, args.levels, ayanamsha, language))


def run(args: argparse.Namespace) -> None:
    print(document(args))
