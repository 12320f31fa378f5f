# What the top-level scripts source: the Debian packages each part needs, installed when missing
# (or the command that installs them, when not root); git told to trust this checkout, whoever owns
# it; one run at a time in the checkout, and its processes stopped when it ends; and a CMake preset
# installed for, configured and built.

# trust_checkout: git answers in the current directory's checkout even when another user owns it (a
# volume mounted into a container, sudo on one's own clone), for this script and those it runs.
trust_checkout() {
    local entry=${GIT_CONFIG_COUNT:-0}
    export GIT_CONFIG_COUNT=$((entry + 1)) "GIT_CONFIG_KEY_$entry=safe.directory" \
        "GIT_CONFIG_VALUE_$entry=$(pwd -P)"
}

# start_run: one run per checkout at a time, and whatever this run starts is stopped when it ends,
# however it ends (Ctrl-C, a failure, a time-out). The lock is build/.run.lock, held on file
# descriptor 9, which the scripts the run starts inherit: for them this does nothing. The run's
# processes are those that inherit QUENLIT_RUN, Wine servers and the virtual display included.
start_run() {
    local lock=$PWD/build/.run.lock
    [ "$(readlink /proc/$$/fd/9 2>/dev/null)" = "$lock" ] && return 0
    mkdir -p build
    exec 9>>"$lock"
    if ! flock -n 9; then
        echo "Another run holds this checkout ($lock); wait for it to end." >&2
        exit 1
    fi
    export QUENLIT_RUN="$lock $$"
    trap stop_run EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# interruptible COMMAND...: runs COMMAND and waits for it in a way that Ctrl-C ends the run at once.
# A shell that waits on a program in the foreground carries on when that program takes Ctrl-C and
# returns, as CTest does after it runs its remaining tests; one waiting in `wait` runs its trap.
interruptible() {
    "$@" &
    wait $!
}

# The ids of this run's processes other than this shell.
run_processes() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        if [ "$pid" != $$ ] && [ "$pid" != "$BASHPID" ] &&
            grep -qzxF "QUENLIT_RUN=$QUENLIT_RUN" "$environ" 2>/dev/null; then
            echo "$pid"
        fi
    done
}

# Ends this run's processes: asked first, then made to, ten seconds later.
stop_run() {
    local pids attempt
    for attempt in 1 2 3 4 5 6 7 8 9 10 11; do
        pids=$(run_processes)
        [ -n "$pids" ] || return 0
        if [ "$attempt" = 1 ]; then
            kill -TERM $pids 2>/dev/null || true
        elif [ "$attempt" = 11 ]; then
            kill -KILL $pids 2>/dev/null || true
        fi
        sleep 1
    done
}

missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            printf '%s\n' "$package"
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages "$@" | paste -sd ' ')
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them as root with:" >&2
        echo "  apt-get update && apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    # Lists too old for the mirror, or none yet, as on a fresh machine: the second try says why.
    if ! apt_get install -y --no-remove $missing >/dev/null 2>&1; then
        update_package_lists
        apt_get install -y --no-remove $missing >/dev/null
    fi
}

# apt-get waiting for dpkg's lock, which unattended upgrades may hold on a new machine. An install
# with --no-remove stops rather than remove a package of the host's that conflicts with ours.
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# apt-get update, tried three times: a mirror in the middle of a sync serves an index that does not
# match its release file for a while. Lists that still fail stay as they were, and the install that
# needs them says which package it cannot get.
update_package_lists() {
    local attempt
    for attempt in 1 2 3; do
        apt_get update >/dev/null && return 0
        [ "$attempt" = 3 ] || sleep 30
    done
    echo "apt-get update failed three times; installing from the package lists there are" >&2
}

# build_preset PRESET [CONFIGURE_ARG...] [-- BUILD_ARG...]: installs the packages PRESET builds and
# runs its tests with (PRESET_PACKAGES), configures it and builds it. A build directory given with
# -B is built instead of the preset's own.
build_preset() {
    local preset=$1 group list configure=() packages=()
    local build=(--preset "$preset")
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        [ "$1" = -B ] && build=("$2")
        configure+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    for group in ${PRESET_PACKAGES[$preset]}; do
        list="${group}_PACKAGES[@]"
        packages+=("${!list}")
    done
    ensure_packages "${packages[@]}"
    echo "== $preset"
    cmake --preset "$preset" "${configure[@]}" >/dev/null
    cmake --build "${build[@]}" -j 2 "$@"
}

# Every name below is one that Debian 12 and 13 both have, none with a version in it: each release
# brings its own default.

# What every build needs; the tests and scripts run Python.
NATIVE_PACKAGES=(cmake ninja-build g++ googletest python3)

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

# The packages of each preset, by group.
declare -A PRESET_PACKAGES=(
    [native]=NATIVE
    [native-sanitize]=NATIVE
    [fuzz]="NATIVE FUZZ"
    [bench]="NATIVE BENCH"
    [bench-win64]="NATIVE WINDOWS RUN"
    [win32]="NATIVE WINDOWS RUN"
    [win64]="NATIVE WINDOWS RUN"
    [win64-unit]="NATIVE WINDOWS"
    [win32-unit]="NATIVE WINDOWS EMULATOR"
    [release]=RELEASE
)
