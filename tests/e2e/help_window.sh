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
card0="10 42 100 80" card1="138 42 100 80" # the insides of the first two card slots
empty=$(settled_sum "$MAIN_WINDOW" $card0) || fail "the empty board never settled: $empty"
click_client "$MAIN_WINDOW" 60 20 # start a round, so that the board can be checked afterwards
await "the start button deals" shows_other_than "$empty" "$MAIN_WINDOW" $card0
covered=$(region_sum "$MAIN_WINDOW" $card0)

click_client "$MAIN_WINDOW" 740 20 # the help button
help=$(find_window '^Βοήθεια στις λαβυρίδες$') || fail "no help window"
check "the help window is titled 'Βοήθεια στις λαβυρίδες'" \
    test "$(xdotool getwindowname "$help")" = "Βοήθεια στις λαβυρίδες"
wait_for_frame "$help" || fail "the help window was never framed"
read -r cx cy cw ch <<<"$(geometry "$help")"
check "the help window's client area is 546 x 396" test "$cw x $ch" = "546 x 396"
check_centred "the help window" "$help"
painted() { settled_sum "$help" 0 0 546 396 >/dev/null && [ "$(region_colours "$help" 0 0 546 396)" -gt 2 ]; }
await "the help window is painted" painted
/usr/bin/import -window "$(frame_of "$help")" "$out/help-window.png"

# Neither resizing nor maximising changes the help window, whatever boxes the manager draws.
xdotool windowsize "$help" 800 600
wmctrl -i -r "$help" -b add,maximized_vert,maximized_horz
holds "the help window keeps its size" client_size_is "$help" "546 x 396"

# The main window takes no click while help is open (seen once help is closed again).
click_client "$MAIN_WINDOW" $((8 + 60)) $((40 + 45))

# A close through the window manager is refused while help is open.
wmctrl -i -c "$MAIN_WINDOW"
everything_shown() {
    kill -0 "$GAME_PID" 2>/dev/null || { echo "the game has ended"; return 1; }
    is_viewable "$MAIN_WINDOW" || { echo "the main window is not shown"; return 1; }
    is_viewable "$help" || { echo "the help window is not shown"; return 1; }
}
holds "the game is still running, with the main and the help window shown" everything_shown

xdotool windowactivate --sync "$help" key Escape
await "Esc closes the help window" no_window '^Βοήθεια στις λαβυρίδες$'

# The window manager may hand the main window back its input a moment after help has gone, so the
# click on the second card is repeated until it turns (a face-up card ignores further clicks).
click_turns_card1() {
    click_client "$MAIN_WINDOW" $((8 + 128 + 60)) $((40 + 45))
    shows_other_than "$covered" "$MAIN_WINDOW" $card1
}
await "the board takes clicks again" click_turns_card1
# The clicks are taken in order: the one on the first card while help was open came before.
check "a card did not turn while help was open" \
    test "$(region_sum "$MAIN_WINDOW" $card0)" = "$covered"

# Closing the main window through the window manager now ends the game.
wmctrl -i -c "$MAIN_WINDOW"
check "closing the main window ends the game" process_ends "$GAME_PID" 3
