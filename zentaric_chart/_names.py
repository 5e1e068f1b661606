"""Names a caller may pass (ayanamsha, house system, varga, language), checked before the module sees them.

The module decides which spellings it accepts; the lists here only serve to tell a caller, when a name is refused,
which names exist and which one is closest to what was typed.
"""
from __future__ import annotations

import difflib
from collections.abc import Callable, Sequence

import zentaric

AYANAMSHAS: tuple[str, ...] = ("Lahiri", "Raman", "Krishnamurti", "FaganBradley", "Tropical")
HOUSE_SYSTEMS: tuple[str, ...] = ("Placidus", "Koch", "Equal", "WholeSign", "Campanus", "Regiomontanus",
                                  "Porphyry", "Morinus", "Alcabitius", "Sripathi")
VARGAS: tuple[str, ...] = ("rashi", "navamsha", "dashamsha", "dwadashamsha", "shashtiamsha",
                           "d1", "d9", "d10", "d12", "d60")
LANGUAGES: tuple[str, ...] = ("en", "hi", "sa", "ta", "te", "kn", "bn")
LANGUAGE_NAMES: tuple[str, ...] = ("english", "hindi", "sanskrit", "tamil", "telugu", "kannada", "bengali")


class UnknownName(ValueError):
    """A name the module does not accept; `kind` says what it names, `suggestion` is the closest accepted name."""

    def __init__(self, kind: str, given: str, accepted: Sequence[str], suggestion: str | None) -> None:
        hint = f"; did you mean {suggestion!r}?" if suggestion else ""
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


def _check(kind: str, given: object, accepted: Sequence[str], probe: Callable[[str], object],
           shown: Sequence[str] | None = None) -> str:
    if not isinstance(given, str):
        raise TypeError(f"{kind} must be a str, not {type(given).__name__}")
    try:
        probe(given)
    except ValueError:
        raise UnknownName(kind, given, shown or accepted, closest(given, accepted)) from None
    return given


def ayanamsha(name: object) -> str:
    """`name` if the module knows this ayanamsha, else UnknownName with the closest accepted name."""
    return _check("ayanamsha", name, AYANAMSHAS, lambda text: zentaric.get_ayanamsha(text))


def house_system(name: object) -> str:
    """`name` if the module knows this house system, else UnknownName with the closest accepted name."""
    return _check("house system", name, HOUSE_SYSTEMS, lambda text: zentaric.compute_houses(0.0, 0.0, 23.44, text))


def varga(name: object) -> str:
    """`name` if the module knows this divisional chart, else UnknownName with the closest accepted name."""
    return _check("varga", name, VARGAS, lambda text: zentaric.compute_varga(0.0, text))


def language(name: object) -> str:
    """`name` if the module knows this language, else UnknownName with the closest accepted code or name."""
    return _check("language", name, LANGUAGES + LANGUAGE_NAMES, lambda text: zentaric.sign_name(0, text), LANGUAGES)
