#!/usr/bin/env bash
# Runs the shipped 32-bit build for real: on an emulated x86 machine (scripts/emulator-run.sh),
# under 32-bit Wine, the end-to-end cases on the release zip's Quenlit.exe, the unit suite
# cross-built for i686 and quenlit-inspect.exe on the golden folders. Their CTest names start with
# win32_.
#
#   tests/win32-stage.sh prefix     makes the machine's 32-bit Wine prefix, kept in build/emulator;
#                                   ./test.sh runs this beside its other stages
#   tests/win32-stage.sh test ZIP   builds the tests and runs them; ZIP is the release zip, as
#                                   ./release.sh makes it (the prefix is made first if need be)
# Either installs the packages it uses and, when there is none, first makes 32-bit Wine's tree
# (scripts/wine32-tree.sh).
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"
zip=${2:+$(realpath -m "$2")}
start_run NATIVE WINDOWS RUN EMULATOR -- "$@"

if [ "${1:?prefix or test}" = prefix ]; then
    start=$SECONDS
    scripts/emulator-run.sh build tests/win32-in-emulator.sh prefix
    echo "win32 prefix: $((SECONDS - start)) s on the emulated machine"
    exit
fi

[ -f "$zip" ] || { echo "win32 stage: no release zip: ${2:-none given}" >&2; exit 1; }
build_preset win32 -DQUENLIT_RELEASE_ZIP="$zip"
build_preset win32-unit

echo "== the emulated x86 machine"
start=$SECONDS
status=0
scripts/emulator-run.sh build tests/win32-in-emulator.sh test || status=$?
echo "win32 stage: $((SECONDS - start)) s on the emulated machine"
exit $status
