#!/usr/bin/env bash
# Plasma 5.27's own shortcut portal under headless KWin, on a private bus. A key with no keysym name has no
# preferred trigger: Plasma registers the shortcut without a key; invoked so, and once a key is assigned
# through kglobalaccel, it evaluates the clipboard. Usage: plasma_portal.sh ORRIN
[ -n "${ORRIN_PRIVATE_BUS:-}" ] || exec env ORRIN_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
set -eu
orrin=$(realpath "$1") work=$(mktemp -d) x11_before=$(ls /tmp/.X11-unix)
# Orrin writes its settings as the signal ends it: wait, or it writes into a folder being removed.
trap 'kill $(jobs -p) 2>/dev/null; wait || :; fusermount -u "$work/run/doc" 2>/dev/null; rm -rf "$work"' EXIT
await() { for _ in $(seq 100); do "$@" && return; sleep 0.2; done; echo "FAIL waiting for: $*"; exit 1; }
# KWin's Qt platform works only under its own name; the copy drops a file capability a sandbox refuses.
mkdir -m 700 "$work/bin" "$work/run" && cp /usr/bin/kwin_wayland "$work/bin/"
export HOME=$work XDG_CONFIG_HOME=$work XDG_RUNTIME_DIR=$work/run XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
mkdir "$work/Velnor" && printf '[Settings]\nHotKey=Ctrl+Alt+\xc3\x96\n' >"$work/Velnor/Orrin.conf"
"$work/bin/kwin_wayland" --virtual --socket wayland-orrin --xwayland >"$work/kwin.log" 2>&1 &
export WAYLAND_DISPLAY=wayland-orrin QT_QPA_PLATFORM=xcb
xwayland() { comm -13 <(echo "$x11_before") <(ls /tmp/.X11-unix) | head -1 | tr -dc 0-9 | grep .; }
await xwayland >/dev/null && export DISPLAY=:$(xwayland)
dbus-update-activation-environment WAYLAND_DISPLAY XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP QT_QPA_PLATFORM DISPLAY
(cd "$work" && : >Orrin.dat && exec "$orrin" >"$work/orrin.log" 2>&1) &
accel() { gdbus call --session -d org.kde.kglobalaccel -o "$@"; }
# Invoked again until the clipboard holds the result: a number evaluates to itself.
evaluated() { accel /component/orrin1 -m org.kde.kglobalaccel.Component.invokeShortcut evaluate-clipboard &>/dev/null && sleep 0.3 && [ "$(wl-paste -n)" = "$1" ]; }
wl-copy "6*7" && await evaluated 42 && echo "PASS no key assigned"
accel /kglobalaccel -m org.kde.KGlobalAccel.setForeignShortcut "['orrin1','evaluate-clipboard','','']" "[$((0x0C00004B))]" >/dev/null
wl-copy "2+3" && await evaluated 5 && echo "PASS Ctrl+Alt+K assigned"
