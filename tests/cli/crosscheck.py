#!/usr/bin/env python3
"""Random lines through two orrin-calc builds give the same answers, except
the differences listed, exactly, in the file given.

crosscheck.py DIFFERENCES REFERENCE_CALC OTHER_CALC [RUNNER...]
OTHER_CALC is started through RUNNER (an emulator) when one is given.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import random_lines  # noqa: E402

SAMPLES = [("grammar", 2000, []), ("functions", 1000, []), ("hex", 1000, ["--hex"])]


def answers(command, lines):
    text = "".join(line + "\n" for line in lines)
    return subprocess.run(command, input=text.encode(), capture_output=True, check=False).stdout.decode().split("\n")


def main():
    listed_file, reference, other, runner = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    with open(listed_file, encoding="utf-8") as listing:
        listed = {tuple(row.rstrip("\n").split("\t")) for row in listing if row.strip() and row[0] != "#"}
    found = set()
    for kind, count, options in SAMPLES:
        maker = random_lines.MAKERS[kind]
        generator = random_lines.random.Random(17)
        lines = [maker(generator) for _ in range(count)]
        mine = answers([reference, *options], lines)
        theirs = answers([*runner, other, *options], lines)
        if len(mine) != len(theirs):
            sys.exit(f"{kind}: {len(mine)} answers against {len(theirs)}")
        for number, (line, a, b) in enumerate(zip(lines, mine, theirs), 1):
            if a != b:
                found.add((kind, str(number), line, a, b))
    for row in sorted(found - listed):
        print("differs, not listed:\t" + "\t".join(row))
    for row in sorted(listed - found):
        print("listed, no longer differs:\t" + "\t".join(row))
    return 1 if found != listed else 0


if __name__ == "__main__":
    sys.exit(main())
