"""`zentaric batch` under bad rows, interrupts, killed parents and large outputs: nothing lost, no traceback.

The campaign writes a file of good births and of rows with one bad cell each (every column, every kind of fault),
runs the command line on it in this process and compares every good row with a one-at-a-time `natal` call.
"""
import itertools
import os
import random
import resource
import signal
import subprocess
import sys
import time

import pandas
import pytest

from zentaric_chart import Birth, batch, natal
from zentaric_chart.cli import main
from test_batch import _one_at_a_time

pytestmark = pytest.mark.not_sanitized("pandas, pyarrow and worker processes under the preloaded sanitizer runtime")

COLUMNS = ["name", "time", "tz", "latitude", "longitude", "fold", "note"]
ZONES = ["Asia/Kolkata", "Europe/Berlin", "America/New_York", ""]
PASSED_THROUGH = ["00501", "0049301234567", "TRUE", "NA", "None", "null", "nan", "", " 1 ", "1e5", "-0"]
BAD = {  # the cells that must fail, and a word the row's error must hold
    "time": (["", "x", "1990-13-01 10:00", "3500-01-01 00:00", "0000-01-01", "1990-05-15 25:00"], "time|when"),
    "tz": (["None", "NA", "null", "nan", "Asia", "America", "Z" * 300, "Mars/Olympus", "../../etc/passwd",
            "asia/kolkata"], "time zone"),
    "latitude": (["", "abc", "1e400", "nan", "inf", "91", "-90.0001", "1,5", "0x10", "NA"], "latitude"),
    "longitude": (["", "east", "181", "-1e999", "NaN", "None"], "longitude"),
    "fold": (["x", "2", "-1", "1.5", "NA", "None", "true"], "fold"),
}


def _good(generator):
    """One good birth as the cells of a row."""
    return {"name": generator.choice(PASSED_THROUGH), "time": f"{generator.randrange(1850, 2100)}-0"
            f"{generator.randrange(1, 10)}-1{generator.randrange(0, 10)} {generator.randrange(10, 24)}:"
            f"{generator.randrange(10, 60)}", "tz": generator.choice(ZONES),
            "latitude": repr(generator.uniform(-66, 66)), "longitude": repr(generator.uniform(-180, 180)),
            "fold": generator.choice(["", "0", "1", "1.0"]), "note": generator.choice(PASSED_THROUGH)}


def _campaign(path):
    """Writes the births file; returns its rows (cells) and, per row, None (good) or the word its error holds."""
    generator = random.Random(20)
    rows, faults = [], []
    for column, (values, word) in BAD.items():
        for value, _ in itertools.product(values, range(1040 // sum(len(v) for v, _ in BAD.values()) + 1)):
            rows.append({**_good(generator), column: value})
            faults.append(word)
    for _ in range(300):
        rows.append(_good(generator))
        faults.append(None)
    order = list(range(len(rows)))
    generator.shuffle(order)
    rows, faults = [rows[k] for k in order], [faults[k] for k in order]
    frame = pandas.DataFrame(rows, columns=COLUMNS)
    frame.to_csv(path, index=False)
    with open(path, "ab") as file:  # rows that do not read: a byte that is not UTF-8, a cell too many or too few
        file.write(b"\xff\xfe,1990-05-15 16:00,,10,10,,x\nragged,1990-05-15 16:00,,10,10,,x,y\nshort,1990\n")
    lines = len(rows) + 1
    return rows, faults + [f"line {lines + 1}:", f"line {lines + 2}:", f"line {lines + 3}:"]


def test_a_thousand_bad_rows_cost_only_themselves(tmp_path, capsys):
    rows, faults = _campaign(tmp_path / "births.csv")
    assert sum(fault is not None for fault in faults) >= 1000
    assert main(["batch", str(tmp_path / "births.csv"), "-o", str(tmp_path / "charts.parquet")]) == 0
    assert capsys.readouterr().err.count("\n") == 1  # the summary only
    written = pandas.read_parquet(tmp_path / "charts.parquet")
    assert len(written) == len(faults)
    for position, (row, fault) in enumerate(zip(rows, faults)):
        got = written.iloc[position]
        assert [got[column] for column in COLUMNS] == [row[column] for column in COLUMNS]  # the text as written
        if fault is not None:
            assert any(word in got["error"] for word in fault.split("|")), (row, got["error"])
            continue
        cells = pandas.Series({"time": row["time"], "latitude": float(row["latitude"]),
                               "longitude": float(row["longitude"]), "tz": row["tz"] or None,
                               "fold": float(row["fold"]) if row["fold"] else None})
        expected = _one_at_a_time(cells, "Lahiri", "Placidus")
        if isinstance(expected, str):  # a wall time in a gap or an overlap
            assert got["error"] == expected
        else:
            assert pandas.isna(got["error"]) and {name: got[name] for name in expected} == expected, row
    for position, fault in zip(range(len(rows), len(faults)), faults[len(rows):]):
        assert written.iloc[position]["error"].startswith(fault)
    assert written.iloc[len(rows)]["name"] == "\ufffd\ufffd"


def test_dask_reads_the_recipe_way_and_gives_the_errors_of_one_process(tmp_path):
    dask_dataframe = pytest.importorskip("dask.dataframe")
    good = "1990-05-15 16:00,Asia/Kolkata,28.6,77.2,"
    (tmp_path / "births-1.csv").write_text(f"time,tz,latitude,longitude,fold\n{good}\n{good}0\n")
    (tmp_path / "births-2.csv").write_text("time,tz,latitude,longitude,fold\n1990-05-15 16:00,NA,north,77.2,\n"
                                           "1990-05-15 16:00,,,77.2,x\n1990-05-15 16:00,,10,east,1\n")
    births = dask_dataframe.read_csv(str(tmp_path / "births-*.csv"), dtype="string", keep_default_na=False)
    charts = births.map_partitions(batch.charts_frame, meta=batch.charts_meta()).compute(scheduler="synchronous")
    one = pandas.concat([batch.read_births(str(tmp_path / f"births-{k}.csv")) for k in (1, 2)], ignore_index=True)
    assert charts["error"].tolist() == batch.charts_frame(one)["error"].tolist()
    assert charts["error"].notna().tolist() == [False, False, True, True, True]


def _births_file(path, count):
    frame = pandas.DataFrame({"time": [f"19{k % 100:02d}-05-15 16:{k % 60:02d}" for k in range(count)],
                              "latitude": 28.6, "longitude": 77.2})
    frame.to_csv(path, index=False)


@pytest.mark.parametrize("output, words", [("births.csv", "births file itself"), ("nowhere/charts.csv", "folder")])
def test_an_output_that_would_destroy_the_births_or_cannot_be_written_is_refused_first(tmp_path, capsys, output,
                                                                                     words):
    _births_file(tmp_path / "births.csv", 20)
    before = (tmp_path / "births.csv").read_bytes()
    assert main(["batch", str(tmp_path / "births.csv"), "-o", str(tmp_path / output)]) == 2
    assert words in capsys.readouterr().err and (tmp_path / "births.csv").read_bytes() == before


def test_an_interrupted_write_leaves_the_old_file_and_no_part(tmp_path, monkeypatch):
    old = tmp_path / "charts.csv"
    old.write_text("the previous run\n")
    frame = batch.charts_frame(pandas.DataFrame({"time": ["1990-05-15 16:00"] * 3, "latitude": 1, "longitude": 1}))

    def cut_short(self, path, **options):
        with open(path, "w") as file:
            file.write("time,latitude\n1990")
        raise KeyboardInterrupt
    monkeypatch.setattr(pandas.DataFrame, "to_csv", cut_short)
    with pytest.raises(KeyboardInterrupt):
        batch.write_frame(frame, str(old), "csv")
    assert os.listdir(tmp_path) == ["charts.csv"] and old.read_text() == "the previous run\n"


def _batch_process(tmp_path, *options, output="charts.csv"):
    return subprocess.Popen([sys.executable, "-m", "zentaric_chart", "batch", str(tmp_path / "births.csv"), "-o",
                             str(tmp_path / output), *options], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True)


@pytest.mark.parametrize("sent, status", [(signal.SIGINT, 130), (signal.SIGTERM, 143)])
def test_ctrl_c_or_sigterm_during_a_pooled_run_ends_it_cleanly(tmp_path, sent, status):
    _births_file(tmp_path / "births.csv", 30_000)
    (tmp_path / "charts.csv").write_text("the previous run\n")
    run = _batch_process(tmp_path, "--processes", "2")
    time.sleep(3.0)
    os.killpg(run.pid, sent)  # as a terminal sends Ctrl-C: to the parent and its workers
    output, _ = run.communicate(timeout=60)
    assert run.returncode == status and output.decode().strip().splitlines()[-1].endswith(
        "interrupted" if sent == signal.SIGINT else "terminated"), output
    assert b"Traceback" not in output
    assert sorted(os.listdir(tmp_path)) == ["births.csv", "charts.csv"]
    assert (tmp_path / "charts.csv").read_text() == "the previous run\n"


def test_workers_end_with_a_killed_parent(tmp_path):
    _births_file(tmp_path / "births.csv", 30_000)
    run = _batch_process(tmp_path, "--processes", "2")
    time.sleep(3.0)
    run.kill()
    run.communicate(timeout=10)  # the pipe's end: every process that held it (workers, fork server, tracker) ended


def test_peak_memory_of_a_json_output_is_that_of_csv(tmp_path):
    """bench/batch_memory.py measures 200,000 rows in every format. Here 8,000 rows in one process: the JSON output
    held whole cost about 10 KB a row more than the CSV one."""
    _births_file(tmp_path / "births.csv", 8_000)
    script = ("import resource, sys; from zentaric_chart.cli import main; main(sys.argv[1:]); "
              "print(resource.getrusage(resource.RUSAGE_SELF).ru_maxrss)")
    peaks = {}
    for kind in ("csv", "json"):
        run = subprocess.run([sys.executable, "-c", script, "batch", str(tmp_path / "births.csv"), "-o",
                              str(tmp_path / f"charts.{kind}"), "--processes", "1"], capture_output=True, text=True,
                             timeout=300)
        peaks[kind] = int(run.stdout.split()[-1]) / 1024  # MB
    assert peaks["json"] < peaks["csv"] + 30, peaks
