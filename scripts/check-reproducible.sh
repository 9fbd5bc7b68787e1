#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows that the downloads can be rebuilt byte for byte: runs scripts/release.sh twice on the last
# commit, from clones in two different folders, one after the other, with another umask, time zone
# and locale each time, and compares every file. On a difference it shows diffoscope's report for
# that file, and fails.
# With --debian-built FOLDER, the first run takes the Debian packages that scripts/check-debian.sh
# has built in FOLDER from the same commit, and only the second builds them (a build each less).
# Usage: scripts/check-reproducible.sh [--debian-built FOLDER]
#        scripts/check-reproducible.sh --compare FOLDER FOLDER   (two sets of downloads made earlier)
set -euo pipefail
source "$(dirname "$0")/common.sh"

# compare FOLDER FOLDER: the same files in both, byte for byte; diffoscope's report for each that
# differs.
compare() {
    local different=() file name
    diff <(cd "$1" && ls) <(cd "$2" && ls) || different+=("(the list of files)")
    for file in "$1"/*; do
        name=$(basename "$file")
        cmp -s "$file" "$2/$name" && continue
        different+=("$name")
        echo "== $name differs between the two runs"
        ensure_packages diffoscope-minimal >/dev/null
        diffoscope --text - --max-report-size 200000 "$file" "$2/$name" || true
    done
    if [ ${#different[@]} -gt 0 ]; then
        echo "FAIL: not the same bytes: ${different[*]}" >&2
        return 1
    fi
    echo "ok: every download is the same, byte for byte: $(cd "$1" && ls | tr '\n' ' ')"
}
if [ "${1:-}" = --compare ]; then # two folders made earlier
    compare "$2" "$3"
    exit
fi

# ensure_locale NAME: the locale generated where it is missing (Debian's locales package); fails
# when it still cannot be set, so that a run never goes on in another locale than it says.
ensure_locale() {
    if ! locale -a 2>/dev/null | grep -qix "${1/UTF-8/utf8}"; then
        ensure_packages locales
        grep -qx "$1 UTF-8" /etc/locale.gen 2>/dev/null || echo "$1 UTF-8" >>/etc/locale.gen
        locale-gen --keep-existing >/dev/null
    fi
    local said
    said=$(LC_ALL=$1 bash -c : 2>&1)
    [ -z "$said" ] && [ "$(LC_ALL=$1 locale charmap)" = UTF-8 ] || {
        echo "FAIL: the locale $1 cannot be set: $said" >&2
        return 1
    }
}
debian_built=
if [ "${1:-}" = --debian-built ]; then
    debian_built=$(cd "$2" && pwd)
fi
ensure_locale el_GR.UTF-8

work=$(mktemp -d "${TMPDIR:-/tmp}/dyadora-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
started=$(date +%s)

# release NAME CLONE UMASK TZ LOCALE [DEBIAN_BUILT]: one run of the release command in a fresh
# clone.
release() {
    local name=$1 clone=$work/$2
    git clone --quiet --no-hardlinks "$DYADORA_ROOT" "$clone"
    echo "== $name: $clone, umask $3, TZ=$4, locale $5 ($(($(date +%s) - started)) s)"
    (umask "$3" && cd "$clone" && TZ=$4 LANG=$5 LC_ALL=$5 DYADORA_DEBIAN_BUILT=${6:-} \
        ./scripts/release.sh "$work/made-by-$name")
}
release first first/dyadora 0022 UTC C.UTF-8 "$debian_built"
release second "second/elsewhere/Λαβυρίδες copy" 0002 Pacific/Chatham el_GR.UTF-8

echo "== both made in $(($(date +%s) - started)) s"
compare "$work/made-by-first" "$work/made-by-second"
