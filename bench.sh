#!/usr/bin/env bash
# Builds and runs the benchmarks and prints each measured sequence beside its floor: the least work
# that leaves the same bytes on disk and makes the same driver calls.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
start_run NATIVE BENCH WINDOWS RUN -- "$@"

build_preset bench

echo "== Machine"
echo "$(nproc) cores, $(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'),"\
    "Linux $(uname -r), load average $(cut -d' ' -f1-3 /proc/loadavg)"

# == Native ========================================================================================
# CPU time rather than wall time, the median of 10 repetitions, and the repetitions of all
# benchmarks shuffled: the machine is shared, and this is what resists other load best.
results=build/bench/results.json
build/bench/bench/quenlit_bench --benchmark_repetitions=10 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
    --benchmark_out="$results" --benchmark_out_format=json >/dev/null
echo "(Debian's Google Benchmark is built as DEBUG, as it warns: its own loop is slower, for the" \
    "tool and its floor alike, so the ratios stand.)"

echo "== Native: median CPU time of 10 repetitions, its floor's, and the larger spread of the two"
jq -r -f bench/ratios.jq "$results"

# == Windows =======================================================================================
# Under wine64 on a virtual display: a slider drag replayed in the tool's dialog and in a bare
# dialog that does the same with the least work, with the time to the first paint and the peak
# memory of each (bench/windows/replays.sh). Then the sizes of the built files, the tool's beside
# the bare dialog's.
build_preset bench-win64
bench/windows/replays.sh

for preset in win32 win64; do
    build_preset "$preset" -- --target Quenlit QXBaseIF >/dev/null
done
replays=build/bench-win64/bench/windows
echo "== Windows: sizes of the built files (stripped, static)"
for file in dist/win32/Quenlit.exe dist/win64/Quenlit.exe dist/win32/QXBaseIF.dll \
    dist/win64/QXBaseIF.dll "$replays/QuenlitDragReplay.exe" "$replays/BareDragReplay.exe"; do
    printf '%-56s %8d bytes\n' "$file" "$(stat -c %s "$file")"
done
echo "(the drag replays: the tool's dialog and the bare dialog, win64, each with the same replay code)"
