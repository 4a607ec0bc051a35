#!/usr/bin/env bash
# Measures the resident calculator against bench/minimal-qt under a private
# Xvfb with trayer as the tray host and no window manager:
#   - start-up: from the program's start to its first top-level window being mapped
#   - VmRSS 2 s after the start
#   - CPU time and wake-ups of all threads over 10 idle, unfocused seconds
#   - the hot-key latency: Ctrl+Shift+C pressed through XTEST with "1+2" on
#     the clipboard, until the clipboard holds "3" (orrin only)
# Each figure is the median of RUNS runs (default 7) after one warm-up run of
# each program; the programs take turns. Usage: bench/measure-gui.sh [BUILD_DIR]
set -euo pipefail

build=${1:-build}
runs=${RUNS:-7}
idle=${IDLE_SECONDS:-10}
orrin=$build/app/orrin
minimal=$build/bench/minimal-qt/minimal_qt
probe=$build/bench/gui-probe/gui_probe
for program in "$orrin" "$minimal" "$probe"; do
    [[ -x $program ]] || { echo "missing $program: build the targets orrin, minimal_qt and gui_probe" >&2; exit 2; }
done
orrin=$(realpath "$orrin"); minimal=$(realpath "$minimal"); probe=$(realpath "$probe")

work=$(mktemp -d)
started=()
cleanup() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
started+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
[[ -s $work/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(tr -d '\n' <"$work/display")
unset XAUTHORITY WAYLAND_DISPLAY SESSION_MANAGER
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: LANG=C.UTF-8

trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
       --transparent false --SetDockType true >/dev/null 2>&1 &
started+=($!)
"$probe" --wait-owner _NET_SYSTEM_TRAY_S0 || { echo "trayer did not take the tray" >&2; exit 1; }

# One run: a fresh HOME, XDG directories and working directory holding an
# empty data file (so that orrin starts without its missing-file warning).
run() {
    local name=$1 idle_seconds=$2; shift 2
    local dir=$work/run
    rm -rf "$dir"
    mkdir -p "$dir/home" "$dir/config" "$dir/runtime" "$dir/cwd"
    chmod 700 "$dir/runtime"
    printf '\0\0\0\0' >"$dir/cwd/Orrin.dat"
    (cd "$dir/cwd" && HOME=$dir/home XDG_CONFIG_HOME=$dir/config XDG_RUNTIME_DIR=$dir/runtime \
        XDG_CACHE_HOME=$dir/home/.cache XDG_DATA_HOME=$dir/home/.local/share \
        "$probe" --idle "$idle_seconds" "$@") | sed "s/^/$name /"
}

run orrin 0 --hot-key 1 -- "$orrin" >/dev/null
run minimal_qt 0 -- "$minimal" >/dev/null
for _ in $(seq "$runs"); do
    run orrin "$idle" --hot-key 3 -- "$orrin"
    run minimal_qt "$idle" -- "$minimal"
done | tee "$work/results"

python3 "$(dirname "$0")/median_table.py" "$work/results" "$runs" orrin=orrin minimal_qt=minimal_qt \
    "map_ms=start to window mapped (ms)" \
    "rss_kib=VmRSS 2 s after start (MiB)" \
    "idle_cpu_ms=CPU time over $idle idle s (ms)" \
    "idle_wakeups=wake-ups over $idle idle s" \
    "idle_switches=context switches over $idle idle s" \
    "hotkey_ms=hot key to clipboard result (ms)"
