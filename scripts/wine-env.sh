# Wine settings shared by the scripts that start Windows programs. Sourced; takes the prefix in
# WINEPREFIX.

WINE64=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEDEBUG=-all
# There is no network: never offer to download Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Makes the prefix once and keeps its server alive between launches.
ensure_wine_prefix() {
    mkdir -p "$WINEPREFIX"
    if [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
        "$WINE64" wineboot -i </dev/null >"$WINEPREFIX.boot.log" 2>&1
        # The server wineboot started ends on its own; wait for it, then start one that stays.
        "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    fi
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
}
