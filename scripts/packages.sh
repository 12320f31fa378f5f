# Installs the Debian packages given, or says how to when not root. Sourced by the top-level scripts.

missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            printf '%s\n' "$package"
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages "$@" | tr '\n' ' ')
    [ -z "${missing// /}" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get install -y --no-install-recommends $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    if ! apt-get install -y $missing >/dev/null; then
        update_package_lists
        apt-get install -y $missing >/dev/null
    fi
}

# apt-get update, tried three times: a mirror in the middle of a sync serves an index that does not
# match its release file for a while. Lists that still fail stay as they were, and the install that
# needs them says which package it cannot get.
update_package_lists() {
    local attempt
    for attempt in 1 2 3; do
        apt-get update >/dev/null && return 0
        [ "$attempt" = 3 ] || sleep 30
    done
    echo "apt-get update failed three times; installing from the package lists there are" >&2
}

# Adds the i386 architecture, whose packages the emulated x86 machine runs; says how when not root.
ensure_i386_architecture() {
    dpkg --print-foreign-architectures | grep -qx i386 && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Add the i386 architecture with: sudo dpkg --add-architecture i386 && sudo apt-get update" >&2
        exit 1
    fi
    dpkg --add-architecture i386
    update_package_lists
}

# What every build needs.
NATIVE_PACKAGES=(cmake ninja-build g++ googletest)

# The fuzz targets: clang with libFuzzer and the sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Cross builds for Windows (the posix-threads toolchain for the unit suite alone) and the runtime
# that runs the 64-bit ones.
WINDOWS_PACKAGES=(g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
    binutils-mingw-w64-x86-64 wine wine64 fonts-wine)

# The packages that make the release zip's bytes, whose versions BUILDINFO.txt records: the
# compiler and the libraries it links in, the assembler, linker, resource compiler and import
# library maker, the Windows headers and import libraries, CMake (the compile and link commands),
# the Python that writes the demo files and packs the zip, its deflate library, and the shell and
# sed that write the texts' CR LF.
RELEASE_TOOLCHAIN=(g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686
    mingw-w64-i686-dev mingw-w64-common cmake cmake-data python3.11-minimal libpython3.11-minimal
    zlib1g bash sed)

# The shipped 32-bit build run for real (tests/win32-stage.sh): the unit suite's i686 toolchain, an
# emulated x86 machine booting Debian's kernel (taken out of its package, not installed) into a
# busybox initramfs, and 32-bit Wine. Needs the i386 architecture.
EMULATOR_PACKAGES=(g++-mingw-w64-i686-posix qemu-system-x86 busybox-static wine32:i386)

# The release zip: the shipped 32-bit build, packed by Debian's Python 3.11.
RELEASE_PACKAGES=(ninja-build "${RELEASE_TOOLCHAIN[@]}")

# The benchmarks: Google Benchmark, and jq for the table of ratios.
BENCH_PACKAGES=(libbenchmark-dev jq)

# Running the tool on a virtual display (run.sh) and looking at it.
RUN_PACKAGES=(xvfb xdotool imagemagick openbox)

# The end-to-end suite: the run packages, a window-closing tool and the test driver's interpreter.
E2E_PACKAGES=("${RUN_PACKAGES[@]}" wmctrl python3)
