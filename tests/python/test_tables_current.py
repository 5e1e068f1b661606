"""The committed VSOP87A, ELP/MPP02 and IAU 2000B tables are exactly what tools/ generates from the
published data in ../shared/data (skipped where that data is absent)."""
import pathlib
import sys

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
DATA = ROOT.parent / "shared" / "data"

pytestmark = pytest.mark.skipif(not DATA.is_dir(), reason="published data ../shared/data not present")


def test_generated_tables_are_current():
    sys.path.insert(0, str(ROOT / "tools"))
    try:
        import check_tables
    finally:
        sys.path.pop(0)
    assert check_tables.stale_tables(str(DATA)) == []
