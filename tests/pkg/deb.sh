#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by cpack from this build: every file at its Debian path and nothing
# else, the control fields, a stripped program with no RUNPATH, and no lintian error.
set -uo pipefail
source "$(dirname "$0")/pkg_lib.sh"
build=$1
need cpack cmake
need dpkg-deb dpkg
need dpkg-shlibdeps dpkg-dev
need lintian lintian
need readelf binutils

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out") >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log"; fail "cpack did not make the package"; }
deb=$(the_one "$out"/*.deb) || exit 1
echo "package: $(basename "$deb")"

id=org.dyadora.Dyadora
expected=(
    usr/games/Dyadora
    usr/share/applications/$id.desktop
    usr/share/doc/dyadora/changelog.gz
    usr/share/doc/dyadora/copyright
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
changelog=$(gzip -dc "$out/root/usr/share/doc/dyadora/changelog.gz")
check "the changelog's newest entry is this version" \
    grep -q "^dyadora ($(field Version))" <<<"$changelog"
check "signed by the package's maintainer" grep -qF -- "-- $(field Maintainer)  " <<<"$changelog"
program="$out/root/usr/games/Dyadora"
check "the program carries no RPATH or RUNPATH" \
    test -z "$(readelf -d "$program" | grep -E 'RPATH|RUNPATH')"
check "the program is stripped" test -z "$(readelf -S "$program" | grep -F .symtab)"

lintian --display-info "$deb" >"$out/lintian" 2>&1
status=$?
grep -v 'running with root privileges' "$out/lintian"
check "lintian ran" test "$status" -eq 0 -o "$status" -eq 2
check "lintian reports no error" test -z "$(grep '^E: ' "$out/lintian")"
