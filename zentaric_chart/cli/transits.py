"""`zentaric transits`: the grahas at a moment read from the natal Moon and lagna (gochara, vedha, tara)."""
from __future__ import annotations

import argparse
import json
from dataclasses import asdict
from typing import Any

from zentaric_chart import _names
from zentaric_chart.cli.common import birth, birth_options, english_only, ephemeris_moment, name
from zentaric_chart.transits import transits


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser(
        "transits", help="the grahas at a moment from the natal Moon and lagna (gochara)")
    birth_options(parser, english=True)
    parser.add_argument("--at", required=True, help="the moment, YYYY-MM-DD[THH:MM] in the birth's zone")
    return parser


def run(args: argparse.Namespace) -> None:
    born = birth(args)
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    english_only(args, "the transit table")
    found = transits(born, ephemeris_moment("--at", args.at, born.zone), ayanamsha)
    if args.format == "json":
        print(json.dumps({"when": found.when.isoformat(), "moon_tara": found.moon_tara,
                          "moon_tara_name": found.moon_tara_name, "bodies": [asdict(b) for b in found.bodies]}))
        return
    print(f"Transits at {found.when.isoformat(timespec='minutes')}; the Moon's tara: {found.moon_tara} "
          f"{found.moon_tara_name}")
    print(f"{'body':8} {'sign':12} {'nakshatra':18} {'from Moon':>9} {'from lagna':>10}  reading")
    for body in found.bodies:
        reading = ("favourable" + (f", vedha by {body.vedha_by}" if body.vedha_by else "")) if body.favourable \
            else "unfavourable"
        retrograde = " R" if body.retrograde else ""
        print(f"{body.body + retrograde:8} {body.sign:12} {body.nakshatra:18} {body.house_from_moon:>9} "
              f"{body.house_from_lagna:>10}  {reading}")
