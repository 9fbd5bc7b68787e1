#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bookkeeping of the Debian roots that the tests also run in: a root is named by its release
# and package list (the same list finds the same root, a changed one a new root), and a root with
# the kernel's file systems mounted inside is removed without touching them: they are unmounted
# first, and nothing of the machine's own /dev or /sys goes. Installs started side by side take
# turns.
set -uo pipefail
source "$(dirname "$0")/../pkg/pkg_lib.sh"
DYADORA_CACHE_DIR=$(mktemp -d)
trap 'remove_root "$DYADORA_CACHE_DIR"' EXIT
source "$(dirname "$0")/../../scripts/root_lib.sh"

root=$(root_path trixie)
check "a root is kept in the cache folder, named by its release" \
    test "${root%-*}" = "$DYADORA_CACHE_DIR/debian-roots/trixie"
check "the same release and list find the same root" test "$(root_path trixie)" = "$root"
check "another release has a root of its own" test "$(root_path bookworm)" != "${root/trixie/bookworm}"
ROOT_PACKAGES+=(hello)
check "a package more in the list makes a new root" test "$(root_path trixie)" != "$root"
unset 'ROOT_PACKAGES[-1]'
check "and without it the list finds its root again" test "$(root_path trixie)" = "$root"

# The roots come from the archive that this machine's apt reaches Debian through.
apt_dir=$(mktemp -d)
trap 'remove_root "$DYADORA_CACHE_DIR"; rm -rf "$apt_dir"' EXIT
printf 'Dir::Etc::sourcelist "%s/sources.list";\nDir::Etc::sourceparts "%s/parts";\nDir::State::lists "%s/lists";\n' \
    "$apt_dir" "$apt_dir" "$apt_dir" >"$apt_dir/apt.conf"
archive_from() { # archive_from FILE TEXT: the archive found where apt's only source is TEXT in FILE
    rm -rf "$apt_dir/sources.list" "$apt_dir/parts"
    mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial"
    printf '%b' "$2" >"$apt_dir/$1"
    (unset DYADORA_MIRROR && APT_CONFIG="$apt_dir/apt.conf" debian_archive)
}
one_line='deb http://mirror.lan/security bookworm-security main
deb [arch=amd64] http://mirror.lan/debian/ bookworm main'
deb822='Types: deb-src deb
URIs: http://proxy.lan:3142/debian
Suites: trixie trixie-updates
Components: main'
check "a local mirror in a one-line list, not the security archive before it" \
    test "$(archive_from sources.list "$one_line")" = http://mirror.lan/debian
check "a proxy in a deb822 file" test "$(archive_from parts/a.sources "$deb822")" = http://proxy.lan:3142/debian
check "Debian's own archive where apt names none" \
    test "$(archive_from sources.list '')" = http://deb.debian.org/debian
check "DYADORA_MIRROR chooses another" test "$(DYADORA_MIRROR=http://a.lan/d/ debian_archive)" = http://a.lan/d

# Two installs started side by side, with apt-get, dpkg-query and sudo stood in for: the stand-in
# apt-get fails when another one runs at the same time, and the first call of all stays inside
# until it is let go, so that the second install is started while the first is in apt.
fake=$(mktemp -d)
trap 'remove_root "$DYADORA_CACHE_DIR"; rm -rf "$apt_dir" "$fake"' EXIT
mkdir "$fake/bin"
printf '#!/bin/sh\nexit 1\n' >"$fake/bin/dpkg-query" # nothing is installed
printf '#!/bin/sh\nexec "$@"\n' >"$fake/bin/sudo"
cat >"$fake/bin/apt-get" <<'END'
#!/bin/bash
state=$(dirname "$0")/..
mkdir "$state/inside" 2>/dev/null || { echo "$*" >>"$state/overlap"; exit 100; }
echo "$INSTALLER ${*: -1}" >>"$state/calls"
if mkdir "$state/first" 2>/dev/null; then
    for _ in $(seq 300); do [ -e "$state/release" ] && break; sleep 0.1; done
fi
rmdir "$state/inside"
END
chmod +x "$fake/bin/"*
install() { # install NAME PACKAGE: ensure_packages with the stand-ins, in the background
    (PATH=$fake/bin:$PATH INSTALLER=$1 DYADORA_APT_LOCK=$fake/lock ensure_packages "$2" >/dev/null) &
}
# waits_for_turn STATE PID: fails, saying so, once the second install has met the first in apt-get;
# succeeds once a process below PID is held in flock.
waits_for_turn() {
    [ -e "$1/overlap" ] && echo "it ran apt-get beside the first: $(cat "$1/overlap")" && return 1
    local pids=" $2 " pid ppid comm
    while read -r pid ppid comm; do
        [[ $pids == *" $ppid "* ]] || continue
        pids+="$pid "
        [ "$comm" = flock ] && return 0
    done < <(ps -e -o pid=,ppid=,comm= --sort=start_time)
    return 1
}
install first hello
first=$!
await "the first install is inside apt-get" test -d "$fake/inside"
install second cowsay
second=$!
await "the second install waits for its turn" waits_for_turn "$fake" "$second"
touch "$fake/release"
check "the first install succeeds" wait "$first"
check "and the second too" wait "$second"
check "apt-get never ran twice at once" test ! -e "$fake/overlap"
check "the second install's update and install came after the first's" \
    test "$(tr '\n' ' ' <"$fake/calls")" = "first update first hello second update second cowsay "

[ "$(id -u)" -eq 0 ] || skip "mounting into a root needs root"
mkdir -p "$root"/{proc,sys,dev}
mount_root "$root" 2>/dev/null || skip "no mounts allowed here"
check "five file systems are mounted in the root" test "$(mounts_under "$root" | wc -l)" -eq 5
check "its /proc shows processes" test -d "$root/proc/self"
check "its /dev/shm is its own" test "$(stat -c %d "$root/dev/shm")" != "$(stat -c %d /dev/shm)"
remove_root "$root"
check "the root is gone" test ! -e "$root"
check "with nothing left mounted" test -z "$(mounts_under "$DYADORA_CACHE_DIR")"
check "and the machine's /dev and /sys intact" test -c /dev/null -a -d /dev/pts -a -d /sys/kernel
