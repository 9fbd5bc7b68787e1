#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed manual page: rendered with no warning (by man, as lintian renders it, and by
# groff with every warning on), with a whatis entry that lexgrog can read and the sections a
# player looks for.
set -uo pipefail
source "$(dirname "$0")/pkg_lib.sh"
page=$1
need man man-db
need lexgrog man-db
need groff groff-base

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$out/page" 2>"$out/warnings"
check "man renders the page" test -s "$out/page"
groff -ww -man -Tutf8 -k -z "$page" 2>>"$out/warnings"
cat "$out/warnings"
check "with no warning from man or from groff -ww" test ! -s "$out/warnings"
whatis=$(lexgrog "$page")
echo "$whatis"
check "lexgrog reads its whatis entry" grep -q ': "Dyadora - .*"$' <<<"$whatis"
for section in NAME SYNOPSIS DESCRIPTION 'HOW TO PLAY' KEYS OPTIONS; do
    check "it has a section named $section" grep -qx "$section" "$out/page"
done
