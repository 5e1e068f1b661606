"""Arbitrary arguments of every conversion kind: each function returns what the same call with plain, canonical
arguments returns, or raises its documented exception with the exact message; nothing else ever happens.

The conversion oracle is the interpreter itself: `operator.index` is the index protocol the integer kinds use,
`math.ldexp(x, 0)` goes through the same float conversion as the float kind (exact `float` read directly, any other
object through `PyFloat_AsDouble`), and `str.encode("utf-8")` fails exactly where reading a text as UTF-8 does.
"""
import json
import math
import operator
import re
from decimal import Decimal

import pytest
from hypothesis import HealthCheck, event, given, settings, strategies as st

import zentaric
from argument_objects import Index, Name as StrSub, Real
from conftest import NAME_TABLES, name_table

pytestmark = pytest.mark.filterwarnings("ignore::DeprecationWarning")  # __index__/__float__ returning subclasses

OUT_OF_RANGE = "out of range integral type conversion attempted"
ABSENT = object()  # an optional argument left out of the call


IntSub, FloatSub, TypeErrorSub = (type(base.__name__ + "Sub", (base,), {}) for base in (int, float, TypeError))


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
    """The exception a call must raise: args (its exact type, message)."""


def prefixed(name, error):
    """The module's rule: an exact TypeError gains the parameter prefix; anything else passes through."""
    if type(error) is TypeError:
        return Failure(TypeError, f"argument '{name}': {error}")
    return Failure(type(error), str(error))


def bounded(low, high, below=OUT_OF_RANGE, above=OUT_OF_RANGE):
    """An integer through the index protocol, refused outside [low, high] with the OverflowError messages given."""
    def convert(name, value):
        try:
            number = operator.index(value)
        except Exception as error:
            raise prefixed(name, error)
        if not low <= number <= high:
            raise Failure(OverflowError, below if number < low else above)
        return int(number)
    return convert


index = bounded(0, 2**64 - 1, "can't convert negative int to unsigned", "int too big to convert")


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
    keywords = {name: value for name, value in zip(names[cut:], values[cut:]) if value is not ABSENT}
    order = data.draw(st.permutations(list(keywords)), label="keyword order")
    return function(*values[:cut], **{name: keywords[name] for name in order})


def expect_failure(failure, thunk):
    with pytest.raises(BaseException) as caught:
        thunk()
    assert (type(caught.value), str(caught.value)) == failure.args
    event(f"raised {failure.args[0].__name__}")


def canonical_name(name, spellings, what):
    """An accepted spelling the text parses to, else the exact ValueError the call must raise."""
    canonical = spellings.get(name.lower())
    if canonical is None:
        raise Failure(ValueError, f"Unknown {what}: {name}")
    return canonical


# ---------------------------------------------------------------------------------------------------------------
# The short paths

# each accepted spelling (lower case) of a name argument and the first spelling of its row, which stands for it
HOUSE_SYSTEMS, AYANAMSHAS, VARGAS, LANGUAGES = (
    {spelling: spellings[0] for _, spellings in name_table(kind) for spelling in spellings} for kind in NAME_TABLES)
LEVELS = st.one_of(st.integers(0, 4), st.sampled_from([True, IntSub(2), Index(0), -1, 256, 2**64, 1.0, "3"]), misfits())
LANGUAGE = ("language", text, "en")

CHART = [("year", INT32, None), ("month", UINT32, None), ("day", UINT32, None), ("hour", UINT32, None),
         ("minute", UINT32, None), ("latitude", real, None), ("longitude", real, None), ("ayanamsha", text, "Lahiri"),
         ("house_system", text, "Placidus")]
# name: (parameters, {name position: (spellings, what)}, table size or None)
SHORT_PATHS = {
    "get_nakshatra": ([("sidereal_longitude", real, None)], {}, None),
    "calendar_to_jd": ([("year", INT32, None), ("month", UINT32, None), ("day", real, None)], {}, None),
    "compute_varga": ([("longitude", real, None), ("varga", text, None)], {1: (VARGAS, "varga")}, None),
    "compute_houses": ([("ramc", real, None), ("latitude", real, None), ("obliquity", real, None),
                        ("system", text, "Placidus")], {3: (HOUSE_SYSTEMS, "house system")}, None),
    "tropical_to_sidereal": ([("tropical_longitude", real, None), ("ayanamsha", text, "Lahiri"),
                              ("jd", real, 2451545.0)], {1: (AYANAMSHAS, "ayanamsha")}, None),
    "get_ayanamsha": ([("ayanamsha", text, "Lahiri"), ("jd", real, 2451545.0)], {0: (AYANAMSHAS, "ayanamsha")}, None),
    "compute_dasha": ([("moon_longitude", real, None), ("birth_jd", real, None), ("levels", UINT8, 3)], {}, None),
    "planet_name": ([("index", index, None), LANGUAGE], {1: (LANGUAGES, "language")}, 9),
    "sign_name": ([("index", index, None), LANGUAGE], {1: (LANGUAGES, "language")}, 12),
    "nakshatra_name_i18n": ([("index", index, None), LANGUAGE], {1: (LANGUAGES, "language")}, 27),
    "compute_natal_chart": (CHART, {7: (AYANAMSHAS, "ayanamsha"), 8: (HOUSE_SYSTEMS, "house system")}, None),
}
BODY_FAILURE = re.compile(r"Failed to compute (Sun|Moon|Mercury|Venus|Mars|Jupiter|Saturn|MeanNode|TrueNode): "
                          r"Julian Day \d+(\.\d+)? out of range \[990575, 2816788\]")


def check_call(data, name, values):
    """The call with `values` returns what the call with the converted, canonical arguments returns, or raises the
    first documented failure with its exact message."""
    function = getattr(zentaric, name)
    parameters, naming, size = SHORT_PATHS[name]
    try:
        arguments = converted(parameters, values)
        for position, (spellings, what) in naming.items():
            arguments[position] = canonical_name(arguments[position], spellings, what)
        if size is not None and arguments[0] >= size:
            raise Failure(IndexError, f"index {arguments[0]} is out of range: {name}() accepts 0 to {size - 1}")
        if name == "compute_natal_chart":
            year, month, day, hour, minute = arguments[:5]
            jd = zentaric.calendar_to_jd(year, month, (float(day) + hour / 24.0) + minute / 1440.0)
            if not 990575.0 <= jd <= 2816788.0:
                raise Failure(ValueError, f"Date out of range: JD {jd:.1f} outside [990575, 2816788]")
    except Failure as failure:
        return expect_failure(failure, lambda: call(function, parameters, values, data))
    try:
        result = call(function, parameters, values, data)
    except ValueError as error:  # the ephemeris reaches half a day either side of the birth, in TT, light-time shifted
        assert name == "compute_natal_chart" and min(jd - 990575.0, 2816788.0 - jd) < 1.5, str(error)
        assert BODY_FAILURE.fullmatch(str(error)), str(error)
        return event("raised ValueError (a body near the range ends)")
    event("returned")
    assert type(result) is type(function(*arguments)) and same(result, function(*arguments))
    if name == "compute_natal_chart":
        assert json.loads(result)["julian_day"] == jd


def strategy_for(name, kind, spellings):
    if name == "levels":
        return LEVELS
    return any_of(floats() if kind is real else texts(list(spellings)) if kind is text else integers())


def same(a, b):
    return a == b or (isinstance(a, float) and isinstance(b, float) and math.isnan(a) and math.isnan(b))


@settings(deadline=None, max_examples=1500, suppress_health_check=[HealthCheck.too_slow])
@given(st.data(), st.sampled_from(sorted(SHORT_PATHS)))
def test_every_function_with_arbitrary_arguments(data, name):
    parameters, naming, _ = SHORT_PATHS[name]
    values = []
    for position, (parameter, kind, default) in enumerate(parameters):
        drawn = strategy_for(parameter, kind, naming[position][0] if position in naming else ())
        values.append(data.draw(optional(drawn) if default is not None else drawn, label=parameter))
    check_call(data, name, values)


@settings(deadline=None, max_examples=150)
@given(st.data(), st.tuples(  # mostly charts that succeed, at the poles and the polar circles too
    st.integers(-2000, 3000), st.integers(0, 13), st.integers(0, 32), st.integers(0, 30), st.integers(0, 70),
    st.one_of(st.floats(-90.0, 90.0), st.sampled_from([-90, 90, 66.56, -66.56, -0.0]),
              st.floats(-90.0, 90.0).map(Real)),
    st.one_of(st.floats(-180.0, 180.0), st.floats(), st.integers(-720, 720)),
    optional(st.sampled_from(list(AYANAMSHAS)).map(str.upper)), optional(st.sampled_from(list(HOUSE_SYSTEMS)))))
def test_natal_chart_with_plausible_arguments(data, values):
    check_call(data, "compute_natal_chart", list(values))
