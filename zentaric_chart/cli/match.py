"""`zentaric match`: a couple's guna milan (ashtakoota) or ten poruthams, with the doshas and their cancellations."""
from __future__ import annotations

import argparse
import json
import textwrap
from dataclasses import asdict
from typing import Any

from zentaric_chart import _names
from zentaric_chart.birth import Birth
from zentaric_chart.chart import natal
from zentaric_chart.cli.common import UsageError, ayanamsha_option, birth, name
from zentaric_chart.matching import SYSTEMS, Manglik, Match, match

PERSON = ("DATE", "TIME", "TZ", "LAT", "LON")


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser("match", help="horoscope matching of a couple")
    for role in ("boy", "girl"):
        parser.add_argument(f"--{role}", required=True, nargs=5, metavar=PERSON,
                            help=f"the {role}'s local birth date and time, IANA zone, latitude and longitude")
    parser.add_argument("--system", type=str.lower, choices=SYSTEMS, default="ashtakoota",
                        help="default ashtakoota (guna milan)")
    ayanamsha_option(parser)
    parser.add_argument("--manglik-without-2nd", action="store_true",
                        help="read the manglik dosha from Mars in the 1st, 4th, 7th, 8th and 12th only (default: the "
                             "2nd too)")
    parser.add_argument("--format", choices=("text", "json"), default="text")
    return parser


def person(option: str, values: list[str]) -> Birth:
    """A birth from the five words of --boy or --girl; a fault is reported against that option."""
    date, time, tz, latitude, longitude = values
    try:
        place = float(latitude), float(longitude)
    except ValueError:
        raise UsageError(option, f"{latitude!r} {longitude!r} is not a latitude and longitude in degrees") from None
    try:
        return birth(argparse.Namespace(date=date, time=time, tz=tz, lat=place[0], lon=place[1], fold=None))
    except UsageError as error:
        raise UsageError(option, str(error)) from None


def _wrapped(line: str, indent: int) -> str:
    """`line` within 80 columns, its continuation lines indented by `indent` (the text is English only)."""
    return "\n".join(textwrap.wrap(line, 80, subsequent_indent=" " * indent, break_on_hyphens=False))


def match_text(result: Match) -> str:
    lines = [f"{'Koota':<14s} {'Score':>5s} {'of':>4s}  Reason"]
    lines += [_wrapped(f"{k.name:<14s} {k.score:5g} {k.maximum:4g}  {k.reason}", 27) for k in result.kootas]
    lines.append(f"{'Total':<14s} {result.total:5g} {result.maximum:4g}")
    for dosha in result.doshas:
        cleared = "; ".join(f"{c.name} ({c.rule})" for c in dosha.cancelled_by)
        lines.append(_wrapped(f"{dosha.name} dosha" + (f", cancelled: {cleared}" if cleared else ", not cancelled"), 2))
    if result.manglik is not None:
        def state(person: Manglik) -> str:
            cleared = ", ".join(c.name for c in person.cancelled_by)
            return "manglik" if person.stands else f"manglik, cancelled ({cleared})" if person.dosha else "not manglik"
        couple = result.manglik
        lines.append(_wrapped(f"Manglik: boy {state(couple.boy)}; girl {state(couple.girl)}; "
                              f"{'agrees' if couple.agrees else 'does not agree'}", 2))
    return "\n".join(lines)


def document(args: argparse.Namespace) -> str:
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    boy, girl = (natal(person(f"--{role}", getattr(args, role)), ayanamsha) for role in ("boy", "girl"))
    result = match(boy, girl, args.system, with_second=not args.manglik_without_2nd)
    return json.dumps(asdict(result), ensure_ascii=False) if args.format == "json" else match_text(result)


def run(args: argparse.Namespace) -> None:
    print(document(args))
