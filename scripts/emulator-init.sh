#!/bin/busybox sh
# The init of the emulated machine (scripts/emulator-run.sh): lays 32-bit Wine's tree under the
# host's root, shared read-only, as the root of a chroot whose writes stay in memory; mounts fresh
# tmpfs where programs expect to write, the job's directory and the writable results directory;
# runs the job in the chroot and powers off. The job's exit status is left in the job directory.
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev

# The modules the kernel does not build in, in the order scripts/emulator-run.sh lists them.
for module in $(cat /modules/order); do
    insmod "/modules/$module.ko" || echo "emulator: cannot load $module"
done

share() { mount -t 9p -o "trans=virtio,version=9p2000.L,msize=1048576,$3" "$1" "$2"; }

mkdir -p /job /host /wine32 /layers /new
share job /job rw || { echo "emulator: no job share"; poweroff -f; }
share host /host ro,cache=loose
share wine32 /wine32 ro,cache=loose
. /job/paths
# The clock from the host's, a boot later: files the job makes are not dated hours ahead.
date -s "@$HOST_CLOCK" >/dev/null

# The host's root over 32-bit Wine's tree: the host's files win where both have one. Each layer's
# files keep their own device and inode numbers, so no two collide. xino stays off: it would put
# the layer in the inode numbers' top bits, which 32-bit code without large-file calls cannot take
# (fontconfig then finds no font, and Wine draws no text). The upper layer, in memory, takes the
# linker cache and whatever else is written outside the tmpfs below.
mount -t tmpfs tmpfs /layers
mkdir /layers/upper /layers/work
mount -t overlay -o lowerdir=/host:/wine32,upperdir=/layers/upper,workdir=/layers/work,xino=off \
    overlay /new || { echo "emulator: cannot lay 32-bit Wine's tree under the root"; poweroff -f; }

# Tmpfs over the places programs write to; the project and the results directory stay visible
# where they are, even under one of those places.
for dir in /tmp /run /root; do
    mount -t tmpfs -o mode=1777 tmpfs "/new$dir"
done
chmod 700 /new/root
mkdir -p "/new$PROJECT" "/new$RESULTS"
mount --bind "/host$PROJECT" "/new$PROJECT"
# Cached: without a cache, 9p answers a large read with fewer bytes than asked, and Wine, which reads
# a program's sections in one call each, leaves the rest of a section over 512 KB as zeros.
share results "/new$RESULTS" rw,cache=loose
mount -t proc proc /new/proc
mount -t sysfs sysfs /new/sys
mount -t devtmpfs devtmpfs /new/dev
mkdir -p /new/dev/pts /new/dev/shm
mount -t devpts devpts /new/dev/pts
mount -t tmpfs -o mode=1777 tmpfs /new/dev/shm
mkdir -p /new/run/job
mount --bind /job /new/run/job

# The tree's libraries join the dynamic linker's cache: Wine finds FreeType through it.
chroot /new /sbin/ldconfig
chroot /new /bin/bash /run/job/run </dev/null >/dev/ttyS0 2>&1
echo $? >/job/status
sync
poweroff -f
