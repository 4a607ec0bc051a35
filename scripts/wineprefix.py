#!/usr/bin/env python3
"""A wine prefix for Orrin.exe, made afresh: 64-bit, no Mono, Gecko or menu
entries, and the Japanese dialog fonts, which a Linux machine lacks, replaced
by IPAPGothic. Used by the end-to-end tests, the screenshots and the wine
benchmark.   usage: scripts/wineprefix.py PREFIX
"""

import os
import shutil
import subprocess
import sys

FONTS = ("Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"
         + "".join(f'"{name}"="IPAPGothic"\r\n'
                   for name in ("ＭＳ Ｐゴシック", "MS Shell Dlg", "MS Shell Dlg 2")))


def wine_env(prefix, env):
    """env with the settings for wine in prefix; HOME beside it, so that the
    prefix's folder links lead to no real home."""
    os.makedirs(prefix + "-home", exist_ok=True)
    return dict(env, WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all", HOME=prefix + "-home",
                WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=")


def make_prefix(prefix):
    shutil.rmtree(prefix, ignore_errors=True)
    env = wine_env(prefix, {key: value for key, value in os.environ.items() if key != "DISPLAY"})
    fonts = prefix + "-fonts.reg"
    with open(fonts, "wb") as file:
        file.write(b"\xff\xfe" + FONTS.encode("utf-16-le"))
    for argv in (["wine", "wineboot", "-i"], ["wine", "regedit", "/S", fonts]):
        subprocess.run(argv, env=env, check=True, capture_output=True, timeout=240)
    subprocess.run(["wineserver", "-k"], env=env, timeout=60)
    subprocess.run(["wineserver", "-w"], env=env, timeout=60)


if __name__ == "__main__":
    make_prefix(os.path.abspath(sys.argv[1]))
