"""Starts an unpacked orrin in a throw-away X desktop, chooses the help
command from the grip's menu and checks which file the CHM viewer is given.

usage: help_in_unpacked_tree.py --orrin PATH --expect CHM
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from orrin_cases import start_with_empty_store  # noqa: E402
from xdesktop import Desktop, TestFailure, wait_for  # noqa: E402


def fake_viewer(desktop, record):
    """An xdg-open that writes its arguments, one a line, to record."""
    bin_dir = os.path.join(desktop.root, "viewer-bin")
    os.mkdir(bin_dir)
    script = os.path.join(bin_dir, "xdg-open")
    with open(script, "w", encoding="utf-8") as out:
        out.write(f"#!/bin/sh\nprintf '%s\\n' \"$@\" > '{record}.part'\n"
                  f"/bin/mv '{record}.part' '{record}'\n")
    os.chmod(script, 0o755)
    desktop.env["PATH"] = bin_dir + os.pathsep + desktop.env.get("PATH", "/usr/bin:/bin")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orrin", required=True)
    parser.add_argument("--expect", required=True)
    options = parser.parse_args()
    with Desktop(os.path.abspath(options.orrin)) as desktop:
        try:
            record = os.path.join(desktop.root, "viewer.log")
            fake_viewer(desktop, record)
            orrin = start_with_empty_store(desktop)
            orrin.open_grip_menu()
            orrin.keys("h")
            wait_for("the help viewer to start", lambda: os.path.exists(record))
            with open(record, encoding="utf-8") as log:
                given = log.read().splitlines()
            if given != [options.expect]:
                raise TestFailure(f"the viewer got {given!r}, expected [{options.expect!r}]")
        except TestFailure as failure:
            print(f"FAIL help in the unpacked package: {failure}", file=sys.stderr)
            print(f"--- orrin's output ---\n{desktop.orrin_log()}", file=sys.stderr)
            return 1
    print("PASS help in the unpacked package")
    return 0


if __name__ == "__main__":
    sys.exit(main())
