#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package made from debian/ (scripts/check-debian.sh runs this on each that sbuild
# makes): every file at its Debian path and nothing else, the control fields, the changelog, and a
# stripped program with no RUNPATH. Lintian is run on it by the same script.
# Usage: tests/pkg/deb.sh PACKAGE.deb
set -uo pipefail
source "$(dirname "$0")/pkg_lib.sh"
deb=$1
need dpkg-deb dpkg
need readelf binutils

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
echo "package: $(basename "$deb")"

id=org.dyadora.Dyadora
expected=(
    usr/games/Dyadora
    usr/share/applications/$id.desktop
    usr/share/doc/dyadora/changelog.Debian.gz
    usr/share/doc/dyadora/copyright
    usr/share/lintian/overrides/dyadora
    usr/share/man/man6/Dyadora.6.gz
    usr/share/metainfo/$id.metainfo.xml
)
while read -r folder _; do
    expected+=("usr/share/icons/hicolor/$folder/apps/$id.png")
done < <(icon_folders)
printf '%s\n' "${expected[@]}" | sort >"$out/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' | sort >"$out/files"
diff -u "$out/expected" "$out/files"
check "the package holds exactly the expected files" cmp -s "$out/expected" "$out/files"

field() { dpkg-deb -f "$deb" "$1"; }
check "the package is named dyadora" test "$(field Package)" = dyadora
check "in section games" test "$(field Section)" = games
depends=$(field Depends)
echo "Depends: $depends"
check "it depends on fonts-liberation" grep -qE '(^|, )fonts-liberation(,|$)' <<<"$depends"
check "and on the Qt libraries, found by dpkg-shlibdeps" grep -q 'libqt6widgets6 (>= ' <<<"$depends"
check "it has a long description" test "$(field Description | wc -l)" -ge 3

dpkg-deb -x "$deb" "$out/root"
changelog=$(gzip -dc "$out/root/usr/share/doc/dyadora/changelog.Debian.gz")
check "the changelog's newest entry is this version" \
    grep -q "^dyadora ($(field Version))" <<<"$changelog"
check "signed by the package's maintainer" grep -qF -- "-- $(field Maintainer)  " <<<"$changelog"
program="$out/root/usr/games/Dyadora"
check "the program carries no RPATH or RUNPATH" \
    test -z "$(readelf -d "$program" | grep -E 'RPATH|RUNPATH')"
check "the program is stripped" test -z "$(readelf -S "$program" | grep -F .symtab)"

check "the copyright file is the source's" \
    cmp -s "$out/root/usr/share/doc/dyadora/copyright" "$(dirname "$0")/../../debian/copyright"
