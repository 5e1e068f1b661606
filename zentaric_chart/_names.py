"""Names a caller may pass (ayanamsha, house system, varga, language), checked before the module sees them.

The module decides which spellings it accepts; the lists here only serve to tell a caller, when a name is refused,
which names exist and which one is closest to what was typed. They are read from the module's docstrings, which list
the names of each argument.
"""
from __future__ import annotations

import difflib
import re
from collections.abc import Callable, Sequence
from typing import Any, TypeVar, cast

import zentaric

from zentaric_chart._literals import (AyanamshaName, GrahaName, HouseSystemName, LanguageName, NodeName,
                                      VargaGroupName, VargaName)


def listed(function: Callable[..., object], argument: str) -> tuple[str, ...]:
    """The names the docstring of a module function lists for an argument (its "    argument: A, B or C (...)."
    entry, continuation lines included), without the parenthesised remarks."""
    entry = re.search(rf"^    {argument}: (.*(?:\n {{8}}.*)*)", function.__doc__ or "", re.MULTILINE)
    words = re.findall(r"[\w-]+", re.sub(r"\(.*?\)", "", entry.group(1) if entry else ""))
    return tuple(word for word in words if word != "or")


AYANAMSHAS = listed(zentaric.get_ayanamsha, "ayanamsha")
HOUSE_SYSTEMS = listed(zentaric.compute_houses, "system")


def _varga_codes() -> dict[str, VargaName]:
    """Each varga's names and its code as the docstring of compute_varga lists them ("navamsha"/"d9", ...)."""
    entry = re.search(r"^    varga: (.*(?:\n {8}.*)*)", zentaric.compute_varga.__doc__ or "", re.MULTILINE)
    codes: dict[str, VargaName] = {}
    for item in re.findall(r'"[^"]+"(?:/"[^"]+")*', re.sub(r"\(.*?\)", "", entry.group(1) if entry else "")):
        spellings = re.findall(r'"([^"]+)"', item)
        code = cast(VargaName, next(spelling for spelling in spellings if re.fullmatch(r"d\d+", spelling)))
        codes |= {spelling: code for spelling in spellings if spelling != code}
    return codes


VARGA_CODES = _varga_codes()  # "navamsha": "d9", "bhamsha": "d27"
VARGAS = (*VARGA_CODES, *dict.fromkeys(VARGA_CODES.values()))


def varga_code(name: str) -> VargaName:
    """The code ("d9") of an accepted varga name in any spelling ("Navamsha", "D-9")."""
    lowered = name.lower().replace("-", "")
    return VARGA_CODES.get(lowered, cast(VargaName, lowered))


VIMSHOPAKA_GROUPS = cast(tuple[VargaGroupName, ...], listed(zentaric.vimshopaka_bala, "group"))
LANGUAGES = cast(tuple[LanguageName, ...], listed(zentaric.sign_name, "language"))
NODES = listed(zentaric.compute_dasha_periods, "node")  # which lunar node is Rahu: "mean", "true"
LANGUAGE_NAMES: tuple[str, ...] = ("english", "hindi", "sanskrit", "tamil", "telugu", "kannada", "bengali")
#: The chart's bodies (the grahas of `compute_natal_record`), in their order.
BODIES: tuple[str, ...] = ("Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu")
_BODY_KEYS = {name.lower(): name for name in BODIES}


class UnknownName(ValueError):
    """A name the module does not accept; `kind` says what it names, `suggestion` is the closest accepted name."""

    def __init__(self, kind: str, given: str, accepted: Sequence[str], suggestion: str | None,
                 note: str | None = None) -> None:
        hint = f"; {note}" if note else f"; did you mean {suggestion!r}?" if suggestion else ""
        super().__init__(f"unknown {kind} {given!r}{hint} (accepted: {', '.join(accepted)})")
        self.kind = kind
        self.given = given
        self.suggestion = suggestion


def closest(given: str, accepted: Sequence[str]) -> str | None:
    """The accepted name nearest to `given`, compared without case, blanks, '-' and '_', or None."""
    def key(name: str) -> str:
        return "".join(ch for ch in name.lower() if ch not in " -_")
    keys = {key(name): name for name in accepted}
    match = difflib.get_close_matches(key(given), list(keys), n=1, cutoff=0.6)
    return keys[match[0]] if match else None


#: (kind, name) pairs the module has accepted: a name is asked of the module once.
_accepted: set[tuple[str, str]] = set()


def _check(kind: str, given: object, accepted: Sequence[str], probe: Callable[[str], object],
           shown: Sequence[str] | None = None, suggest: Callable[[str], str | None] | None = None) -> str:
    if not isinstance(given, str):
        raise TypeError(f"{kind} must be a str, not {type(given).__name__}")
    if (kind, given) in _accepted:
        return given
    try:
        probe(given)
    except ValueError:
        suggestion = suggest(given) if suggest is not None else closest(given, accepted)
        raise UnknownName(kind, given, shown or accepted, suggestion) from None
    if len(_accepted) < 4096:  # spellings differ only in case: a bound keeps a flood of them from growing it
        _accepted.add((kind, given))
    return given


# The checkers below return a name the module has accepted, typed as the names its table lists: a spelling in
# another case ("LAHIRI") passes the module's check as well, and stands for the same row.
_module: Any = zentaric  # the checks pass texts the caller gave, of any spelling


def ayanamsha(name: object) -> AyanamshaName:
    """`name` if the module knows this ayanamsha, else UnknownName with the closest accepted name."""
    return cast(AyanamshaName, _check("ayanamsha", name, AYANAMSHAS, lambda text: _module.get_ayanamsha(text)))


def house_system(name: object) -> HouseSystemName:
    """`name` if the module knows this house system, else UnknownName with the closest accepted name."""
    return cast(HouseSystemName, _check("house system", name, HOUSE_SYSTEMS,
                                        lambda text: _module.compute_houses(0.0, 0.0, 23.44, text)))


def closest_varga(given: str) -> str | None:
    """The varga nearest to `given`: for a code ("d5", "D-11") the code of the nearest number of parts (the smaller
    of two as near), for a name the name spelled most alike; a code is never suggested for a name ("saptamsa" is
    not "d60") nor a name for a code."""
    code = re.fullmatch(r"\s*[dD]\s*-?\s*(\d{1,6})\s*", given)
    if code is None:
        return closest(given, tuple(VARGA_CODES))
    parts = int(code[1])
    return min(dict.fromkeys(VARGA_CODES.values()), key=lambda known: (abs(int(known[1:]) - parts), int(known[1:])))


def varga(name: object) -> VargaName:
    """`name` if the module knows this divisional chart, else UnknownName with the closest accepted name."""
    return cast(VargaName, _check("varga", name, VARGAS, lambda text: _module.compute_varga(0.0, text),
                                  suggest=closest_varga))


def language(name: object) -> LanguageName:
    """`name` if the module knows this language, else UnknownName with the closest accepted code or name."""
    return cast(LanguageName, _check("language", name, LANGUAGES + LANGUAGE_NAMES,
                                     lambda text: _module.sign_name(0, text), LANGUAGES))


def vimshopaka_group(name: object) -> VargaGroupName:
    """`name` if the module knows this group of vargas, else UnknownName with the closest accepted name."""
    return cast(VargaGroupName, _check("Vimshopaka group", name, VIMSHOPAKA_GROUPS,
                                       lambda text: _module.vimshopaka_bala([0.0] * 9, text)))


def _known_node(text: str) -> None:
    if text.lower() not in NODES:
        raise ValueError(text)


def node(name: object) -> NodeName:
    """`name` if it names a lunar node the module reads as Rahu ("mean", "true", any case), else UnknownName."""
    return cast(NodeName, _check("node", name, NODES, _known_node).lower())


def body(name: object) -> GrahaName:
    """The body `name` spelled as the chart spells it ("rahu" → "Rahu"), else UnknownName with the closest."""
    if not isinstance(name, str):
        raise TypeError(f"body must be a str, not {type(name).__name__}")
    found = _BODY_KEYS.get(name.strip().lower())
    if found is None:
        raise UnknownName("body", name, BODIES, closest(name, BODIES))
    return cast(GrahaName, found)


Name = TypeVar("Name", bound=str)


def choice(kind: str, name: object, accepted: Sequence[Name]) -> Name:
    """`name` as `accepted` spells it (compared without case), else UnknownName with the closest accepted name."""
    if not isinstance(name, str):
        raise TypeError(f"{kind} must be a str, not {type(name).__name__}")
    found = {item.lower(): item for item in accepted}.get(name.strip().lower())
    if found is None:
        raise UnknownName(kind, name, accepted, closest(name, accepted))
    return found
