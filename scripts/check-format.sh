#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format says, naming
# the lines. clang-format is Debian 12's (version 14): another version may
# format the same file differently.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
    echo "check-format: clang-format-14 not found (Debian package clang-format-14)" >&2
    exit 2
fi
git ls-files -z -- '*.cpp' '*.h' | xargs -0 "$format" --dry-run -Werror
