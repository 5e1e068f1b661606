"""Concurrent calls from many Python threads give exactly the results of the same calls made one after another,
and the compiled code holds no mutable global state that calls could share."""
import os
import pathlib
import random
import re
import shutil
import subprocess
import sys
import threading

import pytest

import zentaric

ROOT = pathlib.Path(__file__).resolve().parents[2]

THREADS = 8
ROUNDS = 4

# A mixed workload: charts across the date range and the house systems, houses at every latitude band and system
# (polar fallback included), dashas of every depth up to 4, nakshatras, vargas and the name tables.
HOUSE_SYSTEMS = ["Placidus", "Koch", "Equal", "WholeSign", "Campanus", "Regiomontanus", "Porphyry", "Morinus",
                 "Alcabitius", "Sripathi"]
WORKLOAD = (
    [(zentaric.compute_natal_chart, (year, 1 + k % 12, 1 + k % 28, k % 24, (7 * k) % 60, -60.0 + 7.3 * k,
                                     -170.0 + 17.1 * k, ["Lahiri", "Raman", "Tropical"][k % 3],
                                     HOUSE_SYSTEMS[k % 10]))
     for k, year in enumerate(range(-1900, 2900, 160))]
    + [(zentaric.compute_houses, (ramc, latitude, 23.44, system))
       for ramc in (0.0, 45.0, 181.5) for latitude in (-89.0, -66.56, 0.0, 40.0, 70.0) for system in HOUSE_SYSTEMS]
    + [(zentaric.compute_dasha, (moon, 2451545.0 + moon * 100.0, levels))
       for moon in (0.0, 6.666666666666667, 123.4, 359.9) for levels in (1, 2, 3, 4)]
    + [(zentaric.get_nakshatra, (longitude,)) for longitude in range(-30, 390, 7)]
    + [(zentaric.compute_varga, (longitude * 1.7, varga)) for longitude in range(0, 220, 11)
       for varga in ("d1", "d9", "d10", "d12", "d60")]
    + [(function, (index, language)) for function, size in
       ((zentaric.planet_name, 9), (zentaric.sign_name, 12), (zentaric.nakshatra_name_i18n, 27))
       for index in range(size) for language in ("en", "hi", "sa", "ta", "te", "kn", "bn")]
    + [(zentaric.tropical_to_sidereal, (longitude, "Krishnamurti", 2400000.0 + longitude * 1000))
       for longitude in range(0, 360, 9)]
)


def run_together(worker):
    """Runs worker(k) in THREADS threads released at once, the interpreter lock handed over as often as possible;
    returns what the workers raised."""
    start = threading.Barrier(THREADS)
    failures = []

    def run(k):
        try:
            start.wait()
            worker(k)
        except BaseException as error:  # noqa: BLE001 - reported by the caller
            failures.append(repr(error))

    interval = sys.getswitchinterval()
    sys.setswitchinterval(1e-6)
    try:
        threads = [threading.Thread(target=run, args=(k,)) for k in range(THREADS)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
    finally:
        sys.setswitchinterval(interval)
    return failures


def test_eight_threads_match_serial_results():
    expected = [function(*args) for function, args in WORKLOAD]
    mismatches = []

    def worker(seed):
        order = list(range(len(WORKLOAD)))
        random.Random(seed).shuffle(order)  # each thread takes the calls in its own order
        for _ in range(ROUNDS):
            mismatches.extend((seed, i) for i in order if WORKLOAD[i][0](*WORKLOAD[i][1]) != expected[i])

    assert run_together(worker) == []
    assert mismatches == []


def test_errors_raised_concurrently_carry_their_own_messages():
    # each thread's exception holds its own text: nothing of one call's error leaks into another's
    wrong = []

    def worker(k):
        for n in range(300):
            name = f"system-{k}-{n}"
            with pytest.raises(ValueError) as caught:
                zentaric.compute_houses(1.0, 2.0, 3.0, name)
            if str(caught.value) != "Unknown house system: " + name:
                wrong.append(str(caught.value))
            with pytest.raises(TypeError) as caught:
                zentaric.calendar_to_jd(2000, f"{k}", 1.0)
            if str(caught.value) != "argument 'month': 'str' object cannot be interpreted as an integer":
                wrong.append(str(caught.value))

    assert run_together(worker) == []
    assert wrong == []


# Writable data (.data, .bss, thread-local) that the compiled code may hold, with the reason each is harmless.
TOOLCHAIN_ALLOWED = {
    "completed.0": "C runtime: the flag that runs the shared object's destructors once",
    "__dso_handle": "C runtime: identifies the shared object to atexit",
    "__TMC_END__": "C runtime: end marker of the transactional-memory clone table",
    "__cpu_model": "libgcc: CPU features, filled once by its constructor at load",
    "__cpu_features2": "libgcc: CPU features, filled once by its constructor at load",
}
MODULE_ALLOWED = {
    "(anonymous namespace)::MODULE_DEFINITION": "PyModuleDef: the interpreter writes its m_base at initialisation",
    "(anonymous namespace)::MODULE_FUNCTIONS": "PyMethodDef table: the C API takes it non-const; never written",
    "(anonymous namespace)::the_module": "the module object, made once by the main interpreter's initialisation",
    "zentaric::python::(anonymous namespace)::keys": "interned dictionary keys, made once at initialisation",
    "zentaric::python::(anonymous namespace)::nakshatra_templates":
        "one immutable get_nakshatra dictionary per (nakshatra, pada), made once under the interpreter lock",
    "zentaric::python::(anonymous namespace)::house_system_names":
        "the ten house-system names as interned strings, made once under the interpreter lock",
}
# DW.ref.<symbol>: pointers the C++ exception tables use (the personality routine, the type of a caught exception),
# set by the dynamic linker.
TOOLCHAIN_ALLOWED_PREFIX = "DW.ref."
WRITABLE_SECTION = re.compile(r"^\.(data|bss|tdata|tbss)(\..*)?$")


def writable_symbols(path):
    """Names of the objects in writable sections (.data.rel.ro is read-only once relocated), toolchain pointers
    set by the dynamic linker aside."""
    objdump = shutil.which("objdump")
    if objdump is None:
        pytest.fail("objdump (binutils) is needed to inspect the compiled code")
    listing = subprocess.run([objdump, "-t", "-C", "-w", str(path)], capture_output=True, text=True, check=True)
    names = set()
    for line in listing.stdout.splitlines():
        # 0000000000000000 l     O .bss	0000000000000008 name
        match = re.match(r"^[0-9a-f]+ .{7} (\S+)\s+[0-9a-f]+\s+(?:\.hidden\s+)?(.+)$", line)
        if match and WRITABLE_SECTION.match(match.group(1)) and not match.group(1).startswith(".data.rel.ro"):
            name = match.group(2)
            if name != match.group(1) and not name.startswith(TOOLCHAIN_ALLOWED_PREFIX):  # nor section symbols
                names.add(name)
    return names


def core_libraries():
    build = pathlib.Path(os.environ.get("ZENTARIC_PROBE_LIB", ROOT / "build" / "cpp" / "x")).parent
    libraries = [build / "libzentaric_core.a", build / "libzentaric_locale.a"]
    missing = [str(path) for path in libraries if not path.exists()]
    if missing:
        pytest.fail(f"core libraries not built: {missing} (run `make test`)")
    return libraries


NOT_SANITIZED = pytest.mark.not_sanitized("instrumented code carries the sanitizer's own writable symbols")


@NOT_SANITIZED
@pytest.mark.parametrize("library", ["libzentaric_core.a", "libzentaric_locale.a"])
def test_core_libraries_hold_no_mutable_globals(library):
    path = next(path for path in core_libraries() if path.name == library)
    assert writable_symbols(path) - set(TOOLCHAIN_ALLOWED) == set()


@NOT_SANITIZED
def test_module_holds_only_its_own_cached_objects():
    path = pathlib.Path(zentaric.__file__)
    assert writable_symbols(path) - set(TOOLCHAIN_ALLOWED) - set(MODULE_ALLOWED) == set()
