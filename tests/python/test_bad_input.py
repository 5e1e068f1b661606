"""Bad input to the package and the command line: a TypeError or ValueError naming the argument, one line and
status 2 on the command line, never a traceback; and the period a dasha moment falls in."""
import itertools
import signal
import subprocess
import sys
import time
import zoneinfo
from datetime import UTC, datetime, timedelta, timezone

import pytest

from zentaric_chart import Birth, dasha, dasha_at, julian_day, natal
from zentaric_chart.cli import main

KOLKATA = dict(tz="Asia/Kolkata")
BIRTH = Birth("1990-05-15 16:00", 28.6139, 77.2090, **KOLKATA)


@pytest.mark.parametrize("call, kind, words", [
    (lambda: Birth("1990-05-15 16:00", "abc", 0, **KOLKATA), ValueError, ["latitude", "'abc'", "not a number"]),
    (lambda: Birth("1990-05-15 16:00", 0, 10**400, **KOLKATA), ValueError, ["longitude", "-180 to 180"]),
    (lambda: Birth("1990-05-15 16:00", [1], 0, **KOLKATA), TypeError, ["latitude", "list"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, **KOLKATA, fold=1.5), ValueError, ["fold"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, **KOLKATA, fold="1"), TypeError, ["fold", "str"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, tz=5), TypeError, ["tz", "int"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, tz="Asia"), ValueError, ["time zone", "'Asia'"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, tz="America"), ValueError, ["time zone", "'America'"]),
    (lambda: Birth("1990-05-15 16:00", 0, 0, tz="Z" * 300), ValueError, ["time zone"]),
    (lambda: Birth("0001-01-01 02:00", 0, 0, **KOLKATA), ValueError, ["UTC instant", "years 1 to 2998"]),
    (lambda: Birth("2998-12-31 23:00", 0, 0, tz="America/New_York"), ValueError, ["UTC instant"]),
    (lambda: natal("1990-05-15"), TypeError, ["birth", "str"]),
    (lambda: dasha(None), TypeError, ["birth", "NoneType"]),
    (lambda: dasha_at({}, datetime.now(UTC)), TypeError, ["birth", "dict"]),
    (lambda: julian_day("x"), TypeError, ["moment", "str"]),
    (lambda: julian_day(datetime(1, 1, 1, tzinfo=timezone(timedelta(hours=5)))), ValueError, ["moment", "UTC"]),
    (lambda: natal(BIRTH).svg(style=None), TypeError, ["style"]),
    (lambda: natal(BIRTH).svg(size=10**400), ValueError, ["size"]),
    (lambda: natal(BIRTH).svg(size="big"), TypeError, ["size"]),
])
def test_package_refusals_name_the_argument(call, kind, words):
    with pytest.raises(kind) as error:
        call()
    assert all(word in str(error.value) for word in words), error.value


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


# The command line campaign: every option of every subcommand given values it must refuse, each run in-process.
BIRTH_ARGS = {"--date": "1990-05-15", "--time": "16:00", "--tz": "Asia/Kolkata", "--lat": "28.6", "--lon": "77.2"}
BAD_BIRTH = {
    "--date": ["", "1990-13-01", "1990-02-30", "0000-01-01", "3001-01-01", "15/05/1990", "x" * 300],
    "--time": ["", "25:00", "16:60", "4pm", "16:00+25:00", "-1:00"],
    "--tz": ["", "Asia", "America", "Z" * 300, "../../etc/passwd", "Asia/Calcuta", "UTC\0", "None", "nan"],
    "--lat": ["abc", "1e400", "nan", "-inf", "91", "", "0x10"],
    "--lon": ["181", "-1e400", "inf", "NaN", "east"],
    "--fold": ["2", "-1", "x", "1.0"],
    "--ayanamsha": ["", "Lahari", "x" * 300],
    "--lang": ["", "hindu", "xx"],
    "--format": ["xml", ""],
}
EXTRA = {
    "chart": {"--houses": ["", "Whole Sign", "x" * 300], "--style": ["east", ""], "--varga": ["d0", "d99", ""],
              "--output": ["/nonexistent/folder/chart.txt", "/"]},
    "dasha": {"--levels": ["0", "6", "-1", "x", "9" * 30], "--at": ["", "soon", "2026-02-30", "0001-01-01",
                                                                   "9999-12-31T23:00-05:00"]},
}
EPHEMERIS_ARGS = {"--from": "2000-01-01", "--to": "2000-01-02"}
BAD_EPHEMERIS = {
    "--from": ["", "x", "9999-12-31T23:00-05:00", "0001-01-01T00:00+05:00", "3500-01-01", "2000-01-03"],
    "--to": ["", "1999-12-31", "9999-12-31T23:00-05:00", "3500-01-01"],
    "--step": ["0d", "1000000000d", "99999999999999999999m", "1y", "-1d", "", "1.5d"],
    "--bodies": ["Pluto", "Sun,Jupitor", "x" * 300], "--ayanamsha": ["Lahari"], "--format": ["parquet"],
}


def _lines():
    for command in ("chart", "dasha"):
        for option, values in {**BAD_BIRTH, **EXTRA[command]}.items():
            for value in values:
                args = {**BIRTH_ARGS, option: value, **({"--format": "svg"} if option == "--varga" else {})}
                yield [command, *itertools.chain.from_iterable(args.items())]
        for (first, one), (second, other) in itertools.combinations(BAD_BIRTH.items(), 2):  # two faults at once
            args = {**BIRTH_ARGS, first: one[1], second: other[-1]}
            yield [command, *itertools.chain.from_iterable(args.items())]
        for option in BIRTH_ARGS:  # each required option left out
            yield [command, *itertools.chain.from_iterable((o, v) for o, v in BIRTH_ARGS.items() if o != option)]
    for option, values in BAD_EPHEMERIS.items():
        for value in values:
            yield ["ephemeris", *itertools.chain.from_iterable({**EPHEMERIS_ARGS, option: value}.items())]
    yield from [[], ["horoscope"], ["chart", "--moon"], ["batch"], ["batch", "/nonexistent.csv", "-o", "x.csv"],
                ["batch", "/nonexistent.csv", "-o", "x.xlsx", "--format", "xlsx"], ["ephemeris", "--from"]]


BAD_LINES = list(_lines())


def test_two_hundred_bad_command_lines_exit_2_with_one_line(capsys):
    assert len(BAD_LINES) >= 200
    wrong = []
    for argv in BAD_LINES:
        try:
            status = main(argv)
        except SystemExit as exit:  # argparse's own refusals
            status = exit.code
        out, err = capsys.readouterr()
        if (status, out, err.count("\n")) != (2, "", 1):
            wrong.append((argv, status, out[:200], err[-300:]))
    assert not wrong, wrong


def test_ctrl_c_and_sigterm_end_with_one_line():
    for sent, status in ((signal.SIGINT, 130), (signal.SIGTERM, 143)):
        run = subprocess.Popen([sys.executable, "-m", "zentaric_chart", "ephemeris", "--from", "1900-01-01", "--to",
                                "2100-01-01", "--step", "1m"], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                               text=True)
        time.sleep(2.0)
        run.send_signal(sent)
        _, err = run.communicate(timeout=30)
        assert (run.returncode, err.count("\n")) == (status, 1), err
