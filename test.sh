#!/usr/bin/env bash
# Builds everything and runs every test: the native unit suite, plain and under sanitizers; the
# Windows builds, with the unit suite cross-built and run under wine64.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

run_preset() {
    echo "== $1"
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

for preset in native native-sanitize; do
    run_preset "$preset"
    ctest --preset "$preset"
done

# --- fuzz: a short run of every fuzz target (the long run is in README.md)
scripts/fuzz-smoke.sh
# --- end fuzz

run_preset win32

run_preset win64
# --- PE check: headers and import tables of the Windows executables
tests/check-pe.sh
# --- end PE check
stop_unit_prefix() { WINEPREFIX="$PWD/build/win64/wine-unit" wineserver -k 2>/dev/null || true; }
trap stop_unit_prefix EXIT
ctest --preset win64
