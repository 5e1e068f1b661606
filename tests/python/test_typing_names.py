"""mypy --strict refuses a misspelt name where the module would refuse it at run time, and takes every name the
module's docstrings list, through the installed stubs and the package's Literal types."""
import os
import re
import subprocess
import sys

import pytest
import zentaric

from zentaric_chart import _names, moments

pytestmark = pytest.mark.not_sanitized("runs mypy, not the module")

# Calls of a misspelt name, one a line: each must be an error of its own line.
WRONG = [
    'zentaric.get_ayanamsha("Lahari")',
    'zentaric.compute_houses(0.0, 0.0, 23.4, "Whole Sign")',
    'zentaric.compute_varga(1.0, "navamsa")',
    'zentaric.sign_name(0, "hindu")',
    'zentaric.find_events(0.0, 1.0, "tithis")',
    'zentaric.rise_set_times(0.0, 1.0, 0.0, 0.0, body="Pluto")',
    'natal(birth, ayanamsha="Lahari")',
    'natal(birth, houses="Placidas")',
    'natal(birth, node="osculating")',
    'chart.svg(style="east")',
    'chart.svg(varga="D-9x")',
    'chart.body("Jupitor")',
    'dasha(birth, "vimshotari")',
    'rise_set(date(2026, 1, 1), place, convention="hindoo")',
]


def _accepted_calls():
    """Every name the module's docstrings list (read at run time, not from the stubs), in a call that takes it."""
    calls = [f'zentaric.get_ayanamsha("{name}")' for name in _names.AYANAMSHAS]
    calls += [f'natal(birth, houses="{name}")' for name in _names.HOUSE_SYSTEMS]
    calls += [f'chart.varga("{name}")' for name in _names.VARGAS]
    calls += [f'chart.svg(language="{name}")' for name in _names.LANGUAGES + _names.LANGUAGE_NAMES]
    calls += [f'chart.vimshopaka("{name}")' for name in _names.VIMSHOPAKA_GROUPS]
    calls += [f'natal(birth, node="{name}")' for name in _names.NODES]
    calls += [f'chart.body("{name}")' for name in _names.BODIES + tuple(name.lower() for name in _names.BODIES)]
    calls += [f'chart.svg(style="{name}")' for name in ("south", "north", "wheel")]
    calls += [f'zentaric.find_crossings("{name}", 0.0, 0.0, 1.0)' for name in moments.BODIES]
    calls += [f'zentaric.find_events(0.0, 1.0, "{name}")' for name in moments.KINDS]
    calls += [f'rise_set(date(2026, 1, 1), place, convention="{name}")' for name in moments.CONVENTIONS]
    calls += [f'zentaric.compute_dasha_periods(1990, 5, 15, 10, 30, 0.0, 0.0, "{name}")'
              for name in _names.listed(zentaric.compute_dasha_periods, "system")]
    return calls


def test_mypy_refuses_misspelt_names_and_takes_the_listed_ones(tmp_path):
    accepted = _accepted_calls()
    assert len(accepted) > 150
    head = ["from datetime import date", "import zentaric",
            "from zentaric_chart import Birth, Place, dasha, natal, rise_set",
            'birth = Birth("1990-05-15 16:00", 28.6, 77.2, tz="Asia/Kolkata")',
            "chart = natal(birth)", 'place = Place(28.6, 77.2, "Asia/Kolkata")']
    lines = head + accepted + WRONG
    script = tmp_path / "names.py"
    script.write_text("\n".join(lines) + "\n")
    done = subprocess.run([sys.executable, "-m", "mypy", "--strict", "--no-incremental", "--cache-dir", os.devnull,
                           str(script)], capture_output=True, text=True, cwd=tmp_path)
    failing = {int(line) for line in re.findall(r"^[^:]+:(\d+): error", done.stdout, re.MULTILINE)}
    wrong = set(range(len(lines) - len(WRONG) + 1, len(lines) + 1))
    assert failing == wrong, done.stdout
