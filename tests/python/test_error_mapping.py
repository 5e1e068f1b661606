"""Each failure reaches Python as the documented exception: exact class, the message as its single argument, and
nothing chained to it. The binding messages follow the interpreter's own templates; every conversion message is
checked by the property tests."""
import builtins
import json
import locale
import os
import pathlib
import subprocess
import sys

import pytest

import zentaric

# id, function, positional and keyword arguments, exception and exact message
ERRORS = json.loads((pathlib.Path(__file__).parents[1] / "data" / "error_messages.json").read_text(encoding="utf-8"))
CALLS = [pytest.param(getattr(zentaric, e["function"]), e["args"], e["kwargs"], getattr(builtins, e["exception"]),
                      e["message"], id=e["id"]) for e in ERRORS["errors"]]


@pytest.mark.parametrize("function, args, kwargs, exception, message", CALLS)
def test_failure_becomes_the_documented_exception(function, args, kwargs, exception, message):
    with pytest.raises(BaseException) as caught:
        function(*args, **kwargs)
    error = caught.value
    assert type(error) is exception
    assert error.args == (message,)
    assert error.__cause__ is None and error.__context__ is None


def test_messages_and_chart_do_not_follow_a_decimal_comma_locale():
    # `make test-deps` generates de_DE.UTF-8 where the machine lacks it; a missing locale must not pass unnoticed
    chart = zentaric.compute_natal_chart(1990, 5, 15, 10, 30, 28.6139, 77.209, "Lahiri", "WholeSign")
    for category in (locale.LC_NUMERIC, locale.LC_ALL):
        saved = locale.setlocale(category)
        try:
            try:
                locale.setlocale(category, "de_DE.UTF-8")
            except locale.Error:
                pytest.fail("locale de_DE.UTF-8 not available: run `make test-deps` (localedef -i de_DE -f UTF-8)")
            assert locale.localeconv()["decimal_point"] == ","
            for function, args, kwargs, exception, message in (call.values for call in CALLS):
                with pytest.raises(exception) as caught:
                    function(*args, **kwargs)
                assert str(caught.value) == message
            with pytest.raises(ValueError, match=r"^Date out of range: JD 3547272\.5 outside \[990575, 2816788\]$"):
                zentaric.compute_natal_chart(5000, 1, 1, 0, 0, 0.0, 0.0)
            assert zentaric.compute_natal_chart(1990, 5, 15, 10, 30, 28.6139, 77.209, "Lahiri", "WholeSign") == chart
        finally:
            locale.setlocale(category, saved)


OUT_OF_MEMORY_SCRIPT = """
import resource, zentaric
name = "x" * 50_000_000  # made before the limit; every parser copies it
soft, hard = resource.getrlimit(resource.RLIMIT_AS)
in_use = int(open("/proc/self/statm").read().split()[0]) * resource.getpagesize()
resource.setrlimit(resource.RLIMIT_AS, (in_use + 4 * 1024 * 1024, hard))
for call in (lambda: zentaric.compute_dasha(12.0, 2451545.0, 5), lambda: zentaric.get_ayanamsha(name),
             lambda: zentaric.compute_houses(1.0, 2.0, 3.0, name), lambda: zentaric.sign_name(1, name)):
    try:
        call()
        print("returned")
    except MemoryError:
        print("MemoryError")
resource.setrlimit(resource.RLIMIT_AS, (soft, hard))
print(zentaric.compute_dasha(12.0, 2451545.0, 5)[:18])
"""


@pytest.mark.not_sanitized("an address-space limit: the sanitizer reserves terabytes of shadow memory")
def test_running_out_of_memory_raises_memory_error_and_the_module_recovers():
    # a C++ allocation failure must not unwind into the interpreter (which would abort the process)
    result = subprocess.run([sys.executable, "-c", OUT_OF_MEMORY_SCRIPT], capture_output=True, text=True, timeout=60,
                            env={**os.environ, "PYTHONPATH": os.pathsep.join(sys.path)})
    assert result.returncode == 0, result.stderr
    assert result.stdout.splitlines() == ["MemoryError"] * 4 + ['{"moon_nakshatra":']
