#!/usr/bin/env bash
# End-to-end cost of orrin-calc per line: 1,000,000 lines of mixed
# expressions from standard input, output to /dev/null. Prints the median of
# five runs in microseconds per line.
# usage: bench/cli-throughput.sh [path/to/orrin-calc]
set -euo pipefail
calc=${1:-build/cli/orrin-calc}
lines=1000000
input=$(mktemp)
trap 'rm -f "$input"' EXIT

python3 - "$lines" >"$input" <<'PY'
import sys
mix = ["2*(3+4)", "1+2", "x=x+1", "0xff&~0x0f", "1/3", "pow(2,10)", "-5*3", "'A'+1",
       "sqrt(2)", "12.5e2/4", "7%3", "(1+2)*(3+4)-5", "x*2", "1/0", "sin 0 + 1", "255"]
n = int(sys.argv[1])
sys.stdout.write("\n".join(mix[i % len(mix)] for i in range(n)) + "\n")
PY

times=()
for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$calc" <"$input" >/dev/null || true
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
awk -v us="$median" -v n="$lines" 'BEGIN { printf "orrin-calc: %.3f microseconds per line (median of 5 runs, %d lines)\n", us / n, n }'
