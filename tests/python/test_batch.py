"""charts_frame against one-at-a-time `natal` calls: in one process, in a pool, on a Dask cluster (the command line:
test_batch_faults.py)."""
import functools
import math
import subprocess
import sys
from datetime import UTC, datetime, timedelta

import pandas
import pytest

from zentaric_chart import Birth, natal
from zentaric_chart import batch
from zentaric_chart.batch import BODY_FIELDS, COLUMNS, LAGNA_FIELDS, charts_frame

pytestmark = pytest.mark.not_sanitized("pandas, pyarrow and Dask's worker processes under the preloaded sanitizer "
                                       "runtime; the module calls here are those of the other suites")


def _births():
    """300 births over 1800-2100 in UTC and local zones, with the rows that must fail (and one that must not)."""
    zones = [None, "Asia/Kolkata", "Europe/Berlin", "America/New_York", "Australia/Sydney"]
    rows = []
    for k in range(290):
        moment = datetime(1800, 1, 1) + timedelta(minutes=k * 547_391 + k * k * 37)
        rows.append({"time": moment.isoformat(sep=" ", timespec="seconds"), "tz": zones[k % 5],
                     "latitude": -66.0 + k * 0.47, "longitude": -179.0 + k * 1.23, "fold": None})
    rows += [
        {"time": "2021-03-28 02:30", "tz": "Europe/Berlin", "latitude": 52.5, "longitude": 13.4},  # gap
        {"time": "2021-10-31 02:30", "tz": "Europe/Berlin", "latitude": 52.5, "longitude": 13.4},  # twice
        {"time": "2021-10-31 02:30", "tz": "Europe/Berlin", "latitude": 52.5, "longitude": 13.4, "fold": 1},
        {"time": "1990-05-15 10:30", "tz": "Mars/Olympus", "latitude": 0.0, "longitude": 0.0},
        {"time": "1990-05-15 10:30", "latitude": 91.0, "longitude": 0.0},
        {"time": "1990-05-15 10:30", "latitude": 10.0, "longitude": math.nan},
        {"time": "3500-01-01 00:00", "latitude": 10.0, "longitude": 10.0},
        {"time": "the fifteenth of May", "latitude": 10.0, "longitude": 10.0},
        {"time": None, "latitude": 10.0, "longitude": 10.0},
        {"time": "1990-05-15T10:30+05:30", "latitude": 89.9, "longitude": 10.0},  # polar fallback
    ]
    frame = pandas.DataFrame(rows)
    frame.index = [f"birth {k}" for k in range(len(frame))][::-1]  # a non-default index must be kept
    return frame


def _one_at_a_time(row, ayanamsha, houses, node="mean"):
    """The columns of one birth read from `natal`'s Chart (or its error), or the message of its failure."""
    try:
        fold = None if pandas.isna(row.fold) else int(row.fold)
        zone = "UTC" if pandas.isna(row.tz) else row.tz
        for column in ("time", "latitude", "longitude"):  # an empty cell of a table is missing, not a number
            if getattr(row, column) is None or pandas.isna(getattr(row, column)):
                raise ValueError(f"{column} is missing")
        chart = natal(Birth(row.time, row.latitude, row.longitude, tz=zone, fold=fold), ayanamsha, houses, node=node)
    except ValueError as error:
        return str(error)
    values = {"utc": chart.birth.utc, "julian_day": chart.julian_day, "ayanamsha_value": chart.ayanamsha_value}
    for body in chart.bodies:
        values.update({f"{body.name.lower()}_{field}": getattr(body, field) for field in BODY_FIELDS})
    values.update({f"lagna_{field}": getattr(chart.lagna, field) for field in LAGNA_FIELDS})
    values.update({f"cusp_{k}": cusp for k, cusp in enumerate(chart.houses.cusps_sidereal, 1)})
    values.update({f"cusp_{k}_tropical": cusp for k, cusp in enumerate(chart.houses.cusps_tropical, 1)})
    values.update(asc_tropical=chart.houses.asc_tropical, mc_longitude=chart.houses.mc_sidereal,
                  mc_tropical=chart.houses.mc_tropical, polar_fallback=chart.houses.polar_fallback)
    return values


_assert_same_frame = functools.partial(pandas.testing.assert_frame_equal, check_exact=True)  # dtypes, index too


@pytest.mark.parametrize("processes", [1, 2])
@pytest.mark.parametrize("ayanamsha, houses, node", [("Lahiri", "Placidus", "mean"), ("Raman", "WholeSign", "mean"),
                                                     ("LahiriIcrc", "Placidus", "true")])
def test_rows_equal_one_at_a_time_natal_calls_in_input_order(monkeypatch, processes, ayanamsha, houses, node):
    monkeypatch.setattr(batch, "POOL_FROM", 0)  # a pool even for 300 births, in chunks of 40: order must hold
    monkeypatch.setattr(batch, "MIN_CHUNK", 40)
    births = _births()
    result = charts_frame(births, ayanamsha, houses, processes=processes, progress=False, node=node)
    assert list(result.columns) == list(COLUMNS) and result.index.equals(births.index)
    assert result.dtypes.equals(batch.charts_meta().dtypes)
    errors = 0
    for label, row in zip(births.index, births.itertuples()):
        expected = _one_at_a_time(row, ayanamsha, houses, node)
        got = result.loc[label]
        if isinstance(expected, str):
            errors += 1
            assert got["error"] == expected and got.drop("error").isna().all(), label
        else:
            assert pandas.isna(got["error"]), label
            assert {name: got[name] for name in expected} == expected, label
    assert errors == 8  # gap, twice without fold, zone, latitude, longitude, year, text, missing time
    assert result["polar_fallback"].iloc[-1] == (houses == "Placidus")


def test_empty_and_failing_frames_keep_columns_and_dtypes():
    failing = charts_frame(_births().iloc[[-10, -9, -7, -6, -5, -4, -3, -2]], processes=1)
    assert failing["error"].notna().all()
    for frame in (charts_frame(_births().head(0)), failing):
        assert frame.dtypes.equals(batch.charts_meta().dtypes)


def test_dask_cluster_reading_the_readme_way_gives_the_frame_of_one_process(tmp_path):
    """Files read as text: a later file's bad cells cannot clash with the dtypes Dask took from the first."""
    dask_dataframe = pytest.importorskip("dask.dataframe")
    distributed = pytest.importorskip("dask.distributed")
    births = pandas.concat([_births(), pandas.DataFrame({"time": ["1990-05-15 16:00"] * 3, "latitude": ["north", 1, 1],
                                                         "longitude": [1, "east", 1], "fold": [0, 1, "x"]})])
    for part, start in enumerate((0, 150)):
        births.iloc[start:start + 150].to_csv(tmp_path / f"births-{part}.csv", index=False)
    one = pandas.concat([batch.read_births(str(tmp_path / f"births-{part}.csv")) for part in (0, 1)], ignore_index=True)
    cluster = distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None)
    with cluster, distributed.Client(cluster):
        charts = dask_dataframe.read_csv(str(tmp_path / "births-*.csv"), dtype="string", keep_default_na=False)
        charts = charts.map_partitions(charts_frame, houses="Koch", meta=batch.charts_meta()).compute()
    _assert_same_frame(charts.reset_index(drop=True), charts_frame(one, houses="Koch"))


def test_missing_extra_raises_import_error_naming_it(monkeypatch, tmp_path):
    frame = charts_frame(_births().head(2))
    for missing, call in [("pyarrow", lambda: batch.write_frame(frame, str(tmp_path / "c.parquet"), "parquet")),
                          ("pandas", lambda: charts_frame({"time": [], "latitude": [], "longitude": []}))]:
        monkeypatch.setitem(sys.modules, missing, None)
        with pytest.raises(ImportError, match=r"pip install '\.\[batch\]' in its checkout"):
            call()


def test_time_columns_of_datetimes_read_like_their_text():
    births = _births().iloc[:40]
    local = births.assign(time=[pandas.Timestamp(text).tz_localize(zone if isinstance(zone, str) else "UTC")
                                for text, zone in zip(births["time"], births["tz"])]).drop(columns="tz")
    utc = births.assign(time=pandas.to_datetime(local["time"].map(lambda t: t.tz_convert(UTC)))).drop(columns="tz")
    expected = charts_frame(births, processes=1)
    for frame in (local, utc, utc.assign(time=utc["time"].dt.tz_localize(None))):
        _assert_same_frame(charts_frame(frame, processes=1), expected)


def test_a_script_without_the_main_guard_computes_in_one_process_with_a_warning(tmp_path):
    # such a script once ended in a 152-line BrokenProcessPool traceback: every worker ran the script again
    script = tmp_path / "charts.py"
    script.write_text("import pandas\nfrom zentaric_chart import batch, charts_frame\n"
                      "batch.POOL_FROM, batch.MIN_CHUNK = 1, 10  # a pool even for a few births\n"
                      "births = pandas.DataFrame({'time': ['2000-01-01 00:00'] * 40, 'latitude': [10.0] * 40, "
                      "'longitude': [10.0] * 40})\n"
                      "print(charts_frame(births, processes=2)['error'].isna().sum())\n")
    result = subprocess.run([sys.executable, str(script)], capture_output=True, text=True, timeout=120, cwd=tmp_path)
    assert (result.returncode, result.stdout) == (0, "40\n"), result.stderr
    assert "__name__" in result.stderr and "Traceback" not in result.stderr

