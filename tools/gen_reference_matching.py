"""Writes tests/data/matching_pairs.json: the ashtakoota and porutham scores, doshas and cancellations of every pair of
Moon places, from the matching rules stated here in plain Python by the classical lists of names (not the core's
tables). A place is (nakshatra 0..26, pada 1..4, second half of the sign), with a longitude inside it.
Usage: python3 tools/gen_reference_matching.py (standard library only)
"""
import itertools
import json
import pathlib

OUTPUT = pathlib.Path(__file__).resolve().parents[1] / "tests" / "data" / "matching_pairs.json"
NAKSHATRAS = ("Ashwini Bharani Krittika Rohini Mrigashira Ardra Punarvasu Pushya Ashlesha Magha PurvaPhalguni "
              "UttaraPhalguni Hasta Chitra Swati Vishakha Anuradha Jyeshtha Moola PurvaAshadha UttaraAshadha "
              "Shravana Dhanishta Shatabhisha PurvaBhadrapada UttaraBhadrapada Revati").split()
SIGNS = "Aries Taurus Gemini Cancer Leo Virgo Libra Scorpio Sagittarius Capricorn Aquarius Pisces".split()


def members(text):
    return [NAKSHATRAS.index(name) for name in text.split()]


def sign(nakshatra, pada):
    return (nakshatra * 4 + pada - 1) // 9


ELEMENT_VARNA = {"fire": 2, "earth": 1, "air": 0, "water": 3}  # Kshatriya, Vaishya, Shudra, Brahmin ranks
ELEMENTS = ("fire", "earth", "air", "water")


def vashya_class(s, second_half):
    name = SIGNS[s]
    if name == "Sagittarius":
        return "chatushpada" if second_half else "manava"
    if name == "Capricorn":
        return "jalachara" if second_half else "chatushpada"
    return {"Aries": "chatushpada", "Taurus": "chatushpada", "Gemini": "manava", "Virgo": "manava",
            "Libra": "manava", "Aquarius": "manava", "Cancer": "jalachara", "Pisces": "jalachara",
            "Leo": "vanachara", "Scorpio": "keeta"}[name]


# Rows the boy's class: (chatushpada, manava, jalachara, vanachara, keeta) for the girl.
VASHYA = {"chatushpada": (2, 1, 1, 0.5, 1), "manava": (0, 2, 0.5, 0, 1), "jalachara": (1, 0.5, 2, 1, 1),
          "vanachara": (0.5, 0, 1, 2, 0), "keeta": (1, 1, 1, 0, 2)}
VASHYA_ORDER = ("chatushpada", "manava", "jalachara", "vanachara", "keeta")

YONI = {"horse": "Ashwini Shatabhisha", "elephant": "Bharani Revati", "sheep": "Krittika Pushya",
        "serpent": "Rohini Mrigashira", "dog": "Ardra Moola", "cat": "Punarvasu Ashlesha",
        "rat": "Magha PurvaPhalguni", "cow": "UttaraPhalguni UttaraBhadrapada", "buffalo": "Hasta Swati",
        "tiger": "Chitra Vishakha", "deer": "Anuradha Jyeshtha", "monkey": "PurvaAshadha Shravana",
        "mongoose": "UttaraAshadha", "lion": "Dhanishta PurvaBhadrapada"}
YONI_OF = {n: animal for animal, names in YONI.items() for n in members(names)}
SWORN = {frozenset(p) for p in [("horse", "buffalo"), ("elephant", "lion"), ("sheep", "monkey"),
                                ("serpent", "mongoose"), ("dog", "deer"), ("cat", "rat"), ("cow", "tiger")]}
FRIENDLY = {frozenset(p) for p in [("horse", "serpent"), ("horse", "deer"), ("horse", "monkey"),
                                   ("elephant", "sheep"), ("elephant", "serpent"), ("elephant", "buffalo"),
                                   ("elephant", "monkey"), ("sheep", "cow"), ("sheep", "buffalo"),
                                   ("sheep", "mongoose"), ("cat", "deer"), ("cat", "monkey"), ("cow", "buffalo"),
                                   ("cow", "deer"), ("monkey", "mongoose")]}
UNFRIENDLY = {frozenset(p) for p in [("horse", "cow"), ("horse", "tiger"), ("horse", "lion"), ("elephant", "tiger"),
                                     ("sheep", "dog"), ("sheep", "rat"), ("sheep", "tiger"), ("sheep", "lion"),
                                     ("serpent", "cat"), ("serpent", "rat"), ("serpent", "cow"),
                                     ("serpent", "buffalo"), ("dog", "rat"), ("dog", "tiger"), ("dog", "mongoose"),
                                     ("dog", "lion"), ("cat", "tiger"), ("cat", "lion"), ("rat", "mongoose"),
                                     ("cow", "lion"), ("buffalo", "tiger"), ("buffalo", "lion"), ("tiger", "deer"),
                                     ("tiger", "monkey"), ("tiger", "lion"), ("deer", "lion")]}


def yoni_points(a, b):
    pair = frozenset((a, b))
    return 4 if a == b else 0 if pair in SWORN else 3 if pair in FRIENDLY else 1 if pair in UNFRIENDLY else 2


LORD = ["Mars", "Venus", "Mercury", "Moon", "Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Saturn",
        "Jupiter"]
# BPHS ch. 3: friends and enemies of each planet (the rest neutral).
NATURAL = {"Sun": ("Moon Mars Jupiter", "Venus Saturn"), "Moon": ("Sun Mercury", ""),
           "Mars": ("Sun Moon Jupiter", "Mercury"), "Mercury": ("Sun Venus", "Moon"),
           "Jupiter": ("Sun Moon Mars", "Mercury Venus"), "Venus": ("Mercury Saturn", "Sun Moon"),
           "Saturn": ("Mercury Venus", "Sun Moon Mars")}


def view(of, towards):
    friends, enemies = NATURAL[of]
    return "F" if towards in friends.split() else "E" if towards in enemies.split() else "N"


def maitri(a, b):
    if a == b:
        return 5
    return {"FF": 5, "FN": 4, "NN": 3, "EF": 1, "EN": 0.5, "EE": 0}["".join(sorted(view(a, b) + view(b, a)))]


GANA = {"deva": members("Ashwini Mrigashira Punarvasu Pushya Hasta Swati Anuradha Shravana Revati"),
        "manushya": members("Bharani Rohini Ardra PurvaPhalguni UttaraPhalguni PurvaAshadha UttaraAshadha "
                            "PurvaBhadrapada UttaraBhadrapada"),
        "rakshasa": members("Krittika Ashlesha Magha Chitra Vishakha Jyeshtha Moola Dhanishta Shatabhisha")}
GANA_OF = {n: g for g, ns in GANA.items() for n in ns}
GANA_POINTS = {("deva", "deva"): 6, ("deva", "manushya"): 6, ("deva", "rakshasa"): 1, ("manushya", "deva"): 5,
               ("manushya", "manushya"): 6, ("manushya", "rakshasa"): 0, ("rakshasa", "deva"): 1,
               ("rakshasa", "manushya"): 0, ("rakshasa", "rakshasa"): 6}


def nadi(n):  # Adi, Madhya, Antya zig-zag 0 1 2 2 1 0 from Ashwini
    return (0, 1, 2, 2, 1, 0)[n % 6]


def count(frm, to, size):
    return (to - frm) % size + 1


def good_tara(c):
    return (c - 1) % 9 + 1 not in (3, 5, 7)


def ashtakoota(boy, girl):
    (bn, bp, bh), (gn, gp, gh) = boy, girl
    bs, gs = sign(bn, bp), sign(gn, gp)
    sign_count = count(gs, bs, 12)
    return {
        "Varna": 1.0 if ELEMENT_VARNA[ELEMENTS[bs % 4]] >= ELEMENT_VARNA[ELEMENTS[gs % 4]] else 0.0,
        "Vashya": VASHYA[vashya_class(bs, bh)][VASHYA_ORDER.index(vashya_class(gs, gh))],
        "Tara": 1.5 * good_tara(count(gn, bn, 27)) + 1.5 * good_tara(count(bn, gn, 27)),
        "Yoni": yoni_points(YONI_OF[bn], YONI_OF[gn]),
        "Graha Maitri": maitri(LORD[bs], LORD[gs]),
        "Gana": GANA_POINTS[GANA_OF[bn], GANA_OF[gn]],
        "Bhakoota": 0 if sign_count in (2, 12, 5, 9, 6, 8) else 7,
        "Nadi": 0 if nadi(bn) == nadi(gn) else 8,
    }


def cancellations(boy, girl):
    """Names of the cancellations of each dosha the pair raises."""
    (bn, bp, _), (gn, gp, _) = boy, girl
    bs, gs = sign(bn, bp), sign(gn, gp)
    scores = ashtakoota(boy, girl)
    friends = maitri(LORD[bs], LORD[gs]) == 5
    navamsha = [LORD[(n * 4 + p - 1) % 12] for n, p in ((bn, bp), (gn, gp))]
    out = {}
    if scores["Nadi"] == 0:
        out["Nadi"] = [name for name, holds in [
            ("same sign", bs == gs and bn != gn), ("same nakshatra, different signs", bn == gn and bs != gs),
            ("same nakshatra, different padas", bn == gn and bp != gp), ("sign lords friends", friends)] if holds]
    if scores["Bhakoota"] == 0:
        out["Bhakoota"] = [name for name, holds in [
            ("same sign lord", LORD[bs] == LORD[gs]), ("sign lords friends", friends and LORD[bs] != LORD[gs]),
            ("navamsha lords friends", maitri(*navamsha) == 5)] if holds]
    return out


RAJJU = "Pada Kati Nabhi Kantha Siro Kantha Nabhi Kati Pada".split()
VEDHA = [frozenset(members(p)) for p in ["Ashwini Jyeshtha", "Bharani Anuradha", "Krittika Vishakha",
                                         "Rohini Swati", "Ardra Shravana", "Punarvasu UttaraAshadha",
                                         "Pushya PurvaAshadha", "Ashlesha Moola", "Magha Revati",
                                         "PurvaPhalguni UttaraBhadrapada", "UttaraPhalguni PurvaBhadrapada",
                                         "Hasta Shatabhisha", "Mrigashira Chitra", "Chitra Dhanishta",
                                         "Mrigashira Dhanishta"]]
VASYA_SIGNS = {"Aries": "Leo Scorpio", "Taurus": "Cancer Libra", "Gemini": "Virgo", "Cancer": "Scorpio Sagittarius",
               "Leo": "Libra", "Virgo": "Gemini Pisces", "Libra": "Virgo Capricorn", "Scorpio": "Cancer",
               "Sagittarius": "Pisces", "Capricorn": "Aries Aquarius", "Aquarius": "Aries", "Pisces": "Capricorn"}


def porutham(boy, girl):
    (bn, bp, _), (gn, gp, _) = boy, girl
    bs, gs = sign(bn, bp), sign(gn, gp)
    c, sc = count(gn, bn, 27), count(gs, bs, 12)
    ganas = {GANA_OF[bn], GANA_OF[gn]}
    vasya = SIGNS[bs] in VASYA_SIGNS[SIGNS[gs]].split() or SIGNS[gs] in VASYA_SIGNS[SIGNS[bs]].split()
    return {"Dina": c % 9 in (0, 2, 4, 6, 8), "Gana": len(ganas) == 1 or "rakshasa" not in ganas,
            "Mahendra": c in (4, 7, 10, 13, 16, 19, 22, 25), "Stree Deergha": c > 13,
            "Yoni": frozenset((YONI_OF[bn], YONI_OF[gn])) not in SWORN, "Rasi": sc == 1 or sc in (7, 9, 10, 11, 12),
            "Rasyadhipati": maitri(LORD[bs], LORD[gs]) >= 3, "Vasya": vasya,
            "Rajju": RAJJU[bn % 9] != RAJJU[gn % 9], "Vedha": frozenset((bn, gn)) not in VEDHA}


def places():
    """Every place a Moon can hold and a longitude there: two per pada (15° of a sign splits two padas)."""
    span = 40.0 / 3.0
    found = {}
    for nakshatra, pada in itertools.product(range(27), range(1, 5)):
        for offset in (0.4, 2.9):
            longitude = round(nakshatra * span + (pada - 1) * span / 4 + offset, 6)
            found.setdefault((nakshatra, pada, longitude % 30 >= 15), longitude)
    return list(found.items())


DIGITS = "0123456789abcdefghijklmnopqrstuvwxyz"
CANCELLATIONS = {"Nadi": ("same sign", "same nakshatra, different signs", "same nakshatra, different padas",
                          "sign lords friends"),
                 "Bhakoota": ("same sign lord", "sign lords friends", "navamsha lords friends")}


def pair_code(boy, girl):
    """One pair in 13 characters: the eight kootas in half points (a base-36 digit each), the cancellations of nadi
    and bhakoota dosha (bit k: the kth of CANCELLATIONS; a digit each), and the ten poruthams (bits, 3 hex digits)."""
    scores = ashtakoota(boy, girl)
    kootas = "".join(DIGITS[int(2 * value)] for value in scores.values())
    cancelled = cancellations(boy, girl)
    bits = [sum(1 << CANCELLATIONS[d].index(n) for n in cancelled.get(d, ())) for d in ("Nadi", "Bhakoota")]
    poruthams = sum(1 << k for k, agrees in enumerate(porutham(boy, girl).values()) if agrees)
    return kootas + "".join(DIGITS[b] for b in bits) + f"{poruthams:03x}"


def main():
    moons = places()
    table = {"ashtakoota": list(ashtakoota(moons[0][0], moons[0][0])),
             "porutham": list(porutham(moons[0][0], moons[0][0])),
             "cancellations": CANCELLATIONS,
             "places": [[*place, longitude] for place, longitude in moons],
             "pairs": ["".join(pair_code(boy, girl) for girl, _ in moons) for boy, _ in moons]}
    OUTPUT.write_text(json.dumps(table, indent=0) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
