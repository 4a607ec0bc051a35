"""End-to-end cases of the resident calculator in a real X desktop.

usage: orrin_cases.py --orrin PATH [--holder PATH] CASE
Each case runs in its own Desktop (xdesktop.py): its own Xvfb, openbox,
trayer (unless DESKTOPS says otherwise), HOME, XDG directories and working
directory. The status_notifier cases need the private session bus of
dbus-run-session.
"""

import argparse
import os
import re
import signal
import struct
import subprocess
import sys
import traceback
import zlib

from xdesktop import Desktop, TestFailure, XLib, wait_for

EXIT_TIMEOUT = 10


def expect(condition, message):
    if not condition:
        raise TestFailure(message)


def expect_equal(actual, expected, what):
    expect(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


# --- the data file ------------------------------------------------------

def counted_string(text):
    """The data file's counted string in its one-, three- or seven-byte prefix form."""
    if len(text) < 0xFF:
        return bytes([len(text)]) + text
    if len(text) < 0xFFFE:
        return b"\xff" + struct.pack("<H", len(text)) + text
    return b"\xff\xff\xff" + struct.pack("<I", len(text)) + text


def data_file(records):
    body = b"".join(counted_string(name) + struct.pack("<d", value) + counted_string(description)
                    for name, value, description in records)
    return struct.pack("<I", len(records)) + body


def png_image():
    """A valid 2 x 2 grey PNG, made here so that no image file is needed."""
    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload)))
    rows = b"".join(b"\x00" + b"\x80\x80" for _ in range(2))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 2, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


# --- the program under test ---------------------------------------------

class Orrin:
    """One running orrin process and the windows it shows."""

    def __init__(self, desktop, *args):
        self.desktop = desktop
        self.process = desktop.start_orrin(*args)

    @property
    def pid(self):
        return self.process.pid

    def visible_windows(self):
        result = self.desktop.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.pid)],
                                  check=False)
        return result.stdout.split()

    def _window_types(self, window):
        return self.desktop.run(["xprop", "-id", window, "_NET_WM_WINDOW_TYPE"], check=False).stdout

    def main_window_now(self):
        for window in self.visible_windows():
            if "_NET_WM_WINDOW_TYPE_UTILITY" in self._window_types(window):
                return window
        return None

    def main_window(self):
        """The strip, once it is mapped."""
        return wait_for("the main window to be mapped", self.main_window_now)

    def dialog(self, timeout=10):
        """A message box or dialog of the program, once it is mapped."""
        def find():
            for window in self.visible_windows():
                if "_NET_WM_WINDOW_TYPE_DIALOG" in self._window_types(window):
                    return window
            return None
        return wait_for("a dialog to be mapped", find, timeout)

    def main_window_shown(self):
        return self.main_window_now() is not None

    def tray_icon(self):
        """The tray icon's window, once trayer has embedded it."""
        def embedded():
            panels = self.desktop.run(["xdotool", "search", "--classname", "^panel$"],
                                      check=False).stdout.split()
            tree = "".join(self.desktop.run(["xwininfo", "-tree", "-id", panel], check=False).stdout
                           for panel in panels)
            for window in self.visible_windows():
                if f"{int(window):#x} " in tree:
                    return window
            return None
        return wait_for("the tray icon inside trayer", embedded)

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        values = {}
        for line in self.desktop.xdotool("getwindowgeometry", "--shell", window).split():
            key, _, value = line.partition("=")
            values[key] = int(value)
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def focus(self):
        self.desktop.xdotool("windowactivate", "--sync", self.main_window())

    def type(self, text):
        self.desktop.xdotool("type", "--delay", "1", text)

    def keys(self, *keys):
        self.desktop.xdotool("key", *keys)

    def exited(self, timeout=EXIT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure(f"orrin (pid {self.pid}) did not end within {timeout} s") from None

    def window_titled(self, title):
        """A visible window of the program with exactly this title, once it is mapped."""
        def find():
            for window in self.visible_windows():
                name = self.desktop.run(["xdotool", "getwindowname", window], check=False).stdout
                if name.rstrip("\n") == title:
                    return window
            return None
        return wait_for(f"a window titled {title!r}", find)

    def open_grip_menu(self):
        window = self.main_window()
        shown_before = set(self.visible_windows())
        self.desktop.xdotool("mousemove", "--window", window, "5", "5", "click", "3")
        return wait_for("the grip's menu to open",
                        lambda: set(self.visible_windows()) - shown_before)

    def open_tray_menu(self):
        icon = self.tray_icon()
        shown_before = set(self.visible_windows())

        def menu_shown():
            return set(self.visible_windows()) - shown_before - {icon}

        # An icon just embedded may not take clicks yet (slow in the
        # sanitizer build): click again while no menu has opened.
        for _ in range(4):
            self.desktop.xdotool("mousemove", "--window", icon, "5", "5", "click", "3")
            try:
                return wait_for("the tray menu to open", menu_shown, timeout=2)
            except TestFailure:
                pass
        self.desktop.xdotool("mousemove", "--window", icon, "5", "5", "click", "3")
        return wait_for("the tray menu to open", menu_shown)


# --- the cases -----------------------------------------------------------

def start_with_empty_store(desktop, *args):
    # An empty data file: no missing-file warning at start, an empty store.
    with open(os.path.join(desktop.cwd, "Orrin.dat"), "wb"):
        pass
    return Orrin(desktop, *args)


def write_settings(desktop, text):
    folder = os.path.join(desktop.config_home, "Velnor")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "Orrin.conf"), "w", encoding="utf-8") as settings:
        settings.write(text)


def read_settings(desktop):
    path = os.path.join(desktop.config_home, "Velnor", "Orrin.conf")
    expect(os.path.exists(path), f"{path} was not written")
    values = {}
    section = None
    with open(path, encoding="utf-8") as settings:
        for line in settings:
            line = line.strip()
            if line.startswith("["):
                section = line.strip("[]")
            elif "=" in line:
                key, _, value = line.partition("=")
                values[f"{section}/{key}"] = value
    return values


def evaluate_and_copy(orrin, rows):
    """Types each expression over the selected last line, evaluates it with the
    row's key and copies the box's line with the row's copy key."""
    orrin.focus()
    for expression, evaluate_key, copy_key, expected in rows:
        orrin.type(expression)
        orrin.keys(evaluate_key)
        orrin.keys(copy_key)
        orrin.desktop.wait_clipboard(expected)


def case_enter_evaluates(desktop):
    orrin = start_with_empty_store(desktop)
    evaluate_and_copy(orrin, [
        ("2*(3+4)", "Return", "ctrl+c", "2*(3+4) : 14"),
        ("1/0", "Return", "ctrl+c", "1/0 : Division by zero."),
        ("x=6", "shift+Return", "ctrl+Insert", "x=6 : 6"),
        ("x*7", "ctrl+Return", "ctrl+c", "x*7 : 42"),
        (" 1+2", "Return", "ctrl+c", " 1+2 : Syntax error."),
    ])


def case_paste_then_evaluate(desktop):
    orrin = start_with_empty_store(desktop)
    orrin.focus()
    for offered, paste_key, expected in (("6*7", "ctrl+v", "6*7 : 42"),
                                         ("0x20", "shift+Insert", "0x20 : 32")):
        desktop.set_clipboard(offered)
        orrin.keys(paste_key, "Return", "ctrl+c")
        desktop.wait_clipboard(expected)


def case_ctrl_shift_h_evaluates_hex(desktop):
    orrin = start_with_empty_store(desktop)
    evaluate_and_copy(orrin, [
        ("255", "ctrl+shift+h", "ctrl+c", "255 : 0xff"),
        ("16*16", "ctrl+shift+h", "ctrl+c", "16*16 : 0x100"),
        ("255", "Return", "ctrl+c", "255 : 255"),
    ])


def case_enter_with_history_list_open(desktop):
    orrin = start_with_empty_store(desktop)
    evaluate_and_copy(orrin, [("x=x+1", "Return", "ctrl+c", "x=x+1 : 1"),
                              ("0", "Return", "ctrl+c", "0 : 0")])
    orrin.type("6*7")
    # The box's text; then lines highlighted with the arrow keys, each
    # evaluated at once (x=x+1 counts the evaluations).
    for keys, expected in ((("F4", "Return"), "6*7 : 42"),
                           (("F4", "Down", "Down", "Return"), "x=x+1 : 2"),
                           (("alt+Down", "Down", "ctrl+shift+h"), "6*7 : 0x2a")):
        orrin.keys(*keys, "ctrl+c")
        desktop.wait_clipboard(expected)


def hot_key_rows(orrin, rows):
    for offered, target, expected in rows:
        orrin.desktop.set_clipboard(offered, target)
        orrin.keys("ctrl+shift+c")
        orrin.desktop.wait_clipboard(expected)


HOT_KEY_ROWS = [
    ("1+2", "UTF8_STRING", "3"),
    ("1/0", "UTF8_STRING", "Division by zero."),
    ("1+2\n", "UTF8_STRING", "Syntax error."),
    (png_image(), "image/png", "Syntax error."),
    ("1+2 : 3", "UTF8_STRING", "Syntax error."),
    ("0x10*2", "UTF8_STRING", "32"),
]


def case_hot_key_replaces_clipboard(desktop):
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    hot_key_rows(orrin, HOT_KEY_ROWS)
    hot_key_rows(orrin, [("1/0", "UTF8_STRING", "Division by zero.")])
    orrin.keys("ctrl+shift+c")  # evaluates the previous press's message, which is no expression
    desktop.wait_clipboard("Syntax error.")


def status_kib(pid, field):
    with open(f"/proc/{pid}/status") as status:
        return int(next(line for line in status if line.startswith(field + ":")).split()[1])


def case_large_hot_key_text_returns_memory(desktop):
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    hot_key_rows(orrin, HOT_KEY_ROWS[:1])
    before = status_kib(orrin.pid, "VmRSS")
    desktop.set_clipboard("1+" * 999_999 + "1")  # 2 MB
    xlib = XLib(desktop.display)
    offered_by = xlib.selection_owner("CLIPBOARD")
    orrin.keys("ctrl+shift+c")
    # xclip serves one reader at a time and ends when it loses the clipboard:
    # read it only once Orrin has taken it.
    wait_for("Orrin to take the clipboard", lambda: xlib.selection_owner("CLIPBOARD") != offered_by, 60)
    xlib.close()
    desktop.wait_clipboard("1000000")
    after = status_kib(orrin.pid, "VmRSS")
    expect(after - before <= 2048, f"resident memory {before} KiB before, {after} KiB after")


def case_text_beyond_memory_limit(desktop):
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    # 4.2 MB of nested negations take about 6 bytes a byte to read, for a
    # moment, and 10 to evaluate: the limit lies in between.
    limit = (status_kib(orrin.pid, "VmSize") + 36 * 1024) * 1024
    desktop.run(["prlimit", f"--pid={orrin.pid}", f"--as={limit}:"])
    text = b"(-" * 1_400_000 + b"1" + b")" * 1_400_000
    desktop.set_clipboard(text)
    orrin.keys("ctrl+shift+c")
    box = orrin.dialog(timeout=60)
    expect(desktop.clipboard_bytes() == text, "the clipboard changed after the memory error")
    desktop.xdotool("windowactivate", "--sync", box)
    orrin.keys("Return")
    hot_key_rows(orrin, HOT_KEY_ROWS[:1])  # the program runs on


def case_hot_key_while_hidden(desktop):
    write_settings(desktop, "[Settings]\nNoDisplay=1\n")
    orrin = start_with_empty_store(desktop)
    orrin.tray_icon()
    hot_key_rows(orrin, HOT_KEY_ROWS[:2])
    expect(not orrin.main_window_shown(), "the hot key showed the hidden window")


def case_missing_data_file_warns(desktop):
    orrin = Orrin(desktop)  # no Orrin.dat in the working directory
    box = orrin.dialog()
    title = desktop.xdotool("getwindowname", box).strip()
    expect_equal(title, "Orrin", "title of the warning")
    desktop.xdotool("windowactivate", "--sync", box)
    orrin.keys("Return")
    orrin.main_window()
    wait_for("the warning to close", lambda: box not in orrin.visible_windows())
    hot_key_rows(orrin, HOT_KEY_ROWS[:1])  # the program runs on with an empty store


def case_hot_key_taken_by_another_client(desktop, holder):
    other = desktop.spawn([holder, "--hold-hot-key"], stdin=subprocess.PIPE,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    expect_equal(other.stdout.readline().strip(), b"held", "the other client's grab")
    orrin = start_with_empty_store(desktop)
    evaluate_and_copy(orrin, [("1+2", "Return", "ctrl+c", "1+2 : 3")])
    expect(orrin.process.poll() is None, "orrin ended without the hot key")


def case_tray_double_click_toggles(desktop):
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    icon = orrin.tray_icon()
    for shown_after in (False, True, False):
        desktop.xdotool("mousemove", "--window", icon, "5", "5",
                        "click", "--repeat", "2", "--delay", "40", "1")
        wait_for(f"a double-click to {'show' if shown_after else 'hide'} the window",
                 lambda: orrin.main_window_shown() == shown_after)
    expect(orrin.process.poll() is None, "the double-click ended the program")


def case_second_instance_exits(desktop):
    first = start_with_empty_store(desktop)
    window = first.main_window()
    where = first.geometry(window)
    second = Orrin(desktop)
    expect_equal(second.exited(), 0, "exit status of the second instance")
    expect(first.process.poll() is None, "the first instance ended")
    expect_equal(first.main_window_now(), window, "the first instance's window")
    expect_equal(first.geometry(window), where, "the first instance's window position")


def case_restart_after_kill(desktop):
    first = start_with_empty_store(desktop)
    first.main_window()
    first.process.send_signal(signal.SIGKILL)
    first.process.wait()
    restarted = Orrin(desktop)
    restarted.main_window()
    hot_key_rows(restarted, HOT_KEY_ROWS[:1])
    third = Orrin(desktop)
    expect_equal(third.exited(), 0, "exit status of a second instance beside the restarted one")


def press_exit_mnemonic(orrin, menu):
    # The menu may be mapped before it holds the keyboard: press the exit
    # item's mnemonic again while the program still runs.
    for _ in range(4):
        orrin.keys("x")
        try:
            status = orrin.exited(timeout=2)
            break
        except TestFailure:
            pass
    else:
        orrin.keys("x")
        status = orrin.exited()
    expect_equal(status, 0, f"exit status after the {menu} menu's exit")


def exit_through_tray_menu(orrin):
    orrin.open_tray_menu()
    press_exit_mnemonic(orrin, "tray")


def case_tray_exit_writes_settings(desktop):
    settings_file = os.path.join(desktop.config_home, "Velnor", "Orrin.conf")
    for row, (x, y), hide_first in (("shown", (240, 180), False), ("hidden", (260, 200), True)):
        if os.path.exists(settings_file):
            os.remove(settings_file)  # each row must write its own
        orrin = start_with_empty_store(desktop)
        window = orrin.main_window()
        desktop.xdotool("windowmove", "--sync", window, str(x), str(y))
        wait_for("the window to move", lambda: orrin.geometry(window)[:2] == (x, y))
        if hide_first:
            orrin.focus()
            orrin.keys("alt+F4")
            wait_for("Alt+F4 to hide the window", lambda: not orrin.main_window_shown())
            expect(orrin.process.poll() is None, "Alt+F4 ended the program")
        exit_through_tray_menu(orrin)
        settings = read_settings(desktop)
        for key, expected in (("WindowX", str(x)), ("WindowY", str(y)), ("WindowWidth", "300"),
                              ("WindowHeight", "30"), ("NoDisplay", "0")):
            expect_equal(settings.get(f"Settings/{key}"), expected, f"{row}: stored {key}")


def case_start_hidden_chosen_in_sheet(desktop):
    orrin = start_with_empty_store(desktop)
    orrin.open_grip_menu()
    orrin.keys("s")  # the settings item's mnemonic
    sheet = orrin.window_titled("設定")
    # A click on the text of "起動時に非表示" on the first page ticks it; Enter is OK.
    desktop.xdotool("mousemove", "--window", sheet, "100", "91", "click", "1")
    orrin.keys("Return")
    wait_for("the settings sheet to close", lambda: sheet not in orrin.visible_windows())
    exit_through_tray_menu(orrin)
    expect_equal(read_settings(desktop).get("Settings/NoDisplay"), "1", "stored NoDisplay")
    restarted = Orrin(desktop)
    restarted.tray_icon()
    expect(not restarted.main_window_shown(), "the window was shown at the next start")


def case_data_file_constants(desktop):
    gravity_note = ("重力加速度 ".encode("cp932")) * 30   # 330 bytes: the three-byte prefix
    long_note = b"n" * 70000                             # the seven-byte prefix
    with open(os.path.join(desktop.cwd, "Orrin.dat"), "wb") as data:
        data.write(data_file([(b"g", 9.80665, gravity_note), (b"k2", 2.5, b""),
                              (b"big", -1.5, long_note)]))
    orrin = Orrin(desktop)
    evaluate_and_copy(orrin, [
        ("g*k2", "Return", "ctrl+c", "g*k2 : 24.516625"),
        ("g*k2+big", "Return", "ctrl+c", "g*k2+big : 23.016625"),
    ])


def data_file_bytes(desktop):
    with open(os.path.join(desktop.cwd, "Orrin.dat"), "rb") as data:
        return data.read()


def wait_data_file(desktop, expected):
    seen = []

    def probe():
        seen.append(data_file_bytes(desktop))
        return seen[-1] == expected

    try:
        wait_for("Orrin.dat to be written", probe)
    except TestFailure as failure:
        raise TestFailure(f"{failure}; expected {expected.hex(' ')}, "
                          f"last seen {seen[-1].hex(' ')}") from None


def open_constants_page(orrin):
    """Opens the settings sheet from the grip's menu and selects its second tab."""
    orrin.open_grip_menu()
    orrin.keys("s")  # the settings item's mnemonic
    sheet = orrin.window_titled("設定")
    orrin.desktop.xdotool("windowactivate", "--sync", sheet)
    orrin.keys("ctrl+Tab")
    return sheet


def add_constant(orrin, name, value, description):
    """Fills the constant edit dialog through the new button and closes it with OK."""
    orrin.keys("alt+n")
    dialog = orrin.window_titled("変数")
    orrin.desktop.xdotool("windowactivate", "--sync", dialog)
    orrin.type(name)
    orrin.keys("Tab", "ctrl+a")
    orrin.type(value)
    # xdotool drops characters of Japanese text: the description is pasted.
    orrin.desktop.set_clipboard(description)
    orrin.keys("Tab", "ctrl+v", "Return")
    wait_for("the edit dialog to close", lambda: dialog not in orrin.visible_windows())


def close_sheet(orrin, sheet, key):
    """Closes the sheet with a key pressed in the empty part of its list: Enter
    reaches the sheet's OK button from there, Escape its cancel button."""
    _, _, width, height = orrin.geometry(sheet)
    orrin.desktop.xdotool("mousemove", "--window", sheet, str(width // 2), str(height // 2),
                          "click", "1")
    orrin.keys(key)
    wait_for("the settings sheet to close", lambda: sheet not in orrin.visible_windows())


GRAVITY_NOTE = "標準重力加速度（ｍ／ｓ２）"


def case_settings_sheet_adds_constant(desktop):
    orrin = start_with_empty_store(desktop)
    sheet = open_constants_page(orrin)
    add_constant(orrin, "g", "9.80665", GRAVITY_NOTE)
    close_sheet(orrin, sheet, "Return")
    wait_data_file(desktop, data_file([(b"G", 9.80665, GRAVITY_NOTE.encode("cp932"))]))
    evaluate_and_copy(orrin, [("G*2", "Return", "ctrl+c", "G*2 : 19.6133")])


def case_settings_sheet_cancel_saves_store(desktop):
    with open(os.path.join(desktop.cwd, "Orrin.dat"), "wb") as data:
        data.write(data_file([(b"A1", 0.5, "半分".encode("cp932"))]))
    orrin = Orrin(desktop)
    evaluate_and_copy(orrin, [("x=3", "Return", "ctrl+c", "x=3 : 3")])
    sheet = open_constants_page(orrin)
    add_constant(orrin, "g", "9.80665", GRAVITY_NOTE)
    close_sheet(orrin, sheet, "Escape")
    # Cancel drops the new constant but still writes the whole store, the
    # assigned variable with an empty description.
    wait_data_file(desktop, data_file([(b"A1", 0.5, "半分".encode("cp932")), (b"x", 3.0, b"")]))
    # An undefined name reads as 0: G must not have reached the engine.
    evaluate_and_copy(orrin, [("A1*x+G", "Return", "ctrl+c", "A1*x+G : 1.5")])


# --- other desktops: a status-notifier tray, no tray, a second start, another hot key

def status_notifier_host(desktop):
    """A panel's status-notifier host as the program sees it: python3-dbusmock
    (Debian's interpreter) as the watcher; returns a function that calls a
    method of the registered item and returns once the program has handled it."""
    watcher, path = "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher"

    def call(destination, object_path, method, *args):
        return desktop.run(["gdbus", "call", "--session", "--dest", destination,
                            "--object-path", object_path, "--method", method, *args]).stdout
    desktop.spawn(["/usr/bin/python3", "-m", "dbusmock", "--session", watcher, path, watcher],
                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("the watcher on the bus", lambda: call("org.freedesktop.DBus", "/org/freedesktop/DBus",
             "org.freedesktop.DBus.NameHasOwner", watcher).startswith("(true"))
    call(watcher, path, "org.freedesktop.DBus.Mock.AddProperties", watcher,
         "{'IsStatusNotifierHostRegistered': <true>, 'RegisteredStatusNotifierItems': <@as []>}")
    call(watcher, path, "org.freedesktop.DBus.Mock.AddMethod", watcher, "RegisterStatusNotifierItem",
         "s", "", f"self.Set('{watcher}', 'RegisteredStatusNotifierItems', [args[0]])")

    def item_call(method, object_path="/StatusNotifierItem", *args):
        item = wait_for("the icon to register", lambda: re.findall(r"'([^']+)'", call(
            watcher, path, "org.freedesktop.DBus.Properties.Get", watcher,
            "RegisteredStatusNotifierItems")))[0]
        call(item, object_path, method if "." in method else f"org.kde.StatusNotifierItem.{method}",
             *(args or ("0", "0")))
        # Answered from the event loop only after the call before it has been handled.
        call(item, "/StatusNotifierItem", "org.freedesktop.DBus.Properties.Get",
             "org.kde.StatusNotifierItem", "Id")
    return item_call


def case_status_notifier_click_toggles(desktop):
    host = status_notifier_host(desktop)
    orrin = start_with_empty_store(desktop)
    window = orrin.main_window()
    for shown_after in (False, True):
        host("Activate")
        wait_for("a click to toggle the window", lambda: orrin.main_window_shown() == shown_after)
    wait_for("the shown window to be active", lambda: desktop.xdotool("getactivewindow").strip() == window)


def case_status_notifier_under_modal_sheet(desktop):
    host = status_notifier_host(desktop)
    orrin = start_with_empty_store(desktop)
    sheet = open_constants_page(orrin)
    shown = set(orrin.visible_windows())
    other = desktop.spawn(["xmessage", "-name", "other", "another program"], stderr=subprocess.DEVNULL)
    desktop.xdotool("windowactivate", "--sync", wait_for("another program's window", lambda: desktop.run(
        ["xdotool", "search", "--onlyvisible", "--classname", "^other$"], check=False).stdout.split())[0])
    host("Activate")
    wait_for("the sheet to come to the front", lambda: desktop.xdotool("getactivewindow").strip() == sheet)
    host("ContextMenu")
    host("com.canonical.dbusmenu.Event", "/MenuBar", "10", "clicked", "<0>", "0")  # 常駐の終了
    expect_equal(set(orrin.visible_windows()), shown, "the program's windows after a click and menu commands")
    other.terminate()
    close_sheet(orrin, sheet, "Escape")
    host("ContextMenu")  # now it opens the menu: the check above could see one
    wait_for("the tray menu", lambda: set(orrin.visible_windows()) - shown)
    press_exit_mnemonic(orrin, "tray")


def case_no_tray_grip_menu_exits(desktop):
    write_settings(desktop, "[Settings]\nNoDisplay=1\nWindowX=150\nWindowY=120\n")
    orrin = start_with_empty_store(desktop)
    window = orrin.main_window()  # although NoDisplay is stored
    wait_for("the window at its stored place", lambda: orrin.geometry(window)[:2] == (150, 120))
    # openbox places the strip after Qt has read where it is: the menu opens
    # at the click all the same, and the place stored is the real one.
    menu_x, menu_y = orrin.geometry(next(iter(orrin.open_grip_menu())))[:2]
    expect(abs(menu_x - 155) <= 10 and abs(menu_y - 125) <= 10,
           f"the grip menu opened at {menu_x},{menu_y}, not at the click on the strip")
    press_exit_mnemonic(orrin, "grip")
    settings = read_settings(desktop)
    expect_equal([settings.get(f"Settings/{key}") for key in ("WindowX", "WindowY", "NoDisplay")],
                 ["150", "120", "1"], "stored position and NoDisplay")


def case_tray_started_later_takes_icon(desktop):
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    desktop.start_tray_host()
    desktop.xdotool("mousemove", "--window", orrin.tray_icon(), "5", "5",
                    "click", "--repeat", "2", "--delay", "40", "1")
    wait_for("a double-click on the icon to hide the window", lambda: not orrin.main_window_shown())


def case_second_start_shows_hidden_window(desktop):
    first = start_with_empty_store(desktop)
    window = first.main_window()
    first.focus()
    first.keys("alt+F4")
    wait_for("Alt+F4 to hide the window", lambda: not first.main_window_shown())
    expect_equal(Orrin(desktop).exited(), 0, "exit status of the second start")
    wait_for("the window to be shown and active",
             lambda: desktop.xdotool("getactivewindow").strip() == window)


def case_hot_key_from_settings(desktop, holder):
    write_settings(desktop, "[Settings]\nHotKey=Ctrl+Alt+K\n")
    orrin = start_with_empty_store(desktop)
    orrin.main_window()
    desktop.set_clipboard("6*7")
    orrin.keys("ctrl+alt+k")
    desktop.wait_clipboard("42")
    other = desktop.spawn([holder, "--hold-hot-key"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    expect_equal(other.stdout.readline().strip(), b"held", "another client's grab of Ctrl+Shift+C")
    exit_through_tray_menu(orrin)
    expect_equal(read_settings(desktop).get("Settings/HotKey"), "Ctrl+Alt+K", "stored hot key")


# --- a real status-notifier panel: lxqt-panel with its status-notifier plugin alone

def click_panel_icon(orrin, panel, button, what, done):
    """Clicks where the panel draws the program's icon, the only one at the
    panel's right end, until done(): the panel draws it a moment after the
    item registers."""
    wait_for("the icon to register", lambda: "'" in orrin.desktop.watcher_property(
        "RegisteredStatusNotifierItems"))
    x, y, width, height = orrin.geometry(panel)
    where = (str(x + width - 15), str(y + height // 2))
    for _ in range(4):
        orrin.desktop.xdotool("mousemove", *where, "click", button)
        try:
            return wait_for(what, done, timeout=2)
        except TestFailure:
            pass
    orrin.desktop.xdotool("mousemove", *where, "click", button)
    return wait_for(what, done)


def case_status_notifier_panel_menu_exits(desktop):
    panel = desktop.start_status_notifier_panel()
    orrin = start_with_empty_store(desktop)
    window = orrin.main_window()
    desktop.xdotool("windowmove", "--sync", window, "240", "180")
    wait_for("the window to move", lambda: orrin.geometry(window)[:2] == (240, 180))

    def panel_windows():
        return set(desktop.run(["xdotool", "search", "--onlyvisible", "--pid", str(desktop.panel.pid)],
                               check=False).stdout.split())
    before = panel_windows()
    click_panel_icon(orrin, panel, "3", "the panel to draw the tray menu", lambda: panel_windows() - before)
    press_exit_mnemonic(orrin, "panel's tray")
    settings = read_settings(desktop)
    expect_equal([settings.get(f"Settings/{key}") for key in ("WindowX", "WindowY")], ["240", "180"],
                 "stored position")


def case_status_notifier_panel_started_later(desktop):
    orrin = start_with_empty_store(desktop)
    orrin.main_window()

    def grip_menu_height():
        height = orrin.geometry(next(iter(orrin.open_grip_menu())))[3]
        orrin.keys("Escape")
        wait_for("the grip menu to close", lambda: len(orrin.visible_windows()) == 1)
        return height
    without_tray = grip_menu_height()
    panel = desktop.start_status_notifier_panel()
    click_panel_icon(orrin, panel, "1", "a click on the icon to hide the window",
                     lambda: not orrin.main_window_shown())
    desktop.xdotool("click", "1")
    wait_for("a second click to show the window", orrin.main_window_shown)
    expect(grip_menu_height() < without_tray, "the grip menu still carries 常駐の終了 beside a tray")


DESKTOPS = {"status_notifier_click_toggles": dict(with_tray=False, session_bus=True),
            "status_notifier_under_modal_sheet": dict(with_tray=False, session_bus=True),
            "status_notifier_panel_menu_exits": dict(with_tray=False, session_bus=True),
            "status_notifier_panel_started_later": dict(with_tray=False, session_bus=True),
            "no_tray_grip_menu_exits": dict(with_tray=False),
            "tray_started_later_takes_icon": dict(with_tray=False)}
CASES = {name[len("case_"):]: function for name, function in globals().items()
         if name.startswith("case_")}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orrin", required=True)
    parser.add_argument("--holder", help="a program that takes the hot key: tst_globalhotkey")
    parser.add_argument("case", choices=sorted(CASES))
    options = parser.parse_args()
    desktop = Desktop(os.path.abspath(options.orrin), **DESKTOPS.get(options.case, {}))
    with desktop:
        try:
            if options.case in ("hot_key_taken_by_another_client", "hot_key_from_settings"):
                CASES[options.case](desktop, os.path.abspath(options.holder))
            else:
                CASES[options.case](desktop)
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
