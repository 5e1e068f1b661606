# zentaric: `make demo` shows a natal chart; `make test` runs every C++ and Python test (the C++ suite built with g++
# and again with clang);
# `make test-sanitize` runs them again on an AddressSanitizer + UBSan build.
SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

# CPython 3.12: from PATH, else from pyenv's versions.
PYTHON312 ?= $(shell for p in python3.12 $$HOME/.pyenv/versions/3.12*/bin/python3.12 /usr/bin/python3.12; do \
                 "$$p" -c 'import sys; assert sys.version_info[:2] == (3, 12)' >/dev/null 2>&1 && { echo "$$p"; break; }; \
               done)
VENV := .venv
PY := $(VENV)/bin/python
CPP_BUILD := build/cpp
CLANG_BUILD := build/clang
SANITIZE_BUILD := build/sanitize
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: demo test test-cpp test-cpp-clang test-python test-typing test-sanitize test-ratio install venv test-deps bench check-tables clean

$(PY):
	@test -n "$(PYTHON312)" || { echo "python3.12 not found (install it or set PYTHON312=...)"; exit 1; }
	$(PYTHON312) -m venv $(VENV)

venv: $(PY)

# Installed again only when a file it is built from has changed since the last install (a stamp in the venv).
INSTALLED := $(VENV)/.zentaric-installed
PACKAGE_SOURCES := pyproject.toml CMakeLists.txt _zentaric_cli.py $(shell find src locale zentaric_chart zentaric-stubs -type f \
                     -not -name '*.pyc' 2>/dev/null)

$(INSTALLED): $(PY) $(PACKAGE_SOURCES)
	$(PY) -m pip install --quiet --disable-pip-version-check .
	touch $@

install: $(INSTALLED)

demo: install
	$(PY) examples/demo.py

# Debian packages the tests need: GoogleTest and clang for the C++ suite; headless Chromium and the Noto fonts for
# the drawing tests.
DEBIAN_TEST_PACKAGES := libgtest-dev clang chromium fonts-noto-core

# The test and benchmark extras, installed again only when the package's sources change (like the plain install, whose
# stamp they refresh too: they install the same package, so `make demo` after `make test` does not install again).
TEST_INSTALLED := $(VENV)/.zentaric-test-installed
BENCH_INSTALLED := $(VENV)/.zentaric-bench-installed

$(TEST_INSTALLED): $(PY) $(PACKAGE_SOURCES)
	$(PY) -m pip install --quiet --disable-pip-version-check ".[test]"
	touch $(INSTALLED) $@

$(BENCH_INSTALLED): $(PY) $(PACKAGE_SOURCES)
	$(PY) -m pip install --quiet --disable-pip-version-check ".[reference,bench]"  # pyswisseph, drik-panchanga: the peers
	touch $(INSTALLED) $@

test-deps: $(PY) $(TEST_INSTALLED)
	@missing=$$(for p in $(DEBIAN_TEST_PACKAGES); do dpkg -s "$$p" >/dev/null 2>&1 || echo "$$p"; done); \
	 [ -z "$$missing" ] || { $(SUDO) apt-get update -qq && $(SUDO) apt-get install -y -qq $$missing; }
	@# a decimal-comma locale for the test that messages and documents do not follow the locale
	@locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8' || { \
	  dpkg -s locales >/dev/null 2>&1 || { $(SUDO) apt-get update -qq && $(SUDO) apt-get install -y -qq locales; }; \
	  $(SUDO) localedef -i de_DE -f UTF-8 de_DE.UTF-8; }

$(CPP_BUILD)/CMakeCache.txt:
	cmake -S . -B $(CPP_BUILD) -DCMAKE_BUILD_TYPE=Release -DZENTARIC_BUILD_TESTS=ON -DZENTARIC_BUILD_MODULE=OFF

test-cpp: $(CPP_BUILD)/CMakeCache.txt
	cmake --build $(CPP_BUILD) -j $(JOBS)
	ctest --test-dir $(CPP_BUILD) --output-on-failure --no-tests=error -j $(JOBS)

# The same C++ suite, same tolerances, built with clang (only the test binary: no module, probe or benchmarks).
# Debian's clang links libstdc++, so it uses the GoogleTest that libgtest-dev built with g++.
$(CLANG_BUILD)/CMakeCache.txt:
	cmake -S . -B $(CLANG_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release -DZENTARIC_BUILD_TESTS=ON \
	      -DZENTARIC_BUILD_MODULE=OFF

test-cpp-clang: $(CLANG_BUILD)/CMakeCache.txt
	cmake --build $(CLANG_BUILD) -j $(JOBS) --target zentaric_core_tests
	ctest --test-dir $(CLANG_BUILD) --output-on-failure --no-tests=error -j $(JOBS)

test-python:
	ZENTARIC_PROBE_LIB=$(abspath $(CPP_BUILD))/libzentaric_probe.so $(PY) -m pytest tests/python -q

# The installed stubs (zentaric-stubs) against the module itself, and the package and examples under mypy --strict.
test-typing:
	$(PY) -m mypy.stubtest zentaric
	$(PY) -m mypy --strict zentaric_chart examples _zentaric_cli.py

test: test-deps test-cpp test-cpp-clang test-python test-typing test-ratio

# Core, C++ tests, probe library and module built with AddressSanitizer + UBSan (float-to-integer overflow included),
# at -O1 with line tables (half the build time of -O2 -g); any report fails the run. The interpreter is not
# instrumented: it gets the ASan runtime the module links preloaded, allocates every object with malloc so that ASan
# sees it, and leaves leak checking to the C++ run (the interpreter keeps memory until exit). Tests marked
# not_sanitized (memory figures, symbol audits, pure-Python generators) are skipped there.
UBSAN := UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

$(SANITIZE_BUILD)/CMakeCache.txt: | $(PY)
	cmake -S . -B $(SANITIZE_BUILD) -DZENTARIC_SANITIZE=ON -DZENTARIC_BUILD_TESTS=ON -DPython_EXECUTABLE=$(abspath $(PY)) \
	      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1"

test-sanitize: test-deps $(SANITIZE_BUILD)/CMakeCache.txt
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target zentaric zentaric_core_tests zentaric_probe
	$(UBSAN) ctest --test-dir $(SANITIZE_BUILD) --output-on-failure --no-tests=error -j $(JOBS)
	asan=$$(ldd $(SANITIZE_BUILD)/zentaric*.so | awk '/libasan/ { print $$3 }'); \
	$(UBSAN) ASAN_OPTIONS=detect_leaks=0 LD_PRELOAD="$$asan" PYTHONMALLOC=malloc ZENTARIC_SANITIZED=1 \
	PYTHONPATH=$(SANITIZE_BUILD) ZENTARIC_PROBE_LIB=$(abspath $(SANITIZE_BUILD))/libzentaric_probe.so \
	$(PY) -m pytest tests/python -q -p no:cacheprovider

bench: $(BENCH_INSTALLED) $(CPP_BUILD)/CMakeCache.txt
	cmake --build $(CPP_BUILD) -j $(JOBS)
	# bench_natal_chart runs inside bench/run.py, beside the Python rows and the reference.
	for b in $(CPP_BUILD)/bench_*; do if [ -x "$$b" ] && [ "$${b##*/}" != bench_natal_chart ]; then "$$b"; fi; done
	$(PY) bench/run.py

# Non-blank lines of tests against those of the code (generated tables and reference data left out).
test-ratio:
	python3 tools/test_ratio.py

# The committed generated tables against what tools/ writes (plain python3: the generators need only the standard
# library). The VSOP87A, ELP/MPP02 and IAU 2000B tables are written from the published data: ../shared/data when the
# repository sits beside shared/, else `make check-tables SHARED_DATA=/path/to/data`; without it the run says so and
# fails after checking the other tables.
SHARED_DATA ?= ../shared/data

check-tables:
	python3 tools/check_tables.py $(SHARED_DATA)

clean:
	rm -rf build $(VENV)
