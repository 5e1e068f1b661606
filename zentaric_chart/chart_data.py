"""The records of a natal chart (its bodies, lagna, houses and aspects) and the chart's data without its readings:
what the readings (vargas, strength, Jaimini, yogas, lagnas) take, below `Chart`, which adds them as methods."""
from __future__ import annotations

from dataclasses import dataclass

from zentaric_chart import _names
from zentaric_chart._literals import AyanamshaName, GrahaName, HouseSystemName, LanguageName, NodeName
from zentaric_chart.birth import Birth

#: The chart's bodies, in `Chart.bodies` order.
BODY_NAMES = _names.BODIES
#: Row of each body in the module's localised planet table.
PLANET_ROWS = {"Sun": 0, "Moon": 1, "Mars": 2, "Mercury": 3, "Jupiter": 4, "Venus": 5, "Saturn": 6,
               "Rahu": 7, "Ketu": 8}


def normalized(degrees: float) -> float:
    """An angle in [0, 360)."""
    value = degrees % 360.0
    return 0.0 if value >= 360.0 else value


class UnknownBody(KeyError, ValueError):
    """A body name the chart does not have; the message names the closest one. A KeyError, as a lookup by name,
    and a ValueError, as every other unknown name of the package."""

    def __str__(self) -> str:
        return str(self.args[0])


@dataclass(frozen=True)
class Placement:
    """A sidereal longitude read in the zodiac: its sign, degree within the sign, nakshatra and pada.

    longitude: degrees of the chart's zodiac, [0, 360); sign: English name, sign_index 0 (Aries) .. 11 (Pisces);
    degree: degrees within the sign, [0, 30); nakshatra: English name, nakshatra_index 0 (Ashwini) .. 26 (Revati);
    pada: quarter of the nakshatra, 1..4; sign_label, nakshatra_label: the names in the chart's language.
    """

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
    """One chart body: its sidereal place, house, dignity and motion.

    name: "Sun" .. "Saturn", "Rahu", "Ketu"; label: the name in the chart's language; latitude: ecliptic latitude
    in degrees (north positive); speed: degrees of longitude per day (negative when retrograde); distance:
    astronomical units from the Earth's centre (1.0 for Rahu and Ketu, which are points); retrograde: speed < 0;
    house: 1..12 in the chart's house system; dignity: the Western one, "Domicile", "Exaltation", "Detriment",
    "Fall" or "Peregrine" (Rahu and Ketu always "Peregrine"); vedic_dignity: Parashara's in the rashi ("Exalted",
    "Moolatrikona", "Own", "GreatFriend", "Friend", "Neutral", "Enemy", "GreatEnemy", "Debilitated"; None for the
    nodes).
    """

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
    Koch at polar latitudes, or any system whose cusps do not go once round the zodiac).

    cusps_sidereal are the chart's own zodiac (whole-sign cusps of a sidereal chart open exactly at k · 30°);
    asc_tropical, mc_tropical and mc_sidereal are degrees.
    """

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


@dataclass(frozen=True)
class ChartData:
    """A natal chart's data (see `zentaric_chart.chart.Chart`, which adds the readings)."""

    birth: Birth
    ayanamsha: AyanamshaName
    house_system: HouseSystemName
    ayanamsha_value: float
    julian_day: float
    language: LanguageName
    bodies: tuple[Body, ...]
    lagna: Lagna
    houses: Houses
    aspects: tuple[Aspect, ...]
    node: NodeName = "mean"

    def body(self, name: GrahaName) -> Body:
        """The body called `name` ("Sun" .. "Saturn", "Rahu", "Ketu", in any case); a KeyError naming the closest
        body for another name."""
        try:
            return self.bodies[BODY_NAMES.index(_names.body(name))]
        except _names.UnknownName as error:
            raise UnknownBody(str(error)) from None
