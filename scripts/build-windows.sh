#!/usr/bin/env bash
# Cross-builds Orrin for 64-bit Windows into build-windows/: Orrin.exe with
# its help, orrin-calc.exe, the installer and the tests; with --test, also
# runs the tests under wine, the end-to-end cases in Xvfb. The answers of orrin-calc.exe
# are compared with those of a Linux orrin-calc: $ORRIN_REFERENCE_CALC, or the
# one in build/ or build-nogui/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$top/build-windows
case "${1:-}" in
    "" | --test) ;;
    *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac

reference=${ORRIN_REFERENCE_CALC:-}
for candidate in "$top/build/cli/orrin-calc" "$top/build-nogui/cli/orrin-calc"; do
    [ -n "$reference" ] || [ ! -x "$candidate" ] || reference=$candidate
done
[ -n "$reference" ] || echo "build-windows.sh: no Linux orrin-calc to compare with" >&2

# Wine's settings for everything below, the build included.
export WINEPREFIX=$dir/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$dir" -G Ninja --toolchain "$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORRIN_GUI=ON -DORRIN_BENCH=OFF \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DORRIN_REFERENCE_CALC="$reference" "${launcher[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
[ "${1:-}" = --test ] || exit 0

# A prefix of its own, made once; one wine server kept up for the whole run
# (-p) and started before the tests, so that no test waits for wine to come
# up or for its background processes to let go of the output.
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k && wineserver -w || true' EXIT
wine cmd /c exit
# On a loaded machine wine now and then fails to start a program at all (the
# test then ends within milliseconds, printing nothing): each test gets one more
# try, while a real fault fails both.
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600 -LE e2e --repeat until-pass:2
# The end-to-end cases drive wine in their own X desktops on a shared machine:
# one that fails gets one more try, as in the Linux builds.
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600 -L e2e --repeat until-pass:2
