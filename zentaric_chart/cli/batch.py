"""`zentaric batch`: natal charts of a CSV file of births, written as parquet, CSV or JSON."""
from __future__ import annotations

import argparse
import math
import os
import sys
from time import perf_counter
from typing import Any

from zentaric_chart import _names, batch
from zentaric_chart.cli.common import UsageError, ayanamsha_option, check_output, houses_option, name, node_option


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser(
        "batch", help="natal charts of many births, from CSV to parquet, CSV or JSON")
    parser.add_argument("births", help="CSV file with the columns time, latitude, longitude (optional: tz, fold); "
                                       "every column is passed through as the text it holds")
    parser.add_argument("-o", "--output", required=True,
                        help="file to write: the births' columns, then the charts'; an existing file is replaced "
                             "once the new one is complete (an interrupted run leaves it as it was)")
    parser.add_argument("--format", choices=batch.FORMATS,
                        help=f"{', '.join(batch.FORMATS)}; default: the output's suffix (.parquet, .csv, .json), "
                             "parquet for a name without one")
    parser.add_argument("--processes", type=int, help="processes sharing the work (default: all cores)")
    ayanamsha_option(parser)
    houses_option(parser)
    node_option(parser)
    return parser


def summary(args: argparse.Namespace) -> str:
    """Run `zentaric batch`; returns the summary line (rows, errors, charts per second). Bad input: UsageError."""
    name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    name("--houses", _names.house_system, args.houses)
    if args.processes is not None and args.processes < 1:
        raise UsageError("--processes", f"{args.processes} must be at least 1")
    suffix = os.path.splitext(args.output)[1].lstrip(".").lower()
    if args.format is None and suffix and suffix not in batch.FORMATS:
        raise UsageError("--output", f"{args.output!r} does not end in .parquet, .csv or .json: name such a file or "
                                     "give --format")
    format = args.format or suffix or "parquet"
    check_output(args.output, args.births)
    try:
        births = batch.read_births(args.births)
        if format == "parquet":
            batch.require_pyarrow()
    except ImportError as error:
        raise UsageError("batch", str(error)) from None
    except (OSError, ValueError) as error:  # no such file, not CSV
        raise UsageError("births", str(error)) from None
    unreadable: dict[int, str] = births.attrs["unreadable"]
    requested = batch.default_processes() if args.processes is None else args.processes
    processes = batch.processes_used(len(births), requested)
    started = perf_counter()
    try:
        # A row that could not be read is not computed: its time goes missing, its error names the line.
        inputs = births if not unreadable or "time" not in births.columns else births.assign(
            time=births["time"].where([position not in unreadable for position in range(len(births))]))
        charts = batch.charts_frame(inputs, args.ayanamsha, args.houses, processes, node=args.node)
    except ValueError as error:  # columns missing
        raise UsageError("births", str(error)) from None
    for position, message in unreadable.items():
        charts.iloc[position, charts.columns.get_loc("error")] = message
    seconds = perf_counter() - started
    try:
        overlap = {column: f"{column}_chart" for column in charts.columns if column in births.columns}
        batch.write_frame(births.join(charts.rename(columns=overlap)), args.output, format)
    except OSError as error:
        raise UsageError("--output", str(error)) from None
    rate = len(births) / seconds if seconds > 0 else math.inf
    return (f"{len(births)} rows, {int(charts['error'].notna().sum())} errors, {rate:.0f} charts/s "
            f"in {seconds:.1f} s ({processes} process{'es' if processes > 1 else ''})")


def run(args: argparse.Namespace) -> None:
    print(summary(args), file=sys.stderr)
