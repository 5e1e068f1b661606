"""Shared fixtures: the probe library that exposes core functions to the reference cross-checks."""
import ctypes
import functools
import os
import pathlib

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]

# Set by `make test-sanitize`, which runs this suite against the AddressSanitizer/UBSan build of the module.
SANITIZED = os.environ.get("ZENTARIC_SANITIZED") == "1"


def pytest_configure(config):
    config.addinivalue_line("markers", "not_sanitized(reason): meaningless under the sanitizer build (timing, "
                                       "process memory figures); skipped by `make test-sanitize`")
    if SANITIZED:
        import zentaric
        if "site-packages" in zentaric.__file__:
            raise pytest.UsageError(f"the sanitizer run imported the installed module {zentaric.__file__}")


def pytest_collection_modifyitems(config, items):
    if not SANITIZED:
        return
    for item in items:
        marker = item.get_closest_marker("not_sanitized")
        if marker is not None:
            reason = marker.args[0] if marker.args else "meaningless under the sanitizer build"
            item.add_marker(pytest.mark.skip(reason=f"sanitizer build: {reason}"))


@functools.cache
def probe_library():
    """The core's C entry points (tests/probe), built by `make test-cpp`."""
    path = pathlib.Path(os.environ.get("ZENTARIC_PROBE_LIB", ROOT / "build" / "cpp" / "libzentaric_probe.so"))
    if not path.exists():
        pytest.fail(f"probe library not built: {path} (run `make test`)")
    return ctypes.CDLL(str(path))


@pytest.fixture(scope="session")
def probe():
    return probe_library()


NAME_TABLES = ("house system", "ayanamsha", "varga", "language")


@functools.cache
def name_table(kind):
    """The rows (text form, accepted spellings) of one of the core's NAME_TABLES."""
    read_row = probe_library().zentaric_probe_name_row
    read_row.restype = ctypes.c_bool
    rows, name, spellings = [], ctypes.c_char_p(), (ctypes.c_char_p * 4)()
    while read_row(NAME_TABLES.index(kind), ctypes.c_size_t(len(rows)), ctypes.byref(name), spellings):
        rows.append((name.value.decode(), tuple(s.decode() for s in spellings if s is not None)))
    return rows
