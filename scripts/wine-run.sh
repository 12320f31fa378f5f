#!/usr/bin/env bash
# Runs one Windows program under the Wine of its machine type (wine64, or wine for a 32-bit one)
# with no display, for the cross-built test suites. The prefix is QUENLIT_WINEPREFIX, made on first
# use.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
export WINEPREFIX=${QUENLIT_WINEPREFIX:?}
unset DISPLAY
wine=$(wine_for "$1")
ensure_wine_prefix "$wine"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Wine's helper processes keep inherited output open: give them a file, not ctest's pipe.
set +e
"$wine" "$@" </dev/null >"$log" 2>&1
status=$?
set -e
cat "$log"
# Nothing of this run stays behind: the server and Wine's helper processes end with it. The stage on
# the emulated x86 machine, where each fresh start of Wine costs seconds, keeps one server for all
# its runs (QUENLIT_WINE_KEEP_SERVER=1).
if [ "${QUENLIT_WINE_KEEP_SERVER:-0}" != 1 ]; then
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
fi
exit $status
