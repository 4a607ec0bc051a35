#!/usr/bin/env bash
# Measures Orrin.exe against bench/win32/minimal.cpp under wine, in one run:
# a private Xvfb with trayer as the tray host and no window manager, one wine
# prefix of its own (with the Japanese font replacement) and one wine server
# kept up for all runs. gui_probe (bench/gui-probe, built here for Linux)
# starts each program and reports:
#   - start-up: from `wine PROGRAM` to its first top-level window being mapped
#   - VmRSS (working set) and RssAnon (private) 2 s after the start
#   - CPU time and wake-ups of the program's threads over 10 idle seconds
# Each figure is the median of RUNS runs (default 7) after one warm-up run of
# each program; the programs take turns. Usage: bench/measure-wine.sh [BUILD_WINDOWS_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$top/build-windows}")
runs=${RUNS:-7}
idle=${IDLE_SECONDS:-10}
orrin=$build/win32/Orrin.exe
minimal=$build/bench/win32/minimal_win32.exe
for program in "$orrin" "$minimal"; do
    [[ -f $program ]] || { echo "missing $program: run scripts/build-windows.sh" >&2; exit 2; }
done

work=$(mktemp -d)
started=()
cleanup() {
    wineserver -k 2>/dev/null || true
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

probe=$work/gui_probe
c++ -std=c++20 -O2 -o "$probe" "$top"/bench/gui-probe/*.cpp -lX11 -lXtst

export WINEPREFIX=$work/wine WINEARCH=win64 WINEDEBUG=-all HOME=$work/wine-home
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset DISPLAY XAUTHORITY WAYLAND_DISPLAY SESSION_MANAGER
python3 "$top/scripts/wineprefix.py" "$WINEPREFIX"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
started+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
[[ -s $work/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(tr -d '\n' <"$work/display") LANG=C.UTF-8
trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
       --transparent false --SetDockType true >/dev/null 2>&1 &
started+=($!)
"$probe" --wait-owner _NET_SYSTEM_TRAY_S0 || { echo "trayer did not take the tray" >&2; exit 1; }
# The one wine server, and wine's desktop process that docks the tray icons.
wineserver -p
wine cmd /c exit

# One run in a fresh working directory holding an empty data file (so that
# Orrin starts without its missing-file warning).
run() {
    local name=$1 idle_seconds=$2 program=$3
    rm -rf "$work/cwd" && mkdir "$work/cwd" && printf '\0\0\0\0' >"$work/cwd/Orrin.dat"
    (cd "$work/cwd" && "$probe" --idle "$idle_seconds" -- wine "$program") | sed "s/^/$name /"
}

run orrin 0 "$orrin" >/dev/null
run minimal_win32 0 "$minimal" >/dev/null
for _ in $(seq "$runs"); do
    run orrin "$idle" "$orrin"
    run minimal_win32 "$idle" "$minimal"
done | tee "$work/results"

python3 "$top/bench/median_table.py" "$work/results" "$runs" orrin=Orrin.exe minimal_win32=minimal_win32.exe \
    "map_ms=start to window mapped (ms)" \
    "rss_kib=VmRSS, working set, 2 s after start (MiB)" \
    "private_kib=RssAnon, private, 2 s after start (MiB)" \
    "idle_cpu_ms=CPU time over $idle idle s (ms)" \
    "idle_wakeups=wake-ups over $idle idle s"
