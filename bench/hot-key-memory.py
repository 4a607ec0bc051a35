#!/usr/bin/env python3
"""Resident memory of orrin before and after hot-key texts of growing size.

usage: bench/hot-key-memory.py ORRIN [MEGABYTES...]   (default 1 10)
Starts orrin in its own X desktop (tests/e2e/xdesktop.py), evaluates "1+2"
once, then for each size offers the sum 1+1+...+1 of that many megabytes on
the clipboard, presses the hot key, waits for the result and, one second
later, prints VmRSS, RssAnon and RssFile in KiB with the time to the result.
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from xdesktop import Desktop, XLib, wait_for  # noqa: E402


def memory(pid):
    with open(f"/proc/{pid}/status") as status:
        fields = dict(line.split(":", 1) for line in status)
    return {key: int(fields[key].split()[0]) for key in ("VmRSS", "RssAnon", "RssFile")}


def hot_key(desktop, text, result, timeout=600):
    desktop.set_clipboard(text)
    xlib = XLib(desktop.display)
    offered_by = xlib.selection_owner("CLIPBOARD")
    desktop.xdotool("key", "ctrl+shift+c")
    started = time.monotonic()
    # xclip serves one reader at a time: read only once orrin owns the clipboard.
    wait_for("orrin to take the clipboard",
             lambda: xlib.selection_owner("CLIPBOARD") != offered_by, timeout)
    xlib.close()
    desktop.wait_clipboard(result, timeout)
    return time.monotonic() - started


def main():
    orrin = os.path.abspath(sys.argv[1])
    sizes = [float(size) for size in sys.argv[2:]] or [1, 10]
    with Desktop(orrin) as desktop:
        open(os.path.join(desktop.cwd, "Orrin.dat"), "wb").close()
        process = desktop.start_orrin()
        # The hot key is taken by the time the window shows.
        desktop.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(process.pid)])
        hot_key(desktop, "1+2", "3")
        time.sleep(1)
        print(f"start          {memory(process.pid)}")
        for size in sizes:
            terms = int(size * 1_000_000) // 2
            seconds = hot_key(desktop, "1+" * (terms - 1) + "1", str(terms))
            time.sleep(1)
            print(f"after {size:g} MB   {memory(process.pid)}  {seconds:.1f} s to the result")


if __name__ == "__main__":
    main()
