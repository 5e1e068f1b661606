"""Horoscope matching: guna milan (ashtakoota) or the ten poruthams of a couple, for one pair or a table of partners.

    m = match(boy, girl)                     # charts or births; system="ashtakoota" (36 points) or "porutham" (10)
    m.total, m.maximum, m.koota("Nadi").reason, [d.name for d in m.doshas if not d.cancelled]
    match_frame(profile, charts_frame(candidates))   # one row per candidate (pip install .[batch])
    manglik(chart).stands, manglik_match(boy, girl).agrees   # kuja dosha of one chart, and of a couple

Every score, dosha and cancellation is the module's (`match_moons`, `match_moon_places`, `manglik`,
`match_manglik`); a cancellation is reported beside the dosha it clears and never changes a score.
"""
from __future__ import annotations

import functools
import itertools
import re
from collections.abc import Mapping
from dataclasses import dataclass, replace
from typing import Any

import zentaric

from zentaric_chart import _names
from zentaric_chart.birth import Birth
from zentaric_chart.chart import Chart, natal
from zentaric_chart.vargas import GRAHAS, graha_longitudes

SYSTEMS: tuple[str, ...] = ("ashtakoota", "porutham")
ROLES: tuple[str, ...] = ("boy", "girl")
#: The columns of a candidates frame that `match_frame` reads.
_MOON_COLUMNS = ("moon_nakshatra_index", "moon_pada", "moon_degree")
#: The columns it reads for the candidates' manglik, in the order `_manglik_columns` takes them.
_MANGLIK_COLUMNS = ("lagna_sign_index", "moon_sign_index", "venus_sign_index", "mars_sign_index", "jupiter_sign_index")


@dataclass(frozen=True)
class Koota:
    """One koota (or porutham): its score of `maximum`, what it compared for each partner (`boy`, `girl`: a varna,
    animal, gana, sign lord ... or None where it reads only the count) and the count from the girl's nakshatra or sign
    to the boy's (0 where none is read)."""

    name: str
    score: float
    maximum: float
    boy: str | None
    girl: str | None
    count: int

    @property
    def reason(self) -> str:
        """Why it scored as it did, in words: "boy Brahmin, girl Shudra", "count 6 from the girl's"."""
        parts = [f"boy {self.boy}, girl {self.girl}"] if self.boy is not None else []
        parts += [f"count {self.count} from the girl's"] if self.count else []
        return "; ".join(parts)


@dataclass(frozen=True)
class Cancellation:
    """A classical cancellation (parihara) of a dosha and its rule."""

    name: str
    rule: str


@dataclass(frozen=True)
class Dosha:
    """A dosha (the koota that raised it) and the cancellations that apply to it; none means it stands."""

    name: str
    cancelled_by: tuple[Cancellation, ...]

    @property
    def cancelled(self) -> bool:
        return bool(self.cancelled_by)


@dataclass(frozen=True)
class Match:
    """A couple's match: each koota in the system's order, the total of their scores (cancellations not applied), the
    maximum, the doshas, and the couple's manglik match (None in `match_frame`'s lookup table)."""

    system: str
    kootas: tuple[Koota, ...]
    total: float
    maximum: float
    doshas: tuple[Dosha, ...]
    manglik: ManglikMatch | None = None

    def koota(self, name: str) -> Koota:
        """The koota called `name` ("Nadi", "Graha Maitri", "Rajju", ...)."""
        for koota in self.kootas:
            if koota.name.lower() == name.lower():
                return koota
        raise KeyError(f"no koota {name!r}; kootas: {', '.join(k.name for k in self.kootas)}")


@dataclass(frozen=True)
class ManglikReading:
    """Mars counted from the lagna, the Moon or Venus (`reference`): its house (1..12, by signs) and whether that
    house raises the dosha."""

    reference: str
    house: int
    dosha: bool


@dataclass(frozen=True)
class Manglik:
    """Manglik (kuja dosha) of a chart: the three readings, `dosha` when any of them raises it, the exceptions that
    cancel it (`cancelled_by`), and `stands`: a dosha no exception cancels."""

    readings: tuple[ManglikReading, ...]
    dosha: bool
    cancelled_by: tuple[Cancellation, ...]
    stands: bool


@dataclass(frozen=True)
class ManglikMatch:
    """A couple's manglik readings; `agrees` when both or neither carry a dosha that stands."""

    boy: Manglik
    girl: Manglik
    agrees: bool


def _manglik(data: Mapping[str, Any]) -> Manglik:
    return Manglik(readings=tuple(ManglikReading(r["from"], r["house"], r["dosha"]) for r in data["readings"]),
                   dosha=data["dosha"], cancelled_by=tuple(Cancellation(**c) for c in data["cancelled_by"]),
                   stands=data["stands"])


def _chart(person: Chart | Birth, argument: str = "person") -> Chart:
    if isinstance(person, Chart):
        return person
    if not isinstance(person, Birth):
        raise TypeError(f"{argument} must be a Chart or a Birth, not {type(person).__name__}")
    return natal(person)


def _flag(with_second: object) -> bool:
    if with_second not in (True, False):
        raise TypeError(f"with_second must be True or False, not {with_second!r:.40}")
    return bool(with_second)


def manglik(person: Chart | Birth, with_second: bool = True) -> Manglik:
    """Manglik of a chart (a birth is charted with Lahiri): Mars in the 1st, 2nd, 4th, 7th, 8th or 12th from the
    lagna, the Moon and Venus; `with_second=False` reads 1, 4, 7, 8, 12 only."""
    chart = _chart(person)
    return _manglik(zentaric.manglik(graha_longitudes(chart), chart.lagna.longitude, _flag(with_second)))


def _couple(boy: Chart | Birth, girl: Chart | Birth) -> tuple[Chart, Chart]:
    """The couple's charts, which must share a zodiac (a birth is charted with Lahiri)."""
    boy_chart, girl_chart = _chart(boy, "boy"), _chart(girl, "girl")
    if boy_chart.ayanamsha != girl_chart.ayanamsha:
        raise ValueError(f"the boy's chart is {boy_chart.ayanamsha} and the girl's {girl_chart.ayanamsha}: a match "
                         "reads both Moons in one zodiac (chart both with the same ayanamsha)")
    return boy_chart, girl_chart


def manglik_match(boy: Chart | Birth, girl: Chart | Birth, with_second: bool = True) -> ManglikMatch:
    """A couple's manglik match (charts of one zodiac, or births)."""
    boy_chart, girl_chart = _couple(boy, girl)
    data = zentaric.match_manglik(graha_longitudes(boy_chart), boy_chart.lagna.longitude,
                                  graha_longitudes(girl_chart), girl_chart.lagna.longitude, _flag(with_second))
    return ManglikMatch(_manglik(data["boy"]), _manglik(data["girl"]), data["agrees"])


def moon_longitude(person: Chart | Birth) -> float:
    """The sidereal longitude of the Moon of a chart, or of a birth's chart (Lahiri)."""
    return _chart(person).body("Moon").longitude


def _match(data: Mapping[str, Any]) -> Match:
    return Match(system=data["system"], kootas=tuple(Koota(**koota) for koota in data["kootas"]),
                 total=data["total"], maximum=data["maximum"],
                 doshas=tuple(Dosha(name=dosha["name"],
                                    cancelled_by=tuple(Cancellation(**c) for c in dosha["cancelled_by"]))
                              for dosha in data["doshas"]))


def match(boy: Chart | Birth, girl: Chart | Birth, system: str = "ashtakoota", with_second: bool = True) -> Match:
    """The match of a couple from their Moons: `system` "ashtakoota" (guna milan, out of 36) or "porutham" (the ten
    South Indian poruthams, one point each), with the couple's manglik match (`with_second=False`: Mars read in the
    1st, 4th, 7th, 8th and 12th only). Births are charted with Lahiri; two charts must share their ayanamsha."""
    system = _names.choice("matching system", system, SYSTEMS)
    _flag(with_second)
    boy_chart, girl_chart = _couple(boy, girl)
    kootas = _match(zentaric.match_moons(moon_longitude(boy_chart), moon_longitude(girl_chart), system))
    return replace(kootas, manglik=manglik_match(boy_chart, girl_chart, with_second))


def column_name(koota: str) -> str:
    """The column of a koota in `match_frame`: "Graha Maitri" → "graha_maitri"."""
    return re.sub(r"\W+", "_", koota.lower())


def _column(candidates: Any, name: str, low: float, high: float, whole: bool = True) -> Any:
    """A candidates column as floats, NaN where missing; ValueError naming the column and the row's label for a value
    that is no index of `low`..`high` (or, not `whole`, a number in [low, high))."""
    import numpy
    values = candidates[name].to_numpy(dtype="float64", na_value=numpy.nan)
    known = values[~numpy.isnan(values)]
    bad = (known < low) | (known > high) | (known == high if not whole else known != numpy.floor(known))
    if bad.any():
        position = int(numpy.flatnonzero(~numpy.isnan(values))[numpy.argmax(bad)])
        what = f"a whole number {low} to {high}" if whole else f"a number from {low:g} up to (not including) {high:g}"
        raise ValueError(f"candidates' {name} holds {float(values[position]):g} at row {candidates.index[position]!r}: "
                         f"it must be {what}, as charts_frame gives it")
    return values


@functools.cache
def _manglik_tables(with_second: bool) -> tuple[Any, Any, tuple[str, ...]]:
    """The module's manglik as lookup tables: whether Mars k signs on from the lagna, the Moon or Venus raises the
    dosha (3 x 12), and for each placing of Mars, Jupiter, the Moon and the lagna (by sign, key ((mars * 12 +
    jupiter) * 12 + moon) * 12 + lagna) the code of the exceptions that apply, their names joined by "; " being
    `texts[code]` ("" for none). The exceptions read only those four signs; a test holds every row of a frame to
    `manglik` of its chart."""
    import numpy

    def longitudes(mars: int, jupiter: int, moon: int, venus: int) -> list[float]:
        signs = {"Mars": mars, "Jupiter": jupiter, "Moon": moon, "Venus": venus}
        return [signs.get(graha, 0) * 30.0 + 15.0 for graha in GRAHAS]

    raises = numpy.asarray([[reading["dosha"] for reading in
                             zentaric.manglik(longitudes(k, 0, 0, 0), 15.0, with_second)["readings"]]
                            for k in range(12)]).T
    texts: dict[tuple[str, ...], int] = {(): 0}
    codes: list[int] = []
    read, lagnas = zentaric.manglik, [sign * 30.0 + 15.0 for sign in range(12)]
    for mars, jupiter, moon in itertools.product(range(12), repeat=3):
        placed = longitudes(mars, jupiter, moon, mars)  # Venus with Mars: the dosha is raised, its exceptions read
        for lagna in lagnas:
            names = tuple(c["name"] for c in read(placed, lagna, with_second)["cancelled_by"])
            codes.append(texts.setdefault(names, len(texts)))
    return raises, numpy.asarray(codes, dtype=numpy.intp), tuple("; ".join(names) for names in texts)


def _manglik_columns(candidates: Any, profile: Chart, with_second: bool) -> dict[str, Any]:
    """The candidates' manglik columns (see `match_frame`) from their signs of the lagna, Moon, Venus, Mars and
    Jupiter; missing values where a row (or the frame) lacks one."""
    from zentaric_chart.batch import _pandas
    pandas = _pandas()
    import numpy

    count = len(candidates)
    signs = {column: _column(candidates, column, 0, 11) if column in candidates.columns
             else numpy.full(count, numpy.nan) for column in _MANGLIK_COLUMNS}
    known = ~numpy.any([numpy.isnan(values) for values in signs.values()], axis=0) if count else numpy.ones(0, bool)
    lagna, moon, venus, mars, jupiter = (numpy.nan_to_num(signs[column]).astype(numpy.intp) % 12
                                         for column in _MANGLIK_COLUMNS)
    raises, codes, texts = _manglik_tables(with_second)
    readings = [raises[r][(mars - reference) % 12] for r, reference in enumerate((lagna, moon, venus))]
    dosha = readings[0] | readings[1] | readings[2]
    cancelled = numpy.where(dosha, codes[((mars * 12 + jupiter) * 12 + moon) * 12 + lagna], 0)
    stands = dosha & (cancelled == 0)
    own = zentaric.manglik(graha_longitudes(profile), profile.lagna.longitude, with_second)["stands"]

    def flags(values: Any) -> Any:
        return pandas.arrays.BooleanArray(numpy.asarray(values, dtype=bool), ~known)

    return {"manglik_lagna": flags(readings[0]), "manglik_moon": flags(readings[1]),
            "manglik_venus": flags(readings[2]), "manglik": flags(dosha),
            "manglik_cancelled_by": pandas.Categorical.from_codes(numpy.where(known, cancelled, -1), texts),
            "manglik_stands": flags(stands), "manglik_agrees": flags(stands == own)}


def match_frame(profile: Chart | Birth, candidates: Any, system: str = "ashtakoota", role: str = "boy",
                with_second: bool = True) -> Any:
    """One profile scored against a frame of candidates as `charts_frame` returns them (the columns
    `moon_nakshatra_index`, `moon_pada` and `moon_degree` are read for the kootas, a row without them scoring
    missing values; `lagna_sign_index`, `moon_sign_index`, `venus_sign_index`, `mars_sign_index` and
    `jupiter_sign_index` for manglik, whose columns are missing values where these are).

    `role` is the profile's ("boy": the candidates are the girls). One row per candidate, same index: a float column
    per koota (`varna` .. `nadi`, or `dina` .. `vedha`), `total`, and per koota that can raise a dosha
    `<koota>_dosha` (nullable boolean) and `<koota>_cancelled_by` (categorical: the cancellations' names joined
    by "; ", "" where none applies). Then the candidate's manglik (`with_second=False`: Mars read in the 1st, 4th,
    7th, 8th and 12th only), as `manglik` gives it: `manglik_lagna`, `manglik_moon`, `manglik_venus` (the dosha
    from each), `manglik` (from any), `manglik_cancelled_by` (the exceptions' names joined by "; ", "" where none
    applies or there is no dosha), `manglik_stands`, and `manglik_agrees`, the couple's dosha match (both or
    neither carry a dosha that stands), all nullable booleans but the categorical. Vectorised over the candidates:
    the module scores the profile against each of the 216 places a Moon can hold, and every candidate looks its
    place up; manglik is looked up in the same way by the candidate's signs."""
    from zentaric_chart.batch import _pandas
    pandas = _pandas()
    import numpy

    system = _names.choice("matching system", system, SYSTEMS)
    role = _names.choice("role", role, ROLES)
    with_second = _flag(with_second)
    if not isinstance(candidates, pandas.DataFrame):
        raise TypeError(f"candidates must be a pandas DataFrame, as charts_frame gives, not "
                        f"{type(candidates).__name__}")
    missing = [column for column in _MOON_COLUMNS if column not in candidates.columns]
    if missing:
        raise ValueError(f"candidates needs the columns {', '.join(_MOON_COLUMNS)} (as charts_frame gives them); "
                         f"missing: {', '.join(missing)}")
    profile_chart = _chart(profile, "profile")
    moon = profile_chart.body("Moon").longitude
    places = [_match(data) for data in zentaric.match_moon_places(moon, role, system)]
    nakshatra = _column(candidates, "moon_nakshatra_index", 0, 26)
    pada = _column(candidates, "moon_pada", 1, 4)
    degree = _column(candidates, "moon_degree", 0.0, 30.0, whole=False)
    known = ~(numpy.isnan(nakshatra) | numpy.isnan(pada) | numpy.isnan(degree))
    codes = numpy.where(known, (numpy.nan_to_num(nakshatra) * 4 + numpy.nan_to_num(pada) - 1) * 2 + (degree >= 15.0),
                        len(places)).astype(numpy.intp)

    def looked_up(values: list[float]) -> Any:  # a missing value past the 216 places
        return numpy.asarray(values + [numpy.nan], dtype="float64")[codes]

    columns: dict[str, Any] = {}
    for k, koota in enumerate(places[0].kootas):
        columns[column_name(koota.name)] = looked_up([place.kootas[k].score for place in places])
    columns["total"] = looked_up([place.total for place in places])
    dosha_kootas = [k.name for k in places[0].kootas if any(d.name == k.name for p in places for d in p.doshas)]
    for name in dosha_kootas:
        found = [next((d for d in place.doshas if d.name == name), None) for place in places]
        raised = looked_up([float(dosha is not None) for dosha in found])
        columns[f"{column_name(name)}_dosha"] = pandas.array(raised == 1.0, dtype="boolean")
        columns[f"{column_name(name)}_dosha"][~known] = pandas.NA
        texts = ["; ".join(c.name for c in dosha.cancelled_by) if dosha else "" for dosha in found]
        categories = sorted(set(texts))
        place_codes = numpy.asarray([categories.index(text) for text in texts] + [-1])
        columns[f"{column_name(name)}_cancelled_by"] = pandas.Categorical.from_codes(place_codes[codes], categories)
    columns.update(_manglik_columns(candidates, profile_chart, with_second))
    return pandas.DataFrame(columns, index=candidates.index)
