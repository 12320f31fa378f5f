#!/usr/bin/env bash
# Runs the shipped 32-bit build for real: on an emulated x86 machine (scripts/emulator-run.sh),
# under 32-bit Wine, the end-to-end cases on the release zip's Quenlit.exe, the unit suite
# cross-built for i686 and quenlit-inspect.exe on the golden folders. Their CTest names start with
# win32_.
#
#   tests/win32-stage.sh ZIP    ZIP: the release zip, as ./release.sh makes it
set -euo pipefail
cd "$(dirname "$0")/.."
zip=$(realpath "$1")

echo "== win32 (tests of the shipped build)"
cmake --preset win32 -DQUENLIT_RELEASE_ZIP="$zip" >/dev/null
cmake --build --preset win32
echo "== win32-unit"
cmake --preset win32-unit >/dev/null
cmake --build --preset win32-unit

echo "== the emulated x86 machine"
start=$SECONDS
status=0
scripts/emulator-run.sh build tests/win32-in-emulator.sh || status=$?
echo "win32 stage: $((SECONDS - start)) s on the emulated machine"
exit $status
