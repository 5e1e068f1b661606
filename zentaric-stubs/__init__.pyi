"""Type stubs for the extension module zentaric (a single-module extension, so the stubs ship as zentaric-stubs)."""
from collections.abc import Sequence
from typing import Any, Literal, SupportsFloat, SupportsIndex, TypeAlias, TypedDict

__all__ = [
    "compute_dasha",
    "get_nakshatra",
    "compute_varga",
    "compute_houses",
    "tropical_to_sidereal",
    "get_ayanamsha",
    "calendar_to_jd",
    "planet_name",
    "sign_name",
    "nakshatra_name_i18n",
    "compute_natal_chart",
    "vedic_dignity",
    "vimshopaka_bala",
    "graha_drishti",
    "rashi_drishti",
    "jaimini",
    "ashtakavarga",
    "shadbala",
    "special_lagnas",
    "gochara",
    "saturn_phases",
    "transit_calendar",
    "varsha_lords",
    "panchanga_name",
    "compute_dasha_periods",
    "match_moons",
    "match_moon_places",
    "manglik",
    "match_manglik",
    "yogas",
    "compute_natal_record",
    "compute_natal_numbers",
    "find_events",
    "find_crossings",
    "rise_set_times",
    "compute_panchanga",
]

# Names the module's tables accept: written by tools/gen_name_literals.py, do not edit down to the end mark.
#: ayanamshas (src/sidereal/ayanamsha.hpp AYANAMSHA_TABLE)
_Ayanamsha: TypeAlias = Literal["Lahiri", "lahiri", "chitrapaksha", "Raman", "raman", "Krishnamurti",
    "krishnamurti", "kp", "FaganBradley", "faganbradley", "Yukteshwar", "yukteshwar", "JnBhasin", "jnbhasin",
    "DjwhalKhul", "djwhalkhul", "Aldebaran15Tau", "aldebaran15tau", "Hipparchos", "hipparchos",
    "GalacticCenter0Sag", "galacticcenter0sag", "TrueChitrapaksha", "truechitrapaksha", "Tropical", "tropical",
    "DeLuce", "deluce", "BvRamanMean", "bvramanmean", "UshaShashi", "ushashashi", "Krishnamurti2", "krishnamurti2",
    "SuryaSiddhanta", "suryasiddhanta", "SuryaSiddhantaMean", "suryasiddhantamean", "Aryabhata", "aryabhata",
    "Aryabhata528", "aryabhata528", "SsDrevJul", "ssdrevjul", "SsCitra", "sscitra", "TruePushya", "truepushya",
    "TrueRevati", "truerevati", "TrueMula", "truemula", "SundaraRajan", "sundararajan", "BabylonianHuber",
    "babylonianhuber", "BabylonianEtpsc", "babylonianetpsc", "BabylonianKuglerStar1", "babyloniankuglerstar1",
    "BabylonianKuglerStar2", "babyloniankuglerstar2", "BabylonianKuglerStar3", "babyloniankuglerstar3", "Sassanian",
    "sassanian", "GalacticCenterBrand", "galacticcenterbrand", "GalacticCenterGalAlign", "galacticcentergalalign",
    "GalacticEquatorIau1958", "galacticequatoriau1958", "GalacticEquatorTrue", "galacticequatortrue",
    "GalacticEquatorMidMula", "galacticequatormidmula", "Skydram", "skydram", "TrueMoonsNode", "truemoonsnode",
    "Lahiri1940", "lahiri1940", "LahiriVp285", "lahirivp285", "ValensMoon", "valensmoon", "AyanamshaOfDate",
    "ayanamshaofdate", "DjwhalKhulTibetan2", "djwhalkhultibetan2", "LahiriIcrc", "lahiriicrc", "Krishnamurti1900",
    "krishnamurti1900", "Raman1900", "raman1900"]

#: house systems (src/houses/house_system.hpp HOUSE_SYSTEM_TABLE)
_HouseSystem: TypeAlias = Literal["Placidus", "placidus", "Koch", "koch", "Equal", "equal", "WholeSign",
    "wholesign", "whole_sign", "Campanus", "campanus", "Regiomontanus", "regiomontanus", "Porphyry", "porphyry",
    "Morinus", "morinus", "Alcabitius", "alcabitius", "Sripathi", "sripathi"]

#: the sixteen vargas (src/vedic/varga.hpp VARGA_TABLE)
_Varga: TypeAlias = Literal["Rashi", "rashi", "d1", "d-1", "Hora", "hora", "d2", "d-2", "Drekkana", "drekkana",
    "d3", "d-3", "Chaturthamsha", "chaturthamsha", "d4", "d-4", "Saptamsha", "saptamsha", "d7", "d-7", "Navamsha",
    "navamsha", "d9", "d-9", "Dashamsha", "dashamsha", "d10", "d-10", "Dwadashamsha", "dwadashamsha", "d12", "d-12",
    "Shodashamsha", "shodashamsha", "d16", "d-16", "Vimshamsha", "vimshamsha", "d20", "d-20", "Chaturvimshamsha",
    "chaturvimshamsha", "d24", "d-24", "Saptavimshamsha", "saptavimshamsha", "d27", "d-27", "bhamsha",
    "Trimshamsha", "trimshamsha", "d30", "d-30", "Khavedamsha", "khavedamsha", "d40", "d-40", "Akshavedamsha",
    "akshavedamsha", "d45", "d-45", "Shashtiamsha", "shashtiamsha", "d60", "d-60"]

#: groups of vargas of the Vimshopaka bala (src/vedic/vedic_dignity.hpp VARGA_GROUP_TABLE)
_VargaGroup: TypeAlias = Literal["Shadvarga", "shadvarga", "6", "Saptavarga", "saptavarga", "7", "Dashavarga",
    "dashavarga", "10", "Shodashavarga", "shodashavarga", "16"]

#: languages of the name tables (locale/names.hpp LANGUAGE_TABLE)
_Language: TypeAlias = Literal["en", "english", "hi", "hindi", "sa", "sanskrit", "ta", "tamil", "te", "telugu",
    "kn", "kannada", "bn", "bengali"]

#: panchanga name tables (locale/names.hpp PANCHANGA_NAMES_TABLE)
_NameTable: TypeAlias = Literal["vara", "tithi", "yoga", "karana", "masa", "ritu"]

#: lunar nodes read as Rahu (src/chart/lunar_node.hpp LUNAR_NODE_TABLE)
_Node: TypeAlias = Literal["mean", "true"]

#: dasha systems (src/vedic/dasha_system.hpp DASHA_SYSTEM_TABLE)
_DashaSystem: TypeAlias = Literal["Vimshottari", "vimshottari", "vimsottari", "Ashtottari", "ashtottari",
    "astottari", "Yogini", "yogini", "Shodashottari", "shodashottari", "shodasottari", "Dwadashottari",
    "dwadashottari", "dwadasottari", "Panchottari", "panchottari", "Shatabdika", "shatabdika", "satabdika",
    "ChaturashitiSama", "chaturashitisama", "chaturashiti_sama", "chaturashiti", "DwisaptatiSama", "dwisaptatisama",
    "dwisaptati_sama", "dwisaptati", "Shashtihayani", "shashtihayani", "shastihayani", "ShattrimshaSama",
    "shattrimshasama", "shattrimsha_sama", "shattrimsha", "Chara", "chara", "jaimini_chara"]

#: lengths of the dasha year (src/vedic/dasha_system.hpp DASHA_YEAR_TABLE)
_DashaYear: TypeAlias = Literal["julian", "sidereal", "savana", "tropical", "solar"]

#: conventions of rising and setting (src/moments/rise_set.hpp HORIZON_CONVENTION_TABLE)
_Convention: TypeAlias = Literal["hindu", "civil", "civil-twilight", "civil_twilight", "civil twilight",
    "nautical-twilight", "nautical_twilight", "nautical twilight", "astronomical-twilight", "astronomical_twilight",
    "astronomical twilight"]

#: bodies of the moments (events, crossings, rising and setting) (src/moments/sky.hpp MOMENT_BODY_TABLE)
_MomentBody: TypeAlias = Literal["Sun", "sun", "Moon", "moon", "Mercury", "mercury", "Venus", "venus", "Mars",
    "mars", "Jupiter", "jupiter", "Saturn", "saturn", "Uranus", "uranus", "Neptune", "neptune", "Rahu", "rahu",
    "meannode", "Ketu", "ketu", "TrueRahu", "truerahu", "truenode", "TrueKetu", "trueketu"]

#: kinds of events (src/moments/events.hpp EVENT_KIND_TABLE)
_EventKind: TypeAlias = Literal["sign", "rashi", "nakshatra", "tithi", "yoga", "karana", "station"]

#: required shadbala minimums (src/vedic/shadbala.hpp REQUIRED_STRENGTH_TABLE)
_RequiredStrength: TypeAlias = Literal["bphs", "parashara", "raman"]

#: the chart's bodies (grahas) (locale/planets.cpp PLANET_ROWS)
_GrahaName: TypeAlias = Literal["Sun", "sun", "Moon", "moon", "Mars", "mars", "Mercury", "mercury", "Jupiter",
    "jupiter", "Venus", "venus", "Saturn", "saturn", "Rahu", "rahu", "Ketu", "ketu"]
# End of the names written by tools/gen_name_literals.py.

class _Nakshatra(TypedDict):
    """Result of get_nakshatra, keys in this order."""

    nakshatra: str
    index: int
    pada: int
    dasha_lord: str
    start_longitude: float
    end_longitude: float

class _HouseCusps(TypedDict):
    """Result of compute_houses, keys in this order; cusps of houses 1..12, tropical degrees."""

    cusps: list[float]
    asc: float
    mc: float
    system: str
    polar_fallback: bool

class _Jaimini(TypedDict):
    """Result of jaimini, keys in this order."""

    karakas: dict[str, str]
    karakamsha: int
    arudhas: list[int]

class _Ashtakavarga(TypedDict):
    """Result of ashtakavarga, keys in this order; rows Sun..Saturn, columns Aries..Pisces."""

    bhinna: list[list[int]]
    sarva: list[int]
    trikona: list[list[int]]
    reduced: list[list[int]]
    prastara: dict[str, dict[str, list[int]]]
    rashi_pinda: list[int]
    graha_pinda: list[int]
    shodhya_pinda: list[int]

class _Shadbala(TypedDict):
    """Result of shadbala, keys in this order."""

    planets: dict[str, dict[str, float]]
    bhavas: list[dict[str, Any]]
    sunrise: float
    sunset: float
    next_sunrise: float

class _SpecialLagnas(TypedDict):
    """Result of special_lagnas, keys in this order; times are UT Julian Days, the rest sidereal degrees."""

    sunrise: float
    sunset: float
    next_sunrise: float
    weekday: int
    night: bool
    bhava_lagna: float
    hora_lagna: float
    ghati_lagna: float
    gulika: float
    mandi: float
    dhuma: float
    vyatipata: float
    parivesha: float
    indrachapa: float
    upaketu: float

_Longitudes = Sequence[SupportsFloat | SupportsIndex]

class _DashaPeriods(TypedDict):
    """Result of compute_dasha_periods, keys in this order; periods: records of struct format "=ddIBBxx"."""

    system: str
    star: str
    balance: float
    applicable: bool
    condition: str
    year_days: float
    lords: tuple[str, ...]
    names: tuple[str, ...]
    periods: bytes

class _Place(TypedDict):
    """A longitude of the chart's zodiac read in signs and nakshatras (the lagna of compute_natal_record)."""

    longitude: float
    sign: str
    sign_index: int
    degree: float
    nakshatra: str
    nakshatra_index: int
    pada: int
    sign_label: str
    nakshatra_label: str

class _Graha(_Place):
    """A body of compute_natal_record."""

    name: str
    label: str
    latitude: float
    speed: float
    distance: float
    retrograde: bool
    house: int
    dignity: str
    vedic_dignity: str | None

class _RecordHouses(TypedDict):
    system: str
    polar_fallback: bool
    cusps_tropical: tuple[float, ...]
    cusps_sidereal: tuple[float, ...]
    asc_tropical: float
    mc_tropical: float
    mc_sidereal: float

class _RecordAspect(TypedDict):
    body1: str
    body2: str
    type: str
    orb: float
    strength: float
    applying: bool

class _NatalRecord(TypedDict):
    """Result of compute_natal_record."""

    ayanamsha: str
    house_system: str
    ayanamsha_value: float
    julian_day: float
    bodies: tuple[_Graha, ...]
    lagna: _Place
    houses: _RecordHouses
    aspects: tuple[_RecordAspect, ...]

def compute_dasha(moon_longitude: SupportsFloat | SupportsIndex, birth_jd: SupportsFloat | SupportsIndex,
                  levels: SupportsIndex = 3) -> str: ...
def get_nakshatra(sidereal_longitude: SupportsFloat | SupportsIndex) -> _Nakshatra: ...
def compute_varga(longitude: SupportsFloat | SupportsIndex, varga: _Varga) -> int: ...
def compute_houses(ramc: SupportsFloat | SupportsIndex, latitude: SupportsFloat | SupportsIndex,
                   obliquity: SupportsFloat | SupportsIndex, system: _HouseSystem = "Placidus") -> _HouseCusps: ...
def tropical_to_sidereal(tropical_longitude: SupportsFloat | SupportsIndex, ayanamsha: _Ayanamsha = "Lahiri",
                         jd: SupportsFloat | SupportsIndex = 2451545.0) -> float: ...
def get_ayanamsha(ayanamsha: _Ayanamsha = "Lahiri", jd: SupportsFloat | SupportsIndex = 2451545.0) -> float: ...
def calendar_to_jd(year: SupportsIndex, month: SupportsIndex, day: SupportsFloat | SupportsIndex) -> float: ...
def planet_name(index: SupportsIndex, language: _Language = "en") -> str: ...
def sign_name(index: SupportsIndex, language: _Language = "en") -> str: ...
def nakshatra_name_i18n(index: SupportsIndex, language: _Language = "en") -> str: ...
def compute_natal_chart(year: SupportsIndex, month: SupportsIndex, day: SupportsIndex, hour: SupportsIndex,
                        minute: SupportsIndex, latitude: SupportsFloat | SupportsIndex,
                        longitude: SupportsFloat | SupportsIndex, ayanamsha: _Ayanamsha = "Lahiri",
                        house_system: _HouseSystem = "Placidus") -> str: ...
def vedic_dignity(longitudes: _Longitudes, varga: _Varga = "d1") -> list[str]: ...
def vimshopaka_bala(longitudes: _Longitudes, group: _VargaGroup = "shodashavarga") -> list[float]: ...
def graha_drishti(longitudes: _Longitudes) -> list[list[int]]: ...
def rashi_drishti(sign: SupportsIndex) -> list[int]: ...
def special_lagnas(jd: SupportsFloat | SupportsIndex, latitude: SupportsFloat | SupportsIndex,
                   longitude: SupportsFloat | SupportsIndex, ayanamsha: _Ayanamsha = "Lahiri",
                   convention: _Convention = "hindu") -> _SpecialLagnas: ...
def jaimini(longitudes: _Longitudes, lagna: SupportsFloat | SupportsIndex, karakas: SupportsIndex = 7) -> _Jaimini: ...
def ashtakavarga(longitudes: _Longitudes, lagna: SupportsFloat | SupportsIndex) -> _Ashtakavarga: ...
def shadbala(longitudes: _Longitudes, lagna: SupportsFloat | SupportsIndex, mc: SupportsFloat | SupportsIndex,
             ayanamsha_value: SupportsFloat | SupportsIndex, jd: SupportsFloat | SupportsIndex,
             latitude: SupportsFloat | SupportsIndex, longitude: SupportsFloat | SupportsIndex,
             required: _RequiredStrength = "bphs") -> _Shadbala: ...
def gochara(longitudes: _Longitudes, moon_sign: SupportsIndex,
            lagna_sign: SupportsIndex) -> list[tuple[int, int, bool, str | None]]: ...
def saturn_phases(moon_sign: SupportsIndex, start_jd: SupportsFloat | SupportsIndex, end_jd: SupportsFloat | SupportsIndex,
                  ayanamsha: _Ayanamsha = "Lahiri") -> list[tuple[str, float, float, bool, bool]]: ...
def transit_calendar(moon_longitude: SupportsFloat | SupportsIndex, lagna_longitude: SupportsFloat | SupportsIndex,
                     start_jd: SupportsFloat | SupportsIndex, end_jd: SupportsFloat | SupportsIndex,
                     ayanamsha: _Ayanamsha = "Lahiri") -> tuple[list[tuple[float, str, str, int, int]],
                                                         list[tuple[str, float, float, bool, bool]]]: ...
def varsha_lords(longitudes: _Longitudes, lagna: SupportsFloat | SupportsIndex, mc: SupportsFloat | SupportsIndex,
                 ayanamsha_value: SupportsFloat | SupportsIndex, jd: SupportsFloat | SupportsIndex,
                 latitude: SupportsFloat | SupportsIndex, longitude: SupportsFloat | SupportsIndex,
                 natal_lagna_sign: SupportsIndex,
                 muntha_sign: SupportsIndex) -> tuple[str, list[tuple[str, str, float, bool]], bool]: ...
def panchanga_name(table: _NameTable, index: SupportsIndex, language: _Language = "en") -> str: ...
def compute_dasha_periods(year: SupportsIndex, month: SupportsIndex, day: SupportsIndex, hour: SupportsIndex,
                          minute: SupportsIndex, latitude: SupportsFloat | SupportsIndex,
                          longitude: SupportsFloat | SupportsIndex, system: _DashaSystem = "Vimshottari",
                          levels: SupportsIndex = 3, year_length: _DashaYear = "julian",
                          ayanamsha: _Ayanamsha = "Lahiri", at_jd: SupportsFloat | SupportsIndex = 0.0,
                          node: _Node = "mean") -> _DashaPeriods: ...

class _Koota(TypedDict):
    """One koota of a match: score of maximum, the compared values (None where only the count is read), the count."""

    name: str
    score: float
    maximum: float
    boy: str | None
    girl: str | None
    count: int

class _Cancellation(TypedDict):
    name: str
    rule: str

class _Dosha(TypedDict):
    name: str
    cancelled_by: list[_Cancellation]

class _Match(TypedDict):
    """Result of match_moons, keys in this order."""

    system: str
    kootas: list[_Koota]
    total: float
    maximum: float
    doshas: list[_Dosha]

def match_moons(boy_moon_longitude: SupportsFloat | SupportsIndex, girl_moon_longitude: SupportsFloat | SupportsIndex,
                system: str = "ashtakoota") -> _Match: ...
def match_moon_places(moon_longitude: SupportsFloat | SupportsIndex, role: str = "boy",
                      system: str = "ashtakoota") -> list[_Match]: ...

# "from" is a keyword: the functional form of TypedDict.
_Reading = TypedDict("_Reading", {"from": str, "house": int, "dosha": bool})

class _Manglik(TypedDict):
    """Result of manglik, keys in this order."""

    readings: list[_Reading]
    dosha: bool
    cancelled_by: list[_Cancellation]
    stands: bool

class _ManglikMatch(TypedDict):
    boy: _Manglik
    girl: _Manglik
    agrees: bool

class _Yoga(TypedDict):
    name: str
    bodies: list[str]
    rule: str
    source: str

def manglik(longitudes: _Longitudes, lagna: SupportsFloat | SupportsIndex, with_second: SupportsIndex = 1) -> _Manglik: ...
def match_manglik(boy_longitudes: _Longitudes, boy_lagna: SupportsFloat | SupportsIndex, girl_longitudes: _Longitudes,
                  girl_lagna: SupportsFloat | SupportsIndex, with_second: SupportsIndex = 1) -> _ManglikMatch: ...
def yogas(longitudes: _Longitudes, lagna: SupportsFloat | SupportsIndex) -> list[_Yoga]: ...
def compute_natal_record(year: SupportsIndex, month: SupportsIndex, day: SupportsIndex, hour: SupportsIndex,
                         minute: SupportsIndex, latitude: SupportsFloat | SupportsIndex,
                         longitude: SupportsFloat | SupportsIndex, ayanamsha: _Ayanamsha = "Lahiri",
                         house_system: _HouseSystem = "Placidus", language: _Language = "en",
                         node: _Node = "mean", second: SupportsFloat | SupportsIndex = 0.0) -> _NatalRecord: ...
def compute_natal_numbers(year: SupportsIndex, month: SupportsIndex, day: SupportsIndex, hour: SupportsIndex,
                          minute: SupportsIndex, latitude: SupportsFloat | SupportsIndex,
                          longitude: SupportsFloat | SupportsIndex, ayanamsha: _Ayanamsha = "Lahiri",
                          house_system: _HouseSystem = "Placidus", node: _Node = "mean") -> bytes: ...
def find_events(start_jd: SupportsFloat | SupportsIndex, end_jd: SupportsFloat | SupportsIndex, kind: _EventKind,
                body: _MomentBody = "Moon", ayanamsha: _Ayanamsha = "Lahiri") -> list[tuple[float, int, int]]: ...
def find_crossings(body: _MomentBody, longitude: SupportsFloat | SupportsIndex,
                   start_jd: SupportsFloat | SupportsIndex, end_jd: SupportsFloat | SupportsIndex,
                   ayanamsha: _Ayanamsha = "Lahiri") -> list[float]: ...
def rise_set_times(start_jd: SupportsFloat | SupportsIndex, end_jd: SupportsFloat | SupportsIndex,
                   latitude: SupportsFloat | SupportsIndex, longitude: SupportsFloat | SupportsIndex,
                   elevation: SupportsFloat | SupportsIndex = 0.0, body: _MomentBody = "Sun",
                   convention: _Convention = "hindu") -> tuple[list[tuple[float, str]], bool]: ...
def compute_panchanga(year: SupportsIndex, month: SupportsIndex, day: SupportsIndex, days: SupportsIndex,
                      latitude: SupportsFloat | SupportsIndex, longitude: SupportsFloat | SupportsIndex,
                      elevation: SupportsFloat | SupportsIndex = 0.0, utc_offset: SupportsFloat | SupportsIndex = 0.0,
                      convention: _Convention = "hindu", ayanamsha: _Ayanamsha = "Lahiri",
                      ) -> tuple[list[tuple[Any, ...]], tuple[tuple[list[float], bytes], ...]]: ...
