"""The month's calendar page drawn by headless Chromium: every text of a day inside that day's cell, in English and
Hindi, and the page not blank."""
import html
import json
import re
import shutil
import xml.etree.ElementTree as ET
from datetime import date

import pytest

from test_drawing import chromium
from zentaric_chart import panchanga_range
from zentaric_chart.birth import Place
from zentaric_chart.drawing_month import month_page

SVG = "{http://www.w3.org/2000/svg}"
DELHI = Place(28.6139, 77.2090, "Asia/Kolkata")
MEASURE = """<script>
document.body.dataset.boxes = JSON.stringify([...document.querySelectorAll('text.cell-text')].map(t => {
  const b = t.getBBox(); return [Number(t.dataset.day), [b.x, b.y, b.x + b.width, b.y + b.height]]; }));
</script>"""


@pytest.mark.parametrize("language", ["en", "hi", "ta"])  # Tamil: the widest letters of the seven
def test_browser_draws_every_text_inside_its_day(tmp_path, language):
    if shutil.which("chromium") is None:
        pytest.skip("chromium is not installed (make test-deps installs it)")
    svg = month_page(panchanga_range(date(2026, 12, 1), date(2026, 12, 31), DELHI, language=language), language)
    cells = {int(r.get("data-day")): [float(r.get(k)) for k in ("x", "y", "width", "height")]
             for r in ET.fromstring(svg).iter(SVG + "rect") if r.get("data-day")}
    assert sorted(cells) == list(range(1, 32))
    if language == "hi":  # every word of a day in Devanagari, the paksha too
        assert [t.text for t in ET.fromstring(svg).iter(SVG + "text")
                if t.get("class") == "cell-text" and re.search("[A-Za-z]", t.text or "")] == []
    page = tmp_path / "month.html"
    page.write_text(f'<!DOCTYPE html><html><head><meta charset="utf-8"></head><body style="margin:0">{svg}'
                    f'{MEASURE}</body></html>', encoding="utf-8")
    boxes = json.loads(html.unescape(re.search(r'data-boxes="([^"]*)"', chromium("--dump-dom", page.as_uri()))[1]))
    assert len(boxes) == 31 * 5
    for day, (left, top, right, bottom) in boxes:
        x, y, width, height = cells[day]
        assert x < left and right < x + width and y < top and bottom < y + height, (day, left, right)
    png = tmp_path / "month.png"
    chromium(f"--screenshot={png}", "--window-size=924,562", page.as_uri())
    from PIL import Image
    ink = Image.open(png).convert("L").point(lambda value: 255 if value < 200 else 0)
    assert 0.01 < ink.histogram()[255] / (924 * 562) < 0.5


def test_tithis_are_counted_within_their_paksha():
    days = panchanga_range(date(2026, 12, 1), date(2026, 12, 31), DELHI)
    texts = {t.get("data-day"): [] for t in ET.fromstring(month_page(days, "en")).iter(SVG + "text")}
    for t in ET.fromstring(month_page(days, "en")).iter(SVG + "text"):
        texts[t.get("data-day")].append(t.text)
    marks = [next(s for s in texts[str(d.day.day)] if re.fullmatch(r"[SK] \d+", s or "")) for d in days]
    assert all(1 <= int(m[2:]) <= 15 for m in marks)
    # December 2026 at Delhi: Amavasya (tithi 30, krishna's 15th) at sunrise on the 8th, Pratipada on the 9th and
    # 10th, and no sunrise in Purnima (it falls between the sunrises of the 23rd and 24th, Krishna Pratipada)
    assert (marks[7], marks[8], marks[9], marks[22], marks[23]) == ("K 15", "S 1", "S 1", "S 14", "K 1")


def test_a_date_the_clocks_skipped_is_a_blank_cell():
    days = panchanga_range(date(2011, 12, 1), date(2011, 12, 31), Place(-13.83, -171.76, "Pacific/Apia"))
    drawn = {t.get("data-day") for t in ET.fromstring(month_page(days, "en")).iter(SVG + "text")}
    assert drawn - {None} == {str(n) for n in range(1, 32)} - {"30"}  # Samoa went from 29 December to 31 December
