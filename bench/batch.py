"""Charts per second of `charts_frame` (one process and all cores) against the bare loop of module calls.

    python bench/batch.py [--births 100000] [--rounds 1]

The births are random UTC minutes of 1900-2050 at random places between ±60° latitude. The bare loop calls
`zentaric.compute_natal_chart` on the same minutes and places and keeps the text; `charts_frame` adds reading the
times, the chart document, and the frame. The one-at-a-time `natal` path (Birth, Chart dataclasses) is timed on a
tenth of the births for comparison. With rounds > 1 each figure is the best round.
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
    parser.add_argument("--rounds", type=int, default=1)
    args = parser.parse_args()
    births = births_frame(args.births)
    cores = default_processes()
    best = {}
    for _ in range(args.rounds):
        for label, run in (("bare loop", lambda: bare_loop(births)),
                           ("natal one at a time (a tenth)", lambda: natal_loop(births.iloc[::10]) * 10),
                           ("charts_frame, processes=1", lambda: frame_time(births, 1)),
                           (f"charts_frame, processes={cores}", lambda: frame_time(births, cores))):
            best[label] = min(best.get(label, float("inf")), run())
    bare = best["bare loop"]
    print(f"{args.births} births, {cores} cores (os.cpu_count() {os.cpu_count()}), load average "
          f"{os.getloadavg()[0]:.1f} at the end")
    for label, seconds in best.items():
        rate = args.births / seconds
        used = cores if label.endswith(f"={cores}") and cores > 1 else 1
        print(f"{label:32s} {seconds:7.1f} s  {rate:7.0f} charts/s  {rate / used:7.0f} per core  "
              f"{seconds / bare - 1:+6.1%} time against the bare loop")
    one = best["charts_frame, processes=1"]
    many = best[f"charts_frame, processes={cores}"]
    print(f"speed-up on {cores} cores: {one / many:.2f}x")


if __name__ == "__main__":
    main()
