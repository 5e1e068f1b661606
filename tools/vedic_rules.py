"""Parashara's vargas, Vedic dignity, the aspects and Jaimini's karakas and arudhas in plain Python: an independent
statement of the rules (BPHS ch. 3, 6, 7, 26; Jaimini Sutras 1.1), for the tests and the reference generators.

Signs are 0 (Aries) .. 11 (Pisces); grahas 0..8 are Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn, Rahu, Ketu.
"""
import math

SUN, MOON, MARS, MERCURY, JUPITER, VENUS, SATURN, RAHU, KETU = range(9)
GRAHAS = ("Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn", "Rahu", "Ketu")
LORD = {0: MARS, 1: VENUS, 2: MERCURY, 3: MOON, 4: SUN, 5: MERCURY, 6: VENUS, 7: MARS, 8: JUPITER, 9: SATURN,
        10: SATURN, 11: JUPITER}
ARIES, TAURUS, GEMINI, CANCER, LEO, VIRGO, LIBRA, SCORPIO, SAGITTARIUS, CAPRICORN, AQUARIUS, PISCES = range(12)


def normalized(x):
    if not math.isfinite(x):
        return 0.0
    r = math.fmod(x, 360.0)
    if r < 0:
        r += 360.0
    return 0.0 if r >= 360.0 else r


def split(longitude):
    """(sign, degrees within the sign)."""
    l = normalized(longitude)
    sign = min(int(l / 30.0), 11)
    return sign, math.fmod(l, 30.0)


def odd(sign):
    return sign % 2 == 0  # Aries, the first sign, is odd


def movable(sign):
    return sign in (ARIES, CANCER, LIBRA, CAPRICORN)


def fixed(sign):
    return sign in (TAURUS, LEO, SCORPIO, AQUARIUS)


def nth(sign, n):
    """The n-th sign counted from `sign` (the sign itself is the 1st)."""
    return (sign + n - 1) % 12


def part(degree, count):
    return int(degree * count / 30.0)


def hora(s, d):
    first_half = d < 15.0
    return (LEO if first_half else CANCER) if odd(s) else (CANCER if first_half else LEO)


def drekkana(s, d):
    return nth(s, (1, 5, 9)[part(d, 3)])


def chaturthamsha(s, d):
    return nth(s, (1, 4, 7, 10)[part(d, 4)])


def saptamsha(s, d):
    start = s if odd(s) else nth(s, 7)
    return (start + part(d, 7)) % 12


def navamsha(s, d):
    start = s if movable(s) else nth(s, 9) if fixed(s) else nth(s, 5)
    return (start + part(d, 9)) % 12


def dashamsha(s, d):
    start = s if odd(s) else nth(s, 9)
    return (start + part(d, 10)) % 12


def dwadashamsha(s, d):
    return (s + part(d, 12)) % 12


def shodashamsha(s, d):
    start = ARIES if movable(s) else LEO if fixed(s) else SAGITTARIUS
    return (start + part(d, 16)) % 12


def vimshamsha(s, d):
    start = ARIES if movable(s) else SAGITTARIUS if fixed(s) else LEO
    return (start + part(d, 20)) % 12


def chaturvimshamsha(s, d):
    return ((LEO if odd(s) else CANCER) + part(d, 24)) % 12


def saptavimshamsha(s, d):
    element_start = {0: ARIES, 1: CANCER, 2: LIBRA, 3: CAPRICORN}  # fire, earth, air, water
    return (element_start[s % 4] + part(d, 27)) % 12


def trimshamsha(s, d):
    if odd(s):
        for end, sign in ((5, ARIES), (10, AQUARIUS), (18, SAGITTARIUS), (25, GEMINI), (30, LIBRA)):
            if d < end:
                return sign
        return LIBRA
    for end, sign in ((5, TAURUS), (12, VIRGO), (20, PISCES), (25, CAPRICORN), (30, SCORPIO)):
        if d < end:
            return sign
    return SCORPIO


def khavedamsha(s, d):
    return ((ARIES if odd(s) else LIBRA) + part(d, 40)) % 12


def akshavedamsha(s, d):
    start = ARIES if movable(s) else LEO if fixed(s) else SAGITTARIUS
    return (start + part(d, 45)) % 12


def shashtiamsha(s, d):
    return (s + part(d, 60)) % 12


VARGAS = {"d1": lambda s, d: s, "d2": hora, "d3": drekkana, "d4": chaturthamsha, "d7": saptamsha, "d9": navamsha,
          "d10": dashamsha, "d12": dwadashamsha, "d16": shodashamsha, "d20": vimshamsha, "d24": chaturvimshamsha,
          "d27": saptavimshamsha, "d30": trimshamsha, "d40": khavedamsha, "d45": akshavedamsha, "d60": shashtiamsha}


def varga_sign(longitude, varga):
    return VARGAS[varga](*split(longitude))


# Naisargika maitri: friends and enemies of each planet; the rest are neutral.
FRIENDS = {SUN: {MOON, MARS, JUPITER}, MOON: {SUN, MERCURY}, MARS: {SUN, MOON, JUPITER}, MERCURY: {SUN, VENUS},
           JUPITER: {SUN, MOON, MARS}, VENUS: {MERCURY, SATURN}, SATURN: {MERCURY, VENUS}}
ENEMIES = {SUN: {VENUS, SATURN}, MOON: set(), MARS: {MERCURY}, MERCURY: {MOON}, JUPITER: {MERCURY, VENUS},
           VENUS: {SUN, MOON}, SATURN: {SUN, MOON, MARS}}
# Exaltation sign; moolatrikona sign with its range of degrees.
EXALTATION = {SUN: ARIES, MOON: TAURUS, MARS: CAPRICORN, MERCURY: VIRGO, JUPITER: CANCER, VENUS: PISCES,
              SATURN: LIBRA}
MOOLATRIKONA = {SUN: (LEO, 0, 20), MOON: (TAURUS, 3, 30), MARS: (ARIES, 0, 12), MERCURY: (VIRGO, 15, 20),
                JUPITER: (SAGITTARIUS, 0, 10), VENUS: (LIBRA, 0, 15), SATURN: (AQUARIUS, 0, 20)}


def compound(planet, other, d1_signs):
    natural = 1 if other in FRIENDS[planet] else -1 if other in ENEMIES[planet] else 0
    distance = (d1_signs[other] - d1_signs[planet]) % 12 + 1
    temporal = 1 if distance in (2, 3, 4, 10, 11, 12) else -1
    return {2: "GreatFriend", 1: "Friend", 0: "Neutral", -1: "Enemy", -2: "GreatEnemy"}[natural + temporal]


def dignity(planet, varga, longitudes):
    d1_signs = [split(l)[0] for l in longitudes]
    s, d = split(longitudes[planet])
    sign = varga_sign(longitudes[planet], varga)
    mt_sign, mt_from, mt_to = MOOLATRIKONA[planet]
    debilitation = (EXALTATION[planet] + 6) % 12
    if varga == "d1":
        if sign == mt_sign and mt_from <= d < mt_to:
            return "Moolatrikona"
        if sign == EXALTATION[planet]:
            return "Own" if sign == mt_sign and d >= mt_to and LORD[sign] == planet else "Exalted"
        if sign == debilitation:
            return "Debilitated"
    else:
        if sign == EXALTATION[planet]:
            return "Exalted"
        if sign == debilitation:
            return "Debilitated"
        if sign == mt_sign:
            return "Moolatrikona"
    if LORD[sign] == planet:
        return "Own"
    return compound(planet, LORD[sign], d1_signs)


POINTS = {"Exalted": 20, "Moolatrikona": 20, "Own": 20, "GreatFriend": 18, "Friend": 15, "Neutral": 10, "Enemy": 7,
          "GreatEnemy": 5, "Debilitated": 5}
WEIGHTS = {
    "shadvarga": {"d1": 6, "d2": 2, "d3": 4, "d9": 5, "d12": 2, "d30": 1},
    "saptavarga": {"d1": 5, "d2": 2, "d3": 3, "d7": 2.5, "d9": 4.5, "d12": 2, "d30": 1},
    "dashavarga": {"d1": 3, "d2": 1.5, "d3": 1.5, "d7": 1.5, "d9": 1.5, "d10": 1.5, "d12": 1.5, "d16": 1.5,
                   "d30": 1.5, "d60": 5},
    "shodashavarga": {"d1": 3.5, "d2": 1, "d3": 1, "d4": 0.5, "d7": 0.5, "d9": 3, "d10": 0.5, "d12": 0.5, "d16": 2,
                      "d20": 0.5, "d24": 0.5, "d27": 0.5, "d30": 1, "d40": 0.5, "d45": 0.5, "d60": 4},
}


def vimshopaka(planet, group, longitudes):
    return sum(weight * POINTS[dignity(planet, varga, longitudes)] / 20 for varga, weight in WEIGHTS[group].items())


SPECIAL_SIGHT = {MARS: (4, 8), JUPITER: (5, 9), SATURN: (3, 10)}


def graha_drishti(graha, sign):
    """Signs aspected, in the order of the count from the graha's sign."""
    return sorted((nth(sign, n) for n in (7, *SPECIAL_SIGHT.get(graha, ()))), key=lambda t: (t - sign) % 12)


def rashi_drishti(sign):
    def neighbours(a, b):
        return (a - b) % 12 in (1, 11)
    if movable(sign):
        targets = [t for t in range(12) if fixed(t) and not neighbours(t, sign)]
    elif fixed(sign):
        targets = [t for t in range(12) if movable(t) and not neighbours(t, sign)]
    else:
        targets = [t for t in range(12) if not movable(t) and not fixed(t) and t != sign]
    return sorted(targets, key=lambda t: (t - sign) % 12)


def karakas(longitudes, eight=False):
    """Graha names, Atmakaraka first."""
    def key(g):
        d = split(longitudes[g])[1]
        return (30.0 - d if g == RAHU else d, normalized(longitudes[g]))
    grahas = list(range(8 if eight else 7))
    return [GRAHAS[g] for g in sorted(grahas, key=key, reverse=True)]


def stronger_of(sign, longitudes):
    """The lord a Jaimini count goes to: Scorpio and Aquarius choose between Mars/Ketu and Saturn/Rahu."""
    signs = [split(l)[0] for l in longitudes]
    if sign not in (SCORPIO, AQUARIUS):
        return LORD[sign]
    a, b = (MARS, KETU) if sign == SCORPIO else (SATURN, RAHU)
    if (signs[a] == sign) != (signs[b] == sign):
        return b if signs[a] == sign else a
    if signs[a] == sign:
        return a
    company = [sum(1 for g in range(9) if g != p and signs[g] == signs[p]) for p in (a, b)]
    if company[0] != company[1]:
        return a if company[0] > company[1] else b
    return b if split(longitudes[b])[1] > split(longitudes[a])[1] else a


def arudhas(longitudes, lagna):
    signs = [split(l)[0] for l in longitudes]
    first = split(lagna)[0]
    padas = []
    for house in range(12):
        sign = (first + house) % 12
        lord_sign = signs[stronger_of(sign, longitudes)]
        count = (lord_sign - sign) % 12 + 1
        pada = nth(lord_sign, count)
        if pada in (sign, nth(sign, 7)):
            pada = nth(pada, 10)
        padas.append(pada)
    return padas


def special_lagnas(sun_at_sunrise, minutes_since_sunrise):
    """Bhava, Hora and Ghati lagna: 30° for every 5, 2.5 and 1 ghati (24 minutes) since sunrise."""
    ghatis = minutes_since_sunrise / 24.0
    return tuple(normalized(sun_at_sunrise + 30.0 * ghatis / per) for per in (5.0, 2.5, 1.0))


WEEKDAY_LORDS = (SUN, MOON, MARS, MERCURY, JUPITER, VENUS, SATURN)  # Sunday .. Saturday


def saturn_eighth(start, end, weekday, night):
    """(start, middle) of Saturn's eighth of [start, end): eighths in weekday order from the day's lord, at night
    from the lord of the fifth day from it."""
    first = (weekday + 4) % 7 if night else weekday
    lords = [WEEKDAY_LORDS[(first + k) % 7] for k in range(7)]
    k = lords.index(SATURN)
    eighth = (end - start) / 8
    return start + k * eighth, start + (k + 0.5) * eighth


def sun_upagrahas(sun):
    dhuma = normalized(sun + 133 + 20 / 60)
    vyatipata = normalized(360 - dhuma)
    parivesha = normalized(vyatipata + 180)
    indrachapa = normalized(360 - parivesha)
    return dhuma, vyatipata, parivesha, indrachapa, normalized(indrachapa + 16 + 40 / 60)
