"""The names the module accepts, as `Literal` types, written by tools/gen_name_literals.py from the
core's name tables (do not edit; tools/check_tables.py proves this file current). Each lists a row's
name, its lower case and its further spellings; the module also takes them in any case.
"""
from typing import Literal, TypeAlias

__all__ = ["AyanamshaName", "HouseSystemName", "VargaName", "VargaGroupName", "LanguageName", "NameTableName",
    "NodeName", "DashaSystemName", "DashaYearName", "ConventionName", "MomentBodyName", "EventKindName",
    "RequiredStrengthName", "GrahaName"]

#: ayanamshas (src/sidereal/ayanamsha.hpp AYANAMSHA_TABLE)
AyanamshaName: TypeAlias = Literal["Lahiri", "lahiri", "chitrapaksha", "Raman", "raman", "Krishnamurti",
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
HouseSystemName: TypeAlias = Literal["Placidus", "placidus", "Koch", "koch", "Equal", "equal", "WholeSign",
    "wholesign", "whole_sign", "Campanus", "campanus", "Regiomontanus", "regiomontanus", "Porphyry", "porphyry",
    "Morinus", "morinus", "Alcabitius", "alcabitius", "Sripathi", "sripathi"]

#: the sixteen vargas (src/vedic/varga.hpp VARGA_TABLE)
VargaName: TypeAlias = Literal["Rashi", "rashi", "d1", "d-1", "Hora", "hora", "d2", "d-2", "Drekkana", "drekkana",
    "d3", "d-3", "Chaturthamsha", "chaturthamsha", "d4", "d-4", "Saptamsha", "saptamsha", "d7", "d-7", "Navamsha",
    "navamsha", "d9", "d-9", "Dashamsha", "dashamsha", "d10", "d-10", "Dwadashamsha", "dwadashamsha", "d12", "d-12",
    "Shodashamsha", "shodashamsha", "d16", "d-16", "Vimshamsha", "vimshamsha", "d20", "d-20", "Chaturvimshamsha",
    "chaturvimshamsha", "d24", "d-24", "Saptavimshamsha", "saptavimshamsha", "d27", "d-27", "bhamsha",
    "Trimshamsha", "trimshamsha", "d30", "d-30", "Khavedamsha", "khavedamsha", "d40", "d-40", "Akshavedamsha",
    "akshavedamsha", "d45", "d-45", "Shashtiamsha", "shashtiamsha", "d60", "d-60"]

#: groups of vargas of the Vimshopaka bala (src/vedic/vedic_dignity.hpp VARGA_GROUP_TABLE)
VargaGroupName: TypeAlias = Literal["Shadvarga", "shadvarga", "6", "Saptavarga", "saptavarga", "7", "Dashavarga",
    "dashavarga", "10", "Shodashavarga", "shodashavarga", "16"]

#: languages of the name tables (locale/names.hpp LANGUAGE_TABLE)
LanguageName: TypeAlias = Literal["en", "english", "hi", "hindi", "sa", "sanskrit", "ta", "tamil", "te", "telugu",
    "kn", "kannada", "bn", "bengali"]

#: panchanga name tables (locale/names.hpp PANCHANGA_NAMES_TABLE)
NameTableName: TypeAlias = Literal["vara", "tithi", "yoga", "karana", "masa", "ritu"]

#: lunar nodes read as Rahu (src/chart/lunar_node.hpp LUNAR_NODE_TABLE)
NodeName: TypeAlias = Literal["mean", "true"]

#: dasha systems (src/vedic/dasha_system.hpp DASHA_SYSTEM_TABLE)
DashaSystemName: TypeAlias = Literal["Vimshottari", "vimshottari", "vimsottari", "Ashtottari", "ashtottari",
    "astottari", "Yogini", "yogini", "Shodashottari", "shodashottari", "shodasottari", "Dwadashottari",
    "dwadashottari", "dwadasottari", "Panchottari", "panchottari", "Shatabdika", "shatabdika", "satabdika",
    "ChaturashitiSama", "chaturashitisama", "chaturashiti_sama", "chaturashiti", "DwisaptatiSama", "dwisaptatisama",
    "dwisaptati_sama", "dwisaptati", "Shashtihayani", "shashtihayani", "shastihayani", "ShattrimshaSama",
    "shattrimshasama", "shattrimsha_sama", "shattrimsha", "Chara", "chara", "jaimini_chara"]

#: lengths of the dasha year (src/vedic/dasha_system.hpp DASHA_YEAR_TABLE)
DashaYearName: TypeAlias = Literal["julian", "sidereal", "savana", "tropical", "solar"]

#: conventions of rising and setting (src/moments/rise_set.hpp HORIZON_CONVENTION_TABLE)
ConventionName: TypeAlias = Literal["hindu", "civil", "civil-twilight", "civil_twilight", "civil twilight",
    "nautical-twilight", "nautical_twilight", "nautical twilight", "astronomical-twilight", "astronomical_twilight",
    "astronomical twilight"]

#: bodies of the moments (events, crossings, rising and setting) (src/moments/sky.hpp MOMENT_BODY_TABLE)
MomentBodyName: TypeAlias = Literal["Sun", "sun", "Moon", "moon", "Mercury", "mercury", "Venus", "venus", "Mars",
    "mars", "Jupiter", "jupiter", "Saturn", "saturn", "Uranus", "uranus", "Neptune", "neptune", "Rahu", "rahu",
    "meannode", "Ketu", "ketu", "TrueRahu", "truerahu", "truenode", "TrueKetu", "trueketu"]

#: kinds of events (src/moments/events.hpp EVENT_KIND_TABLE)
EventKindName: TypeAlias = Literal["sign", "rashi", "nakshatra", "tithi", "yoga", "karana", "station"]

#: required shadbala minimums (src/vedic/shadbala.hpp REQUIRED_STRENGTH_TABLE)
RequiredStrengthName: TypeAlias = Literal["bphs", "parashara", "raman"]

#: the chart's bodies (grahas) (locale/planets.cpp PLANET_ROWS)
GrahaName: TypeAlias = Literal["Sun", "sun", "Moon", "moon", "Mars", "mars", "Mercury", "mercury", "Jupiter",
    "jupiter", "Venus", "venus", "Saturn", "saturn", "Rahu", "rahu", "Ketu", "ketu"]
