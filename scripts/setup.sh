#!/usr/bin/env bash
# What the top-level scripts source: each script one run of the checkout, alone in it, ended whole;
# the Debian packages each part needs, installed when missing (or the command that installs them,
# when not root); and a CMake preset installed for, configured and built. Run directly,
# `scripts/setup.sh COMMAND...` runs COMMAND as such a run (ctest by hand, say).

CHECKOUT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)
# The script to run again inside the run, taken before anything changes the current directory.
RUN_SCRIPT=$(realpath -- "$0")

# start_run GROUP... -- ARG...: makes this script, with ARG..., one run of the checkout and returns
# in the checkout's directory inside it. A script that a run starts is inside it (QUENLIT_RUN).
# - One run at a time: the lock is on the checkout's directory (descriptor 9, which all of the run
#   hold), whatever path reaches it and whoever owns it; a second run is told who holds it.
# - Root installs the packages of the groups (NATIVE, WINDOWS, ...), and the package lists where
#   there are none; in a checkout that another user owns, the rest runs as that user (setpriv).
# - The run is a PID namespace: when its first process ends, however (SIGKILL included), the kernel
#   ends all of the run. Where none can be made, the run ends the processes with its QUENLIT_RUN.
# - HOME is build/home: nothing the run starts writes outside the checkout.
start_run() {
    local packages=() list status=0 ns=(unshare --pid --fork --kill-child --mount-proc) owner=()
    for list in "${@/%/_PACKAGES[@]}"; do
        [ "$list" = "--_PACKAGES[@]" ] && break
        packages+=("${!list}")
        shift
    done
    shift
    cd "$CHECKOUT"
    [ -z "${QUENLIT_RUN:-}" ] || { mkdir -p "$HOME" && return 0; }
    trust_checkout
    exec 9<.
    flock -n -E 75 9 || status=$?
    if [ "$status" != 0 ]; then
        exec 9<&-
        [ "$status" = 75 ] || echo "Cannot lock the checkout $CHECKOUT (flock status $status)." >&2
        [ "$status" != 75 ] || echo "Another run holds this checkout: $(lock_holder)" >&2
        exit 1
    fi
    # Root runs the rest as the owner under a first process of its own: a change of user would free
    # that process from the end of the namespace's keeper.
    if [ "$(id -u)" != 0 ]; then
        ns+=(--map-current-user)
    elif [ "$(stat -c %u .)" != 0 ]; then
        owner=(bash -c '"$@" & wait $!' run setpriv --reuid="$(stat -c %u .)"
            --regid="$(stat -c %g .)" --clear-groups)
    fi
    [ "$(id -u)" != 0 ] || compgen -G '/var/lib/apt/lists/*_Packages*' >/dev/null ||
        update_package_lists
    ensure_packages "${packages[@]}"
    export QUENLIT_RUN="$CHECKOUT $$" HOME=$CHECKOUT/build/home
    unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME XDG_RUNTIME_DIR
    if ! "${ns[@]}" true 2>/dev/null; then
        echo "No PID namespace can be made here: the run ends what it started by a process scan."
        ns=()
        trap 'set +e; stop_run' EXIT
    fi
    # This process waits for the run, which its end (SIGKILL included) kills; SIGTERM and Ctrl-C
    # end it at once. unshare itself lets neither through.
    setpriv --pdeathsig KILL "${ns[@]}" "${owner[@]}" "$RUN_SCRIPT" "$@" &
    trap "kill -KILL $! 2>/dev/null; exit 143" TERM
    trap "kill -KILL $! 2>/dev/null; exit 130" INT
    wait $! && exit 0 || exit $?
}

# Ends the processes that inherit this run's QUENLIT_RUN, other than this shell: asked first, then
# made to, ten seconds later.
stop_run() {
    local attempt pids
    for attempt in 1 2 3 4 5 6 7 8 9 10 11; do
        pids=$(grep -lzxF "QUENLIT_RUN=$QUENLIT_RUN" /proc/[0-9]*/environ 2>/dev/null |
            cut -d/ -f3 | grep -vx "$$") || return 0
        [ "$attempt" != 1 ] || kill -TERM $pids 2>/dev/null
        [ "$attempt" != 11 ] || kill -KILL $pids 2>/dev/null
        sleep 1
    done
}

# The first process holding the checkout open on descriptor 9, as ps shows it.
lock_holder() {
    local fd pid
    pid=$(for fd in /proc/[0-9]*/fd/9; do
        [ "$fd" -ef . ] && fd=${fd#/proc/} && echo "${fd%%/*}"
    done 2>/dev/null | sort -n | head -n 1)
    ps -o pid=,user=,etime=,args= -p "${pid:-0}" 2>/dev/null || echo "a process of another user"
}

# trust_checkout: git answers in the checkout even when another user owns it (a volume mounted into
# a container, sudo on one's own clone), for this script and those it runs.
trust_checkout() {
    local entry=${GIT_CONFIG_COUNT:-0}
    export GIT_CONFIG_COUNT=$((entry + 1)) "GIT_CONFIG_KEY_$entry=safe.directory" \
        "GIT_CONFIG_VALUE_$entry=$(pwd -P)"
}

# run_tests CTEST_ARG...: ctest, with the tests it skipped added to build/skipped-tests.txt, which
# report_skipped lists. A skip checks nothing: where CI is set, it fails the run.
run_tests() {
    local skipped status=0
    ctest "$@" | tee build/ctest-output.txt || status=$?
    skipped=$(sed -n 's/^ *[0-9]* - \(.*\) (Skipped)$/\1/p' build/ctest-output.txt)
    if [ -n "$skipped" ]; then
        echo "$skipped" >>build/skipped-tests.txt
        [ "${CI:-}" != true ] || { echo "Skipped, so failed: $skipped" >&2; return 1; }
    fi
    return "$status"
}
report_skipped() {
    [ ! -s build/skipped-tests.txt ] || sed '1i == Skipped, so not checked in this run:' \
        build/skipped-tests.txt
}

# The packages not installed (held ones are installed: dpkg's status word is what counts).
missing_packages() {
    local package
    for package in "$@"; do
        [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" = installed ] ||
            printf '%s\n' "$package"
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages "$@" | sort -u | paste -sd ' ')
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them as root with:" >&2
        echo "  apt-get update && apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    # Lists too old for the mirror: a second try after an update.
    if ! apt_get install -y --no-remove $missing; then
        update_package_lists
        apt_get install -y --no-remove $missing
    fi
}

# apt-get waiting for dpkg's lock, which unattended upgrades may hold on a new machine. An install
# with --no-remove stops rather than remove a package of the host's that conflicts with ours.
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=600 "$@"
}

# apt-get update, tried three times: a mirror in the middle of a sync serves an index that does not
# match its release file for a while. Lists that still fail stay as they were, and the install that
# needs them says which package it cannot get.
update_package_lists() {
    local attempt
    for attempt in 1 2 3; do
        apt_get update && return 0
        [ "$attempt" = 3 ] || sleep 30
    done
    echo "apt-get update failed three times; installing from the package lists there are" >&2
}

# build_preset PRESET [CONFIGURE_ARG...] [-- BUILD_ARG...]: configures PRESET and builds it, its
# packages installed by start_run. A build directory given with -B is built instead of the preset's.
build_preset() {
    local preset=$1 configure=() build=(--preset "$1")
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        [ "$1" = -B ] && build=("$2")
        configure+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    echo "== $preset"
    cmake --preset "$preset" "${configure[@]}" >/dev/null
    cmake --build "${build[@]}" -j 2 "$@"
}

# Every name below is one that Debian 12 and 13 both have, none with a version in it: each release
# brings its own default.

# What every build needs; the tests and scripts run Python, ps and pgrep.
NATIVE_PACKAGES=(cmake ninja-build g++ googletest python3 procps)

# The fuzz targets: clang with libFuzzer and the sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-dev)

# Cross builds for Windows (the posix-threads toolchain for the unit suite alone), the runtime that
# runs the 64-bit ones, and the library the static check of the executables reads them with.
WINDOWS_PACKAGES=(g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine wine64 fonts-wine python3-pefile)

# The packages that make the release zip's bytes, whose versions BUILDINFO.txt records: the
# compiler and the libraries it links in, the assembler, linker, resource compiler and import
# library maker, the Windows headers and import libraries, CMake (the compile and link commands),
# the release's default Python, which writes the demo files and packs the zip (scripts/buildinfo.sh
# adds the packages of its exact version), its deflate library, and the shell and sed that write
# the texts' CR LF.
RELEASE_TOOLCHAIN=(g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686
    mingw-w64-i686-dev mingw-w64-common cmake cmake-data python3 zlib1g bash sed)

# The shipped 32-bit build run for real (tests/win32-stage.sh): the unit suite's i686 toolchain, an
# emulated x86 machine booting Debian's kernel into a busybox initramfs (both taken out of their
# packages, not installed: busybox-static would replace the host's busybox), and mmdebstrap, which
# unpacks 32-bit Wine into a tree of its own (scripts/wine32-tree.sh).
EMULATOR_PACKAGES=(g++-mingw-w64-i686-posix qemu-system-x86 mmdebstrap)

# The release zip: the shipped 32-bit build, packed by Debian's own Python.
RELEASE_PACKAGES=(ninja-build "${RELEASE_TOOLCHAIN[@]}")

# The benchmarks: Google Benchmark, and jq for the table of ratios.
BENCH_PACKAGES=(libbenchmark-dev jq)

# Running the tool on a virtual display (run.sh, the end-to-end suite) and looking at it; wmctrl
# tells when the window manager serves (scripts/desktop.py) and closes windows.
RUN_PACKAGES=(xvfb xdotool imagemagick openbox wmctrl)

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    start_run -- "$@"
    exec "$@"
fi
