#!/usr/bin/env bash
# Runs one Windows program under wine64 with no display, for the cross-built test suite. The
# prefix is QUENLIT_WINEPREFIX, made on first use.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
export WINEPREFIX=${QUENLIT_WINEPREFIX:?}
unset DISPLAY
ensure_wine_prefix
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Wine's helper processes keep inherited output open: give them a file, not ctest's pipe.
set +e
"$WINE64" "$@" </dev/null >"$log" 2>&1
status=$?
set -e
cat "$log"
# Nothing of this run stays behind: the server and Wine's helper processes end with it.
"$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
exit $status
