"""The special lagnas (Bhava, Hora, Ghati) and the upagrahas (Gulika, Mandi and the five Sun-based ones) of a chart,
from the sunrise of the birth's Vedic day. Every rule is the module's; `Chart` delegates here."""
from __future__ import annotations

from collections.abc import Mapping
from dataclasses import dataclass
from datetime import datetime
from typing import TYPE_CHECKING, Any

import zentaric

from zentaric_chart import _names
from zentaric_chart._literals import ConventionName
from zentaric_chart.birth import from_julian_day
from zentaric_chart.chart_data import Placement

if TYPE_CHECKING:
    from zentaric_chart.chart_data import ChartData as Chart

#: The upagrahas in the module's order.
UPAGRAHAS = ("Gulika", "Mandi", "Dhuma", "Vyatipata", "Parivesha", "Indrachapa", "Upaketu")
#: The sunrises that may open the Vedic day (a twilight does not).
SUNRISE_CONVENTIONS: tuple[ConventionName, ...] = ("hindu", "civil")


@dataclass(frozen=True)
class SpecialLagnas:
    """Bhava, Hora and Ghati lagna (the Sun's place at sunrise advanced 30° for every 5, 2.5 and 1 ghati of 24
    minutes since sunrise), with the sunrise and sunset of the birth's Vedic day (aware UTC datetimes), its weekday
    (0 Sunday) and whether the birth fell in its night."""

    bhava: Placement
    hora: Placement
    ghati: Placement
    sunrise: datetime
    sunset: datetime
    next_sunrise: datetime
    weekday: int
    night: bool


def _day(chart: Chart, convention: ConventionName) -> Mapping[str, Any]:
    birth = chart.birth
    convention = _names.choice("convention", convention, SUNRISE_CONVENTIONS)
    return zentaric.special_lagnas(chart.julian_day, birth.latitude, birth.longitude, chart.ayanamsha, convention)


def _placement(chart: Chart, longitude: float) -> Placement:
    sign = zentaric.compute_varga(longitude, "d1")
    nakshatra = zentaric.get_nakshatra(longitude)
    return Placement(longitude=longitude, sign=zentaric.sign_name(sign), sign_index=sign, degree=longitude - 30.0 * sign,
                     nakshatra=nakshatra["nakshatra"], nakshatra_index=nakshatra["index"], pada=nakshatra["pada"],
                     sign_label=zentaric.sign_name(sign, chart.language),
                     nakshatra_label=zentaric.nakshatra_name_i18n(nakshatra["index"], chart.language))


def special_lagnas(chart: Chart, convention: ConventionName = "hindu") -> SpecialLagnas:
    """The special lagnas, with the sunrise by `convention` ("hindu": the disc's centre on the geometric horizon,
    as the panchanga takes it; "civil": the upper limb through refraction)."""
    return _special(chart, _day(chart, convention))


def upagrahas(chart: Chart, convention: ConventionName = "hindu") -> dict[str, Placement]:
    """Gulika and Mandi (the lagna at the start and the middle of Saturn's eighth of the day or night) and Dhuma,
    Vyatipata, Parivesha, Indrachapa and Upaketu (from the Sun's longitude)."""
    return _upagrahas(chart, _day(chart, convention))


def day_readings(chart: Chart, convention: ConventionName = "hindu") -> tuple[SpecialLagnas | None,
                                                                               dict[str, Placement]]:
    """The special lagnas (None where their sunrise falls before the year 1) and the upagrahas from one search of
    the day."""
    day = _day(chart, convention)
    try:
        special: SpecialLagnas | None = _special(chart, day)
    except ValueError:
        special = None
    return special, _upagrahas(chart, day)


def _special(chart: Chart, day: Mapping[str, Any]) -> SpecialLagnas:
    try:
        sunrise = from_julian_day(day["sunrise"])
    except ValueError:  # a birth before the first sunrise of the year 1
        raise ValueError("The sunrise that opens this birth's Vedic day falls before the year 1, which a datetime "
                         "cannot hold: no special lagnas (the upagrahas and shadbala stand)") from None
    return SpecialLagnas(
        bhava=_placement(chart, day["bhava_lagna"]), hora=_placement(chart, day["hora_lagna"]),
        ghati=_placement(chart, day["ghati_lagna"]), sunrise=sunrise,
        sunset=from_julian_day(day["sunset"]), next_sunrise=from_julian_day(day["next_sunrise"]),
        weekday=day["weekday"], night=day["night"])


def _upagrahas(chart: Chart, day: Mapping[str, Any]) -> dict[str, Placement]:
    return {name: _placement(chart, day[name.lower()]) for name in UPAGRAHAS}
