#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real game in Xvfb under openbox played with the keyboard alone: a whole round won with
# Enter, Shift+Tab, the arrows, Home, End and Space (keyboard.py), then help opened and closed
# with keys, and Esc.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
game=$1
out=${2:-.}
mkdir -p "$out"

export DYADORA_SCREEN=1280x1024x24
start_game "$game"
xdotool windowactivate --sync "$MAIN_WINDOW"
/usr/bin/python3 "$(dirname "$0")/keyboard.py" "$MAIN_WINDOW" "$out/keyboard-play.png" \
    || fail "the round played with the keyboard"

xdotool key Tab Return # from the start button to the help button, and press it
help=$(find_window '^Βοήθεια στις λαβυρίδες$') || fail "Enter on the help button opens no help window"
check "the help window is open" is_viewable "$help"
xdotool windowactivate --sync "$help" key Escape
await "Esc closes the help window" no_window '^Βοήθεια στις λαβυρίδες$'

xdotool windowactivate --sync "$MAIN_WINDOW" key Escape
check "Esc ends the game" process_ends "$GAME_PID" 2
