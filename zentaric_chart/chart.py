"""The natal chart as frozen dataclasses, built from the module's chart record (`compute_natal_record`).

Structure (all frozen dataclasses; angles in degrees):
  Chart
    birth: Birth                    the input, with the UTC minute used
    ayanamsha, house_system: str    the module's names ("Lahiri", "WholeSign", ...)
    node: str                       "mean" or "true", the lunar node that is Rahu
    ayanamsha_value: float          subtracted from every tropical longitude (sidereal = tropical - ayanamsha_value)
    julian_day: float               UT Julian Day of birth.utc
    language: str                   language of every `*_label` field
    bodies: tuple[Body, ...]        Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu (this order)
    lagna: Lagna                    the sidereal ascendant
    houses: Houses                  cusps of houses 1..12 in both zodiacs, ascendant and midheaven
    aspects: tuple[Aspect, ...]     as the module found them between Sun..Saturn and Rahu
Body and Lagna are Placements, whose zodiac fields they share: longitude (sidereal, [0, 360)), sign (English),
sign_index (0..11), degree (within the sign, [0, 30)), nakshatra (English), nakshatra_index (0..26), pada (1..4),
and the localised sign_label and nakshatra_label. Rahu is the module's mean node, or its true node with
natal(..., node="true"); Ketu is Rahu + 180°. The other node is not a chart body (it stays in `to_json()`).
"""
from __future__ import annotations

from dataclasses import asdict, dataclass, replace
from datetime import datetime
from collections.abc import Mapping
from typing import Any, TypeVar

import zentaric

from zentaric_chart import _names, jaimini, lagnas, strength, vargas, yogas
from zentaric_chart._literals import (AyanamshaName, ConventionName, HouseSystemName, LanguageName, NodeName,
                                      RequiredStrengthName, VargaGroupName, VargaName)
from zentaric_chart.birth import Birth, require_birth
from zentaric_chart.chart_data import (BODY_NAMES, PLANET_ROWS, Aspect, Body, ChartData, Houses, Lagna, Placement,
                                       UnknownBody)
from zentaric_chart.drawing import SHOWN, BodyPoint, Figure, Style, draw
from zentaric_chart.jaimini import Arudha, Karakas
from zentaric_chart.lagnas import SpecialLagnas
from zentaric_chart.strength import Ashtakavarga, BhavaBala, Shadbala
from zentaric_chart.vargas import Sight, VargaChart
from zentaric_chart.yogas import Yoga

__all__ = ["BODY_NAMES", "PLANET_ROWS", "Aspect", "Body", "Chart", "Houses", "Lagna", "Placement", "UnknownBody",
           "chart_from_record", "natal", "natal_record"]

T = TypeVar("T")


@dataclass(frozen=True)
class Chart(ChartData):
    """A natal chart. Build it with `natal`.

    Chart
      birth: Birth                  when and where, with the UTC minute used (`birth.utc`)
      ayanamsha, house_system: str  the module's names ("Lahiri", "WholeSign", ...)
      node: str                     "mean" or "true": the lunar node that is Rahu (Ketu opposite)
      ayanamsha_value: float        degrees; sidereal = tropical - ayanamsha_value
      julian_day: float             UT Julian Day of birth.utc
      language: str                 language of every label
      bodies: tuple[Body, ...]      Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu
        Body: name, label, longitude, sign, sign_index, degree, nakshatra, nakshatra_index, pada, sign_label,
              nakshatra_label, house, dignity, vedic_dignity, retrograde, speed (°/day), latitude (°),
              distance (AU)
      lagna: Lagna                  longitude, sign, sign_index, degree, nakshatra, nakshatra_index, pada, labels
      houses: Houses                system, polar_fallback, cusps_tropical, cusps_sidereal (12 each, house 1
                                    first), asc_tropical, mc_tropical, mc_sidereal
      aspects: tuple[Aspect, ...]   body1, body2 (names), type, orb, strength, applying

        >>> chart = natal(Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata"), houses="WholeSign")
        >>> chart.lagna.sign, chart.body("moon").nakshatra, chart.houses.cusps_sidereal[0]
        ('Virgo', 'Uttara Ashadha', 150.0)
    """

    def varga(self, name: VargaName) -> VargaChart:
        """The divisional chart `name` ("navamsha", "d9", "D-9", ...): point ("Lagna", "Sun", ...) to sign name, with
        `sign_indices` and localised `labels`."""
        return vargas.varga(self, name)

    def vargas(self) -> dict[str, VargaChart]:
        """The sixteen divisional charts of Parashara, by code ("d1" .. "d60")."""
        return vargas.vargas(self)

    def vedic_dignities(self, varga: VargaName = "d1") -> dict[str, str]:
        """Vedic dignity of Sun..Saturn in a varga (the five-fold relationships from the birth chart)."""
        return vargas.dignities(self, varga)

    def vimshopaka(self, group: VargaGroupName = "shodashavarga") -> dict[str, float]:
        """Vimshopaka bala (0..20) of Sun..Saturn: "shadvarga", "saptavarga", "dashavarga" or "shodashavarga"."""
        return vargas.vimshopaka(self, group)

    def drishti(self) -> dict[str, Sight]:
        """Graha drishti of each body: the signs, houses and bodies it aspects."""
        return vargas.drishti(self)

    def rashi_drishti(self) -> dict[str, Sight]:
        """Jaimini's sign aspects from the lagna's and each body's sign."""
        return vargas.rashi_drishti(self)

    def karakas(self, scheme: int = 7) -> Karakas:
        """Jaimini's chara karakas in the 7- or 8-karaka scheme, and the karakamsha."""
        return jaimini.karakas(self, scheme)

    def arudhas(self) -> dict[str, Arudha]:
        """Arudha padas A1 (arudha lagna) .. A12 (upapada)."""
        return jaimini.arudhas(self)

    def yogas(self) -> list[Yoga]:
        """The classical yogas the chart holds, with the grahas forming each (see `zentaric_chart.yogas`)."""
        return yogas.yogas(self)

    def ashtakavarga(self) -> Ashtakavarga:
        """Bhinna and sarva ashtakavarga, prastara, reductions and pindas (see `zentaric_chart.strength`)."""
        return strength.ashtakavarga(self)

    def shadbala(self, required: RequiredStrengthName = "bphs") -> dict[str, Shadbala]:
        """Shadbala of Sun..Saturn with every part; `required` "bphs" or "raman" (the Sun's minimum 6.5 or 5)."""
        return strength.shadbala(self, required)

    def bhava_bala(self) -> dict[int, BhavaBala]:
        """Bhava bala of houses 1..12."""
        return strength.bhava_bala(self)

    def special_lagnas(self, convention: ConventionName = "hindu") -> SpecialLagnas:
        """Bhava, Hora and Ghati lagna, from the sunrise of the birth's Vedic day ("hindu" or "civil" sunrise)."""
        return lagnas.special_lagnas(self, convention)

    def upagrahas(self, convention: ConventionName = "hindu") -> dict[str, Placement]:
        """Gulika, Mandi, Dhuma, Vyatipata, Parivesha, Indrachapa and Upaketu."""
        return lagnas.upagrahas(self, convention)

    def to_json(self) -> str:
        """The module's chart document (`compute_natal_chart` for the same minute, place and names), unchanged."""
        utc = self.birth.utc
        return zentaric.compute_natal_chart(utc.year, utc.month, utc.day, utc.hour, utc.minute, self.birth.latitude,
                                            self.birth.longitude, self.ayanamsha, self.house_system)

    def svg(self, style: Style = "south", varga: VargaName = "d1", language: LanguageName | None = None,
            size: float = 480, show: str | None = None) -> str:
        """The chart drawn as self-contained SVG text: style "south" (South Indian), "north" (North Indian) or
        "wheel" (Western); varga any of the sixteen ("d9", "navamsha", ...; south and north); language one of the module's
        seven (default: the chart's); size in pixels; show "sav" puts each sign's sarvashtakavarga bindus in its
        cell (south, "d1"). See `zentaric_chart.drawing`."""
        figure = self.figure()
        if show is not None and _names.choice("show", show, SHOWN) == "sav":
            figure = replace(figure, bindus=self.ashtakavarga().sarva)
        return draw(figure, style, varga, self.language if language is None else language, size, show)

    def figure(self) -> Figure:
        """What the drawings show of the chart: its nine bodies, lagna, midheaven, cusps in its own zodiac and
        aspects, and the caption (the local birth time and the place)."""
        index = {body.name: position for position, body in enumerate(self.bodies)}
        birth = self.birth
        place = (f"{abs(birth.latitude):.2f}° {'N' if birth.latitude >= 0 else 'S'}  "
                 f"{abs(birth.longitude):.2f}° {'E' if birth.longitude >= 0 else 'W'}")
        return Figure(
            bodies=tuple(BodyPoint(PLANET_ROWS[body.name], body.longitude, body.retrograde) for body in self.bodies),
            lagna=self.lagna.longitude, cusps=self.houses.cusps_sidereal,
            aspects=tuple((index[aspect.body1], index[aspect.body2], aspect.type) for aspect in self.aspects),
            caption=(f"{birth.local():%Y-%m-%d %H:%M}", place), mc=self.houses.mc_sidereal)

    def _repr_svg_(self) -> str:
        """Jupyter shows a chart as its South Indian drawing."""
        return self.svg()

    def to_dict(self) -> dict[str, Any]:
        """Everything as plain dicts, lists, str, float, int and bool (times as ISO-8601 text)."""
        def plain(value: Any) -> Any:
            if isinstance(value, dict):
                return {key: plain(item) for key, item in value.items()}
            if isinstance(value, (list, tuple)):
                return [plain(item) for item in value]
            return value
        return {
            "birth": {"utc": self.birth.utc.isoformat(), "local": self.birth.local().isoformat(),
                      "latitude": self.birth.latitude, "longitude": self.birth.longitude, "tz": None if self.birth.tz is None else str(self.birth.tz)},
            "ayanamsha": self.ayanamsha, "house_system": self.house_system, "node": self.node,
            "ayanamsha_value": self.ayanamsha_value, "julian_day": self.julian_day, "language": self.language,
            "bodies": [plain(asdict(body)) for body in self.bodies], "lagna": plain(asdict(self.lagna)),
            "houses": plain(asdict(self.houses)), "aspects": [plain(asdict(aspect)) for aspect in self.aspects],
            "vargas": {code: chart.to_dict() for code, chart in self.vargas().items()},
            "vedic_dignities": {code: self.vedic_dignities(code) for code in vargas.VARGA_CODES},
            "vimshopaka": {group.lower(): self.vimshopaka(group) for group in vargas.VIMSHOPAKA_GROUPS},
            "drishti": {body: plain(asdict(sight)) for body, sight in self.drishti().items()},
            "rashi_drishti": {point: plain(asdict(sight)) for point, sight in self.rashi_drishti().items()},
            "karakas": {f"{scheme}": plain(asdict(self.karakas(scheme))) for scheme in (7, 8)},
            "arudhas": {pada: plain(asdict(arudha)) for pada, arudha in self.arudhas().items()},
            "yogas": [plain(asdict(yoga)) for yoga in self.yogas()],
            "ashtakavarga": plain(asdict(self.ashtakavarga())),
            **self._day_readings(plain),
        }

    def _day_readings(self, plain: Any) -> dict[str, Any]:
        """The special lagnas, upagrahas, shadbala and bhava bala for to_dict (each reads the Vedic day holding the
        birth); none where the Sun does not rise and set that day."""
        try:
            special, upagrahas = lagnas.day_readings(self)
        except ValueError:
            return {"special_lagnas": None, "upagrahas": None, "shadbala": None, "bhava_bala": None}
        fields = {key: value.isoformat() if isinstance(value, datetime) else value
                  for key, value in (vars(special) if special else {}).items()}
        return {"special_lagnas": plain({key: asdict(value) if isinstance(value, Placement) else value
                                         for key, value in fields.items()}) if special else None,
                "upagrahas": {name: plain(asdict(place)) for name, place in upagrahas.items()},
                "shadbala": {planet: asdict(bala) for planet, bala in self.shadbala().items()},
                "bhava_bala": {f"{house}": asdict(bala) for house, bala in self.bhava_bala().items()}}


def natal_record(birth: Birth, ayanamsha: AyanamshaName, houses: HouseSystemName, language: LanguageName = "en",
                 node: NodeName = "mean") -> Mapping[str, Any]:
    """The module's chart record (`compute_natal_record`) at `birth.utc`; the names must have been checked."""
    utc = birth.utc
    return zentaric.compute_natal_record(utc.year, utc.month, utc.day, utc.hour, utc.minute, birth.latitude,
                                         birth.longitude, ayanamsha, houses, language, node)


_new = object.__new__


def _made(cls: type[T], members: Mapping[str, Any]) -> T:
    """cls(**members) in a fraction of the time: the same object (a test compares them), its fields filled in at
    once where a frozen dataclass's __init__ sets them one by one through object.__setattr__. The module's record
    holds each object's members under the field names."""
    made = _new(cls)
    made.__dict__.update(members)
    return made


def chart_from_record(birth: Birth, record: Mapping[str, Any], language: LanguageName,
                      node: NodeName = "mean") -> Chart:
    """The `Chart` of a module record (see `natal_record`) whose labels are in `language`."""
    members = dict(record)
    members["bodies"] = tuple([_made(Body, body) for body in record["bodies"]])
    members["lagna"] = _made(Lagna, record["lagna"])
    members["houses"] = _made(Houses, record["houses"])
    members["aspects"] = tuple([_made(Aspect, aspect) for aspect in record["aspects"]])
    members["birth"] = birth
    members["language"] = language
    members["node"] = node
    return _made(Chart, members)


def natal(birth: Birth, ayanamsha: AyanamshaName = "Lahiri", houses: HouseSystemName = "Placidus",
          language: LanguageName = "en", node: NodeName = "mean") -> Chart:
    """The natal chart of `birth` from the module's chart record at `birth.utc`; Rahu is the mean node, or with
    node="true" the node of the Moon's true orbit (Ketu opposite it either way)."""
    require_birth(birth)
    _names.ayanamsha(ayanamsha)
    _names.house_system(houses)
    _names.language(language)
    node = _names.node(node)
    return chart_from_record(birth, natal_record(birth, ayanamsha, houses, language, node), language, node)
