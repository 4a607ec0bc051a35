"""End-to-end cases of the resident calculator on other kinds of desktop: a
status-notifier tray on D-Bus, no tray at all, a second start, a changed hot key.

usage: desktop_cases.py --orrin PATH [--holder PATH] CASE
The status-notifier cases need a private session bus: run them under
dbus-run-session, which this script checks.
"""

import argparse
import os
import re
import subprocess
import sys
import traceback

from orrin_cases import (Orrin, exit_through_tray_menu, expect_equal, read_settings,
                         start_with_empty_store, write_settings)
from xdesktop import Desktop, TestFailure, wait_for

# python3-dbusmock is a Debian package, installed for Debian's interpreter.
SYSTEM_PYTHON = "/usr/bin/python3"
WATCHER_TEMPLATE = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "statusnotifierwatcher.py")


class BusDesktop(Desktop):
    """A Desktop on the session bus of the dbus-run-session that started the test."""

    def _make_env(self):
        env = super()._make_env()
        address = os.environ.get("DBUS_SESSION_BUS_ADDRESS", "")
        if not address or address == "disabled:":
            raise TestFailure("no session bus: run this case under dbus-run-session")
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        return env

    def gdbus_call(self, destination, path, method, *args):
        return self.run(["gdbus", "call", "--session", "--dest", destination,
                         "--object-path", path, "--method", method, *args]).stdout


class StatusNotifierHost:
    """A panel's status-notifier host, as far as the program can tell: the
    watcher on the bus (python-dbusmock) and the calls a host makes on the item."""

    ITEM_PATH = "/StatusNotifierItem"
    ITEM_INTERFACE = "org.kde.StatusNotifierItem"

    def __init__(self, desktop):
        self.desktop = desktop
        desktop.spawn([SYSTEM_PYTHON, "-m", "dbusmock", "--session", "--template",
                       WATCHER_TEMPLATE],
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the status-notifier watcher on the bus", lambda: desktop.gdbus_call(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
            "org.kde.StatusNotifierWatcher").startswith("(true"))

    def item(self):
        """The bus name of the item that registered with the watcher."""
        def registered():
            reply = self.desktop.gdbus_call(
                "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                "org.freedesktop.DBus.Properties.Get", "org.kde.StatusNotifierWatcher",
                "RegisteredStatusNotifierItems")
            names = re.findall(r"'([^']+)'", reply)
            return names[0] if names else None
        return wait_for("the tray icon to register with the watcher", registered)

    def _call(self, method):
        item = self.item()
        self.desktop.gdbus_call(item, self.ITEM_PATH, f"{self.ITEM_INTERFACE}.{method}", "0", "0")
        # The program handles the call from its event loop; a second call is
        # answered only after that, so when it returns the first has been handled.
        self.desktop.gdbus_call(item, self.ITEM_PATH, "org.freedesktop.DBus.Properties.Get",
                                self.ITEM_INTERFACE, "Id")

    def activate(self):
        """A left click on the icon."""
        self._call("Activate")

    def context_menu(self):
        """A right click on the icon of an item that has no menu of its own on the bus."""
        self._call("ContextMenu")


def press_until_exit(orrin, key):
    """Presses a menu item's mnemonic until the program ends: the menu may be
    mapped before it holds the keyboard."""
    for _ in range(4):
        orrin.keys(key)
        try:
            return orrin.exited(timeout=2)
        except TestFailure:
            pass
    orrin.keys(key)
    return orrin.exited()


def activate_other_program(desktop):
    """Starts another program's window and makes it the active one."""
    desktop.spawn(["xmessage", "-name", "otherprogram", "-geometry", "+400+300", "another program"],
                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window = wait_for("the other program's window", lambda: desktop.run(
        ["xdotool", "search", "--onlyvisible", "--classname", "^otherprogram$"],
        check=False).stdout.split())[0]
    desktop.xdotool("windowactivate", "--sync", window)


def open_settings_sheet(orrin):
    orrin.open_grip_menu()
    orrin.keys("s")
    return orrin.window_titled("設定")


# --- the cases -----------------------------------------------------------

def case_status_notifier_click_toggles(desktop):
    host = StatusNotifierHost(desktop)
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    for shown_after in (False, True, False, True):
        host.activate()
        wait_for(f"a click on the icon to {'show' if shown_after else 'hide'} the window",
                 lambda: orrin.main_window_shown() == shown_after)
    expect_equal(desktop.xdotool("getactivewindow").strip(), orrin.main_window(),
                 "the active window after a click showed it")


def case_status_notifier_under_modal_sheet(desktop):
    host = StatusNotifierHost(desktop)
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    sheet = open_settings_sheet(orrin)
    shown_before = set(orrin.visible_windows())
    activate_other_program(desktop)
    host.activate()
    wait_for("the click to bring the settings sheet to the front",
             lambda: desktop.xdotool("getactivewindow").strip() == sheet)
    host.context_menu()
    expect_equal(set(orrin.visible_windows()), shown_before, "windows after click and menu request")
    # Once the sheet is closed the same request opens the menu: the check above could see one.
    orrin.keys("Escape")
    wait_for("the settings sheet to close", lambda: sheet not in orrin.visible_windows())
    host.context_menu()
    wait_for("the tray menu to open", lambda: set(orrin.visible_windows()) - shown_before)
    expect_equal(press_until_exit(orrin, "x"), 0, "exit status after the tray menu's exit")


def case_no_tray_grip_menu_exits(desktop):
    write_settings(desktop, "[Settings]\nNoDisplay=1\n")
    orrin = start_with_empty_store(desktop)
    window = orrin.main_window()  # shown although NoDisplay is stored
    desktop.xdotool("windowmove", "--sync", window, "150", "120")
    wait_for("the window to move", lambda: orrin.geometry(window)[:2] == (150, 120))
    orrin.open_grip_menu()
    expect_equal(press_until_exit(orrin, "x"), 0, "exit status after the grip menu's exit")
    settings = read_settings(desktop)
    for key, expected in (("WindowX", "150"), ("WindowY", "120"), ("NoDisplay", "1")):
        expect_equal(settings.get(f"Settings/{key}"), expected, f"stored {key}")


def case_second_start_shows_hidden_window(desktop):
    first = start_with_empty_store(desktop)
    window = first.main_window()
    first.focus()
    first.keys("alt+F4")
    wait_for("Alt+F4 to hide the window", lambda: not first.main_window_shown())
    second = Orrin(desktop)
    expect_equal(second.exited(), 0, "exit status of the second start")
    wait_for("the second start to show the window", first.main_window_shown)
    expect_equal(first.main_window(), window, "the window shown")
    wait_for("the shown window to be active",
             lambda: desktop.xdotool("getactivewindow").strip() == window)
    exit_through_tray_menu(first)


def case_hot_key_from_settings(desktop, holder):
    write_settings(desktop, "[Settings]\nHotKey=Ctrl+Alt+K\n")
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    desktop.set_clipboard("6*7")
    orrin.keys("ctrl+alt+k")
    desktop.wait_clipboard("42")
    # Ctrl+Shift+C is left to other programs: another client can take it.
    other = desktop.spawn([holder, "--hold-hot-key"], stdin=subprocess.PIPE,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    expect_equal(other.stdout.readline().strip(), b"held", "another client's grab of Ctrl+Shift+C")
    other.stdin.close()
    exit_through_tray_menu(orrin)
    expect_equal(read_settings(desktop).get("Settings/HotKey"), "Ctrl+Alt+K", "stored hot key")


CASES = {
    "status_notifier_click_toggles": (BusDesktop, dict(with_tray=False),
                                      case_status_notifier_click_toggles),
    "status_notifier_under_modal_sheet": (BusDesktop, dict(with_tray=False),
                                          case_status_notifier_under_modal_sheet),
    "no_tray_grip_menu_exits": (Desktop, dict(with_tray=False), case_no_tray_grip_menu_exits),
    "second_start_shows_hidden_window": (Desktop, {}, case_second_start_shows_hidden_window),
    "hot_key_from_settings": (Desktop, {}, case_hot_key_from_settings),
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orrin", required=True)
    parser.add_argument("--holder", help="a program that takes Ctrl+Shift+C: tst_globalhotkey")
    parser.add_argument("case", choices=sorted(CASES))
    options = parser.parse_args()
    kind, settings, case = CASES[options.case]
    desktop = kind(os.path.abspath(options.orrin), **settings)
    extra = [os.path.abspath(options.holder)] if options.case == "hot_key_from_settings" else []
    try:
        with desktop:
            try:
                case(desktop, *extra)
            except TestFailure as failure:
                print(f"FAIL {options.case}: {failure}", file=sys.stderr)
                log = desktop.orrin_log()
                if log:
                    print(f"--- orrin's output ---\n{log}", file=sys.stderr)
                return 1
    except Exception:  # a broken tool or harness: show where
        traceback.print_exc()
        return 1
    print(f"PASS {options.case}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
