"""Writes tests/data/conversion_cases.json: about 4000 calls of the module's eleven functions with arguments of
every conversion kind, each with the outcome the argument conversion rules give it, for test_conversions.py.

The rules, stated here with the interpreter as the oracle: the integer kinds go through the index protocol
(`operator.index`) and refuse values outside their bounds with OverflowError; the float kind converts as
`math.ldexp(x, 0)` does (exact floats read directly, anything else through the float protocol); a text must be a
str that encodes as UTF-8 (`str.encode` fails exactly where the module does); a TypeError raised while converting
gains the prefix "argument '<name>': " and every other exception passes through unchanged; the first bad argument in
parameter order decides. Name arguments then match one of the spellings of the core's tables (read through the
probe library as the Python suite reads them) by their full lower-case form, an ayanamsha its system's text form or
a further name with blanks, '_' and '-' left out of both (unless it begins or ends with a blank); name indices
beyond their table raise IndexError; a natal chart outside the ephemeris's Julian Days raises ValueError.

A case's outcome is either {"raises": [exception name, exact message]} or {"same_as": canonical arguments}: the plain
arguments (parameter order, defaults filled in, names as their table's first spelling or text form) whose call
must return what the case's call returns. Arguments are JSON with a tagged form {"tag": inner} for the other objects (decoded by
tests/python/argument_objects.py); absent optional arguments are left out of the call.

Run from the repository root with the module and the probe library built (the sample is seeded: the same build
writes the same file):
    cmake -S . -B build/module -DZENTARIC_BUILD_TESTS=ON -DPython_EXECUTABLE=$PWD/.venv/bin/python
    cmake --build build/module -j2 --target zentaric zentaric_probe
    PYTHONPATH=build/module ZENTARIC_PROBE_LIB=$PWD/build/module/libzentaric_probe.so \
        .venv/bin/python tools/gen_reference_conversions.py
"""
import json
import math
import operator
import pathlib
import random
import struct
import sys
import warnings
from decimal import Decimal
from fractions import Fraction

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "python"))
from argument_objects import (ERRORS, LONG_TEXT, FloatSub, Index, IntSub, Name as StrSub, Raising,  # noqa: E402
                              Real)
from conftest import NAME_TABLES, name_table  # noqa: E402

import zentaric  # noqa: E402

OUTPUT = ROOT / "tests" / "data" / "conversion_cases.json"
SEED = 20261207
RANDOM_CALLS = 1500
PLAUSIBLE_CHARTS = 300
OUT_OF_RANGE = "out of range integral type conversion attempted"
ABSENT = object()  # an optional argument left out of the call

EDGE_FLOATS = [0.0, -0.0, math.nan, math.inf, -math.inf, 5e-324, 2.2250738585072014e-308, 1e308,
               -1.7976931348623157e308, 360.0, -360.0, 359.99999999999994, 13.333333333333334, 226.66666666666666,
               3.333333333333333, 29.999999999999996, 2.0**53, 1e16, 990575.0, 2816788.0, 66.56, 90.0, -90.0]
EDGE_INTEGERS = [0, 1, -1, 5, 6, 8, 9, 11, 12, 26, 27, 255, 256, 2**31 - 1, 2**31, -2**31, -2**31 - 1, 2**32 - 1,
                 2**32, 2**63, -2**63, 2**64 - 1, 2**64, 10**400]
SPECIAL_TEXTS = ["", "\0", "\udc80", "en\udcff", LONG_TEXT]
LOOK_ALIKES = {"k": ["\u212a"], "s": ["\u017f"], "i": ["\u0130", "\u0131"]}  # Kelvin sign, long s, dotted/dotless I
MISFITS = [None, b"", b"\x00en", 1 + 2j, complex(math.nan, 1), [], {}, object(), bytearray(b"en"), Decimal("1.5"),
           Decimal("nan"), *(Raising(error, text) for error in ERRORS.values() for text in ("", "x")),
           *map(Index, ["x", 1.5, None, FloatSub(2.0), IntSub(3), 2**80]),
           *map(Real, ["x", 7, None, IntSub(4), FloatSub(1.25), 2**80])]


class Failure(Exception):
    """The exception a call must raise: args (exception name, exact message)."""


def passed_on(name, error):
    """An exact TypeError gains the parameter's name; anything else passes through."""
    if type(error) is TypeError:
        return Failure("TypeError", f"argument '{name}': {error}")
    return Failure(type(error).__name__, str(error))


def bounded(low, high, below=OUT_OF_RANGE, above=OUT_OF_RANGE):
    def convert(name, value):
        try:
            number = operator.index(value)
        except Exception as error:
            raise passed_on(name, error)
        if not low <= number <= high:
            raise Failure("OverflowError", below if number < low else above)
        return int(number)
    return convert


def real(name, value):
    try:
        return math.ldexp(value, 0)
    except Exception as error:
        raise passed_on(name, error)


def text(name, value):
    if not isinstance(value, str):
        raise Failure("TypeError", f"argument '{name}': '{type(value).__qualname__}' object cannot be converted to "
                                   f"'PyString'")
    try:
        value.encode("utf-8")
    except UnicodeEncodeError as error:
        raise Failure("UnicodeEncodeError", str(error))
    return str(value)


INT32, UINT32, UINT8 = bounded(-2**31, 2**31 - 1), bounded(0, 2**32 - 1), bounded(0, 255)
INDEX = bounded(0, 2**64 - 1, "can't convert negative int to unsigned", "int too big to convert")
# each accepted spelling (lower case) of a name argument -> the first spelling of its row; for the ayanamshas the
# text form and further names, lower case without blanks, '_' and '-' -> the text form
HOUSE_SYSTEMS, _, VARGAS, LANGUAGES = (
    {spelling: spellings[0] for _, spellings in name_table(kind) for spelling in spellings} for kind in NAME_TABLES)


def loose(text):
    return "".join(c for c in text if c not in " _-")


AYANAMSHAS = {loose(key.lower()): name for name, further in name_table("ayanamsha") for key in (name, *further)}
NAMES = {"system": (HOUSE_SYSTEMS, "house system"), "house_system": (HOUSE_SYSTEMS, "house system"),
         "ayanamsha": (AYANAMSHAS, "ayanamsha"), "varga": (VARGAS, "varga"), "language": (LANGUAGES, "language")}
REQUIRED = object()
DATE = [("year", INT32, REQUIRED), ("month", UINT32, REQUIRED)]
NAME_ARGUMENTS = [("index", INDEX, REQUIRED), ("language", text, "en")]
# function -> its parameters (name, conversion, default) and the size of its name table (index functions)
FUNCTIONS = {
    "get_nakshatra": ([("sidereal_longitude", real, REQUIRED)], None),
    "calendar_to_jd": (DATE + [("day", real, REQUIRED)], None),
    "compute_varga": ([("longitude", real, REQUIRED), ("varga", text, REQUIRED)], None),
    "compute_houses": ([("ramc", real, REQUIRED), ("latitude", real, REQUIRED), ("obliquity", real, REQUIRED),
                        ("system", text, "Placidus")], None),
    "tropical_to_sidereal": ([("tropical_longitude", real, REQUIRED), ("ayanamsha", text, "Lahiri"),
                              ("jd", real, 2451545.0)], None),
    "get_ayanamsha": ([("ayanamsha", text, "Lahiri"), ("jd", real, 2451545.0)], None),
    "compute_dasha": ([("moon_longitude", real, REQUIRED), ("birth_jd", real, REQUIRED), ("levels", UINT8, 3)], None),
    "planet_name": (NAME_ARGUMENTS, 9),
    "sign_name": (NAME_ARGUMENTS, 12),
    "nakshatra_name_i18n": (NAME_ARGUMENTS, 27),
    "compute_natal_chart": (DATE + [(name, UINT32, REQUIRED) for name in ("day", "hour", "minute")] + [
        ("latitude", real, REQUIRED), ("longitude", real, REQUIRED), ("ayanamsha", text, "Lahiri"),
        ("house_system", text, "Placidus")], None),
}
FIRST_JD, LAST_JD = 990575.0, 2816788.0


def outcome(function, values):
    """{"same_as": canonical arguments} (with the chart's Julian Day), or {"raises": [name, message]}."""
    parameters, size = FUNCTIONS[function]
    try:
        arguments = [default if value is ABSENT else convert(name, value)
                     for (name, convert, default), value in zip(parameters, values)]
        for position, (name, _, _) in enumerate(parameters):
            if name in NAMES:
                spellings, what = NAMES[name]
                key = arguments[position].lower()
                if spellings is AYANAMSHAS and not key.startswith(" ") and not key.endswith(" "):
                    key = loose(key)
                if key not in spellings:
                    raise Failure("ValueError", f"Unknown {what}: {arguments[position]}")
                arguments[position] = spellings[key]
        if size is not None and arguments[0] >= size:
            raise Failure("IndexError", f"index {arguments[0]} is out of range: {function}() accepts 0 to {size - 1}")
        if function == "compute_natal_chart":
            year, month, day, hour, minute = arguments[:5]
            jd = zentaric.calendar_to_jd(year, month, (float(day) + hour / 24.0) + minute / 1440.0)
            if not FIRST_JD <= jd <= LAST_JD:
                raise Failure("ValueError", f"Date out of range: JD {jd:.1f} outside [990575, 2816788]")
            if min(jd - FIRST_JD, LAST_JD - jd) < 1.5:
                return None  # the ephemeris reaches half a day either side, light-time shifted: no stable outcome
            return {"same_as": arguments, "julian_day": jd}
        return {"same_as": arguments}
    except Failure as failure:
        return {"raises": list(failure.args)}


def encode(value):
    """The JSON form that argument_objects.decode reads back."""
    for kind, tag in ((IntSub, "IntSub"), (FloatSub, "FloatSub"), (StrSub, "StrSub"), (Index, "Index"), (Real, "Real")):
        if type(value) is kind:
            return {tag: encode(kind.__mro__[1](value) if tag.endswith("Sub") else value.value)}
    if isinstance(value, float) and not math.isfinite(value):
        return {"float": repr(value)}
    if isinstance(value, str) and value.endswith(LONG_TEXT):
        return {"Long": value[:-len(LONG_TEXT)]}
    if isinstance(value, (list, tuple)):
        return [encode(item) for item in value]
    if isinstance(value, Raising):
        return {"Raising": [value.error.__name__, value.text]}
    if isinstance(value, (bytes, bytearray)):
        return {type(value).__name__: list(value)}
    if isinstance(value, complex):
        return {"complex": encode([value.real, value.imag])}
    if isinstance(value, Fraction):
        return {"Fraction": [value.numerator, value.denominator]}
    if isinstance(value, (Decimal, dict)) or type(value) is object:
        return {type(value).__name__: str(value) if isinstance(value, Decimal) else []}
    return value  # None, bool, int, finite float, str


class Draw(random.Random):
    """Arguments of each conversion kind: mostly values of the kind, one draw in six a misfit."""

    def integer(self):
        plain = self.choice([self.randint(-300, 300), self.randint(-2**70, 2**70), self.choice(EDGE_INTEGERS)])
        return self.choice([plain, plain, bool(plain % 2), IntSub(plain), Index(plain)])

    def plain_float(self):
        bits = struct.unpack("<d", self.getrandbits(64).to_bytes(8, "little"))[0]
        return self.choice([self.uniform(-1e3, 1e3), bits, self.choice(EDGE_FLOATS)])

    def number(self):
        plain = self.plain_float()
        return self.choice([plain, plain, FloatSub(plain), Real(plain), self.randint(-2**60, 2**60), self.random() < .5,
                            self.choice([2**1024, -2**1024, 10**400]), Fraction(self.randint(-10**6, 10**6),
                                                                                self.randint(1, 1000))])

    def spelled(self, spelling):
        return "".join(self.choice([c, c.upper()] + LOOK_ALIKES.get(c, [])) for c in spelling)

    def text(self, spellings):
        alphabet = "aekinsIKS \0\u00e9\u212a\u017f\u0130\u0131"
        plain = self.choice([self.spelled(self.choice(list(spellings))), self.choice(SPECIAL_TEXTS),
                             "".join(self.choice([self.choice(alphabet), chr(self.randrange(0x110000))])
                                     for _ in range(self.randint(0, 12)))])
        return self.choice([plain, plain, StrSub(plain)])

    def value(self, name, convert):
        if self.randrange(6) == 0:
            return self.choice(MISFITS)
        if name == "levels":
            return self.choice([self.randint(0, 4), self.randint(0, 4), True, IntSub(2), Index(0), -1, 256, 2**64,
                                1.0, "3"])
        return self.number() if convert is real else self.text(NAMES[name][0]) if convert is text else self.integer()

    def values(self, function):
        return [ABSENT if default is not REQUIRED and self.randrange(3) == 0 else self.value(name, convert)
                for name, convert, default in FUNCTIONS[function][0]]

    def good(self, function):
        """Plain values every parameter accepts (a plausible chart for compute_natal_chart)."""
        if function == "compute_natal_chart":
            return self.plausible_chart()
        return [ABSENT if default is not REQUIRED and self.randrange(2) == 0 else self.uniform(-1e3, 1e3)
                if convert is real else self.spelled(self.choice(list(NAMES[name][0]))) if convert is text else
                self.randint(1, 8) for name, convert, default in FUNCTIONS[function][0]]

    def plausible_chart(self):
        """Mostly charts that succeed, at the poles and the polar circles too."""
        return [self.randint(-2000, 3000), self.randint(0, 13), self.randint(0, 32), self.randint(0, 30),
                self.randint(0, 70), self.choice([self.uniform(-90, 90), self.choice([-90, 90, 66.56, -66.56, -0.0]),
                                                  Real(self.uniform(-90, 90))]),
                self.choice([self.uniform(-180, 180), self.plain_float(), self.randint(-720, 720)]),
                self.choice([ABSENT, self.choice(list(AYANAMSHAS)).upper()]),
                self.choice([ABSENT, self.choice(list(HOUSE_SYSTEMS))])]


def edge_calls(draw):
    """Every function with each edge value, each misfit, each wrapper and each spelling in each parameter, the
    other arguments plain values that convert."""
    for function, (parameters, _) in FUNCTIONS.items():
        for position, (name, convert, _) in enumerate(parameters):
            if convert is text:
                spellings = NAMES[name][0]
                specials = [draw.spelled(s) for s in spellings] + SPECIAL_TEXTS + [StrSub(s) for s in SPECIAL_TEXTS]
            elif convert is real:
                specials = EDGE_FLOATS + [FloatSub(1.5), Real(-0.0), 7, True, 2**1024, 10**400, Fraction(1, 3)]
            else:
                specials = EDGE_INTEGERS + [True, False, IntSub(2), Index(3), Index(-1), Index(2**64), 1.0, "3"]
            for special in specials + MISFITS:
                values = draw.good(function)
                values[position] = special
                yield function, values


def call_form(draw, values):
    """The arguments split at random between positions and keywords (in random order); absent ones left out."""
    cut = draw.randint(0, next((i for i, v in enumerate(values) if v is ABSENT), len(values)))
    return values[:cut], draw.sample([i for i in range(cut, len(values)) if values[i] is not ABSENT],
                                     k=sum(v is not ABSENT for v in values[cut:]))


def main():
    warnings.simplefilter("ignore", DeprecationWarning)  # __index__ and __float__ returning subclasses
    draw = Draw(SEED)
    calls = list(edge_calls(draw))
    calls += [(function, draw.values(function)) for function in draw.choices(sorted(FUNCTIONS), k=RANDOM_CALLS)]
    calls += [("compute_natal_chart", draw.plausible_chart()) for _ in range(PLAUSIBLE_CHARTS)]
    lines = []
    for function, values in calls:
        expected = outcome(function, values)
        if expected is None:
            continue
        positional, keyword_order = call_form(draw, values)
        names = [name for name, _, _ in FUNCTIONS[function][0]]
        case = {"function": function, "args": encode(positional),
                "kwargs": {names[i]: encode(values[i]) for i in keyword_order},
                **{key: encode(value) for key, value in expected.items()}}
        lines.append(json.dumps(case))
    OUTPUT.write_text('{"generator": "tools/gen_reference_conversions.py", "seed": %d,\n "cases": [\n  %s\n]}\n'
                      % (SEED, ",\n  ".join(lines)))
    print(f"{len(lines)} cases -> {OUTPUT.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
