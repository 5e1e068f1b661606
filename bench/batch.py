"""Charts per second of `charts_frame` (one process and all cores) against the bare loop of module calls.

    python bench/batch.py [--births 100000] [--block 1000]

The births are random UTC minutes of 1900-2050 at random places between ±60° latitude. The bare loop calls
`zentaric.compute_natal_chart` on the same minutes and places and keeps the text; `charts_frame` adds reading the
times, the chart document, and the frame; `natal` one at a time (Birth, Chart dataclasses) is timed for comparison.
With one process the three take turns on blocks of the same births; with all cores charts_frame runs once.
"""
import argparse
import os
import time
from datetime import UTC, datetime, timedelta

import numpy
import pandas
import zentaric

from zentaric_chart import Birth, natal
from zentaric_chart.batch import charts_frame, default_processes


def births_frame(count, seed=2026):
    generator = numpy.random.default_rng(seed)
    minutes = generator.integers(0, 150 * 525_960, count)
    start = pandas.Timestamp("1900-01-01", tz="UTC")
    return pandas.DataFrame({"time": start + pandas.to_timedelta(minutes, unit="min"),
                             "latitude": generator.uniform(-60.0, 60.0, count),
                             "longitude": generator.uniform(-180.0, 180.0, count)})


def bare_loop(births):
    moments = [datetime(1900, 1, 1, tzinfo=UTC) + timedelta(minutes=int(m))
               for m in (births["time"] - pandas.Timestamp("1900-01-01", tz="UTC")) // pandas.Timedelta(minutes=1)]
    chart = zentaric.compute_natal_chart
    started = time.perf_counter()
    for moment, latitude, longitude in zip(moments, births["latitude"].tolist(), births["longitude"].tolist()):
        chart(moment.year, moment.month, moment.day, moment.hour, moment.minute, latitude, longitude,
              "Lahiri", "Placidus")
    return time.perf_counter() - started


def natal_loop(births):
    started = time.perf_counter()
    for moment, latitude, longitude in zip(births["time"], births["latitude"], births["longitude"]):
        natal(Birth(moment.to_pydatetime(), latitude, longitude))
    return time.perf_counter() - started


def frame_time(births, processes):
    started = time.perf_counter()
    charts = charts_frame(births, processes=processes, progress=False)
    seconds = time.perf_counter() - started
    assert charts["error"].isna().all()
    return seconds


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--births", type=int, default=100_000)
    parser.add_argument("--block", type=int, default=1000, help="births per interleaved block")
    args = parser.parse_args()
    births = births_frame(args.births)
    cores = default_processes()
    # One process: the three paths take turns on blocks of the same births, so that load from other programs
    # on the machine falls on all three alike.
    totals = {"bare loop": 0.0, "natal one at a time": 0.0, "charts_frame, processes=1": 0.0}
    for start in range(0, args.births, args.block):
        block = births.iloc[start:start + args.block]
        totals["bare loop"] += bare_loop(block)
        totals["natal one at a time"] += natal_loop(block)
        totals["charts_frame, processes=1"] += frame_time(block, 1)
    totals[f"charts_frame, processes={cores}"] = frame_time(births, cores)
    bare = totals["bare loop"]
    print(f"{args.births} births, {cores} cores, load average {os.getloadavg()[0]:.1f} at the end")
    for label, seconds in totals.items():
        rate = args.births / seconds
        print(f"{label:28s} {seconds:7.1f} s {rate:7.0f} charts/s {rate / (cores if label.endswith(f'={cores}') else 1):7.0f} "
              f"per core {seconds / bare - 1:+7.1%} time against the bare loop")
    print(f"speed-up on {cores} cores: {totals['charts_frame, processes=1'] / totals[f'charts_frame, processes={cores}']:.2f}x")


if __name__ == "__main__":
    main()
