#!/usr/bin/env bash
# Golden-output cases of quenlit-inspect on real folders. Each case has scripts/shared_folders.py
# write its folder (golden/<case>), runs the inspector on it, and compares its output with
# expected/<case>.txt (the folder's path shown as DIR) and its exit status with the case's.
# Natively, a run that takes 20 s has hung.
#
# golden.sh [--wine] INSPECT WORK [CASE...]
#   INSPECT  the inspector; with --wine the Windows console exe, run under the Wine of its machine
#            type by scripts/desktop.py (QUENLIT_WINEPREFIX names the prefix) on a Z: path
#   WORK     a directory for the cases' folders, emptied first
#   CASE     the cases to run; all of them when none is given
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts

wine=0
if [ "${1:-}" = --wine ]; then
    wine=1
    shift
fi
inspect=$1 work=$2
shift 2

# The cases, each with the exit status it expects. quoted_backslash, for Windows only, gives the
# clean folder in quotes with its last backslash, which Windows passes on as a quote ("C:\sp ace\"
# arrives as C:\sp ace"): it reads as the clean folder.
declare -A expected_status=([clean]=0 [lf_only_table]=1 [non_hex_and_end_mark]=1
    [keyword_order_and_zero_byte]=1 [letter_out_of_range_in_short_flag]=1
    [lower_case_film_lf_row_empty_flag]=1 [no_shared_files]=1 [read_only_flag]=1
    [read_only_out_of_range_letter]=1 [fifos]=1 [directories]=1 [search_only_folder]=0
    [list_only_folder]=1 [quoted_backslash]=0)
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

# run_inspector <out file> <err file> ARGS...; returns the inspector's exit status. Natively the
# command in the array `inspector` runs it.
inspector=("$inspect")
run_inspector() {
    local out=$1 err=$2
    shift 2
    if [ "$wine" = 1 ]; then
        python3 "$scripts/desktop.py" wine "$inspect" "$@" >"$out" 2>"$err"
    else
        timeout 20 "${inspector[@]}" "$@" >"$out" 2>"$err"
    fi
}

# Root runs the cases about permissions as nobody, with their folders in nobody's place beside the
# copy of the inspector.
# shellcheck source=SCRIPTDIR/../support/as-nobody.sh
source "$here/../support/as-nobody.sh"

run_case() {
    local name=$1 folder=$work/$1 status argument failed=$failures
    if [[ $unprivileged_cases == *" $name "* ]] && nobody_needed; then
        if ! make_nobody_place "$inspect"; then
            fail "$name" "root ignores permissions, and setpriv is missing"
            return
        fi
        folder=$nobody_place/$name
        local -a inspector=("${as_nobody[@]}")
    fi
    python3 "$scripts/shared_folders.py" "golden/$name" "$folder"
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
    [ "$status" = "${expected_status[$name]}" ] ||
        fail "$name" "exit status $status, expected ${expected_status[$name]}"
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
    python3 "$scripts/shared_folders.py" golden/clean "$folder"
    timeout 20 "$inspect" "$folder" >/dev/full 2>"$work/$name.err" || status=$?
    check_refusal "$name" "$status" "$failed"
}

# Folders an interrupted case left without permissions get them back first.
[ ! -d "$work" ] || chmod -R u+rwx "$work"
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
