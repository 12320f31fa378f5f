#!/usr/bin/env bash
# Runs a command on an emulated x86 machine, where 32-bit x86 code runs: this machine's refuses it.
# qemu-system-x86_64 (software emulation) boots Debian's kernel with a small busybox initramfs,
# which chroots into this machine's root filesystem, shared read-only, with 32-bit Wine's tree
# (scripts/wine32-tree.sh) laid under it and writes kept in memory. /tmp, /run and /root are fresh
# tmpfs there; the current directory stays visible, and RESULTS is writable at its own path.
# The command runs under bash in the current directory with the environment variables named in
# EMULATOR_ENV; its output streams here and its exit status is this script's.
#
#   scripts/emulator-run.sh RESULTS COMMAND [ARG...]
#
# The kernel, the initramfs and 32-bit Wine's tree are cached under build/emulator. EMULATOR_CPUS
# and EMULATOR_MEMORY size the machine (default: this machine's cores and 6G).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/.." && pwd)
results=$(realpath "$1")
shift
cache=$project/build/emulator
mkdir -p "$cache"

fail() {
    echo "emulator: $*" >&2
    exit 1
}

command -v qemu-system-x86_64 >/dev/null || fail "qemu-system-x86_64 is missing (package qemu-system-x86)"
[ -x /bin/busybox ] || fail "/bin/busybox is missing (package busybox-static)"

# Debian's kernel, taken out of its package without installing it: an installed kernel would build
# an initramfs of its own, which takes long and is not needed.
current_kernel_package() {
    kernel_package=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: //p' | head -n 1)
    [ -n "$kernel_package" ] || fail "apt knows no package linux-image-amd64"
    kernel_dir=$cache/$kernel_package
}
download_kernel() {
    (cd "$cache" && rm -f ./*.deb && apt-get download "$kernel_package" >/dev/null 2>&1)
}
current_kernel_package
if [ ! -d "$kernel_dir" ] && ! download_kernel; then
    # Lists older than the mirror name a kernel it no longer holds: it keeps only the newest.
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update >/dev/null 2>&1 || true
    fi
    current_kernel_package
    [ -d "$kernel_dir" ] || download_kernel || fail "cannot download $kernel_package"
fi
if [ ! -d "$kernel_dir" ]; then
    rm -rf "$kernel_dir.tmp"
    dpkg-deb -x "$cache/$kernel_package"_*.deb "$kernel_dir.tmp"
    rm -f "$cache"/*.deb
    mv "$kernel_dir.tmp" "$kernel_dir"
fi
vmlinuz=$(echo "$kernel_dir"/boot/vmlinuz-*)
modules=$(echo "$kernel_dir"/lib/modules/*/kernel)

wine32_tree=$("$here/wine32-tree.sh" "$cache")

# The initramfs: busybox, the init and the modules for virtio, 9p and overlayfs. Made again when
# the init changes.
initramfs=$cache/initramfs-$(sha256sum "$here/emulator-init.sh" | cut -c1-16)-$kernel_package.cpio.gz
if [ ! -f "$initramfs" ]; then
    tree=$cache/initramfs-tree
    rm -rf "$tree" "$cache"/initramfs-*.cpio.gz
    mkdir -p "$tree"/{bin,proc,sys,dev,modules}
    cp /bin/busybox "$tree/bin/"
    install -m 755 "$here/emulator-init.sh" "$tree/init"
    for module in virtio/virtio_ring virtio/virtio virtio/virtio_pci_modern_dev \
        virtio/virtio_pci_legacy_dev virtio/virtio_pci; do
        cp "$modules/drivers/$module.ko" "$tree/modules/"
    done
    cp "$modules"/net/9p/{9pnet,9pnet_virtio}.ko "$modules"/fs/netfs/netfs.ko \
        "$modules"/fs/fscache/fscache.ko "$modules"/fs/9p/9p.ko "$modules"/fs/overlayfs/overlay.ko \
        "$tree/modules/"
    (cd "$tree" && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1) >"$initramfs.tmp"
    mv "$initramfs.tmp" "$initramfs"
    rm -rf "$tree"
fi

# The job: the command with its directory and environment, and where its status comes back.
job=$(mktemp -d "$cache/job.XXXXXX")
trap 'rm -rf "$job"' EXIT
{
    printf 'PROJECT=%q\nRESULTS=%q\n' "$PWD" "$results"
} >"$job/paths"
{
    echo 'export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8'
    for name in ${EMULATOR_ENV:-}; do
        [ -n "${!name+set}" ] && printf 'export %s=%q\n' "$name" "${!name}"
    done
    printf 'cd %q\n' "$PWD"
    printf '%q ' "$@"
    echo
} >"$job/run"

cpus=${EMULATOR_CPUS:-$(nproc)}
# -smap: with SMAP, 64-bit Wine processes fault on their own return to user mode under TCG.
qemu-system-x86_64 -machine q35,accel=tcg -cpu max,-smap -smp "$cpus" -m "${EMULATOR_MEMORY:-6G}" \
    -nographic -no-reboot -nic none -serial stdio -monitor none \
    -kernel "$vmlinuz" -initrd "$initramfs" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1" \
    -virtfs "local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap" \
    -virtfs "local,path=$wine32_tree,mount_tag=wine32,security_model=none,readonly=on" \
    -virtfs "local,path=$job,mount_tag=job,security_model=none" \
    -virtfs "local,path=$results,mount_tag=results,security_model=none" </dev/null |
    sed -u -e 's/\r$//' -e 's/\x1b\(\[[0-9;?]*[a-zA-Z]\|c\)//g' -e '/^SeaBIOS\|^Booting from\|reboot: Power down$/d'

[ -f "$job/status" ] || fail "the machine stopped before the command ended"
exit "$(cat "$job/status")"
