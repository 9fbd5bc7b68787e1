#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt for 64-bit Windows (MinGW-w64) from Debian's qt6-base source package, with
# only what the game and its tests need, into a cache folder outside the source tree, and prints
# that folder. A kit already built with the same version and configuration is reused as it is.
#
#   scripts/windows-kit.sh            # builds or finds the kit, prints its folder
#   scripts/windows-kit.sh --fetch    # only installs the packages and fetches Qt's source, so
#                                     # that the build can then run beside other work
#
# DYADORA_CACHE_DIR chooses the cache (default: $XDG_CACHE_HOME/dyadora or ~/.cache/dyadora).
set -euo pipefail
source "$(dirname "$0")/common.sh"

QT_VERSION=6.4.2
TOOLCHAIN="$DYADORA_ROOT/cmake/toolchains/mingw-w64-x86_64.cmake"
# Core, Gui, Widgets and Test; the windows and offscreen platforms; JPEG, ICO and BMP (built into
# Gui); the native Windows style. Qt's bundled libraries only, nothing of the build machine's.
# Debian's copy has no wintab (removed for its licence): no tablet support. Without OpenGL the
# Windows platform compiles only without dynamic OpenGL too.
QT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_opengl=OFF
    -DFEATURE_dynamicgl=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_sql_sqlite=OFF
)
ensure_packages dpkg-dev cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev \
    qt6-base-dev-tools

key=$( (echo "$QT_VERSION" && printf '%s\n' "${QT_OPTIONS[@]}" && cat "$TOOLCHAIN") | sha256sum)
cache=${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}
kit="$cache/qt-$QT_VERSION-mingw-w64-static-${key:0:12}"
if [ -f "$kit/.complete" ]; then
    echo "$kit"
    exit 0
fi

# Debian's source package, from its archive: a deb-src entry is added when there is none. It is
# unpacked beside the kit, and removed once the kit is complete.
source_dir="$cache/qt-$QT_VERSION-source"
if [ ! -f "$source_dir/.complete" ]; then
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
        printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$(debian_archive)" "$suite" >/etc/apt/sources.list.d/dyadora-deb-src.sources
        apt-get update >&2
    fi
    rm -rf "$source_dir"
    mkdir -p "$source_dir"
    (
        cd "$source_dir"
        apt-get source --download-only "qt6-base=$QT_VERSION*" >&2 ||
            apt-get source --download-only qt6-base >&2
        dpkg-source -x ./*.dsc src >&2
        rm -f ./*.dsc ./*.tar.*
    )
    grep -q "QT_REPO_MODULE_VERSION \"$QT_VERSION\"" "$source_dir/src/.cmake.conf" || {
        echo "Debian's qt6-base is not Qt $QT_VERSION" >&2
        exit 1
    }
    touch "$source_dir/.complete"
fi
[ "${1:-}" = --fetch ] && exit 0

work=$(mktemp -d "$cache/qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$kit"
cmake -S "$source_dir/src" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_INSTALL_PREFIX="$kit" "${QT_OPTIONS[@]}" >&2
cmake --build "$work" --parallel "$(nproc)" >&2
cmake --install "$work" >&2
touch "$kit/.complete"
rm -rf "$source_dir"
echo "$kit"
