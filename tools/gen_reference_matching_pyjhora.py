"""Writes tests/data/matching_pyjhora.json: pyjhora's North Indian ashtakoota scores (jhora.horoscope.match.
compatibility.Ashtakoota, method "North") of every pair of nakshatra padas, boy and girl.

pyjhora takes only the nakshatra and pada, so its vashya (by pada) is not stored; its varna swaps the earth and air
signs (a known fault) but is stored, to show the difference. Run with the reference libraries installed
(pip install .[reference]):  python tools/gen_reference_matching_pyjhora.py
"""
import itertools
import json
import pathlib
from importlib import metadata

from jhora.horoscope.match.compatibility import Ashtakoota

OUTPUT = pathlib.Path(__file__).resolve().parents[1] / "tests" / "data" / "matching_pyjhora.json"
KOOTAS = {"Varna": "varna_porutham", "Tara": "nakshathra_porutham", "Yoni": "yoni_porutham",
          "Graha Maitri": "raasi_adhipathi_porutham", "Gana": "gana_porutham", "Bhakoota": "raasi_porutham",
          "Nadi": "naadi_porutham"}
DIGITS = "0123456789abcdefghijklmnopqrstuvwxyz"
PADAS = list(itertools.product(range(27), range(1, 5)))


def pair(boy, girl):
    """The seven scores in half points, a base-36 digit each."""
    match = Ashtakoota(boy[0] + 1, boy[1], girl[0] + 1, girl[1])
    return "".join(DIGITS[int(2 * getattr(match, method)()[0])] for method in KOOTAS.values())


def main():
    table = {"pyjhora": metadata.version("pyjhora"), "kootas": list(KOOTAS), "padas": PADAS,
             "pairs": ["".join(pair(boy, girl) for girl in PADAS) for boy in PADAS]}
    OUTPUT.write_text(json.dumps(table, indent=0) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
