"""Every function, on its result path and each error path, called in a loop: its arguments' reference counts stay
exactly as they were, and neither the memory tracemalloc traces nor the C/C++ heap in use (glibc's mallinfo2) grows
beyond 64 KiB: 100,000 untraced calls (one leaked byte a call would exceed it), then a tenth as many traced ones (one
leaked object a call would be 160 KB). The slow paths run fewer times: the chart 5,000 (a leak of 14 bytes a chart
shows), compute_dasha at depth 3 2,000 and at depth 5 (66,429 periods, an 8 MB text) 200 (a leaked period shows).
"""
import ctypes
import gc
import sys
import tracemalloc

import pytest

import zentaric
from argument_objects import BadFloat, BadIndex, Index, Name, Real, WrongIndex

pytestmark = pytest.mark.not_sanitized("process memory figures: the sanitizer's allocator quarantines freed memory")

CALLS = 100_000
WARM_UP = 2_000
TRACED_BOUND = 64 * 1024
HEAP_BOUND = 64 * 1024


class MallInfo2(ctypes.Structure):
    _fields_ = [(name, ctypes.c_size_t) for name in "arena ordblks smblks hblks hblkhd usmblks fsmblks uordblks "
                                                          "fordblks keepcost".split()]


LIBC = ctypes.CDLL(None)
LIBC.mallinfo2.restype = MallInfo2  # glibc 2.33 or later


def heap_in_use():
    """Bytes the C allocator has handed out and not taken back (all arenas, mmap'd blocks included)."""
    info = LIBC.mallinfo2()
    return info.uordblks + info.hblkhd


def fresh(value):
    """A new object equal to `value` (not interned or cached, so immortal), its reference count the test's alone."""
    if isinstance(value, str):
        return type(value)("".join(list(value)))
    if isinstance(value, float):
        return float(repr(value))
    if type(value) is int:
        return int(str(value))
    if isinstance(value, (Index, Real)):
        return type(value)(fresh(value.value))
    return value


# (id, function, positional arguments, keyword arguments, expected exception or None, calls)
J2000 = 2451545.0
CASES = [
    # results
    ("compute_dasha", zentaric.compute_dasha, (123.4, J2000, 3), {}, None, 2_000),
    ("compute_dasha_depth_5", zentaric.compute_dasha, (6.7, J2000, 5), {}, None, 200),
    ("get_nakshatra", zentaric.get_nakshatra, (140.0,), {}, None, CALLS),
    ("compute_varga", zentaric.compute_varga, (123.4, Name("NAVAMSHA")), {}, None, CALLS),
    ("compute_houses", zentaric.compute_houses, (45.0, 70.0, 23.44), {"system": "Koch"}, None, CALLS),
    ("planet_name", zentaric.planet_name, (Index(8), "bengali"), {}, None, CALLS),
    ("compute_natal_chart", zentaric.compute_natal_chart, (1990, 5, 15, 10, 30, 28.6, 77.2),
     {"ayanamsha": "Raman", "house_system": "Campanus"}, None, 5_000),
    ("compute_natal_record", zentaric.compute_natal_record, (1990, 5, 15, 10, 30, 28.6, 77.2),
     {"house_system": "WholeSign", "language": "ta"}, None, 5_000),
    ("record_unknown_language", zentaric.compute_natal_record, (1990, 5, 15, 10, 30, 28.6, 77.2, "Lahiri",
                                                                 "Equal", "xx"), {}, ValueError, 2_000),
    ("compute_panchanga", zentaric.compute_panchanga, (2026, 12, 7, 3, 28.6, 77.2), {"utc_offset": 5.5}, None, 2_000),
    # binding errors
    ("missing_arguments", zentaric.compute_natal_chart, (2000, 1), {}, TypeError, CALLS),
    ("unexpected_keyword", zentaric.get_ayanamsha, (), {"julian_day": 1.0}, TypeError, CALLS),
    # conversion errors, one per kind and failure
    ("int32_wrong_type", zentaric.calendar_to_jd, (2000.5, 1, 1.0), {}, TypeError, CALLS),
    ("uint32_out_of_range", zentaric.compute_natal_chart, (2000, 1, -1, 0, 0, 0.0, 0.0), {}, OverflowError, CALLS),
    ("int_index_raises", zentaric.compute_dasha, (0.0, J2000, BadIndex()), {}, ValueError, CALLS),
    ("int_index_wrong_type", zentaric.calendar_to_jd, (2000, WrongIndex(), 1.0), {}, TypeError, CALLS),
    ("index_negative", zentaric.planet_name, (-1,), {}, OverflowError, CALLS),
    ("float_raises", zentaric.compute_houses, (0.0, BadFloat(), 23.4), {}, ArithmeticError, CALLS),
    ("float_hook_wrong_type", zentaric.compute_dasha, (Real(7), J2000), {}, TypeError, CALLS),
    ("text_wrong_type", zentaric.compute_varga, (1.0, b"d9"), {}, TypeError, CALLS),
    ("text_lone_surrogate", zentaric.get_ayanamsha, ("\udc80Lahiri",), {}, UnicodeEncodeError, CALLS),
    # computation errors
    ("unknown_ayanamsha", zentaric.tropical_to_sidereal, (1.0, "Lahari"), {}, ValueError, CALLS),
    ("index_beyond_table", zentaric.nakshatra_name_i18n, (27, "kn"), {}, IndexError, CALLS),
    ("chart_date_out_of_range", zentaric.compute_natal_chart, (3000, 1, 2, 0, 0, 0.0, 0.0), {}, ValueError, CALLS),
    ("panchanga_polar_night", zentaric.compute_panchanga, (2026, 12, 20, 2, 69.6, 18.9), {}, ValueError, 2_000),
    ("chart_ephemeris_failure", zentaric.compute_natal_chart, (3000, 1, 1, 12, 0, 0.0, 0.0), {}, ValueError, CALLS),
]


@pytest.mark.parametrize("function, args, kwargs, error, calls",
                         [pytest.param(*case[1:], id=case[0]) for case in CASES])
def test_no_growth_over_repeated_calls(function, args, kwargs, error, calls):
    args = tuple(fresh(value) for value in args)
    kwargs = {fresh(key): fresh(value) for key, value in kwargs.items()}
    watched = [o for v in (*args, *kwargs.values()) for o in ((v, v.value) if isinstance(v, (Index, Real)) else (v,))]

    def repeat(count):
        for _ in range(count):
            try:
                function(*args, **kwargs)
            except Exception as raised:
                if type(raised) is not error:
                    raise
            else:
                assert error is None
        gc.collect()

    repeat(min(WARM_UP, calls // 10))
    references = [sys.getrefcount(value) for value in watched]
    heap = heap_in_use()
    repeat(calls)
    heap_growth = heap_in_use() - heap
    assert [sys.getrefcount(value) for value in watched] == references
    assert heap_growth < HEAP_BOUND, f"the heap in use grew {heap_growth} bytes over {calls} calls"

    traced_calls = calls // 10
    tracemalloc.start()
    try:
        repeat(10)
        traced = tracemalloc.get_traced_memory()[0]
        repeat(traced_calls)
        traced_growth = tracemalloc.get_traced_memory()[0] - traced
    finally:
        tracemalloc.stop()
    assert traced_growth < TRACED_BOUND, f"tracemalloc grew {traced_growth} bytes over {traced_calls} calls"
    print(f"{calls} calls: heap {heap_growth:+d} B; {traced_calls} traced calls: {traced_growth:+d} B")
