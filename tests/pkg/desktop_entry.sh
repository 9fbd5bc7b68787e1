#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed desktop entry: valid, named for the application id, its icon there in every size
# and its command installed.
set -uo pipefail
source "$(dirname "$0")/pkg_lib.sh"
prefix=$1
games_dir=$2
need desktop-file-validate desktop-file-utils

entry=$(the_one "$prefix"/share/applications/*.desktop) || exit 1
id=$(basename "$entry" .desktop)
check "desktop-file-validate accepts $id.desktop" desktop-file-validate "$entry"
check "the entry's Icon is the application id" test "$(desktop_key "$entry" Icon)" = "$id"
while read -r folder size; do
    icon="$prefix/share/icons/hicolor/$folder/apps/$id.png"
    check "the $folder icon is a $size x $size PNG" test "$(png_size "$icon")" = "$size x $size"
done < <(icon_folders)
command=$(desktop_key "$entry" Exec)
check "Exec ($command) is the installed program, with no arguments" \
    test -x "$prefix/$games_dir/$command"
check "StartupWMClass is set (its value is checked against the running window)" \
    test -n "$(desktop_key "$entry" StartupWMClass)"
