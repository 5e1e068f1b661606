"""Matching and yoga figures: match_frame of one profile against a million candidates' Moon places, one couple's
match, and a chart's yogas.

    python bench/matching.py [--candidates 1000000]

The candidates are random Moon longitudes and signs of the lagna, Venus, Mars and Jupiter given as the columns
charts_frame makes (moon_nakshatra_index, moon_pada, moon_degree, moon_sign_index, ..._sign_index); the figure is the
best of five calls, frame in, frame out.
"""
import argparse
import time
import timeit

import numpy
import pandas
import zentaric

from zentaric_chart import Birth, natal
from zentaric_chart.matching import match_frame


def candidates_frame(count, seed=2026):
    generator = numpy.random.default_rng(seed)
    longitudes = generator.uniform(0.0, 360.0, count)
    signs = {f"{point}_sign_index": pandas.array(generator.integers(0, 12, count), dtype="Int64")
             for point in ("lagna", "venus", "mars", "jupiter")}
    return pandas.DataFrame({
        "moon_nakshatra_index": pandas.array((longitudes // (40.0 / 3.0)).astype(int), dtype="Int64"),
        "moon_pada": pandas.array((longitudes % (40.0 / 3.0) // (10.0 / 3.0)).astype(int) + 1, dtype="Int64"),
        "moon_degree": longitudes % 30.0,
        "moon_sign_index": pandas.array((longitudes // 30.0).astype(int), dtype="Int64"), **signs})


def matching_section(count=1_000_000):
    profile = natal(Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata"))
    frame = candidates_frame(count)
    times = []
    for _ in range(5):
        started = time.perf_counter()
        match_frame(profile, frame)
        times.append(time.perf_counter() - started)
    print(f"match_frame (kootas and manglik), one profile against {count:,} candidates: {min(times):.3f} s (best "
          f"of 5; the first call, which also builds the manglik lookup: {times[0]:.3f} s)")
    number = 20_000
    per_call = min(timeit.repeat("f(281.0, 67.0)", globals={"f": zentaric.match_moons}, number=number, repeat=5))
    print(f"match_moons(281.0, 67.0), one couple from Python: {per_call / number * 1e6:.2f} us")
    per_call = min(timeit.repeat("chart.yogas()", globals={"chart": profile}, number=number, repeat=5))
    print(f"Chart.yogas(), {len(profile.yogas())} yogas found: {per_call / number * 1e6:.2f} us")


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--candidates", type=int, default=1_000_000)
    matching_section(parser.parse_args().candidates)
