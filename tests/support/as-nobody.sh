#!/usr/bin/env bash
# Root sees through file permissions: the test cases about them run as nobody when root runs them.
# Nobody must reach the program wherever the checkout lies, even under a folder only its owner can
# search (as mktemp -d makes), so it runs a copy of the program from a place of its own in /tmp
# (mode 0711, removed on exit).
#
# as-nobody.sh PROGRAM [ARG...]
#   runs PROGRAM so when root, as it is otherwise; fails when root lacks setpriv. The C++ tests'
#   scratch folders lie in /dev/shm or, where there is none, in TMPDIR, which is then /tmp.
#
# Sourced (by tests/inspect/golden.sh), it gives:
#   nobody_needed              true when the user is root
#   make_nobody_place PROGRAM  makes the place once and sets nobody_place (where files for the
#                              program may go too) and as_nobody (the command that runs the copy);
#                              false when setpriv is missing

nobody_needed() {
    [ "$(id -u)" = 0 ]
}

nobody_place=
as_nobody=()
make_nobody_place() {
    [ -z "$nobody_place" ] || return 0
    command -v setpriv >/dev/null || return 1
    nobody_place=$(mktemp -d /tmp/quenlit-nobody.XXXXXX)
    trap 'rm -rf "$nobody_place"' EXIT
    chmod 0711 "$nobody_place"
    install -m 0755 "$1" "$nobody_place/"
    as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups "$nobody_place/${1##*/}")
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    nobody_needed || exec "$@"
    if ! make_nobody_place "$1"; then
        echo "as-nobody: root ignores permissions, and setpriv is missing" >&2
        exit 1
    fi
    shift
    TMPDIR=/tmp "${as_nobody[@]}" "$@"
fi
