"""Three real births whose chart documents must come out byte for byte as stored (tools/gen_golden_charts.py):
numbers, key order, names and layout together."""
import json
import pathlib

import pytest

import zentaric

GOLDEN = pathlib.Path(__file__).parents[1] / "data" / "golden"


@pytest.mark.parametrize("name, arguments", json.loads((GOLDEN / "births.json").read_text()).items())
def test_chart_document_is_byte_exact(name, arguments):
    assert zentaric.compute_natal_chart(*arguments) + "\n" == (GOLDEN / f"{name}.json").read_text(encoding="utf-8")
