"""The panchanga of many places and days as one pandas frame (pip install .[batch]).

    frame = panchanga_frame(pandas.date_range("2026-01-01", "2026-12-31"), [delhi, chennai])

One row per place and day (places in the given order, each with every day), the columns of
`zentaric_chart.panchanga.FLAT_COLUMNS` and `error`: the limbs prevailing at sunrise with their ends, the kalams,
muhurtas and months. Moments are UTC timestamps (the places' zones differ; `tz` says each row's zone). A day that
cannot be computed (the Sun does not rise there that day, a year outside the ephemeris, a date the place's clocks
skipped) gets its message in `error` and missing values elsewhere; the other rows go on. An unknown convention,
ayanamsha or language raises UnknownName before anything is computed, and a Tropical zodiac ValueError.
Consecutive days of a place share one search (`panchanga_range`).
"""
from __future__ import annotations

import re
from collections.abc import Iterable, Sequence
from datetime import date, datetime, timedelta
from typing import Any

from zentaric_chart._literals import AyanamshaName, ConventionName, LanguageName
from zentaric_chart.batch import _pandas
from zentaric_chart.birth import Place
from zentaric_chart.panchanga import FLAT_COLUMNS, checked_names, flat_row, panchanga_range

#: Columns of moments (UTC timestamps) and of whole numbers and flags (nullable).
_MOMENTS = tuple(c for c in FLAT_COLUMNS if c in ("sunrise", "sunset", "next_sunrise", "moonrise", "moonset")
                 or c.endswith(("_end", "_start")))
#: The errors of a day of its own (the Sun does not rise or set there; a date outside the years): the frame notes
#: them in `error` and goes on.
_DAY_FAULT = re.compile(r"the Sun does not (rise|set) on |(day|start|end) \S+ is outside the years ")
_WHOLE = ("vara_number", "tithi_number", "nakshatra_number", "yoga_number", "karana_number", "masa_number")


def _runs(days: list[date]) -> list[list[date]]:
    """The days cut into runs of consecutive dates."""
    runs: list[list[date]] = []
    for day in days:
        if runs and runs[-1][-1] + timedelta(days=1) == day:
            runs[-1].append(day)
        else:
            runs.append([day])
    return runs


def _rows(place: Place, days: list[date], convention: ConventionName, ayanamsha: AyanamshaName,
          language: LanguageName) -> list[dict[str, Any]]:
    try:
        found = {p.day: {**flat_row(p), "error": None}
                 for p in panchanga_range(days[0], days[-1], place, convention, ayanamsha, language)}
    except ValueError as error:
        if not _DAY_FAULT.match(str(error)):
            raise  # a fault of the call (a Tropical zodiac), not of a day
        if len(days) == 1:
            return [_fault(place, days[0], str(error))]
        return [row for day in days for row in _rows(place, [day], convention, ayanamsha, language)]
    skipped = "is not a day in {}: its clocks skipped it"
    return [found.get(day) or _fault(place, day, f"{day.isoformat()} {skipped.format(place.zone)}") for day in days]


def _fault(place: Place, day: date, error: str) -> dict[str, Any]:
    return {"date": day, "latitude": place.latitude, "longitude": place.longitude, "tz": str(place.tz), "error": error}


def panchanga_frame(days: Iterable[date | datetime], places: Sequence[Place], convention: ConventionName = "hindu",
                    ayanamsha: AyanamshaName = "Lahiri", language: LanguageName = "en") -> Any:
    """A pandas DataFrame with a row per place and day (see the module's docstring)."""
    pandas = _pandas()  # the [batch] extra, with a clear error when it is missing
    for argument, given in (("days", days), ("places", places)):
        if not isinstance(given, Iterable) or isinstance(given, (str, bytes)):
            raise TypeError(f"{argument} must be an iterable of {argument[:-1]}s, not {type(given).__name__}")
    checked_names(convention, ayanamsha, language)  # a misspelt name fails the call, not every row
    dates = [d.date() if isinstance(d, datetime) else d for d in days]
    strays = [type(d).__name__ for d in dates if not isinstance(d, date)]
    if strays:  # before the days are ordered into runs, which would fail on them with a bare operator error
        raise TypeError(f"days must be dates (datetime.date), not {strays[0]}")
    rows: list[dict[str, Any]] = []
    for place in places:
        for run in _runs(dates):
            rows.extend(_rows(place, run, convention, ayanamsha, language))
    frame = pandas.DataFrame(rows, columns=[*FLAT_COLUMNS, "error"])
    for column in _MOMENTS:
        frame[column] = pandas.to_datetime(frame[column], utc=True)
    for column in _WHOLE:
        frame[column] = frame[column].astype("Int64")
    frame["adhika"] = frame["adhika"].astype("boolean")
    frame["error"] = frame["error"].astype("string")
    return frame
