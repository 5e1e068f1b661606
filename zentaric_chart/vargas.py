"""The Vedic readings of a chart's signs: the sixteen vargas, Vedic dignity and Vimshopaka bala, and the two kinds of
sight (graha drishti, Jaimini's rashi drishti). Every rule is the module's; `Chart` delegates here.
"""
from __future__ import annotations

from collections.abc import Iterator, Mapping, Sequence
from dataclasses import dataclass
from typing import TYPE_CHECKING, cast

import zentaric

from zentaric_chart import _names
from zentaric_chart._literals import GrahaName, VargaGroupName, VargaName

if TYPE_CHECKING:
    from zentaric_chart.chart_data import ChartData as Chart

#: The grahas in the module's order (that of `zentaric.planet_name`): Sun, Moon, Mars, Mercury, Jupiter, Venus,
#: Saturn, Rahu, Ketu.
GRAHAS = cast(tuple[GrahaName, ...], tuple(zentaric.planet_name(index) for index in range(9)))
#: The sixteen vargas by code, "d1" .. "d60", in the order of their parts.
VARGA_CODES = tuple(dict.fromkeys(_names.VARGA_CODES.values()))
#: The Vimshopaka groups the module weighs ("Shadvarga", "Saptavarga", "Dashavarga", "Shodashavarga").
VIMSHOPAKA_GROUPS = _names.VIMSHOPAKA_GROUPS


def graha_longitudes(chart: Chart) -> list[float]:
    """The chart's sidereal longitudes of the nine grahas in the module's order."""
    return [chart.body(name).longitude for name in GRAHAS]


@dataclass(frozen=True)
class VargaChart(Mapping[str, str]):
    """A divisional chart: the sign of the lagna and of each body. As a mapping, point name ("Lagna", "Sun", ...)
    to English sign name; `sign_indices` has the signs as 0 (Aries) .. 11 (Pisces), `labels` in the chart's
    language."""

    code: VargaName
    name: str
    sign_indices: Mapping[str, int]
    labels: Mapping[str, str]

    def __getitem__(self, point: str) -> str:
        return zentaric.sign_name(self.sign_indices[point])

    def __iter__(self) -> Iterator[str]:
        return iter(self.sign_indices)

    def __len__(self) -> int:
        return len(self.sign_indices)

    def to_dict(self) -> dict[str, str]:
        return dict(self)


def varga(chart: Chart, name: VargaName) -> VargaChart:
    """The divisional chart `name` ("navamsha", "d9", "D-9", ...) of the lagna and the nine bodies."""
    _names.varga(name)
    code = _names.varga_code(name)
    places = {"Lagna": chart.lagna.longitude} | {body.name: body.longitude for body in chart.bodies}
    signs = {point: zentaric.compute_varga(longitude, code) for point, longitude in places.items()}
    title = next((spelling for spelling, of in _names.VARGA_CODES.items() if of == code), code).capitalize()
    return VargaChart(code=code, name=title, sign_indices=signs,
                      labels={point: zentaric.sign_name(sign, chart.language) for point, sign in signs.items()})


def vargas(chart: Chart) -> dict[str, VargaChart]:
    """All sixteen divisional charts, by code."""
    return {code: varga(chart, code) for code in VARGA_CODES}


def vedic_dignities(longitudes: Sequence[float]) -> dict[str, str]:
    """Vedic dignity in the rashi of Sun..Saturn by name (the nodes have none)."""
    return dict(zip(GRAHAS, zentaric.vedic_dignity(longitudes)))


def dignities(chart: Chart, name: VargaName = "d1") -> dict[str, str]:
    """Vedic dignity of Sun..Saturn in a varga ("Exalted", "Moolatrikona", "Own", "GreatFriend", "Friend",
    "Neutral", "Enemy", "GreatEnemy", "Debilitated"), the five-fold relationships from the birth chart."""
    _names.varga(name)
    return dict(zip(GRAHAS, zentaric.vedic_dignity(graha_longitudes(chart), _names.varga_code(name))))


def vimshopaka(chart: Chart, group: VargaGroupName = "shodashavarga") -> dict[str, float]:
    """Vimshopaka bala (0..20) of Sun..Saturn over a group of vargas: "shadvarga", "saptavarga", "dashavarga" or
    "shodashavarga"."""
    _names.vimshopaka_group(group)
    return dict(zip(GRAHAS, zentaric.vimshopaka_bala(graha_longitudes(chart), group)))


@dataclass(frozen=True)
class Sight:
    """What one body aspects by graha drishti: signs (0..11), houses (1..12, counted from the body's own house) and
    the bodies standing in those signs."""

    signs: tuple[int, ...]
    houses: tuple[int, ...]
    bodies: tuple[str, ...]


def drishti(chart: Chart) -> dict[str, Sight]:
    """Graha drishti of each body: the 7th sign from it; Mars also the 4th and 8th, Jupiter the 5th and 9th, Saturn
    the 3rd and 10th; Rahu and Ketu the 7th only."""
    sight: dict[str, list[int]] = dict(zip(GRAHAS, zentaric.graha_drishti(graha_longitudes(chart))))
    result = {}
    for body in chart.bodies:
        signs = tuple(sight[body.name])
        houses = tuple((body.house - 1 + sign - body.sign_index) % 12 + 1 for sign in signs)
        seen = tuple(other.name for other in chart.bodies if other.sign_index in signs)
        result[body.name] = Sight(signs, houses, seen)
    return result


def rashi_drishti(chart: Chart) -> dict[str, Sight]:
    """Jaimini's sign aspects of the lagna's and each body's sign: movable signs aspect the fixed signs but the one
    beside them, fixed signs the movable but the one beside them, dual signs each other. Houses count from the
    point's own house (the lagna's is the 1st)."""
    points = {"Lagna": (chart.lagna.sign_index, 1)} | {body.name: (body.sign_index, body.house) for body in chart.bodies}
    result = {}
    for point, (sign_index, house) in points.items():
        signs = tuple(zentaric.rashi_drishti(sign_index))
        houses = tuple((house - 1 + sign - sign_index) % 12 + 1 for sign in signs)
        result[point] = Sight(signs, houses, tuple(body.name for body in chart.bodies if body.sign_index in signs))
    return result
