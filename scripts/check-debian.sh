#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian packages as an upload to Debian would be: builds the source package and, with
# sbuild in a clean chroot, the binary packages of Debian 12 and 13 (scripts/debian-package.sh),
# then for each release
#   - tests/pkg/deb.sh on its package (its files, control fields, changelog, stripped program);
#   - that release's own lintian, --pedantic, on the source and the binary packages: any error or
#     warning fails (overrides are in debian/, each with a comment saying why);
#   - blhc --all --debian on the build log: every compiler and linker call with the hardening
#     flags;
#   - autopkgtest, in its unshare mode in that release's clean chroot: the installed game played
#     under Xvfb (debian/tests/control).
# The release's lintian is this machine's where it runs that release, and otherwise that of the
# Debian root of that release (scripts/debian-root.sh). Everything is kept in build/debian.
# Usage (as root): scripts/check-debian.sh [SUITE...]   (default: bookworm trixie)
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$DYADORA_ROOT"

suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(bookworm trixie)
ensure_packages "${DEBIAN_CHECK_PACKAGES[@]}" binutils
out=build/debian
started=$(date +%s)
seconds() { echo $(($(date +%s) - started)); }
./scripts/debian-package.sh "$out" "${suites[@]}"
echo "== built in $(seconds) s"
version=$(dpkg-parsechangelog -S Version)
dsc=$out/dyadora_$version.dsc

# lintian_of SUITE FILE...: that release's lintian on the files (paths inside this clone).
# shellcheck disable=SC2054 # the comma is lintian's
lintian_of() {
    local suite=$1
    shift
    local command=(lintian --pedantic --display-info --fail-on=error,warning "$@")
    if [ "$DEBIAN_CODENAME" = "$suite" ]; then
        "${command[@]}"
    else
        source "$DYADORA_ROOT/scripts/root_lib.sh"
        with_clone_in_root "$suite" "${command[@]}"
    fi
}

failed=()
for suite in "${suites[@]}"; do
    debs=("$out/$suite"/*.deb)
    deb=$out/$suite/dyadora_${version}_amd64.deb
    echo "== $suite: the package ($(seconds) s)"
    bash tests/pkg/deb.sh "$deb" || failed+=("$suite: tests/pkg/deb.sh")

    echo "== $suite: lintian $(lintian_of "$suite" --version | awk '{print $2}') ($(seconds) s)"
    status=0
    lintian_of "$suite" "$dsc" "${debs[@]}" >"$out/$suite/lintian.txt" 2>&1 || status=$?
    grep -v 'running with root privileges' "$out/$suite/lintian.txt" || true
    [ "$status" -eq 0 ] || failed+=("$suite: lintian (status $status)")

    echo "== $suite: blhc --all --debian ($(seconds) s)"
    # CMake's AUTOMOC asks the compiler for its predefined macros with the target's -std; blhc
    # 0.13 (Debian 12) knows that command only without it and takes it for a compilation.
    blhc --all --debian --ignore-line \
        '\s*/usr/bin/c\+\+ -std=\S+ -dM -E -c /usr/share/cmake-\S+/Modules/CMakeCXXCompilerABI\.cpp .*' \
        "$out/$suite/build.log" || failed+=("$suite: blhc")

    echo "== $suite: autopkgtest ($(seconds) s)"
    tarball=$(./scripts/debian-chroots.sh "$suite")
    rm -rf "$out/$suite/autopkgtest"
    status=0
    nice autopkgtest --apt-upgrade --output-dir "$out/$suite/autopkgtest" "$deb" "$dsc" \
        -- unshare --release "$suite" --tarball "$tarball" >"$out/$suite/autopkgtest.log" 2>&1 ||
        status=$?
    cat "$out/$suite/autopkgtest/summary" 2>/dev/null
    # 0: every test passed; 2: some were skipped (the accessibility test, where AT-SPI cannot start).
    if [ "$status" -ne 0 ] && [ "$status" -ne 2 ]; then
        tail -n 60 "$out/$suite/autopkgtest.log"
        failed+=("$suite: autopkgtest (status $status)")
    fi
done

echo "== done in $(seconds) s"
if [ ${#failed[@]} -gt 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}" >&2
    exit 1
fi
echo "ok: lintian, blhc and autopkgtest find nothing wrong in ${suites[*]}"
