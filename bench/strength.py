"""Strength and timeline figures: Chart.shadbala() beside pyjhora's shad_bala for the same chart (when the
[reference] extra is installed; its time only is used), and a 100-year timeline (its wall time, and the process's
CPU time, which other work on a shared machine leaves alone).

    python bench/strength.py
"""
import time
import timeit

from zentaric_chart import Birth, natal
from zentaric_chart.transits import timeline

BIRTH = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")


def best_seconds(function, number, repeat=5):
    return min(timeit.repeat(function, number=number, repeat=repeat)) / number


def pyjhora_shadbala_seconds():
    """pyjhora's shad_bala for BIRTH (Lahiri, its local-clock Julian day), or None without pyjhora."""
    try:
        from jhora import utils
        from jhora.horoscope.chart import strength
        from jhora.panchanga import drik
    except ImportError:
        return None
    drik.set_ayanamsa_mode("LAHIRI")
    jd = utils.julian_day_number((1990, 5, 15), (16, 0, 0))
    place = drik.Place("Delhi", 28.6139, 77.2090, 5.5)
    return best_seconds(lambda: strength.shad_bala(jd, place), 3, repeat=3)


def strength_section():
    chart = natal(BIRTH)
    ours = best_seconds(chart.shadbala, 200)
    peer = pyjhora_shadbala_seconds()  # before printing: pyjhora writes to stdout as it is imported
    print(f"Chart.shadbala() {ours * 1e6:10.1f} us", end="")
    if peer is None:
        print("   (pyjhora not installed: no reference)")
    else:
        print(f"   pyjhora shad_bala {peer * 1e3:8.1f} ms   ratio {ours / peer:.4f}x (target <= 0.02x)")
    started = time.perf_counter()
    events = timeline(BIRTH, "1990-05-15", "2090-05-15")
    first = time.perf_counter() - started
    cost = best_seconds(lambda: timeline(BIRTH, "1990-05-15", "2090-05-15"), 1, repeat=5)
    cpu = min(timeit.repeat(lambda: timeline(BIRTH, "1990-05-15", "2090-05-15"), number=1, repeat=5,
                            timer=time.process_time))
    print(f"timeline over 100 years, {len(events)} events: {cost * 1e3:8.1f} ms (best of 5; CPU {cpu * 1e3:.1f} ms; "
          f"first call {first * 1e3:.1f} ms; target <= 50 ms)")


if __name__ == "__main__":
    strength_section()
