"""The moments of the sky against pyswisseph's own crossing and rising routines, timed back to back in one run:
every Moon nakshatra change over 100 years (`find_events` in one call, against `swe.mooncross_ut` with the
sidereal flag in a loop, per event) and a year of daily Hindu sunrises and sunsets for one place (`rise_sets` of
the package and the module's `rise_set_times`, against 730 `swe.rise_trans` calls). Both ephemerides are analytical
(pyswisseph's Moshier, no files), so neither reads a disk."""
import time
from datetime import date

import zentaric

from zentaric_chart import Place, rise_sets

START = 2451544.5                  # 2000-01-01 0h UT
CENTURY = 36525.0
SPAN = 360.0 / 27.0
DELHI = Place(28.6139, 77.2090, "Asia/Kolkata")


def best_seconds(function, repeats=3):
    best = float("inf")
    for _ in range(repeats):
        started = time.perf_counter()
        function()
        best = min(best, time.perf_counter() - started)
    return best


def swisseph_nakshatra_changes(swe, count):
    """`count` successive nakshatra changes of the Moon by swe.mooncross_ut (Lahiri, sidereal)."""
    flags = swe.FLG_MOSEPH | swe.FLG_SIDEREAL
    jd = START
    moon = swe.calc_ut(jd, swe.MOON, flags)[0][0]
    boundary = (int(moon // SPAN) + 1) % 27
    for _ in range(count):
        jd = swe.mooncross_ut(boundary * SPAN, jd, flags)
        boundary = (boundary + 1) % 27
    return jd


def swisseph_sunrises(swe):
    flags = swe.BIT_HINDU_RISING
    geopos = (DELHI.longitude, DELHI.latitude, 0.0)
    jd = START - 5.5 / 24.0
    for day in range(365):
        for event in (swe.CALC_RISE, swe.CALC_SET):
            swe.rise_trans(jd + day, swe.SUN, event | flags, geopos, 0.0, 0.0, swe.FLG_MOSEPH)


def moments_section(rounds=5):
    try:
        import swisseph as swe
    except ImportError:
        print("moments: pyswisseph not installed (pip install .[reference]): no reference")
        return
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    sample = 3000
    events_found = len(zentaric.find_events(START, START + CENTURY, "nakshatra"))
    ratios, ours, theirs = [], [], []
    for _ in range(rounds):
        reference = best_seconds(lambda: swisseph_nakshatra_changes(swe, sample), 1) / sample
        module = best_seconds(lambda: zentaric.find_events(START, START + CENTURY, "nakshatra"), 1) / events_found
        ratios.append(module / reference)
        ours.append(module)
        theirs.append(reference)
    ratios.sort()
    print(f"moments: Moon nakshatra changes 2000-2100 ({events_found} events){'us per event':>26s}")
    print(f"  find_events(..., 'nakshatra')                     {min(ours) * 1e6:8.2f}   "
          f"median ratio {ratios[len(ratios) // 2]:.2f} to the reference")
    print(f"  swe.mooncross_ut, sidereal, in a loop (reference) {min(theirs) * 1e6:8.2f}")

    first, last = date(2000, 1, 1), date(2000, 12, 30)
    start = START - 5.5 / 24.0
    rows = {"rise_sets (package, 365 local days)": lambda: rise_sets(first, last, DELHI),
            "rise_set_times (module, one call)": lambda: zentaric.rise_set_times(start, start + 365.0, DELHI.latitude,
                                                                                 DELHI.longitude)}
    print(f"moments: a year of Hindu sunrises and sunsets at Delhi (730 events){'us per event':>14s}")
    for label, function in rows.items():
        ratios, ours, theirs = [], [], []
        for _ in range(rounds):
            reference = best_seconds(lambda: swisseph_sunrises(swe), 1) / 730
            cost = best_seconds(function, 1) / 730
            ratios.append(cost / reference)
            ours.append(cost)
            theirs.append(reference)
        ratios.sort()
        print(f"  {label:49s} {min(ours) * 1e6:8.2f}   median ratio {ratios[len(ratios) // 2]:.2f} to the reference")
    print(f"  {'swe.rise_trans BIT_HINDU_RISING x 730 (reference)':49s} {min(theirs) * 1e6:8.2f}")
    slow_planets_section()


def slow_planets_section():
    """Sign and nakshatra changes and passages of a longitude of Jupiter..Neptune over a century (the planets' tracks,
    no reference routine in the peer), and their stations (the full series)."""
    searches = {"sign": lambda body: zentaric.find_events(START, START + CENTURY, "sign", body),
                "nakshatra": lambda body: zentaric.find_events(START, START + CENTURY, "nakshatra", body),
                "crossings of 100 deg": lambda body: zentaric.find_crossings(body, 100.0, START, START + CENTURY),
                "station": lambda body: zentaric.find_events(START, START + CENTURY, "station", body)}
    print(f"moments: Jupiter..Neptune over 2000-2100{'ms a search':>40s}")
    for label, search in searches.items():
        costs = [best_seconds(lambda: search(body)) * 1e3 for body in ("Jupiter", "Saturn", "Uranus", "Neptune")]
        print(f"  {label:22s} Jupiter {costs[0]:6.1f}  Saturn {costs[1]:6.1f}  Uranus {costs[2]:6.1f}  "
              f"Neptune {costs[3]:6.1f}")


if __name__ == "__main__":
    moments_section()
