"""Peak memory of `zentaric batch` on a large births file in each output format, against the budget of 1 GB.

    python bench/batch_memory.py [--births 200000] [--processes 2]

The births are random local minutes of 1900-2050 in five zones at random places between ±60° latitude, with two
text columns passed through. Each format runs as its own `zentaric batch` under a wrapper process that runs nothing
else, so that the figure is that batch's alone: the largest resident set of the command and of every worker it
waited for (`ru_maxrss` of the wrapper's children). The wall time of each run is printed beside it.
"""
import argparse
import pathlib
import subprocess
import sys
import tempfile
import time

import numpy
import pandas

BUDGET_MB = 1024
WRAPPER = ("import resource, subprocess, sys; subprocess.run(sys.argv[1:], check=True); "
           "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")


def write_births(path, count, seed=2026):
    generator = numpy.random.default_rng(seed)
    minutes = generator.integers(0, 150 * 525_960, count)
    times = pandas.Timestamp("1900-01-01") + pandas.to_timedelta(minutes, unit="min")
    zones = numpy.array(["Asia/Kolkata", "Europe/Berlin", "America/New_York", "Australia/Sydney", ""])
    pandas.DataFrame({"id": [f"{k:07d}" for k in range(count)], "time": times.strftime("%Y-%m-%d %H:%M"),
                      "tz": zones[generator.integers(0, 5, count)], "latitude": generator.uniform(-60, 60, count),
                      "longitude": generator.uniform(-180, 180, count), "note": "NA"}).to_csv(path, index=False)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--births", type=int, default=200_000)
    parser.add_argument("--processes", type=int, default=2)
    options = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        births = pathlib.Path(folder) / "births.csv"
        write_births(births, options.births)
        print(f"zentaric batch, {options.births} births, {options.processes} processes: peak resident set")
        for format in ("parquet", "csv", "json"):
            started = time.perf_counter()
            run = subprocess.run([sys.executable, "-c", WRAPPER, sys.executable, "-m", "zentaric_chart", "batch",
                                  str(births), "-o", str(pathlib.Path(folder) / f"charts.{format}"),
                                  "--processes", str(options.processes)], capture_output=True, text=True, check=True)
            peak = int(run.stdout.split()[-1]) / 1024
            verdict = "within" if peak < BUDGET_MB else "OVER"
            print(f"  {format:8s} {peak:7.0f} MB ({verdict} {BUDGET_MB} MB)  {time.perf_counter() - started:6.1f} s")


if __name__ == "__main__":
    main()
