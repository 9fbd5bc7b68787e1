#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows game under Wine in Xvfb and openbox, read and played through UI Automation
# (uia.py with the uia_client.exe client) with real keys and clicks. The fixme messages of Wine's
# uiautomation debug channel are on for the game: they name each notification the game raised.
# Usage: uia.sh GAME OUT CLIENT_COMMAND...
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
game=$1
out=${2:-.}
shift 2
mkdir -p "$out"

export DYADORA_SCREEN=1280x1024x24
WINEDEBUG=-all,fixme+uiautomation start_game "$game"
xdotool windowactivate --sync "$MAIN_WINDOW"
status=0
WINEDEBUG=-all /usr/bin/python3 "$(dirname "$0")/uia.py" "$@" -- "$GAME_ERRORS" || status=$?
xdotool windowactivate --sync "$MAIN_WINDOW" key Escape
process_ends "$GAME_PID" 10
# The channel's messages went to the game's error output: it is kept in OUT, and the rest shown.
cp "$GAME_ERRORS" "$out/uia-game.log"
grep -v ':uiautomation:' "$out/uia-game.log" >"$GAME_ERRORS"
[ "$status" -eq 0 ] || fail "the game as UI Automation presents it (its log: $out/uia-game.log)"
check "Esc ends the game" process_ends "$GAME_PID" 1

# Where Windows has no UiaRaiseNotificationEvent (before Windows 10 1709), Qt finds none to call.
# Here Wine's UI Automation is switched off altogether: the game must deal and turn cards, each
# move announced into the void, and play on.
WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}uiautomationcore=" "$game" 2>>"$GAME_ERRORS" &
GAME_PID=$!
MAIN_WINDOW=$(find_window '^Λαβυρίδες$') || fail "without UI Automation the game shows no window"
wait_for_frame "$MAIN_WINDOW" || fail "without UI Automation the main window was never framed"
board=$(await "the board is painted" settled_sum "$MAIN_WINDOW" 0 0 776 454)
xdotool windowactivate --sync "$MAIN_WINDOW" key Return shift+Tab space Right space
await "without UI Automation a round is dealt and two cards turned" \
    shows_other_than "$board" "$MAIN_WINDOW" 0 0 776 454
holds "the game plays on" kill -0 "$GAME_PID"
xdotool windowactivate --sync "$MAIN_WINDOW" key Escape
check "Esc ends it" process_ends "$GAME_PID" 10
