"""`zentaric batch` under bad rows, interrupts, killed parents and large outputs: nothing lost, no traceback.

The campaign (tools/gen_bad_inputs.py): good births and rows with one bad cell each, then rows that do not read (not
UTF-8, a cell too many, cells too few); every good row is compared with a one-at-a-time `natal` call.
"""
import contextlib
import json
import os
import pathlib
import signal
import subprocess
import sys
import threading
import time

import pandas
import pytest

from zentaric_chart import _files, batch
from zentaric_chart.cli import main
from test_batch import _one_at_a_time

pytestmark = pytest.mark.not_sanitized("pandas, pyarrow and worker processes under the preloaded sanitizer runtime")

CAMPAIGN = json.loads((pathlib.Path(__file__).parents[1] / "data" / "bad_inputs.json").read_text(encoding="utf-8"))


def test_a_thousand_bad_rows_cost_only_themselves(tmp_path, capsys):
    columns, rows = CAMPAIGN["columns"], CAMPAIGN["rows"]
    pandas.DataFrame([cells for cells, _ in rows], columns=columns).to_csv(tmp_path / "births.csv", index=False)
    with open(tmp_path / "births.csv", "ab") as file:
        file.write(b"\xff\xfe,1990-05-15 16:00,,10,10,,x\nragged,1990-05-15 16:00,,10,10,,x,y\nshort,1990\n")
    assert main(["batch", str(tmp_path / "births.csv"), "-o", str(tmp_path / "charts.parquet")]) == 0
    assert capsys.readouterr().err.count("\n") == 1  # the summary only
    written = pandas.read_parquet(tmp_path / "charts.parquet")
    assert sum(words is not None for _, words in rows) >= 1000 and len(written) == len(rows) + 3
    for (cells, words), (_, got) in zip(rows, written.iterrows()):
        assert got[columns].tolist() == cells  # the text as written
        if words is not None:
            assert any(word in got["error"] for word in words), (cells, got["error"])
            continue
        birth = dict(zip(columns, cells), latitude=float(cells[3]), longitude=float(cells[4]), tz=cells[2] or None,
                     fold=float(cells[5]) if cells[5] else None)
        expected = _one_at_a_time(pandas.Series(birth), "Lahiri", "Placidus")  # an error: a gap or an overlap
        assert (got["error"] if isinstance(expected, str) else {name: got[name] for name in expected}) == expected
    assert [error[:len("line 1358:")] for error in written["error"].iloc[-3:]] == [
        f"line {len(rows) + line}:" for line in (2, 3, 4)]
    assert written["name"].iloc[-3] == "\ufffd\ufffd"


def _batch(tmp_path, count, *options, output="charts.csv", measured=False):
    """`zentaric batch` on `count` births in its own process group, its output and error on one pipe; `measured`:
    through a process that prints the batch's peak resident set (KB) when it ends."""
    pandas.DataFrame({"time": [f"19{k % 100:02d}-05-15 16:{k % 60:02d}" for k in range(count)], "latitude": 28.6,
                      "longitude": 77.2}).to_csv(tmp_path / "births.csv", index=False)
    peak = ["-c", "import resource, subprocess, sys; subprocess.run(sys.argv[1:]); "
                  "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)", sys.executable] if measured else []
    return subprocess.Popen([sys.executable, *peak, "-m", "zentaric_chart", "batch", str(tmp_path / "births.csv"),
                             "-o", str(tmp_path / output), *options], stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, start_new_session=True)


@pytest.mark.parametrize("unnamed", [True, False], ids=["unnamed", "named"])
def test_an_interrupted_write_leaves_the_old_file_and_no_part(tmp_path, monkeypatch, unnamed):
    (tmp_path / "charts.csv").write_text("the previous run\n")

    def cut_short(self, file, **options):
        file.write(b"time,latitude\n1990")
        raise KeyboardInterrupt
    monkeypatch.setattr(pandas.DataFrame, "to_csv", cut_short)
    monkeypatch.setattr(_files, "UNNAMED", unnamed)
    with pytest.raises(KeyboardInterrupt):
        batch.write_frame(pandas.DataFrame({"time": [1]}), str(tmp_path / "charts.csv"), "csv")
    assert os.listdir(tmp_path) == ["charts.csv"] and (tmp_path / "charts.csv").read_text() == "the previous run\n"


@pytest.mark.parametrize("kind", ["fifo", "symlink"])
def test_output_through_a_pipe_or_a_link_leaves_them_in_place(tmp_path, kind):
    """-o /dev/null or /dev/stdout must not rename a file over the device (as root that replaces /dev/null); a link's
    file is written and the link stays."""
    output, received = tmp_path / "out", []
    if kind == "fifo":
        os.mkfifo(output)
        reader = threading.Thread(target=lambda: received.append(output.read_text()), daemon=True)
        reader.start()
    else:
        (tmp_path / "elsewhere").mkdir()
        output.symlink_to(tmp_path / "elsewhere" / "charts.csv")
    assert main(["panchanga", "--from", "2026-12-07", "--lat", "0", "--lon", "0", "--tz", "UTC", "--format", "csv",
                 "-o", str(output)]) == 0
    if kind == "fifo":
        reader.join(timeout=10)
        assert output.is_fifo() and received[0].startswith("date,")
    else:
        assert output.is_symlink() and (tmp_path / "elsewhere" / "charts.csv").read_text().startswith("date,")


def _writing(pid, folder):
    """Whether process `pid` has a file other than the births open in `folder`: the output it writes."""
    with contextlib.suppress(OSError):  # the process ended
        opened = [os.readlink(f"/proc/{pid}/fd/{handle}") for handle in os.listdir(f"/proc/{pid}/fd")]
        return any(os.path.dirname(name) == str(folder) and not name.endswith("births.csv") for name in opened)
    return False


@pytest.mark.skipif(not _files.UNNAMED, reason="no unnamed files: a killed write leaves its hidden .part file")
@pytest.mark.parametrize("phase", ["computing", "writing"])
@pytest.mark.parametrize("sent, status, word", [(signal.SIGINT, 130, "interrupted"), (signal.SIGTERM, 143, "term"),
                                               (signal.SIGKILL, -9, "")])
def test_an_interrupted_pooled_run_ends_cleanly_with_its_workers(tmp_path, sent, status, word, phase):
    (tmp_path / "charts.json").write_text("the previous run\n")
    # Computing: still at it 3 s on, even on an idle machine. Writing: signalled once the output file is open.
    run = _batch(tmp_path, 120_000 if phase == "computing" else 20_000, "--processes", "2", output="charts.json")
    if phase == "computing":
        time.sleep(3.0)
    else:
        while run.poll() is None and not _writing(run.pid, tmp_path):
            time.sleep(0.005)
    # Ctrl-C comes from a terminal to the parent and its workers; a kill to the parent alone, and then the pipe
    # ends only when every process that held it (workers, fork server, tracker) has ended.
    os.killpg(run.pid, sent) if sent != signal.SIGKILL else run.kill()
    output = run.communicate(timeout=30)[0].decode()
    assert (run.returncode, (output.split() or [""])[-1].startswith(word)) == (status, True), output
    assert "Traceback" not in output and sorted(os.listdir(tmp_path)) == ["births.csv", "charts.json"]
    assert (tmp_path / "charts.json").read_text() == "the previous run\n"


def test_peak_memory_of_a_json_output_is_that_of_csv(tmp_path):
    """bench/batch_memory.py measures 200,000 rows in every format. Here 8,000 rows in one process: the JSON output
    held whole cost about 10 KB a row more than the CSV one."""
    peaks = {kind: int(_batch(tmp_path, 8_000, "--processes", "1", output=f"charts.{kind}", measured=True)
                       .communicate(timeout=300)[0].split()[-1]) / 1024 for kind in ("csv", "json")}  # MB
    assert peaks["json"] < peaks["csv"] + 30, peaks
