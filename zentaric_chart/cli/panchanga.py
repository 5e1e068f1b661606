"""`zentaric panchanga`: the panchanga of a day or of consecutive days at a place, as text, JSON or CSV; or a month
as a calendar page (SVG)."""
from __future__ import annotations

import argparse
import csv
import dataclasses
import io
import json
from datetime import date, datetime, timedelta, tzinfo
from typing import Any

from zentaric_chart import _names
from zentaric_chart._panchanga_words import word
from zentaric_chart.birth import Place, zone
from zentaric_chart.cli.common import (UsageError, ayanamsha_option, check_output, day_range, day_range_options,
                                       first_day_option, name, write_output)
from zentaric_chart.panchanga import (CONVENTIONS, FLAT_COLUMNS, Interval, Limb, Masa, Panchanga, _labels, flat_row,
                                      panchanga_range)
from zentaric_chart.text import filled, width

#: The most days one command computes (about 270 years).
MOST_DAYS = 100_000
#: The limbs as the text prints them, one row each.
LIMB_KINDS = ("tithi", "nakshatra", "yoga", "karana")


def add_parser(subcommands: Any) -> argparse.ArgumentParser:
    parser: argparse.ArgumentParser = subcommands.add_parser(
        "panchanga", help="tithi, nakshatra, yoga, karana, kalams and lunar month of each day at a place")
    when = parser.add_mutually_exclusive_group(required=True)
    day_range_options(parser, when, "the first local date")
    when.add_argument("--month", help="a whole month, YYYY-MM (with --format svg: its calendar page)")
    parser.add_argument("--lat", required=True, type=float, help="latitude, degrees north (-90..90)")
    parser.add_argument("--lon", required=True, type=float, help="longitude, degrees east (-180..180)")
    parser.add_argument("--tz", required=True, help="IANA time zone, such as Asia/Kolkata")
    parser.add_argument("--elevation", type=float, default=0.0, help="metres above sea level (default 0)")
    parser.add_argument("--convention", type=str.lower, choices=CONVENTIONS, default="hindu",
                        help="sunrise: hindu (centre of the disc, no refraction; default) or civil (upper limb)")
    ayanamsha_option(parser)
    parser.add_argument("--lang", default="en",
                        help="language of the names and of the text's words: en hi sa ta te kn bn (default en)")
    parser.add_argument("--format", choices=("text", "json", "csv", "svg"), default="text")
    parser.add_argument("-o", "--output", help="write to this file instead of standard output")
    return parser


def _days(args: argparse.Namespace) -> tuple[date, date]:
    if args.month is not None:
        try:
            first = date.fromisoformat(args.month + "-01")
        except ValueError:
            raise UsageError("--month", f"{args.month!r} is not a month such as 2026-12") from None
        if args.stop is not None or args.days is not None:
            raise UsageError("--to" if args.days is None else "--days", "a --month is a whole month already")
        following = (first.replace(day=28) + timedelta(days=4)).replace(day=1)
        return first, following - timedelta(days=1)
    return day_range(args, MOST_DAYS)


def _clock(moment: datetime | None, day: date) -> str:
    """HH:MM:SS, with the date when it is not `day`; "-" when there is none."""
    if moment is None:
        return "-"
    # the date by isoformat: strftime's %Y does not pad a year before 1000 (2-01-02 for 0002-01-02)
    return f"{moment:%H:%M:%S}" if moment.date() == day else f"{moment.date().isoformat()} {moment:%H:%M:%S}"


def day_text(p: Panchanga) -> str:
    """A day as lines of text, the field words in the day's language, each line within 80 columns on screen."""
    d, language = p.day, p.language

    def said(key: str) -> str:
        return word(key, language)

    def until(moment: datetime | None) -> str:
        return said("until").format(_clock(moment, d))

    def limb(one: Limb) -> str:
        return f"{one.label} ({one.number}) {until(one.end)}"

    def span(key: str, interval: Interval) -> str:
        return f"{said(key)} {_clock(interval.start, d)}-{_clock(interval.end, d)}"

    def month(masa: Masa) -> str:
        return f"{said('adhika')} {masa.label}" if masa.adhika else masa.label  # as almanacs say it: adhika Shravana

    lines = [f"{d.isoformat()} {p.vara.label}"]
    for moments in ((("sunrise", p.sunrise), ("sunset", p.sunset), ("next sunrise", p.next_sunrise)),
                    (("moonrise", p.moonrise), ("moonset", p.moonset))):
        lines += filled([f"{said(key)} {_clock(moment, d)}" for key, moment in moments], "  ", "  ")
    column = max(width(said(key)) for key in LIMB_KINDS) + 2
    for key in LIMB_KINDS:
        limbs: tuple[Limb, ...] = getattr(p, key + "s")
        first = limb(limbs[0]) if key != "tithi" else f"{said(p.paksha)} {limb(limbs[0])}"
        lines.append(f"  {said(key)}{' ' * (column - width(said(key)))}{first}")  # a limb a line
        lines += [f"{' ' * (column + 2)}{said('then')} {limb(later)}" for later in limbs[1:]]
    lines += filled([span(key, getattr(p, key.replace(" ", "_"))) for key in (
        "rahu kalam", "yamaganda", "gulika kalam", "abhijit", "brahma muhurta")], "  ", "  ")
    masa = f"{said('masa')} {month(p.masa)}"
    if p.masa.kshaya:
        skipped = _labels("masa", language)[_labels("masa", "en").index(p.masa.kshaya)]
        masa += f", {skipped} {said('kshaya')}"
    lines += filled([f"{masa} ({said('amanta')})", f"{month(p.purnimanta_masa)} ({said('purnimanta')})",
                     f"{said('ritu')} {p.ritu.label}", said(p.ayana)], "  ", "  ")
    return "\n".join(lines)


def _plain(value: object) -> object:
    if isinstance(value, (datetime, date)):
        return value.isoformat()
    if isinstance(value, tzinfo):
        return str(value)
    if isinstance(value, dict):
        return {key: _plain(item) for key, item in value.items()}
    if isinstance(value, (list, tuple)):
        return [_plain(item) for item in value]
    return value


def document(args: argparse.Namespace) -> str:
    first, last = _days(args)
    try:
        zone(args.tz)
    except _names.UnknownName as error:
        raise UsageError("--tz", str(error)) from None
    ayanamsha = name("--ayanamsha", _names.ayanamsha, args.ayanamsha)
    language = name("--lang", _names.language, args.lang)
    try:
        place = Place(args.lat, args.lon, args.tz, args.elevation)
        days = panchanga_range(first, last, place, args.convention, ayanamsha, language)
    except ValueError as error:
        message = str(error)
        option = {"latitude": "--lat", "longitude": "--lon", "elevation": "--elevation"}.get(
            message.split(" ", 1)[0], "--ayanamsha" if "sidereal zodiac" in message else first_day_option(args))
        raise UsageError(option, message) from None
    if not days:
        raise UsageError(first_day_option(args), f"{first.isoformat()} is not a day in {args.tz}: its clocks "
                                                 "skipped it")
    if args.format == "json":
        return json.dumps([_plain(dataclasses.asdict(p)) for p in days], ensure_ascii=False, indent=1)
    if args.format == "csv":
        out = io.StringIO()
        writer = csv.DictWriter(out, FLAT_COLUMNS, lineterminator="\n")
        writer.writeheader()
        for p in days:
            writer.writerow({key: _plain(value) for key, value in flat_row(p).items()})
        return out.getvalue().rstrip("\n")
    if args.format == "svg":
        if args.month is None:
            raise UsageError("--format", "svg draws a month: give --month YYYY-MM")
        from zentaric_chart.drawing_month import month_page
        return month_page(days, language)
    return "\n\n".join(day_text(p) for p in days)


def run(args: argparse.Namespace) -> None:
    check_output(args.output)
    write_output(args.output, document(args) + "\n")
