#!/usr/bin/env bash
# The part of tests/win32-stage.sh that runs on the emulated x86 machine.
#
#   tests/win32-in-emulator.sh prefix   makes the 32-bit Wine prefix, unless it is kept already
#   tests/win32-in-emulator.sh test     the 32-bit unit suite and the shipped build's tests
#
# Every test runs in one 32-bit prefix. It takes minutes to make there, so a copy is kept in
# build/emulator, with the files that are copies of Wine's own replaced by links to them, and
# taken again while what made it stays the same: 32-bit Wine's tree (its name gives the Wine
# version, the suites and the recipe), scripts/desktop.py and this script.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

export QUENLIT_WINEPREFIX=/tmp/quenlit-win32/prefix
prefix=$QUENLIT_WINEPREFIX
builtins=/usr/lib/i386-linux-gnu/wine/i386-windows
kept=build/emulator/wine32-prefix-$({
    echo "${WINE32_TREE:?is not set}"
    cat scripts/desktop.py "$0"
} | sha256sum | cut -c1-16).tar

make_prefix() {
    local start=$SECONDS
    python3 scripts/desktop.py prefix 32
    echo "32-bit Wine prefix: made in $((SECONDS - start)) s"
    # In one process: each program started costs a noticeable time on the emulated machine.
    python3 - "$prefix/drive_c" "$builtins" <<'LINK'
import filecmp, os, sys
prefix, builtins = sys.argv[1:]
for folder, _, names in os.walk(prefix):
    for name in names:
        path, builtin = os.path.join(folder, name), os.path.join(builtins, name)
        if os.path.isfile(builtin) and not os.path.islink(path) and filecmp.cmp(path, builtin, False):
            os.remove(path)
            os.symlink(builtin, path)
LINK
    rm -f build/emulator/wine32-prefix-*.tar*
    if ! tar -cf "$kept.tmp" -C "$prefix" .; then
        rm -f "$kept.tmp"
        echo "32-bit Wine prefix: cannot keep a copy in $kept" >&2
        exit 1
    fi
    mv "$kept.tmp" "$kept"
    echo "32-bit Wine prefix: kept in $kept ($(du -h --apparent-size "$kept" | cut -f1))"
}

mkdir -p "$prefix"
case ${1:?prefix or test} in
prefix)
    [ -f "$kept" ] || make_prefix
    ;;
test)
    if [ -f "$kept" ]; then
        tar -xf "$kept" -C "$prefix"
    else
        make_prefix
    fi
    # One server for the runs without a display; the end-to-end session starts its own after it.
    export QUENLIT_WINE_KEEP_SERVER=1
    status=0
    run_tests --preset win32-unit || status=1
    run_tests --preset win32 || status=1
    echo "What ran as 32-bit code:"
    grep -h "^Pointer size: \|ran as a 32-bit process$" build/win32-unit/Testing/Temporary/LastTest.log \
        build/win32/Testing/Temporary/LastTest.log | sed 's/^/  /'
    # The unit suite reports after its last test: without the report it did not run to its end.
    grep -q "^Pointer size: 4 bytes" build/win32-unit/Testing/Temporary/LastTest.log || {
        echo "The 32-bit unit suite did not report a pointer size of 4 bytes."
        status=1
    }
    exit $status
    ;;
esac
