#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's test command, ./scripts/test.sh, in a Debian root (made or reused by
# debian-root.sh) on a copy of this clone's files, with the kernel's file systems mounted inside
# the root for the virtual displays, window managers and the AT-SPI stack of the tests, and
# unmounted again however the run ends. Fails when a test fails.
# The copy is kept in the root's /root/dyadora with its build folder, so a second run builds only
# what changed. Usage (as root): scripts/test-in-root.sh [SUITE]   (default: trixie, Debian 13)
set -euo pipefail
source "$(dirname "$0")/root_lib.sh"

suite=${1:-trixie}
# One run at a time: another waits until this one has unmounted everything.
mkdir -p "$DYADORA_ROOTS_DIR"
exec 9>"$DYADORA_ROOTS_DIR/.lock"
flock 9
root=$("$DYADORA_ROOT/scripts/debian-root.sh" "$suite")
copy="$root/root/dyadora"

# The clone's files as git sees them (tracked, and new ones not ignored), the build folder aside.
mkdir -p "$copy"
find "$copy" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
copy_clone_files "$copy"

trap 'unmount_root "$root"' EXIT
mount_root "$root"
started=$(date +%s)
status=0
in_root "$root" nice bash -c 'cd /root/dyadora && ./scripts/test.sh' || status=$?
echo "The tests in the Debian $suite root took $(($(date +%s) - started)) s (exit status $status)."
exit "$status"
