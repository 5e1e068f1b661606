"""Writes the golden chart documents: for each birth of tests/data/golden/births.json (UTC year, month, day, hour,
minute, latitude, longitude, ayanamsha, house system) the module's compute_natal_chart text, byte for byte, as
tests/data/golden/<name>.json. Regenerate only for an intended change of the documents, and review the diff.
Run `.venv/bin/python tools/gen_golden_charts.py` with the package installed.
"""
import json
import pathlib

import zentaric

GOLDEN = pathlib.Path(__file__).resolve().parents[1] / "tests" / "data" / "golden"

for name, arguments in json.loads((GOLDEN / "births.json").read_text()).items():
    (GOLDEN / f"{name}.json").write_text(zentaric.compute_natal_chart(*arguments) + "\n", encoding="utf-8")
    print("wrote", f"tests/data/golden/{name}.json")
