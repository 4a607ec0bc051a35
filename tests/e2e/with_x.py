"""Runs one command inside a fresh Xvfb (no window manager, no tray) and
passes its exit status on: for test programs that need a real X server."""

import os
import subprocess
import sys

from xdesktop import Desktop


def main(argv):
    if not argv:
        print("usage: with_x.py COMMAND [ARG...]", file=sys.stderr)
        return 2
    if "/" in argv[0]:
        argv = [os.path.abspath(argv[0]), *argv[1:]]
    with Desktop(with_tray=False, with_wm=False) as desktop:
        return subprocess.run(argv, env=desktop.env, cwd=desktop.cwd).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
