#!/usr/bin/env bash
# Builds the tool and its tests (the benchmarks are ./bench.sh's) and runs every stage, the
# shipped 32-bit build's on an emulated x86 machine last; docs/testing.md says what each checks.
# QUENLIT_SKIP_WIN32_STAGE=1 leaves that stage out of a quick local run; CI always runs it.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

# The emulated x86 machine makes its 32-bit Wine prefix, minutes of one processor, while the other
# stages run; the win32 stage at the end takes it. Left out, it needs none of the emulator's
# packages.
win32_stage=1
groups=(NATIVE FUZZ WINDOWS RUN RELEASE EMULATOR)
if [ "${QUENLIT_SKIP_WIN32_STAGE:-0}" = 1 ]; then
    win32_stage=0
    unset 'groups[-1]'
fi
start_run "${groups[@]}" -- "$@"
rm -f build/skipped-tests.txt

if [ "$win32_stage" = 1 ]; then
    tests/win32-stage.sh prefix >build/win32-prefix.log 2>&1 &
    prefix_job=$!
fi

tests/check-layout.sh
tests/check-guards.sh

for preset in native native-sanitize; do
    build_preset "$preset"
    run_tests --preset "$preset"
done

scripts/fuzz-smoke.sh

build_preset win32
build_preset win64
tests/check-pe.py
tests/check-docs.sh
tests/check-release.sh

build_preset win64-unit
run_tests --preset win64-unit
run_tests --preset win64

if [ "$win32_stage" = 0 ]; then
    echo "== win32 stage left out (QUENLIT_SKIP_WIN32_STAGE=1)"
    report_skipped
    exit
fi
echo "== win32 prefix (made beside the other stages)"
prefix_status=0
wait "$prefix_job" || prefix_status=$?
if [ "$prefix_status" != 0 ]; then
    cat build/win32-prefix.log
    exit 1
fi
grep '^wine32 tree: wine32' build/win32-prefix.log
grep -v '^\[' build/win32-prefix.log | tail -n 3
tests/win32-stage.sh test build/check-release/first/out/Quenlit-*-win32.zip
report_skipped
