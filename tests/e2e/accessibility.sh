#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real game with the real AT-SPI stack: a virtual X server, a D-Bus session bus, the AT-SPI
# bus and registry, and a pyatspi client (accessibility.py) that plays it as a screen reader
# would. Skipped (exit 77) where that stack is missing or cannot start.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
game=$1
here=$(cd "$(dirname "$0")" && pwd)

skip() {
    echo "SKIP: $*"
    exit 77
}

if [ -z "${DYADORA_IN_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || skip "no dbus-run-session (Debian package dbus-daemon)"
    [ -x /usr/libexec/at-spi-bus-launcher ] || skip "no AT-SPI bus launcher (Debian package at-spi2-core)"
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "no pyatspi (Debian package python3-pyatspi)"
    trap stop_virtual_display EXIT
    start_virtual_display || fail "no virtual display"
    # The session bus and the AT-SPI bus get the display, and a runtime directory of their own for
    # the AT-SPI bus's socket.
    runtime=$(mktemp -d)
    DYADORA_IN_SESSION=1 XDG_RUNTIME_DIR=$runtime dbus-run-session -- bash "$0" "$@"
    status=$?
    rm -rf "$runtime"
    exit $status
fi

# Inside the session: start the AT-SPI bus first, so that the game finds it at start-up.
address=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>&1) \
    || skip "the AT-SPI bus does not start: $address"
launcher=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus | awk '/uint32/ {print $2}')
# The launcher outlives the session bus: end it (and with it the AT-SPI bus) when done.
trap 'kill "${GAME_PID:-}" "$launcher" 2>/dev/null' EXIT

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$game" &
GAME_PID=$!
MAIN_WINDOW=$(find_window '^Λαβυρίδες$') || fail "no window titled Λαβυρίδες"
wait_for_frame "$MAIN_WINDOW"

timeout 300 /usr/bin/python3 "$here/accessibility.py" || fail "the AT-SPI client's checks"
check "the exit button pressed through AT-SPI ends the game" process_ends "$GAME_PID" 3
wait "$GAME_PID"
# In the sanitizer build a leak or an error found at that exit makes the status a failure.
check "the game ended cleanly" test $? -eq 0
