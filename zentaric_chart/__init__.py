"""zentaric_chart: natal charts, dasha dates and a command line on top of the `zentaric` module.

    >>> from zentaric_chart import Birth, natal, dasha_at
    >>> birth = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    >>> chart = natal(birth, houses="WholeSign")
    >>> chart.lagna.sign, chart.body("Moon").nakshatra
    >>> [p.lord for p in dasha_at(birth, datetime.now(UTC))]
    >>> charts = charts_frame(pandas.read_csv("births.csv"))   # many at once (pip install .[batch])

Only the module's public functions are used; every number comes from it.

Names (ayanamsha, houses, varga, style, body, dasha system, node, convention, language) are typed as the `Literal`s
below, written from the module's tables, so that a type checker refuses "Lahari". The functions also take these
names in any case ("LAHIRI", "D9") and check every name when called; a text read from input can be passed as
`typing.cast(AyanamshaName, text)` and gets UnknownName, with the closest name, when it is not one.
"""
from zentaric_chart._literals import (AyanamshaName, ConventionName, DashaSystemName, DashaYearName, EventKindName,
                                      GrahaName, HouseSystemName, LanguageName, MomentBodyName, NodeName,
                                      RequiredStrengthName, VargaGroupName, VargaName)
from zentaric_chart._names import UnknownName
from zentaric_chart.batch import charts_frame, charts_meta, timeline_frame
from zentaric_chart.birth import MAX_YEAR, MIN_YEAR, Birth, Place, from_julian_day, julian_day
from zentaric_chart.chart import Aspect, Body, Chart, Houses, Lagna, Placement, natal
from zentaric_chart.dasha import DASHA_SYSTEMS, DASHA_YEARS, Dashas, Period, dasha, dasha_at
from zentaric_chart.drawing import Style
from zentaric_chart.matching import (Cancellation, Dosha, Koota, Manglik, ManglikMatch, ManglikReading, Match, manglik,
                                     manglik_match, match, match_frame)
from zentaric_chart.moments import Event, RiseSet, crossings, events, rise_set, rise_sets
from zentaric_chart.panchanga import Interval, Limb, Masa, Name, Panchanga, panchanga, panchanga_range
from zentaric_chart.panchanga_frame import panchanga_frame
from zentaric_chart.strength import Ashtakavarga, BhavaBala, Shadbala
from zentaric_chart.transits import (Office, Phase, Return, TimelineEvent, Transit, Transits, lunar_return, sade_sati,
                                     solar_return, timeline, to_ics, transits)
from zentaric_chart.yogas import Yoga

__all__ = ["DASHA_SYSTEMS", "DASHA_YEARS", "Aspect", "Birth", "Body", "Cancellation", "Chart", "Dashas", "Dosha",
           "Event", "Houses", "Koota", "Lagna", "MAX_YEAR", "MIN_YEAR", "Manglik", "ManglikMatch", "ManglikReading",
           "Match", "Period", "Place", "Placement", "RiseSet", "UnknownName", "Yoga", "charts_frame", "charts_meta",
           "crossings", "dasha", "dasha_at", "events", "from_julian_day", "julian_day", "manglik", "manglik_match",
           "match", "match_frame", "natal", "rise_set", "rise_sets",
           "Interval", "Limb", "Masa", "Name", "Panchanga", "panchanga", "panchanga_range", "panchanga_frame",
           "timeline_frame", "Ashtakavarga", "BhavaBala", "Shadbala", "Office", "Phase", "Return", "TimelineEvent",
           "Transit", "Transits", "lunar_return", "sade_sati", "solar_return", "timeline", "to_ics", "transits"]
__all__ += ["AyanamshaName", "ConventionName", "DashaSystemName", "DashaYearName", "EventKindName", "GrahaName",
            "HouseSystemName", "LanguageName", "MomentBodyName", "NodeName", "RequiredStrengthName", "Style",
            "VargaGroupName", "VargaName"]
