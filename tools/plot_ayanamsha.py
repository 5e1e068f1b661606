"""Draws docs/ayanamsha-lahiri.png: how far "LahiriIcrc" (the Calendar Reform Committee's ayanamsha carried by the
general precession in longitude) lies from "Lahiri" (the classical table's constant carried by psi-bar), in
arcseconds, for the years 1000-2999.
Usage: .venv/bin/python tools/plot_ayanamsha.py (the module installed, and matplotlib: the `reference` extra)
"""
import pathlib

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

import zentaric  # noqa: E402

OUTPUT = pathlib.Path(__file__).resolve().parents[1] / "docs" / "ayanamsha-lahiri.png"


def main():
    years = list(range(1000, 3000, 5))
    jds = [zentaric.calendar_to_jd(year, 1, 1.0) for year in years]
    difference = [(zentaric.get_ayanamsha("Lahiri", jd) - zentaric.get_ayanamsha("LahiriIcrc", jd)) * 3600
                  for jd in jds]
    figure, axes = plt.subplots(figsize=(6.4, 3.2), dpi=100)
    axes.plot(years, difference, color="#8a3b12")
    axes.axhline(0.0, color="#999999", linewidth=0.8)
    axes.set_xlabel("year")
    axes.set_ylabel('"Lahiri" − "LahiriIcrc" (″)')
    axes.set_title("The classical Lahiri against the Calendar Reform Committee's", fontsize=10)
    axes.grid(alpha=0.3)
    figure.tight_layout()
    figure.savefig(OUTPUT, metadata={"Software": None})
    print("wrote", OUTPUT.relative_to(OUTPUT.parents[1]))


if __name__ == "__main__":
    main()
