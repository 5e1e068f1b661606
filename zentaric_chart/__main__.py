"""`python -m zentaric_chart`: the `zentaric` command line."""
import sys

from zentaric_chart.cli import main

sys.exit(main())
