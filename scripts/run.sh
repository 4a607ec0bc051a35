#!/usr/bin/env bash
# Builds Orrin and starts it. Without a display it starts a virtual one
# (Xvfb, a window manager and a tray) so that the program can still run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" run
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$top/build" --target orrin orrin-calc orrin_help

if [ -z "${DISPLAY:-}" ]; then
    "$top/scripts/install-deps.sh" test
    export DISPLAY=:42
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp &
    sleep 1
    openbox >/dev/null 2>&1 &
    trayer --edge top --align right --widthtype pixel --width 120 >/dev/null 2>&1 &
    echo "No display was set: Orrin runs on the virtual display $DISPLAY." >&2
fi
exec "$top/build/app/orrin" "$@"
