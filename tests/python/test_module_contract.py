"""The module's surface: registration, signatures, chained causes, import."""
import inspect
import json
import os
import pathlib
import subprocess
import sys

import pytest

import zentaric

# name, signature and first sentence of the docstring of each function, in registration order
FUNCTIONS = [tuple(f.values()) for f in json.loads((pathlib.Path(__file__).parents[1] / "data" / "module_functions.json")
                                                   .read_text(encoding="utf-8"))["functions"]]


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


def test_type_error_prefix_keeps_the_original_as_cause():
    with pytest.raises(TypeError) as caught:
        zentaric.get_nakshatra("x")
    cause = caught.value.__cause__
    assert type(cause) is TypeError and str(cause) == "must be real number, not str"


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

# Both kinds of sub-interpreter: a legacy one (shared GIL, single-phase modules
# allowed, so the module's own initialisation must refuse) and an isolated one (own GIL, which refuses single-phase
# modules itself, after running their initialisation).
SUBINTERPRETER_RUNNERS = {
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
