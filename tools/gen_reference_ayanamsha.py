"""Writes tests/data/ayanamsha_reference.json, the references of the ayanamsha systems:
  "classical": each system of the classical table (stated here: index order, value at J2000.0 before the constant
               term of the IAU 2006 psi-bar polynomial, also stated here) with its value at two Julian Days;
  "names": texts as a caller types them (every text form in several cases and with blanks, '_' and '-', the further
           names "kp" and "chitrapaksha", and texts that name no system) with the system each selects, or null;
  "published": the Swiss Ephemeris' mean ayanamshas (pyswisseph, `get_ayanamsa_ex_ut` with FLG_NONUT) of the systems
               defined as their authors published them, on the first of January of every fifth year of 1000-2999
               and at 100 seeded instants between;
  "births": in the row format of tests/data/sidereal_reference.json, Lahiri sidereal positions of the Sun to Saturn
            (Moshier ephemeris, apparent, true ayanamsha) for 60 seeded births of 2050-2100, the years that table
            leaves out.
Usage: .venv/bin/python tools/gen_reference_ayanamsha.py (with the `reference` extra installed)
"""

import json
import random

import swisseph as swe

from gen_reference_sidereal import births, reference_row
from table_source import write_source

OUTPUT = "tests/data/ayanamsha_reference.json"
CLASSICAL = """Lahiri 23.856 Raman 22.375 Krishnamurti 23.763 FaganBradley 24.736 Yukteshwar 22.461 JnBhasin 22.762
DjwhalKhul 22.177 Aldebaran15Tau 24.763 Hipparchos 20.248 GalacticCenter0Sag 26.852 TrueChitrapaksha 23.841
Tropical 0 DeLuce 27.816 BvRamanMean 22.374 UshaShashi 23.399 Krishnamurti2 23.793 SuryaSiddhanta 22.46
SuryaSiddhantaMean 21.617 Aryabhata 20.895 Aryabhata528 20.657 SsDrevJul 21.966 SsCitra 23.006 TruePushya 22.721
TrueRevati 20.103 TrueMula 24.586 SundaraRajan 23.63 BabylonianHuber 24.734 BabylonianEtpsc 24.522
BabylonianKuglerStar1 25.017 BabylonianKuglerStar2 24.95 BabylonianKuglerStar3 22.721 Sassanian 19.993
GalacticCenterBrand 25.133 GalacticCenterGalAlign 25.033 GalacticEquatorIau1958 24.8 GalacticEquatorTrue 25.017
GalacticEquatorMidMula 25.25 Skydram 24.767 TrueMoonsNode 24.73 Lahiri1940 23.03 LahiriVp285 23.856 ValensMoon 24.433
AyanamshaOfDate 23.856 DjwhalKhulTibetan2 22.46""".split()
BASES = dict(zip(CLASSICAL[0::2], map(float, CLASSICAL[1::2])))  # Tropical: 0 at every date
DATES = (2415020.5, 2488070.25)
PUBLISHED = {"LahiriIcrc": swe.SIDM_LAHIRI, "Krishnamurti1900": swe.SIDM_KRISHNAMURTI, "Raman1900": swe.SIDM_RAMAN}
FURTHER = {"kp": "Krishnamurti", "KP": "Krishnamurti", "chitrapaksha": "Lahiri", "Chitra-Paksha": "Lahiri"}
NO_SYSTEM = [" Lahiri", "Lahiri ", " ", "Lahiri\t", "Lahiri\u00a0", "", "-", "Lahari", "Lahiri2", "kp2",
             "fagan.bradley", "Chitra Paksha Lahiri", "Lahiri\0", "LAH\u0130R\u0130", "Tropical\u200b", "Yukteswar"]
SEED, INSTANTS = 1956, 100
BIRTH_SEED, BIRTHS, YEARS = 2100, 60, (2050, 2100)


def psi_bar_degrees(jd):
    t = (jd - 2451545.0) / 36525.0
    return (-0.041775 + 5038.481484 * t + 1.5584175 * t**2 - 0.00018522 * t**3 - 0.000026452 * t**4
            - 0.0000000148 * t**5) / 3600.0


def variants(name):
    """The name as a caller types it: lower and upper case, and blanks, '_' and '-' between its letters."""
    middle = len(name) // 2
    return [name, name.lower(), name.upper(), f"{name[:middle]} {name[middle:]}", f"{name[:middle]}_{name[middle:]}",
            f"{name[:1]}-{name[1:middle]}--{name[middle:]}", f"{name[:middle]} _-{name[middle:].swapcase()}"]


def instants():
    first, last = swe.julday(1000, 1, 1, 0.0, swe.GREG_CAL), swe.julday(2999, 12, 31, 0.0, swe.GREG_CAL)
    draw = random.Random(SEED)
    every_fifth_year = [swe.julday(year, 1, 1, 0.0, swe.GREG_CAL) for year in range(1000, 3000, 5)]
    return sorted(every_fifth_year + [draw.uniform(first, last) for _ in range(INSTANTS)])


def mean_ayanamshas(mode):
    swe.set_sid_mode(mode)
    return [[jd, swe.get_ayanamsa_ex_ut(jd, swe.FLG_NONUT)[1]] for jd in instants()]


def render():
    classical = {name: [[jd, base and base + psi_bar_degrees(jd)] for jd in DATES] for name, base in BASES.items()}
    names = [[text, name] for name in [*BASES, *PUBLISHED] for text in variants(name)]
    names += [[text, name] for text, name in FURTHER.items()] + [[text, None] for text in NO_SYSTEM]
    published = {name: {"mode": swe.get_ayanamsa_name(mode), "rows": mean_ayanamshas(mode)}
                 for name, mode in PUBLISHED.items()}
    swe.set_sid_mode(swe.SIDM_LAHIRI)
    rows = ",\n  ".join(json.dumps(reference_row(birth)) for birth in births(BIRTH_SEED, BIRTHS, YEARS))
    return ('{"generator": "tools/gen_reference_ayanamsha.py",\n'
            ' "reference": "pyswisseph %s: mean ayanamshas; Moshier ephemeris, SIDM_LAHIRI",\n'
            ' "classical": %s,\n "names": %s,\n "published": %s,\n "births": [\n  %s\n]}\n'
            % (swe.version, json.dumps(classical), json.dumps(names), json.dumps(published), rows))


if __name__ == "__main__":
    write_source(OUTPUT, render())
