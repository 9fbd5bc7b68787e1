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
card0="10 42 100 80" # the inside of the first card slot
empty=$(settled_sum "$MAIN_WINDOW" $card0) || fail "the empty board never settled: $empty"
click_client "$MAIN_WINDOW" 60 20 # the start button
await "the start button deals" shows_other_than "$empty" "$MAIN_WINDOW" $card0
covered=$(region_sum "$MAIN_WINDOW" $card0)
click_client "$MAIN_WINDOW" 600 446 # the end-and-reveal button, 3 pixels above its lower edge
await "the end-and-reveal button takes a click at its lower edge" \
    shows_other_than "$covered" "$MAIN_WINDOW" $card0

# The help window: centred by its own frame, and brought back on top with the focus whenever the
# main window is clicked while it is open.
click_client "$MAIN_WINDOW" 740 20 # the help button
help=$(find_window "$help_title") || fail "no help window"
wait_for_frame "$help" || fail "the help window was never framed"
check_centred "the help window" "$help"
top_of_stack() { xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}'; }
active() { xprop -root _NET_ACTIVE_WINDOW | awk '{sub(",", "", $5); print $5}'; }
# help_in_front: a probe: the help window is shown, on top of the stacking order and, but under
# Wine, active.
help_in_front() {
    echo "help shown: $(is_viewable "$help" && echo yes || echo no), top: $(top_of_stack)," \
        "active: $(active) (help: $(printf '0x%x' "$help"))"
    is_viewable "$help" && [ "$(($(top_of_stack)))" -eq "$((help))" ] &&
        { [ -n "${DYADORA_UNDER_WINE:-}" ] || [ "$(($(active)))" -eq "$((help))" ]; }
}
for spot in "100 100" "400 20" "700 440"; do
    click_client "$MAIN_WINDOW" $spot
    # A click on the main window may raise it for a moment: the help window must come back and stay.
    await_steady "after a click on the main window at $spot the help window is shown on top$(
        [ -n "${DYADORA_UNDER_WINE:-}" ] || echo ", with the focus")" help_in_front
    if [ -n "${DYADORA_UNDER_WINE:-}" ]; then
        # Under Wine the window manager's active window does not follow the game's activation of
        # the help window (seen with openbox): reported, not checked.
        echo "under Wine, the window manager's active window: $(active) (help: $(printf '0x%x' "$help"))"
    fi
done
xdotool key Escape
await "Esc closes the help window" no_window "$help_title"
main_active() {
    active
    [ "$(($(active)))" -eq "$((MAIN_WINDOW))" ]
}
await "the main window is active again" main_active
# The focus is back on the help button, so the space bar opens the help window again.
xdotool key space
help=$(find_window "$help_title") || fail "the focus did not come back to the help button"
check "the focus came back to the help button" is_viewable "$help"
xdotool key Escape
await "Esc closes the help window again" no_window "$help_title"
click_client "$MAIN_WINDOW" 60 20 # a new round: the board takes clicks again
await "a new round covers the cards again" shows "$covered" "$MAIN_WINDOW" $card0
click_client "$MAIN_WINDOW" 68 85
await "the board takes clicks again" shows_other_than "$covered" "$MAIN_WINDOW" $card0

# Maximised, the board spreads and the buttons follow the edges of the client area; restored, the
# window has its size back.
maximise() { wmctrl -i -r "$MAIN_WINDOW" -b "$1,maximized_vert,maximized_horz"; }
larger() {
    local w h
    read -r _ _ w h <<<"$(geometry "$MAIN_WINDOW")"
    echo "$w x $h"
    [ "$w" -gt 776 ] && [ "$h" -gt 454 ]
}
maximise add
await_steady "maximised, the window is larger" larger
read -r mx my mw mh <<<"$(geometry "$MAIN_WINDOW")"
echo "maximised client area: $mw x $mh"
exit_button_drawn() {
    local colours
    colours=$(region_colours "$MAIN_WINDOW" $((mw - 72)) $((mh - 30)) 65 25)
    echo "$colours colours"
    [ "$colours" -gt 2 ] && settled_sum "$MAIN_WINDOW" 0 0 "$mw" "$mh" >/dev/null
}
await "maximised, the exit button stands at the lower right corner" exit_button_drawn
check "maximised, nothing is cut off at the lower edge" \
    test "$(region_colours "$MAIN_WINDOW" 0 $((mh - 4)) "$mw" 4)" -eq 1
click_client "$MAIN_WINDOW" $((mw - 64 + 20)) 20 # the help button at the right edge
help=$(find_window "$help_title") || fail "maximised, the help button does not stand at the right edge"
check "maximised, the help button stands at the right edge" is_viewable "$help"
xdotool key Escape
await "Esc closes the help window once more" no_window "$help_title"
maximise remove
await_steady "restored, the client area is 776 x 454 again" client_size_is "$MAIN_WINDOW" "776 x 454"
maximise add
await_steady "maximised again" larger
maximise remove
if [ -n "${DYADORA_UNDER_WINE:-}" ] && ! poll "$E2E_DEADLINE" client_size_is "$MAIN_WINDOW" "776 x 454" >/dev/null; then
    # Wine now and then drops a restore that comes soon after a maximise, and its window stays at
    # about the maximised size: the player restores again, and so does the test.
    echo "under Wine, restoring once more"
    maximise remove
fi
await_steady "restored twice, it is still 776 x 454" client_size_is "$MAIN_WINDOW" "776 x 454"

# The exit button, 3 pixels above its lower edge, ends the game.
click_client "$MAIN_WINDOW" 740 446
check "the exit button ends the game" process_ends "$GAME_PID" 3
