#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian packages as an upload to Debian would be: builds the source package and, with
# sbuild in a clean chroot, the binary packages of Debian 13 and 12 (scripts/debian-package.sh),
# then for each release
#   - tests/pkg/deb.sh on its package (its files, control fields, changelog, stripped program);
#   - that release's own lintian, --pedantic, on the source and the binary packages: any error or
#     warning fails (overrides are in debian/, each with a comment saying why);
#   - blhc --all --debian on the build log: every compiler and linker call with the hardening
#     flags; and no compiler warning in it;
#   - autopkgtest, in its unshare mode in that release's clean chroot: the installed game played
#     under Xvfb (debian/tests/control).
# The first release's build runs the build-time tests, as Debian's build daemons do; the others
# are built without them (DEB_BUILD_OPTIONS=nocheck), since the README's test command runs the
# same tests on Debian 12, and they change nothing in the package. Each release's autopkgtest runs
# while the next release is built, one test bed at a time.
# The release's lintian is this machine's where it runs that release, and otherwise that of the
# Debian root of that release (scripts/debian-root.sh). Everything is kept in build/debian.
# Usage (as root): scripts/check-debian.sh [SUITE...]   (default: trixie bookworm)
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$DYADORA_ROOT"

suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(trixie bookworm)
ensure_packages "${DEBIAN_CHECK_PACKAGES[@]}" binutils
out=build/debian
started=$(date +%s)
seconds() { echo $(($(date +%s) - started)); }
./scripts/debian-package.sh "$out"
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

# autopkgtest_of SUITE: the release's autopkgtests in its clean chroot of the tests' tools;
# leaves the log in build/debian/SUITE/autopkgtest.log and a line in build/debian/SUITE/failed
# where they fail.
autopkgtest_of() {
    local suite=$1 status=0 tarball
    tarball=$(./scripts/debian-chroots.sh tests "$suite")
    rm -rf "$out/$suite/autopkgtest" "$out/$suite/failed"
    nice autopkgtest --apt-upgrade --output-dir "$out/$suite/autopkgtest" \
        "$out/$suite/dyadora_${version}_amd64.deb" "$dsc" \
        -- unshare --release "$suite" --tarball "$tarball" >"$out/$suite/autopkgtest.log" 2>&1 ||
        status=$?
    # 0: every test passed; 2: some were skipped (the accessibility test, where AT-SPI cannot start).
    [ "$status" -eq 0 ] || [ "$status" -eq 2 ] ||
        echo "$suite: autopkgtest (status $status)" >"$out/$suite/failed"
}

# report_autopkgtest SUITE: its summary, and the end of its log where it failed.
report_autopkgtest() {
    echo "== $1: autopkgtest ($(seconds) s)"
    cat "$out/$1/autopkgtest/summary" 2>/dev/null
    [ -f "$out/$1/failed" ] || return 0
    tail -n 60 "$out/$1/autopkgtest.log"
    failed+=("$(cat "$out/$1/failed")")
}

failed=()
tester=
tested=
first=yes
for suite in "${suites[@]}"; do
    echo "== $suite: sbuild ($(seconds) s)"
    options=${DEB_BUILD_OPTIONS:-}
    [ "$first" = yes ] || options="${options:+$options }nocheck"
    first=no
    DEB_BUILD_OPTIONS=$options ./scripts/debian-package.sh --binary "$out" "$suite"
    debs=("$out/$suite"/*.deb)
    deb=$out/$suite/dyadora_${version}_amd64.deb
    # The previous release's tests end before this release's begin.
    if [ -n "$tester" ]; then
        wait "$tester" || true
        report_autopkgtest "$tested"
    fi
    autopkgtest_of "$suite" &
    tester=$! tested=$suite

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

    # The game builds without a warning with the compilers of both releases and Debian's flags
    # too: the build has no -Werror (a newer compiler must not break a distribution's build), so
    # the log is read for them.
    if grep -E '^\S+:[0-9]+(:[0-9]+)?: warning: ' "$out/$suite/build.log"; then
        failed+=("$suite: compiler warnings in the build")
    fi
done
wait "$tester" || true
report_autopkgtest "$tested"

echo "== done in $(seconds) s"
if [ ${#failed[@]} -gt 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}" >&2
    exit 1
fi
echo "ok: lintian, blhc and autopkgtest find nothing wrong in ${suites[*]}"
