"""End-to-end cases of Orrin.exe under wine in Xvfb with openbox and trayer.

usage: wine_cases.py --prefix DIR --orrin EXE --sendkeys EXE --setup EXE CASE
The cases share the prefix that scripts/wineprefix.py makes before them and
take turns, each in its own X desktop (xdesktop.py) with its own wine server.
"""

import argparse
import glob
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "..", "e2e"), os.path.join(here, "..", "..", "..", "scripts")]
import orrin_cases as linux  # noqa: E402
from orrin_cases import data_file, evaluate_and_copy, expect, expect_equal  # noqa: E402
from wineprefix import wine_env  # noqa: E402
from xdesktop import Desktop, TestFailure, wait_for  # noqa: E402

SETTINGS_KEY = r"HKCU\Software\Velnor\Orrin\Settings"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orrin"


class WineOrrin(linux.Orrin):
    """Orrin.exe under wine; wine's loader becomes the program, so the pid is its own."""

    def __init__(self, desktop, exe):
        self.desktop = desktop
        with open(os.path.join(desktop.root, "orrin.log"), "ab") as log:
            self.process = desktop.spawn(["wine", exe], stdout=log, stderr=subprocess.STDOUT)

    def main_window_now(self):
        for window in self.visible_windows():
            if "_NET_WM_STATE_ABOVE" in self.desktop.run(["xprop", "-id", window, "_NET_WM_STATE"],
                                                         check=False).stdout:
                return window
        return None

    def tray_icon(self):
        """The icon that wine's explorer has docked in trayer."""
        def docked():
            panel = self.desktop.xdotool("search", "--classname", "^panel$").split()[0]
            tree = self.desktop.run(["xwininfo", "-tree", "-id", panel]).stdout.splitlines()
            return next((line.split()[0] for line in tree if '"explorer.exe"' in line), None)
        return wait_for("the tray icon inside trayer", docked, timeout=20)


class Case:
    def __init__(self, desktop, options):
        self.desktop = desktop
        self.options = options

    def wine(self, *argv, check=True):
        return self.desktop.run(["wine", *argv], check=check, timeout=60)

    def start(self, settings=None, store=b""):
        self.wine("reg", "delete", r"HKCU\Software\Velnor", "/f", check=False)
        for name, value in (settings or {}).items():
            self.wine("reg", "add", SETTINGS_KEY, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f")
        with open(os.path.join(self.desktop.cwd, "Orrin.dat"), "wb") as data:
            data.write(store)
        return WineOrrin(self.desktop, self.options.orrin)

    def stored_settings(self):
        lines = self.wine("reg", "query", SETTINGS_KEY).stdout.splitlines()
        return {fields[0]: int(fields[2], 0) for fields in map(str.split, lines)
                if fields[1:2] == ["REG_DWORD"]}

    def case_enter_and_ctrl_shift_h(self):
        evaluate_and_copy(self.start(), [("2*(3+4)", "Return", "ctrl+c", "2*(3+4) : 14"),
                                         ("255", "ctrl+shift+h", "ctrl+c", "255 : 0xff")])

    def case_hot_key_replaces_clipboard(self):
        self.start().main_window()
        self.desktop.set_clipboard("6*7")
        self.wine(self.options.sendkeys, "ctrl+shift+c")
        self.desktop.wait_clipboard("42")

    def case_settings_sheet_adds_constant(self):
        orrin = self.start()
        orrin.open_grip_menu()
        orrin.keys("s")
        sheet = orrin.window_titled("設定")

        def edit_dialog_shown():
            return self.desktop.run(["xdotool", "search", "--onlyvisible", "--name", "^変数$"],
                                    check=False).stdout

        def open_edit_dialog():
            # The second tab, clicked (Ctrl+Tab from xdotool does not reach wine's
            # sheet), and 新規作成; again if the sheet did not take them yet.
            self.desktop.xdotool("mousemove", "--window", sheet, "96", "17", "click", "1")
            orrin.keys("alt+n")
            try:
                return wait_for("the edit dialog", edit_dialog_shown, timeout=1)
            except TestFailure:
                return None
        wait_for("the constants page", open_edit_dialog)
        orrin.keys("Escape")
        wait_for("the edit dialog to close", lambda: not edit_dialog_shown())
        linux.add_constant(orrin, "g", "9.80665", linux.GRAVITY_NOTE)
        linux.close_sheet(orrin, sheet, "Return")
        linux.wait_data_file(self.desktop, data_file([(b"G", 9.80665, linux.GRAVITY_NOTE.encode("cp932"))]))

    def case_exit_writes_registry(self):
        orrin = self.start()
        window = orrin.main_window()
        self.desktop.xdotool("windowmove", "--sync", window, "260", "200")
        wait_for("the strip to move", lambda: orrin.geometry(window)[:2] == (260, 200))
        menu = next(iter(orrin.open_tray_menu()))
        _, _, width, height = orrin.geometry(menu)
        # 常駐の終了, the last item, clicked: wine's tray menu takes no keys from xdotool.
        self.desktop.xdotool("mousemove", "--window", menu, str(width // 2), str(height - 8), "click", "1")
        expect_equal(orrin.exited(), 0, "exit status after 常駐の終了")
        stored = self.stored_settings()
        expect_equal([stored.get(name) for name in ("WindowX", "WindowY", "NoDisplay")], [260, 200, 0],
                     "values written at exit")
        restarted = WineOrrin(self.desktop, self.options.orrin)
        expect_equal(restarted.geometry(restarted.main_window())[:2], (260, 200), "the place read at start")

    def case_second_start_shows_hidden_strip(self):
        orrin = self.start({"NoDisplay": 1})
        orrin.tray_icon()
        expect(not orrin.main_window_shown(), "the strip was shown at start")
        expect_equal(WineOrrin(self.desktop, self.options.orrin).exited(), 0, "the second start's status")
        wait_for("the strip to be shown", orrin.main_window_shown)

    def case_installer_silent(self):
        profile = next(path for path in glob.glob(os.path.join(self.options.prefix, "drive_c", "users", "*"))
                       if not path.endswith("Public"))
        folder = os.path.join(profile, "AppData", "Local", "Programs", "Orrin")
        menu = os.path.join(profile, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs")
        installed = [os.path.join(folder, name) for name in ("Orrin.exe", "orrin-calc.exe", "Orrin.chm")]
        installed.append(os.path.join(menu, "Orrin.lnk"))
        data = os.path.join(profile, "Orrin.dat")
        for switches, kept in (((), True), (("/REMOVEDATA",), False)):
            self.wine(self.options.setup, "/S")
            expect(all(map(os.path.exists, installed)), f"installed files missing: {installed}")
            self.wine("reg", "query", UNINSTALL_KEY, "/v", "UninstallString")
            open(data, "wb").close()
            self.wine("reg", "add", SETTINGS_KEY, "/f")
            # The uninstaller runs on from a copy of itself in the temporary folder.
            self.wine(os.path.join(folder, "uninstall.exe"), "/S", *switches)
            wait_for("the uninstaller to finish", lambda: not os.path.exists(folder), timeout=30)
            expect(not any(map(os.path.exists, installed)), "files left after uninstalling")
            expect(self.wine("reg", "query", UNINSTALL_KEY, check=False).returncode != 0, "entry left")
            settings_kept = self.wine("reg", "query", SETTINGS_KEY, check=False).returncode == 0
            expect_equal((os.path.exists(data), settings_kept), (kept, kept),
                         f"Orrin.dat and settings kept after uninstall {switches}")


CASES = sorted(name[len("case_"):] for name in vars(Case) if name.startswith("case_"))


def main():
    parser = argparse.ArgumentParser()
    for option in ("--prefix", "--orrin", "--sendkeys", "--setup"):
        parser.add_argument(option, required=True, type=os.path.abspath)
    parser.add_argument("case", choices=CASES)
    options = parser.parse_args()
    with Desktop() as desktop:
        desktop.env = wine_env(options.prefix, desktop.env)
        desktop.run(["wineserver", "-k"], check=False)  # one left by a case that was killed
        # One server for the whole case, up between its commands, and wine's
        # own processes started with no hold on the output of the commands.
        for argv in (["wineserver", "-p"], ["wine", "cmd", "/c", "exit"]):
            subprocess.run(argv, env=desktop.env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            getattr(Case(desktop, options), "case_" + options.case)()
        except TestFailure as failure:
            print(f"FAIL {options.case}: {failure}\n--- output ---\n{desktop.orrin_log()}", file=sys.stderr)
            return 1
        finally:
            desktop.run(["wineserver", "-k"], check=False)
            desktop.run(["wineserver", "-w"], check=False, timeout=30)
    print(f"PASS {options.case}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
