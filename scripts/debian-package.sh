#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian source package from this clone's files (the tracked ones, debian/ apart, as the
# upstream tarball, stamped with the last commit's time) and builds it with sbuild in the clean
# chroot of each Debian release asked for (scripts/debian-chroots.sh, made when missing), in its
# unshare mode: the build depends on nothing of this machine's and runs with the network off.
# Leaves in FOLDER the source package and, in FOLDER/SUITE/, what sbuild made for that release:
# the packages, the .changes and .buildinfo, and the build log (FOLDER/SUITE/build.log).
# DEB_BUILD_OPTIONS is handed on (nocheck builds no tests). With --binary, the source package
# already in FOLDER is built, as it is (so that one release's package can be built while the
# other's is tested from the same source package).
# Usage (as root): scripts/debian-package.sh [--binary] FOLDER [SUITE...]   (bookworm, trixie)
set -euo pipefail
source "$(dirname "$0")/common.sh"

binary_only=no
[ "${1:-}" != --binary ] || { binary_only=yes && shift; }
out=$(mkdir -p "$1" && cd "$1" && pwd)
shift
cd "$DYADORA_ROOT"
ensure_packages "${DEBIAN_CHECK_PACKAGES[@]}" >&2
name=$(dpkg-parsechangelog -S Source)
full_version=$(dpkg-parsechangelog -S Version)
version=${full_version%-*}
epoch=$(git log -1 --format=%ct)
dsc="$out/${name}_$full_version.dsc"

# make_source: the source package in FOLDER, with upstream's tarball made the same whoever makes
# it.
make_source() {
    rm -rf "$out/source" "$out/${name}_"*
    mkdir -p "$out/source/$name-$version"
    copy_clone_files "$out/source/$name-$version"
    (cd "$out/source" &&
        tar --exclude="$name-$version/debian" --sort=name --mtime="@$epoch" --owner=0 --group=0 \
            --numeric-owner --mode=go=rX,u+rw,a-s -cf - "$name-$version" |
        xz -9 -T1 >"${name}_$version.orig.tar.xz")
    (cd "$out/source" && umask 022 && dpkg-source -b "$name-$version" >&2 &&
        mv ./*.orig.tar.xz ./*.dsc ./*.debian.tar.xz "$out/")
    rm -rf "$out/source"
}
[ "$binary_only" = yes ] && [ -f "$dsc" ] || make_source
[ $# -gt 0 ] || exit 0

read -ra tarballs <<<"$("$DYADORA_ROOT/scripts/debian-chroots.sh" build "$@" | tr '\n' ' ')"
for index in "${!tarballs[@]}"; do
    suite=${*:index+1:1}
    rm -rf "${out:?}/$suite"
    mkdir -p "$out/$suite"
    started=$(date +%s)
    status=0
    (cd "$out/$suite" && nice sbuild --chroot-mode=unshare --chroot="${tarballs[index]}" \
        --dist="$suite" --arch-any --no-arch-all --no-source --no-run-lintian \
        --no-run-piuparts --no-run-autopkgtest --no-apt-upgrade --no-apt-distupgrade \
        --build-dir="$out/$suite" --jobs="$(nproc)" "$dsc" >"$out/$suite/sbuild.out" 2>&1) ||
        status=$?
    # sbuild's log, and its link named by the package's version and architecture.
    log="$out/$suite/${name}_${full_version}_amd64.build"
    [ -e "$log" ] && cp --dereference "$log" "$out/$suite/build.log" && rm -f "$out/$suite"/*.build
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$out/$suite/build.log" 2>/dev/null || tail -n 60 "$out/$suite/sbuild.out"
        echo "FAILED: sbuild for $suite (status $status)" >&2
        exit "$status"
    fi
    rm -f "$out/$suite/sbuild.out"
    echo "Built for $suite in $(($(date +%s) - started)) s: $(cd "$out/$suite" && ls ./*.deb)" >&2
done
