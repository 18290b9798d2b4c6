#!/usr/bin/env bash
# A Calculate press of two builds side by side, in one run: the instructions
# of each steady press, counted by callgrind (one dump per press; a
# benchmark run's first press builds the windows and is left out), and the
# wall time of wd_bench's presses, the two builds taking turns.
# Usage: bench/compare_press.sh OLD_BUILD_DIR NEW_BUILD_DIR [ROUNDS]
# (builds with -DWAGEDESK_BENCH=ON; `cmake --build DIR --target wd_bench` is
# enough). Needs valgrind.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
rounds=${3:-3}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
presses='BM_CalculatePress$|BM_CalculatePressWithTheLedgerOpen'

for build in "$old" "$new"; do
    # The federal tables beside the program, as the build puts them.
    [ -f "$build/bin/Federal.dat" ] || cp "$here/data/Federal.dat" "$build/bin/"
done

echo "== instructions per steady press (callgrind)"
for which in old new; do
    build=${!which}
    for bench in BM_CalculatePress BM_CalculatePressWithTheLedgerOpen; do
        mkdir -p "$work/$which.$bench"
        valgrind --tool=callgrind --toggle-collect='wagedesk::Form1::cmdCal_Click()' \
            --dump-after='wagedesk::Form1::Calcu_late()' --callgrind-out-file="$work/$which.$bench/out" \
            "$build/bin/wd_bench" --benchmark_filter="^$bench\$" --benchmark_min_time=1 >/dev/null 2>&1
        grep -h '^totals:' "$work/$which.$bench"/out.* | awk '{print $2}' | sort -n |
            awk -v name="$which $bench" '
                {v[NR] = $1}
                END {
                    n = 0
                    for (i = 1; i <= NR; ++i) if (v[i] < 1.3 * v[1]) s[++n] = v[i]
                    printf "%-40s least %.3f M, median %.3f M (%d steady presses of %d)\n", name, s[1] / 1e6,
                        s[int((n + 1) / 2)] / 1e6, n, NR
                }'
    done
done

echo "== wall time (wd_bench, the builds taking turns)"
for ((i = 1; i <= rounds; ++i)); do
    for which in old new; do
        build=${!which}
        "$build/bin/wd_bench" --benchmark_filter="$presses" 2>/dev/null | awk -v w="$which" -v r="$i" '/^BM_/ {printf "round %d %-4s %-36s %8s %s\n", r, w, $1, $2, $3}'
    done
done
