"""A year of daily panchanga at New Delhi: zentaric_chart.panchanga_range beside the drik-panchanga package (every
field: sunrise, sunset, moonrise, moonset, tithi, nakshatra, yoga, karana, masa, the three kalams, abhijit, ritu),
each year timed once on both sides (drik-panchanga keeps its results: a year it has seen costs it nothing), and
one day from Python. Both sides run in this one thread and are timed in CPU time (time.process_time), so that other
work on a shared machine, which preempts both alike but not at the same moments, does not enter the ratio. Without drik-panchanga the reference is 365 × (4 swe.rise_trans + 5 swe.mooncross_ut) in
pyswisseph, the searches such a panchanga makes a day.
"""
import statistics
import time
from datetime import date

from zentaric_chart import panchanga, panchanga_range
from zentaric_chart.birth import Place

LATITUDE, LONGITUDE, ZONE, OFFSET = 28.6139, 77.2090, "Asia/Kolkata", 5.5
YEARS = range(2001, 2006)


def drik_year(year):
    import panchanga as drik  # the drik-panchanga package
    import swisseph as swe
    place = drik.Place(LATITUDE, LONGITUDE, OFFSET)
    first = swe.julday(year, 1, 1, 0.0)
    for k in range(365):
        jd = first + k
        drik.sunrise(jd, place), drik.sunset(jd, place), drik.moonrise(jd, place), drik.moonset(jd, place)
        drik.tithi(jd, place), drik.nakshatra(jd, place), drik.yoga(jd, place), drik.karana(jd, place)
        masa = drik.masa(jd, place)
        drik.rahu_kalam(jd, place), drik.yamaganda_kalam(jd, place), drik.gulika_kalam(jd, place)
        drik.abhijit_muhurta(jd, place), drik.ritu(masa[0])


def swisseph_year(year):
    import swisseph as swe
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    first = swe.julday(year, 1, 1, 0.0)
    where, rise, setting = (LONGITUDE, LATITUDE, 0.0), swe.CALC_RISE | swe.BIT_HINDU_RISING, swe.CALC_SET
    for k in range(365):
        jd = first + k - OFFSET / 24.0
        swe.rise_trans(jd, swe.SUN, rise, where), swe.rise_trans(jd, swe.SUN, setting, where)
        swe.rise_trans(jd, swe.MOON, swe.CALC_RISE, where), swe.rise_trans(jd, swe.MOON, swe.CALC_SET, where)
        moon = swe.calc_ut(jd, swe.MOON, swe.FLG_SIDEREAL)[0][0]
        for step in range(1, 6):  # the next five multiples of 6 degrees: a search a limb's end costs
            swe.mooncross_ut((moon // 6.0 + step) * 6.0 % 360.0, jd, swe.FLG_SIDEREAL)


def panchanga_section():
    try:
        import panchanga as drik  # noqa: F401
        reference, reference_name = drik_year, "drik-panchanga"
    except ImportError:
        reference, reference_name = swisseph_year, "pyswisseph 365 x (4 rise_trans + 5 mooncross_ut)"
    place = Place(LATITUDE, LONGITUDE, ZONE)
    ours, theirs = [], []
    for year in YEARS:
        started = time.process_time()
        reference(year)
        theirs.append(time.process_time() - started)
        started = time.process_time()
        panchanga_range(date(year, 1, 1), date(year, 12, 31), place)
        ours.append(time.process_time() - started)
    ratio = statistics.median(o / t for o, t in zip(ours, theirs))
    print(f"panchanga, a year of days at New Delhi (each of {YEARS.start}-{YEARS.stop - 1} timed once)")
    print(f"  panchanga_range, 365 days                        {min(ours) * 1e3:8.1f} ms   "
          f"median ratio {ratio:.3f} to {reference_name} ({min(theirs) * 1e3:.0f} ms)")
    day = date(2026, 12, 7)
    best = min(_seconds(lambda: panchanga(day, place), 50) for _ in range(5))
    print(f"  panchanga, one day                               {best * 1e3:8.3f} ms")


def _seconds(work, number):
    started = time.process_time()
    for _ in range(number):
        work()
    return (time.process_time() - started) / number


if __name__ == "__main__":
    panchanga_section()
