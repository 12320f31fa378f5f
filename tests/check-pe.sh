#!/usr/bin/env bash
# Static checks of the built Quenlit.exe files: the shipped 32-bit build is PE32 and the 64-bit
# build PE32+, both are GUI programs, and both import from system DLLs and from QXBaseIF.dll only,
# from the latter exactly the three driver calls, by name. The shipped 32-bit build is at most 64 KB.
# The quenlit-inspect.exe beside each is a console program of the same kind that imports from
# KERNEL32 and msvcrt only. The 32-bit files' headers ask for Windows NT 4.0.
set -euo pipefail
cd "$(dirname "$0")/.."

SYSTEM_DLLS=(comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll user32.dll)
INSPECTOR_DLLS=(kernel32.dll msvcrt.dll)
DRIVER_DLL=qxbaseif.dll
DRIVER_CALLS="FinishDriver InitQXDriver WriteRegister"
SHIPPED_EXE=dist/win32/Quenlit.exe
SHIPPED_EXE_BUDGET=65536

failures=0

fail() {
    echo "check-pe: $1: $2" >&2
    failures=$((failures + 1))
}

# One line "dll function" per imported function, the DLL's name in lower case.
imported_functions() {
    awk '
        /^\tDLL Name: / { dll = tolower($3); next }
        /^\tvma:/ { next }
        dll != "" && /^\t[0-9a-f]+\t/ { print dll, $3; next }
        /^[^\t]/ { dll = "" }'
}

# is_one_of <word> <words...>
is_one_of() {
    local word=$1 known
    shift
    for known in "$@"; do
        [ "$word" = "$known" ] && return 0
    done
    return 1
}

# check_kind <exe> <headers> <PE magic> <subsystem number> <subsystem name>
check_kind() {
    local exe=$1 headers=$2 magic=$3 subsystem=$4 name=$5
    grep -Eq "^Magic[[:space:]]+${magic}[[:space:]]" <<<"$headers" || fail "$exe" "PE magic is not $magic"
    grep -Eq "^Subsystem[[:space:]]+0000000${subsystem}[[:space:]]" <<<"$headers" ||
        fail "$exe" "subsystem is not $name ($subsystem)"
    # The Windows a PE32 file asks for: its operating system and subsystem versions, 4.0 for NT 4.0.
    if [ "$magic" = 010b ]; then
        local field
        for field in OSystemVersion SubsystemVersion; do
            grep -Eq "^Major${field}[[:space:]]+4\$" <<<"$headers" &&
                grep -Eq "^Minor${field}[[:space:]]+0\$" <<<"$headers" ||
                fail "$exe" "${field} is not 4.0 (Windows NT 4.0)"
        done
    fi
}

# check_exe <exe> <objdump> <PE magic>
check_exe() {
    local exe=$1 objdump=$2 magic=$3
    if [ ! -f "$exe" ]; then
        fail "$exe" "missing"
        return
    fi
    local headers imports dll calls
    headers=$("$objdump" -p "$exe")
    check_kind "$exe" "$headers" "$magic" 2 "Windows GUI"

    imports=$(imported_functions <<<"$headers")
    while read -r dll; do
        if [ "$dll" != "$DRIVER_DLL" ] && ! is_one_of "$dll" "${SYSTEM_DLLS[@]}"; then
            fail "$exe" "imports from $dll, which is not one of ${SYSTEM_DLLS[*]} or the driver"
        fi
    done < <(cut -d' ' -f1 <<<"$imports" | sort -u)
    calls=$(awk -v dll="$DRIVER_DLL" '$1 == dll { print $2 }' <<<"$imports" | sort | xargs)
    [ "$calls" = "$DRIVER_CALLS" ] ||
        fail "$exe" "imports \"$calls\" from QXBaseIF.dll instead of \"$DRIVER_CALLS\""
}

# check_inspector <exe> <objdump> <PE magic>
check_inspector() {
    local exe=$1 objdump=$2 magic=$3
    if [ ! -f "$exe" ]; then
        fail "$exe" "missing"
        return
    fi
    local headers dll
    headers=$("$objdump" -p "$exe")
    check_kind "$exe" "$headers" "$magic" 3 "Windows console"
    while read -r dll; do
        is_one_of "$dll" "${INSPECTOR_DLLS[@]}" ||
            fail "$exe" "imports from $dll, which is not one of ${INSPECTOR_DLLS[*]}"
    done < <(imported_functions <<<"$headers" | cut -d' ' -f1 | sort -u)
}

check_exe "$SHIPPED_EXE" i686-w64-mingw32-objdump 010b
check_exe dist/win64/Quenlit.exe x86_64-w64-mingw32-objdump 020b
if [ -f "$SHIPPED_EXE" ]; then
    size=$(stat -c %s "$SHIPPED_EXE")
    [ "$size" -le "$SHIPPED_EXE_BUDGET" ] ||
        fail "$SHIPPED_EXE" "$size bytes, over the budget of $SHIPPED_EXE_BUDGET"
fi
check_inspector dist/win32/quenlit-inspect.exe i686-w64-mingw32-objdump 010b
check_inspector dist/win64/quenlit-inspect.exe x86_64-w64-mingw32-objdump 020b

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "check-pe: Quenlit.exe (win32 PE32, win64 PE32+): GUI, system DLLs and the three driver calls" \
    "only; the win32 one $(stat -c %s "$SHIPPED_EXE") bytes, within $SHIPPED_EXE_BUDGET"
echo "check-pe: quenlit-inspect.exe (win32 PE32, win64 PE32+): console, KERNEL32 and msvcrt only"
echo "check-pe: the win32 files ask for Windows NT 4.0"
