#!/usr/bin/env python3
"""What the test suite catches: a fixed, seeded sample of mutants of the hand-written C++ under src/.

  sample  (needs universalmutator: `python3 -m venv /work/mutvenv && /work/mutvenv/bin/pip install universalmutator`,
          or the `mutation` extra) mutates every src/**/*.{cpp,hpp} except the generated tables under src/*/data/,
          shuffles with seed 16 and keeps the first --count mutants that compile (g++ -fsyntax-only on every
          translation unit that includes the file) on a line the compiler sees (not in a dropped #if branch), in
          tools/mutation_sample.json with file, 1-based line, original and mutated text:
              /work/mutvenv/bin/python tools/mutation_test.py sample --tree .
  run     (standard library only) applies each mutant to --tree's src/, rebuilds build/mutation incrementally and runs
          the suite: ctest, then pytest on tests/python, then mypy.stubtest; any failure or --timeout kills it.
          The tree needs its .venv (`make test-deps`). Resumable: mutants already in --out are skipped.
              nice -n 10 python3 tools/mutation_test.py run --tree DIR --out results.json [--ignore tests/python/x.py]
  report  prints the kill rate and the survivors, and with --compare the two runs' rates over their common mutants
          (a mutant whose line changed in one tree is not applicable there):
              python3 tools/mutation_test.py report after.json --compare tools/mutation_before.json
"""
import argparse, concurrent.futures, contextlib, io, json, os, random, re, shlex, signal, subprocess, sys, time
from pathlib import Path

HERE = Path(__file__).resolve().parent
KILLED = ("killed", "timeout")
TARGETS = ["zentaric", "zentaric_core_tests", "zentaric_probe"]
PYTEST_FAILURE = (r"^(?:FAILED|ERROR) (\S+)"  # else a crash, and the innermost test frame faulthandler prints
                  r"|^(Fatal Python error: [^\n]*)[\s\S]*?File \"[^\"]*/(tests/python/[^\"]+)\", line \d+ in (\w+)")
RULES = ["universal.rules", "cpp.rules", "c_like.rules"]  # what `mutate FILE.cpp` uses


def sources(tree):
    return sorted(p for ext in ("*.cpp", "*.hpp") for p in (tree / "src").rglob(ext)
                  if "data" not in p.relative_to(tree / "src").parts)


def configure(tree, build):
    if not (build / "CMakeCache.txt").exists():
        subprocess.run(["cmake", "-S", tree, "-B", build, "-DZENTARIC_BUILD_TESTS=ON", "-DCMAKE_BUILD_TYPE=Release",
                        f"-DPython_EXECUTABLE={tree / '.venv/bin/python'}", "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"],
                       check=True, stdout=subprocess.DEVNULL)


def compile_commands(build):
    """(source, directory, compiler arguments without output or dependency-file options) for each translation unit."""
    for entry in json.loads((build / "compile_commands.json").read_text()):
        args, kept = shlex.split(entry["command"]), []
        while args:
            a = args.pop(0)
            if a in ("-o", "-MF", "-MT", "-MQ"):
                args.pop(0)
            elif a not in ("-c", "-MD", "-MMD", entry["file"]):
                kept.append(a)
        yield entry["file"], entry["directory"], kept


def compiles(units, path):
    def check(unit):
        file, directory, args = unit
        return subprocess.run(args + ["-fsyntax-only", file], cwd=directory, capture_output=True).returncode == 0
    users = [u for u in units if path in u[3]]
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        return bool(users) and all(pool.map(check, [u[:3] for u in users]))


def sample(a):
    from universalmutator import mutator
    tree = Path(a.tree).resolve()
    build = tree / "build/mutation"
    configure(tree, build)
    units = []
    for file, directory, args in compile_commands(build):  # which files each translation unit includes
        deps = subprocess.run(args + ["-MM", "-MT", "x", file], cwd=directory, capture_output=True, text=True).stdout
        units.append((file, directory, args, {str(Path(d).resolve()) for d in deps.replace("\\\n", " ").split()[1:]}))
    mutants = []
    for path in sources(tree):
        lines = path.read_text().splitlines(keepends=True)
        with contextlib.redirect_stdout(io.StringIO()):
            found = mutator.mutants_regexp(lines, ruleFiles=RULES, ignorePatterns=[], ignoreStringOnly=True)
        for line, text, *_ in found:
            original = lines[line - 1].rstrip("\n")
            if text.rstrip("\n") != original and not original.lstrip().startswith("//"):
                mutants.append({"file": str(path.relative_to(tree)), "line": line, "original": original,
                                "mutated": text.rstrip("\n")})
    random.Random(a.seed).shuffle(mutants)
    kept, tried = [], 0
    for m in mutants:
        if len(kept) >= a.count:
            break
        path, tried = tree / m["file"], tried + 1
        text = path.read_text()
        try:  # a line that still compiles as #error sits in a branch the preprocessor drops: not a mutant
            if apply(path, text, m) and compiles(units, str(path)) and apply(path, text, dict(m, mutated="#error")) \
                    and not compiles(units, str(path)):
                kept.append(m)
        finally:
            path.write_text(text)
        print(f"{len(kept)}/{tried} compile  {m['file']}:{m['line']}", flush=True)
    Path(a.out).write_text(json.dumps({"seed": a.seed, "generated": len(mutants), "tried": tried,
                                       "mutants": kept}, indent=1) + "\n")


def apply(path, text, m):
    """Puts the mutant into the file; False when its original line is neither at its number nor unique elsewhere."""
    lines = text.splitlines(keepends=True)
    at = [m["line"] - 1] if lines[m["line"] - 1:m["line"]] == [m["original"] + "\n"] else \
        [i for i, l in enumerate(lines) if l == m["original"] + "\n"]
    if len(at) != 1:
        return False
    lines[at[0]] = m["mutated"] + "\n"
    path.write_text("".join(lines))
    return True


def execute(cmd, deadline, **kw):
    """(exit code or None on timeout, output); a timeout ends the whole process group."""
    p = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, start_new_session=True, **kw)
    try:
        out = p.communicate(timeout=max(1, deadline - time.monotonic()))[0]
        return p.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        return None, p.communicate()[0]


def suite(tree, build, ignore, deadline):
    """(status, first failing test or step) for the tree as it stands."""
    env = dict(os.environ, PYTHONPATH=str(build), ZENTARIC_PROBE_LIB=str(build / "libzentaric_probe.so"))
    py = str(tree / ".venv/bin/python")
    steps = [("build", ["cmake", "--build", build, "-j2", "--target", *TARGETS], r"^(.*error.*)$"),
             ("ctest", ["ctest", "--test-dir", build, "--stop-on-failure", "--no-tests=error", "-j2"],
              r"^\s*\d+ - (\S+) \("),
             ("pytest", [py, "-m", "pytest", "tests/python", "-x", "-q", "-p", "no:cacheprovider",
                         *(f"--ignore={i}" for i in ignore)], PYTEST_FAILURE),
             ("stubtest", [py, "-m", "mypy.stubtest", "zentaric"], r"^error: (\S+)")]
    for step, cmd, first in steps:
        code, out = execute(cmd, deadline, cwd=tree, env=env)
        if code is None:
            return "timeout", step
        if code:
            found = re.search(first, out, re.M)
            test = " ".join(g for g in found.groups() if g) if found else out[-300:]
            return ("build-failed" if step == "build" else "killed"), f"{step}: {test}"
    return "survived", None


def run(a):
    os.nice(max(0, 10 - os.nice(0)))
    tree, out = Path(a.tree).resolve(), Path(a.out)
    build = tree / "build/mutation"
    mutants = json.loads(Path(a.sample).read_text())["mutants"]
    results = json.loads(out.read_text()) if out.exists() else {"ignore": a.ignore, "results": {}}
    if results["ignore"] != a.ignore:
        sys.exit(f"{out} was run with --ignore {results['ignore']}")
    configure(tree, build)
    if "baseline" not in results:  # the unmutated tree must pass, or every mutant would count as killed
        start = time.monotonic()
        status, test = suite(tree, build, a.ignore, start + a.timeout)
        results["baseline"] = {"status": status, "test": test, "seconds": round(time.monotonic() - start)}
        out.write_text(json.dumps(results, indent=1) + "\n")
        print("baseline", results["baseline"], flush=True)
        if status != "survived":
            sys.exit("the suite fails on the unmutated tree")
    for i, m in enumerate(mutants):
        if str(i) in results["results"]:
            continue
        path, start = tree / m["file"], time.monotonic()
        text = path.read_text()
        try:
            status, test = suite(tree, build, a.ignore, start + a.timeout) if apply(path, text, m) \
                else ("not-applicable", None)
        finally:
            path.write_text(text)
        results["results"][str(i)] = dict(m, status=status, test=test, seconds=round(time.monotonic() - start))
        out.write_text(json.dumps(results, indent=1) + "\n")
        print(f"{i} {m['file']}:{m['line']} {status} {test or ''} {results['results'][str(i)]['seconds']}s", flush=True)


def report(a):
    results = json.loads(Path(a.results).read_text())
    rows = list(results["results"].values())
    count = {s: sum(r["status"] == s for r in rows) for s in ("killed", "timeout", "survived", "build-failed",
                                                              "not-applicable")}
    counted = count["killed"] + count["timeout"] + count["survived"]
    print(f"pytest left out: {', '.join(results['ignore']) or 'nothing'}; {len(rows)} mutants run, "
          f"{count['build-failed']} did not build, {count['not-applicable']} not applicable")
    killed = count["killed"] + count["timeout"]
    print(f"killed {killed}/{counted} ({100 * killed / max(counted, 1):.1f}%), of which {count['timeout']} timeouts;"
          f" mean {sum(r['seconds'] for r in rows) / max(len(rows), 1):.0f} s a mutant")
    for i, r in results["results"].items():
        if r["status"] == "survived":
            print(f"  #{i} {r['file']}:{r['line']}\n      {r['original'].strip()}\n   -> {r['mutated'].strip()}")
    if a.compare:  # like with like: only the mutants that built and ran in both runs
        other = json.loads(Path(a.compare).read_text())["results"]
        both = [i for i, r in results["results"].items() if r["status"] in KILLED + ("survived",)
                and other.get(i, {}).get("status") in KILLED + ("survived",)]
        for name, runs in ((a.results, results["results"]), (a.compare, other)):
            print(f"{name}: killed {sum(runs[i]['status'] in KILLED for i in both)}/{len(both)} of the common mutants")
        for i in both:
            if (results["results"][i]["status"] in KILLED) != (other[i]["status"] in KILLED):
                print(f"  #{i} {results['results'][i]['status']} here, {other[i]['status']} in {a.compare}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    s = commands.add_parser("sample")
    s.add_argument("--tree", default=str(HERE.parent))
    s.add_argument("--count", type=int, default=110)
    s.add_argument("--seed", type=int, default=16)
    s.add_argument("--out", default=str(HERE / "mutation_sample.json"))
    r = commands.add_parser("run")
    r.add_argument("--tree", required=True)
    r.add_argument("--sample", default=str(HERE / "mutation_sample.json"))
    r.add_argument("--out", required=True)
    r.add_argument("--ignore", action="append", default=[], help="a pytest path left out (pytest --ignore)")
    r.add_argument("--timeout", type=float, default=600, help="seconds a mutant may take, build included")
    p = commands.add_parser("report")
    p.add_argument("results")
    p.add_argument("--compare", help="another run's results: both kill rates over the mutants counted in both")
    a = parser.parse_args()
    {"sample": sample, "run": run, "report": report}[a.command](a)


if __name__ == "__main__":
    main()
