"""The `zentaric` command line, run as a separate process: its documents (refusals: test_bad_input.py)."""
import csv
import dataclasses
import json
import subprocess
import sys
from datetime import UTC

import icalendar
import pytest

import zentaric
from zentaric_chart import DASHA_SYSTEMS, DASHA_YEARS, Birth, _names, moments, natal, text
from zentaric_chart.cli import main, parser
from zentaric_chart.transits import timeline, transits

BIRTH = ["--date", "1990-05-15", "--time", "16:00", "--tz", "Asia/Kolkata", "--lat", "28.6139", "--lon", "77.2090"]


def run(*args):
    return subprocess.run([sys.executable, "-m", "zentaric_chart", *args], capture_output=True, text=True,
                          timeout=120)


def test_chart_module_json_is_the_module_document_for_the_utc_minute():
    result = run("chart", *BIRTH, "--houses", "WholeSign", "--ayanamsha", "Raman", "--format", "module-json")
    assert result.returncode == 0, result.stderr
    assert result.stdout.rstrip("\n") == zentaric.compute_natal_chart(1990, 5, 15, 10, 30, 28.6139, 77.2090,
                                                                      "Raman", "WholeSign")


def test_chart_json_is_the_package_reading_with_every_vedic_part():
    born = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    result = run("chart", *BIRTH, "--houses", "WholeSign", "--lang", "hi", "--node", "true", "--format", "json")
    assert result.returncode == 0, result.stderr
    document = json.loads(result.stdout)
    assert document == json.loads(json.dumps(natal(born, houses="WholeSign", language="hi", node="true").to_dict()))
    assert document["node"] == "true" and document["lagna"]["sign_label"] == "कन्या"
    assert {"vargas", "vedic_dignities", "vimshopaka", "drishti", "rashi_drishti", "karakas", "arudhas",
            "special_lagnas", "upagrahas"} <= set(document) and len(document["vargas"]) == 16
    assert {b["name"]: b["vedic_dignity"] for b in document["bodies"][:7]} == document["vedic_dignities"]["d1"]
    varga = json.loads(run("chart", *BIRTH, "--varga", "D-30", "--lang", "hi", "--format", "json").stdout)
    assert varga["code"] == "d30" and varga["signs"] == document["vargas"]["d30"]
    assert varga["labels"]["Sun"] == zentaric.sign_name(varga["sign_indices"]["Sun"], "hi")


def test_chart_text_shows_local_time_lagna_and_dasha_dates():
    result = run("chart", *BIRTH, "--lang", "hi")
    assert result.returncode == 0, result.stderr
    for part in ("1990-05-15 16:00 IST", "UTC 1990-05-15 10:30", "Lagna", "कन्या", "1990-05-15 to ", "Yogas"):
        assert part in result.stdout


def test_dasha_at_and_ephemeris_rows():
    chain = json.loads(run("dasha", *BIRTH, "--levels", "3", "--at", "2026-12-06", "--format", "json").stdout)
    assert [(period["lord"], period["level"]) for period in chain] == [("Rahu", 1), ("Moon", 2), ("Saturn", 3)]
    yogini = json.loads(run("dasha", *BIRTH, "--system", "yogini", "--year", "sidereal", "--levels", "2", "--at",
                            "2026-12-06", "--format", "json").stdout)
    assert [(period["name"], period["level"]) for period in yogini] == [("Sankata", 1), ("Bhadrika", 2)]
    rows = json.loads(run("ephemeris", "--from", "2000-01-01T12:00", "--to", "2000-01-03T12:00", "--step", "1d",
                          "--bodies", "moon,RAHU,Ketu", "--format", "json").stdout)
    document = json.loads(zentaric.compute_natal_chart(2000, 1, 1, 12, 0, 0.0, 0.0))
    assert len(rows) == 9 and rows[0]["time"] == "2000-01-01T12:00Z" and rows[0]["body"] == "Moon"
    assert rows[0]["longitude"] == document["planets"][1]["longitude"]
    assert (rows[2]["longitude"] - rows[1]["longitude"]) % 360 == pytest.approx(180)
    assert all(row["retrograde"] == (row["body"] != "Moon") for row in rows)


def test_chart_prints_the_varga_asked_for():
    result = run("chart", *BIRTH, "--varga", "d30")
    assert result.returncode == 0, result.stderr
    lines = result.stdout.splitlines()
    assert lines[0] == "Trimshamsha (D30)" and lines[4].split() == ["Sun", "Taurus", "Neutral"]


@pytest.mark.parametrize("args, words", [  # options that would be silently ignored or misread are refused
    (["chart", *BIRTH, "--lang", "hi", "--format", "module-json"], ["--lang", "English"]),
    (["chart", *BIRTH, "--varga", "d9", "--format", "module-json"], ["--varga", "json"]),
    (["chart", *BIRTH, "--format", "text", "--style", "north"], ["--style", "svg"]),
    (["batch", "births.csv", "-o", "charts.xlsx"], ["--output", ".parquet, .csv or .json"]),
])
def test_an_option_that_cannot_do_what_it_says_is_refused(args, words):
    result = run(*args)
    assert result.returncode == 2 and result.stderr.count("\n") == 1
    assert all(word in result.stderr for word in words), result.stderr


def test_version_and_a_bare_command():
    assert run("--version").stdout.startswith("zentaric ")
    bare = run()
    assert bare.returncode == 0 and "{chart,dasha,ephemeris" in bare.stdout



def test_transits_and_timeline_documents_are_the_package_readings(tmp_path):
    born = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    result = run("transits", *BIRTH, "--at", "2026-12-07T10:15", "--format", "json")
    assert result.returncode == 0, result.stderr
    found = transits(born, "2026-12-07T10:15")
    assert json.loads(result.stdout) == json.loads(json.dumps({
        "when": found.when.isoformat(), "moon_tara": found.moon_tara, "moon_tara_name": found.moon_tara_name,
        "bodies": [dataclasses.asdict(b) for b in found.bodies]}))
    events = timeline(born, "2026-01-01", "2030-12-31")
    span = ("--from", "2026-01-01", "--to", "2030-12-31")
    assert run("timeline", *BIRTH, *span, "--format", "ics", "-o", str(tmp_path / "life.ics")).returncode == 0
    calendar = icalendar.Calendar.from_ical((tmp_path / "life.ics").read_bytes())
    assert [(c.get("dtstart").dt, str(c.get("summary")), str(c.get("categories").cats[0])) for c in
            calendar.walk("VEVENT")] == [(e.time.astimezone(UTC).replace(microsecond=0), e.description,
                                          e.kind.upper()) for e in events]
    assert json.loads(run("timeline", *BIRTH, *span, "--format", "json").stdout) == [
        {"time": e.time.isoformat(), "kind": e.kind, "description": e.description} for e in events]
    rows = list(csv.DictReader(run("timeline", *BIRTH, *span, "--format", "csv").stdout.splitlines()))
    assert [(r["kind"], r["description"]) for r in rows] == [(e.kind, e.description) for e in events]
    text = run("timeline", *BIRTH, *span).stdout.splitlines()
    assert len(text) == len(events) and text[0].endswith(events[0].description.split(" ", 1)[1].split(" (level")[0])


@pytest.mark.parametrize("argv, shown", [
    (["timeline", *BIRTH, "--from", "2028-08-01", "--to", "2028-10-01", "--levels", "5"],
     "Jupiter/Jupiter/Jupiter/Jupiter/Jupiter begins"),
    (["events", "--from", "2026-01-23", "--to", "2026-01-24", "--kind", "nakshatra", "--tz", "Asia/Kolkata", "--lang",
      "sa"], "Pūrva Bhādrapadā -> Uttara Bhādrapadā"),
    (["match", "--boy", *BIRTH[1::2], "--girl", "1992-08-01", "06:30", "Asia/Kolkata", "13.08", "80.27"],
     "(aspected by Jupiter, in Leo or Aquarius)"),
], ids=["timeline", "events", "match"])
def test_text_with_the_longest_names_stays_within_80_columns(argv, shown, capsys):
    assert main(argv) == 0
    out = capsys.readouterr().out
    assert shown in out and max(text.width(line) for line in out.splitlines()) <= 80


@pytest.mark.parametrize("command", ["rise-set", "panchanga"])
def test_day_ranges_read_from_and_to_and_the_older_date_and_days(command, capsys):
    place = ["--lat", "28.6", "--lon", "77.2", "--tz", "Asia/Kolkata", "--format", "csv"]
    texts = []
    for days in (["--from", "2026-01-01", "--to", "2026-01-03"], ["--date", "2026-01-01", "--days", "3"],
                 ["--from", "2026-01-01", "--days", "3"], ["--date", "2026-01-01", "--to", "2026-01-03"]):
        assert main([command, *days, *place]) == 0
        texts.append(capsys.readouterr().out)
    assert len(texts[0].splitlines()) == 1 + 3 and texts == texts[:1] * 4  # a header and three days
    for clash in (["--from", "2026-01-01", "--date", "2026-01-01"], ["--from", "2026-01-01", "--to", "2026-01-03",
                                                                     "--days", "3"]):
        with pytest.raises(SystemExit) as refused:
            main([command, *clash, *place])
        assert refused.value.code == 2 and "not allowed with" in capsys.readouterr().err
    with pytest.raises(SystemExit):
        main([command, "--help"])
    shown = capsys.readouterr().out
    assert "--from DATE" in shown and "--to DATE" in shown and "--date" not in shown and "--days" not in shown


def test_every_name_option_lists_its_accepted_values_in_the_help():
    tables = {"--ayanamsha": _names.AYANAMSHAS, "--houses": _names.HOUSE_SYSTEMS, "--varga": _names.VARGAS,
              "--lang": _names.LANGUAGES, "--system": DASHA_SYSTEMS, "--year": DASHA_YEARS, "--kind": moments.KINDS,
              "--bodies": _names.BODIES, "--body": moments.BODIES, "--convention": moments.CONVENTIONS}
    commands = next(action for action in parser()._actions if action.dest == "command").choices
    missing = []
    for command, options in commands.items():
        for action in options._actions:
            option = action.option_strings[-1] if action.option_strings else ""
            if option == "--format" or action.choices:  # argparse lists choices itself
                missing += [] if action.choices else [(command, option)]
                continue
            accepted = tables.get(option, ())
            if option == "--lang" and "only" in action.help:
                accepted = ("en",)
            if (command, option) == ("rise-set", "--body"):  # the nodes neither rise nor set
                accepted = tuple(body for body in accepted if not body.endswith(("Rahu", "Ketu")))
            missing += [(command, option, value) for value in accepted if value not in action.help]
    assert not missing
