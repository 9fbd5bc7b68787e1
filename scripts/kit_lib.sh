# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts that build a static Qt kit from Debian 13's qt6-base source package
# (windows-kit.sh, web-kit.sh), on Debian 13 or in its root.
# shellcheck shell=bash

QT_VERSION=6.8.2
KIT_CACHE=${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}

# kit_folder NAME OPTION...: prints the kit's folder in the cache, named by the version and a key
# of the options and the files given after them, so that a kit is made again only when they change.
kit_folder() {
    local name=$1 key
    shift
    key=$( (echo "$QT_VERSION" && printf '%s\n' "$@") | sha256sum)
    echo "$KIT_CACHE/qt-$QT_VERSION-$name-${key:0:12}"
}

# fetch_qt_source: Debian's source package, from its archive (a deb-src entry is added when there
# is none), unpacked once into $KIT_CACHE/qt-<version>-source/src for every kit; prints that folder.
fetch_qt_source() {
    local source_dir="$KIT_CACHE/qt-$QT_VERSION-source"
    if [ ! -f "$source_dir/.complete" ]; then
        if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
            printf 'Types: deb-src\nURIs: %s\nSuites: trixie\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
                "$(debian_archive)" >/etc/apt/sources.list.d/dyadora-deb-src.sources
            apt-get update >&2
        fi
        rm -rf "$source_dir"
        mkdir -p "$source_dir"
        (
            cd "$source_dir" || exit 1
            apt-get source --download-only qt6-base >&2
            dpkg-source -x ./*.dsc src >&2
            rm -f ./*.dsc ./*.tar.*
        )
        grep -q "QT_REPO_MODULE_VERSION \"$QT_VERSION\"" "$source_dir/src/.cmake.conf" || {
            echo "Debian's qt6-base is not Qt $QT_VERSION" >&2
            return 1
        }
        touch "$source_dir/.complete"
    fi
    echo "$source_dir/src"
}

# build_kit KIT SOURCE CMAKE_OPTION...: configures, builds and installs Qt into KIT, then marks the
# kit complete. There is one build folder per kind of kit (KIT's name without its key): a build
# that stopped, or one with other options, is taken up again, and only what changed is compiled.
build_kit() {
    local kit=$1 source=$2 work
    shift 2
    work="${kit%-*}-build"
    rm -rf "$kit"
    cmake --fresh -S "$source" -B "$work" -G Ninja -DCMAKE_INSTALL_PREFIX="$kit" "$@" >&2
    cmake --build "$work" --parallel "$(nproc)" >&2
    cmake --install "$work" >&2
    touch "$kit/.complete"
    rm -rf "$work"
}
