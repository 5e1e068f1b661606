"""Benchmark runner: per-call costs of the module's functions measured in one run, and their ratios.

Run with `make bench` (or `python bench/run.py` where zentaric is installed). Figures are the best of
several repeats of a timed loop, so that other load on the machine inflates them as little as possible.
"""
import math
import timeit

import zentaric

REPEATS = 7


def per_call_ns(statement, number, setup="pass", namespace=None):
    timer = timeit.Timer(statement, setup=setup, globals=namespace or globals())
    return min(timer.repeat(repeat=REPEATS, number=number)) / number * 1e9


def optional(name, measure):
    """Measures a function that may not be available in this build yet."""
    try:
        return measure()
    except NotImplementedError:
        print(f"  {name}: not available in this build")
        return None


def main():
    atan2 = per_call_ns("atan2(1.0, 2.0)", 1_000_000, namespace={"atan2": math.atan2})
    print(f"reference  math.atan2(1.0, 2.0)                      {atan2:9.1f} ns")
    rows = [
        ("calendar_to_jd(2000, 1, 1.5)", lambda: per_call_ns("f(2000, 1, 1.5)", 1_000_000,
                                                             namespace={"f": zentaric.calendar_to_jd})),
        ("get_nakshatra(123.4)", lambda: per_call_ns("f(123.4)", 1_000_000, namespace={"f": zentaric.get_nakshatra})),
        ("compute_varga(123.4, 'd9')", lambda: per_call_ns("f(123.4, 'd9')", 500_000,
                                                           namespace={"f": zentaric.compute_varga})),
        ("get_ayanamsha('Lahiri', 2451545.0)", lambda: per_call_ns("f('Lahiri', 2451545.0)", 500_000,
                                                                   namespace={"f": zentaric.get_ayanamsha})),
        ("compute_houses(45.0, 40.0, 23.44, 'Placidus')",
         lambda: per_call_ns("f(45.0, 40.0, 23.44, 'Placidus')", 200_000, namespace={"f": zentaric.compute_houses})),
        ("compute_natal_chart(1990, 5, 15, 10, 30, 28.6, 77.2)",
         lambda: per_call_ns("f(1990, 5, 15, 10, 30, 28.6, 77.2)", 200,
                             namespace={"f": zentaric.compute_natal_chart})),
        ("compute_dasha(123.4, 2451545.0, 5)",
         lambda: per_call_ns("f(123.4, 2451545.0, 5)", 20, namespace={"f": zentaric.compute_dasha})),
    ]
    calendar = None
    for label, measure in rows:
        cost = optional(label, measure)
        if cost is None:
            continue
        if label.startswith("calendar_to_jd"):
            calendar = cost
        ratio = f"{cost / atan2:8.2f}x atan2"
        if calendar is not None and label.startswith("compute_houses"):
            ratio += f"  {cost / calendar:6.2f}x calendar_to_jd"
        if cost >= 1e5:
            print(f"{label:52s} {cost / 1e6:9.3f} ms  {ratio}")
        else:
            print(f"{label:52s} {cost:9.1f} ns  {ratio}")


if __name__ == "__main__":
    main()
