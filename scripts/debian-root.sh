#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a Debian root with debootstrap from Debian's archive, holding every package that
# ./scripts/test.sh and the other steps run in the root need, and prints its path. The roots are
# kept outside the clone, in
# ${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}/debian-roots, one per release and
# package list: a complete one is reused, and one is made afresh when it is missing or when the
# list in scripts/common.sh changes. A root is made in a temporary folder and renamed when
# complete, so that a half-made root is never used.
# Usage (as root): scripts/debian-root.sh [SUITE]   (default: trixie, Debian 13)
set -euo pipefail
source "$(dirname "$0")/root_lib.sh"

suite=${1:-trixie}
root=$(root_path "$suite")
if [ -f "$root/.complete" ]; then
    echo "$root"
    exit 0
fi
[ "$(id -u)" -eq 0 ] || {
    echo "making a Debian root needs root" >&2
    exit 1
}
ensure_packages debootstrap >&2
mkdir -p "$DYADORA_ROOTS_DIR"
remove_root "$root" # a root without its mark is from an older, interrupted run
making=$(mktemp -d "$DYADORA_ROOTS_DIR/.making-$suite-XXXXXX")
trap 'remove_root "$making"' EXIT
chmod 755 "$making" # the root's own users (man, messagebus) must reach its files

started=$(date +%s)
echo "Making a Debian $suite root in $making" >&2
debootstrap --variant=minbase "$suite" "$making" "$DYADORA_MIRROR" >&2
# No service of the root may start while its packages are installed. dpkg writes the root's files
# without waiting for each to reach the disk (a root that is cut off half-made is thrown away
# whole), and the manual pages' index is not rebuilt after every package.
printf '#!/bin/sh\nexit 101\n' >"$making/usr/sbin/policy-rc.d"
chmod 755 "$making/usr/sbin/policy-rc.d"
echo force-unsafe-io >"$making/etc/dpkg/dpkg.cfg.d/dyadora-unsafe-io"
echo 'man-db man-db/auto-update boolean false' | in_root "$making" debconf-set-selections
mount_root "$making"
# Every package that any step run in the root needs (the tests', the kits', Wine's, chromium's),
# with the same installer as the scripts use on a machine of their own, so that nothing is
# installed there later, while steps run side by side.
cp "$DYADORA_ROOT/scripts/common.sh" "$making/tmp/common.sh"
in_root "$making" bash -c 'source /tmp/common.sh && ensure_packages "${ROOT_PACKAGES[@]}"' >&2
in_root "$making" apt-get clean >&2
rm "$making/tmp/common.sh"
unmount_root "$making"

# Roots of this release made from an older list are of no further use.
for old in "$DYADORA_ROOTS_DIR/$suite"-*; do
    [ "$old" = "$root" ] || remove_root "$old"
done
touch "$making/.complete"
mv -T "$making" "$root"
trap - EXIT
echo "Made the Debian $suite root in $(($(date +%s) - started)) s: $root" >&2
echo "$root"
