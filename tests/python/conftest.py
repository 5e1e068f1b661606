"""Shared fixtures: the probe library that exposes core functions to the reference cross-checks."""
import ctypes
import os
import pathlib

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]


@pytest.fixture(scope="session")
def probe():
    """The core's C entry points (tests/probe), built by `make test-cpp`."""
    path = pathlib.Path(os.environ.get("ZENTARIC_PROBE_LIB", ROOT / "build" / "cpp" / "libzentaric_probe.so"))
    if not path.exists():
        pytest.fail(f"probe library not built: {path} (run `make test`)")
    return ctypes.CDLL(str(path))
