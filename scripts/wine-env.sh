# Wine settings shared by the scripts that start Windows programs. Sourced; takes the prefix in
# WINEPREFIX.

WINE32=/usr/lib/wine/wine
WINE64=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEDEBUG=-all
# There is no network: never offer to download Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Prints the Wine loader for a Windows executable's machine type: wine for a 32-bit (i386) one,
# wine64 otherwise.
wine_for() {
    local header machine
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')
    if [ "$machine" = 014c ]; then echo "$WINE32"; else echo "$WINE64"; fi
}

# Makes the prefix once, with the given loader (default wine64; a 32-bit loader makes a 32-bit
# prefix), and keeps its server alive between launches.
ensure_wine_prefix() {
    local wine=${1:-$WINE64}
    mkdir -p "$WINEPREFIX"
    if [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
        if [ "$wine" = "$WINE32" ]; then
            WINEARCH=win32 "$wine" wineboot -i </dev/null >"$WINEPREFIX.boot.log" 2>&1
        else
            "$wine" wineboot -i </dev/null >"$WINEPREFIX.boot.log" 2>&1
        fi
        # The server wineboot started ends on its own; wait for it, then start one that stays.
        "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    fi
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
}
