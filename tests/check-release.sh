#!/usr/bin/env bash
# The release is reproducible and holds what a Windows user needs: ./release.sh twice gives the
# same bytes in every file it builds and packs, the second time from a copy of the checkout at
# another path, in another build folder, with another umask, time zone and locale; the zip's top
# level holds the 32-bit Quenlit.exe, quenlit-inspect.exe, README.txt and the build record
# BUILDINFO.txt, which names the commit, and never a QXBaseIF.dll; its texts are ASCII in lines of
# at most 80 characters that end in CR LF, as every Windows editor shows them.
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"
start_run RELEASE -- "$@"
commit=$(git rev-parse HEAD)

work=$PWD/build/check-release
rm -rf --one-file-system "$work"
(umask 0022 && TZ=UTC0 LC_ALL=C ./release.sh "$work/first/out" "$work/first/build" >/dev/null)
copy=$work/second/checkout
mkdir -p "$copy"
tar -C . --exclude=./build --exclude=./dist -cf - . | tar -C "$copy" -xf -
(umask 0077 && TZ=XYZ-14 LC_ALL=C.UTF-8 "$copy/release.sh" "$work/second/out" "$work/second/build" \
    >/dev/null)

failures=0
fail() {
    echo "check-release: $1" >&2
    failures=$((failures + 1))
}

# Two missing builds would compare equal.
for run in first second; do
    [ -d "$work/$run/build/dist" ] && [ -s "$work/$run/out/SHA256SUMS" ] ||
        fail "the $run run left no build folder or no SHA256SUMS"
done
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
[ "$top_level" = "BUILDINFO.txt Quenlit.exe README.txt quenlit-inspect.exe" ] ||
    fail "the zip's top level holds \"$top_level\""
grep -qix 'demo/QXBaseIF.dll' <<<"$listing" || fail "the demo holds no simulated sensor"

# One line per fault of the texts given: a byte that is no ASCII, a line end other than CR LF, a
# line longer than 80 characters.
text_faults() {
    python3 - "$archive" "$@" <<'EOF_PYTHON'
import sys, zipfile

archive = zipfile.ZipFile(sys.argv[1])
for name in sys.argv[2:]:
    data = archive.read(name)
    if not data.isascii():
        print(f"{name} holds bytes that are no ASCII")
    *lines, last = data.split(b"\r\n")
    if last:
        print(f"{name} does not end with CR LF")
    for number, line in enumerate(lines + [last], 1):
        if b"\r" in line or b"\n" in line:
            print(f"{name} line {number} holds a line end other than CR LF")
        if len(line) > 80:
            print(f"{name} line {number} has {len(line)} characters")
EOF_PYTHON
}
faults=$(text_faults README.txt demo/README.txt BUILDINFO.txt)
while read -r fault; do
    [ -z "$fault" ] || fail "$fault"
done <<<"$faults"

unzip_text() { python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' "$archive" "$1"; }
grep -q "^Commit: $commit" <(unzip_text BUILDINFO.txt) ||
    fail "BUILDINFO.txt does not name the commit"

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "check-release: two builds give the same bytes:"
sed 's/^/  /' "$work/first/out/SHA256SUMS"
