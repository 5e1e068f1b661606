"""The module's surface: registration, signatures, chained causes, import in sub-interpreters."""
import inspect
import json
import os
import pathlib
import subprocess
import sys

import pytest

import zentaric

# name, signature and first sentence of the docstring of each function, in registration order
TABLE = pathlib.Path(__file__).parents[1] / "data" / "module_functions.json"
FUNCTIONS = [tuple(f.values()) for f in json.loads(TABLE.read_text(encoding="utf-8"))["functions"]]


def test_module_exposes_exactly_its_functions_in_registration_order():
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


SUBINTERPRETER_CODE = """
import sys
try:
    import zentaric
except ImportError as error:
    sys.stdout.write("sub-interpreter refused: " + str(error) + "\\n")
"""


# A legacy sub-interpreter (shared GIL, single-phase modules allowed: the module's own initialisation must refuse) and
# an isolated one (own GIL: refuses single-phase modules itself, after running their initialisation).
@pytest.mark.parametrize("main_imports_first", [True, False], ids=["main-first", "sub-first"])
@pytest.mark.parametrize("isolated", [False, True], ids=["legacy", "isolated"])
def test_sub_interpreter_import_is_refused_and_main_still_imports(isolated, main_imports_first):
    script = (("import zentaric\n" if main_imports_first else "") + "import _xxsubinterpreters as interpreters\n"
              f"i = interpreters.create(isolated={isolated})\ninterpreters.run_string(i, {SUBINTERPRETER_CODE!r})\n"
              "interpreters.destroy(i)\nimport zentaric\nprint('main: ' + zentaric.sign_name(11))\n")
    result = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, timeout=60,
                            env={**os.environ, "PYTHONPATH": os.pathsep.join(sys.path)})
    lines = result.stdout.splitlines()
    assert result.returncode == 0 and len(lines) == 2, result.stdout + result.stderr
    assert lines[0].startswith("sub-interpreter refused: ")
    assert isolated or "sub-interpreters are not supported" in lines[0]
    assert lines[1] == "main: Pisces"
