#!/usr/bin/env bash
# Golden-output cases of quenlit-inspect on real folders. Each case writes a shared directory, runs
# the inspector on it, and compares its output with expected/<case>.txt (the directory's path
# shown as DIR) and its exit status with the case's. Natively, a run that takes 20 s has hung.
#
# golden.sh [--wine] INSPECT WORK [CASE...]
#   INSPECT  the inspector; with --wine the Windows console exe, run under wine64 through
#            scripts/wine-run.sh (QUENLIT_WINEPREFIX names the prefix) on a Z: path
#   WORK     a directory for the cases' folders, emptied first
#   CASE     the cases to run; all of them when none is given
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/demo-shared-files.sh"

wine=0
if [ "${1:-}" = --wine ]; then
    wine=1
    shift
fi
inspect=$1 work=$2
shift 2

# --- The cases: each writes the folder it is given and prints the exit status it expects.

case_clean() {
    write_demo_shared_files "$1"
    echo 0
}

case_lf_only_table() {
    printf 'Media: Film\r\n' >"$1/FilmType.txt"
    printf '0x40,0x38,0x38,0x28,0x28,0x20\n0x48,0x40,0x40,0x30,0x30,0x28\n' >"$1/Brigf.txt"
    printf '0x50,0x48,0x48,0x38,0x38,0x30\n' >>"$1/Brigf.txt"
    printf 'yK12' >"$1/Flag.txt"
    echo 1
}

case_non_hex_and_end_mark() {
    printf 'Slide' >"$1/FilmType.txt"
    {
        printf '0x 8,0x20,0x20,0x10,0x10,0x08\r\n'
        printf '0x30,0x28,0xzz,0x18,0x18,0x1G\r\n'
        printf '0x38,0x30,0x30,0x20,0x20,0x18\r\n'
        printf '# the rest are the built-in rows\r\n'
        printf '0x40,0x38,0x38,0x28,0x28,0x20\r\n'
    } >"$1/Brig.txt"
    printf 'nC12' >"$1/Flag.txt"
    echo 1
}

case_keyword_order_and_zero_byte() {
    printf 'Photo PhoBW B&W\0 Slide\r\n' >"$1/FilmType.txt"
    printf '0x11,0x12,0x13,0x14,0x15,0x16\r\n0x21,0x22,0x23,0x24,0x25,0x26\r\n' >"$1/Brigf.txt"
    printf 'nU12' >"$1/Flag.txt"
    echo 1
}

case_letter_out_of_range_in_short_flag() {
    printf 'photo\r\n' >"$1/FilmType.txt"
    printf 'yZ1' >"$1/Flag.txt"
    echo 1
}

case_lower_case_film_lf_row_empty_flag() {
    printf 'film' >"$1/FilmType.txt"
    printf '0x30,0x28,0x28,0x18,0x18,0x10\n' >"$1/Brig.txt"
    : >"$1/Flag.txt"
    echo 1
}

case_no_shared_files() {
    echo 1
}

case_read_only_flag() {
    write_demo_shared_files "$1"
    chmod a-w "$1/Flag.txt"
    echo 1
}

# Windows only: the clean folder given in quotes with its last backslash, which Windows passes on as
# a quote ("C:\sp ace\" arrives as C:\sp ace"). It reads as the clean folder.
case_quoted_backslash() {
    case_clean "$1"
}

case_read_only_out_of_range_letter() {
    printf 'nZ12' >"$1/Flag.txt"
    chmod a-w "$1/Flag.txt"
    echo 1
}

# Neither opening nor reading may wait for a writer.
case_fifos() {
    mkfifo "$1/FilmType.txt" "$1/Brig.txt" "$1/Flag.txt"
    echo 1
}

case_directories() {
    mkdir "$1/FilmType.txt" "$1/Brig.txt" "$1/Flag.txt"
    echo 1
}

# The tool opens its files by name: a folder it can search but not list serves it whole.
case_search_only_folder() {
    write_demo_shared_files "$1"
    chmod a+w "$1/Flag.txt"
    chmod 0311 "$1"
    echo 0
}

# Listed but not searched by anyone but root, like mode 0744 for others.
case_list_only_folder() {
    write_demo_shared_files "$1"
    chmod 0644 "$1"
    echo 1
}

all_cases=(clean lf_only_table non_hex_and_end_mark keyword_order_and_zero_byte
    letter_out_of_range_in_short_flag lower_case_film_lf_row_empty_flag no_shared_files
    read_only_flag read_only_out_of_range_letter fifos directories search_only_folder
    list_only_folder)
# The cases that root would see through: root runs them as nobody.
unprivileged_cases=" read_only_flag read_only_out_of_range_letter search_only_folder list_only_folder "

# --- Running them

failures=0

fail() {
    echo "FAIL $1: $2" >&2
    failures=$((failures + 1))
}

# The folder's path as the inspector is given it, with its separator.
argument_for() {
    if [ "$wine" = 1 ]; then
        local path=${1//\//\\}
        echo "Z:$path\\"
    else
        echo "$1/"
    fi
}

# run_inspector <out file> <err file> ARGS...; returns the inspector's exit status. The command in
# the array as_user, if any, runs it.
as_user=()
run_inspector() {
    local out=$1 err=$2
    shift 2
    if [ "$wine" = 1 ]; then
        "$here/../../scripts/wine-run.sh" "$inspect" "$@" >"$out" 2>"$err"
    else
        timeout 20 "${as_user[@]}" "$inspect" "$@" >"$out" 2>"$err"
    fi
}

run_case() {
    local name=$1 folder=$work/$1 expected_status status argument failed=$failures
    mkdir -p "$folder"
    expected_status=$("case_$name" "$folder")
    as_user=()
    if [[ $unprivileged_cases == *" $name "* ]] && [ "$(id -u)" = 0 ]; then
        if ! command -v setpriv >/dev/null; then
            echo "skip $name: root ignores permissions, and setpriv is missing"
            return
        fi
        as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    fi
    argument=$(argument_for "$folder")
    local given=$argument expected=$name
    if [ "$name" = quoted_backslash ]; then
        given=${argument%\\}\"
        expected=clean
    fi
    status=0
    run_inspector "$work/$name.out" "$work/$name.err" "$given" || status=$?
    chmod u+rwx "$folder"
    # Windows console output ends its lines in CR LF.
    local output
    output=$(tr -d '\r' <"$work/$name.out")
    printf '%s\n' "${output//"$argument"/DIR}" >"$work/$name.txt"
    [ "$status" = "$expected_status" ] || fail "$name" "exit status $status, expected $expected_status"
    if ! diff -u "$here/expected/$expected.txt" "$work/$name.txt" >"$work/$name.diff"; then
        fail "$name" "output differs from expected/$expected.txt:"
        cat "$work/$name.diff" >&2
    fi
    [ "$failures" != "$failed" ] || echo "ok $name"
}

# An unreadable directory and a usage error: status 2, nothing on stdout, one line on stderr.
run_refusal() {
    local name=$1 status=0 failed=$failures
    shift
    run_inspector "$work/$name.out" "$work/$name.err" "$@" || status=$?
    [ ! -s "$work/$name.out" ] || fail "$name" "output on stdout"
    check_refusal "$name" "$status" "$failed"
}

# check_refusal NAME STATUS FAILURES-BEFORE
check_refusal() {
    local name=$1 status=$2 failed=$3
    [ "$status" = 2 ] || fail "$name" "exit status $status, expected 2"
    [ "$(wc -l <"$work/$name.err")" = 1 ] || fail "$name" "stderr is not one line"
    grep -q '^quenlit-inspect: ' "$work/$name.err" || fail "$name" "stderr does not name the program"
    [ "$failures" != "$failed" ] || echo "ok $name: $(cat "$work/$name.err")"
}

# A report that cannot be written: status 2 and one line on stderr, as for a refusal.
run_to_full_device() {
    local name=$1 folder=$work/$1 status=0 failed=$failures
    mkdir -p "$folder"
    write_demo_shared_files "$folder"
    timeout 20 "$inspect" "$folder" >/dev/full 2>"$work/$name.err" || status=$?
    check_refusal "$name" "$status" "$failed"
}

rm -rf "$work"
mkdir -p "$work"
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=("${all_cases[@]}" missing_directory usage full_device)
for name in "${cases[@]}"; do
    case $name in
    missing_directory) run_refusal "$name" "$(argument_for "$work/absent")" ;;
    usage) run_refusal "$name" "$(argument_for "$work")" extra ;;
    full_device) run_to_full_device "$name" ;;
    *) run_case "$name" ;;
    esac
done

[ "$failures" = 0 ]
