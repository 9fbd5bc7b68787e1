# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by debian-root.sh and test-in-root.sh: where the Debian roots are kept, and mounting the
# kernel's file systems into one (and out of it again).
# shellcheck shell=bash

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

DYADORA_MIRROR=$(debian_archive)
# debootstrap reads no apt configuration: a proxy that apt is told of is handed on to it.
if [ -z "${http_proxy:-}" ]; then
    eval "$(apt-config shell http_proxy Acquire::http::Proxy 2>/dev/null)"
    [ -n "${http_proxy:-}" ] && export http_proxy
fi
DYADORA_ROOTS_DIR="${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}/debian-roots"

# root_path SUITE: the root for that Debian release, named by a hash of what it is made from (the
# release, the archive and the package list), so that a changed list makes a new root.
root_path() {
    local hash
    hash=$(printf '%s\n' "$1" "$DYADORA_MIRROR" "${ROOT_PACKAGES[@]}" | sha256sum | cut -c1-16)
    echo "$DYADORA_ROOTS_DIR/$1-$hash"
}

# mounts_under DIR: the mount points at or below DIR, deepest first.
mounts_under() {
    awk -v dir="$(realpath "$1")" '$2 == dir || index($2, dir "/") == 1 {print $2}' /proc/self/mounts |
        sort -r
}

# mount_root DIR: /proc, /sys, /dev, /dev/pts and a /dev/shm of its own inside the root.
mount_root() {
    local root=$1
    mount -t proc proc "$root/proc"
    mount --bind /sys "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
}

# unmount_root DIR: unmounts whatever is mounted inside the root; fails if anything stays.
unmount_root() {
    local point
    for point in $(mounts_under "$1"); do
        umount "$point" 2>/dev/null || umount -l "$point"
    done
    [ -z "$(mounts_under "$1")" ]
}

# remove_root DIR: deletes a root, never while anything is mounted inside it.
remove_root() {
    [ -d "$1" ] || return 0
    unmount_root "$1" || {
        echo "not removing $1: still mounted inside" >&2
        return 1
    }
    rm -rf --one-file-system "$1"
}

# in_root DIR COMMAND...: runs the command in the root, as root, in a clean environment.
in_root() {
    local root=$1
    shift
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# The kits' cache that the Debian 13 root sees as its own ~/.cache/dyadora, kept beside the roots
# so that a new root finds the kits already built.
DYADORA_ROOT_KITS_DIR="${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}/root-kits"

# with_clone_in_root SUITE COMMAND...: runs COMMAND in the root of that release (made when
# missing), as root, in a mount namespace of its own: the kernel's file systems, this clone at
# /srv/dyadora (the command starts there) and the kits' cache at /root/.cache/dyadora. Every mount
# ends with the command, so several such commands can run at once beside test-in-root.sh.
with_clone_in_root() {
    local suite=$1 root
    shift
    root=$("$DYADORA_ROOT/scripts/debian-root.sh" "$suite")
    mkdir -p "$DYADORA_ROOT_KITS_DIR" "$root/srv/dyadora" "$root/root/.cache/dyadora"
    # shellcheck disable=SC2016
    unshare --mount --propagation private bash -c '
        set -e
        source "$1/scripts/root_lib.sh"
        root=$2 kits=$3
        shift 3
        mount_root "$root"
        mount --bind "$DYADORA_ROOT" "$root/srv/dyadora"
        mount --bind "$kits" "$root/root/.cache/dyadora"
        # The certificates this machine trusts (a proxy of its own included), for what the root
        # fetches over TLS (npm).
        if [ -f /etc/ssl/certs/ca-certificates.crt ]; then
            mkdir -p "$root/etc/ssl/certs"
            mount --bind -o ro /etc/ssl/certs "$root/etc/ssl/certs"
        fi
        chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            DYADORA_IN_ROOT=1 bash -c "cd /srv/dyadora && exec \"\$@\"" bash "$@"
    ' bash "$DYADORA_ROOT" "$root" "$DYADORA_ROOT_KITS_DIR" "$@"
}
