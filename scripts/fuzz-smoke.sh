#!/usr/bin/env bash
# Builds the fuzz targets and runs each one for a few seconds on a copy of its seed corpus, so the
# committed seeds stay as they are. A crash, or a disagreement with a target's model, fails the
# run; the input that caused it is kept in build/fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

build_preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build/fuzz/crashes

# Each target with the longest input it is given.
for entry in TableFileFuzz:4096 FilmTypeFuzz:4096 FlagFileFuzz:24; do
    target=${entry%:*}
    echo "== fuzz $target"
    cp -r "tests/fuzz/corpus/$target" "$work/$target"
    if ! "build/fuzz/tests/fuzz/$target" -max_total_time=5 -max_len="${entry#*:}" -timeout=10 \
        -artifact_prefix=build/fuzz/crashes/ "$work/$target" 2>"$work/$target.log"; then
        cat "$work/$target.log" >&2
        exit 1
    fi
    tail -n 1 "$work/$target.log"
done
