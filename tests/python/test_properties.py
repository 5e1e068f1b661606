"""Arbitrary arguments of every conversion kind: each function returns what the same call with plain, canonical
arguments returns, or raises its documented exception with the exact message; nothing else ever happens.

The conversion oracle is the interpreter itself: `operator.index` is the index protocol the integer kinds use,
`math.ldexp(x, 0)` goes through the same float conversion as the float kind (exact `float` read directly, any other
object through `PyFloat_AsDouble`), and `str.encode("utf-8")` fails exactly where reading a text as UTF-8 does.
"""
import inspect
import json
import math
import operator
import re
from decimal import Decimal

import pytest
from hypothesis import HealthCheck, event, given, settings, strategies as st

import zentaric
from argument_objects import Index, Real

pytestmark = pytest.mark.filterwarnings("ignore::DeprecationWarning")  # __index__/__float__ returning subclasses

OUT_OF_RANGE = "out of range integral type conversion attempted"
NAKSHATRA_SPAN, PADA_SPAN = 13.333333333333334, 3.333333333333333
ABSENT = object()  # an optional argument left out of the call


class IntSub(int):
    pass


class FloatSub(float):
    pass


class StrSub(str):
    pass


class TypeErrorSub(TypeError):
    pass


class Raising:
    """__index__ and __float__ both raise a fresh `error(text)`."""

    def __init__(self, error, text):
        self.error, self.text = error, text

    def __index__(self):
        raise self.error(self.text)

    __float__ = __index__


EDGE_FLOATS = [0.0, -0.0, math.nan, math.inf, -math.inf, 5e-324, 2.2250738585072014e-308, 1e308,
               -1.7976931348623157e308, 360.0, -360.0, 359.99999999999994, 13.333333333333334, 226.66666666666666,
               3.333333333333333, 29.999999999999996, 2.0**53, 1e16, 990575.0, 2816788.0, 66.56, 90.0, -90.0]
EDGE_INTEGERS = [0, 1, -1, 5, 6, 8, 9, 11, 12, 26, 27, 255, 256, 2**31 - 1, 2**31, -2**31, -2**31 - 1, 2**32 - 1,
                 2**32, 2**63, -2**63, 2**64 - 1, 2**64, 10**400]


def integers():
    plain = st.one_of(st.integers(-300, 300), st.integers(-2**70, 2**70), st.sampled_from(EDGE_INTEGERS))
    return st.one_of(plain, st.booleans(), plain.map(IntSub), plain.map(Index))


def floats():
    plain = st.one_of(st.floats(), st.sampled_from(EDGE_FLOATS))
    return st.one_of(plain, plain.map(FloatSub), plain.map(Real), st.integers(-2**60, 2**60), st.booleans(),
                     st.sampled_from([2**1024, -2**1024, 10**400]), st.fractions(max_denominator=1000))


def texts(spellings=()):
    """Accepted spellings in random case (with the Kelvin sign, long s and dotted I as look-alikes), arbitrary
    text with lone surrogates, a very long text, str subclasses."""
    def variants(c):
        return [c, c.upper()] + {"k": ["\u212a"], "s": ["\u017f"], "i": ["\u0130", "\u0131"]}.get(c, [])

    cased = [st.sampled_from(spellings).flatmap(
        lambda s: st.tuples(*[st.sampled_from(variants(c)) for c in s]).map("".join))] if spellings else []
    plain = st.one_of(*cased, st.text(max_size=12), st.sampled_from(["", "\0", "\udc80", "en\udcff", "Lahiri" * 20000]))
    return st.one_of(plain, plain.map(StrSub))


def misfits():
    """Objects that no kind accepts, or whose conversion hooks raise or return the wrong type."""
    errors = st.sampled_from([TypeError, ValueError, OverflowError, KeyError, ZeroDivisionError, TypeErrorSub])
    return st.one_of(
        st.none(), st.binary(max_size=3), st.complex_numbers(max_magnitude=10),
        st.sampled_from([[], {}, object(), bytearray(b"en"), Decimal("1.5"), Decimal("nan")]),
        st.builds(Raising, errors, st.text(max_size=5)),
        st.sampled_from(["x", 1.5, None, FloatSub(2.0), IntSub(3), 2**80]).map(Index),
        st.sampled_from(["x", 7, None, IntSub(4), FloatSub(1.25), 2**80]).map(Real),
    )


def any_of(native):
    """Mostly values of the kind; one draw in six a misfit."""
    return st.integers(0, 5).flatmap(lambda pick: misfits() if pick == 0 else native)


def optional(strategy):
    return st.one_of(st.just(ABSENT), strategy)


# ---------------------------------------------------------------------------------------------------------------
# The conversion oracle


class Failure(Exception):
    """The exception a call must raise: its exact type and message."""

    def __init__(self, kind, message):
        super().__init__(kind, message)
        self.kind, self.message = kind, message


def prefixed(name, error):
    """The module's rule: an exact TypeError gains the parameter prefix; anything else passes through."""
    if type(error) is TypeError:
        return Failure(TypeError, f"argument '{name}': {error}")
    return Failure(type(error), str(error))


def bounded(low, high):
    def convert(name, value):
        try:
            number = operator.index(value)
        except Exception as error:
            raise prefixed(name, error)
        if not low <= number <= high:
            raise Failure(OverflowError, OUT_OF_RANGE)
        return int(number)
    return convert


def index(name, value):
    try:
        number = operator.index(value)
    except Exception as error:
        raise prefixed(name, error)
    if number < 0:
        raise Failure(OverflowError, "can't convert negative int to unsigned")
    if number >= 2**64:
        raise Failure(OverflowError, "int too big to convert")
    return int(number)


def real(name, value):
    try:
        return math.ldexp(value, 0)
    except Exception as error:
        raise prefixed(name, error)


def text(name, value):
    if not isinstance(value, str):
        raise Failure(TypeError, f"argument '{name}': '{type(value).__qualname__}' object cannot be converted to "
                                 f"'PyString'")
    try:
        value.encode("utf-8")
    except UnicodeEncodeError as error:
        raise Failure(UnicodeEncodeError, str(error))
    return str(value)


INT32, UINT32, UINT8 = bounded(-2**31, 2**31 - 1), bounded(0, 2**32 - 1), bounded(0, 255)


def converted(parameters, values):
    """The converted arguments in parameter order (defaults for absent ones), or the Failure of the first bad one."""
    return [default if value is ABSENT else kind(name, value)
            for (name, kind, default), value in zip(parameters, values)]


def call(function, parameters, values, data):
    """Calls with the arguments split at random between positions and keywords (keywords in random order)."""
    names = [name for name, _, _ in parameters]
    first_absent = next((i for i, v in enumerate(values) if v is ABSENT), len(values))
    cut = data.draw(st.integers(0, first_absent), label="positional count")
    keywords = [name for name, value in zip(names[cut:], values[cut:]) if value is not ABSENT]
    given_values = dict(zip(names, values))
    order = data.draw(st.permutations(keywords), label="keyword order")
    return function(*values[:cut], **{name: given_values[name] for name in order})


def expect_failure(failure, thunk):
    with pytest.raises(BaseException) as caught:
        thunk()
    assert (type(caught.value), str(caught.value)) == (failure.kind, failure.message)
    event(f"raised {failure.kind.__name__}")


def outcome(function, parameters, values, data):
    """Converted arguments and the result when the call must succeed, else checks the exact exception."""
    try:
        arguments = converted(parameters, values)
    except Failure as failure:
        expect_failure(failure, lambda: call(function, parameters, values, data))
        return None, None
    event("returned")
    return arguments, call(function, parameters, values, data)


def canonical_name(name, spellings, what):
    """An accepted spelling the text parses to, else the exact ValueError the call must raise."""
    canonical = spellings.get(name.lower())
    if canonical is None:
        raise Failure(ValueError, f"Unknown {what}: {name}")
    return canonical


def json_number_text(x):
    """A double in the JSON layout: shortest round-trip digits, fixed for exponents -5..15, else scientific."""
    if not math.isfinite(x):
        return "null"
    sign = "-" if math.copysign(1.0, x) < 0 else ""
    if x == 0:
        return sign + "0.0"
    _, digit_tuple, exponent = Decimal(repr(abs(x))).normalize().as_tuple()
    digits = "".join(map(str, digit_tuple))
    n, k = len(digits), exponent + len(digits) - 1
    if k < -5 or k > 15:
        return sign + digits[0] + ("." + digits[1:] if n > 1 else "") + ("e+" if k >= 0 else "e-") + str(abs(k))
    if k >= n - 1:
        return sign + digits + "0" * (k - n + 1) + ".0"
    if k >= 0:
        return sign + digits[: k + 1] + "." + digits[k + 1:]
    return sign + "0." + "0" * (-k - 1) + digits


def parse_json(text):
    """The document with every object as a list of (key, value) pairs in text order; checks the number layout."""
    def number(raw):
        assert raw == json_number_text(float(raw)), raw
        return float(raw)
    return json.loads(text, parse_float=number, object_pairs_hook=list)


# ---------------------------------------------------------------------------------------------------------------
# The short paths

AYANAMSHAS = {"lahiri": "Lahiri", "raman": "Raman", "krishnamurti": "Krishnamurti", "faganbradley": "FaganBradley",
              "fagan_bradley": "FaganBradley", "tropical": "Tropical"}
HOUSE_SYSTEMS = {"placidus": "Placidus", "koch": "Koch", "equal": "Equal", "wholesign": "WholeSign",
                 "whole_sign": "WholeSign", "campanus": "Campanus", "regiomontanus": "Regiomontanus",
                 "porphyry": "Porphyry", "morinus": "Morinus", "alcabitius": "Alcabitius", "sripathi": "Sripathi"}
VARGAS = {name: names[1] for names in [("rashi", "d1", "d-1"), ("navamsha", "d9", "d-9"), ("dashamsha", "d10", "d-10"),
                                       ("dwadashamsha", "d12", "d-12"), ("shashtiamsha", "d60", "d-60")]
          for name in names}
LANGUAGES = {name: name for name in ["en", "english", "hi", "hindi", "sa", "sanskrit", "ta", "tamil", "te", "telugu",
                                     "kn", "kannada", "bn", "bengali"]}
DASHA_LORDS = ["Sun", "Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury", "Ketu", "Venus"]
NAKSHATRA_LORDS = [7, 8, 0, 1, 2, 3, 4, 5, 6]  # DashaLord of nakshatra index mod 9
LEVELS = st.one_of(st.integers(0, 4), st.sampled_from([True, IntSub(2), Index(0), -1, 256, 2**64, 1.0, "3"]), misfits())
LANGUAGE = ("language", text, "en")

# name: (parameters, optional-parameter strategies, (name position, spellings, what) or None, table size or None)
SHORT_PATHS = {
    "calendar_to_jd": ([("year", INT32, None), ("month", UINT32, None), ("day", real, None)], None, None),
    "compute_varga": ([("longitude", real, None), ("varga", text, None)], (1, VARGAS, "varga"), None),
    "compute_houses": ([("ramc", real, None), ("latitude", real, None), ("obliquity", real, None),
                        ("system", text, "Placidus")], (3, HOUSE_SYSTEMS, "house system"), None),
    "tropical_to_sidereal": ([("tropical_longitude", real, None), ("ayanamsha", text, "Lahiri"),
                              ("jd", real, 2451545.0)], (1, AYANAMSHAS, "ayanamsha"), None),
    "get_ayanamsha": ([("ayanamsha", text, "Lahiri"), ("jd", real, 2451545.0)], (0, AYANAMSHAS, "ayanamsha"), None),
    "compute_dasha": ([("moon_longitude", real, None), ("birth_jd", real, None), ("levels", UINT8, 3)], None, None),
    "planet_name": ([("index", index, None), LANGUAGE], (1, LANGUAGES, "language"), 9),
    "sign_name": ([("index", index, None), LANGUAGE], (1, LANGUAGES, "language"), 12),
    "nakshatra_name_i18n": ([("index", index, None), LANGUAGE], (1, LANGUAGES, "language"), 27),
}


def strategy_for(name, kind, spellings):
    if name == "levels":
        return LEVELS
    if kind is real:
        return any_of(floats())
    if kind is text:
        return any_of(texts(list(spellings)))
    return any_of(integers())


def same(a, b):
    return a == b or (isinstance(a, float) and isinstance(b, float) and math.isnan(a) and math.isnan(b))


FAST = settings(deadline=None, max_examples=1500, suppress_health_check=[HealthCheck.too_slow])


@FAST
@given(st.data(), st.sampled_from(sorted(SHORT_PATHS)))
def test_short_path_with_arbitrary_arguments(data, name):
    function = getattr(zentaric, name)
    parameters, naming, size = SHORT_PATHS[name]
    values = []
    for parameter, kind, default in parameters:
        drawn = strategy_for(parameter, kind, naming[1] if naming and kind is text else ())
        values.append(data.draw(optional(drawn) if default is not None else drawn, label=parameter))
    try:
        arguments = converted(parameters, values)
        if naming is not None:
            arguments[naming[0]] = canonical_name(arguments[naming[0]], naming[1], naming[2])
        if size is not None and arguments[0] >= size:
            raise Failure(IndexError, f"index {arguments[0]} is out of range: {name}() accepts 0 to {size - 1}")
    except Failure as failure:
        return expect_failure(failure, lambda: call(function, parameters, values, data))
    event("returned")
    result = call(function, parameters, values, data)
    assert type(result) is type(function(*arguments)) and same(result, function(*arguments))


def normalize_degrees(x):
    r = math.fmod(x, 360.0) if math.isfinite(x) else 0.0
    r = r + 360.0 if r < 0.0 else r
    return 0.0 if r >= 360.0 else r


def truncate_to_u8(x):
    return 0 if not x > 0 else 255 if x >= 255 else int(x)


@settings(deadline=None, max_examples=300)
@given(st.data(), any_of(floats()))
def test_get_nakshatra(data, longitude):
    arguments, result = outcome(zentaric.get_nakshatra, [("sidereal_longitude", real, None)], [longitude], data)
    if arguments is None:
        return
    low = normalize_degrees(arguments[0])
    n = min(truncate_to_u8(low / NAKSHATRA_SPAN), 26)
    pada = min(truncate_to_u8(max(low - n * NAKSHATRA_SPAN - 1e-9, 0.0) / PADA_SPAN), 3) + 1
    assert list(result.items()) == [
        ("nakshatra", zentaric.nakshatra_name_i18n(n)), ("index", n), ("pada", pada),
        ("dasha_lord", DASHA_LORDS[NAKSHATRA_LORDS[n % 9]]), ("start_longitude", n * NAKSHATRA_SPAN),
        ("end_longitude", (n + 1) * NAKSHATRA_SPAN)]
    assert [type(v) for v in result.values()] == [str, int, int, str, float, float]


# ---------------------------------------------------------------------------------------------------------------
# The natal chart

CHART_PARAMETERS = [("year", INT32, None), ("month", UINT32, None), ("day", UINT32, None), ("hour", UINT32, None),
                    ("minute", UINT32, None), ("latitude", real, None), ("longitude", real, None),
                    ("ayanamsha", text, "Lahiri"), ("house_system", text, "Placidus")]
BODY_FAILURE = re.compile(r"Failed to compute (Sun|Moon|Mercury|Venus|Mars|Jupiter|Saturn|MeanNode|TrueNode): "
                          r"Julian Day \d+(\.\d+)? out of range \[990575, 2816788\]")
PLANET_KEYS = ["dignity", "distance", "house", "latitude", "longitude", "name", "retrograde", "sign", "sign_index",
               "speed"]


def chart_outcome(values, data):
    """Checks the call against the documented failures in their order, and the document when it succeeds."""
    try:
        arguments = converted(CHART_PARAMETERS, values)
        zodiac = canonical_name(arguments[7], AYANAMSHAS, "ayanamsha")
        houses = canonical_name(arguments[8], HOUSE_SYSTEMS, "house system")
        year, month, day, hour, minute = arguments[:5]
        jd = zentaric.calendar_to_jd(year, month, (float(day) + hour / 24.0) + minute / 1440.0)
        if not 990575.0 <= jd <= 2816788.0:
            raise Failure(ValueError, f"Date out of range: JD {jd:.1f} outside [990575, 2816788]")
    except Failure as failure:
        return expect_failure(failure, lambda: call(zentaric.compute_natal_chart, CHART_PARAMETERS, values, data))
    try:
        text = call(zentaric.compute_natal_chart, CHART_PARAMETERS, values, data)
    except ValueError as error:
        # the ephemeris evaluates half a day either side of the birth, in TT and light-time shifted
        assert min(jd - 990575.0, 2816788.0 - jd) < 1.5 and BODY_FAILURE.fullmatch(str(error)), str(error)
        return event("raised ValueError (a body near the range ends)")
    event("returned a chart")
    document = parse_json(text)
    assert [key for key, _ in document] == ["aspects", "ayanamsha_value", "config_summary", "houses", "julian_day",
                                            "planets"]
    top = dict(document)
    assert top["julian_day"] == jd
    # the mean ayanamsha plus the nutation in longitude (its amplitudes add up to 20.4" over the date range)
    nutation = top["ayanamsha_value"] - zentaric.get_ayanamsha(zodiac, jd)
    assert nutation == 0.0 if zodiac == "Tropical" else abs(nutation) < 21.0 / 3600.0
    assert top["config_summary"] == f"Houses: {houses}, Zodiac: {zodiac}, Rulership: Traditional"
    assert " " not in text.replace(top["config_summary"], "") and "\n" not in text
    assert [key for key, _ in top["houses"]] == ["asc", "cusps", "mc", "polar_fallback", "system"]
    assert dict(top["houses"])["system"] == houses
    assert all([key for key, _ in p] == PLANET_KEYS for p in top["planets"])
    for planet in map(dict, top["planets"]):
        assert 0.0 <= planet["longitude"] < 360.0 and 1 <= planet["house"] <= 12
        assert planet["retrograde"] is (planet["speed"] < 0.0)
    for aspect in top["aspects"]:
        assert [key for key, _ in aspect] == ["applying", "body1", "body2", "orb", "strength", "type"]


@settings(deadline=None, max_examples=400)
@given(st.data(), st.tuples(*[any_of(integers())] * 5, any_of(floats()), any_of(floats()),
                            optional(any_of(texts(list(AYANAMSHAS)))), optional(any_of(texts(list(HOUSE_SYSTEMS))))))
def test_natal_chart_with_arbitrary_arguments(data, values):
    chart_outcome(list(values), data)


@settings(deadline=None, max_examples=120)
@given(st.data(), st.tuples(
    st.integers(-2000, 3000), st.integers(0, 13), st.integers(0, 32), st.integers(0, 30), st.integers(0, 70),
    st.one_of(st.floats(-90.0, 90.0), st.sampled_from([-90, 90, 66.56, -66.56, -0.0]),
              st.floats(-90.0, 90.0).map(Real)),
    st.one_of(st.floats(-180.0, 180.0), st.floats(), st.integers(-720, 720)),
    optional(st.sampled_from(list(AYANAMSHAS)).map(str.upper)),
    optional(st.sampled_from(list(HOUSE_SYSTEMS)).map(str.title))))
def test_natal_chart_document(data, values):
    chart_outcome(list(values), data)


# ---------------------------------------------------------------------------------------------------------------
# Binding: any mix of positions and keywords, known or not

VALID_ARGUMENTS = {
    "compute_dasha": (12.0, 2451545.0, 2), "get_nakshatra": (12.0,), "compute_varga": (12.0, "d9"),
    "compute_houses": (45.0, 40.0, 23.44, "Koch"), "tropical_to_sidereal": (10.0, "Raman", 2451000.0),
    "get_ayanamsha": ("Raman", 2451000.0), "calendar_to_jd": (2000, 1, 1.5), "planet_name": (2, "hi"),
    "sign_name": (11, "ta"), "nakshatra_name_i18n": (26, "kn"),
    "compute_natal_chart": (1990, 5, 15, 10, 30, 28.6, 77.2, "Raman", "Koch"),
}
STRAY_KEYWORDS = ["x", "Year", "levels ", "jd_", "self", "ayanamsha\0", "s\u0131gn", "\udc80"]


def binding_failure(name, parameters, required, positional, keywords):
    """The binding error of the interpreter's templates, or None when the arguments bind."""
    count = len(parameters)
    verb = "was" if positional == 1 else "were"
    if positional > count:
        if required == count:
            return f"{name}() takes {count} positional arguments but {positional} {verb} given"
        return f"{name}() takes from {required} to {count} positional arguments but {positional} {verb} given"
    bound = set(parameters[:positional])
    for keyword in keywords:
        if keyword not in parameters:
            return f"{name}() got an unexpected keyword argument '{keyword}'"
        if keyword in bound:
            return f"{name}() got multiple values for argument '{keyword}'"
        bound.add(keyword)
    missing = [f"'{p}'" for p in parameters[:required] if p not in bound]
    if missing:
        listed = " and ".join(missing) if len(missing) <= 2 else ", ".join(missing[:-1]) + ", and " + missing[-1]
        return f"{name}() missing {len(missing)} required positional argument{'s' * (len(missing) > 1)}: {listed}"
    return None


@settings(deadline=None, max_examples=500)
@given(st.data(), st.sampled_from(sorted(VALID_ARGUMENTS)))
def test_binding_of_any_positions_and_keywords(data, name):
    function = getattr(zentaric, name)
    signature = inspect.signature(function).parameters
    parameters = list(signature)
    required = sum(p.default is inspect.Parameter.empty for p in signature.values())
    values = dict(zip(parameters, VALID_ARGUMENTS[name]))
    positional = data.draw(st.integers(0, len(parameters) + 2), label="positional count")
    keywords = data.draw(st.lists(st.sampled_from(parameters + STRAY_KEYWORDS), unique=True,
                                  max_size=len(parameters) + 1), label="keywords")
    arguments = [values[p] for p in parameters[:positional]] + [1.0] * (positional - len(parameters))
    keyword_arguments = {k: values.get(k, 0) for k in keywords}
    message = binding_failure(name, parameters, required, positional, keywords)
    if message is not None:
        return expect_failure(Failure(TypeError, message), lambda: function(*arguments, **keyword_arguments))
    event("returned")
    given_names = set(parameters[:positional]) | set(keywords)
    full = [values[p] if p in given_names else signature[p].default for p in parameters]
    assert function(*arguments, **keyword_arguments) == function(*full)
