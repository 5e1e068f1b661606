"""Writes the `Literal` types of the names the module accepts, read from the core's name tables, so that a type
checker refuses a misspelt name ("Lahari") where the module would refuse it at run time:

    zentaric_chart/_literals.py        the package's public aliases (AyanamshaName, HouseSystemName, ...)
    zentaric-stubs/__init__.pyi        the stubs' private aliases (_Ayanamsha, ...), between two marker lines

Each alias lists, row by row, the row's name, that name in lower case and the row's further spellings, as the
table spells them. The module compares names without case (some tables also without blanks, '_' and '-'), so it
accepts more spellings than the alias ("LAHIRI", "D9"): a caller holding such a text passes it through a
`zentaric_chart` checker, whose result has the alias's type.

    python3 tools/gen_name_literals.py     (plain Python; tools/check_tables.py proves the files current)
"""
import os
import re

from table_source import REPO_ROOT

# (package alias, stubs alias, header, table, what the names are)
TABLES = [
    ("AyanamshaName", "_Ayanamsha", "src/sidereal/ayanamsha.hpp", "AYANAMSHA_TABLE", "ayanamshas"),
    ("HouseSystemName", "_HouseSystem", "src/houses/house_system.hpp", "HOUSE_SYSTEM_TABLE", "house systems"),
    ("VargaName", "_Varga", "src/vedic/varga.hpp", "VARGA_TABLE", "the sixteen vargas"),
    ("VargaGroupName", "_VargaGroup", "src/vedic/vedic_dignity.hpp", "VARGA_GROUP_TABLE",
     "groups of vargas of the Vimshopaka bala"),
    ("LanguageName", "_Language", "locale/names.hpp", "LANGUAGE_TABLE", "languages of the name tables"),
    ("NameTableName", "_NameTable", "locale/names.hpp", "PANCHANGA_NAMES_TABLE", "panchanga name tables"),
    ("NodeName", "_Node", "src/chart/lunar_node.hpp", "LUNAR_NODE_TABLE", "lunar nodes read as Rahu"),
    ("DashaSystemName", "_DashaSystem", "src/vedic/dasha_system.hpp", "DASHA_SYSTEM_TABLE", "dasha systems"),
    ("DashaYearName", "_DashaYear", "src/vedic/dasha_system.hpp", "DASHA_YEAR_TABLE", "lengths of the dasha year"),
    ("ConventionName", "_Convention", "src/moments/rise_set.hpp", "HORIZON_CONVENTION_TABLE",
     "conventions of rising and setting"),
    ("MomentBodyName", "_MomentBody", "src/moments/sky.hpp", "MOMENT_BODY_TABLE",
     "bodies of the moments (events, crossings, rising and setting)"),
    ("EventKindName", "_EventKind", "src/moments/events.hpp", "EVENT_KIND_TABLE", "kinds of events"),
    ("RequiredStrengthName", "_RequiredStrength", "src/vedic/shadbala.hpp", "REQUIRED_STRENGTH_TABLE",
     "required shadbala minimums"),
]
# The chart's nine bodies: the English column of the planet names (the chart's order is the package's own).
GRAHA_TABLE = ("GrahaName", "_GrahaName", "locale/planets.cpp", "PLANET_ROWS", "the chart's bodies (grahas)")

PACKAGE_OUTPUT = "zentaric_chart/_literals.py"
STUBS_OUTPUT = "zentaric-stubs/__init__.pyi"
STUBS_BEGIN = ("# Names the module's tables accept: written by tools/gen_name_literals.py, do not edit down to the "
               "end mark.")
STUBS_END = "# End of the names written by tools/gen_name_literals.py."
WIDTH = 116


def _table_text(header, table):
    """The text between the braces of `table`'s initializer in `header`."""
    with open(os.path.join(REPO_ROOT, header), encoding="utf-8") as source:
        text = source.read()
    start = re.search(r"\b%s\b[^;=]*=?\s*(?:\[\]\s*\{[^{]*return[^{]*)?\{\{" % table, text)
    if start is None:
        raise ValueError("%s: no table %s" % (header, table))
    depth, position = 2, start.end()
    while depth:
        depth += {"{": 1, "}": -1}.get(text[position], 0)
        position += 1
    return text[start.end():position - 2]


def row_names(header, table):
    """Each row's name and further spellings, in row order, as the table spells them."""
    rows = []
    for match in re.finditer(r"\{\s*\w+::\w+,\s*\"([^\"]+)\",\s*\{([^{}]*)\}", _table_text(header, table)):
        rows.append([match[1], *re.findall(r"\"([^\"]+)\"", match[2])])
    if not rows:
        raise ValueError("%s: no rows read from %s" % (header, table))
    return rows


def graha_names():
    body = _table_text(GRAHA_TABLE[2], GRAHA_TABLE[3])
    return [[row] for row in re.findall(r"^\s*\{\"([^\"]+)\"", body, re.MULTILINE)]


def accepted(rows):
    """The names of the alias: each row's name, its lower case and its further spellings, once each."""
    return list(dict.fromkeys(name for row in rows for name in (row[0], row[0].lower(), *row[1:])))


def _alias(name, names, comment):
    return "#: %s\n" % comment + _wrapped("%s: TypeAlias = Literal[" % name, ['"%s"' % item for item in names])


def _wrapped(opening, items):
    """`opening`, the items separated by commas and "]", in lines of at most WIDTH characters."""
    lines = []
    line = opening
    for position, item in enumerate(items):
        piece = item + ("]" if position == len(items) - 1 else ",")
        if len(line) + 1 + len(piece) > WIDTH:
            lines.append(line)
            line = "    " + piece
        else:
            line += ("" if line.endswith("[") else " ") + piece
    lines.append(line)
    return "\n".join(lines) + "\n"


def _aliases(stubs):
    parts = []
    for package_name, stubs_name, header, table, what in [*TABLES, GRAHA_TABLE]:
        rows = graha_names() if table == "PLANET_ROWS" else row_names(header, table)
        parts.append(_alias(stubs_name if stubs else package_name, accepted(rows), "%s (%s %s)" % (what, header,
                                                                                                   table)))
    return parts


def package_text():
    names = [package for package, *_ in [*TABLES, GRAHA_TABLE]]
    head = ('"""The names the module accepts, as `Literal` types, written by tools/gen_name_literals.py from the\n'
            "core's name tables (do not edit; tools/check_tables.py proves this file current). Each lists a row's\n"
            "name, its lower case and its further spellings; the module also takes them in any case.\n"
            '"""\n'
            "from typing import Literal, TypeAlias\n\n")
    listed = _wrapped("__all__ = [", ['"%s"' % name for name in names])
    return head + listed + "\n" + "\n".join(_aliases(stubs=False))


def stubs_text(current):
    """The stubs with the block between the marker lines written anew."""
    block = STUBS_BEGIN + "\n" + "\n".join(_aliases(stubs=True)) + STUBS_END
    pattern = re.compile(re.escape(STUBS_BEGIN) + r".*?" + re.escape(STUBS_END), re.DOTALL)
    if pattern.search(current) is None:
        raise ValueError("%s: the marker lines of the generated names are missing" % STUBS_OUTPUT)
    return pattern.sub(lambda _: block, current)


def outputs():
    with open(os.path.join(REPO_ROOT, STUBS_OUTPUT), encoding="utf-8", newline="") as stubs:
        current = stubs.read()
    return {PACKAGE_OUTPUT: package_text(), STUBS_OUTPUT: stubs_text(current)}


if __name__ == "__main__":
    from table_source import write_source

    for relative_path, text in outputs().items():
        write_source(relative_path, text)
