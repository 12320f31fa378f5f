#!/usr/bin/env bash
# Runs the drag replays under wine64 and prints their figures: the tool's dialog
# (QuenlitDragReplay.exe) beside the bare one (BareDragReplay.exe), the median of several runs of
# each, the two alternated. A display, window manager and Wine prefix of its own, made in that
# order and ended at exit. Expects the bench-win64 preset built; bench.sh builds it and calls this.
set -euo pipefail
source "$(dirname "$0")/../../scripts/setup.sh"
start_run -- "$@"

RUNS=15
QUENLIT=QuenlitDragReplay
BARE=BareDragReplay

bin=$PWD/build/bench-win64/bench/windows
work=$PWD/build/bench-win64/wine
results=$work/results
shared=$work/prefix/drive_c/KelvoTemp
desktop() { python3 scripts/desktop.py --work "$work" "$@"; }

# Runs one replay on fresh shared files (the benchmarks' folder of scripts/shared_folders.py) and
# appends its figures to <results>/<exe> as one line of "name=value" words, with the clock just
# before the launch as launch_unix_us.
run_replay() {
    local exe=$1 log=$results/$1.log launch status=0
    cp "$work/bench-folder"/* "$shared/"
    rm -f "$log"
    launch=$(timeout -k 5 60 python3 scripts/desktop.py --work "$work" run "$log" "$bin/$exe.exe") ||
        status=$?
    if [ "$status" != 0 ] || ! grep -q '^replay_us=' "$log"; then
        echo "$exe did not finish its replay (exit status $status):" >&2
        cat "$log" >&2
        return 1
    fi
    echo "$(tr -d '\r' <"$log" | tr '\n' ' ')$launch" >>"$results/$exe"
}

# Runs one replay of each with the sensor's trace on: the bare dialog must make the same driver
# calls and leave the same Flag.txt as the tool. Also the warm-up of the prefix.
check_floor() {
    local exe
    for exe in "$QUENLIT" "$BARE"; do
        export QXSIM_TRACE=Z:$results/$exe.trace
        run_replay "$exe"
        unset QXSIM_TRACE
        cp "$shared/Flag.txt" "$results/$exe.flag"
    done
    if ! cmp -s "$results/$QUENLIT.trace" "$results/$BARE.trace" ||
        ! cmp -s "$results/$QUENLIT.flag" "$results/$BARE.flag"; then
        echo "The bare dialog does not do what the tool does: see $results" >&2
        return 1
    fi
    rm -f "$results/$QUENLIT" "$results/$BARE"
}

# The median and the quartiles of one figure over an exe's runs; the figure is an awk expression
# of v[name].
quartiles() {
    awk '{
            delete v
            for (i = 1; i <= NF; i++) { split($i, pair, "="); v[pair[1]] = pair[2] }
            printf "%.6f\n", '"$2"'
        }' "$results/$1" | sort -g | awk '
        # The value at fraction p of the sorted values, between two neighbours where it falls so.
        function at(p,    i, j) {
            i = 1 + p * (NR - 1)
            j = int(i)
            return x[j] + (i - j) * (x[j + 1] - x[j])
        }
        { x[NR] = $1 }
        END { print at(0.5), at(0.25), at(0.75) }'
}

# One row: the medians of a figure for both, the tool's as a multiple of the bare dialog's, and the
# larger interquartile range of the two relative to its median. A figure where more is better has
# the kind "rate", which inverts the ratio.
row() {
    local label=$1 format=$2 expression=$3 kind=${4:-cost}
    awk -v l="$label" -v f="$format" -v k="$kind" \
        -v q="$(quartiles "$QUENLIT" "$expression")" -v b="$(quartiles "$BARE" "$expression")" '
        BEGIN {
            split(q, qs, " "); split(b, bs, " ")
            r = (k == "rate") ? bs[1] / qs[1] : qs[1] / bs[1]
            spread = (qs[3] - qs[2]) / qs[1]
            if ((bs[3] - bs[2]) / bs[1] > spread) spread = (bs[3] - bs[2]) / bs[1]
            printf "%-52s " f " " f "  %5.2fx  %4.0f%%\n", l, qs[1], bs[1], r, 100 * spread
        }'
}

# The whole session on one processor. With two virtual processors, every request of the program to
# wineserver or X that wakes the other one costs more than the work it asks for, and how much more
# depends on what else that processor runs: a replay took up to 4 times longer when it was idle.
taskset -pc $(($(nproc) - 1)) $$ >/dev/null

rm -rf "$work"
mkdir -p "$results"
trap 'set +e; desktop stop' EXIT
desktop start --prefix "$work/prefix" --for "$bin/$QUENLIT.exe" >/dev/null
python3 scripts/shared_folders.py bench "$work/bench-folder"
mkdir -p "$shared"

check_floor
for ((run = 0; run < RUNS; run++)); do
    if ((run % 2 == 0)); then
        run_replay "$QUENLIT"
        run_replay "$BARE"
    else
        run_replay "$BARE"
        run_replay "$QUENLIT"
    fi
done

echo "== Windows: $(wine --version 2>/dev/null) on Xvfb with openbox, one processor," \
    "median of $RUNS runs"
printf '%-52s %10s %10s  %6s  %5s\n' "" "Quenlit" "bare" "ratio" "IQR"
row "Drag: notifications per second" "%10.0f" 'v["notifications"] * 1e6 / v["replay_us"]' rate
row "Drag: process CPU per notification (us)" "%10.1f" 'v["replay_cpu_us"] / v["notifications"]'
row "Start-up to first paint, from process creation (ms)" "%10.1f" 'v["startup_us"] / 1000'
row "Start-up to first paint, from launch (ms)" "%10.1f" \
    '(v["first_paint_unix_us"] - v["launch_unix_us"]) / 1000'
row "Peak working set at first paint (MiB)" "%10.1f" 'v["first_paint_peak_working_set_kib"] / 1024'
row "Peak working set at exit (MiB)" "%10.1f" 'v["peak_working_set_kib"] / 1024'
