#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt 6.8 for 64-bit Windows (MinGW-w64) from Debian 13's qt6-base source package,
# with only what the game and its tests need, built for size, into a cache folder outside the
# source tree, and prints that folder. A kit already built with the same version and
# configuration is reused as it is.
#
# Qt's build needs host tools of exactly its own version: Debian 13 has them (qt6-base-dev-tools
# 6.8.2), together with MinGW-w64 on GCC 14 and Wine 10. On any other release the script runs
# itself in the Debian 13 root (scripts/debian-root.sh), where the kit's folder is
# /root/.cache/dyadora/...; the kits are kept outside the root, beside it.
#
#   scripts/windows-kit.sh            # builds or finds the kit, prints its folder
#   scripts/windows-kit.sh --fetch    # only installs the packages and fetches Qt's source
#
# DYADORA_CACHE_DIR chooses the cache (default: $XDG_CACHE_HOME/dyadora or ~/.cache/dyadora).
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/kit_lib.sh"

on_debian_13 ./scripts/windows-kit.sh "$@"

TOOLCHAIN="$DYADORA_ROOT/cmake/toolchains/mingw-w64-x86_64.cmake"
# Core, Gui, Widgets and Test; the windows and offscreen platforms; PNG, JPEG, ICO and BMP; the
# Windows styles (Windows 11, Vista and the plain one Qt falls back on) and Fusion; DirectWrite
# for the game's fonts. Qt's bundled libraries only. Optimised for size; a static Qt links with
# --gc-sections, so what no code reaches is left out of the program. Compiled as a unity build
# (up to 32 of Qt's sources compiled as one), which takes some 40 % less processor time.
QT_OPTIONS=(
    "${QT_KIT_BASE[@]}"
    "${QT_UNUSED_MODULES[@]}"
    # Back ends the game has no use for.
    -DFEATURE_opengl=OFF
    -DFEATURE_dynamicgl=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_sql_sqlite=OFF
    "${QT_UNUSED_FEATURES[@]}"
)
ensure_packages "${KIT_PACKAGES[@]}" >&2

kit=$(kit_folder mingw-w64-static "${QT_OPTIONS[@]}" "$(cat "$TOOLCHAIN")")
if [ -f "$kit/.complete" ]; then
    echo "$kit"
    exit 0
fi
source_dir=$(fetch_qt_source)
[ "${1:-}" = --fetch ] && exit 0
build_kit "$kit" "$source_dir" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" "${QT_OPTIONS[@]}"
echo "$kit"
