#!/usr/bin/env bash
# Runs README's test command as a newcomer would, on a Debian 12 where nothing
# was installed beforehand: a minimal debootstrap tree of its own, the
# committed HEAD cloned into it, scripts/test.sh run inside as root.
#   scripts/test-fresh.sh [FOLDER]   FOLDER defaults to /var/tmp/orvel-fresh; it is made anew
# With ORVEL_FRESH_SHARE_WINDOWS_QT=1 the tree borrows this machine's Windows Qt
# cache (scripts/build-windows-qt.sh) instead of building its own for 15 to 45
# minutes; everything else, the packages the Qt build needs included, is
# still installed from nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "Run as root: the fresh tree is made with debootstrap and chroot." >&2; exit 1; }

root=${1:-/var/tmp/orvel-fresh}
command -v debootstrap >/dev/null || { apt-get update -qq && apt-get install -y -qq debootstrap >/dev/null; }

mounts=(proc sys dev dev/pts dev/shm)
qt_cache=${XDG_CACHE_HOME:-$HOME/.cache}/orvel
[ "${ORVEL_FRESH_SHARE_WINDOWS_QT:-0}" = 1 ] && mounts+=(root/.cache/orvel)
cleanup() {
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -l "$root/${mounts[i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT

cleanup
# Never remove through a borrowed cache that is still mounted.
if mountpoint -q "$root/root/.cache/orvel" 2>/dev/null; then
    echo "$root/root/.cache/orvel is still mounted" >&2
    exit 1
fi
rm -rf "$root"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs tmpfs "$root/dev/shm"
if [ "${ORVEL_FRESH_SHARE_WINDOWS_QT:-0}" = 1 ]; then
    mkdir -p "$qt_cache" "$root/root/.cache/orvel"
    mount --bind "$qt_cache" "$root/root/.cache/orvel"
fi

git clone -q "$PWD" "$root/src/orvel"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    bash -c 'cd /src/orvel && scripts/test.sh'
