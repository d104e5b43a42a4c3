#!/usr/bin/env bash
# Runs README's test command as a newcomer would, on a Debian 12 where nothing
# was installed beforehand: a minimal debootstrap tree of its own, the
# committed HEAD cloned into it, scripts/test.sh run inside as root.
#   scripts/test-fresh.sh [FOLDER]   FOLDER defaults to /var/tmp/orvel-fresh; it is made anew
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "Run as root: the fresh tree is made with debootstrap and chroot." >&2; exit 1; }

root=${1:-/var/tmp/orvel-fresh}
command -v debootstrap >/dev/null || { apt-get update -qq && apt-get install -y -qq debootstrap >/dev/null; }

mounts=(proc sys dev dev/pts dev/shm)
cleanup() {
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -l "$root/${mounts[i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT

cleanup
rm -rf "$root"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs tmpfs "$root/dev/shm"

git clone -q "$PWD" "$root/src/orvel"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    bash -c 'cd /src/orvel && scripts/test.sh'
