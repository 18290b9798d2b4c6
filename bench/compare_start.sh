#!/usr/bin/env bash
# Starts the program and an empty Qt main window as whole processes, each
# quitting as soon as its event loop runs, alternately and many times, and
# prints the median wall time of each and their ratio.
# Usage: bench/compare_start.sh [BUILD_DIR] [ROUNDS]   (a -DWAGEDESK_BENCH=ON build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build-bench}" && pwd)
rounds=${2:-40}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$build/bin/Federal.dat" .

run() {  # prints the wall time of one run in microseconds
    local start end
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

: >program.times
: >empty.times
run "$build/bin/wd_start_and_quit" >/dev/null  # warm the caches once
run "$build/bin/wd_empty_window" >/dev/null
for ((i = 0; i < rounds; ++i)); do
    run "$build/bin/wd_start_and_quit" >>program.times
    run "$build/bin/wd_empty_window" >>empty.times
done
program=$(median <program.times)
empty=$(median <empty.times)
echo "program start and quit: ${program} us (median of $rounds)"
echo "empty Qt main window:   ${empty} us (median of $rounds)"
awk -v p="$program" -v e="$empty" 'BEGIN {printf "ratio: %.2f\n", p / e}'
