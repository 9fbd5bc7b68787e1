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
help=$(find_window '^Βοήθεια στις λαβυρίδες') || fail "no help window"
# Qt adds the application's display name to the title of a window whose own title does not end
# with it: that is the title (_NET_WM_NAME) that the window manager shows.
help_title='Βοήθεια στις λαβυρίδες — Λαβυρίδες'
check "the help window is titled '$help_title'" \
    test "$(xdotool getwindowname "$help")" = "$help_title"
wait_for_frame "$help"
read -r x y w h <<<"$(geometry "$(frame_of "$help")")"
echo "help frame: $w x $h at $x, $y"
read -r cx cy cw ch <<<"$(geometry "$help")"
check "the help window's client area is 546 x 396" test "$cw x $ch" = "546 x 396"
# Centred by its outer size as known before it was framed (the design frame), so within the
# difference between that frame and the window manager's.
check "centred horizontally" within "$x" $(((1280 - w) / 2)) 3
check "centred vertically" within "$y" $(((1024 - h) / 2)) 3
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
check "Esc closes the help window" test -z "$(xdotool search --name '^Βοήθεια στις λαβυρίδες')"

click_client "$MAIN_WINDOW" $((8 + 60)) $((40 + 45))
check "the board takes clicks again" test "$(region_sum "$MAIN_WINDOW" 10 42 100 80)" != "$covered"

# Closing the main window through the window manager now ends the game.
wmctrl -i -c "$MAIN_WINDOW"
check "closing the main window ends the game" process_ends "$GAME_PID" 3
