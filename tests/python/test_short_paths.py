"""The short paths: calendar, ayanamsha, nakshatra, varga and localised names, end to end (their argument
conversions, spellings and errors are in test_conversions.py and test_error_mapping.py)."""
import math
import sys

import pytest

import zentaric
from zentaric_chart._names import LANGUAGES

LAHIRI_J2000 = 23.855988395833336


@pytest.mark.parametrize("year, month, day, jd", [
    (2000, 1, 1.5, 2451545.0), (1957, 10, 4.81, 2436116.31), (1582, 10, 4.0, 2299149.5),
    (-4712, 1, 1.5, 38.0), (2000, 13, 1.0, 2451910.5), (2000, 0, 1.0, 2451513.5), (3000, 1, 1.5, 2816788.0),
    (2024, 2, 29.0, 2460369.5), (1582, 10, 15.0, 2299160.5), (333, 1, 27.5, 1842712.0), (-2000, 1, 1.0, 990574.5),
    (1999, 12, 1.0, 2451513.5),  # 1582-10-04: no switch to the Julian calendar; month 0/13 roll the year
])
def test_calendar_to_jd(year, month, day, jd):
    assert zentaric.calendar_to_jd(year, month, day) == pytest.approx(jd, abs=1e-9)


A, T = zentaric.get_ayanamsha, zentaric.tropical_to_sidereal


@pytest.mark.parametrize("function, args, expected", [
    (A, ("Lahiri", 2451545.0), LAHIRI_J2000), (A, ("Fagan_Bradley", 2488070.0), 26.135999420781445),
    (A, ("Lahiri", 2415020.5), 22.4568622910173), (A, ("Raman", 2451545.0), 22.375 - 0.041775 / 3600),
    (A, ("Krishnamurti", 2451545.0), 23.763 - 0.041775 / 3600), (A, ("Tropical", 1e7), 0.0),
    (T, (10.0, "Lahiri", 2451545.0), 346.1440116041667), (T, (LAHIRI_J2000, "Lahiri", 2451545.0), 0.0),
    (T, (-1e-17, "Tropical", 2451545.0), 0.0), (T, (360.0, "Tropical", 2451545.0), 0.0),
    (T, (math.nan, "Lahiri", 2451545.0), 0.0), (T, (math.inf, "Lahiri", 2451545.0), 0.0),
    (T, (100.0, "Lahiri", math.nan), 0.0),
])
def test_ayanamsha_and_sidereal_longitude(function, args, expected):
    result = function(*args)
    assert result == pytest.approx(expected, abs=1e-12)
    assert function is A or 0.0 <= result < 360.0  # sidereal longitudes normalised, the ayanamsha not (below)


def test_get_ayanamsha_is_not_normalised():
    assert math.isnan(zentaric.get_ayanamsha("Lahiri", math.nan))
    assert zentaric.get_ayanamsha("Lahiri", 2451545.0 - 36525.0 * 1e3) < -360.0


NAKSHATRAS = {0: ("Ashwini", "Ketu"), 1: ("Bharani", "Venus"), 10: ("Purva Phalguni", "Venus"),
              26: ("Revati", "Mercury")}  # name, dasha lord


@pytest.mark.parametrize("longitude, index, pada", [
    (0.0, 0, 1), (3.34, 0, 2), (3.3333333333333335, 0, 1), (10.0, 0, 3), (13.333333333333334, 1, 1), (140.0, 10, 2),
    (359.999999, 26, 4), (360.0, 0, 1), (720.5, 0, 1), (-0.5, 26, 4), (math.nan, 0, 1), (-math.inf, 0, 1),
])
def test_get_nakshatra(longitude, index, pada):
    result = zentaric.get_nakshatra(longitude)
    assert list(result) == ["nakshatra", "index", "pada", "dasha_lord", "start_longitude", "end_longitude"]
    assert [result[key] for key in ("nakshatra", "dasha_lord", "index", "pada")] == [*NAKSHATRAS[index], index, pada]
    assert (result["start_longitude"], result["end_longitude"]) == (index * 13.333333333333334,
                                                                    (index + 1) * 13.333333333333334)


# Each start as the module reports it (n x span), and 226.66666666666666, two ulps below, that the index also
# places in Jyeshtha.
@pytest.mark.parametrize("n, start", [(n, n * 13.333333333333334) for n in range(27)] + [(17, 226.66666666666666)])
def test_every_nakshatra_starts_with_pada_1_and_the_padas_follow(n, start):
    at_start = zentaric.get_nakshatra(start)
    assert (at_start["index"], at_start["pada"]) == (n, 1)
    for p in range(1, 4):
        inside = zentaric.get_nakshatra(start + p * 10 / 3 + 1e-6)
        assert (inside["index"], inside["pada"]) == (n, p + 1)


@pytest.mark.parametrize("longitude, signs", [
    (0.0, (0, 0, 0, 0, 0)), (3.5, (0, 1, 1, 1, 7)), (33.5, (1, 10, 10, 2, 8)), (65.0, (2, 7, 3, 4, 0)),
    (123.4, (4, 1, 5, 5, 10)), (359.9, (11, 11, 4, 10, 10)), (29.999999999999996, (0, 8, 9, 11, 11)),
    (30.0, (1, 9, 9, 1, 1)), (-30.0, (11, 3, 7, 11, 11)), (math.nan, (0, 0, 0, 0, 0)),
])
def test_compute_varga(longitude, signs):
    assert tuple(zentaric.compute_varga(longitude, name) for name in ("d1", "d9", "d10", "d12", "d60")) == signs


P, S, N = zentaric.planet_name, zentaric.sign_name, zentaric.nakshatra_name_i18n


@pytest.mark.parametrize("function, index, language, expected", [
    (P, 2, "en", "Mars"), (P, 2, "sa", "Maṅgala"), (P, 8, "bn", "কেতু"), (S, 11, "en", "Pisces"),
    (S, 11, "ta", "மீனம்"), (S, 0, "Telugu", "మేషం"), (N, 10, "en", "Purva Phalguni"), (N, 10, "hi", "पूर्व फाल्गुनी"),
    (N, 26, "\u212an", "ರೇವತಿ"), (N, 0, "English", "Ashwini"),
])
def test_localised_names(function, index, language, expected):
    assert function(index, language) == expected


def test_name_matching_equals_full_unicode_lowercasing_for_every_code_point():
    # each code point followed by "n" names a language exactly when Python's full lower-casing of the text is an
    # accepted spelling ("en", "kn", the Kelvin sign + "n", ...)
    def matches(text):
        try:
            return zentaric.sign_name(0, text) is not None
        except ValueError:
            return False
    assert [hex(c) for c in range(sys.maxunicode + 1) if not 0xD800 <= c <= 0xDFFF
            and matches(chr(c) + "n") != ((chr(c) + "n").lower() in LANGUAGES)] == []
