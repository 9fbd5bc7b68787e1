#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game under the window manager named by DYADORA_WM, whatever frame it draws: the client area
# at the design size, both windows centred by their frames as drawn, every control inside the
# window, the help window never lost behind the main window, and the size kept over a maximise
# and restore. Every position is read from outside the program.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
game=$1
out=${2:-.}
mkdir -p "$out"
wm=${DYADORA_WM:-openbox}

export DYADORA_SCREEN=1280x1024x24
start_game "$game"
help_title='^Βοήθεια στις λαβυρίδες$'
echo "window manager: $wm, frame (left, right, top, bottom): $(frame_extents "$MAIN_WINDOW")"

client_size() { geometry "$1" | awk '{print $3 " x " $4}'; }

check "the client area is the design's 776 x 454" test "$(client_size "$MAIN_WINDOW")" = "776 x 454"
check_centred "the main window" "$MAIN_WINDOW"
/usr/bin/import -window "$(frame_of "$MAIN_WINDOW")" "$out/desktop-$wm.png"

# The bottom buttons end 5 pixels above the client area's lower edge: the rows below them show
# nothing but the window's background, and a click near their lower edge reaches them.
check "the bottom buttons are drawn" test "$(region_colours "$MAIN_WINDOW" 432 424 344 25)" -gt 2
check "nothing is cut off at the lower edge" test "$(region_colours "$MAIN_WINDOW" 0 450 776 4)" -eq 1
click_client "$MAIN_WINDOW" 60 20 # the start button
covered=$(region_sum "$MAIN_WINDOW" 10 42 100 80)
click_client "$MAIN_WINDOW" 600 446 # the end-and-reveal button, 3 pixels above its lower edge
check "the end-and-reveal button takes a click at its lower edge" \
    test "$(region_sum "$MAIN_WINDOW" 10 42 100 80)" != "$covered"

# The help window: centred by its own frame, and brought back on top with the focus whenever the
# main window is clicked while it is open.
click_client "$MAIN_WINDOW" 740 20 # the help button
help=$(find_window "$help_title") || fail "no help window"
wait_for_frame "$help" || fail "the help window was never framed"
check_centred "the help window" "$help"
top_of_stack() { xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}'; }
active() { xprop -root _NET_ACTIVE_WINDOW | awk '{sub(",", "", $5); print $5}'; }
for spot in "100 100" "400 20" "700 440"; do
    click_client "$MAIN_WINDOW" $spot
    sleep 0.3
    check "after a click on the main window at $spot the help window is shown" is_viewable "$help"
    check "... on top of the stacking order" test "$((16#$(top_of_stack | sed 's/0x//')))" -eq "$((help))"
    if [ -z "${DYADORA_UNDER_WINE:-}" ]; then
        check "... with the focus" test "$(($(active)))" -eq "$((help))"
    else
        # Under Wine the window manager's active window does not follow the game's activation of
        # the help window (seen with openbox): reported, not checked.
        echo "under Wine, the window manager's active window: $(active) (help: $help)"
    fi
done
xdotool key Escape
sleep 0.3
check "Esc closes the help window" test -z "$(xdotool search --name "$help_title")"
# The focus is back on the help button, so the space bar opens the help window again.
xdotool key space
help=$(find_window "$help_title") || fail "the focus did not come back to the help button"
check "the focus came back to the help button" is_viewable "$help"
xdotool key Escape
sleep 0.3
click_client "$MAIN_WINDOW" 60 20 # a new round: the board takes clicks again
click_client "$MAIN_WINDOW" 68 85
check "the board takes clicks again" test "$(region_sum "$MAIN_WINDOW" 10 42 100 80)" != "$covered"

# Maximised, the board spreads and the buttons follow the edges of the client area; restored, the
# window has its size back.
maximise() { wmctrl -i -r "$MAIN_WINDOW" -b "$1,maximized_vert,maximized_horz" && sleep 0.8; }
maximise add
read -r mx my mw mh <<<"$(geometry "$MAIN_WINDOW")"
echo "maximised client area: $mw x $mh"
check "maximised, the window is larger" test "$mw" -gt 776 -a "$mh" -gt 454
check "maximised, nothing is cut off at the lower edge" \
    test "$(region_colours "$MAIN_WINDOW" 0 $((mh - 4)) "$mw" 4)" -eq 1
check "maximised, the exit button stands at the lower right corner" \
    test "$(region_colours "$MAIN_WINDOW" $((mw - 72)) $((mh - 30)) 65 25)" -gt 2
click_client "$MAIN_WINDOW" $((mw - 64 + 20)) 20 # the help button at the right edge
check "maximised, the help button stands at the right edge" \
    test -n "$(xdotool search --onlyvisible --name "$help_title")"
xdotool key Escape
sleep 0.3
maximise remove
check "restored, the client area is 776 x 454 again" test "$(client_size "$MAIN_WINDOW")" = "776 x 454"
maximise add
maximise remove
check "restored twice, it is still 776 x 454" test "$(client_size "$MAIN_WINDOW")" = "776 x 454"

# The exit button, 3 pixels above its lower edge, ends the game.
click_client "$MAIN_WINDOW" 740 446
check "the exit button ends the game" process_ends "$GAME_PID" 3
