"""`zentaric chart`: a natal chart as text, JSON or an SVG drawing.

`--format json` prints the package's reading (`Chart.to_dict()`: the bodies with their Vedic dignity, the sixteen
vargas, Vimshopaka bala, both drishtis, karakas, arudhas, yogas, ashtakavarga, special lagnas, upagrahas, shadbala
and bhava bala, labels in `--lang`);
`--format module-json` prints the module's chart document (`compute_natal_chart`) byte for byte.
"""
from __future__ import annotations

import argparse
import json
from typing import Any

from zentaric_chart import _names
from zentaric_chart.chart import natal
from zentaric_chart.cli.common import (UsageError, birth, birth_options, check_output, houses_option, name, node_option,
                                      write_output)
from zentaric_chart.dasha import dasha, dasha_at
from zentaric_chart.drawing import STYLES
from zentaric_chart.text import chart_text, varga_text


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser(
        "chart", help="a natal chart",
        description="A natal chart. --format json prints the package's reading (Chart.to_dict(): bodies with their "
                    "Vedic dignity, the sixteen vargas, vimshopaka, drishti, rashi drishti, karakas, arudhas, yogas, "
                    "ashtakavarga, special lagnas, upagrahas, shadbala, bhava bala; labels in --lang); --format "
                    "module-json the module's chart document (compute_natal_chart) byte for byte.")
    birth_options(parser, ("text", "json", "module-json", "svg"))
    parser.add_argument("--style", type=str.lower, choices=STYLES, help="drawing for --format svg (default south)")
    parser.add_argument("--varga", help="divisional chart drawn by --format svg, or printed by --format text or json "
                                        f"(default d1: the whole chart): {', '.join(_names.VARGAS)}, any case")
    parser.add_argument("-o", "--output", help="write to this file instead of standard output")
    houses_option(parser)
    node_option(parser)
    return parser


def document(args: argparse.Namespace) -> str:
    """The chart as text, JSON or SVG."""
    born = birth(args)
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    houses = name("--houses", _names.house_system, args.houses)
    language = name("--lang", _names.language, args.lang)
    if args.style is not None and args.format != "svg":
        raise UsageError("--style", f"draws with --format svg only, not with --format {args.format}")
    if args.format == "module-json":
        if language.lower() not in ("en", "english"):
            raise UsageError("--lang", "the module-json document is the module's, with English names; "
                                       "--format json has the labels in --lang")
        if args.varga is not None:
            raise UsageError("--varga", "the module-json document is the birth chart; --varga goes with text, json "
                                        "or svg")
    chart = natal(born, ayanamsha, houses, language, node=args.node)
    if args.format == "svg":
        varga = name("--varga", _names.varga, "d1" if args.varga is None else args.varga)
        try:
            return chart.svg(style=args.style or "south", varga=varga)
        except ValueError as error:  # a varga other than d1 for the wheel
            raise UsageError("--varga", str(error)) from None
    if args.format == "module-json":
        return chart.to_json()
    varga = name("--varga", _names.varga, "d1" if args.varga is None else args.varga)
    if args.format == "json":
        if args.varga is None:
            return json.dumps(chart.to_dict(), ensure_ascii=False)
        chosen = chart.varga(varga)
        return json.dumps({"code": chosen.code, "name": chosen.name, "signs": chosen.to_dict(),
                           "sign_indices": dict(chosen.sign_indices), "labels": dict(chosen.labels)},
                          ensure_ascii=False)
    if _names.varga_code(varga) != "d1":
        return varga_text(chart, varga)
    return chart_text(chart, dasha_at(born, born.utc, levels=3, ayanamsha=ayanamsha, language=language,
                                      node=args.node),
                      dasha(born, levels=1, ayanamsha=ayanamsha, language=language, node=args.node))


def run(args: argparse.Namespace) -> None:
    check_output(args.output)
    write_output(args.output, document(args) + "\n")
