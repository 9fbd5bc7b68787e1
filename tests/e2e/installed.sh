#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program (not the build tree's) in Xvfb under openbox: its window found by the
# Greek title, with the WM_CLASS that the installed desktop entry names, and taking part in
# startup notification as the entry's StartupNotify promises.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
prefix=$1
games_dir=$2
out=${3:-.}
mkdir -p "$out"
program="$prefix/$games_dir/Dyadora"
entry="$prefix/share/applications/org.dyadora.Dyadora.desktop"
[ -f "$entry" ] || fail "no installed desktop entry at $entry"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
startup_notify=$(sed -n 's/^StartupNotify=//p' "$entry")

trap 'kill "${GAME_PID:-}" "${SPY_PID:-}" 2>/dev/null; stop_virtual_display' EXIT
start_virtual_display || fail "no virtual display"
# Startup notification messages go to the root window: listen there before the program starts,
# and know that the listener is ready once it has seen a property change of our own.
xev -root -event property >"$out/root-events" 2>&1 &
SPY_PID=$!
for _ in $(seq 100); do
    xprop -root -f _DYADORA_E2E 8s -set _DYADORA_E2E ready
    grep -q _DYADORA_E2E "$out/root-events" && break
    sleep 0.05
done

# A launcher that does startup notification hands the program its id in DESKTOP_STARTUP_ID.
DESKTOP_STARTUP_ID="dyadora-e2e-$$_TIME0" "$program" &
GAME_PID=$!
MAIN_WINDOW=$(find_window '^Λαβυρίδες$') || fail "no window titled Λαβυρίδες"
wait_for_frame "$MAIN_WINDOW"
check "the window belongs to the installed program" \
    test "$(readlink -f "/proc/$GAME_PID/exe")" = "$(readlink -f "$program")"
read -r instance class <<<"$(xprop -id "$MAIN_WINDOW" WM_CLASS |
    sed -n 's/^WM_CLASS(STRING) = "\(.*\)", "\(.*\)"$/\1 \2/p')"
echo "WM_CLASS: $instance, $class; StartupWMClass: $wm_class"
check "the window's WM_CLASS class is the entry's StartupWMClass" test "$class" = "$wm_class"
check "StartupNotify is true in the entry" test "$startup_notify" = true
check "and the program ends the launch feedback with a startup notification message" \
    grep -q _NET_STARTUP_INFO_BEGIN "$out/root-events"

xdotool windowactivate --sync "$MAIN_WINDOW" key Escape
check "Esc ends the installed program" process_ends "$GAME_PID" 2
