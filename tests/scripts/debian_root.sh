#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bookkeeping of the Debian roots that the tests also run in: a root is named by its release
# and package list (the same list finds the same root, a changed one a new root), and a root with
# the kernel's file systems mounted inside is removed without touching them: they are unmounted
# first, and nothing of the machine's own /dev or /sys goes.
set -uo pipefail
source "$(dirname "$0")/../pkg/pkg_lib.sh"
DYADORA_CACHE_DIR=$(mktemp -d)
trap 'remove_root "$DYADORA_CACHE_DIR"' EXIT
source "$(dirname "$0")/../../scripts/root_lib.sh"

root=$(root_path trixie)
check "a root is kept in the cache folder, named by its release" \
    test "${root%-*}" = "$DYADORA_CACHE_DIR/debian-roots/trixie"
check "the same release and list find the same root" test "$(root_path trixie)" = "$root"
check "another release has a root of its own" test "$(root_path bookworm)" != "${root/trixie/bookworm}"
TEST_PACKAGES+=(hello)
check "a package more in the list makes a new root" test "$(root_path trixie)" != "$root"
unset 'TEST_PACKAGES[-1]'
check "and without it the list finds its root again" test "$(root_path trixie)" = "$root"

# The roots come from the archive that this machine's apt reaches Debian through.
apt_dir=$(mktemp -d)
trap 'remove_root "$DYADORA_CACHE_DIR"; rm -rf "$apt_dir"' EXIT
printf 'Dir::Etc::sourcelist "%s/sources.list";\nDir::Etc::sourceparts "%s/parts";\nDir::State::lists "%s/lists";\n' \
    "$apt_dir" "$apt_dir" "$apt_dir" >"$apt_dir/apt.conf"
archive_from() { # archive_from FILE TEXT: the archive found where apt's only source is TEXT in FILE
    rm -rf "$apt_dir/sources.list" "$apt_dir/parts"
    mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial"
    printf '%b' "$2" >"$apt_dir/$1"
    (unset DYADORA_MIRROR && APT_CONFIG="$apt_dir/apt.conf" debian_archive)
}
one_line='deb http://mirror.lan/security bookworm-security main
deb [arch=amd64] http://mirror.lan/debian/ bookworm main'
deb822='Types: deb-src deb
URIs: http://proxy.lan:3142/debian
Suites: trixie trixie-updates
Components: main'
check "a local mirror in a one-line list, not the security archive before it" \
    test "$(archive_from sources.list "$one_line")" = http://mirror.lan/debian
check "a proxy in a deb822 file" test "$(archive_from parts/a.sources "$deb822")" = http://proxy.lan:3142/debian
check "Debian's own archive where apt names none" \
    test "$(archive_from sources.list '')" = http://deb.debian.org/debian
check "DYADORA_MIRROR chooses another" test "$(DYADORA_MIRROR=http://a.lan/d/ debian_archive)" = http://a.lan/d

[ "$(id -u)" -eq 0 ] || skip "mounting into a root needs root"
mkdir -p "$root"/{proc,sys,dev}
mount_root "$root" 2>/dev/null || skip "no mounts allowed here"
check "five file systems are mounted in the root" test "$(mounts_under "$root" | wc -l)" -eq 5
check "its /proc shows processes" test -d "$root/proc/self"
check "its /dev/shm is its own" test "$(stat -c %d "$root/dev/shm")" != "$(stat -c %d /dev/shm)"
remove_root "$root"
check "the root is gone" test ! -e "$root"
check "with nothing left mounted" test -z "$(mounts_under "$DYADORA_CACHE_DIR")"
check "and the machine's /dev and /sys intact" test -c /dev/null -a -d /dev/pts -a -d /sys/kernel
