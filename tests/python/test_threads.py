"""Concurrent calls from many Python threads give exactly the results of the same calls made one after another,
and the compiled code holds no mutable global state that calls could share."""
import json
import os
import pathlib
import random
import re
import subprocess
import sys
import threading
from concurrent.futures import ThreadPoolExecutor

import pytest

import zentaric
from argument_objects import decode

ROOT = pathlib.Path(__file__).resolve().parents[2]

THREADS = 8
ROUNDS = 2

# A mixed workload: the canonical calls of the stored conversion cases (every function, charts across the date range
# and the house systems, houses in every latitude band, dashas of every depth, the name tables).
CASES = json.loads((ROOT / "tests" / "data" / "conversion_cases.json").read_text())["cases"]
WORKLOAD = [(getattr(zentaric, case["function"]), decode(case["same_as"])) for case in CASES if "same_as" in case]


def run_together(worker):
    """Runs worker(k) in THREADS threads released at once, the interpreter lock handed over as often as possible."""
    start, interval = threading.Barrier(THREADS), sys.getswitchinterval()
    sys.setswitchinterval(1e-6)
    try:
        with ThreadPoolExecutor(THREADS) as pool:  # a worker's exception is raised again here
            list(pool.map(lambda k: (start.wait(), worker(k)), range(THREADS)))
    finally:
        sys.setswitchinterval(interval)


def call(k):
    result = WORKLOAD[k][0](*WORKLOAD[k][1])
    return result if type(result) is str else repr(result)  # repr: a NaN result equals itself


def test_eight_threads_match_serial_results():
    expected = [call(k) for k in range(len(WORKLOAD))]
    mismatches = []

    def worker(seed):
        order = list(range(len(WORKLOAD)))
        random.Random(seed).shuffle(order)  # each thread takes the calls in its own order
        for _ in range(ROUNDS):
            mismatches.extend((seed, i) for i in order if call(i) != expected[i])

    run_together(worker)
    assert mismatches == []


# Writable data (.data, .bss, thread-local) the compiled code may hold, each harmless: the C runtime's
# destructor-once flag, atexit handle and transactional-memory end marker, libgcc's CPU features (filled once at load),
# and the module's own objects made once under the interpreter lock at initialisation: the module definition (the
# interpreter writes its m_base) and method table (non-const in the C API, never written), the module object,
# interned dictionary keys and house-system names, and the immutable get_nakshatra dictionaries per nakshatra and pada.
TOOLCHAIN_ALLOWED = {"completed.0", "__dso_handle", "__TMC_END__", "__cpu_model", "__cpu_features2"}
MODULE_ALLOWED = {"(anonymous namespace)::" + name for name in ("MODULE_DEFINITION", "MODULE_FUNCTIONS", "the_module")}
MODULE_ALLOWED |= {"zentaric::python::(anonymous namespace)::" + name
                   for name in ("keys", "nakshatra_templates", "house_system_names", "record_names")}
WRITABLE_SECTION = re.compile(r"^\.(data|bss|tdata|tbss)(\..*)?$")


def writable_symbols(path):
    """Names of the objects in writable sections (.data.rel.ro is read-only once relocated), the DW.ref. pointers
    of the C++ exception tables (set by the dynamic linker) and section symbols aside."""
    listing = subprocess.run(["objdump", "-t", "-C", "-w", str(path)], capture_output=True, text=True, check=True)
    matches = (re.match(r"^[0-9a-f]+ .{7} (\S+)\s+[0-9a-f]+\s+(?:\.hidden\s+)?(.+)$", line)  # addr flags section size
               for line in listing.stdout.splitlines())
    return {m[2] for m in matches if m and WRITABLE_SECTION.match(m[1]) and not m[1].startswith(".data.rel.ro")
            and m[2] != m[1] and not m[2].startswith("DW.ref.")}


@pytest.mark.not_sanitized("instrumented code carries the sanitizer's own writable symbols")
@pytest.mark.parametrize("library", ["libzentaric_core.a", "libzentaric_locale.a", "module"])
def test_compiled_code_holds_no_mutable_globals_but_the_module_cache(library):
    build = pathlib.Path(os.environ.get("ZENTARIC_PROBE_LIB", ROOT / "build" / "cpp" / "x")).parent
    path = pathlib.Path(zentaric.__file__) if library == "module" else build / library
    if not path.exists():
        pytest.fail(f"core library not built: {path} (run `make test`)")
    assert writable_symbols(path) - TOOLCHAIN_ALLOWED - (MODULE_ALLOWED if library == "module" else set()) == set()
