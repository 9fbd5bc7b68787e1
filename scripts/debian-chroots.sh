#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the clean build chroots of Debian 12 and 13 that sbuild builds the Debian packages in, and
# that autopkgtest tests them in, and prints their paths: one tarball each, made by mmdebstrap
# (the buildd variant: build-essential and apt), kept outside the clone in
# ${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}/sbuild-chroots, named by a hash
# of the release and the archive. A complete one is reused; one is made afresh in a temporary file
# and renamed when complete. Both are unpacked by sbuild and autopkgtest in a user namespace of
# their own (their unshare mode), for which the user who runs them needs ranges of subordinate
# ids: where root has none, this gives it one.
# Usage (as root): scripts/debian-chroots.sh [SUITE...]   (default: bookworm trixie)
set -euo pipefail
source "$(dirname "$0")/root_lib.sh"

DYADORA_CHROOTS_DIR="${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}/sbuild-chroots"

# chroot_path SUITE: the tarball for that release.
chroot_path() {
    local hash
    hash=$(printf '%s\n' "$1" "$DYADORA_MIRROR" buildd | sha256sum | cut -c1-16)
    echo "$DYADORA_CHROOTS_DIR/$1-amd64-$hash.tar"
}

# subordinate_ids: root's ranges of subordinate user and group ids, added when missing.
subordinate_ids() {
    grep -q '^root:' /etc/subuid 2>/dev/null && grep -q '^root:' /etc/subgid 2>/dev/null && return
    usermod --add-subuids 1000000-1065535 --add-subgids 1000000-1065535 root
}

[ "$(id -u)" -eq 0 ] || {
    echo "making the build chroots needs root" >&2
    exit 1
}
ensure_packages "${DEBIAN_CHECK_PACKAGES[@]}" >&2
subordinate_ids
mkdir -p "$DYADORA_CHROOTS_DIR"
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(bookworm trixie)
# mmdebstrap reads no apt configuration of this machine: a proxy that apt is told of goes along.
proxy=()
[ -z "${http_proxy:-}" ] || proxy=(--aptopt="Acquire::http::Proxy \"$http_proxy\"")
for suite in "${suites[@]}"; do
    tarball=$(chroot_path "$suite")
    if [ ! -f "$tarball" ]; then
        started=$(date +%s)
        making=$(mktemp "$DYADORA_CHROOTS_DIR/.making-$suite-XXXXXX")
        trap 'rm -f "$making"' EXIT
        mmdebstrap --variant=buildd --mode=root --format=tar --skip=output/mknod "${proxy[@]}" \
            "$suite" "$making" "$DYADORA_MIRROR" >&2
        chmod 644 "$making"
        for old in "$DYADORA_CHROOTS_DIR/$suite"-amd64-*.tar; do
            [ "$old" = "$tarball" ] || rm -f "$old"
        done
        mv -T "$making" "$tarball"
        trap - EXIT
        echo "Made the Debian $suite build chroot in $(($(date +%s) - started)) s: $tarball" >&2
    fi
    echo "$tarball"
done
