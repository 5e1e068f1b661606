"""zentaric_chart.moments and the `events` and `rise-set` commands: local days, zones, polar days, refusals."""
import fcntl
import json
import os
import pty
import struct
import subprocess
import termios
import sys
from datetime import UTC, date, datetime, timedelta
from zoneinfo import ZoneInfo

import pytest

import zentaric
from zentaric_chart import Birth, Place, UnknownName, crossings, events, julian_day, rise_set, rise_sets

DELHI = Place(28.6139, 77.2090, "Asia/Kolkata")
KOLKATA = ZoneInfo("Asia/Kolkata")


def test_a_day_is_the_places_local_day_and_times_are_in_its_zone():
    day = rise_set(date(2024, 1, 1), DELHI)
    start = julian_day(datetime(2024, 1, 1, tzinfo=KOLKATA))
    module = [jd for jd, what in zentaric.rise_set_times(start, start + 1.0, 28.6139, 77.2090)[0] if what == "rise"]
    assert day.rise is not None and day.rise.tzinfo == KOLKATA and day.rise.date() == date(2024, 1, 1)
    assert abs(julian_day(day.rise) - module[0]) < 1e-8
    assert day.rise < day.transit < day.set and day.always is None  # type: ignore[operator]


@pytest.mark.parametrize("day, always", [(date(2024, 6, 21), "above"), (date(2024, 12, 21), "below")])
def test_polar_day_and_night_are_named_not_raised(day, always):
    result = rise_set(day, Place(78.22, 15.65, "Arctic/Longyearbyen"), convention="civil")
    assert (result.rise, result.set, result.always) == (None, None, always)


@pytest.mark.parametrize("place, first, last, skipped", [
    (Place(52.52, 13.40, "Europe/Berlin"), date(2024, 3, 30), date(2024, 4, 1), None),
    (Place(-13.83, -171.76, "Pacific/Apia"), date(2011, 12, 29), date(2011, 12, 31), date(2011, 12, 30)),
])
def test_a_range_of_days_agrees_with_single_days_across_a_clock_change(place, first, last, skipped):
    zone_days = rise_sets(first, last, place, "Moon", "civil")
    singles = [rise_set(day.day, place, "Moon", "civil") for day in zone_days]
    assert zone_days == singles and skipped not in [day.day for day in zone_days]  # Samoa skipped it: no polar night
    if skipped:
        with pytest.raises(ValueError, match="skipped"):
            rise_set(skipped, place)


def test_some_days_have_no_moonrise():
    assert sum(day.rise is None for day in rise_sets(date(2024, 1, 1), date(2024, 2, 29), DELHI, "Moon")) >= 1


def test_events_are_aware_in_the_zone_of_start_and_name_the_motion_of_stations():
    start = datetime(2024, 3, 1, tzinfo=KOLKATA)
    stations = events(start, start + timedelta(days=90), "station", "mercury")
    assert [(e.before, e.after) for e in stations] == [("direct", "retrograde"), ("retrograde", "direct")]
    assert all(e.time.tzinfo == KOLKATA for e in stations)
    tithis = events(start, start + timedelta(days=3), "tithi")
    assert all(e.after == e.before % 30 + 1 for e in tithis)


def test_crossings_count_the_retrograde_passes_and_take_the_tropical_zodiac_when_asked():
    start = datetime(2000, 1, 1, tzinfo=UTC)
    assert len(crossings("Saturn", 36.0, start, start + timedelta(days=730))) == 3
    equinox = crossings("Sun", 0.0, datetime(2024, 1, 1, tzinfo=UTC), datetime(2024, 6, 1, tzinfo=UTC), "Tropical")
    # the March equinox of 2024 at 03:06 UT (US Naval Observatory); the sidereal Sun reaches 0 deg on April 13
    assert len(equinox) == 1 and abs(equinox[0] - datetime(2024, 3, 20, 3, 6, tzinfo=UTC)) < timedelta(seconds=60)


@pytest.mark.parametrize("call, error", [
    (lambda: events(datetime(2024, 1, 1), datetime(2024, 1, 2, tzinfo=UTC), "tithi"), ValueError),
    (lambda: events(datetime(2024, 1, 1, tzinfo=UTC), datetime(2024, 1, 2, tzinfo=UTC), "tithis"), UnknownName),
    (lambda: events(datetime(2024, 1, 1, tzinfo=UTC), datetime(2024, 1, 2, tzinfo=UTC), "yoga", "Mars"), ValueError),
    (lambda: rise_set(date(2024, 1, 1), DELHI, "Pluto"), UnknownName),
    (lambda: rise_set(date(2024, 1, 1), DELHI, "Moon", "civil-twilight"), ValueError),
    (lambda: rise_set(date(1, 1, 1), Place(10.0, 10.0, "Asia/Tokyo")), ValueError),  # was an OverflowError
    (lambda: crossings("Sun", 0.0, datetime(2999, 1, 1, tzinfo=UTC), datetime(3001, 1, 1, tzinfo=UTC)), ValueError),
])
def test_refusals(call, error):
    with pytest.raises(error):
        call()


def test_birth_gives_its_place():
    birth = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    assert birth.place == Place(28.6139, 77.2090, "Asia/Kolkata")


def run(*args):
    return subprocess.run([sys.executable, "-m", "zentaric_chart", *args], capture_output=True, text=True, timeout=120)


def test_commands_write_text_json_and_csv():
    place = ["--lat", "28.6139", "--lon", "77.2090", "--tz", "Asia/Kolkata"]
    days = json.loads(run("rise-set", "--from", "2024-01-01", "--to", "2024-01-02", *place, "--format", "json").stdout)
    assert [day["rise"] for day in days] == [rise_set(date(2024, 1, d), DELHI).rise.isoformat(timespec="seconds")
                                             for d in (1, 2)]
    table = run("events", "--from", "2024-01-01", "--to", "2024-01-03", "--kind", "nakshatra", "--format", "csv")
    assert table.stdout.splitlines()[0] == "time,kind,body,before,after" and len(table.stdout.splitlines()) == 3
    assert "Magha -> Purva Phalguni" in run("events", "--from", "2024-01-01", "--to", "2024-01-02", "--kind",
                                            "nakshatra", "--tz", "Asia/Kolkata").stdout
    refused = run("rise-set", "--from", "2024-01-01", *place, "--convention", "civl")
    assert refused.returncode == 2 and "did you mean 'civil'" in refused.stderr


@pytest.mark.parametrize("command, chunks, rows", [
    (["events", "--from", "2020-01-01", "--to", "2023-01-01", "--kind", "nakshatra", "--body", "Jupiter"], 3,
     lambda: len(events(datetime(2020, 1, 1, tzinfo=UTC), datetime(2023, 1, 1, tzinfo=UTC), "nakshatra", "Jupiter"))),
    (["rise-set", "--from", "2023-12-31", "--to", "2025-01-01", "--lat", "28.6", "--lon", "77.2", "--tz",
      "Asia/Kolkata"], 2, lambda: 368)])
def test_long_ranges_show_a_progress_bar_on_a_terminal_and_lose_no_row_between_chunks(command, chunks, rows):
    terminal, stderr = pty.openpty()
    fcntl.ioctl(stderr, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))  # a terminal of 80 columns
    done = subprocess.run([sys.executable, "-m", "zentaric_chart", *command, "--format", "csv"], stdout=subprocess.PIPE,
                          stderr=stderr, text=True, timeout=120, check=True)
    os.close(stderr)
    shown = os.read(terminal, 65536).decode()  # all the bar wrote: a few hundred bytes
    os.close(terminal)
    assert f"{chunks}/{chunks} [" in shown and len(done.stdout.splitlines()) == rows() + 1
    assert run(*command, "--format", "csv").stderr == ""  # no bar into a pipe
