"""The committed powers-of-ten table of the JSON number writer is exactly what tools/gen_decimal_powers.py writes."""
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]


def test_decimal_powers_table_is_current():
    sys.path.insert(0, str(ROOT / "tools"))
    try:
        import gen_decimal_powers
    finally:
        sys.path.pop(0)
    for relative_path, text in gen_decimal_powers.outputs().items():
        assert (ROOT / relative_path).read_text(encoding="utf-8") == text, relative_path
