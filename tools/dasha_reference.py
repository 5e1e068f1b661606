"""Vimshottari dasha in plain Python: an independent statement of the rule, for the stored test cases
(gen_reference_tables.py) and the benchmarks.

The first maha dasha runs from birth for the balance of the Moon's nakshatra lord. Its sub-periods are those of the
lord's full period, laid out from the notional start (birth minus the elapsed part) and cut at birth: sub-periods
ended by birth are dropped, the one running at birth starts at birth, and the same cut is applied inside it, level
by level. Every other period is divided whole: nine sub-periods in cycle order, each the parent's days times the
lord's years over 120, each starting where the previous one ended.
"""

import math

LORD_NAMES = ("Sun", "Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury", "Ketu", "Venus")
LORD_YEARS = (6.0, 10.0, 7.0, 18.0, 16.0, 19.0, 17.0, 7.0, 20.0)
LORD_DAYS = tuple(years * 365.25 for years in LORD_YEARS)
NAKSHATRA_SPAN = 13.333333333333334
# Lord of nakshatra i is NAKSHATRA_LORDS[i % 9]: Ketu, Venus, Sun, Moon, Mars, Rahu, Jupiter, Saturn, Mercury.
NAKSHATRA_LORDS = (7, 8, 0, 1, 2, 3, 4, 5, 6)
NAKSHATRA_NAMES = (
    "Ashwini", "Bharani", "Krittika", "Rohini", "Mrigashira", "Ardra", "Punarvasu", "Pushya", "Ashlesha",
    "Magha", "PurvaPhalguni", "UttaraPhalguni", "Hasta", "Chitra", "Swati", "Vishakha", "Anuradha", "Jyeshtha",
    "Moola", "PurvaAshadha", "UttaraAshadha", "Shravana", "Dhanishta", "Shatabhisha", "PurvaBhadrapada",
    "UttaraBhadrapada", "Revati",
)


def normalize_degrees(x):
    if not math.isfinite(x):
        return 0.0
    r = math.fmod(x, 360.0)
    if r < 0.0:
        r += 360.0
    return 0.0 if r >= 360.0 else r


def clamp_levels(levels):
    return 1 if levels == 0 else min(levels, 5)


def dasha_start(moon_longitude):
    """(nakshatra index, first lord, balance) of a Moon longitude."""
    longitude = normalize_degrees(moon_longitude)
    nakshatra = min(int(longitude / NAKSHATRA_SPAN), 26)
    balance = 1.0 - (longitude - float(nakshatra) * NAKSHATRA_SPAN) / NAKSHATRA_SPAN
    return nakshatra, NAKSHATRA_LORDS[nakshatra % 9], balance


def _period(lord, level, start, end, duration, sub_periods):
    return {"lord": LORD_NAMES[lord], "level": level, "start_jd": start, "end_jd": end,
            "duration_days": duration, "sub_periods": sub_periods}


def whole_sub_periods(parent_lord, level, depth, start, parent_duration):
    periods = []
    for step in range(9):
        lord = (parent_lord + step) % 9
        duration = (parent_duration * LORD_YEARS[lord]) / 120.0
        end = start + duration
        subs = whole_sub_periods(lord, level + 1, depth, start, duration) if level < depth else []
        periods.append(_period(lord, level, start, end, duration, subs))
        start = end
    return periods


def sub_periods_cut_at_birth(parent_lord, level, depth, notional_start, full_duration, birth):
    periods = []
    start = notional_start
    for step in range(9):
        lord = (parent_lord + step) % 9
        duration = (full_duration * LORD_YEARS[lord]) / 120.0
        end = start + duration
        if start >= birth:
            subs = whole_sub_periods(lord, level + 1, depth, start, duration) if level < depth else []
            periods.append(_period(lord, level, start, end, duration, subs))
        elif end > birth or step == 8:
            # Running at birth (the last one is kept even when rounding ended it at birth).
            cut_end = max(end, birth)
            subs = (sub_periods_cut_at_birth(lord, level + 1, depth, start, duration, birth)
                    if level < depth else [])
            periods.append(_period(lord, level, birth, cut_end, cut_end - birth, subs))
        start = end
    return periods


def _shift_times(periods, birth):
    for period in periods:
        period["start_jd"] = period["start_jd"] + birth
        period["end_jd"] = period["end_jd"] + birth
        _shift_times(period["sub_periods"], birth)


def reference_dasha(moon_longitude, birth_jd, levels=3):
    """The dasha document as Python objects (None for a non-finite time)."""
    depth = clamp_levels(levels)
    nakshatra, first_lord, balance = dasha_start(moon_longitude)
    birth = birth_jd if math.isfinite(birth_jd) else 0.0
    mahas = []
    start = birth
    for step in range(9):
        lord = (first_lord + step) % 9
        duration = balance * LORD_DAYS[lord] if step == 0 else LORD_DAYS[lord]
        end = start + duration
        if depth == 1:
            subs = []
        elif step == 0 and balance < 1.0:
            notional_start = birth - (1.0 - balance) * LORD_DAYS[lord]
            subs = sub_periods_cut_at_birth(lord, 2, depth, notional_start, LORD_DAYS[lord], birth)
        else:
            subs = whole_sub_periods(lord, 2, depth, start, duration)
        mahas.append(_period(lord, 1, start, end, duration, subs))
        start = end
    if not math.isfinite(birth_jd):
        _shift_times(mahas, birth_jd)
    return {"moon_nakshatra": NAKSHATRA_NAMES[nakshatra], "initial_balance": balance, "maha_dashas": mahas}


def as_json_values(document):
    """Non-finite numbers replaced by None, as the JSON text carries them."""
    if isinstance(document, dict):
        return {key: as_json_values(value) for key, value in document.items()}
    if isinstance(document, list):
        return [as_json_values(value) for value in document]
    if isinstance(document, float) and not math.isfinite(document):
        return None
    return document
