#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The help window in Xvfb under openbox: opened by a real click, centred, the main window kept
# alive and inert while it is open, closed by Esc, and the board taking clicks again.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
game=$1
out=${2:-.}
mkdir -p "$out"

export DYADORA_SCREEN=1280x1024x24
start_game "$game"
click_client "$MAIN_WINDOW" 60 20 # start a round, so that the board can be checked afterwards
covered=$(region_sum "$MAIN_WINDOW" 10 42 100 80)

click_client "$MAIN_WINDOW" 740 20 # the help button
help=$(find_window '^Βοήθεια στις λαβυρίδες$') || fail "no help window"
check "the help window is titled 'Βοήθεια στις λαβυρίδες'" \
    test "$(xdotool getwindowname "$help")" = "Βοήθεια στις λαβυρίδες"
wait_for_frame "$help" || fail "the help window was never framed"
read -r cx cy cw ch <<<"$(geometry "$help")"
check "the help window's client area is 546 x 396" test "$cw x $ch" = "546 x 396"
check_centred "the help window" "$help"
sleep 0.3
/usr/bin/import -window "$(frame_of "$help")" "$out/help-window.png"

# Neither resizing nor maximising changes the help window, whatever boxes the manager draws.
xdotool windowsize "$help" 800 600
wmctrl -i -r "$help" -b add,maximized_vert,maximized_horz
sleep 0.5
read -r cx cy cw ch <<<"$(geometry "$help")"
check "the help window keeps its size ($cw x $ch)" test "$cw x $ch" = "546 x 396"

# The main window takes no click while help is open.
click_client "$MAIN_WINDOW" $((8 + 60)) $((40 + 45))
check "a card does not turn while help is open" \
    test "$(region_sum "$MAIN_WINDOW" 10 42 100 80)" = "$covered"

# A close through the window manager is refused while help is open.
wmctrl -i -c "$MAIN_WINDOW"
sleep 0.5
check "the game is still running" kill -0 "$GAME_PID"
check "the main window is still shown" is_viewable "$MAIN_WINDOW"
check "the help window is still shown" is_viewable "$help"

xdotool windowactivate --sync "$help" key Escape
sleep 0.3
check "Esc closes the help window" test -z "$(xdotool search --name '^Βοήθεια στις λαβυρίδες$')"

click_client "$MAIN_WINDOW" $((8 + 60)) $((40 + 45))
check "the board takes clicks again" test "$(region_sum "$MAIN_WINDOW" 10 42 100 80)" != "$covered"

# Closing the main window through the window manager now ends the game.
wmctrl -i -c "$MAIN_WINDOW"
check "closing the main window ends the game" process_ends "$GAME_PID" 3
