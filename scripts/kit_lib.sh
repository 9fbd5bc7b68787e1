# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts that build a static Qt kit from Debian 13's qt6-base source package
# (windows-kit.sh, web-kit.sh), on Debian 13 or in its root.
# shellcheck shell=bash

QT_VERSION=6.8.2
KIT_CACHE=${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}

# Every kit: a static Qt, optimised for size, compiled as a unity build (up to 32 of Qt's sources
# compiled as one, some 40 % less processor time), with Debian 13's host tools of the same version.
QT_KIT_BASE=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DFEATURE_optimize_size=ON
    -DQT_UNITY_BUILD=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
)

# Modules the game has no use for.
QT_UNUSED_MODULES=(
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
)

# Features of Qt that the game uses nowhere, switched off in every kit.
QT_UNUSED_FEATURES=(
    # Core and Gui: no MIME database, calendars beyond the Gregorian, PDF, Markdown or ODF text,
    # animated images, or image formats beyond PNG, JPEG, BMP and ICO. FreeType stays: it is the
    # only font database of the offscreen platform on Windows, which the widget tests run on.
    -DFEATURE_mimetype=OFF
    -DFEATURE_jalalicalendar=OFF
    -DFEATURE_islamiccivilcalendar=OFF
    -DFEATURE_pdf=OFF
    -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_textodfwriter=OFF
    -DFEATURE_movie=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_imageformat_ppm=OFF
    -DFEATURE_imageformat_xbm=OFF
    -DFEATURE_systemtrayicon=OFF
    -DFEATURE_undocommand=OFF
    # Widgets the game never shows. (The Windows 11 style needs the graphics view, for its
    # shadow effect, and style sheets, whose text it reads.)
    -DFEATURE_filedialog=OFF
    -DFEATURE_fontdialog=OFF
    -DFEATURE_colordialog=OFF
    -DFEATURE_wizard=OFF
    -DFEATURE_mdiarea=OFF
    -DFEATURE_calendarwidget=OFF
    -DFEATURE_datetimeedit=OFF
    -DFEATURE_splashscreen=OFF
    -DFEATURE_lcdnumber=OFF
    -DFEATURE_dial=OFF
    -DFEATURE_keysequenceedit=OFF
    -DFEATURE_fontcombobox=OFF
    -DFEATURE_columnview=OFF
    -DFEATURE_toolbox=OFF
)

# kit_folder NAME OPTION...: prints the kit's folder in the cache, named by the version and a key
# of the patches for every kit, the options and what else is given after them, so that a kit is
# made again only when they change.
kit_folder() {
    local name=$1 key
    shift
    key=$( (echo "$QT_VERSION" "$QT_PATCHES_KEY" && printf '%s\n' "$@") | sha256sum)
    echo "$KIT_CACHE/qt-$QT_VERSION-$name-${key:0:12}"
}

# Our changes to Qt's source (each .patch file says why). The source is patched with all of them;
# those in web/ change only Qt's web platform, so only the web kit's key names them
# (QT_WEB_PATCHES_KEY, given to kit_folder by web-kit.sh) and the Windows kit stays as it is.
QT_PATCHES=("$DYADORA_ROOT"/scripts/qt-patches/*.patch)
QT_WEB_PATCHES=("$DYADORA_ROOT"/scripts/qt-patches/web/*.patch)
QT_PATCHES_KEY=$(cat "${QT_PATCHES[@]}" | sha256sum | cut -c1-12)
QT_WEB_PATCHES_KEY=$(cat "${QT_WEB_PATCHES[@]}" | sha256sum | cut -c1-12)

# fetch_qt_source: Debian's source package, from its archive (a deb-src entry is added when there
# is none), unpacked and patched once into $KIT_CACHE/qt-<version>-source-<patches>/src for every
# kit; prints that folder.
fetch_qt_source() {
    local source_dir="$KIT_CACHE/qt-$QT_VERSION-source-$QT_PATCHES_KEY-$QT_WEB_PATCHES_KEY"
    [ -f "$source_dir/.complete" ] || with_apt_lock download_qt_source "$source_dir" >&2 || return
    echo "$source_dir/src"
}

# download_qt_source FOLDER: fetch_qt_source's download, with apt's lock held: a second kit
# started beside the first finds the source complete once it has the lock.
download_qt_source() {
    local source_dir=$1
    [ -f "$source_dir/.complete" ] && return 0
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        printf 'Types: deb-src\nURIs: %s\nSuites: trixie\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$(debian_archive)" >/etc/apt/sources.list.d/dyadora-deb-src.sources
        apt-get update || return
    fi
    rm -rf "$source_dir"
    mkdir -p "$source_dir"
    (
        cd "$source_dir" || exit 1
        apt-get source --download-only qt6-base || exit
        dpkg-source -x ./*.dsc src || exit
        rm -f ./*.dsc ./*.tar.*
        local patch
        for patch in "${QT_PATCHES[@]}" "${QT_WEB_PATCHES[@]}"; do
            patch -d src -p1 --quiet --forward <"$patch" || exit
        done
    ) || return
    grep -q "QT_REPO_MODULE_VERSION \"$QT_VERSION\"" "$source_dir/src/.cmake.conf" || {
        echo "Debian's qt6-base is not Qt $QT_VERSION"
        return 1
    }
    touch "$source_dir/.complete"
    remove_all_but "$source_dir" "$KIT_CACHE/qt-$QT_VERSION-source"* # sources of other patches
}

# use_web_kit: the web kit, built when missing (web-kit.sh), and what the web preset reads of it
# exported: DYADORA_WEB_KIT, and EMSDK, the emsdk folder that web-kit.sh keeps beside it.
use_web_kit() {
    DYADORA_WEB_KIT=$("$DYADORA_ROOT/scripts/web-kit.sh") || return
    export DYADORA_WEB_KIT EMSDK="$KIT_CACHE/emsdk-debian"
}

# remove_all_but KEEP FOLDER...: removes the folders but KEEP (a kit's or a source's earlier
# versions, once its successor is complete).
remove_all_but() {
    local keep=$1 old
    shift
    for old in "$@"; do
        [ "$old" = "$keep" ] || rm -rf "$old"
    done
}

# build_kit KIT SOURCE CMAKE_OPTION...: configures, builds and installs Qt into KIT, then marks the
# kit complete. There is one build folder per kind of kit (KIT's name without its key): a build
# that stopped, or one with other options, is taken up again, and only what changed is compiled;
# one made from another source folder (other patches) cannot be, and is started afresh.
build_kit() {
    local kit=$1 source=$2 work
    shift 2
    work="${kit%-*}-build"
    [ "$(cat "$work/.source" 2>/dev/null)" = "$source" ] || rm -rf "$work"
    mkdir -p "$work"
    echo "$source" >"$work/.source"
    rm -rf "$kit"
    cmake --fresh -S "$source" -B "$work" -G Ninja -DCMAKE_INSTALL_PREFIX="$kit" "$@" >&2
    cmake --build "$work" --parallel "$(nproc)" >&2
    cmake --install "$work" >&2
    touch "$kit/.complete"
    rm -rf "$work"
    remove_all_but "$kit" "${kit%-*}"-* # kits of the same kind with other options or patches
}
