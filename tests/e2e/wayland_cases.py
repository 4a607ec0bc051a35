"""End-to-end cases of the resident calculator in a Wayland session.

usage: wayland_cases.py --orrin PATH CASE
Each case runs in its own SwayDesktop (swaydesktop.py): headless sway with
XWayland, a private session bus with a mock GlobalShortcuts portal.
"""

import argparse
import os
import subprocess
import sys
import time
import traceback

from swaydesktop import SwayDesktop
from xdesktop import TestFailure, wait_for

CLIPBOARD_WATCH = 1.0


def expect(condition, message):
    if not condition:
        raise TestFailure(message)


def start_orrin(desktop, **env_changes):
    # An empty data file: no missing-file warning at start, an empty store.
    empty = os.path.join(desktop.cwd, "Orrin.dat")
    with open(empty, "wb"):
        pass
    os.chown(empty, desktop.user.pw_uid, desktop.user.pw_gid)
    return desktop.start_orrin(**env_changes)


def windows_of(desktop, process):
    return [window for window in desktop.windows() if window["pid"] == process.pid]


def focus_other_window(desktop):
    """A native Wayland window of another program, focused."""
    other = desktop.spawn(["wev"])
    wait_for("the other window to have focus",
             lambda: (desktop.focused_window() or {}).get("pid") == other.pid)
    return other


def case_strip_through_xwayland(desktop):
    for platform, shell in ((None, "xwayland"), ("wayland", "xdg_shell")):
        orrin = start_orrin(desktop, **({"QT_QPA_PLATFORM": platform} if platform else {}))
        strip = wait_for("the strip to be mapped", lambda: windows_of(desktop, orrin))[0]
        expect(strip["shell"] == shell,
               f"with QT_QPA_PLATFORM={platform} the strip is a {strip['shell']} window, not {shell}")
        orrin.terminate()
        orrin.wait(timeout=10)


def case_hot_key_without_focus(desktop):
    orrin = start_orrin(desktop)
    wait_for("the strip to be mapped", lambda: windows_of(desktop, orrin))
    other = focus_other_window(desktop)
    for expression, outcome in (("6*7", "42"), ("1/0", "Division by zero.")):
        desktop.set_clipboard(expression)
        desktop.activate_shortcut()
        desktop.wait_clipboard(outcome)
    focused = desktop.focused_window() or {}
    expect(focused.get("pid") == other.pid, "the hot key took the focus from the other window")
    # Pasted into the strip, the result comes back through XWayland from
    # Orrin's own data-control source while Qt waits for it.
    desktop.set_clipboard("6*7")
    desktop.activate_shortcut()
    desktop.wait_clipboard("42")
    desktop.run(["swaymsg", f"[pid={orrin.pid}] focus"])
    desktop.run(["xdotool", "key", "ctrl+v", "Return", "ctrl+c"])
    desktop.wait_clipboard("42 : 42")


def case_no_data_control_says_so(desktop):
    orrin = start_orrin(desktop)
    wait_for("the strip to be mapped", lambda: windows_of(desktop, orrin))
    focus_other_window(desktop)
    desktop.set_clipboard("6*7")
    desktop.activate_shortcut()
    box = wait_for("the message box", lambda: [
        window for window in windows_of(desktop, orrin)
        if (window.get("window_properties") or {}).get("window_type") == "dialog"])[0]
    expect(box["name"] == "Orrin", f"the message box is titled {box['name']!r}")
    desktop.run(["swaymsg", f"[con_id={box['id']}] kill"])
    wait_for("the message box to close",
             lambda: box["id"] not in [window["id"] for window in windows_of(desktop, orrin)])
    # Nothing would announce a write: watch the clipboard for a while.
    deadline = time.monotonic() + CLIPBOARD_WATCH
    while time.monotonic() < deadline:
        expect(desktop.clipboard_text() == "6*7", "the clipboard changed without data-control")
        time.sleep(0.1)


def case_no_data_control_x11_key_uses_x11_clipboard(desktop):
    # No portal either: the key is the X11 grab, pressed in Orrin's X11 window.
    orrin = start_orrin(desktop)
    wait_for("the strip to be mapped", lambda: windows_of(desktop, orrin))
    desktop.run(["swaymsg", f"[pid={orrin.pid}] focus"])
    owner = desktop.spawn(["xclip", "-selection", "clipboard", "-quiet"], stdin=subprocess.PIPE)
    owner.stdin.write(b"6*7")
    owner.stdin.close()
    wait_for("the X11 clipboard to hold '6*7'", lambda: x11_clipboard(desktop) == "6*7")
    desktop.run(["xdotool", "key", "ctrl+shift+c"])
    wait_for("the X11 clipboard to hold '42'", lambda: x11_clipboard(desktop) == "42")


def x11_clipboard(desktop):
    return desktop.run(["xclip", "-o", "-selection", "clipboard"], check=False).stdout


CASES = {name[len("case_"):]: function for name, function in globals().items()
         if name.startswith("case_")}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orrin", required=True)
    parser.add_argument("case", choices=sorted(CASES))
    options = parser.parse_args()
    desktop = SwayDesktop(os.path.abspath(options.orrin),
                          hide_data_control=options.case.startswith("no_data_control"),
                          with_portal=options.case != "no_data_control_x11_key_uses_x11_clipboard")
    with desktop:
        try:
            CASES[options.case](desktop)
        except TestFailure as failure:
            print(f"FAIL {options.case}: {failure}", file=sys.stderr)
            print(desktop.logs(), file=sys.stderr)
            return 1
        except Exception:  # a broken tool or harness: show where
            traceback.print_exc()
            print(desktop.logs(), file=sys.stderr)
            return 1
    print(f"PASS {options.case}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
