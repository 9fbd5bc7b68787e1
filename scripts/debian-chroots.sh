#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the clean chroots of Debian 12 and 13 that sbuild builds the Debian packages in and that
# autopkgtest tests them in, and prints their paths: one tarball each, made by mmdebstrap, kept
# outside the clone in ${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}/sbuild-chroots.
#   build  the buildd variant (build-essential and apt) and the Build-Depends of debian/control
#          that every build needs (those marked <!nocheck> are left to sbuild to install, so that
#          a build without its tests finds only what it declares);
#   tests  the minbase variant (the essential and required packages and apt) and the tools the
#          autopkgtests depend on (debian/tests/control), but not the game: autopkgtest installs
#          the package, and with it the Qt libraries its Depends name.
# Each build and each test run would otherwise spend most of a minute installing the same
# packages. A tarball is named by a hash of the release, the archive and its package list, so a
# changed list makes a new one; a complete one is reused, and one is made afresh in a temporary
# file and renamed when complete. Both are unpacked by sbuild and autopkgtest in a user namespace
# of their own (their unshare mode), for which the user who runs them needs ranges of subordinate
# ids: where root has none, this gives it one.
# Usage (as root): scripts/debian-chroots.sh build|tests|all [SUITE...]   (default: bookworm trixie)
set -euo pipefail
source "$(dirname "$0")/root_lib.sh"

DYADORA_CHROOTS_DIR="${DYADORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/dyadora}/sbuild-chroots"

# packages_of KIND: what the chroot of that kind holds besides the buildd variant, as one
# dependency list that apt-get satisfy takes (versions and alternatives as debian/ writes them).
packages_of() {
    python3 - "$1" "$DYADORA_ROOT/debian" <<'EOF'
import re, sys
kind, debian = sys.argv[1], sys.argv[2]
def field(text, name):
    return [m.group(1) for m in re.finditer(r'^%s:(.*(?:\n[ \t].*)*)' % name, text, re.M)]
if kind == 'build':
    text = open(debian + '/control').read()
    lists = field(text.split('\n\n')[0], 'Build-Depends')
    skip = lambda d: '<!nocheck>' in d
else:
    lists = field(open(debian + '/tests/control').read(), 'Depends')
    skip = lambda d: d in ('@', 'dyadora')
deps = []
for d in ','.join(lists).split(','):
    d = ' '.join(d.split())
    if d and not skip(d) and d not in deps:
        deps.append(d)
print(', '.join(deps))
EOF
}

# variant_of KIND: mmdebstrap's variant for that kind.
variant_of() { [ "$1" = build ] && echo buildd || echo minbase; }

# chroot_path KIND SUITE: the tarball of that kind for that release.
chroot_path() {
    local hash
    hash=$(printf '%s\n' "$2" "$DYADORA_MIRROR" "$(variant_of "$1")" "$(packages_of "$1")" |
        sha256sum | cut -c1-16)
    echo "$DYADORA_CHROOTS_DIR/$2-$1-amd64-$hash.tar"
}

# subordinate_ids: root's ranges of subordinate user and group ids, added when missing.
subordinate_ids() {
    grep -q '^root:' /etc/subuid 2>/dev/null && grep -q '^root:' /etc/subgid 2>/dev/null && return
    usermod --add-subuids 1000000-1065535 --add-subgids 1000000-1065535 root
}

# make_chroot KIND SUITE: the tarball made where missing; prints its path.
make_chroot() {
    local tarball making started old
    tarball=$(chroot_path "$1" "$2")
    if [ ! -f "$tarball" ]; then
        started=$(date +%s)
        making=$(mktemp "$DYADORA_CHROOTS_DIR/.making-$2-$1-XXXXXX")
        trap 'rm -f "$making"' EXIT
        # mmdebstrap reads no apt configuration of this machine: a proxy that apt is told of goes
        # along.
        local proxy=()
        [ -z "${http_proxy:-}" ] || proxy=(--aptopt="Acquire::http::Proxy \"$http_proxy\"")
        mmdebstrap --variant="$(variant_of "$1")" --mode=root --format=tar --skip=output/mknod "${proxy[@]}" \
            --chrooted-customize-hook="apt-get satisfy -y --no-install-recommends '$(packages_of "$1")'" \
            "$2" "$making" "$DYADORA_MIRROR" >&2
        chmod 644 "$making"
        for old in "$DYADORA_CHROOTS_DIR/$2-$1"-amd64-*.tar; do
            [ "$old" = "$tarball" ] || rm -f "$old"
        done
        mv -T "$making" "$tarball"
        trap - EXIT
        echo "Made the Debian $2 $1 chroot in $(($(date +%s) - started)) s: $tarball" >&2
    fi
    echo "$tarball"
}

[ "$(id -u)" -eq 0 ] || {
    echo "making the chroots needs root" >&2
    exit 1
}
case "${1:-}" in
build | tests) kinds=("$1") ;;
all) kinds=(build tests) ;;
*)
    echo "usage: $0 build|tests|all [SUITE...]" >&2
    exit 2
    ;;
esac
shift
ensure_packages "${DEBIAN_CHECK_PACKAGES[@]}" python3 >&2
subordinate_ids
mkdir -p "$DYADORA_CHROOTS_DIR"
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(bookworm trixie)
for suite in "${suites[@]}"; do
    for kind in "${kinds[@]}"; do
        make_chroot "$kind" "$suite"
    done
done
