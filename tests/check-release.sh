#!/usr/bin/env bash
# The release is reproducible and holds what a Windows user needs: ./release.sh twice, in two build
# directories, gives the same bytes in every file it builds and packs; the zip's top level holds
# the 32-bit Quenlit.exe, quenlit-inspect.exe, README.txt and the build record BUILDINFO.txt, which
# names the commit, and never a QXBaseIF.dll; its texts are ASCII in lines of at most 80 characters
# that end in CR LF, as every Windows editor shows them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
trust_checkout
commit=$(git rev-parse HEAD)

work=build/check-release
rm -rf --one-file-system "$work"
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
