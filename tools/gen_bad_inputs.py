"""Writes tests/data/bad_inputs.json: the hostile-input campaign that test_bad_input.py and test_batch_faults.py
replay against the command line and `zentaric batch`.

"command_lines": about 460 argument lists of `zentaric` that must end with status 2 and one line on standard error,
each with the words that line must hold: every option of every subcommand given values it must refuse (empty,
malformed, out of range, overlong, a folder for a zone, a moment whose UTC instant leaves the calendar), two
faults at once, each required option left out, and names one letter off (whose line must suggest the right one).

"rows": about 1,350 rows of a births file (the cells as text) in a seeded shuffle, each with the words one of which
the row's `error` must hold, or null for a good birth (whose chart the test computes one at a time). Every column
is made to fail in each way a file can hold: texts that are not numbers, numbers out of range, "None"/"NA"/"nan" as a
zone, folders and overlong zone names, folds that are not 0 or 1. Cells of the passed-through columns are texts a
number or missing-value reader would alter ("00501", "TRUE", "NA").

    python3 tools/gen_bad_inputs.py        (plain Python; the file is the same on every run, which
                                           tools/check_tables.py proves)
"""
import itertools
import json
import pathlib
import random

OUTPUT = pathlib.Path(__file__).resolve().parents[1] / "tests" / "data" / "bad_inputs.json"

BIRTH = {"--date": "1990-05-15", "--time": "16:00", "--tz": "Asia/Kolkata", "--lat": "28.6", "--lon": "77.2"}
BAD_BIRTH = {
    "--date": ["", "1990-13-01", "1990-02-30", "0000-01-01", "3001-01-01", "15/05/1990", "x" * 300],
    "--time": ["", "25:00", "16:60", "4pm", "16:00+25:00", "-1:00"],
    "--tz": ["", "Asia", "America", "Z" * 300, "../../etc/passwd", "UTC\0", "None", "nan"],
    "--lat": ["abc", "1e400", "nan", "-inf", "91", "", "0x10"],
    "--lon": ["181", "-1e400", "inf", "NaN", "east"],
    "--fold": ["2", "-1", "x", "1.0"],
    "--ayanamsha": ["", "x" * 300],
    "--lang": ["", "xx"],
    "--format": ["xml", ""],
}
EXTRA = {
    "chart": {"--houses": ["", "x" * 300], "--style": ["east", ""], "--output": ["/nonexistent/folder/c.txt", "/"],
              "--varga": ["d0", "d99", ""]},
    "dasha": {"--levels": ["0", "-1", "x", "9" * 30],
              "--at": ["", "2026-02-30", "0001-01-01", "9999-12-31T23:00-05:00"],
              "--system": ["", "x", "vimsottari", "x" * 300], "--year": ["", "lunar", "x" * 300],
              "--node": ["", "x"]},
}
EPHEMERIS = {"--from": "2000-01-01", "--to": "2000-01-02"}
BAD_EPHEMERIS = {
    "--from": ["", "x", "9999-12-31T23:00-05:00", "0001-01-01T00:00+05:00", "3500-01-01", "2000-01-03"],
    "--to": ["", "1999-12-31", "9999-12-31T23:00-05:00", "3500-01-01"],
    "--step": ["0d", "1000000000d", "99999999999999999999m", "-1d", "", "1.5d"],
    "--bodies": ["Pluto", "x" * 300], "--ayanamsha": ["Lahari"], "--format": ["parquet"],
}
BAD_MOMENT = ["", "x", "9999-12-31T23:00-05:00", "0001-01-01T00:00+05:00", "3500-01-01", "9999-12-31", "2000-02-30"]
BAD_ZONE = ["", "Asia", "Z" * 300, "None", "UTC\0"]
BAD_NUMBER = ["abc", "1e400", "nan", "-inf", ""]
EVENTS = {"--from": "2026-01-01", "--to": "2026-01-10", "--kind": "tithi"}
BAD_EVENTS = {"--from": BAD_MOMENT, "--to": [*BAD_MOMENT, "2025-01-01"], "--kind": ["", "x"], "--body": ["Pluto", ""],
              "--tz": BAD_ZONE, "--ayanamsha": ["Lahari"], "--lang": ["xx"], "--format": ["xml"]}
RISE_SET = {"--from": "2026-01-01", "--to": "2026-01-03", "--lat": "28.6", "--lon": "77.2", "--tz": "Asia/Kolkata"}
BAD_RISE_SET = {"--from": BAD_MOMENT, "--to": [*BAD_MOMENT[1:], "2025-01-01"],
                "--lat": [*BAD_NUMBER, "91"], "--lon": [*BAD_NUMBER, "181"], "--tz": BAD_ZONE,
                "--elevation": BAD_NUMBER[:4], "--body": ["Pluto"], "--convention": ["", "x"]}
PANCHANGA = {"--date": "2026-01-01", "--lat": "28.6", "--lon": "77.2", "--tz": "Asia/Kolkata"}
BAD_PANCHANGA = {"--date": BAD_MOMENT, "--month": ["", "x", "2026-13", "0000-01", "3500-01", "2026-1-1"],
                 "--days": ["0", "-1", "x", "1.5", "9" * 30, "1000000"], "--lat": [*BAD_NUMBER, "91"],
                 "--lon": [*BAD_NUMBER, "181"], "--tz": BAD_ZONE, "--elevation": [*BAD_NUMBER[:4], "1e9"],
                 "--convention": ["", "x"], "--ayanamsha": ["", "Lahari"], "--lang": ["", "xx"], "--format": ["xml"],
                 "--output": ["/nonexistent/folder/p.txt", "/"]}
TRANSITS = {**BIRTH, "--at": "2026-01-01"}
BAD_TRANSITS = {"--at": BAD_MOMENT, "--tz": BAD_ZONE, "--lat": BAD_NUMBER, "--ayanamsha": ["Lahari"],
                "--lang": ["xx"], "--format": ["xml"]}
TIMELINE = {**BIRTH, "--from": "2026-01-01", "--to": "2026-03-01"}
BAD_TIMELINE = {"--from": BAD_MOMENT, "--to": [*BAD_MOMENT, "2025-01-01"], "--levels": ["0", "6", "x", "9" * 30],
                "--tz": BAD_ZONE, "--ayanamsha": ["Lahari"], "--lang": ["xx"], "--format": ["xml"],
                "--output": ["/nonexistent/folder/t.csv", "/"]}
BATCH = {"--output": "charts.csv"}
BAD_BATCH = {"--houses": ["", "x" * 300, "Placidius"], "--ayanamsha": ["", "Lahari"], "--node": ["", "x"],
             "--processes": ["x", "-1", "1.5"], "--format": ["xml", ""],
             "--output": ["", "/", "charts.txt", "/nonexistent/folder/c.csv"]}
PARTNER = ["1990-05-15", "16:00", "Asia/Kolkata", "28.6", "77.2"]
BAD_PARTNER = [BAD_MOMENT[1:3], ["25:00", "x"], BAD_ZONE, [*BAD_NUMBER, "91"], [*BAD_NUMBER, "181"]]
BIRTH_ARGS = [item for pair in BIRTH.items() for item in pair]
GAP = ["--tz", "Europe/Berlin", "--date", "2021-03-28", "--time", "02:30"]
WITH_WORDS = [  # a refusal that must name the option and, for a name one letter off, the right name
    (["chart", *BIRTH_ARGS, "--ayanamsha", "Lahari"], ["--ayanamsha", "'Lahiri'"]),
    (["chart", *BIRTH_ARGS, "--houses", "Whole Sign"], ["--houses", "'WholeSign'"]),
    (["chart", *BIRTH_ARGS, "--lang", "hindu"], ["--lang", "'hindi'"]),
    (["chart", *BIRTH_ARGS, "--tz", "Asia/Calcuta"], ["--tz", "'Asia/Calcutta'"]),
    (["chart", *BIRTH_ARGS, "--tz", "Asia"], ["--tz", "'Asia'"]),
    (["chart", *BIRTH_ARGS, "--lat", "91"], ["--lat", "-90 to 90"]),
    (["chart", *BIRTH_ARGS, "--lat", "north"], ["--lat"]),
    (["chart", *BIRTH_ARGS[:6]], ["--lat", "--lon"]),
    (["chart", *BIRTH_ARGS, "--date", "3001-01-01"], ["--date", "years 1 to 2998"]),
    (["chart", *BIRTH_ARGS, "--date", "0001-01-01", "--time", "02:00"], ["--date/--time", "UTC instant"]),
    (["chart", *BIRTH_ARGS, *GAP], ["--date/--time", "does not exist"]),
    (["dasha", *BIRTH_ARGS, "--levels", "6"], ["--levels", "1 to 5"]),
    (["dasha", *BIRTH_ARGS, "--at", "soon"], ["--at"]),
    (["dasha", *BIRTH_ARGS, "--at", "9999-12-31T23:00-05:00"], ["--at", "years 1 to 9999"]),
    (["dasha", *BIRTH_ARGS, "--date", "2998-12-31", "--year", "solar"], ["--year", "past the ephemeris"]),
    (["ephemeris", "--from", "2000-01-01", "--to", "2000-01-02", "--bodies", "Sun,Jupitor"], ["--bodies", "'Jupiter'"]),
    (["ephemeris", "--from", "2000-01-01", "--to", "2000-01-02", "--step", "1y"], ["--step"]),
    (["ephemeris", "--from", "2000-01-01", "--to", "2000-01-02", "--step", "1000000000d"], ["--step"]),
    (["chart", *BIRTH_ARGS, "--format", "svg", "--style", "wheel", "--varga", "d9"], ["--varga"]),
    (["horoscope"], ["horoscope"]),
    (["batch", "/nonexistent/births.csv", "-o", "/tmp/charts.csv"], ["births"]),
    (["batch", "births.csv", "-o", "/nonexistent/charts.csv"], ["--output", "does not exist"]),
    (["batch", "births.csv", "-o", "./births.csv"], ["--output", "births file itself"]),
    (["batch", "births.csv", "-o", "charts.xlsx", "--format", "xlsx"], ["--format"]),
    (["batch", "births.csv", "-o", "charts.csv", "--processes", "0"], ["--processes"]),
]


def _flat(options):
    return [item for pair in options.items() for item in pair]


def command_lines():
    lines = [[argv, words] for argv, words in WITH_WORDS]
    for command in ("chart", "dasha"):
        for option, values in {**BAD_BIRTH, **EXTRA[command]}.items():
            for value in values:
                svg = {"--format": "svg"} if option == "--varga" else {}
                lines.append([[command, *_flat({**BIRTH, option: value, **svg})], [option]])
        for (first, one), (second, other) in itertools.combinations(BAD_BIRTH.items(), 2):  # two faults at once
            lines.append([[command, *_flat({**BIRTH, first: one[1], second: other[-1]})], []])
        for option in BIRTH:  # each required option left out
            lines.append([[command, *_flat({o: v for o, v in BIRTH.items() if o != option})], [option]])
    for command, good, bad in (("ephemeris", EPHEMERIS, BAD_EPHEMERIS), ("events", EVENTS, BAD_EVENTS),
                               ("rise-set", RISE_SET, BAD_RISE_SET)):
        for option, values in bad.items():
            lines += [[[command, *_flat({**good, option: value})], []] for value in values]
    for command, good, bad in (("panchanga", PANCHANGA, BAD_PANCHANGA), ("transits", TRANSITS, BAD_TRANSITS),
                               ("timeline", TIMELINE, BAD_TIMELINE), ("batch", BATCH, BAD_BATCH)):
        first = ["births.csv"] if command == "batch" else []
        for option, values in bad.items():  # the line names the option, or argparse its value
            lines += [[[command, *first, *_flat({**good, option: value})], [option if value else ""]]
                      for value in values]
    for option, value in (("--system", "x"), ("--ayanamsha", "Lahari"), ("--format", "xml")):
        lines.append([["match", "--boy", *PARTNER, "--girl", *PARTNER, option, value], [option]])
    for position, values in enumerate(BAD_PARTNER):
        for value, who in itertools.product(values, ("--boy", "--girl")):
            cells = [*PARTNER[:position], value, *PARTNER[position + 1:]]
            lines.append([["match", *(("--boy", *cells, "--girl", *PARTNER) if who == "--boy" else
                                      ("--boy", *PARTNER, "--girl", *cells))], [who]])
    return lines


PASSED_THROUGH = ["00501", "0049301234567", "TRUE", "NA", "None", "null", "nan", "", " 1 ", "1e5", "-0"]
ZONES = ["Asia/Kolkata", "Europe/Berlin", "America/New_York", ""]
BAD_CELLS = {  # the cells that must fail, and the words one of which the row's error must hold
    "time": (["", "x", "1990-13-01 10:00", "3500-01-01 00:00", "0000-01-01", "1990-05-15 25:00"], ["time", "when"]),
    "tz": (["None", "NA", "null", "nan", "Asia", "America", "Z" * 300, "Mars/Olympus", "../../etc/passwd",
            "asia/kolkata"], ["time zone"]),
    "latitude": (["", "abc", "1e400", "nan", "inf", "91", "-90.0001", "1,5", "0x10", "NA"], ["latitude"]),
    "longitude": (["", "east", "181", "-1e999", "NaN", "None"], ["longitude"]),
    "fold": (["x", "2", "-1", "1.5", "NA", "None", "true"], ["fold"]),
}
COLUMNS = ["name", "time", "tz", "latitude", "longitude", "fold", "note"]


def _good(generator):
    return {"name": generator.choice(PASSED_THROUGH),
            "time": f"{generator.randrange(1850, 2100)}-0{generator.randrange(1, 10)}-1{generator.randrange(10)} "
                    f"{generator.randrange(10, 24)}:{generator.randrange(10, 60)}",
            "tz": generator.choice(ZONES), "latitude": repr(generator.uniform(-66, 66)),
            "longitude": repr(generator.uniform(-180, 180)), "fold": generator.choice(["", "0", "1", "1.0"]),
            "note": generator.choice(PASSED_THROUGH)}


def rows():
    generator = random.Random(20)
    each = 1040 // sum(len(values) for values, _ in BAD_CELLS.values()) + 1
    made = [[list({**_good(generator), column: value}.values()), words]
            for column, (values, words) in BAD_CELLS.items() for value in values for _ in range(each)]
    made += [[list(_good(generator).values()), None] for _ in range(300)]
    generator.shuffle(made)
    return made


def outputs():
    """{path relative to the repository: text} of the file this generator writes."""
    def listed(items):  # one entry a line
        return "[\n" + ",\n".join(json.dumps(item, ensure_ascii=False) for item in items) + "\n]"
    text = (f'{{"source": "tools/gen_bad_inputs.py", "columns": {json.dumps(COLUMNS)},\n'
            f'"command_lines": {listed(command_lines())},\n"rows": {listed(rows())}}}\n')
    return {str(OUTPUT.relative_to(OUTPUT.parents[2])): text}


def main():
    for relative_path, text in outputs().items():
        (OUTPUT.parents[2] / relative_path).write_text(text, encoding="utf-8")
        print(f"{relative_path}: {text.count(chr(10))} lines")


if __name__ == "__main__":
    main()
