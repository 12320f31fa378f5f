# shellcheck shell=bash
# The release's build record, after reproducible builds' .buildinfo files: the commit, the Debian
# release and the exact versions of the packages that made the zip's bytes (RELEASE_TOOLCHAIN in
# scripts/setup.sh, with the packages of the default Python's exact version). It holds no time,
# host name or directory, so the same commit built with the same packages gives the same record.
# Sourced after scripts/setup.sh.

# write_buildinfo <file> <version>: the record, LF line ends. Fails when a package is not installed.
write_buildinfo() {
    local file=$1 version=$2 architecture commit depends python packages
    architecture=$(dpkg --print-architecture)
    # The release's default Python, whose own packages carry its exact version.
    python=$(/usr/bin/python3 -c 'import sys; print("python%d.%d" % sys.version_info[:2])')
    packages=("${RELEASE_TOOLCHAIN[@]}" "$python-minimal" "lib$python-minimal" "lib$python-stdlib")
    commit=$(git rev-parse HEAD)
    # Changed, staged and untracked files alike (ignored ones, such as build/, aside).
    [ -z "$(git status --porcelain)" ] || commit="$commit with uncommitted changes"
    # One line per package of this machine's architecture or of all, as Debian writes them.
    depends=$(dpkg-query -W -f='${Package} ${Architecture} ${Version} ${db:Status-Abbrev}\n' \
        "${packages[@]}" 2>/dev/null |
        awk -v arch="$architecture" '($2 == arch || $2 == "all") && $4 == "ii" {
                print " " $1 " (= " $3 ")"
            }' | LC_ALL=C sort) || true
    if [ "$(wc -l <<<"$depends")" -ne "${#packages[@]}" ]; then
        echo "release: not all of these packages are installed: ${packages[*]}" >&2
        return 1
    fi
    (
        source /etc/os-release
        echo "Format: 1.0"
        echo "Source: Quenlit"
        echo "Version: $version"
        echo "Commit: $commit"
        echo "Build-Command: ./release.sh"
        echo "Build-Distribution: $NAME $VERSION"
        echo "Build-Architecture: $architecture"
        echo "Installed-Build-Depends:"
        sed '$!s/$/,/' <<<"$depends"
    ) >"$file"
}
