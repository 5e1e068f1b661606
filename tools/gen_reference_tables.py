"""Writes the reference tables the C++ suite compares the ephemeris and the Earth-orientation models against
(tests/data/*.csv), from the reference libraries: skyfield with JPL DE421 (the `de421` package, read offline
through jplephem), pyerfa, and the complete VSOP87A series and check values in ../shared/data/vsop87a; and the
dasha documents of the plain-Python statement of the rule (dasha_reference.py) for the Python suite
(tests/data/dasha_cases.json).

Each table starts with a '#' line naming this script and the library versions, then a line of column names,
then rows of numbers in their shortest round-trip form. Run `.venv/bin/python tools/gen_reference_tables.py`
(`pip install .[reference]` provides the libraries).
"""
import importlib.metadata
import math
import pathlib
import re
import sys

import numpy as np

ROOT = pathlib.Path(__file__).resolve().parents[1]
OUT = ROOT / "tests" / "data"
VSOP_DATA = ROOT.parent / "shared" / "data" / "vsop87a"
J2000 = 2451545.0
AU_KM = 149597870.7


def versions(*packages):
    return ", ".join(f"{name} {importlib.metadata.version(name)}" for name in packages)


def write(name, header, columns, rows):
    OUT.mkdir(exist_ok=True)
    with open(OUT / name, "w") as out:
        out.write(f"# tools/{pathlib.Path(__file__).name}: {header}\n")
        out.write(",".join(columns) + "\n")
        for row in rows:
            out.write(",".join(repr(float(value)) if not float(value).is_integer() or abs(value) > 1e15
                               else str(int(value)) for value in row) + "\n")
    print(f"{name}: {len(rows)} rows")


# ---------------------------------------------------------------------------------------------------------------
# Apparent places of date and the lunar nodes (body codes as the core numbers them)

BODIES = {"Sun": 0, "Moon": 1, "Mercury": 2, "Venus": 3, "Mars": 5, "Jupiter": 6, "Saturn": 7}
NAIF = {"Sun": 10, "Moon": 301, "Mercury": 199, "Venus": 299, "Mars": 499, "Jupiter": 599, "Saturn": 699,
        "Earth": 399}
DE421_NAMES = {"Sun": "sun", "Mercury": "mercury", "Venus": "venus", "Mars": "mars", "Jupiter": "jupiter",
               "Saturn": "saturn"}


def de421_bodies():
    """Earth, Moon, Sun and planets of the de421 package as skyfield vector functions (barycentric)."""
    import de421
    from jplephem import ephem
    from skyfield.vectorlib import VectorFunction

    reader = ephem.Ephemeris(de421)
    earth_share = 1.0 / (1.0 + reader.EMRAT)

    class Body(VectorFunction):
        def __init__(self, naif, position_and_velocity):
            self.center, self.target, self.ephemeris = 0, naif, None
            self._position_and_velocity = position_and_velocity

        def _at(self, t):
            position, velocity = self._position_and_velocity(t.whole, t.tdb_fraction)
            if np.ndim(t.whole) == 0:  # the package reader answers with a column per instant
                position, velocity = position[:, 0], velocity[:, 0]
            return position / AU_KM, velocity / AU_KM, None, None

    def earth(whole, fraction):
        emb_p, emb_v = reader.position_and_velocity("earthmoon", whole, fraction)
        moon_p, moon_v = reader.position_and_velocity("moon", whole, fraction)
        return emb_p - moon_p * earth_share, emb_v - moon_v * earth_share

    def moon(whole, fraction):
        earth_p, earth_v = earth(whole, fraction)
        moon_p, moon_v = reader.position_and_velocity("moon", whole, fraction)
        return earth_p + moon_p, earth_v + moon_v

    def named(name):
        return lambda whole, fraction: reader.position_and_velocity(name, whole, fraction)

    bodies = {"Earth": Body(399, earth), "Moon": Body(301, moon)}
    for body, name in DE421_NAMES.items():
        bodies[body] = Body(NAIF[body], named(name))
    return bodies


def apparent_tables():
    """Apparent geocentric ecliptic places of date without light deflection (the core has none), at TT instants:
    `observe().apparent(deflectors=())` and `frame_latlon(ecliptic_frame)`; distances before aberration (the
    Moon's the geometric geocentric one); speeds the one-day central difference of the longitude."""
    from skyfield.api import load
    from skyfield.framelib import ecliptic_frame

    bodies = de421_bodies()
    ts = load.timescale(builtin=True)
    earth = bodies["Earth"]

    def place(name, jd_tt):
        t = ts.tt_jd(jd_tt)
        astrometric = earth.at(t).observe(bodies[name])
        latitude, longitude, _ = astrometric.apparent(deflectors=()).frame_latlon(ecliptic_frame)
        distance = (bodies["Moon"] - earth).at(t).distance().au if name == "Moon" else astrometric.distance().au
        return longitude.degrees, latitude.degrees, distance

    instants = np.sort(np.random.default_rng(1900).uniform(2415020.5, 2469807.5, 240))  # 1900-2050
    rows = []
    for name, code in BODIES.items():
        for jd_tt in instants:
            longitude, latitude, distance = place(name, jd_tt)
            speed = (place(name, jd_tt + 0.5)[0] - place(name, jd_tt - 0.5)[0] + 180.0) % 360.0 - 180.0
            rows.append((code, jd_tt, longitude, latitude, distance, speed))
    write("apparent_de421.csv", versions("skyfield", "jplephem", "de421", "numpy"),
          ["body", "jd_tt", "longitude_deg", "latitude_deg", "distance_au", "speed_deg_per_day"], rows)

    def meeus_mean_node(jd_tt):
        """Meeus ch. 47: the mean ascending node (degrees)."""
        t = (jd_tt - J2000) / 36525.0
        return 125.0445479 - 1934.1362891 * t + 0.0020754 * t * t + t ** 3 / 467441.0 - t ** 4 / 60616000.0

    rows = [(jd, *(meeus_mean_node(jd + step) for step in (0.0, -0.5, 0.5))) for jd in instants]
    write("nodes_meeus.csv", "Meeus ch. 47 mean node polynomial (degrees, nutation not included)",
          ["jd_tt", "mean", "mean_before", "mean_after"], rows)


# ---------------------------------------------------------------------------------------------------------------
# The Moon of DE421 in the J2000 ecliptic frame

FRAME_BIAS = np.array([  # IAU 2000: ICRS to the mean equator and equinox of J2000
    [0.9999999999999942, -7.078279744199226e-08, 8.056148938997159e-08],
    [7.078279477859602e-08, 0.999999999999997, 3.3060414542221477e-08],
    [-8.056149173008022e-08, -3.306040883985389e-08, 0.9999999999999962],
])


def moon_table():
    """Geocentric Moon (km) of DE421 taken to the J2000 ecliptic by the frame bias and a rotation by the J2000
    obliquity 84381.448″; TT stands for TDB (under 2 ms)."""
    import de421
    from jplephem import ephem

    epsilon = math.radians(84381.448 / 3600.0)
    c, s = math.cos(epsilon), math.sin(epsilon)
    rotation = np.array([[1.0, 0.0, 0.0], [0.0, c, s], [0.0, -s, c]]) @ FRAME_BIAS
    jd = np.sort(np.random.default_rng(421).uniform(2415020.5, 2469807.5, 2000))
    moon = rotation @ ephem.Ephemeris(de421).position("moon", jd)
    write("moon_de421.csv", versions("jplephem", "de421", "numpy"), ["jd_tt", "x_km", "y_km", "z_km"],
          np.column_stack([jd, moon.T]))


# ---------------------------------------------------------------------------------------------------------------
# The complete VSOP87A series and the authors' check values

PLANETS = ["mer", "ven", "ear", "mar", "jup", "sat", "ura", "nep"]
CHECK_NAMES = ["MERCURY", "VENUS", "EARTH", "MARS", "JUPITER", "SATURN", "URANUS", "NEPTUNE"]


def read_full_series(planet):
    """{(coordinate, power): (A, B, K) arrays} of one complete VSOP87A file."""
    series, current, rows = {}, None, []
    for line in (VSOP_DATA / ("VSOP87A." + planet)).read_text().splitlines():
        if line.startswith(" VSOP87"):
            if current is not None:
                series[current] = np.array(rows).T
            current, rows = (int(line[41]) - 1, int(line[59])), []
        else:
            rows.append((float(line[79:97]), float(line[97:111]), float(line[111:131])))
    series[current] = np.array(rows).T
    return series


def full_position(series, jd):
    t = (np.asarray(jd, dtype=float) - J2000) / 365250.0
    position = np.zeros((3, t.size))
    for (coordinate, power), (a, b, k) in series.items():
        position[coordinate] += t ** power * (a[:, None] * np.cos(b[:, None] + k[:, None] * t)).sum(axis=0)
    return position


def vsop_tables():
    series = [read_full_series(planet) for planet in PLANETS]
    rows = []
    for planet in range(8):
        jd = np.sort(np.random.default_rng(87 + planet).uniform(2378496.5, 2524593.5, 300))  # 1800-2200
        rows += [(planet, *row) for row in np.column_stack([jd, full_position(series[planet], jd).T])]
    write("vsop87a_full.csv", "complete VSOP87A series of ../shared/data/vsop87a, " + versions("numpy"),
          ["planet", "jd_tt", "x_au", "y_au", "z_au"], rows)

    number = r"\s*(-?\d*\.\d+)"
    pattern = re.compile(r"VSOP87A\s+(\w+)\s+JD(\d+\.\d+).*?\n x" + number + r"\s+au\s+y" + number + r"\s+au\s+z"
                         + number + r"\s+au\s*\n x'" + number + r"\s+au/d\s+y'" + number + r"\s+au/d\s+z'" + number)
    rows = []
    for match in pattern.finditer((VSOP_DATA / "vsop87.chk").read_text()):
        name, jd, *values = match.groups()
        planet = CHECK_NAMES.index(name)
        full = full_position(series[planet], [float(jd)])[:, 0]
        rows.append((planet, float(jd), *map(float, values), *full))
    assert len(rows) == 80
    write("vsop87a_check.csv", "vsop87.chk (VSOP87A blocks) with the complete series at each date",
          ["planet", "jd_tt", "x_au", "y_au", "z_au", "vx_au_per_day", "vy_au_per_day", "vz_au_per_day",
           "full_x_au", "full_y_au", "full_z_au"], rows)


# ---------------------------------------------------------------------------------------------------------------
# Earth orientation from ERFA

def erfa_table():
    """erfa.obl06; erfa.nut00b less its fixed planetary offsets (−0.135 mas, +0.388 mas); and the precession
    matrix R_z(γ̄)·R_x(−φ̄)·R_z(−ψ̄)·R_x(ε_A) built from erfa.pfw06 (row-major)."""
    import erfa

    offset_psi, offset_epsilon = math.radians(-0.135e-3 / 3600.0), math.radians(0.388e-3 / 3600.0)

    def rotation_x(a):
        c, s = math.cos(a), math.sin(a)
        return np.array([[1.0, 0.0, 0.0], [0.0, c, s], [0.0, -s, c]])

    def rotation_z(a):
        c, s = math.cos(a), math.sin(a)
        return np.array([[c, s, 0.0], [-s, c, 0.0], [0.0, 0.0, 1.0]])

    dates = np.concatenate([np.linspace(2086302.5, 2816787.5, 301),  # 1000-3000
                            np.linspace(J2000 - 365.25, J2000 + 365.25, 301),
                            np.linspace(J2000 - 36525.0, J2000 + 36525.0, 301),
                            np.linspace(990575.0, 2816788.0, 101)])
    rows = []
    for jd in dates:
        dpsi, deps = erfa.nut00b(J2000, jd - J2000)
        gamma, phi, psi, epsilon = erfa.pfw06(J2000, jd - J2000)
        matrix = rotation_z(gamma) @ rotation_x(-phi) @ rotation_z(-psi) @ rotation_x(epsilon)
        rows.append((jd, erfa.obl06(J2000, jd - J2000), dpsi - offset_psi, deps - offset_epsilon, *matrix.ravel()))
    write("earth_orientation_erfa.csv", versions("pyerfa", "numpy"),
          ["jd_tt", "mean_obliquity_rad", "nutation_longitude_rad", "nutation_obliquity_rad"]
          + [f"precession_{i}{j}" for i in range(3) for j in range(3)], rows)


# ---------------------------------------------------------------------------------------------------------------
# Vimshottari dasha documents

def dasha_cases():
    """Moon longitudes at and around nakshatra boundaries, births finite, huge and non-finite, one to three levels:
    the documents as the JSON text carries them (None for a non-finite time)."""
    import json
    from dasha_reference import as_json_values, reference_dasha

    moons = [0.0, 6.666666666666667, 123.4, 13.333333333333332, 226.66666666666666, 359.99999999999994, 77.7,
             300.0, 45.0, math.nan, -0.5, 370.0, 140.0, 100.0, 1e300, -math.inf]
    births = [J2000, 0.0, -1.0e6, math.nan, math.inf, 5.0e15, 1e-300, 2460000.25]
    rng = np.random.default_rng(9)
    cases = [(moon, births[k % len(births)], int(rng.integers(1, 4)) if k % 3 else 1) for k, moon in enumerate(moons)]
    cases += [(float(moon), float(birth), 2)
              for moon, birth in zip(rng.uniform(-720, 720, 8), rng.uniform(-1e7, 1e7, 8))]
    documents = [{"moon_longitude": moon, "birth_jd": birth, "levels": levels,
                  "document": as_json_values(reference_dasha(moon, birth, levels))} for moon, birth, levels in cases]
    with open(OUT / "dasha_cases.json", "w") as out:
        json.dump({"generator": f"tools/{pathlib.Path(__file__).name} from tools/dasha_reference.py",
                   "cases": documents}, out, separators=(",", ":"))
    print(f"dasha_cases.json: {len(documents)} cases")


if __name__ == "__main__":
    wanted = set(sys.argv[1:]) or {"apparent", "moon", "vsop", "erfa", "dasha"}
    for name, generate in (("apparent", apparent_tables), ("moon", moon_table), ("vsop", vsop_tables),
                           ("erfa", erfa_table), ("dasha", dasha_cases)):
        if name in wanted:
            generate()
