"""The `zentaric` console script's entry point. Loading the package takes about a tenth of a second (the charts, the
drawings, the batch's process pool, the name tables); a Ctrl-C in that time ends like one later, with one line and
status 130 instead of a traceback.

A module of its own, outside the package: importing anything inside zentaric_chart runs the package's __init__ first.
"""
import sys


def main() -> int:
    """`zentaric_chart.cli.main`, loaded here so that an interrupt while it loads is reported like one while it runs."""
    try:
        from zentaric_chart.cli import main as command_line
        return command_line()
    except KeyboardInterrupt:
        print("zentaric: interrupted", file=sys.stderr)
        return 130
