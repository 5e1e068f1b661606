"""Prints the non-blank lines of the tests against those of the code, as the project's budget counts them.

Counted are the files git tracks under tests/ against those of src/, locale/ and the zentaric_chart package, leaving
out generated tables and stored reference data: every path with a data/ directory in it and every .json, .csv, .txt,
.svg and .png file.
`--files` lists each counted test file too.
"""
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]
CODE = ("src", "locale", "zentaric_chart")
TESTS = ("tests",)
EXCLUDED = re.compile(r"(^|/)data/|\.(json|csv|txt|svg|png)$")


def counted_files(paths):
    listing = subprocess.run(["git", "ls-files", "--", *paths], cwd=ROOT, check=True, capture_output=True, text=True)
    return [name for name in listing.stdout.splitlines() if not EXCLUDED.search(name)]


def non_blank_lines(name):
    text = (ROOT / name).read_text(encoding="utf-8", errors="replace")
    return sum(1 for line in text.splitlines() if line.strip())


def main(argv):
    tests = {name: non_blank_lines(name) for name in counted_files(TESTS)}
    code = sum(non_blank_lines(name) for name in counted_files(CODE))
    if "--files" in argv:
        for name, lines in sorted(tests.items()):
            print(f"{lines:6d}  {name}")
    total = sum(tests.values())
    print(f"tests {total} / code {code} non-blank lines = {100 * total / code:.1f}% (budget: at most 35%)")


if __name__ == "__main__":
    main(sys.argv[1:])
