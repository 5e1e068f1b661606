"""Writes the README's chart pictures, docs/chart-*.png (and the SVG beside each), and the panchanga's month page,
docs/panchanga-month-delhi-2026-12.png (Hindi), drawn by headless Chromium.

Run from the repository root with the package installed: .venv/bin/python tools/draw_examples.py
"""
import pathlib
import subprocess
import sys
import tempfile
from datetime import date, datetime, timedelta, timezone

from zentaric_chart import Birth, natal, panchanga_range
from zentaric_chart.birth import Place
from zentaric_chart.drawing_month import month_page

DOCS = pathlib.Path(__file__).resolve().parent.parent / "docs"
SIZE = 480
# (file stem, birth, style, language): Ulm keeps local mean time (9.99° E, 40 minutes ahead of UTC).
PICTURES = [
    ("chart-south-ulm-1879", Birth(datetime(1879, 3, 14, 11, 30, tzinfo=timezone(timedelta(minutes=40))),
                                   48.4011, 9.9876), "south", "en"),
    ("chart-north-delhi-1990", Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata"), "north", "hi"),
    ("chart-wheel-melbourne-1968", Birth("1968-05-28 11:00", -37.8136, 144.9631, tz="Australia/Melbourne"),
     "wheel", "en"),
]


def picture(scratch: str, stem: str, svg: str, width: float, height: float) -> None:
    (DOCS / f"{stem}.svg").write_text(svg, encoding="utf-8")
    page = pathlib.Path(scratch) / f"{stem}.html"
    page.write_text(f'<!DOCTYPE html><html><head><meta charset="utf-8"></head>'
                    f'<body style="margin:0">{svg}</body></html>', encoding="utf-8")
    subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                    f"--screenshot={DOCS / f'{stem}.png'}", f"--window-size={width:.0f},{height:.0f}", page.as_uri()],
                   check=True, capture_output=True)
    print(DOCS / f"{stem}.png")


def main() -> int:
    DOCS.mkdir(exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        for stem, birth, style, language in PICTURES:
            picture(scratch, stem, natal(birth).svg(style=style, language=language, size=SIZE), SIZE, SIZE)
        days = panchanga_range(date(2026, 12, 1), date(2026, 12, 31), Place(28.6139, 77.2090, "Asia/Kolkata"),
                               language="hi")
        svg = month_page(days, "hi")
        width, height = (float(v) for v in svg.split('viewBox="0 0 ', 1)[1].split('"', 1)[0].split())
        picture(scratch, "panchanga-month-delhi-2026-12", svg, width, height)
    return 0


if __name__ == "__main__":
    sys.exit(main())
