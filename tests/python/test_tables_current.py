"""The committed generated tables are exactly what tools/ writes: the VSOP87A, ELP/MPP02 and IAU 2000B
tables from the published data in ../shared/data (skipped where that data is absent), and the JSON
writer's powers of ten."""
import pathlib
import sys

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
DATA = ROOT.parent / "shared" / "data"

pytestmark = pytest.mark.not_sanitized("regenerates the tables in plain Python: no compiled code runs")


@pytest.fixture(scope="module")
def check_tables():
    sys.path.insert(0, str(ROOT / "tools"))
    try:
        import check_tables
    finally:
        sys.path.pop(0)
    return check_tables


def test_self_contained_tables_are_current(check_tables):
    assert check_tables.stale_tables() == []


@pytest.mark.skipif(not DATA.is_dir(), reason="published data ../shared/data not present")
def test_tables_from_published_data_are_current(check_tables):
    assert check_tables.stale_tables(str(DATA)) == []
