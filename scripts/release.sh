#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes every download of this version into one folder (dist/ unless named), with SHA256SUMS over
# them:
#   dyadora_<version>_debian12_amd64.deb   the Debian 12 package
#   dyadora_<version>_debian13_amd64.deb   the Debian 13 package
#   Dyadora-<version>-win64.zip            the Windows program, to run from anywhere
#   Dyadora-<version>-win64-setup.exe      the Windows installer
#   Dyadora-<version>-web.zip              the game's page, static files for any web host
# Each is built afresh from the last commit's sources: the Debian packages from debian/ by sbuild
# in a clean chroot of each release (scripts/debian-package.sh), stamped with the changelog's
# time; the others on this machine where it runs Debian 13 and otherwise in a Debian 13 root
# (scripts/debian-root.sh), stamped with the last commit's time. Anyone who runs this on the same
# commit gets the same bytes (scripts/check-reproducible.sh shows it).
# Usage: scripts/release.sh [FOLDER]
set -euo pipefail
source "$(dirname "$0")/common.sh"

# Nothing of the caller's settings may reach the bytes.
umask 022
export TZ=UTC LC_ALL=C.UTF-8 LANG=C.UTF-8
unset LANGUAGE

# The version that CMakeLists.txt gives the project.
project_version() { sed -n 's/^project(Dyadora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt; }

# build_afresh PRESET FOLDER: the preset configured and built afresh in FOLDER.
build_afresh() {
    rm -rf "$2"
    cmake --preset "$1" -B "$2" >/dev/null
    cmake --build "$2" --parallel "$(nproc)" >/dev/null
}

# build_dist PRESET FOLDER: the preset built afresh in FOLDER, and its packages made in
# FOLDER/packages.
build_dist() {
    build_afresh "$1" "$2"
    (cd "$2" && cpack -B "$PWD/packages" >/dev/null)
}

# build_windows EPOCH: the Windows downloads, made in build/dist-windows/ of this clone on
# Debian 13, with its MinGW and NSIS.
build_windows() {
    export SOURCE_DATE_EPOCH=$1
    ensure_packages g++-mingw-w64-x86-64-posix nsis python3
    DYADORA_WINDOWS_KIT=$(scripts/windows-kit.sh)
    export DYADORA_WINDOWS_KIT
    build_dist dist-windows build/dist-windows
    # CPack's zip keeps the files' times, owners and order from the disk: written again from its
    # own entries, sorted, all at the commit's time.
    python3 scripts/normalise-zip.py build/dist-windows/packages/Dyadora-*-win64.zip
}

# build_web EPOCH: the page, built with the web kit, zipped as a folder of its own.
build_web() {
    export SOURCE_DATE_EPOCH=$1
    source scripts/kit_lib.sh
    use_web_kit
    build_afresh web build/dist-web
    local name
    name=Dyadora-$(project_version)-web
    mkdir -p build/dist-web/packages
    cp -r build/dist-web/page "build/dist-web/packages/$name"
    (cd build/dist-web/packages && python3 -c 'import shutil, sys; shutil.make_archive(sys.argv[1], "zip", ".", sys.argv[1])' "$name")
    python3 scripts/normalise-zip.py "build/dist-web/packages/$name.zip"
}

# in_release SUITE FUNCTION EPOCH: runs this script's FUNCTION here on that release, or in its root.
in_release() {
    if [ "$DEBIAN_CODENAME" = "$1" ]; then
        "$2" "$3"
    else
        source "$DYADORA_ROOT/scripts/root_lib.sh"
        with_clone_in_root "$1" scripts/release.sh --step "$2" "$3"
    fi
}

if [ "${1:-}" = --step ]; then
    "$2" "$3"
    exit
fi

out=$(mkdir -p "${1:-$DYADORA_ROOT/dist}" && cd "${1:-$DYADORA_ROOT/dist}" && pwd)
cd "$DYADORA_ROOT"
epoch=$(git log -1 --format=%ct)
version=$(project_version)
echo "Making the downloads of $version ($(git log -1 --format='%h, %cd' --date=iso-strict-local)) in $out"
rm -f "$out"/dyadora_*.deb "$out"/Dyadora-*-win64* "$out"/Dyadora-*-web.zip "$out/SHA256SUMS" # an earlier run's
# The build-time tests are left out: they change nothing in the packages, and
# scripts/check-debian.sh runs them in the same chroots. The packages are made in a folder whose
# name has no space, whatever the clone's.
debian_out=$(mktemp -d "${TMPDIR:-/tmp}/dyadora-debian.XXXXXX")
trap 'rm -rf "$debian_out"' EXIT
debian_version=$(dpkg-parsechangelog -S Version)
debian_source=(dyadora_"$debian_version".dsc dyadora_"${debian_version%-*}".orig.tar.xz
    dyadora_"$debian_version".debian.tar.xz)
# DYADORA_DEBIAN_BUILT=FOLDER: the packages that scripts/check-debian.sh has just built in FOLDER
# are taken instead, where FOLDER's source package is the one made here, byte for byte.
built=${DYADORA_DEBIAN_BUILT:-}
if [ -n "$built" ]; then
    ./scripts/debian-package.sh "$debian_out"
    for file in "${debian_source[@]}"; do
        cmp -s "$debian_out/$file" "$built/$file" || {
            echo "Not the source package of $built ($file differs): the packages are built afresh"
            built=
            break
        }
    done
fi
if [ -z "$built" ]; then
    # The source package made above, where it was.
    DEB_BUILD_OPTIONS=nocheck ./scripts/debian-package.sh --binary "$debian_out" bookworm trixie
    built=$debian_out
fi
for release in bookworm:12 trixie:13; do
    cp "$built/${release%:*}/dyadora_${debian_version}_amd64.deb" \
        "$out/dyadora_${version}_debian${release#*:}_amd64.deb"
done
in_release trixie build_windows "$epoch"
cp build/dist-windows/packages/Dyadora-"$version"-win64{.zip,-setup.exe} "$out/"
in_release trixie build_web "$epoch"
cp build/dist-web/packages/Dyadora-"$version"-web.zip "$out/"
(cd "$out" && sha256sum -- *.deb *.zip *.exe >SHA256SUMS && cat SHA256SUMS)
