#!/usr/bin/env python3
"""Takes the screenshots of Orrin for Windows under wine, for docs/ and README:
the strip with its history open, the settings sheet's two pages, the constant
edit dialog and the tray menu, in Xvfb with openbox and trayer and a wine
prefix of its own (with the Japanese font replacement).

usage: scripts/win32-screenshots.py [BUILD_WINDOWS_DIR [OUTPUT_DIR]]
"""

import argparse
import os
import sys
import tempfile

top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(top, "tests", "win32", "e2e"))
from wine_cases import Case, linux  # noqa: E402
from wineprefix import make_prefix, wine_env  # noqa: E402
from xdesktop import Desktop, wait_for  # noqa: E402

CONSTANTS = [(b"G", 9.80665, linux.GRAVITY_NOTE.encode("cp932")),
             (b"C", 299792458.0, "真空中の光速（ｍ／ｓ）".encode("cp932")),
             (b"NA", 6.02214076e23, "アボガドロ定数".encode("cp932"))]
MARGIN = 10


class Shooter:
    def __init__(self, desktop, output):
        self.desktop = desktop
        self.output = output

    def box(self, window, with_frame=True):
        x, y, width, height = map(int, self.absolute(window))
        left = right = top = bottom = 0
        extents = self.desktop.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], check=False).stdout
        if with_frame and "=" in extents:
            left, right, top, bottom = map(int, extents.split("=")[1].split(","))
        return x - left, y - top, x + width + right, y + height + bottom

    def absolute(self, window):
        info = self.desktop.run(["xwininfo", "-id", window]).stdout
        value = dict(map(str.strip, line.split(":", 1)) for line in info.splitlines() if ":" in line)
        return [value[key] for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]

    def shoot(self, name, boxes, margin=0):
        left, top = min(b[0] for b in boxes) - margin, min(b[1] for b in boxes) - margin
        right, bottom = max(b[2] for b in boxes) + margin, max(b[3] for b in boxes) + margin
        left, top = max(left, 0), max(top, 0)
        self.desktop.run(["import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                          "+repage", os.path.join(self.output, name)])
        print("wrote", os.path.join(self.output, name))


def take(desktop, options):
    case = Case(desktop, options)
    shooter = Shooter(desktop, options.output)
    orrin = case.start({"WindowX": 40, "WindowY": 40}, linux.data_file(CONSTANTS))
    orrin.focus()
    for expression, key in (("2*(3+4)", "Return"), ("G*2", "Return"), ("255", "ctrl+shift+h"),
                            ("C/1000", "Return")):
        orrin.type(expression)
        orrin.keys(key)
    shown = set(orrin.visible_windows())
    orrin.keys("F4")
    listed = wait_for("the history list", lambda: set(orrin.visible_windows()) - shown)
    desktop.run(["sleep", "0.5"])
    shooter.shoot("win32-strip.png", [shooter.box(w, False) for w in shown | listed], MARGIN)
    orrin.keys("Escape")

    orrin.open_grip_menu()
    orrin.keys("s")
    sheet = orrin.window_titled("設定")
    desktop.run(["sleep", "0.5"])
    shooter.shoot("win32-settings-general.png", [shooter.box(sheet)])
    desktop.xdotool("mousemove", "--window", sheet, "96", "17", "click", "1")
    desktop.run(["sleep", "0.5"])
    shooter.shoot("win32-settings-constants.png", [shooter.box(sheet)])
    desktop.xdotool("mousemove", "--window", sheet, "60", "78", "click", "--repeat", "2", "1")
    edit = orrin.window_titled("変数")
    desktop.run(["sleep", "0.5"])
    shooter.shoot("win32-constant-edit.png", [shooter.box(edit)])
    orrin.keys("Escape")
    wait_for("the edit dialog to close", lambda: edit not in orrin.visible_windows())
    desktop.xdotool("windowactivate", "--sync", sheet)
    orrin.keys("Escape")
    wait_for("the sheet to close", lambda: sheet not in orrin.visible_windows())

    icon = orrin.tray_icon()
    shown = set(orrin.visible_windows())
    desktop.xdotool("mousemove", "--window", icon, "5", "5", "click", "3")
    menu = wait_for("the tray menu", lambda: set(orrin.visible_windows()) - shown)
    desktop.run(["sleep", "0.5"])
    panel = desktop.xdotool("search", "--classname", "^panel$").split()[0]
    shooter.shoot("win32-tray-menu.png", [shooter.box(w, False) for w in [*menu, icon, panel]], MARGIN)
    orrin.keys("Escape")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default=os.path.join(top, "build-windows"))
    parser.add_argument("output", nargs="?", default=os.path.join(top, "docs"))
    arguments = parser.parse_args()
    work = tempfile.mkdtemp(prefix="orrin-shots-")
    options = argparse.Namespace(prefix=os.path.join(work, "wine"), output=os.path.abspath(arguments.output),
                                 orrin=os.path.join(os.path.abspath(arguments.build), "win32", "Orrin.exe"))
    make_prefix(options.prefix)
    with Desktop() as desktop:
        desktop.env = wine_env(options.prefix, desktop.env)
        try:
            take(desktop, options)
        finally:
            desktop.run(["wineserver", "-k"], check=False)
            desktop.run(["wineserver", "-w"], check=False, timeout=30)
    return 0


if __name__ == "__main__":
    sys.exit(main())
