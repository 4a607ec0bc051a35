#!/usr/bin/env bash
# Builds Orrin and runs the whole test suite twice: in the release build and
# in the AddressSanitizer + UndefinedBehaviorSanitizer build; in between, the
# release build is installed and packaged, and the parts without Qt are built
# and tested on their own, for Linux and, cross-built, for Windows under wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" test
jobs=$(nproc)

build_and_test() {
    local dir=$1; shift
    cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600 -LE e2e
    # The end-to-end tests drive a real X server, window manager and tray on
    # a shared machine; one that fails gets one more try, so that a slow
    # moment does not fail the run, while a real fault fails both tries.
    if [ -n "$(ctest --test-dir "$dir" -N -L e2e | grep -E '^ *Test +#')" ]; then
        ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600 -L e2e --repeat until-pass:2
    fi
}

# A misformatted file fails the run before anything is built.
"$top/scripts/check-format.sh"
build_and_test "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The installed tree and the Debian package, once, from the release build.
"$top/tests/package/check-package.sh" "$top/build"
# Proves that the engine, the data file layer and orrin-calc need no Qt.
build_and_test "$top/build-nogui" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORRIN_GUI=OFF -DORRIN_BENCH=OFF
ORRIN_REFERENCE_CALC=$top/build-nogui/cli/orrin-calc "$top/scripts/build-windows.sh" --test
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$top/tests/lsan.supp \
    build_and_test "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DORRIN_SANITIZE=ON -DORRIN_BENCH=OFF
