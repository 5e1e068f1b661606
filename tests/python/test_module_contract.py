"""The module's surface: registration, signatures, argument binding and conversion, error mapping."""
import inspect
import os
import subprocess
import sys

import pytest

import zentaric
from argument_objects import BadIndex, Index, Name, Real

FUNCTIONS = [
    ("compute_dasha", "(moon_longitude, birth_jd, levels=3)",
     "Compute Vimshottari Dasha from Moon's sidereal longitude."),
    ("get_nakshatra", "(sidereal_longitude)", "Get nakshatra and pada for a sidereal longitude."),
    ("compute_varga", "(longitude, varga)", "Compute varga (divisional chart) sign for a longitude."),
    ("compute_houses", "(ramc, latitude, obliquity, system='Placidus')", "Compute house cusps."),
    ("tropical_to_sidereal", "(tropical_longitude, ayanamsha='Lahiri', jd=2451545.0)",
     "Convert tropical longitude to sidereal."),
    ("get_ayanamsha", "(ayanamsha='Lahiri', jd=2451545.0)", "Get ayanamsha value in degrees for a given date."),
    ("calendar_to_jd", "(year, month, day)", "Convert calendar date to Julian Day."),
    ("planet_name", "(index, language='en')", "Get planet name in a specified language."),
    ("sign_name", "(index, language='en')", "Get sign name in a specified language."),
    ("nakshatra_name_i18n", "(index, language='en')", "Get nakshatra name in a specified language."),
    ("compute_natal_chart",
     "(year, month, day, hour, minute, latitude, longitude, ayanamsha='Lahiri', house_system='Placidus')",
     "Compute a complete natal chart from birth data."),
]


def test_module_exposes_exactly_the_eleven_functions_in_registration_order():
    names = [name for name, _, _ in FUNCTIONS]
    assert zentaric.__all__ == names
    assert zentaric.__doc__ == "Zentaric Python module."
    public = {n for n in vars(zentaric) if not (n.startswith("__") and n.endswith("__"))}
    assert public == set(names)


@pytest.mark.parametrize("name, signature, first_sentence", FUNCTIONS)
def test_signature_and_docstring(name, signature, first_sentence):
    function = getattr(zentaric, name)
    assert str(inspect.signature(function)) == signature
    assert function.__doc__.startswith(first_sentence)
    kinds = {p.kind for p in inspect.signature(function).parameters.values()}
    assert kinds == {inspect.Parameter.POSITIONAL_OR_KEYWORD}


@pytest.mark.parametrize("call, message", [
    (lambda: zentaric.compute_natal_chart(2000, 1, 1, 12, 0, 10.0),
     "compute_natal_chart() missing 1 required positional argument: 'longitude'"),
    (lambda: zentaric.compute_natal_chart(2000, 1, 1, 12, 0),
     "compute_natal_chart() missing 2 required positional arguments: 'latitude' and 'longitude'"),
    (lambda: zentaric.compute_natal_chart(2000, 1),
     "compute_natal_chart() missing 5 required positional arguments: 'day', 'hour', 'minute', 'latitude', "
     "and 'longitude'"),
    (lambda: zentaric.calendar_to_jd(),
     "calendar_to_jd() missing 3 required positional arguments: 'year', 'month', and 'day'"),
    (lambda: zentaric.calendar_to_jd(2000, 1, 1.5, 4),
     "calendar_to_jd() takes 3 positional arguments but 4 were given"),
    (lambda: zentaric.get_nakshatra(1.0, 2.0), "get_nakshatra() takes 1 positional arguments but 2 were given"),
    (lambda: zentaric.tropical_to_sidereal(1.0, "Lahiri", 2451545.0, 1),
     "tropical_to_sidereal() takes from 1 to 3 positional arguments but 4 were given"),
    (lambda: zentaric.get_ayanamsha("Lahiri", 1.0, 2),
     "get_ayanamsha() takes from 0 to 2 positional arguments but 3 were given"),
    (lambda: zentaric.get_ayanamsha(julian_day=1.0),
     "get_ayanamsha() got an unexpected keyword argument 'julian_day'"),
    (lambda: zentaric.sign_name(1, index=2), "sign_name() got multiple values for argument 'index'"),
    (lambda: zentaric.compute_varga(varga="d9"),
     "compute_varga() missing 1 required positional argument: 'longitude'"),
])
def test_binding_errors(call, message):
    with pytest.raises(TypeError) as caught:
        call()
    assert str(caught.value) == message


def test_binding_fails_before_any_conversion():
    # a bad value and an unknown keyword: the keyword is reported, the value never looked at
    with pytest.raises(TypeError, match="unexpected keyword argument 'x'"):
        zentaric.calendar_to_jd("bad", 1, 1.0, x=1)


def test_keywords_and_positions_bind_alike():
    assert zentaric.calendar_to_jd(day=1.5, month=1, year=2000) == zentaric.calendar_to_jd(2000, 1, 1.5)
    assert zentaric.tropical_to_sidereal(10.0, jd=2451545.0) == zentaric.tropical_to_sidereal(10.0)




@pytest.mark.parametrize("call, expected", [
    (lambda: zentaric.calendar_to_jd(True, True, 1.5), zentaric.calendar_to_jd(1, 1, 1.5)),
    (lambda: zentaric.calendar_to_jd(Index(2000), Index(1), 1.5), 2451545.0),
    (lambda: zentaric.calendar_to_jd(2000, 1, 1), 2451544.5),
    (lambda: zentaric.calendar_to_jd(2000, 1, Real(2.5)), 2451546.0),
    (lambda: zentaric.calendar_to_jd(-2**31, 0, 0.0), zentaric.calendar_to_jd(-2147483648, 0, 0.0)),
    (lambda: zentaric.sign_name(Index(11)), "Pisces"),
    (lambda: zentaric.sign_name(False), "Aries"),
    (lambda: zentaric.compute_varga(30.0, Name("D9")), 9),
    (lambda: zentaric.get_nakshatra(True)["index"], 0),
])
def test_accepted_conversions(call, expected):
    assert call() == expected


OUT_OF_RANGE = (OverflowError, "out of range integral type conversion attempted")


@pytest.mark.parametrize("call, exception, message", [
    (lambda: zentaric.calendar_to_jd(2**31, 1, 1.0), *OUT_OF_RANGE),
    (lambda: zentaric.calendar_to_jd(-2**31 - 1, 1, 1.0), *OUT_OF_RANGE),
    (lambda: zentaric.calendar_to_jd(2000, -1, 1.0), *OUT_OF_RANGE),
    (lambda: zentaric.calendar_to_jd(2000, 2**32, 1.0), *OUT_OF_RANGE),
    (lambda: zentaric.calendar_to_jd(2**100, 1, 1.0), *OUT_OF_RANGE),
    (lambda: zentaric.compute_dasha(0.0, 0.0, 256), *OUT_OF_RANGE),
    (lambda: zentaric.compute_dasha(0.0, 0.0, -1), *OUT_OF_RANGE),
    (lambda: zentaric.sign_name(-1), OverflowError, "can't convert negative int to unsigned"),
    (lambda: zentaric.sign_name(2**64), OverflowError, "int too big to convert"),
    (lambda: zentaric.calendar_to_jd(2000.0, 1, 1.0), TypeError,
     "argument 'year': 'float' object cannot be interpreted as an integer"),
    (lambda: zentaric.calendar_to_jd(2000, "1", 1.0), TypeError,
     "argument 'month': 'str' object cannot be interpreted as an integer"),
    (lambda: zentaric.calendar_to_jd(2000, 1, "1"), TypeError, "argument 'day': must be real number, not str"),
    (lambda: zentaric.sign_name(1.0), TypeError, "argument 'index': 'float' object cannot be interpreted as an integer"),
    (lambda: zentaric.compute_varga(1.0, b"d9"), TypeError,
     "argument 'varga': 'bytes' object cannot be converted to 'PyString'"),
    (lambda: zentaric.get_ayanamsha(None), TypeError,
     "argument 'ayanamsha': 'NoneType' object cannot be converted to 'PyString'"),
    (lambda: zentaric.sign_name(1, language=None), TypeError,
     "argument 'language': 'NoneType' object cannot be converted to 'PyString'"),
    (lambda: zentaric.sign_name(BadIndex()), ValueError, "no index"),
    (lambda: zentaric.calendar_to_jd(2000, 1, 10**400), OverflowError, "int too large to convert to float"),
])
def test_conversion_errors(call, exception, message):
    with pytest.raises(exception) as caught:
        call()
    assert type(caught.value) is exception
    assert str(caught.value) == message


def test_type_error_prefix_keeps_the_original_as_cause():
    with pytest.raises(TypeError) as caught:
        zentaric.get_nakshatra("x")
    cause = caught.value.__cause__
    assert type(cause) is TypeError and str(cause) == "must be real number, not str"


def test_lone_surrogate_raises_the_interpreters_unicode_error():
    with pytest.raises(UnicodeEncodeError):
        zentaric.get_ayanamsha("\udc80")


def test_conversion_follows_parameter_order():
    # both year and day are bad: the first parameter is reported
    with pytest.raises(TypeError, match="^argument 'year'"):
        zentaric.calendar_to_jd("y", 1, "d")


def test_absent_optional_text_takes_default_but_empty_text_is_a_name():
    assert zentaric.get_ayanamsha() == zentaric.get_ayanamsha("Lahiri", 2451545.0)
    with pytest.raises(ValueError) as caught:
        zentaric.get_ayanamsha("")
    assert str(caught.value) == "Unknown ayanamsha: "


def test_reimport_gives_the_same_module_object():
    import importlib
    first = sys.modules["zentaric"]
    del sys.modules["zentaric"]
    try:
        again = importlib.import_module("zentaric")
        assert again is first
    finally:
        sys.modules["zentaric"] = first


SUBINTERPRETER_CODE = """
import sys
try:
    import zentaric
except ImportError as error:
    sys.stdout.write("sub-interpreter refused: " + str(error) + "\\n")
else:
    sys.stdout.write("sub-interpreter imported\\n")
"""

# Each way the interpreter offers to run code in a sub-interpreter: a legacy one (shared GIL, single-phase modules
# allowed, so the module's own initialisation must refuse) and an isolated one (own GIL, which refuses single-phase
# modules itself, after running their initialisation).
SUBINTERPRETER_RUNNERS = {
    "legacy, _testcapi.run_in_subinterp": "import _testcapi\n_testcapi.run_in_subinterp({code!r})\n",
    "legacy, _xxsubinterpreters": "import _xxsubinterpreters as interpreters\n"
                                  "i = interpreters.create(isolated=False)\n"
                                  "interpreters.run_string(i, {code!r})\ninterpreters.destroy(i)\n",
    "isolated, _xxsubinterpreters": "import _xxsubinterpreters as interpreters\n"
                                    "i = interpreters.create(isolated=True)\n"
                                    "interpreters.run_string(i, {code!r})\ninterpreters.destroy(i)\n",
}


@pytest.mark.parametrize("main_imports_first", [True, False], ids=["main-first", "sub-first"])
@pytest.mark.parametrize("runner", list(SUBINTERPRETER_RUNNERS))
def test_sub_interpreter_import_is_refused_and_main_still_imports(runner, main_imports_first):
    # Whichever interpreter tries first, a sub-interpreter gets ImportError and the main interpreter the module.
    script = (("import zentaric\n" if main_imports_first else "")
              + SUBINTERPRETER_RUNNERS[runner].format(code=SUBINTERPRETER_CODE)
              + "import sys, zentaric\nsys.stdout.write('main: ' + zentaric.sign_name(11) + '\\n')\n")
    result = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, timeout=60,
                            env={**os.environ, "PYTHONPATH": os.pathsep.join(sys.path)})
    lines = result.stdout.splitlines()
    assert result.returncode == 0 and len(lines) == 2, result.stdout + result.stderr
    assert lines[0].startswith("sub-interpreter refused: ")
    if runner.startswith("legacy"):
        assert "sub-interpreters are not supported" in lines[0]
    assert lines[1] == "main: Pisces"
