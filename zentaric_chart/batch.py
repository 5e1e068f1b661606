"""Many charts at once: a table of births in, one row of chart columns per birth out, on all cores.

    charts = charts_frame(births)                        # pandas DataFrame in, DataFrame out
    dask.dataframe.from_pandas(births).map_partitions(charts_frame)   # the same function per partition

`births` has a `time` column (an aware datetime, a naive one, or ISO-8601 text), optionally `tz` (the IANA zone a
naive time is read in; naive times without one are UTC) and `fold`, and `latitude`, `longitude`. Every birth goes
through `Birth` and the module's `compute_natal_numbers` at `Birth.utc`, and its columns hold exactly what `natal`
shows for it: `<body>_<field>` for the bodies of `Chart.bodies` and the fields of `BODY_FIELDS`, `lagna_<field>`,
the cusps in both zodiacs, and `utc`, `julian_day`, `ayanamsha_value`, `polar_fallback`. A birth that cannot be
computed gets its message in `error` and missing values elsewhere; the other rows go on.

The worker side (`chart_rows`) needs only the standard library and the module; pandas is imported by the functions
that take or make frames, so that pool workers start quickly.
"""
from __future__ import annotations

import ast
import contextlib
import csv
import importlib
import math
import multiprocessing
import os
import select
import signal
import struct
import sys
import threading
import time
import types
import warnings
from collections.abc import Callable, Iterator, Mapping, Sequence
from concurrent.futures import FIRST_COMPLETED, Future, ProcessPoolExecutor, wait
from datetime import UTC, date, datetime, timedelta
from typing import Any, BinaryIO

import zentaric

from zentaric_chart import _names
from zentaric_chart._files import replacing
from zentaric_chart._literals import AyanamshaName, DashaSystemName, HouseSystemName, NodeName
from zentaric_chart.birth import MAX_YEAR, MIN_YEAR, Birth, utc_minute

#: Chart bodies in `Chart.bodies` order, as column prefixes.
BODIES: tuple[str, ...] = ("sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "rahu", "ketu")
#: Per body, in column order; each is the `Body` attribute of the same name.
BODY_FIELDS: tuple[str, ...] = ("longitude", "sign", "sign_index", "degree", "nakshatra", "nakshatra_index", "pada",
                                "house", "dignity", "retrograde", "speed", "latitude", "distance")
#: Of the lagna, each the `Lagna` attribute of the same name.
LAGNA_FIELDS: tuple[str, ...] = ("longitude", "sign", "sign_index", "degree", "nakshatra", "nakshatra_index", "pada")

#: Texts of the module, by the index it gives them: the English sign names and nakshatra display names.
SIGNS: tuple[str, ...] = tuple(zentaric.sign_name(index) for index in range(12))
NAKSHATRAS: tuple[str, ...] = tuple(zentaric.get_nakshatra(index * 40.0 / 3.0 + 1.0)["nakshatra"]
                                    for index in range(27))
DIGNITIES: tuple[str, ...] = ("Domicile", "Exaltation", "Detriment", "Fall", "Peregrine")

#: Kind of each field: "float", "whole" (an integer), "flag", or the table whose index it holds.
_FIELD_KINDS = {"sign": "SIGNS", "nakshatra": "NAKSHATRAS", "dignity": "DIGNITIES", "sign_index": "whole",
                "nakshatra_index": "whole", "pada": "whole", "house": "whole", "retrograde": "flag"}

#: Every output column and the kind of its values, in order: "float", "whole" (nullable Int64), "flag" (nullable
#: boolean), "minute" (the UTC datetime), "text" (the error), or a table above (a categorical of its names). The
#: dtypes are the same whatever the rows hold (an empty frame, a frame of errors), so that partitions of a Dask
#: frame agree with the frame's meta.
COLUMNS: dict[str, str] = {
    "utc": "minute",
    "julian_day": "float",
    "ayanamsha_value": "float",
    **{f"{body}_{field}": _FIELD_KINDS.get(field, "float") for body in BODIES for field in BODY_FIELDS},
    **{f"lagna_{field}": _FIELD_KINDS.get(field, "float") for field in LAGNA_FIELDS},
    **{f"cusp_{house}": "float" for house in range(1, 13)},
    **{f"cusp_{house}_tropical": "float" for house in range(1, 13)},
    "asc_tropical": "float",
    "mc_longitude": "float",
    "mc_tropical": "float",
    "polar_fallback": "flag",
    "error": "text",
}


def _packed_as(column: str) -> str:
    """The column whose number `column` shares: `<x>_sign` that of `<x>_sign_index`, `<x>_nakshatra` that of
    `<x>_nakshatra_index` (a name's code is its index)."""
    return column + "_index" if column.endswith(("_sign", "_nakshatra")) else column


#: Where each column's number is in a computed row: every column but `error` as a double (texts as their table
#: index, flags as 0 or 1, the UTC time as minutes since 1970), so that a worker sends back one array of doubles.
_PACKED = [column for column in COLUMNS if column != "error" and _packed_as(column) == column]
_SLOTS = {column: _PACKED.index(_packed_as(column)) for column in COLUMNS if column != "error"}
_WIDTH = len(_PACKED)
_FAILED = struct.pack(f"={_WIDTH}d", *(math.nan,) * _WIDTH)
_MINUTES = struct.Struct("=d")  # the first column; the module's row of numbers holds the others
_EPOCH = datetime(1970, 1, 1, tzinfo=UTC)
_MINUTE = timedelta(minutes=1)

#: Input columns: required, then optional.
REQUIRED_COLUMNS = ("time", "latitude", "longitude")
OPTIONAL_COLUMNS = ("tz", "fold")

#: Below this many births one process does the work: starting a pool and its workers takes 0.2-0.5 s, the work of
#: 1,000-3,000 charts (a chart and its row cost about 0.17 ms of CPU).
POOL_FROM = 10_000
#: Births per task sent to a pool worker: at least MIN_CHUNK (about 0.08 s of work, against 1-3 ms measured to hand
#: a task over and send its rows back: 155 doubles a birth), at most MAX_CHUNK (so that the progress bar moves),
#: aiming at CHUNKS_PER_PROCESS tasks per process (so that the processes finish together).
MIN_CHUNK = 500
MAX_CHUNK = 5000
CHUNKS_PER_PROCESS = 16
#: A progress bar shows, when not asked for, from this many births on a terminal.
PROGRESS_FROM = 1000

#: Per-row failures that become the row's `error`; anything else (MemoryError, KeyboardInterrupt) stops the run.
_ROW_ERRORS = (ValueError, TypeError, OverflowError, ArithmeticError)

Row = tuple[float, ...]
Rows = tuple[bytes, list[str | None]]
Task = tuple[list[Any], list[Any], list[Any], list[Any], list[Any]]


def _needs(extra: str, module: str) -> ImportError:
    return ImportError(f"{module} is needed for many charts at once: install this package's {extra!r} extra from "
                       f"its own source (pip install '.[{extra}]' in its checkout, or '<its wheel>[{extra}]')")


def _pandas() -> Any:
    try:
        return importlib.import_module("pandas")
    except ImportError as error:
        raise _needs("batch", "pandas") from error


def require_pyarrow() -> None:
    try:
        importlib.import_module("pyarrow")
    except ImportError as error:
        raise _needs("batch", "pyarrow") from error


def _chart_row(utc: datetime, latitude: float, longitude: float, ayanamsha: AyanamshaName, houses: HouseSystemName,
               node: NodeName = "mean") -> bytes:
    """One birth's packed row (see _SLOTS) at the UTC minute `utc`: the minute, then the numbers of the module's
    chart record in the columns' order (`compute_natal_numbers`), the light path to what `natal` gives."""
    return _MINUTES.pack((utc - _EPOCH) // _MINUTE) + zentaric.compute_natal_numbers(
        utc.year, utc.month, utc.day, utc.hour, utc.minute, latitude, longitude, ayanamsha, houses, node)


def chart_rows(times: Sequence[Any], latitudes: Sequence[Any], longitudes: Sequence[Any], zones: Sequence[Any],
               folds: Sequence[Any], ayanamsha: AyanamshaName = "Lahiri",
               houses: HouseSystemName = "Placidus", node: NodeName = "mean") -> Rows:
    """The births' columns: all numbers as packed doubles, row after row (`_WIDTH` per birth, NaN for a birth that
    fails), and the error of each birth (None when it has its chart).

    A missing zone (None) reads a naive time as UTC; a missing fold is None. The names must have been checked.
    """
    numbers: list[bytes] = []
    errors: list[str | None] = []
    for when, latitude, longitude, zone, fold in zip(times, latitudes, longitudes, zones, folds, strict=True):
        utc = _plain_utc(when, latitude, longitude, zone, fold)
        if utc is not None:  # the common row, without Birth's readings: the same minute Birth would give
            numbers.append(_chart_row(utc, latitude, longitude, ayanamsha, houses, node))
            errors.append(None)
            continue
        try:
            birth = Birth(_given("time", when), _given("latitude", latitude), _given("longitude", longitude),
                          tz="UTC" if _blank(zone) else zone, fold=None if _blank(fold) else _fold(fold))
            numbers.append(_chart_row(birth.utc, birth.latitude, birth.longitude, ayanamsha, houses, node))
            errors.append(None)
        except _ROW_ERRORS as error:
            numbers.append(_FAILED)
            errors.append(str(error) or type(error).__name__)
    return b"".join(numbers), errors


def _plain_utc(when: Any, latitude: Any, longitude: Any, zone: Any, fold: Any) -> datetime | None:
    """The UTC minute of a birth that needs none of Birth's readings and checks (a datetime, aware or naive without
    a zone, so UTC; degrees that are floats in range; no fold), as Birth computes it; None for any other birth,
    which goes through Birth."""
    if (type(when) is not datetime or zone is not None or fold is not None or type(latitude) is not float
            or type(longitude) is not float or not (-90.0 <= latitude <= 90.0 and -180.0 <= longitude <= 180.0)
            or not MIN_YEAR <= when.year <= MAX_YEAR):
        return None
    try:
        minute = utc_minute(when.astimezone(UTC) if when.tzinfo is not None else when.replace(tzinfo=UTC))
    except OverflowError:
        return None
    return minute if MIN_YEAR <= minute.year <= MAX_YEAR else None


def _blank(value: Any) -> bool:
    """A missing cell: None, or text of blanks only (the text of an empty CSV cell)."""
    return value is None or (isinstance(value, str) and not value.strip())


def _given(column: str, value: Any) -> Any:
    if _blank(value):
        raise ValueError(f"{column} is missing")
    return value


def _fold(value: Any) -> int:
    """A fold cell: 0 or 1, as a number or its text ("1", "1.0")."""
    if isinstance(value, str):
        try:
            number = float(value)
        except ValueError:
            raise ValueError(f"fold {value!r} must be 0, 1 or empty") from None
        if number not in (0.0, 1.0):
            raise ValueError(f"fold {value!r} must be 0, 1 or empty")
        return int(number)
    return value  # type: ignore[no-any-return]  # a number: Birth judges it


def _chart_task(task: Task, ayanamsha: AyanamshaName, houses: HouseSystemName, node: NodeName = "mean") -> Rows:
    return chart_rows(*task, ayanamsha=ayanamsha, houses=houses, node=node)


def _part(task: Task, start: int, size: int) -> Task:
    times, latitudes, longitudes, zones, folds = (column[start:start + size] for column in task)
    return times, latitudes, longitudes, zones, folds


def _missing(value: Any) -> bool:
    """True for None, NaN, NaT and pandas.NA."""
    if value is None:
        return True
    try:
        return bool(value != value)  # NaN and NaT are not equal to themselves; NA makes bool() raise
    except TypeError:
        return True


def _plain_times(column: Any) -> list[Any]:
    """The time column as datetimes or texts (None where missing)."""
    pandas = _pandas()
    if isinstance(column.dtype, pandas.DatetimeTZDtype) or str(column.dtype).startswith("datetime64"):
        column = column.dt.floor("us")  # the module works to the minute; datetime holds microseconds
        return [None if _missing(value) else value.to_pydatetime() for value in column]
    return [None if _missing(value) else value.to_pydatetime() if isinstance(value, pandas.Timestamp) else value
            for value in column]


def _number(value: Any) -> Any:
    """A numpy number as a Python float (for pickling and for Birth); anything else as it is."""
    return float(value) if isinstance(value, float) else value


def _whole(value: Any) -> Any:
    """1.0 as 1 (a column with gaps holds floats); anything else as it is, for `Birth` to judge."""
    return int(value) if isinstance(value, float) and value.is_integer() else value


def _inputs(births: Any) -> tuple[Any, Task]:
    """The births' index and their five input columns as plain lists."""
    pandas = _pandas()
    if not isinstance(births, (pandas.DataFrame, Mapping)):
        raise TypeError(f"births must be a pandas DataFrame or a mapping of columns, not {type(births).__name__}")
    frame = births if isinstance(births, pandas.DataFrame) else pandas.DataFrame(births)
    absent = [name for name in REQUIRED_COLUMNS if name not in frame.columns]
    if absent:
        raise ValueError(f"births needs the columns {', '.join(REQUIRED_COLUMNS)} (optional: "
                         f"{', '.join(OPTIONAL_COLUMNS)}); missing: {', '.join(absent)}")
    length = len(frame)

    def column(name: str, convert: Callable[[Any], Any] = lambda value: value) -> list[Any]:
        """The cells as plain values, None where missing; each is judged on its own row."""
        if name not in frame.columns:
            return [None] * length
        return [None if _missing(value) else convert(value) for value in frame[name]]

    return frame.index, (_plain_times(frame["time"]), column("latitude", _number), column("longitude", _number),
                         column("tz"), column("fold", _whole))


def _inside_worker() -> bool:
    """True in a worker process (a Dask worker, a multiprocessing child) or off the main thread (Dask's threaded
    scheduler): there the work already runs beside other work."""
    return (multiprocessing.parent_process() is not None or multiprocessing.current_process().daemon
            or threading.current_thread() is not threading.main_thread())


def default_processes() -> int:
    """All usable cores in a program's main thread; 1 inside a worker, where a pool of its own would only compete
    with the other workers for the same cores (and a daemon process may not start one)."""
    if _inside_worker():
        return 1
    try:
        return max(1, len(os.sched_getaffinity(0)))
    except AttributeError:  # no affinity on this platform
        return os.cpu_count() or 1


def chunk_size(births: int, processes: int) -> int:
    """Births per pool task (see MIN_CHUNK, MAX_CHUNK and CHUNKS_PER_PROCESS)."""
    return max(MIN_CHUNK, min(MAX_CHUNK, math.ceil(births / (processes * CHUNKS_PER_PROCESS))))


def processes_used(births: int, processes: int) -> int:
    """How many processes `charts_frame` runs for this many births when allowed `processes`."""
    if processes <= 1 or births < POOL_FROM:
        return 1
    return min(processes, math.ceil(births / chunk_size(births, processes)))


def _pool_context() -> Any:
    """Workers from a fork server where there is one, else spawned: never a fork of this process, whose threads
    (numpy's, a progress bar's, a caller's) a child could not safely inherit."""
    return multiprocessing.get_context("forkserver" if "forkserver" in multiprocessing.get_all_start_methods()
                                       else "spawn")


def _start_fork_server(context: Any) -> None:
    """The fork server started (where the pool forks its workers from one) ignoring Ctrl-C, as the workers do: a
    Ctrl-C while the server still imported its modules ended it with a traceback on the terminal. The server keeps
    the disposition it starts with; this process ignores Ctrl-C only while it spawns the server (from the main
    thread, the one that may set it)."""
    if context.get_start_method() != "forkserver" or threading.current_thread() is not threading.main_thread():
        return
    from multiprocessing import forkserver
    previous = signal.signal(signal.SIGINT, signal.SIG_IGN)
    try:
        forkserver.ensure_running()
    finally:
        if previous is not None:  # None: a handler set outside Python, which cannot be put back from here
            signal.signal(signal.SIGINT, previous)


def _start_worker(parent: int) -> None:
    """In each pool worker: Ctrl-C is the parent's to handle, and the worker ends as soon as the parent process
    does, however it ends (a killed parent cannot shut its pool down, and the workers would wait for tasks for
    ever, holding the terminal's pipes open)."""
    signal.signal(signal.SIGINT, signal.SIG_IGN)
    threading.Thread(target=_end_with, args=(parent,), name="zentaric-parent-watch", daemon=True).start()


def _end_with(parent: int) -> None:
    try:
        watched = os.pidfd_open(parent)
    except ProcessLookupError:
        os._exit(1)
    except (AttributeError, OSError):  # no pidfd (not Linux, or Linux before 5.3): look every half second
        while _alive(parent):
            time.sleep(0.5)
        os._exit(1)
    select.select([watched], [], [])  # readable once the parent has ended
    os._exit(1)


def _alive(pid: int) -> bool:
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        pass
    return True


def _is_main_guard(statement: ast.stmt) -> bool:
    """Whether a top-level statement is `if __name__ == "__main__":`."""
    if not isinstance(statement, ast.If) or not isinstance(statement.test, ast.Compare):
        return False
    sides = [statement.test.left, *statement.test.comparators]
    return ({ast.dump(side) for side in sides} == {ast.dump(ast.Name("__name__")), ast.dump(ast.Constant("__main__"))}
            and isinstance(statement.test.ops[0], ast.Eq))


def unguarded_script_call() -> bool:
    """Whether this call comes from the top level of a script file outside `if __name__ == "__main__":`. Pool
    workers start afresh and import the main script again (as Python's multiprocessing does, unless the script
    runs under `-m`): such a script would run its own call again in every worker."""
    main = sys.modules.get("__main__")
    path = getattr(main, "__file__", None)
    if main is None or path is None or getattr(main, "__spec__", None) is not None:
        return False  # an interactive session or a notebook (nothing re-imported), or `python -m` (run by name)
    frame: types.FrameType | None = sys._getframe(1)
    while frame is not None and not (frame.f_code.co_name == "<module>" and frame.f_globals is vars(main)):
        frame = frame.f_back
    if frame is None:
        return False
    try:
        with open(path, encoding="utf-8") as script:
            tree = ast.parse(script.read())
    except (OSError, SyntaxError, ValueError):
        return False
    line = frame.f_lineno
    for statement in tree.body:
        if statement.lineno <= line <= (statement.end_lineno or statement.lineno):
            return not _is_main_guard(statement)
    return False


def _run(task: Task, ayanamsha: AyanamshaName, houses: HouseSystemName, processes: int, advance: Callable[[int], None],
         node: NodeName = "mean") -> Rows:
    """The rows of all births, in input order; `advance` is told how many births are done as they finish."""
    count = len(task[0])
    if processes_used(count, processes) > 1 and unguarded_script_call():
        warnings.warn("charts_frame computes in one process: the script calls it outside "
                      "`if __name__ == \"__main__\":`, and worker processes would run the script again; "
                      "put the call under that guard to use all cores", RuntimeWarning, stacklevel=3)
        processes = 1
    if processes_used(count, processes) == 1:
        parts: list[Rows] = []
        step = max(1, min(MIN_CHUNK, count // 100))
        for start in range(0, count, step):
            parts.append(_chart_task(_part(task, start, step), ayanamsha, houses, node))
            advance(len(parts[-1][1]))
        return _joined(parts)
    size = chunk_size(count, processes)
    starts = range(0, count, size)
    context = _pool_context()
    _start_fork_server(context)
    with ProcessPoolExecutor(processes_used(count, processes), mp_context=context,
                             initializer=_start_worker, initargs=(os.getpid(),)) as pool:
        futures: dict[Future[Rows], int] = {
            pool.submit(_chart_task, _part(task, start, size), ayanamsha, houses, node): start
            for start in starts}
        done: dict[int, Rows] = {}
        pending = set(futures)
        try:
            while pending:  # again if a handler returned instead of raising
                with _signals_held() as held:
                    while pending and not held:
                        finished, pending = wait(pending, timeout=0.1, return_when=FIRST_COMPLETED)
                        for future in finished:
                            done[futures[future]] = future.result()
                            advance(len(done[futures[future]][1]))
        except BaseException:
            for future in pending:
                future.cancel()
            raise
    return _joined([done[start] for start in starts])


@contextlib.contextmanager
def _signals_held() -> Iterator[list[int]]:
    """Ctrl-C and SIGTERM noted while the pool's results are awaited, and acted on (their handlers run) once the
    wait is left. Raised inside `wait`, they could leave a future's lock held, and the pool's shutdown then waited
    for ever. Only the main thread may set handlers; elsewhere the signals act as they are."""
    if threading.current_thread() is not threading.main_thread():
        yield []
        return
    held: list[int] = []
    previous = {number: signal.getsignal(number) for number in (signal.SIGINT, signal.SIGTERM)}
    for number, handler in previous.items():
        if handler is not signal.SIG_IGN and handler is not None:
            signal.signal(number, lambda received, frame: held.append(received))
    try:
        yield held
    finally:
        for number, handler in previous.items():
            if handler is not None:
                signal.signal(number, handler)
        if held:
            signal.raise_signal(held[0])


def _joined(parts: list[Rows]) -> Rows:
    return b"".join(part[0] for part in parts), [error for part in parts for error in part[1]]


def _dtype(kind: str) -> Any:
    pandas = _pandas()
    tables = {"SIGNS": SIGNS, "NAKSHATRAS": NAKSHATRAS, "DIGNITIES": DIGNITIES}
    if kind in tables:
        return pandas.CategoricalDtype(tables[kind])
    return {"float": "float64", "whole": "Int64", "flag": "boolean", "minute": "datetime64[us, UTC]",
            "text": pandas.StringDtype()}[kind]


def _frame(index: Any, rows: Rows) -> Any:
    """The output frame: COLUMNS with their dtypes, one row per birth, on `index`."""
    pandas = _pandas()
    import numpy
    numbers, errors = rows
    table = numpy.frombuffer(numbers, dtype=numpy.float64).reshape(len(errors), _WIDTH)
    data: dict[str, Any] = {}
    for name, kind in COLUMNS.items():
        if kind == "text":
            data[name] = pandas.array(errors, dtype=_dtype(kind))
            continue
        values = table[:, _SLOTS[name]]
        missing = numpy.isnan(values)
        whole = numpy.where(missing, 0, values).astype(numpy.int64)
        if kind == "float":
            data[name] = values.copy()
        elif kind == "whole":
            data[name] = pandas.arrays.IntegerArray(whole, missing)
        elif kind == "flag":
            data[name] = pandas.arrays.BooleanArray(whole.astype(bool), missing)
        elif kind == "minute":
            microseconds = numpy.where(missing, numpy.iinfo(numpy.int64).min, whole * 60_000_000)
            data[name] = pandas.array(microseconds.view("datetime64[us]")).tz_localize("UTC")
        else:
            data[name] = pandas.Categorical.from_codes(numpy.where(missing, -1, whole), dtype=_dtype(kind))
    return pandas.DataFrame(data, index=index, copy=False)


class _Progress:
    """A tqdm bar on stderr (the one the command line uses), or nothing."""

    def __init__(self, total: int, show: bool) -> None:
        self.bar: Any = None
        if show:
            from tqdm import tqdm
            self.bar = tqdm(total=total, unit="chart", file=sys.stderr, smoothing=0.1)

    def advance(self, count: int) -> None:
        if self.bar is not None:
            self.bar.update(count)

    def close(self) -> None:
        if self.bar is not None:
            self.bar.close()


def charts_frame(births: Any, ayanamsha: AyanamshaName = "Lahiri", houses: HouseSystemName = "Placidus",
                 processes: int | None = None, progress: bool | None = None, node: NodeName = "mean") -> Any:
    """The natal charts of `births` (a pandas DataFrame, or a mapping of columns) as a DataFrame on its index.

    Columns: see COLUMNS; every row equals what `natal(Birth(time, latitude, longitude, tz, fold), ayanamsha,
    houses, node=node)` shows (`node`: "mean" or "true", the node that is Rahu), and a birth that fails has its
    message in `error`. `processes`: how many processes share the work (None: `default_processes()`, all cores in a
    main program, one inside a Dask or pool worker). `progress`: a bar on stderr (None: on a terminal for large
    frames). An unknown ayanamsha, house system or node raises UnknownName before anything is computed.
    """
    _names.ayanamsha(ayanamsha)
    _names.house_system(houses)
    node = _names.node(node)
    if processes is not None and (isinstance(processes, bool) or not isinstance(processes, int)):
        raise TypeError(f"processes must be an int or None, not {type(processes).__name__}")
    if processes is not None and processes < 1:
        raise ValueError(f"processes {processes} must be at least 1 (or None: all cores)")
    index, task = _inputs(births)
    count = len(index)
    if progress is None:
        progress = count >= PROGRESS_FROM and sys.stderr.isatty() and not _inside_worker()
    bar = _Progress(count, progress)
    try:
        rows = _run(task, ayanamsha, houses, default_processes() if processes is None else processes, bar.advance,
                    node)
    finally:
        bar.close()
    return _frame(index, rows)


def charts_meta() -> Any:
    """An empty frame with the columns and dtypes of `charts_frame` (the `meta` of a Dask `map_partitions`)."""
    return _frame(_pandas().RangeIndex(0), (b"", []))


def read_births(path: str) -> Any:
    """The births of a CSV file, every column as the text it holds ("00501", "TRUE" and "NA" stay as written; an
    empty cell is ""), so that they pass through unchanged and each row's cells are judged on that row alone.

    A row that cannot be read as it stands (a byte that is not UTF-8, more or fewer cells than the header) is kept
    as far as it reads (U+FFFD for the bytes, "" for missing cells) and its fault, with its line number, is in
    `frame.attrs["unreadable"]` (row position: message). An empty file or a header naming a column twice raises
    ValueError.
    """
    pandas = _pandas()
    with open(path, encoding="utf-8-sig", errors="surrogateescape", newline="") as file:
        reader = csv.reader(file)
        header = next(reader, None)
        if header is None:
            raise ValueError(f"{path} is empty: a header line naming the columns is needed")
        header = [_readable(cell) for cell in header]
        repeated = sorted({name for name in header if header.count(name) > 1})
        if repeated:
            raise ValueError(f"{path}: the header names {', '.join(map(repr, repeated))} more than once")
        rows: list[list[str]] = []
        unreadable: dict[int, str] = {}
        for row in reader:
            if not row:
                continue  # a blank line
            faults = []
            try:
                "".join(row).encode("utf-8")
            except UnicodeEncodeError:
                row = [_readable(cell) for cell in row]
                faults.append("bytes that are not UTF-8 text")
            if len(row) != len(header):
                faults.append(f"{len(row)} cells where the header names {len(header)}")
                row = (row + [""] * len(header))[:len(header)]
            if faults:
                unreadable[len(rows)] = f"line {reader.line_num}: {' and '.join(faults)}"
            rows.append(row)
    frame = pandas.DataFrame(rows, columns=header, dtype=pandas.StringDtype()) if rows else \
        pandas.DataFrame({name: pandas.array([], dtype=pandas.StringDtype()) for name in header})
    frame.attrs["unreadable"] = unreadable
    return frame


def _readable(text: str) -> str:
    """Text read with surrogateescape, its undecodable bytes shown as U+FFFD."""
    return text.encode("utf-8", "surrogateescape").decode("utf-8", "replace")


FORMATS = ("parquet", "csv", "json")
#: Records per piece of a JSON output (about 13 KB of Python objects each): the file is written piece by piece,
#: never held whole.
JSON_RECORDS_PER_PIECE = 500


def write_frame(frame: Any, path: str, format: str) -> None:
    """`frame` to `path` as parquet (needs pyarrow), CSV, or a JSON array of records.

    The file is written beside `path`, without a name where the system allows (Linux) and else under a hidden
    temporary one, and takes the name `path` only when complete: an interrupted or failed write (a killed process
    too, on Linux) leaves a file that was at `path` unchanged, and no partial file.
    """
    if format == "parquet":
        require_pyarrow()
    with replacing(path) as file:
        if format == "parquet":
            frame.to_parquet(file)
        elif format == "csv":
            frame.to_csv(file, index=False)
        else:
            _write_json(frame, file)


def _write_json(frame: Any, output: BinaryIO) -> None:
    """The frame as a JSON array of records, JSON_RECORDS_PER_PIECE records at a time."""
    try:
        from orjson import dumps  # every double written so that it reads back the same, NaN as null
    except ImportError:  # pandas' own writer keeps 15 decimals
        def piece(part: Any) -> bytes:
            text: str = part.to_json(orient="records", date_format="iso", date_unit="s", double_precision=15)
            return text.encode()
    else:
        pandas = _pandas()

        def plain(value: Any) -> Any:
            if value is pandas.NA or value is pandas.NaT:
                return None
            if isinstance(value, datetime):
                return value.isoformat()
            raise TypeError(f"{type(value).__name__} in a chart frame")

        def piece(part: Any) -> bytes:
            return dumps(part.to_dict(orient="records"), default=plain)
    output.write(b"[")
    for start in range(0, len(frame), JSON_RECORDS_PER_PIECE):
        output.write((b"," if start else b"") + piece(frame.iloc[start:start + JSON_RECORDS_PER_PIECE])[1:-1])
    output.write(b"]")


#: The kinds of `TimelineEvent`, in the order the `kind` column's categories take.
TIMELINE_KINDS: tuple[str, ...] = ("dasha", "ingress", "station", "sade_sati", "transit")


def timeline_frame(birth: Birth, start: datetime | date | str, end: datetime | date | str, levels: int = 2,
                   ayanamsha: AyanamshaName = "Lahiri", system: DashaSystemName = "vimshottari") -> Any:
    """`zentaric_chart.transits.timeline` as a DataFrame: one row per event in time order, with `time` (a UTC
    timestamp, as in `charts_frame`; `frame.time.dt.tz_convert(birth.zone)` gives the birth's clock), `kind` (a
    categorical of TIMELINE_KINDS) and `description`. The arguments and their errors are those of `timeline`."""
    pandas = _pandas()
    from zentaric_chart.transits import timeline  # charts, dashas and transits: not loaded in pool workers
    events = timeline(birth, start, end, levels, ayanamsha, system)
    return pandas.DataFrame({
        "time": pandas.array([event.time.astimezone(UTC) for event in events], dtype="datetime64[us, UTC]"),
        "kind": pandas.Categorical([event.kind for event in events], categories=TIMELINE_KINDS),
        "description": pandas.array([event.description for event in events], dtype=pandas.StringDtype()),
    })
