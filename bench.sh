#!/usr/bin/env bash
# Builds and runs the benchmarks and prints each measured sequence beside its floor: the least work
# that leaves the same bytes on disk and makes the same driver calls.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${NATIVE_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

cmake --preset bench >/dev/null
cmake --build --preset bench

echo "== Machine"
echo "$(nproc) cores, $(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'),"\
    "Linux $(uname -r), load average $(cut -d' ' -f1-3 /proc/loadavg)"

# == Native ========================================================================================
# CPU time rather than wall time, the median of 10 repetitions, and the repetitions of all
# benchmarks shuffled: the machine is shared, and this is what resists other load best.
results=build/bench/results.json
build/bench/bench/quenlit_bench --benchmark_repetitions=10 --benchmark_min_time=0.2 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
    --benchmark_out="$results" --benchmark_out_format=json >/dev/null

echo "== Native: median CPU time of 10 repetitions, its floor's, and the larger spread of the two"
jq -r -f bench/ratios.jq "$results"

# == Windows =======================================================================================
# To come with the front end: a slider drag replayed under wine64 (time per notification) and the
# time from start-up to the first paint of the window. The sizes of the shipped files, already.
echo "== Windows: sizes of the shipped files"
for file in dist/win32/Quenlit.exe dist/win32/QXBaseIF.dll; do
    if [ -f "$file" ]; then
        printf '%-26s %8d bytes\n' "$file" "$(stat -c %s "$file")"
    else
        printf '%-26s not built\n' "$file"
    fi
done
