"""crosscheck.py DIFFERENCES REFERENCE_CALC OTHER_CALC [RUNNER...]: random lines give the same answers through
both programs (OTHER_CALC started through RUNNER), except the differences listed, exactly, in DIFFERENCES."""
import os
import random
from itertools import zip_longest
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from random_lines import MAKERS  # noqa: E402

SAMPLES = [("grammar", 2000, []), ("functions", 800, []), ("hex", 1000, ["--hex"])]


def answers(command, lines):
    return subprocess.run(command, input="\n".join(lines).encode(), capture_output=True).stdout.decode().split("\n")


def main(listing, reference, other, *runner):
    rows = open(listing, encoding="utf-8").read().splitlines()
    listed = {tuple(row.split("\t")) for row in rows if row and row[0] != "#"}
    found = set()
    for kind, count, options in SAMPLES:
        generator = random.Random(17)
        lines = [MAKERS[kind](generator) for _ in range(count)]
        mine, theirs = answers([reference, *options], lines), answers([*runner, other, *options], lines)
        pairs = zip_longest(lines, mine, theirs, fillvalue="(missing)")
        found |= {(kind, str(n), line, a, b) for n, (line, a, b) in enumerate(pairs, 1) if a != b}
    for problem, rows in ("differs, not listed", found - listed), ("listed, no longer differs", listed - found):
        print("".join(f"{problem}:\t" + "\t".join(row) + "\n" for row in sorted(rows)), end="")
    return int(found != listed)



sys.exit(main(*sys.argv[1:]))
