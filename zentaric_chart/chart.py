"""The natal chart as frozen dataclasses, built from the module's chart document.

Structure (all frozen dataclasses; angles in degrees):
  Chart
    birth: Birth                    the input, with the UTC minute used
    ayanamsha, house_system: str    the module's names ("Lahiri", "WholeSign", ...)
    ayanamsha_value: float          subtracted from every tropical longitude (sidereal = tropical - ayanamsha_value)
    julian_day: float               UT Julian Day of birth.utc
    language: str                   language of every `*_label` field
    bodies: tuple[Body, ...]        Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu (this order)
    lagna: Lagna                    the sidereal ascendant
    houses: Houses                  cusps of houses 1..12 in both zodiacs, ascendant and midheaven
    aspects: tuple[Aspect, ...]     as the module found them between Sun..Saturn and Rahu
Body and Lagna are Placements, whose zodiac fields they share: longitude (sidereal, [0, 360)), sign (English),
sign_index (0..11), degree (within the sign, [0, 30)), nakshatra (English), nakshatra_index (0..26), pada (1..4),
and the localised sign_label and nakshatra_label. Rahu is the module's mean node; Ketu is Rahu + 180°. The
module's true node is not a chart body here (it stays in `to_json()`).
"""
from __future__ import annotations

import json
import math
from dataclasses import asdict, dataclass, field
from collections.abc import Sequence
from typing import Any

import zentaric

from zentaric_chart import _names, jaimini, vargas, yogas
from zentaric_chart.birth import Birth, require_birth
from zentaric_chart.drawing import BodyPoint, Figure, draw
from zentaric_chart.jaimini import Arudha, Karakas
from zentaric_chart.vargas import Sight, VargaChart
from zentaric_chart.yogas import Yoga

#: The module's chart bodies as this package names them (the true node is left out).
_MODULE_NAMES = {"Sun": "Sun", "Moon": "Moon", "Mercury": "Mercury", "Venus": "Venus", "Mars": "Mars",
                 "Jupiter": "Jupiter", "Saturn": "Saturn", "MeanNode": "Rahu"}
#: Row of each body in the module's localised planet table.
PLANET_ROWS = {"Sun": 0, "Moon": 1, "Mars": 2, "Mercury": 3, "Jupiter": 4, "Venus": 5, "Saturn": 6,
                "Rahu": 7, "Ketu": 8}


def normalized(degrees: float) -> float:
    """An angle in [0, 360)."""
    value = math.fmod(degrees, 360.0)
    if value < 0.0:
        value += 360.0
    return 0.0 if value >= 360.0 else value


def house_of(tropical_longitude: float, cusps: Sequence[float]) -> int:
    """House 1..12 of a longitude against cusps of the same zodiac; a cusp opens its house (the module's rule)."""
    for house in range(12):
        start, end = cusps[house], cusps[(house + 1) % 12]
        inside = start <= tropical_longitude < end if end > start else (tropical_longitude >= start or
                                                                         tropical_longitude < end)
        if inside:
            return house + 1
    return 1


def ketu_place(rahu_longitude: float, ayanamsha_value: float, cusps: Sequence[float]) -> tuple[float, int]:
    """Ketu's sidereal longitude (Rahu + 180°) and its house against the chart's tropical cusps."""
    longitude = normalized(rahu_longitude + 180.0)
    return longitude, house_of(normalized(longitude + ayanamsha_value), cusps)


@dataclass(frozen=True)
class Placement:
    """A sidereal longitude read in the zodiac: its sign, degree within the sign, nakshatra and pada."""

    longitude: float
    sign: str
    sign_index: int
    degree: float
    nakshatra: str
    nakshatra_index: int
    pada: int
    sign_label: str
    nakshatra_label: str


@dataclass(frozen=True)
class Lagna(Placement):
    """The sidereal ascendant (the module's tropical ascendant less the ayanamsha)."""


@dataclass(frozen=True)
class Body(Placement):
    """One chart body: its sidereal place, house, dignity and motion. `dignity` is the module's Western one
    ("Domicile", "Exaltation", "Detriment", "Fall", "Peregrine"); `vedic_dignity` Parashara's in the rashi ("Exalted",
    "Moolatrikona", "Own", "GreatFriend", "Friend", "Neutral", "Enemy", "GreatEnemy", "Debilitated"; None for the
    nodes)."""

    name: str
    label: str
    latitude: float
    speed: float
    distance: float
    retrograde: bool
    house: int
    dignity: str
    vedic_dignity: str | None


@dataclass(frozen=True)
class Houses:
    """House cusps 1..12 in both zodiacs, with the angles; `polar_fallback` when Equal cusps stand in (Placidus or
    Koch at polar latitudes, or any system whose cusps do not go once round the zodiac)."""

    system: str
    polar_fallback: bool
    cusps_tropical: tuple[float, ...]
    cusps_sidereal: tuple[float, ...]
    asc_tropical: float
    mc_tropical: float
    mc_sidereal: float


@dataclass(frozen=True)
class Aspect:
    """An aspect between two bodies (by name), `orb` degrees from exact, `strength` 1 at exact."""

    body1: str
    body2: str
    type: str
    orb: float
    strength: float
    applying: bool


def _zodiac_fields(longitude: float, language: str) -> dict[str, Any]:
    sign_index = int(longitude // 30.0) % 12
    nakshatra = zentaric.get_nakshatra(longitude)
    return {"longitude": longitude, "sign": zentaric.sign_name(sign_index), "sign_index": sign_index,
            "degree": longitude - 30.0 * sign_index, "nakshatra": nakshatra["nakshatra"],
            "nakshatra_index": nakshatra["index"], "pada": nakshatra["pada"],
            "sign_label": zentaric.sign_name(sign_index, language),
            "nakshatra_label": zentaric.nakshatra_name_i18n(nakshatra["index"], language)}


def _body(name: str, planet: dict[str, Any], longitude: float, house: int, language: str,
          vedic_dignity: str | None) -> Body:
    return Body(name=name, label=zentaric.planet_name(PLANET_ROWS[name], language),
                latitude=planet["latitude"], speed=planet["speed"], distance=planet["distance"],
                retrograde=planet["retrograde"], house=house, dignity=planet["dignity"], vedic_dignity=vedic_dignity,
                **_zodiac_fields(longitude, language))


@dataclass(frozen=True)
class Chart:
    """A natal chart (see the module docstring for the structure). Build it with `natal`."""

    birth: Birth
    ayanamsha: str
    house_system: str
    ayanamsha_value: float
    julian_day: float
    language: str
    bodies: tuple[Body, ...]
    lagna: Lagna
    houses: Houses
    aspects: tuple[Aspect, ...]
    document: str = field(repr=False)

    def body(self, name: str) -> Body:
        """The body called `name` ("Sun" .. "Saturn", "Rahu", "Ketu"; any case)."""
        wanted = name.casefold() if isinstance(name, str) else name
        for body in self.bodies:
            if body.name.casefold() == wanted:
                return body
        raise KeyError(f"no body {name!r}; bodies: {', '.join(b.name for b in self.bodies)}")

    def varga(self, name: str) -> VargaChart:
        """The divisional chart `name` ("navamsha", "d9", "D-9", ...): point ("Lagna", "Sun", ...) to sign name, with
        `sign_indices` and localised `labels`."""
        return vargas.varga(self, name)

    def vargas(self) -> dict[str, VargaChart]:
        """The sixteen divisional charts of Parashara, by code ("d1" .. "d60")."""
        return vargas.vargas(self)

    def vedic_dignities(self, varga: str = "d1") -> dict[str, str]:
        """Vedic dignity of Sun..Saturn in a varga (the five-fold relationships from the birth chart)."""
        return vargas.dignities(self, varga)

    def vimshopaka(self, group: str = "shodashavarga") -> dict[str, float]:
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

    def to_json(self) -> str:
        """The module's chart document, unchanged."""
        return self.document

    def svg(self, style: str = "south", varga: str = "d1", language: str | None = None, size: float = 480) -> str:
        """The chart drawn as self-contained SVG text: style "south" (South Indian), "north" (North Indian) or
        "wheel" (Western); varga any of the sixteen ("d9", "navamsha", ...; south and north); language one of the module's
        seven (default: the chart's); size in pixels. See `zentaric_chart.drawing`."""
        return draw(self.figure(), style, varga, self.language if language is None else language, size)

    def figure(self) -> Figure:
        """What the drawings show of the chart: its nine bodies, lagna, cusps in its own zodiac and aspects, and the
        caption (the local birth time and the place)."""
        index = {body.name: position for position, body in enumerate(self.bodies)}
        birth = self.birth
        place = (f"{abs(birth.latitude):.2f}° {'N' if birth.latitude >= 0 else 'S'}  "
                 f"{abs(birth.longitude):.2f}° {'E' if birth.longitude >= 0 else 'W'}")
        return Figure(
            bodies=tuple(BodyPoint(PLANET_ROWS[body.name], body.longitude, body.retrograde) for body in self.bodies),
            lagna=self.lagna.longitude, cusps=self.houses.cusps_sidereal,
            aspects=tuple((index[aspect.body1], index[aspect.body2], aspect.type) for aspect in self.aspects),
            caption=(f"{birth.local():%Y-%m-%d %H:%M}", place))

    def _repr_svg_(self) -> str:
        """Jupyter shows a chart as its South Indian drawing."""
        return self.svg()

    def to_dict(self) -> dict[str, Any]:
        """Everything but the document as plain dicts, lists, str, float, int and bool (times as ISO-8601 text)."""
        def plain(value: Any) -> Any:
            if isinstance(value, dict):
                return {key: plain(item) for key, item in value.items()}
            if isinstance(value, (list, tuple)):
                return [plain(item) for item in value]
            return value
        return {
            "birth": {"utc": self.birth.utc.isoformat(), "local": self.birth.local().isoformat(),
                      "latitude": self.birth.latitude, "longitude": self.birth.longitude, "tz": None if self.birth.tz is None else str(self.birth.tz)},
            "ayanamsha": self.ayanamsha, "house_system": self.house_system,
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
        }


def natal(birth: Birth, ayanamsha: str = "Lahiri", houses: str = "Placidus", language: str = "en") -> Chart:
    """The natal chart of `birth` from the module's `compute_natal_chart` at `birth.utc`."""
    require_birth(birth)
    _names.ayanamsha(ayanamsha)
    _names.house_system(houses)
    _names.language(language)
    utc = birth.utc
    document = zentaric.compute_natal_chart(utc.year, utc.month, utc.day, utc.hour, utc.minute,
                                            birth.latitude, birth.longitude, ayanamsha, houses)
    data = json.loads(document)
    shift = data["ayanamsha_value"]
    house_data = data["houses"]
    cusps = tuple(house_data["cusps"])
    rahu = next(planet for planet in data["planets"] if planet["name"] == "MeanNode")
    ketu_longitude, ketu_house = ketu_place(rahu["longitude"], shift, cusps)
    longitudes = {_MODULE_NAMES[planet["name"]]: planet["longitude"] for planet in data["planets"]
                  if planet["name"] in _MODULE_NAMES} | {"Ketu": ketu_longitude}
    vedic = vargas.vedic_dignities([longitudes[name] for name in vargas.GRAHAS])
    bodies = [_body(_MODULE_NAMES[planet["name"]], planet, planet["longitude"], planet["house"], language,
                    vedic.get(_MODULE_NAMES[planet["name"]])) for planet in data["planets"] if planet["name"] in _MODULE_NAMES]
    ketu = {**rahu, "latitude": -rahu["latitude"], "dignity": "Peregrine"}
    bodies.append(_body("Ketu", ketu, ketu_longitude, ketu_house, language, None))
    names = [_MODULE_NAMES.get(planet["name"]) for planet in data["planets"]]  # None for the true node
    aspects = tuple(Aspect(body1=first, body2=second, type=aspect["type"], orb=aspect["orb"],
                           strength=aspect["strength"], applying=aspect["applying"])
                    for aspect in data["aspects"]
                    for first, second in [(names[aspect["body1"]], names[aspect["body2"]])]
                    if first is not None and second is not None)
    summary = dict(part.split(": ", 1) for part in data["config_summary"].split(", "))
    return Chart(
        birth=birth, ayanamsha=summary["Zodiac"], house_system=summary["Houses"], ayanamsha_value=shift,
        julian_day=data["julian_day"], language=language, bodies=tuple(bodies),
        lagna=Lagna(**_zodiac_fields(normalized(house_data["asc"] - shift), language)),
        houses=Houses(system=house_data["system"], polar_fallback=house_data["polar_fallback"],
                      cusps_tropical=cusps, cusps_sidereal=tuple(normalized(c - shift) for c in cusps),
                      asc_tropical=house_data["asc"], mc_tropical=house_data["mc"],
                      mc_sidereal=normalized(house_data["mc"] - shift)),
        aspects=aspects, document=document)
