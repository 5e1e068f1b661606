"""Measures where the dasha systems agree with pyjhora's, over the births of tests/data/dasha/systems_reference.json
(both under Lahiri; Rahu the true node, pyjhora's default):

- every nakshatra dasha: the births whose maha dasha lords are pyjhora's, in order, and whose classical condition
  (`applicable`) is the one pyjhora's applicability_check reports (it has none for Shodashottari, Shattrimsha Sama);
- Chara dasha against pyjhora's K.N. Rao method: the births whose twelve signs run in the same order, and every sign
  whose years differ, put down to the rule pyjhora adds (a year for an exalted lord, one less for a debilitated
  one), to Scorpio's and Aquarius' two lords, or to neither.

Differences kept: pyjhora groups Shashtihayani's stars over 27 (Saturn Shravana..Shatabhisha, Rahu three), where the
alternation of 3 and 4 stars needs the 28 with Abhijit (Saturn from Abhijit, Rahu Shatabhisha..Revati), so a Moon in
Abhijit's span or in Shatabhisha has another first lord there; in Chara dasha pyjhora adds a year for an exalted lord
and takes one for a debilitated one, which K.N. Rao rejects, and chooses Scorpio's and Aquarius' lord its own way.

Prints the figures; nothing is stored. pyjhora takes about a second a call, so the first N births only:
    .venv/bin/python tools/compare_dasha_peer.py [N]     (the `reference` extra installed; N defaults to 20)
"""
import contextlib
import importlib
import importlib.metadata
import io
import json
import pathlib
import struct
import sys

import swisseph as swe

import zentaric

ROOT = pathlib.Path(__file__).resolve().parents[1]
with contextlib.redirect_stdout(io.StringIO()):  # pyjhora prints on import
    from jhora import const
    from jhora.horoscope.dhasa.graha import applicability
    from jhora.horoscope.dhasa.raasi import chara
    from jhora.panchanga import drik

RECORD = struct.Struct("=ddIBBxx")
GRAHAS = ("Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn", "Rahu", "Ketu")
SIGNS = ("Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius", "Capricorn",
         "Aquarius", "Pisces")
# Our system: pyjhora's module and the name its applicability_check gives (None: it has no check).
PEER = {"vimshottari": ("vimsottari", None), "ashtottari": ("ashtottari", "ashtottari"),
        "yogini": ("yogini", None), "shodashottari": ("shodasottari", None),
        "dwadashottari": ("dwadasottari", "dwadasottari"), "panchottari": ("panchottari", "panchottari"),
        "shatabdika": ("sataatbika", "satabdika"), "chaturashiti_sama": ("chathuraaseethi_sama", "chaturaaseeti_sama"),
        "dwisaptati_sama": ("dwisatpathi", "dwisatpathi"), "shashtihayani": ("shastihayani", "shashtisama"),
        "shattrimsha_sama": ("shattrimsa_sama", None)}
EXALTED_IN = {"Sun": 0, "Moon": 1, "Mars": 9, "Mercury": 5, "Jupiter": 3, "Venus": 11, "Saturn": 6}
SIGN_LORDS = (("Mars",), ("Venus",), ("Mercury",), ("Moon",), ("Sun",), ("Mercury",), ("Venus",), ("Mars", "Ketu"),
              ("Jupiter",), ("Saturn",), ("Saturn", "Rahu"), ("Jupiter",))


def ours(case, system):
    result = zentaric.compute_dasha_periods(*case["utc"], case["latitude"], case["longitude"], system, 1, "julian",
                                            "Lahiri", 0.0, "true")
    records = [RECORD.unpack_from(result["periods"], k) for k in range(0, len(result["periods"]), RECORD.size)]
    return result, [(result["lords"][position], end - start) for start, end, _, position, _ in records]


def peer_call(function, case, *arguments, **options):
    year, month, day, hour, minute = case["utc"]
    place = drik.Place("birth", case["latitude"], case["longitude"], 0.0)
    with contextlib.redirect_stdout(io.StringIO()):
        return function(drik.Date(year, month, day), (hour, minute, 0), place, *arguments, **options)


def peer_lords(system, case):
    module = importlib.import_module("jhora.horoscope.dhasa.graha." + PEER[system][0])
    only = const.MAHA_DHASA_DEPTH.MAHA_DHASA_ONLY
    if system in ("vimshottari", "ashtottari"):  # these two take a Julian Day
        year, month, day, hour, minute = case["utc"]
        function = module.get_vimsottari_dhasa_bhukthi if system == "vimshottari" else \
            module.get_ashtottari_dhasa_bhukthi
        with contextlib.redirect_stdout(io.StringIO()):
            rows = function(swe.julday(year, month, day, hour + minute / 60.0),
                            drik.Place("birth", case["latitude"], case["longitude"], 0.0), dhasa_level_index=only)
        rows = rows[1] if system == "vimshottari" else rows
    else:
        rows = peer_call(module.get_dhasa_bhukthi, case, dhasa_level_index=only)
    return [GRAHAS[row[0][0]] for row in rows]


def chara_differences(case, grahas):
    """(sign, ours, pyjhora's, cause) of each Chara sign of the first cycle whose years differ."""
    _, mine = ours(case, "chara")
    rows = peer_call(chara.get_dhasa_antardhasa, case, chara_method=const.CHARA_TYPE.KN_RAO,
                     dhasa_level_index=const.MAHA_DHASA_DEPTH.MAHA_DHASA_ONLY)
    theirs = [(SIGNS[row[0][0] if isinstance(row[0], (tuple, list)) else row[0]], round(row[2])) for row in rows[:12]]
    found = []
    for (sign, days), (peer_sign, peer_years) in zip(mine[:12], theirs):
        years = round(days / 365.25)
        if sign != peer_sign:
            return None  # another order
        if years == peer_years:
            continue
        index = SIGNS.index(sign)
        forward = sign in ("Aries", "Taurus", "Gemini", "Libra", "Scorpio", "Sagittarius")
        counted_to = index if years == 12 else (index + years) % 12 if forward else (index - years) % 12
        lords = [lord for lord in SIGN_LORDS[index] if int(grahas[lord] // 30) == counted_to]
        lord = lords[0] if lords else None
        step = 0
        if lord in EXALTED_IN:
            step = 1 if counted_to == EXALTED_IN[lord] else -1 if counted_to == (EXALTED_IN[lord] + 6) % 12 else 0
        if step and peer_years - years == step:
            cause = "exalted or debilitated lord"
        elif len(SIGN_LORDS[index]) == 2:
            cause = "Scorpio or Aquarius: " + ("a node lord's year" if lord in ("Rahu", "Ketu") and
                                               abs(peer_years - years) == 1 else "the other lord")
        else:
            cause = "neither"
        found.append((sign, years, peer_years, cause))
    return found


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    births = json.loads((ROOT / "tests" / "data" / "dasha" / "systems_reference.json").read_text())["births"][:count]
    drik.set_ayanamsa_mode("LAHIRI")
    print(f"{len(births)} births, Lahiri, Rahu the true node; pyjhora {importlib.metadata.version('pyjhora')}")
    applicable_by_peer = [peer_call(applicability.applicability_check, case) for case in births]
    for system, (_, peer_name) in PEER.items():
        lords_agree = conditions_agree = 0
        for case, peer_applicable in zip(births, applicable_by_peer):
            result, mine = ours(case, system)
            theirs = peer_lords(system, case)
            length = min(len(mine), len(theirs))
            lords_agree += [lord for lord, _ in mine[:length]] == theirs[:length]
            conditions_agree += peer_name is not None and result["applicable"] == (peer_name in peer_applicable)
        conditions = f"condition agrees {conditions_agree}/{len(births)}" if peer_name else "no peer condition"
        print(f"  {system:18s} maha lords agree {lords_agree}/{len(births)}   {conditions}", flush=True)
    causes, orders = {}, 0
    for case in births:
        chart = json.loads(zentaric.compute_natal_chart(*case["utc"], case["latitude"], case["longitude"]))
        places = {planet["name"]: planet["longitude"] for planet in chart["planets"]}
        grahas = {name: places[name] for name in GRAHAS[:7]}
        grahas["Rahu"] = places["TrueNode"]
        grahas["Ketu"] = (places["TrueNode"] + 180.0) % 360.0
        found = chara_differences(case, grahas)
        if found is None:
            continue
        orders += 1
        for sign, years, peer_years, cause in found:
            causes.setdefault(cause, []).append(f"{sign} {years}/{peer_years}")
    print(f"  chara (K.N. Rao): the signs' order agrees {orders}/{len(births)}; of their {12 * orders} periods, "
          f"{12 * orders - sum(map(len, causes.values()))} have pyjhora's years; the others (ours/pyjhora's):")
    for cause, signs in sorted(causes.items()):
        print(f"    {cause}: {len(signs)} ({', '.join(signs[:6])}{', ...' if len(signs) > 6 else ''})")


if __name__ == "__main__":
    main()
