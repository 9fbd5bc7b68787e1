#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt 6.8 for WebAssembly from Debian 13's qt6-base source package with Debian 13's
# emscripten, with only what the game needs, built for size, into a cache folder outside the
# source tree, and prints that folder. A kit already built with the same version and
# configuration is reused as it is. On another release it runs itself in the Debian 13 root, as
# windows-kit.sh does.
#
#   scripts/web-kit.sh            # builds or finds the kit, prints its folder
#
# Qt's build looks for emscripten in an emsdk folder ($EMSDK/upstream/emscripten); Debian's
# emscripten has none, so a small one is made beside the kit, naming Debian's.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/kit_lib.sh"

on_debian_13 ./scripts/web-kit.sh "$@"

# Core, Gui and Widgets; the wasm platform, which needs OpenGL ES; PNG, JPEG, ICO and BMP; the
# Fusion style. Qt's bundled libraries only; optimised for size; a unity build. The features off
# are the Windows kit's, and text shaping.
QT_OPTIONS=(
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten
    "${QT_KIT_BASE[@]}"
    -DFEATURE_thread=OFF
    -DFEATURE_opengles2=ON
    -DFEATURE_opengles3=ON
    -DFEATURE_testlib=OFF
    "${QT_UNUSED_MODULES[@]}"
    -DFEATURE_vulkan=OFF
    -DFEATURE_sql_sqlite=OFF
    "${QT_UNUSED_FEATURES[@]}"
    # Greek and Latin need no text shaping beyond Qt's own.
    -DFEATURE_harfbuzz=OFF
)
ensure_packages "${KIT_PACKAGES[@]}" >&2

kit=$(kit_folder wasm-static "${QT_OPTIONS[@]}" "web patches $QT_WEB_PATCHES_KEY")
# The emsdk folder that Qt's build and the game's build look for (EMSDK).
emsdk="$KIT_CACHE/emsdk-debian"
if [ ! -f "$emsdk/.emscripten" ] || ! grep -q EMSCRIPTEN_ROOT "$emsdk/.emscripten"; then
    mkdir -p "$emsdk/upstream"
    ln -sfn /usr/share/emscripten "$emsdk/upstream/emscripten"
    # The line that Qt's build reads (it takes the quoted part after EMSCRIPTEN_ROOT).
    echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$emsdk/.emscripten"
fi
export EMSDK=$emsdk
if [ -f "$kit/.complete" ]; then
    echo "$kit"
    exit 0
fi
source_dir=$(fetch_qt_source)
[ "${1:-}" = --fetch ] && exit 0
build_kit "$kit" "$source_dir" "${QT_OPTIONS[@]}"
echo "$kit"
