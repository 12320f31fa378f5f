#!/usr/bin/env bash
# Runs a command on an emulated x86 machine, where 32-bit x86 code runs: this machine's refuses it.
# qemu-system-x86_64 (software emulation) boots Debian's kernel with a small busybox initramfs,
# which chroots into this machine's root filesystem, shared read-only, with 32-bit Wine's tree
# (scripts/wine32-tree.sh) laid under it and writes kept in memory. /tmp, /run and /root are fresh
# tmpfs there; the current directory stays visible, and RESULTS is writable at its own path.
# The command runs under bash in the current directory, as this user, with HOME, CI where it is
# set, and WINE32_TREE, the tree's name; its output streams here and its exit status is
# this script's. The machine's clock is set from this one's; it is stopped after half an hour.
#
#   scripts/emulator-run.sh RESULTS COMMAND [ARG...]
#
# The kernel, the initramfs and 32-bit Wine's tree are cached under build/emulator. EMULATOR_CPUS
# and EMULATOR_MEMORY size the machine (default: this machine's cores and 6G).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/.." && pwd)
source "$here/setup.sh"
results=$(realpath "$1")
shift
cache=$project/build/emulator
mkdir -p "$cache"

fail() {
    echo "emulator: $*" >&2
    exit 1
}

command -v qemu-system-x86_64 >/dev/null || fail "qemu-system-x86_64 is missing (package qemu-system-x86)"

# The modules the machine needs, for virtio, 9p and overlayfs; those they depend on come along.
MODULES=(virtio_pci 9pnet_virtio 9p overlay)

# Debian's kernel and busybox-static, of the versions the package lists name, each taken out of its
# package without installing it: an installed kernel would build an initramfs of its own, and
# busybox-static would replace the host's busybox. Of them only the kernel's image and the
# initramfs are kept, named by what made them.
version_of() {
    apt-cache show --no-all-versions "$1" 2>/dev/null | sed -n 's/^Version: //p'
}
boot_files() {
    kernel_package=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: //p' |
        head -n 1)
    [ -n "$kernel_package" ] ||
        fail "apt knows no package linux-image-amd64: its package lists need apt-get update, as root"
    kernel_version=$(version_of "$kernel_package")
    busybox_version=$(version_of busybox-static)
    [ -n "$busybox_version" ] || fail "apt knows no package busybox-static"
    vmlinuz=$cache/vmlinuz-$kernel_package=$kernel_version
    # Named by what makes it: the packages, the init and this script, which picks the modules.
    initramfs=$cache/initramfs-$({
        echo "$kernel_package=$kernel_version busybox-static=$busybox_version"
        cat "$here/emulator-init.sh" "$0"
    } | sha256sum | cut -c1-16).cpio.gz
}
download_packages() {
    rm -rf "$cache/download"
    mkdir -p "$cache/download"
    (cd "$cache/download" && apt-get -q download "$kernel_package" busybox-static)
}

make_boot_files() {
    local unpacked=$cache/download/unpacked tree=$cache/download/initramfs busybox modules module
    for deb in "$cache"/download/*.deb; do
        dpkg-deb -x "$deb" "$unpacked"
    done
    busybox=$(find "$unpacked" -name busybox -type f -perm -u+x | head -n 1)
    modules=$(find "$unpacked" -path '*/modules/*' -name kernel -type d | head -n 1)
    [ -n "$busybox" ] && [ -n "$modules" ] || fail "no busybox or no kernel modules in the packages"
    mkdir -p "$tree"/{bin,proc,sys,dev,modules}
    cp "$busybox" "$tree/bin/busybox"
    install -m 755 "$here/emulator-init.sh" "$tree/init"
    for module in "${MODULES[@]}"; do
        add_module "$module"
    done
    # What earlier versions left, kernels unpacked whole among them.
    rm -rf --one-file-system "$cache"/vmlinuz-* "$cache"/initramfs-* "$cache"/linux-image-*
    cp "$(find "$unpacked/boot" -name 'vmlinuz-*' | head -n 1)" "$vmlinuz.tmp"
    mv "$vmlinuz.tmp" "$vmlinuz"
    (cd "$tree" && find . | "$busybox" cpio -o -H newc 2>/dev/null | gzip -1) >"$initramfs.tmp"
    mv "$initramfs.tmp" "$initramfs"
    rm -rf --one-file-system "$cache/download"
}

# add_module NAME: the module into the initramfs, unpacked, after those it depends on (the depends=
# of its module information), and its name into modules/order, the init's loading order. A module
# the kernel builds in has no file.
add_module() {
    local name=$1 file dependency
    grep -qx "$name" "$tree/modules/order" 2>/dev/null && return
    file=$(find "$modules" -name "${name//_/[_-]}.ko" -o -name "${name//_/[_-]}.ko.xz" | head -n 1)
    if [ -z "$file" ]; then
        grep -q "/${name//_/[_-]}\.ko\$" "$modules/../modules.builtin" ||
            fail "$kernel_package has no module $name"
        return
    fi
    case $file in
    *.xz) "$busybox" xzcat "$file" >"$tree/modules/$name.ko" ;;
    *) cp "$file" "$tree/modules/$name.ko" ;;
    esac
    for dependency in $(tr '\0' '\n' <"$tree/modules/$name.ko" | sed -n 's/^depends=//p' |
        tr , ' '); do
        add_module "$dependency"
    done
    echo "$name" >>"$tree/modules/order"
}

boot_files
if [ ! -f "$vmlinuz" ] || [ ! -f "$initramfs" ]; then
    if ! download_packages; then
        # Lists older than the mirror name versions it no longer holds: it keeps only the newest.
        [ "$(id -u)" -eq 0 ] || fail "cannot download $kernel_package: apt-get update, as root"
        update_package_lists
        boot_files
        download_packages || fail "cannot download $kernel_package and busybox-static"
    fi
    make_boot_files
fi

wine32_tree=$("$here/wine32-tree.sh" "$cache")

# The job: the command with its directory and environment, and where its status comes back. Jobs
# of earlier runs, which a kill may have left, go first: one run holds the checkout at a time.
rm -rf --one-file-system "$cache"/job.*
job=$(mktemp -d "$cache/job.XXXXXX")
trap 'rm -rf "$job"' EXIT
{
    printf 'PROJECT=%q\nRESULTS=%q\n' "$PWD" "$results"
    echo "HOST_CLOCK=$(date +%s)"
} >"$job/paths"
{
    echo 'export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8'
    printf 'export HOME=%q\n' "$HOME"
    printf 'export WINE32_TREE=%q\n' "$(basename "$wine32_tree")"
    [ -z "${CI+set}" ] || printf 'export CI=%q\n' "$CI"
    printf 'cd %q\n' "$PWD"
    # As this user: root there would not own the files here, nor could its Wine write them.
    [ "$(id -u)" = 0 ] || printf 'setpriv --reuid=%s --regid=%s --clear-groups ' "$(id -u)" "$(id -g)"
    printf '%q ' "$@"
    echo
} >"$job/run"

cpus=${EMULATOR_CPUS:-$(nproc)}
# Stopped after half an hour: a job that hangs in the machine fails rather than waits for ever.
time_limit=1800
status=0
# -smap: with SMAP, 64-bit Wine processes fault on their own return to user mode under TCG.
timeout -k 10 "$time_limit" qemu-system-x86_64 -machine q35,accel=tcg -cpu max,-smap -smp "$cpus" \
    -m "${EMULATOR_MEMORY:-6G}" -nographic -no-reboot -nic none -serial stdio -monitor none \
    -kernel "$vmlinuz" -initrd "$initramfs" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1" \
    -virtfs "local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap" \
    -virtfs "local,path=$wine32_tree,mount_tag=wine32,security_model=none,readonly=on" \
    -virtfs "local,path=$job,mount_tag=job,security_model=none" \
    -virtfs "local,path=$results,mount_tag=results,security_model=none" </dev/null |
    sed -u -e 's/\r$//' -e 's/\x1b\(\[[0-9;?]*[a-zA-Z]\|c\)//g' \
        -e '/^SeaBIOS\|^Booting from\|reboot: Power down$/d' || status=$?

[ "$status" != 124 ] || fail "the machine was stopped after $time_limit s, its time limit"
[ -f "$job/status" ] || fail "the machine stopped before the command ended"
exit "$(cat "$job/status")"
