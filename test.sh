#!/usr/bin/env bash
# Builds everything and runs every test: the native unit suite, plain and under sanitizers; a
# short run of every fuzz target; the Windows builds with a static check of their executables; the
# release zip, built twice to check that it is reproducible; the unit suite cross-built and run
# under wine64; the end-to-end suite on the real dialog.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${NATIVE_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" \
    "${E2E_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}"

run_preset() {
    echo "== $1"
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

for preset in native native-sanitize; do
    run_preset "$preset"
    ctest --preset "$preset"
done

scripts/fuzz-smoke.sh

run_preset win32
run_preset win64
tests/check-pe.sh
tests/check-release.sh

run_preset win64-unit
ctest --preset win64-unit
ctest --preset win64
