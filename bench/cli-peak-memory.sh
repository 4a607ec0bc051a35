#!/usr/bin/env bash
# Peak resident memory of orrin-calc evaluating one long line from standard
# input, per byte of the line, as /usr/bin/time reports it (maximum resident
# set size of the whole process: the engine, the line read and the program).
# usage: bench/cli-peak-memory.sh [path/to/orrin-calc] [MEGABYTES...]   (default: 1 10 100)
set -euo pipefail
calc=${1:-build/cli/orrin-calc}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 10 100)
input=$(mktemp)
trap 'rm -f "$input"' EXIT

printf '%-20s %6s %12s %11s %9s  %s\n' shape MB "max RSS KB" bytes/byte seconds result
for mb in "${sizes[@]}"; do
    for shape in sum literal parentheses operands; do
        python3 - "$shape" "$((mb * 1000000))" >"$input" <<'PY'
import sys
shape, n = sys.argv[1], int(sys.argv[2])
if shape == "sum":
    text = "1" + "+1" * ((n - 1) // 2)
elif shape == "literal":
    text = "1" * n
elif shape == "parentheses":
    depth = (n - 1) // 2
    text = "(" * depth + "1" + ")" * depth
else:
    text = "." * n
sys.stdout.write(text + "\n")
PY
        bytes=$(($(stat -c %s "$input") - 1))
        stats=$(mktemp)
        result=$( { /usr/bin/time -f '%M %e' -o "$stats" "$calc" <"$input" || true; } | head -c 40)
        # The last line: time writes a note first when the status is not 0.
        read -r rss seconds < <(tail -n 1 "$stats")
        rm -f "$stats"
        awk -v s="$shape" -v mb="$mb" -v kb="$rss" -v n="$bytes" -v t="$seconds" -v r="$result" \
            'BEGIN { printf "%-20s %6d %12d %11.2f %9.2f  %s\n", s, mb, kb, kb * 1024 / n, t, r }'
    done
done
