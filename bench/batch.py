"""Charts per second of `charts_frame` (one process and all cores) against the bare loop of module calls.

    python bench/batch.py [--births 100000] [--block 5000]

The births are random UTC minutes of 1900-2050 at random places between ±60° latitude. The bare loop calls
`zentaric.compute_natal_chart` on the same minutes and places and keeps the text; `charts_frame` adds reading the
times, the chart document, and the frame; `natal` one at a time (Birth, Chart dataclasses) is timed for comparison.
In one process the three take turns on blocks of the same births, so that load from other programs falls on all
three alike, and each is timed by the wall clock and by the CPU time of this process (which other programs on a
busy machine inflate less); with all cores charts_frame runs once by the wall clock, and its workers' tasks once
more for their CPU time.
"""
import argparse
import os
import time
from datetime import UTC, datetime, timedelta

import numpy
import pandas
import zentaric

from zentaric_chart import Birth, natal
from concurrent.futures import ProcessPoolExecutor

from zentaric_chart import batch
from zentaric_chart.batch import charts_frame, default_processes


def births_frame(count, seed=2026):
    generator = numpy.random.default_rng(seed)
    minutes = generator.integers(0, 150 * 525_960, count)
    start = pandas.Timestamp("1900-01-01", tz="UTC")
    return pandas.DataFrame({"time": start + pandas.to_timedelta(minutes, unit="min"),
                             "latitude": generator.uniform(-60.0, 60.0, count),
                             "longitude": generator.uniform(-180.0, 180.0, count)})


def timed(work):
    """(wall seconds, CPU seconds of this process) of work()."""
    wall, cpu = time.perf_counter(), time.process_time()
    work()
    return time.perf_counter() - wall, time.process_time() - cpu


def bare_loop(births):
    moments = [datetime(1900, 1, 1, tzinfo=UTC) + timedelta(minutes=int(m))
               for m in (births["time"] - pandas.Timestamp("1900-01-01", tz="UTC")) // pandas.Timedelta(minutes=1)]
    places = list(zip(moments, births["latitude"].tolist(), births["longitude"].tolist()))
    chart = zentaric.compute_natal_chart

    def work():
        for moment, latitude, longitude in places:
            chart(moment.year, moment.month, moment.day, moment.hour, moment.minute, latitude, longitude,
                  "Lahiri", "Placidus")
    return timed(work)


def natal_loop(births):
    def work():
        for moment, latitude, longitude in zip(births["time"], births["latitude"], births["longitude"]):
            natal(Birth(moment.to_pydatetime(), latitude, longitude))
    return timed(work)


def frame_time(births, processes):
    def work():
        assert charts_frame(births, processes=processes, progress=False)["error"].isna().all()
    return timed(work)


def worker_cpu(task):
    started = time.process_time()
    batch.chart_rows(*task)
    return time.process_time() - started


def pool_cpu(births, processes):
    """CPU seconds the pool's workers spend on the births in the tasks charts_frame would give them (on a machine
    shared with other programs this shows the pool's cost, which the wall clock then cannot)."""
    _, task = batch._inputs(births)
    size = batch.chunk_size(len(births), processes)
    with ProcessPoolExecutor(processes, mp_context=batch._pool_context()) as pool:
        return sum(pool.map(worker_cpu, [batch._part(task, start, size) for start in range(0, len(births), size)]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--births", type=int, default=100_000)
    parser.add_argument("--block", type=int, default=5000, help="births per block in the one-process turns")
    args = parser.parse_args()
    births = births_frame(args.births)
    cores = default_processes()
    one = "charts_frame, processes=1"
    totals = {"bare loop": [0.0, 0.0], "natal one at a time": [0.0, 0.0], one: [0.0, 0.0]}
    for start in range(0, args.births, args.block):
        block = births.iloc[start:start + args.block]
        for label, run in (("bare loop", bare_loop), ("natal one at a time", natal_loop),
                           (one, lambda part: frame_time(part, 1))):
            wall, cpu = run(block)
            totals[label][0] += wall
            totals[label][1] += cpu
    many = f"charts_frame, processes={cores}"
    totals[many] = [frame_time(births, cores)[0], pool_cpu(births, cores)]
    bare_wall, bare_cpu = totals["bare loop"]
    print(f"{args.births} births, {cores} cores, load average {os.getloadavg()[0]:.1f} at the end")
    print(f"{'':28s} {'wall s':>7s} {'charts/s':>9s} {'per core':>9s} {'vs bare':>8s} {'CPU s':>7s} {'vs bare':>8s}")
    for label, (wall, cpu) in totals.items():
        rate = args.births / wall
        print(f"{label:28s} {wall:7.1f} {rate:9.0f} {rate / (cores if label == many else 1):9.0f} "
              f"{wall / bare_wall - 1:+8.1%} {cpu:7.1f} {cpu / bare_cpu - 1:+8.1%}")
    print(f"speed-up of {cores} processes over one: {totals[one][0] / totals[many][0]:.2f}x "
          f"(CPU per chart in one process: bare {bare_cpu / args.births * 1e6:.0f} µs, "
          f"charts_frame {totals[one][1] / args.births * 1e6:.0f} µs)")


if __name__ == "__main__":
    main()
