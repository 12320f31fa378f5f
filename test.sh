#!/usr/bin/env bash
# Builds everything and runs every test: the native unit suite, plain and under sanitizers.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${NATIVE_PACKAGES[@]}"

for preset in native native-sanitize; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
