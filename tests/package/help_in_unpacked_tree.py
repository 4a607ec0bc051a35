"""Starts an unpacked orrin in a throw-away X desktop, chooses the help
command from the grip's menu and checks the file that the viewer is given
(xdg-open, or xCHM where the desktop has no handler for the help file).

usage: help_in_unpacked_tree.py ORRIN EXPECTED_CHM
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from orrin_cases import expect_equal, start_with_empty_store  # noqa: E402
from xdesktop import Desktop, TestFailure, wait_for  # noqa: E402


def main(orrin_path, expected):
    with Desktop(os.path.abspath(orrin_path)) as desktop:
        try:
            record = os.path.join(desktop.root, "viewer.log")
            for name in ("xdg-open", "xchm"):
                viewer = os.path.join(desktop.root, name)
                with open(viewer, "w", encoding="utf-8") as out:
                    out.write(f"#!/bin/sh\nprintf '%s\\n' \"$@\" > '{record}.part'\n"
                              f"/bin/mv '{record}.part' '{record}'\n")
                os.chmod(viewer, 0o755)
            desktop.env["PATH"] = desktop.root + os.pathsep + desktop.env.get("PATH", "/usr/bin:/bin")
            orrin = start_with_empty_store(desktop)
            orrin.open_grip_menu()
            orrin.keys("h")
            wait_for("the help viewer to start", lambda: os.path.exists(record))
            with open(record, encoding="utf-8") as log:
                expect_equal(log.read().splitlines(), [expected], "the viewer's arguments")
        except TestFailure as failure:
            print(f"FAIL help in the unpacked package: {failure}\n--- orrin's output ---\n"
                  f"{desktop.orrin_log()}", file=sys.stderr)
            return 1
    print("PASS help in the unpacked package")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]) if len(sys.argv) == 3 else 2)
