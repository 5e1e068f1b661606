"""Writes tests/data/true_node_reference.json: the Moon's true (osculating) ascending node for 120 births of
1850-2100 from two references, in degrees of the true ecliptic and equinox of date.

- skyfield_de421: the node of the plane through the geocentre spanned by DE421's geocentric Moon position and
  velocity, both rotated by skyfield's `ecliptic_frame` (true ecliptic and equinox of date, IAU 2000A nutation).
  That frame is the mean ecliptic of date turned by the nutation in longitude about the ecliptic pole, so this is
  the mean-of-date node plus Δψ. None before 1899-07-29, where the de421 package ends.
- swisseph_moshier: pyswisseph's TRUE_NODE with its built-in Moshier ephemeris.

Births are whole UTC minutes (the arguments of compute_natal_chart); both references are evaluated at the TT
instant the chart itself uses (calendar_to_jd, then this library's Delta T through the test probe), so that the
comparison measures the node and not two Delta T models.
Usage: gen_reference_true_node.py [probe library, default build/cpp/libzentaric_probe.so]
"""

import ctypes
import json
import math
import os
import sys

import numpy as np

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = os.path.join(REPO_ROOT, "tests", "data", "true_node_reference.json")
BIRTH_COUNT = 120
SEED = 1511
DE421_FIRST_JD = 2414992.5


def births():
    """(year, month, day, hour, minute) spread uniformly over 1850-2100, sorted."""
    rng = np.random.default_rng(SEED)
    rows = [(int(rng.integers(1850, 2101)), int(rng.integers(1, 13)), int(rng.integers(1, 29)),
             int(rng.integers(0, 24)), int(rng.integers(0, 60))) for _ in range(BIRTH_COUNT)]
    return sorted(rows)


def node_degrees(position, velocity):
    """Longitude of the ascending node of the plane spanned by position and velocity: atan2(h_x, -h_y)."""
    h = np.cross(position, velocity)
    return math.degrees(math.atan2(h[0], -h[1])) % 360.0


def main():
    import de421
    import swisseph
    from jplephem import ephem
    from skyfield.api import load
    from skyfield.framelib import ecliptic_frame

    import zentaric

    probe_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(REPO_ROOT, "build", "cpp", "libzentaric_probe.so")
    probe = ctypes.CDLL(probe_path)
    probe.zentaric_probe_to_terrestrial_time.argtypes = [ctypes.c_double]
    probe.zentaric_probe_to_terrestrial_time.restype = ctypes.c_double
    reader = ephem.Ephemeris(de421)  # "moon" is the geocentric Moon, km and km/day, ICRF axes
    timescale = load.timescale(builtin=True)

    rows = []
    for year, month, day, hour, minute in births():
        jd_ut = zentaric.calendar_to_jd(year, month, day + hour / 24.0 + minute / 1440.0)
        jd_tt = probe.zentaric_probe_to_terrestrial_time(jd_ut)
        skyfield_node = None
        if jd_tt > DE421_FIRST_JD + 1.0:
            position, velocity = reader.position_and_velocity("moon", jd_tt, 0.0)
            rotation = ecliptic_frame.rotation_at(timescale.tt_jd(jd_tt))
            skyfield_node = node_degrees(rotation @ position[:, 0], rotation @ velocity[:, 0])
        swisseph_node = swisseph.calc(jd_tt, swisseph.TRUE_NODE, swisseph.FLG_MOSEPH)[0][0]
        rows.append({"utc": [year, month, day, hour, minute], "jd_tt": jd_tt, "skyfield_de421": skyfield_node,
                     "swisseph_moshier": swisseph_node})

    references = {"skyfield_de421": "skyfield %s, de421 package, ecliptic_frame" % _version("skyfield"),
                  "swisseph_moshier": "pyswisseph %s, TRUE_NODE, FLG_MOSEPH" % swisseph.version}
    os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
    with open(OUTPUT, "w", encoding="ascii") as handle:  # one birth per line
        handle.write('{"generator": "tools/gen_reference_true_node.py",\n "references": %s,\n "births": [\n'
                     % json.dumps(references))
        handle.write(",\n".join("  " + json.dumps(row) for row in rows))
        handle.write("\n ]}\n")


def _version(package):
    from importlib.metadata import version
    return version(package)


if __name__ == "__main__":
    main()
