# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for the packaging tests: fail and check (shared with the end-to-end tests), skip, and
# reading the installed files.
# shellcheck shell=bash

source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_lib.sh"

# skip REASON: ends the test as skipped (ctest's SKIP_RETURN_CODE).
skip() {
    echo "SKIP: $*"
    exit 77
}

# need COMMAND PACKAGE: skips the test when the command is missing.
need() {
    command -v "$1" >/dev/null 2>&1 || skip "$1 is missing (Debian package $2)"
}

# desktop_key FILE KEY: the value of KEY in the desktop entry's main group.
desktop_key() {
    sed -n '/^\[Desktop Entry\]/,/^\[/ s/^'"$2"'=//p' "$1"
}

# png_size FILE: "width x height" from the PNG header.
png_size() {
    local bytes
    read -r -a bytes <<<"$(od -An -tu1 -j16 -N8 "$1")"
    [ ${#bytes[@]} -eq 8 ] || return 1
    echo "$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3])) x" \
        "$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))"
}

# icon_folders: the hicolor folders that hold the icon ("<N>x<N>", and "<N>x<N>@2" at twice the
# pixels), each followed by its size in pixels.
icon_folders() {
    local size
    for size in 16 22 24 32 36 48 64 72 96 128 192 256; do
        echo "${size}x$size $size"
        [ $((2 * size)) -gt 256 ] || echo "${size}x$size@2 $((2 * size))"
    done
}

# the_one PATTERN...: the single existing file matching the patterns; fails otherwise.
the_one() {
    local found=()
    local file
    for file in "$@"; do
        [ -e "$file" ] && found+=("$file")
    done
    [ ${#found[@]} -eq 1 ] || fail "expected one file, found ${#found[@]}: $*"
    echo "${found[0]}"
}
