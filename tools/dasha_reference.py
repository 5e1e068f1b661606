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


# ---- Yogini and Ashtottari maha dashas, and Chara dasha, each stated from its rule ----

YOGINI_LORDS = ("Moon", "Sun", "Jupiter", "Mars", "Mercury", "Saturn", "Venus", "Rahu")  # Mangala .. Sankata
YOGINI_NAMES = ("Mangala", "Pingala", "Dhanya", "Bhramari", "Bhadrika", "Ulka", "Siddha", "Sankata")
# Ashtottari: lord, years, first and last star (1 Ashwini .. 27 Revati) of its group, in cycle order from Ardra.
ASHTOTTARI = (("Sun", 6, 6, 9), ("Moon", 15, 10, 12), ("Mars", 8, 13, 16), ("Mercury", 17, 17, 19),
              ("Saturn", 10, 20, 22), ("Jupiter", 19, 23, 25), ("Rahu", 12, 26, 2), ("Venus", 21, 3, 5))


def _star(moon_longitude):
    """(star 1..27, fraction of it elapsed) of a longitude."""
    longitude = normalize_degrees(moon_longitude)
    index = min(int(longitude / NAKSHATRA_SPAN), 26)
    return index + 1, (longitude - index * NAKSHATRA_SPAN) / NAKSHATRA_SPAN


def _mahas(sequence, balance, birth_jd, year_days):
    """(lord, start) of maha dashas of (lord, years) in turn, the first running for the balance only."""
    periods, start = [], birth_jd
    for k, (lord, years) in enumerate(sequence):
        periods.append((lord, start))
        start += (balance if k == 0 else 1.0) * years * year_days
    return periods


def yogini_mahas(moon_longitude, birth_jd, year_days=365.25):
    """Three cycles of the Yogini dasha: the yogini of star n is ((n + 3) mod 8, 0 meaning 8), her years her number."""
    star, elapsed = _star(moon_longitude)
    first = (star + 3) % 8 or 8
    numbers = [(first - 1 + k) % 8 + 1 for k in range(24)]
    return _mahas([(YOGINI_LORDS[n - 1], n) for n in numbers], 1.0 - elapsed, birth_jd, year_days)


def ashtottari_mahas(moon_longitude, birth_jd, year_days=365.25):
    """The eight Ashtottari periods from the lord of the Moon's group; the balance is the unelapsed part of the
    whole group of stars."""
    star, elapsed = _star(moon_longitude)
    for position, (_, _, first, last) in enumerate(ASHTOTTARI):
        stars = [(first - 1 + k) % 27 + 1 for k in range((last - first) % 27 + 1)]
        if star in stars:
            done = (stars.index(star) + elapsed) / len(stars)
            break
    order = [ASHTOTTARI[(position + k) % 8][:2] for k in range(8)]
    return _mahas(order, 1.0 - done, birth_jd, year_days)


SIGN_NAMES = ("Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius", "Capricorn",
              "Aquarius", "Pisces")
SIGN_LORD_NAMES = ("Mars", "Venus", "Mercury", "Moon", "Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
                   "Saturn", "Jupiter")
CHARA_COUNT_FORWARD = {"Aries", "Taurus", "Gemini", "Libra", "Scorpio", "Sagittarius"}


def chara_first_cycle(grahas, lagna):
    """[(sign, years)] of the twelve Chara dasha periods from the lagna (K.N. Rao). `grahas` maps the nine names
    (Sun .. Saturn, Rahu, Ketu) to sidereal longitudes."""
    def sign(longitude):
        return int(normalize_degrees(longitude) // 30) % 12

    def company(name):
        return sum(1 for other, longitude in grahas.items() if other != name and sign(longitude) == sign(grahas[name]))

    def lord_sign(s):
        lord = SIGN_LORD_NAMES[s]
        co_lord = {"Scorpio": "Ketu", "Aquarius": "Rahu"}.get(SIGN_NAMES[s])
        if co_lord is None:
            return sign(grahas[lord])
        inside = [name for name in (lord, co_lord) if sign(grahas[name]) == s]
        if len(inside) == 2:
            return s
        if len(inside) == 1:
            return sign(grahas[co_lord if inside[0] == lord else lord])
        strength = {name: (company(name), grahas[name] % 30.0) for name in (lord, co_lord)}
        return sign(grahas[co_lord if strength[co_lord] > strength[lord] else lord])

    def years(s):
        count = (lord_sign(s) - s) % 12 if SIGN_NAMES[s] in CHARA_COUNT_FORWARD else (s - lord_sign(s)) % 12
        return count or 12

    first = sign(lagna)
    step = 1 if SIGN_NAMES[(first + 8) % 12] in CHARA_COUNT_FORWARD else -1
    return [(SIGN_NAMES[(first + step * k) % 12], years((first + step * k) % 12)) for k in range(12)]


CHARA_ANTARDASHAS_FORWARD = {"Aries", "Leo", "Virgo", "Libra", "Aquarius", "Pisces"}


def chara_antardashas(sign):
    """The twelve antardasha signs of a Chara period of `sign`: from the sign after it round to the sign itself,
    forward for Aries, Leo, Virgo, Libra, Aquarius and Pisces, backward for the others."""
    at = SIGN_NAMES.index(sign)
    step = 1 if sign in CHARA_ANTARDASHAS_FORWARD else -1
    return [SIGN_NAMES[(at + step * k) % 12] for k in range(1, 13)]


# The conditional dashas of BPHS ch. 46 with one star to each lord: the star whose lord comes first in the cycle,
# and the direction of the count from it (Dwadashottari counts from the birth star on to Revati).
STAR_COUNTED_FROM = {"shodashottari": ("Pushya", 1), "dwadashottari": ("Revati", -1),
                     "panchottari": ("Anuradha", 1), "shatabdika": ("Revati", 1),
                     "chaturashiti_sama": ("Swati", 1), "dwisaptati_sama": ("Moola", 1),
                     "shattrimsha_sama": ("Shravana", 1)}
ABHIJIT = (276.0 + 40.0 / 60.0, 280.0 + 53.0 / 60.0 + 20.0 / 3600.0)


def first_lord(system, moon_longitude):
    """(lord, balance) of the first maha dasha of a conditional dasha: with one star a lord, the star's place in the
    count from the system's first star, the balance the star's unelapsed part; Shashtihayani counts 28 stars
    (Abhijit 276°40' to 280°53'20" cut from Uttara Ashadha and Shravana) from Ashwini in groups of 3 and 4 stars,
    its balance the unelapsed part of the group."""
    lords = list(SYSTEM_YEARS[system])
    longitude = normalize_degrees(moon_longitude)
    if system == "shashtihayani":
        starts = [k * NAKSHATRA_SPAN for k in range(21)] + [ABHIJIT[0], ABHIJIT[1]] + \
                 [k * NAKSHATRA_SPAN for k in range(22, 27)] + [360.0]
        star = max(k for k in range(28) if starts[k] <= longitude)
        group, first = 0, 0
        while first + (3, 4)[group % 2] <= star:
            first += (3, 4)[group % 2]
            group += 1
        end = starts[first + (3, 4)[group % 2]]
        return lords[group], (end - longitude) / (end - starts[first])
    star, elapsed = _star(moon_longitude)
    name, direction = STAR_COUNTED_FROM[system]
    count = (direction * (star - 1 - NAKSHATRA_NAMES.index(name))) % 27
    return lords[count % len(lords)], 1.0 - elapsed


# Each nakshatra dasha's lords and years in cycle order, as the classical tables give them (BPHS ch. 46; Yogini).
SYSTEM_YEARS = {
    "vimshottari": dict(zip(LORD_NAMES, LORD_YEARS)),
    "ashtottari": {lord: years for lord, years, _, _ in ASHTOTTARI},
    "yogini": {lord: years for years, lord in enumerate(YOGINI_LORDS, 1)},
    "shodashottari": dict(zip(("Sun", "Mars", "Jupiter", "Saturn", "Ketu", "Moon", "Mercury", "Venus"), range(11, 19))),
    "dwadashottari": dict(zip(("Sun", "Jupiter", "Ketu", "Mercury", "Rahu", "Mars", "Saturn", "Moon"), range(7, 22, 2))),
    "panchottari": dict(zip(("Sun", "Mercury", "Saturn", "Mars", "Venus", "Moon", "Jupiter"), range(12, 19))),
    "shatabdika": {"Sun": 5, "Moon": 5, "Venus": 10, "Mercury": 10, "Jupiter": 20, "Mars": 20, "Saturn": 30},
    "chaturashiti_sama": dict.fromkeys(("Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn"), 12),
    "dwisaptati_sama": dict.fromkeys(("Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn", "Rahu"), 9),
    "shashtihayani": {"Jupiter": 10, "Sun": 10, "Mars": 10, "Moon": 6, "Mercury": 6, "Venus": 6, "Saturn": 6, "Rahu": 6},
    "shattrimsha_sama": {lord: years for years, lord in enumerate(YOGINI_LORDS, 1)},
}
