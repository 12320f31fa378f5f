#!/usr/bin/env bash
# Unpacks 32-bit Wine (wine32 of the i386 architecture) and every library it needs into a folder of
# its own, with Debian's mmdebstrap, from the i386 indexes of this machine's Debian mirror, as any
# user (chrootless: nothing is run, only unpacked). Nothing is installed here and dpkg's
# architectures stay as they are; the emulated x86 machine lays the folder under its root
# (scripts/emulator-init.sh). Prints the folder.
#
#   scripts/wine32-tree.sh CACHE
#
# The folder is CACHE/wine32-tree-<version>-<suites>-<recipe>: wine32 at the version the package
# lists give for wine64, which must be the installed one (the two halves share one Wine server),
# from the suites named, made again when that version, a suite or this script changes. Older trees
# are removed once a new one is made.
set -euo pipefail
mkdir -p "$1"
cache=$(realpath "$1")
recipe=$(sha256sum "$0" | cut -c1-16)

fail() {
    echo "wine32 tree: $*" >&2
    exit 1
}
version=$(apt-cache policy wine64 | sed -n 's/^ *Candidate: //p')
installed=$(dpkg-query -W -f='${Version}' wine64)
[ "$version" = "$installed" ] || fail "the mirror has Wine $version, this machine's wine64 is" \
    "$installed: upgrade it (apt-get install wine64), as root"
command -v mmdebstrap >/dev/null || fail "mmdebstrap is missing (package mmdebstrap)"

# This machine's Debian suites (its release, and the updates and security suites beside it), each
# line as the i386 tree's apt reads it, by codename whatever the sources call it (stable, say).
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
mapfile -t sources < <(apt-get indextargets --format '$(REPO_URI) $(CODENAME) $(COMPONENT)' \
    'Identifier: Packages' | awk -v release="$codename" '$2 ~ "^" release "(-|$)" {
        print "deb " $1 " " $2 " " $3
    }' | sort -u)
[ "${#sources[@]}" -gt 0 ] || fail "apt knows no source of Debian $codename"

# apt's proxy, as the host's apt has it.
options=()
while read -r option; do
    options+=("--aptopt=$option")
done < <(apt-config dump | grep -E '^Acquire::https?::Proxy')

# A mirror can serve an index of one suite that does not match its release file for hours (in the
# middle of a sync). Such a suite is left out and the tree made from the others; wine32 and its
# libraries come from the release itself, which cannot be left out.
log=$cache/wine32-tree.log
while :; do
    suites=$(printf '%s\n' "${sources[@]}" | cut -d' ' -f3 | paste -sd +)
    tree=$cache/wine32-tree-$version-$suites-$recipe
    [ -d "$tree" ] && break
    echo "wine32 tree: unpacking wine32 $version from ${suites//+/ }" >&2
    rm -rf --one-file-system "$tree.tmp"
    if mmdebstrap --mode=chrootless --variant=extract --arch=i386 --include="wine32=$version" \
        "${options[@]}" "$codename" "$tree.tmp" "${sources[@]}" >"$log" 2>&1; then
        # The host's /bin, /sbin and /lib lead into /usr: the tree's files go there too.
        for dir in bin sbin lib; do
            if [ -d "$tree.tmp/$dir" ] && [ ! -L "$tree.tmp/$dir" ]; then
                cp -a "$tree.tmp/$dir/." "$tree.tmp/usr/$dir/"
                rm -rf "$tree.tmp/$dir"
            fi
        done
        # Unpacking runs no maintainer script. Of theirs Wine needs libwine's: its zlib1.dll, the
        # mingw one marked as a Wine builtin.
        mingw_zlib=$tree.tmp/usr/i686-w64-mingw32/lib/zlib1.dll
        {
            head -c 64 "$mingw_zlib"
            printf 'Wine builtin DLL\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
            tail -c +97 "$mingw_zlib"
        } >"$tree.tmp/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"
        mv "$tree.tmp" "$tree"
        break
    fi
    rm -rf --one-file-system "$tree.tmp"
    mapfile -t failed < <(sed -n 's|^E: Failed to fetch .*/dists/\([^/]*\)/.*|\1|p' "$log" |
        sort -u)
    remaining=()
    for source in "${sources[@]}"; do
        suite=$(cut -d' ' -f3 <<<"$source")
        [[ " ${failed[*]} " == *" $suite "* ]] || remaining+=("$source")
    done
    if [ "${#failed[@]}" = 0 ] || [[ " ${failed[*]} " == *" $codename "* ]] ||
        [ "${#remaining[@]}" = "${#sources[@]}" ]; then
        tail -n 20 "$log" >&2
        fail "mmdebstrap failed"
    fi
    echo "wine32 tree: left out, its i386 index cannot be had: ${failed[*]}" >&2
    sources=("${remaining[@]}")
done
for old in "$cache"/wine32-tree-*; do
    [ "$old" = "$tree" ] || [ "$old" = "$log" ] || rm -rf --one-file-system "$old"
done
echo "wine32 tree: wine32 $version from ${suites//+/ }, $(du -sh "$tree" | cut -f1) in $tree" >&2
echo "$tree"
