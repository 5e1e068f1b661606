"""The command line `zentaric` (also `python -m zentaric_chart`): one module per subcommand.

Bad input ends the program with status 2 and one line naming the option (and, for names, the closest accepted
one), Ctrl-C with 130 and SIGTERM with 143 and one line; no traceback.

Adding a subcommand: write `zentaric_chart/cli/<name>.py` with
    add_parser(subcommands) -> argparse.ArgumentParser   # subcommands.add_parser("<name>", help=...) + its options
    run(args) -> None                                      # writes the output; bad input raises common.UsageError
and add the module to SUBCOMMANDS below (the order is the order of `zentaric --help`). Shared options (a birth,
a moment, a checked name) and the error reporting live in common.py; a file is written whole with
zentaric_chart._files.replacing, so that an interrupt leaves the old one.
"""
from __future__ import annotations

import argparse
import importlib.metadata
import sys
from collections.abc import Sequence

from zentaric_chart.cli import (batch, chart, common, dasha, ephemeris, events, match, panchanga, rise_set, timeline,
                                transits)

SUBCOMMANDS: tuple[common.Subcommand, ...] = (chart, dasha, ephemeris, events, rise_set, panchanga, transits, timeline,
                                              batch, match)


def _version() -> str:
    try:
        return importlib.metadata.version("zentaric")
    except importlib.metadata.PackageNotFoundError:  # run from a checkout that is not installed
        return "unknown (not installed)"


def parser() -> argparse.ArgumentParser:
    """The argument parser of `zentaric`."""
    main_parser = common.Parser(prog="zentaric", description="Sidereal (Vedic) charts, dashas and ephemerides.")
    main_parser.add_argument("--version", action="version", version=f"zentaric {_version()}")
    subcommands = main_parser.add_subparsers(dest="command", required=True, parser_class=common.Parser)
    for module in SUBCOMMANDS:
        module.add_parser(subcommands).set_defaults(run=module.run)
    return main_parser


def main(argv: Sequence[str] | None = None) -> int:
    """Run the command line; returns the exit status (0, or 2 for bad input). Without arguments: the help."""
    if not (sys.argv[1:] if argv is None else argv):
        parser().print_help()
        return 0
    try:
        args = parser().parse_args(argv)
    except KeyboardInterrupt:
        print("zentaric: interrupted", file=sys.stderr)
        return 130
    return common.report(args.command, lambda: args.run(args))
