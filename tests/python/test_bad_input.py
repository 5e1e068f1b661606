"""Bad input to the package and the command line: a TypeError or ValueError naming the argument, one line and
status 2 on the command line, never a traceback; and the period a dasha moment falls in."""
import json
import math
import os
import pathlib
import subprocess
import sys
import zoneinfo
from datetime import UTC, date, datetime, timedelta, timezone

import numpy
import pandas
import pytest

from zentaric_chart import (Birth, Place, charts_frame, crossings, dasha, dasha_at, from_julian_day, julian_day,
                            lunar_return, manglik, match, match_frame, natal, panchanga_frame, panchanga_range,
                            rise_set, sade_sati, solar_return, to_ics, transits)
from zentaric_chart.cli import main

KOLKATA = dict(tz="Asia/Kolkata")
BIRTH = Birth("1990-05-15 16:00", 28.6139, 77.2090, **KOLKATA)
NOW = datetime(2026, 1, 1, tzinfo=UTC)
CANDIDATES = pandas.DataFrame({"moon_nakshatra_index": [3, 4], "moon_pada": [1, 2], "moon_degree": [12.0, 28.0]})


@pytest.mark.parametrize("call, kind, words", [
    (lambda: Birth("2021-10-31 02:30", 0, 0, tz="Europe/Berlin"), ValueError, ["twice", "00:30 UTC", "01:30 UTC"]),
    (lambda: Birth("2000-01-01T00:00Z", math.nan, 0.0), ValueError, ["latitude", "-90 to 90"]),
    (lambda: Birth("2000-01-01T00:00", 0.0, 0.0), ValueError, ["tz"]),
    (lambda: Birth("1990-05-15 16:00", "abc", 0, **KOLKATA), ValueError, ["latitude", "'abc'", "not a number"]),
    (lambda: Birth("1990-05-15 16:00", 0, 10**400, **KOLKATA), ValueError, ["longitude", "-180 to 180"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, **KOLKATA, fold="1"), TypeError, ["fold", "str"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, tz=5), TypeError, ["tz", "int"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, tz="Asia"), ValueError, ["tz: unknown time zone", "'Asia'"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, tz="Z" * 300), ValueError, ["time zone"]),
    (lambda: Birth("0001-01-01 02:00", 0, 0, **KOLKATA), ValueError, ["UTC instant", "years 1 to 2998"]),
    (lambda: natal("1990-05-15"), TypeError, ["birth", "str"]),
    (lambda: dasha_at({}, datetime.now(UTC)), TypeError, ["birth", "dict"]),
    (lambda: julian_day("x"), TypeError, ["moment", "str"]),
    (lambda: from_julian_day(10**400), ValueError, ["Julian Day"]),
    (lambda: charts_frame(5), TypeError, ["births"]),
    (lambda: julian_day(datetime(1, 1, 1, tzinfo=timezone(timedelta(hours=5)))), ValueError, ["moment", "UTC"]),
    (lambda: natal(BIRTH).svg(style=None), TypeError, ["style"]),
    (lambda: natal(BIRTH).svg(size=10**400), ValueError, ["size"]),
    (lambda: natal(BIRTH, ayanamsha=[]), TypeError, ["ayanamsha", "list"]),
    (lambda: Place(0, 0, "Asia"), ValueError, ["tz: unknown time zone"]),
    (lambda: Place(0, 0, "UTC", elevation=10**400), ValueError, ["elevation", "metres"]),
    (lambda: crossings("Sun", 10**400, NOW, NOW + timedelta(days=9)), ValueError, ["longitude"]),
    (lambda: manglik(BIRTH, with_second=10**400), TypeError, ["with_second"]),
    (lambda: match(BIRTH, None), TypeError, ["girl", "NoneType"]),
    (lambda: match(natal(BIRTH, ayanamsha="Raman"), BIRTH), ValueError, ["boy's chart is Raman", "girl's Lahiri"]),
    (lambda: match_frame(BIRTH, {}), TypeError, ["candidates", "dict"]),
    (lambda: match_frame(BIRTH, CANDIDATES.assign(moon_nakshatra_index=[3, -1])), ValueError,
     ["moon_nakshatra_index", "-1", "row 1", "0 to 26"]),  # read as the last place before
    (lambda: match_frame(BIRTH, CANDIDATES.assign(moon_pada=[1, 7])), ValueError, ["moon_pada", "7", "1 to 4"]),
    (lambda: match_frame(BIRTH, CANDIDATES.assign(mars_sign_index=[12, 0])), ValueError, ["mars_sign_index", "12"]),
    (lambda: transits(BIRTH, datetime(1, 1, 1)), ValueError, ["when", "UTC"]),
    (lambda: lunar_return(BIRTH, NOW, place="Delhi"), TypeError, ["place", "str"]),
    (lambda: solar_return(BIRTH, 10**400), ValueError, ["year", "ephemeris"]),
    (lambda: sade_sati(BIRTH, "2030-01-01", "2020-01-01"), ValueError, ["end", "before start"]),
    (lambda: sade_sati(BIRTH, end="1980-01-01"), ValueError, ["end", "before start"]),
    (lambda: to_ics(["x"]), TypeError, ["events", "TimelineEvent"]),
    (lambda: panchanga_frame(None, []), TypeError, ["days"]),
    (lambda: panchanga_frame(["2026-12-07", "2026-12-08"], [Place(0, 0, "UTC")]), TypeError, ["days", "str"]),
    (lambda: panchanga_frame([Place(0, 0, "UTC")] * 2, [date(2026, 12, 7)]), TypeError, ["days", "Place"]),
    (lambda: rise_set("2026-12-07", Place(0, 0, "UTC")), TypeError, ["day", "str"]),
    (lambda: panchanga_range(date(2026, 1, 1), "2026-01-02", Place(0, 0, "UTC")), TypeError, ["end", "str"]),
    (lambda: natal(BIRTH).body("plut"), ValueError, ["body", "'plut'"]),
    (lambda: natal(BIRTH).shadbala(None), TypeError, ["required strength", "NoneType"]),
    (lambda: natal(BIRTH).upagrahas("civil-twilight"), ValueError, ["convention", "'civil-twilight'", "hindu, civil"]),
    (lambda: natal(BIRTH).karakas(8.0), TypeError, ["scheme", "float"]),
    (lambda: dasha(BIRTH, levels=True), TypeError, ["levels", "bool"]),
    (lambda: dasha_at(BIRTH, NOW, levels=3.0), TypeError, ["levels", "float"]),
])
def test_package_refusals_name_the_argument(call, kind, words):
    with pytest.raises(kind) as error:
        call()
    assert all(word in str(error.value) for word in words), error.value


def test_levels_take_an_integer_of_any_kind_a_frame_gives():
    assert [p.level for p in dasha_at(BIRTH, NOW, levels=numpy.int64(2))] == [1, 2]


@pytest.mark.parametrize("tz", [zoneinfo.ZoneInfo("Asia/Kolkata"), timezone(timedelta(hours=5, minutes=30))])
def test_a_zone_object_reads_the_wall_time_like_its_name(tz):
    assert Birth("1990-05-15 16:00", 0, 0, tz=tz, fold=1.0).utc == BIRTH.utc
    assert natal(Birth("1990-05-15 16:00", 0, 0, tz=tz)).to_dict()["birth"]["tz"] == str(tz)


def test_every_period_contains_its_own_start_and_dasha_at_it_returns_it():
    for minutes in range(17, 6 * 9_876_543, 9_876_543):  # 81 of these 509 periods started a millisecond early
        birth = Birth(datetime(1900, 1, 1, tzinfo=UTC) + timedelta(minutes=minutes), 28.6, 77.2)
        periods = [p for maha in dasha(birth, levels=2) for p in (maha, *maha.sub_periods)]
        for period in periods:
            assert period.contains(period.start) and not period.contains(period.end)
            found = dasha_at(birth, period.start, levels=period.level)[-1]
            assert (found.lord, found.level, found.start, found.end) == (period.lord, period.level, period.start,
                                                                         period.end)


CAMPAIGN = json.loads((pathlib.Path(__file__).parents[1] / "data" / "bad_inputs.json").read_text(encoding="utf-8"))


def test_two_hundred_bad_command_lines_exit_2_with_one_line_naming_the_fault(capsys, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    (tmp_path / "births.csv").write_text("time,latitude,longitude\n1990-05-15 16:00,10,10\n")
    wrong = []
    for argv, words in CAMPAIGN["command_lines"]:
        try:
            status = main(argv)
        except SystemExit as exit:  # argparse's own refusals
            status = exit.code
        out, err = capsys.readouterr()
        if (status, out, err.count("\n")) != (2, "", 1) or not all(word in err for word in words):
            wrong.append((argv, status, out[:100], err[-300:]))
    assert len(CAMPAIGN["command_lines"]) >= 200 and not wrong, wrong
    assert (tmp_path / "births.csv").read_text() == "time,latitude,longitude\n1990-05-15 16:00,10,10\n"


PLACE = ["--lat", "28.6", "--lon", "77.2", "--tz", "Asia/Kolkata"]
BORN = ["--date", "1990-05-15", "--time", "16:00", *PLACE]


@pytest.mark.parametrize("argv", [
    ["chart", *BORN, "--format", "svg", "-o", "out.svg"], ["dasha", *BORN, "--system", "chara"],
    ["ephemeris", "--from", "2000-01-01", "--to", "2000-01-10"],
    ["events", "--from", "2026-01-01", "--to", "2026-01-10", "--kind", "tithi"],
    ["rise-set", "--from", "2026-01-01", "--to", "2026-01-03", *PLACE],
    ["panchanga", "--date", "2026-01-01", "--days", "3", *PLACE, "-o", "out.txt"],
    ["transits", *BORN, "--at", "2026-01-01"], ["timeline", *BORN, "--from", "2026-01-01", "--to", "2026-03-01"],
    ["batch", "births.csv", "-o", "out.json"], ["match", "--boy", *BORN[1::2], "--girl", *BORN[1::2]],
], ids=lambda argv: argv[0])
def test_ctrl_c_anywhere_in_a_subcommand_is_one_line_and_status_130(argv, capsys, tmp_path, monkeypatch):
    """Ctrl-C raises KeyboardInterrupt between two Python calls: here at the k-th call inside the subcommand's run()
    (not in a finaliser, where Python reports it and goes on), k spread over a whole run; -o is whole or absent."""
    monkeypatch.chdir(tmp_path)
    (tmp_path / "births.csv").write_text("time,latitude,longitude\n" + "1990-05-15 16:00,10,10\n" * 20)

    def run(at=0):
        calls = 0

        def trace(frame, event, argument):
            nonlocal calls
            while frame is not None and frame.f_code.co_name != "__del__" and not (
                    frame.f_code.co_name == "run" and frame.f_globals["__name__"].startswith("zentaric_chart.cli.")):
                frame = frame.f_back
            if frame is not None and frame.f_code.co_name == "run":
                calls += 1
                if calls == at:
                    raise KeyboardInterrupt
        sys.settrace(trace)
        try:
            return main(argv), calls, capsys.readouterr().err
        finally:
            sys.settrace(None)

    run()  # modules imported on first use
    calls = run()[1]
    for at in sorted({1, calls // 3, 2 * calls // 3, calls - 1}):
        status, _, said = run(at)
        while status == 0 and at < calls - 1:  # raised in a Python callback of C code that clears errors (numpy,
            at += 1                             # pandas): out of our hands; the interrupt moves to the next call
            status, _, said = run(at)
        assert (status, said.splitlines()[-1], "Traceback" in said) == (130, f"zentaric {argv[0]}: interrupted", False)
        assert set(os.listdir(tmp_path)) <= {"births.csv", argv[-1]}


@pytest.mark.not_sanitized("a pure-Python entry point in a process of its own")
@pytest.mark.parametrize("loading", ["zentaric_chart", "zentaric", "zentaric_chart.drawing",
                                     "zentaric_chart.cli.batch"])
def test_ctrl_c_while_the_console_script_loads_the_package_is_one_line_and_status_130(loading):
    """The installed `zentaric` script, with Ctrl-C arriving as `loading` is imported (about 0.1 s after start)."""
    script = pathlib.Path(sys.executable).with_name("zentaric")
    interrupt = ("import runpy, sys\n"
                 "class Interrupt:\n"
                 "    def find_spec(self, name, path=None, target=None):\n"
                 f"        if name == {loading!r}: raise KeyboardInterrupt\n"
                 "sys.meta_path.insert(0, Interrupt())\n"
                 f"sys.argv = [{str(script)!r}, '--version']\n"
                 f"runpy.run_path({str(script)!r}, run_name='__main__')\n")
    run = subprocess.run([sys.executable, "-c", interrupt], capture_output=True, text=True, timeout=60)
    assert (run.returncode, run.stdout, run.stderr) == (130, "", "zentaric: interrupted\n")


def test_a_default_range_or_search_window_stops_at_the_ephemeris_edge():
    late = Birth("2950-01-01 12:00", 28.6, 77.2, tz="UTC")  # a century of Sade Sati would end in 3050
    assert sade_sati(late)[-1].end.year == 2998 and sade_sati(late)[-1].open_end
    early = Birth("0001-01-02 12:00", 28.6, 77.2, tz="UTC")  # the search began 20 days before, in the year 0
    assert abs(solar_return(early, 1).moment - early.utc) < timedelta(minutes=1)
