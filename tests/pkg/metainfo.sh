#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed AppStream metainfo: valid on its own and with the installed tree, under the
# application id, pointing at the installed desktop entry and program, and its newest release
# the project's version.
set -uo pipefail
source "$(dirname "$0")/pkg_lib.sh"
prefix=$1
games_dir=$2
version=$3
need appstreamcli appstream

metainfo=$(the_one "$prefix"/share/metainfo/*.metainfo.xml) || exit 1
id=$(basename "$metainfo" .metainfo.xml)
# accepts COMMAND...: an appstreamcli check passes, or fails only for the home page that
# AppStream 1.0 asks for (url-homepage-missing, a warning) and the project does not have.
accepts() {
    local output status
    output=$("$@" 2>&1)
    status=$?
    echo "$output"
    [ "$status" -eq 0 ] && return 0
    grep -q '^ *W: .*: url-homepage-missing$' <<<"$output" &&
        ! grep -E '^ *[EW]: ' <<<"$output" | grep -qv ': url-homepage-missing$'
}
check "appstreamcli validate accepts $id.metainfo.xml" accepts appstreamcli validate --no-net "$metainfo"
check "appstreamcli validate-tree accepts the installed tree" \
    accepts appstreamcli validate-tree --no-net "$prefix"
element() { sed -n "s:.*<$1[^>]*>\(.*\)</$1>.*:\1:p" "$metainfo" | head -n 1; }
check "the component id is the file's name" test "$(element id)" = "$id"
launchable=$(element launchable)
check "it launches the desktop entry named for the id" test "$launchable" = "$id.desktop"
check "that desktop entry is installed" test -f "$prefix/share/applications/$launchable"
check "the binary it provides is installed" test -x "$prefix/$games_dir/$(element binary)"
newest=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -n 1)
check "the newest release ($newest) is the project's version $version" test "$newest" = "$version"
