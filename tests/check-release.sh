#!/usr/bin/env bash
# The release is reproducible and holds what a Windows user needs: ./release.sh twice, in two build
# directories, gives the same bytes in every file it builds and packs; the zip's top level holds
# the 32-bit Quenlit.exe, quenlit-inspect.exe and README.txt with CRLF line ends, and never a
# QXBaseIF.dll.
set -euo pipefail
cd "$(dirname "$0")/.."

work=build/check-release
rm -rf "$work"
for run in first second; do
    ./release.sh "$work/$run/out" "$work/$run/build" >/dev/null
done

failures=0
fail() {
    echo "check-release: $1" >&2
    failures=$((failures + 1))
}

# Every file of both runs, by its path within the run: the zip, SHA256SUMS and the binaries.
digests() {
    (cd "$work/$1" && find out build/dist -type f -print0 | sort -z | xargs -0 sha256sum)
}
if ! diff <(digests first) <(digests second) >&2; then
    fail "two builds of the same commit differ"
fi

archive=$(find "$work/first/out" -name 'Quenlit-*-win32.zip')
listing=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' \
    "$archive")
top_level=$(grep -v / <<<"$listing" | xargs)
[ "$top_level" = "Quenlit.exe README.txt quenlit-inspect.exe" ] || fail "the zip's top level holds \"$top_level\""
grep -qix 'demo/QXBaseIF.dll' <<<"$listing" || fail "the demo holds no simulated sensor"
unzip_text() { python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' "$archive" "$1"; }
for text in README.txt demo/README.txt; do
    [ "$(unzip_text "$text" | grep -c $'[^\r]$')" -eq 0 ] || fail "$text has lines without CRLF"
done

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "check-release: two builds give the same bytes:"
sed 's/^/  /' "$work/first/out/SHA256SUMS"
