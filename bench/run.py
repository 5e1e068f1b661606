"""Benchmark runner: per-call costs of the module's functions measured in one run, and their ratios.

Run with `make bench` (or `python bench/run.py` where zentaric is installed). Figures are the best of
several repeats of a timed loop, so that other load on the machine inflates them as little as possible.
"""
import json
import math
import pathlib
import subprocess
import sys
import time
import timeit
import tracemalloc

import zentaric

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tools"))
from dasha_reference import reference_dasha  # noqa: E402  (the plain-Python statement of the dasha rule)
from panchanga_bench import panchanga_section  # noqa: E402

REPEATS = 7


def per_call_ns(statement, number, setup="pass", namespace=None):
    timer = timeit.Timer(statement, setup=setup, globals=namespace or globals())
    return min(timer.repeat(repeat=REPEATS, number=number)) / number * 1e9


def ratio_to(reference, statement, namespace, number, rounds=15):
    """Median over rounds of (cost of statement) / (cost of reference), the two timed back to back in each
    round so that changing load on the machine affects both alike; also the best cost of each."""
    ratios, costs, reference_costs = [], [], []
    for _ in range(rounds):
        reference_cost = per_call_ns(reference[0], reference[1], namespace=reference[2])
        cost = per_call_ns(statement, number, namespace=namespace)
        ratios.append(cost / reference_cost)
        costs.append(cost)
        reference_costs.append(reference_cost)
    ratios.sort()
    return ratios[len(ratios) // 2], min(costs), min(reference_costs)


def main():
    atan2 = ("atan2(1.0, 2.0)", 200_000, {"atan2": math.atan2})
    calendar = ("f(2000, 1, 1.5)", 200_000, {"f": zentaric.calendar_to_jd})
    rows = [
        ("calendar_to_jd(2000, 1, 1.5)", atan2, calendar),
        ("get_nakshatra(123.4)", atan2, ("f(123.4)", 200_000, {"f": zentaric.get_nakshatra})),
        ("compute_varga(123.4, 'd9')", atan2, ("f(123.4, 'd9')", 200_000, {"f": zentaric.compute_varga})),
        ("get_ayanamsha('Lahiri', 2451545.0)", atan2,
         ("f('Lahiri', 2451545.0)", 200_000, {"f": zentaric.get_ayanamsha})),
        ("compute_houses(45.0, 40.0, 23.44, 'Placidus')", calendar,
         ("f(45.0, 40.0, 23.44, 'Placidus')", 20_000, {"f": zentaric.compute_houses})),
    ]
    print("per-call cost (best of several), and the median ratio to the reference timed beside it")
    for label, reference, (statement, number, namespace) in rows:
        ratio, cost, reference_cost = ratio_to(reference, statement, namespace, number)
        reference_name = "math.atan2" if reference is atan2 else "calendar_to_jd"
        print(f"{label:48s} {cost:8.1f} ns   {ratio:6.2f}x {reference_name} ({reference_cost:.1f} ns)")


def resident_kib(field):
    """VmRSS or VmHWM of this process in KiB (Linux), or None."""
    try:
        with open("/proc/self/status", encoding="ascii") as status:
            for line in status:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def dasha_memory(arguments):
    """Peak memory of one compute_dasha call relative to its text: Python allocations (tracemalloc) and the
    rise of the resident set, which also sees the C++ buffer (Linux, after resetting the high-water mark)."""
    try:
        with open("/proc/self/clear_refs", "w", encoding="ascii") as clear_refs:
            clear_refs.write("5")
        before = resident_kib("VmRSS")
    except OSError:
        before = None
    tracemalloc.start()
    text = zentaric.compute_dasha(*arguments)
    python_peak = tracemalloc.get_traced_memory()[1]
    tracemalloc.stop()
    peak = resident_kib("VmHWM")
    resident_ratio = (peak - before) * 1024 / len(text) if before is not None and peak is not None else None
    return len(text), python_peak / len(text), resident_ratio


DASHA_ARGUMENTS = (123.4, 2451545.0, 5)


def dasha_memory_in_fresh_process():
    """dasha_memory measured in a new interpreter, where no earlier call has left freed memory resident."""
    finished = subprocess.run([sys.executable, __file__, "--dasha-memory"], capture_output=True, text=True,
                              check=True)
    return json.loads(finished.stdout)


def dasha_section():
    arguments = DASHA_ARGUMENTS
    size, python_ratio, resident_ratio = dasha_memory_in_fresh_process()
    module_ms = per_call_ns("f(*a)", 20, namespace={"f": zentaric.compute_dasha, "a": arguments}) / 1e6
    plain_ms = min(plain_python_dasha_seconds(arguments) for _ in range(3)) * 1e3
    print(f"compute_dasha{arguments}: {size / 1e6:.2f} MB of text")
    print(f"  module {module_ms:8.3f} ms   plain Python + json.dumps {plain_ms:8.1f} ms   "
          f"{plain_ms / module_ms:6.1f}x faster")
    resident = f"{resident_ratio:.2f}x" if resident_ratio is not None else "n/a"
    print(f"  peak memory / text: Python allocations {python_ratio:.2f}x, resident set rise {resident}")


CHART_BIRTHS = [(1900 + (37 * k) % 150, 1 + k % 12, 1 + (7 * k) % 28, (5 * k) % 24, (13 * k) % 60,
                 -50.0 + (17.0 * k) % 110.0, -170.0 + (53.0 * k) % 340.0) for k in range(60)]
ASPECTS = ((0.0, 8.0), (60.0, 6.0), (90.0, 7.0), (120.0, 8.0), (180.0, 8.0))


def swisseph_chart(swe, birth):
    """The same chart built in Python from pyswisseph (Moshier ephemeris, Lahiri, Placidus)."""
    year, month, day, hour, minute, latitude, longitude = birth
    jd = swe.julday(year, month, day, hour + minute / 60.0)
    flags = swe.FLG_MOSEPH | swe.FLG_SPEED | swe.FLG_SIDEREAL
    bodies = (swe.SUN, swe.MOON, swe.MERCURY, swe.VENUS, swe.MARS, swe.JUPITER, swe.SATURN, swe.MEAN_NODE,
              swe.TRUE_NODE)
    planets = []
    for body in bodies:
        position, _ = swe.calc_ut(jd, body, flags)
        planets.append({"longitude": position[0], "latitude": position[1], "distance": position[2],
                        "speed": position[3], "sign_index": int(position[0] // 30), "retrograde": position[3] < 0})
    cusps, angles = swe.houses(jd, latitude, longitude, b"P")
    aspects = []
    for a in range(len(planets)):
        for b in range(a + 1, len(planets)):
            separation = abs(planets[a]["longitude"] - planets[b]["longitude"]) % 360.0
            separation = 360.0 - separation if separation > 180.0 else separation
            for angle, orb in ASPECTS:
                deviation = abs(separation - angle)
                if deviation <= orb:
                    aspects.append({"body1": a, "body2": b, "orb": deviation, "strength": 1 - deviation / orb})
    document = {"aspects": aspects, "ayanamsha_value": swe.get_ayanamsa_ut(jd), "julian_day": jd,
                "houses": {"cusps": list(cusps), "asc": angles[0], "mc": angles[1]}, "planets": planets}
    return json.dumps(document, separators=(",", ":"), sort_keys=True)


def cpu_seconds_over(function, births):
    started = time.process_time()
    for birth in births:
        function(birth)
    return time.process_time() - started


def seconds_over(function, births):
    started = time.perf_counter()
    for birth in births:
        function(birth)
    return time.perf_counter() - started


CPP_CHART_BENCH = pathlib.Path(__file__).resolve().parents[1] / "build" / "cpp" / "bench_natal_chart"


def cpp_chart_rows():
    """The rows of the C++ chart benchmark (best of its timed loops), or none when it is not built."""
    if not CPP_CHART_BENCH.exists():
        return []
    finished = subprocess.run([str(CPP_CHART_BENCH)], capture_output=True, text=True, check=True)
    rows = []
    for line in finished.stdout.splitlines():
        label, _, value = line.rpartition(" ")
        try:
            rows.append((label.strip(), float(value)))
        except ValueError:
            continue
    return rows


def chart_section(rounds=15):
    """The natal chart in C++ and from Python beside the same chart built from pyswisseph, timed back to back:
    the ratio is the median over rounds of (module over all births) / (pyswisseph chart over all births)."""
    print(f"natal chart over {len(CHART_BIRTHS)} births{'us per chart':>46s}")
    for label, microseconds in cpp_chart_rows():
        print(f"  C++    {label:44s} {microseconds:8.1f}   (best of loops)")
    try:
        import swisseph as swe
    except ImportError:
        swe = None
    module = lambda birth: zentaric.compute_natal_chart(*birth)  # noqa: E731
    if swe is None:
        module_us = min(seconds_over(module, CHART_BIRTHS) for _ in range(rounds)) / len(CHART_BIRTHS) * 1e6
        print(f"  Python {'compute_natal_chart':44s} {module_us:8.1f}   (pyswisseph not installed: no reference)")
        return
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    reference = lambda birth: swisseph_chart(swe, birth)  # noqa: E731
    ratios, module_costs, reference_costs = [], [], []
    for _ in range(rounds):
        reference_cost = seconds_over(reference, CHART_BIRTHS)
        module_cost = seconds_over(module, CHART_BIRTHS)
        ratios.append(module_cost / reference_cost)
        module_costs.append(module_cost)
        reference_costs.append(reference_cost)
    ratios.sort()
    per_chart = 1e6 / len(CHART_BIRTHS)
    print(f"  Python {'compute_natal_chart':44s} {min(module_costs) * per_chart:8.1f}   "
          f"median ratio {ratios[len(ratios) // 2]:.2f} to the reference")
    print(f"  Python {'pyswisseph chart (reference)':44s} {min(reference_costs) * per_chart:8.1f}   "
          "9 calc_ut, houses, ayanamsha, aspects, json.dumps")


def package_section(rounds=15, frame_rounds=3, frame_copies=170):
    """The package's overhead over the module: `natal` against `compute_natal_chart` for the same births, and
    `charts_frame` in one process against the bare loop of module calls over the births repeated `frame_copies`
    times (so that the frame's fixed cost is spread as over a real table); each pair timed back to back per round
    (the median ratio or difference, and the best per-chart cost)."""
    from datetime import UTC, datetime

    from zentaric_chart import Birth, charts_frame, natal
    births = [Birth(datetime(year, month, day, hour, minute, tzinfo=UTC), latitude, longitude)
              for year, month, day, hour, minute, latitude, longitude in CHART_BIRTHS]
    module = lambda birth: zentaric.compute_natal_chart(*birth)  # noqa: E731
    package = lambda birth: natal(birth)  # noqa: E731
    ratios, natal_costs = [], []
    for _ in range(rounds):  # CPU time of this process: other programs on a busy machine inflate it less
        module_cost = cpu_seconds_over(module, CHART_BIRTHS)
        natal_costs.append(cpu_seconds_over(package, births))
        ratios.append(natal_costs[-1] / module_cost)
    ratios.sort()
    print(f"package over {len(CHART_BIRTHS)} births{'us per chart':>48s}")
    print(f"  natal (Birth given), CPU                            {min(natal_costs) * 1e6 / len(births):8.1f}   "
          f"median ratio {ratios[len(ratios) // 2]:.2f} to compute_natal_chart")
    try:
        import pandas
    except ImportError:
        print("  charts_frame: pandas not installed")
        return
    many = CHART_BIRTHS * frame_copies
    frame = pandas.DataFrame({"time": [birth.utc for birth in births] * frame_copies,
                              "latitude": [birth.latitude for birth in births] * frame_copies,
                              "longitude": [birth.longitude for birth in births] * frame_copies})
    overheads = []
    for _ in range(frame_rounds):
        module_cost = cpu_seconds_over(module, many)
        started = time.process_time()
        charts_frame(frame, processes=1, progress=False)
        overheads.append((time.process_time() - started - module_cost) / len(many) * 1e6)
    overheads.sort()
    print(f"  charts_frame, one process, {len(many)} rows: CPU per row over compute_natal_chart "
          f"{overheads[len(overheads) // 2]:6.1f}   (median; the chart itself {module_cost / len(many) * 1e6:.1f})")


def plain_python_dasha_seconds(arguments):
    started = time.perf_counter()
    json.dumps(reference_dasha(*arguments), separators=(",", ":"))
    return time.perf_counter() - started


def package_dasha_section(rounds=15):
    """zentaric_chart.dasha over the module's compute_dasha_periods for the same birth and periods, timed back to
    back: the median over rounds of their ratio (the package's overhead: names checked, maha dashas made)."""
    from zentaric_chart import Birth, dasha, dasha_at

    birth = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    arguments = (1990, 5, 15, 10, 30, 28.6139, 77.2090)
    print("zentaric_chart.dasha against compute_dasha_periods for the same periods")
    for system, levels, number in (("vimshottari", 3, 200), ("vimshottari", 5, 10), ("yogini", 3, 200),
                                   ("chara", 3, 200)):
        module = (f"f(*a, '{system}', {levels})", number, {"f": zentaric.compute_dasha_periods, "a": arguments})
        ratio, cost, module_cost = ratio_to(module, f"f(b, '{system}', levels={levels})", {"f": dasha, "b": birth},
                                            number, rounds)
        print(f"  dasha(birth, '{system}', levels={levels}) {cost / 1e6:8.3f} ms   module {module_cost / 1e6:8.3f} ms"
              f"   median ratio {ratio:5.2f}x")
    cost = per_call_ns("f(b, w, levels=5)", 200, namespace={"f": dasha_at, "b": birth, "w": "2026-12-06"}) / 1e6
    print(f"  dasha_at(birth, '2026-12-06', levels=5) {cost:8.3f} ms")


if __name__ == "__main__":
    if sys.argv[1:] == ["--dasha-memory"]:
        print(json.dumps(dasha_memory(DASHA_ARGUMENTS)))
    else:
        main()
        chart_section()
        package_section()
        dasha_section()
        from matching import matching_section  # noqa: E402  (bench/matching.py, beside this file)
        matching_section()
        package_dasha_section()
        from moments import moments_section  # noqa: E402  (bench/moments.py, beside this file)
        moments_section()
        panchanga_section()
        from strength import strength_section  # noqa: E402  (bench/strength.py, beside this file)
        strength_section()
