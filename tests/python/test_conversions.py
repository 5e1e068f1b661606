"""Argument conversion of every function: the stored calls of tools/gen_reference_conversions.py
(tests/data/conversion_cases.json) raise their exact exception and message, or return what the same call with the
plain, canonical arguments returns (both calls made here)."""
import json
import pathlib

import pytest

import zentaric
from argument_objects import decode

pytestmark = pytest.mark.filterwarnings("ignore::DeprecationWarning")  # __index__/__float__ returning subclasses

CASES = json.loads((pathlib.Path(__file__).parents[1] / "data" / "conversion_cases.json").read_text())["cases"]


def outcome(call):
    try:
        result = call()
    except Exception as error:
        return "raises", type(error).__name__, str(error)
    return "returns", type(result).__name__, result if type(result) is str else repr(result)  # repr: NaN == NaN


def mismatch(function, case):
    """None when the stored call behaves as recorded, else what it (and the canonical call) did."""
    args, kwargs = decode(case["args"]), {name: decode(value) for name, value in case["kwargs"].items()}
    got = outcome(lambda: function(*args, **kwargs))
    if "raises" in case:
        return None if got == ("raises", *decode(case["raises"])) else got
    want = outcome(lambda: function(*decode(case["same_as"])))
    if want[0] == "raises" or "julian_day" in case and json.loads(want[2])["julian_day"] != case["julian_day"]:
        return got, want  # the canonical call must return, and a chart at the stored Julian Day
    return None if got == want else (got, want)


@pytest.mark.parametrize("name", sorted({case["function"] for case in CASES}))
def test_stored_calls_convert_as_recorded(name):
    function = getattr(zentaric, name)
    failures = [(index, case, found) for index, case in enumerate(CASES)
                if case["function"] == name and (found := mismatch(function, case)) is not None]
    assert not failures, f"{len(failures)} of the stored calls differ, first: {str(failures[0])[:2000]}"
