#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The loader must never search the working directory for the game's libraries: no RUNPATH or
# RPATH entry of the build tree's or the installed program may be empty (which the loader reads
# as the working directory) or relative (read from the working directory); $ORIGIN-based entries,
# relative to the program itself, are sound.
# Usage: runpath.sh PROGRAM...
set -uo pipefail
source "$(dirname "$0")/pkg_lib.sh"
need readelf binutils

for program in "$@"; do
    [ -x "$program" ] || fail "no program at $program"
    paths=$(readelf -d "$program" | sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]$/\2/p')
    echo "$program: RUNPATH/RPATH [${paths}]"
    while IFS= read -r line; do
        [ -n "$line" ] || continue
        # An entry list that is empty as a whole, or any empty entry between colons.
        IFS=: read -r -a entries <<<"$line:"
        for entry in "${entries[@]}"; do
            case "$entry" in
            /* | '$ORIGIN' | '$ORIGIN/'* | '${ORIGIN}' | '${ORIGIN}/'*) ;;
            *) fail "$program: unsafe library search entry '${entry}' in [$line]" ;;
            esac
        done
    done <<<"$paths"
    echo "ok: $program never searches the working directory"
done
