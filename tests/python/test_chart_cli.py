"""The `zentaric` command line, run as a separate process: exit codes, one-line messages, documents."""
import json
import subprocess
import sys

import pytest

import zentaric

BIRTH = ["--date", "1990-05-15", "--time", "16:00", "--tz", "Asia/Kolkata", "--lat", "28.6139", "--lon", "77.2090"]
GAP = ["--tz", "Europe/Berlin", "--date", "2021-03-28", "--time", "02:30"]
TWO_DAYS = ["ephemeris", "--from", "2000-01-01", "--to", "2000-01-02"]


def run(*args):
    return subprocess.run([sys.executable, "-m", "zentaric_chart", *args], capture_output=True, text=True,
                          timeout=120)


def test_chart_json_is_the_module_document_for_the_utc_minute():
    result = run("chart", *BIRTH, "--houses", "WholeSign", "--ayanamsha", "Raman", "--format", "json")
    assert result.returncode == 0, result.stderr
    assert result.stdout.rstrip("\n") == zentaric.compute_natal_chart(1990, 5, 15, 10, 30, 28.6139, 77.2090,
                                                                      "Raman", "WholeSign")


def test_chart_text_shows_local_time_lagna_and_dasha_dates():
    result = run("chart", *BIRTH, "--lang", "hi")
    assert result.returncode == 0, result.stderr
    for part in ("1990-05-15 16:00 IST", "UTC 1990-05-15 10:30", "Lagna", "कन्या", "1990-05-15 to "):
        assert part in result.stdout


@pytest.mark.parametrize("args, words", [
    (["chart", *BIRTH, "--ayanamsha", "Lahari"], ["--ayanamsha", "'Lahiri'"]),
    (["chart", *BIRTH, "--houses", "Whole Sign"], ["--houses", "'WholeSign'"]),
    (["chart", *BIRTH, "--lang", "hindu"], ["--lang", "'hindi'"]),
    (["chart", *BIRTH, "--tz", "Asia/Calcuta"], ["--tz", "'Asia/Calcutta'"]),
    (["chart", *BIRTH, "--lat", "91"], ["--lat", "-90 to 90"]),
    (["chart", *BIRTH, "--lat", "north"], ["--lat"]),
    (["chart", *BIRTH[:6]], ["--lat", "--lon"]),
    (["chart", *BIRTH, "--date", "3001-01-01"], ["--date", "years 1 to 2998"]),
    (["chart", *BIRTH, *GAP], ["--date/--time", "does not exist"]),
    (["dasha", *BIRTH, "--levels", "6"], ["--levels", "1 to 5"]),
    (["dasha", *BIRTH, "--at", "soon"], ["--at"]),
    ([*TWO_DAYS, "--bodies", "Sun,Jupitor"], ["--bodies", "'Jupiter'"]),
    ([*TWO_DAYS, "--step", "1y"], ["--step"]),
    (["chart", *BIRTH, "--format", "svg", "--style", "wheel", "--varga", "d9"], ["--varga"]),
    (["horoscope"], ["horoscope"]),
])
def test_bad_input_exits_2_with_one_line_naming_the_option(args, words):
    result = run(*args)
    assert result.returncode == 2 and result.stdout == ""
    assert result.stderr.count("\n") == 1 and "Traceback" not in result.stderr
    assert all(word in result.stderr for word in words), result.stderr


def test_dasha_at_and_ephemeris_rows():
    chain = json.loads(run("dasha", *BIRTH, "--levels", "3", "--at", "2026-12-06", "--format", "json").stdout)
    assert [(period["lord"], period["level"]) for period in chain] == [("Rahu", 1), ("Moon", 2), ("Saturn", 3)]
    rows = json.loads(run("ephemeris", "--from", "2000-01-01T12:00", "--to", "2000-01-03T12:00", "--step", "1d",
                          "--bodies", "Moon,Rahu,Ketu", "--format", "json").stdout)
    document = json.loads(zentaric.compute_natal_chart(2000, 1, 1, 12, 0, 0.0, 0.0))
    assert len(rows) == 9 and rows[0]["time"] == "2000-01-01T12:00Z"
    assert rows[0]["longitude"] == document["planets"][1]["longitude"]
    assert (rows[2]["longitude"] - rows[1]["longitude"]) % 360 == pytest.approx(180)
    assert all(row["retrograde"] == (row["body"] != "Moon") for row in rows)
