#!/usr/bin/env bash
# Builds the release a Windows user downloads: the 32-bit build, made in a clean build directory,
# packed with quenlit-inspect.exe, its README, a build record (BUILDINFO.txt) and a demo folder (the
# simulated sensor and demo shared files) into dist/release/Quenlit-<version>-win32.zip, with the
# zip's SHA-256 in dist/release/SHA256SUMS. The same commit built with the packages that
# BUILDINFO.txt names gives the same bytes.
#
#   ./release.sh [OUT_DIR [BUILD_DIR]]    defaults: dist/release, build/release
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
source "$CHECKOUT/scripts/buildinfo.sh"
# Relative folders are the caller's.
out=$(realpath -m "${1:-$CHECKOUT/dist/release}")
build=$(realpath -m "${2:-$CHECKOUT/build/release}")
start_run RELEASE -- "$@"

# The Python that BUILDINFO.txt names, the release's default, whatever python3 the PATH finds first:
# it writes the demo shared files and packs the zip.
python=/usr/bin/python3

# The build folder is made anew, removed only when this script made it (its mark, or this project's
# CMake cache): never the checkout, a folder holding it, or another's files.
if [[ "$CHECKOUT/" == "${build%/}/"* ]] || { [ -n "$(ls -A "$build" 2>/dev/null)" ] &&
    [ ! -e "$build/.made-by-release.sh" ] &&
    ! grep -qsx 'CMAKE_PROJECT_NAME:STATIC=Quenlit' "$build/CMakeCache.txt"; }; then
    echo "release: $build holds the checkout or files release.sh did not make; name another" >&2
    exit 1
fi
rm -rf --one-file-system "$build"
mkdir -p "$build"
touch "$build/.made-by-release.sh"
build_preset release -B "$build" -DQUENLIT_DIST_DIR="$build/dist"
# One place holds the version: the project's, which the version resource takes too.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

# The zip's contents. Nothing at the top can replace a file of the sensor maker's software.
stage=$build/stage
mkdir -p "$stage/demo"
to_crlf() { sed 's/\r*$/\r/' "$1"; }
cp "$build/dist/Quenlit.exe" "$build/dist/quenlit-inspect.exe" "$stage/"
to_crlf release/README.txt >"$stage/README.txt"
write_buildinfo "$build/BUILDINFO" "$version"
to_crlf "$build/BUILDINFO" >"$stage/BUILDINFO.txt"
cp "$build/dist/Quenlit.exe" "$build/dist/QXBaseIF.dll" "$stage/demo/"
to_crlf release/demo-README.txt >"$stage/demo/README.txt"
"$python" scripts/shared_folders.py demo "$stage/demo/KelvoTemp"

archive=Quenlit-$version-win32.zip
mkdir -p "$out"
rm -f "$out/$archive" "$out/SHA256SUMS"
"$python" scripts/make-zip.py "$out/$archive" "$stage" "$(git log -1 --format=%ct)"
(cd "$out" && sha256sum "$archive" >SHA256SUMS)
echo "release: $out/$archive"
cat "$out/SHA256SUMS"
