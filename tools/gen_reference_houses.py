"""Reference house cusps from the Swiss Ephemeris (pyswisseph `houses_armc`).

Usage:
  gen_reference_houses.py            writes tests/data/houses_swisseph.json (outside the polar circle) and
                                     tests/data/houses_polar_swisseph.json (a subset of the polar grid)
  gen_reference_houses.py --measure  compares zentaric.compute_houses with the Swiss Ephemeris over the whole
                                     polar grid and prints the largest difference per house system

Outside the polar circle: RAMC every 15 degrees, latitudes -65 to 65 every 6.5 and +-66.5, the obliquity
alternating between 23.44 and 24 degrees (points inside the polar circle left out), all ten systems with their own
letters. The polar grid: latitudes 66.6 to 89.9 degrees in steps of 0.1 in both hemispheres, RAMC every 2.5
degrees, obliquities 22 to 24.5 degrees. The stored subset keeps every RAMC at ten latitudes, the obliquity cycling over
three values. Placidus and Koch have no polar reference of their own (the Swiss Ephemeris refuses them there);
they are compared with the Equal houses they fall back to.
"""

import json
import os
import sys

import swisseph

from table_source import REPO_ROOT

OUTPUT = os.path.join("tests", "data", "houses_polar_swisseph.json")
TEMPERATE_OUTPUT = os.path.join("tests", "data", "houses_swisseph.json")
# The eight systems the Swiss Ephemeris computes inside the polar circle, with its house-system letters.
LETTERS = {"Equal": b"A", "WholeSign": b"W", "Campanus": b"C", "Regiomontanus": b"R", "Porphyry": b"O",
           "Morinus": b"M", "Alcabitius": b"B", "Sripathi": b"S"}
FALLBACK_REFERENCE = {"Placidus": "Equal", "Koch": "Equal"}
ALL_LETTERS = {"Placidus": b"P", "Koch": b"K", **LETTERS}
TEMPERATE_RAMCS = [15.0 * i for i in range(24)]
TEMPERATE_LATITUDES = [round(-65.0 + 6.5 * i, 1) for i in range(21)] + [-66.5, 66.5]
RAMCS = [2.5 * i for i in range(144)]
GRID_LATITUDES = [round(66.6 + 0.1 * i, 1) for i in range(234)]
GRID_OBLIQUITIES = [22.0, 22.5, 23.0, 23.44, 23.5, 24.0, 24.5]
STORED_LATITUDES = [66.6, 69.65, 74.0, 81.0, 89.9]
STORED_OBLIQUITIES = [22.0, 23.44, 24.5]


def reference(ramc, latitude, obliquity, system):
    """[asc, mc, cusp 1, ..., cusp 12] of the Swiss Ephemeris, degrees."""
    cusps, angles = swisseph.houses_armc(ramc, latitude, obliquity, ALL_LETTERS[system])
    return [angles[0], angles[1], *cusps[:12]]


def stored_points():
    for latitude in STORED_LATITUDES + [-latitude for latitude in STORED_LATITUDES]:
        for index, ramc in enumerate(RAMCS):
            yield ramc, latitude, STORED_OBLIQUITIES[index % len(STORED_OBLIQUITIES)]


def temperate_points():
    for index, (latitude, ramc) in enumerate((latitude, ramc) for latitude in TEMPERATE_LATITUDES
                                              for ramc in TEMPERATE_RAMCS):
        obliquity = (23.44, 24.0)[index % 2]
        if abs(latitude) < 90.0 - obliquity:  # on and inside the polar circle the Swiss Ephemeris refuses Placidus
            yield ramc, latitude, obliquity


def write_table(output, systems, points):
    rows = [[ramc, latitude, obliquity,
             *[[round(value, 9) for value in reference(ramc, latitude, obliquity, system)] for system in systems]]
            for ramc, latitude, obliquity in points]
    document = {"source": "pyswisseph %s houses_armc, written by tools/gen_reference_houses.py" % swisseph.version,
                "row": "ramc, latitude, obliquity, then per system [asc, mc, cusp 1..12] (degrees)",
                "systems": systems, "rows": rows}
    path = os.path.join(REPO_ROOT, output)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    text = json.dumps(document, separators=(",", ":"))
    # One point per line, so that a regenerated table differs line by line.
    text = text.replace(",[[", ",\n[[").replace("]],[", "]],\n[")
    with open(path, "w", encoding="utf-8", newline="\n") as handle:
        handle.write(text + "\n")
    print("wrote", output, len(rows), "points")


def arc_deg(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0)


def on_sign_boundary(longitude):
    """A whole-sign tie: the ascendant within rounding of a sign's start picks either sign."""
    return arc_deg(longitude, round(longitude / 30.0) * 30.0) < 1e-9


def once_round(cusps):
    """Whether twelve cusps open houses that cover the zodiac once, in order (else Equal houses stand in)."""
    arcs = [(cusps[(k + 1) % 12] - cusps[k]) % 360.0 for k in range(12)]
    return min(arcs) > 0.0 and abs(sum(arcs) - 360.0) < 1e-9


def horizon_along_ecliptic(ramc, latitude, obliquity):
    """On the polar circle itself, with the ecliptic's pole at the zenith or nadir, the ecliptic is the horizon
    and the ascendant is undefined (rounding picks any degree)."""
    return abs(latitude) == 90.0 - obliquity and ramc in (90.0, 270.0)


def measure():
    import zentaric
    points = len(RAMCS) * len(GRID_LATITUDES) * 2 * len(GRID_OBLIQUITIES)
    print(f"{points} points: latitudes ±66.6..89.9 step 0.1, RAMC step 2.5, obliquities {GRID_OBLIQUITIES}")
    for system in ["Placidus", "Koch", *LETTERS]:
        reference_system = FALLBACK_REFERENCE.get(system, system)
        largest, where, ties, undefined, backward = 0.0, None, 0, 0, 0
        for latitude in GRID_LATITUDES + [-latitude for latitude in GRID_LATITUDES]:
            for obliquity in GRID_OBLIQUITIES:
                for ramc in RAMCS:
                    if horizon_along_ecliptic(ramc, latitude, obliquity):
                        undefined += 1
                        continue
                    asc, mc, *cusps = reference(ramc, latitude, obliquity, reference_system)
                    houses = zentaric.compute_houses(ramc, latitude, obliquity, system)
                    if reference_system == system and not once_round(cusps):  # no division: Equal stands in
                        asc, mc, *cusps = reference(ramc, latitude, obliquity, "Equal")
                        backward += 1
                        assert houses["polar_fallback"], (system, ramc, latitude, obliquity)
                    else:
                        assert houses["polar_fallback"] == (system != reference_system)
                    ours = houses["cusps"]
                    if system == "WholeSign" and on_sign_boundary(asc):
                        ours, ties = cusps, ties + 1
                    difference = max(arc_deg(a, b) for a, b in zip(ours + [houses["asc"], houses["mc"]],
                                                                     cusps + [asc, mc]))
                    if difference > largest:
                        largest, where = difference, (ramc, latitude, obliquity)
        note = f"; {backward} wheels not once round, compared as Equal" if backward else ""
        note += f"; {undefined} points without ascendant skipped"
        note += f", {ties} ascendants on a sign boundary (cusps not compared)" if ties else ""
        print(f"{system:14s} largest difference {largest:.2e} deg at (ramc, latitude, obliquity) {where}{note}")


if __name__ == "__main__":
    if "--measure" in sys.argv[1:]:
        measure()
    else:
        write_table(TEMPERATE_OUTPUT, list(ALL_LETTERS), temperate_points())
        write_table(OUTPUT, list(LETTERS), stored_points())
