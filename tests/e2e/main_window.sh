#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real game in Xvfb under openbox: centred, played with real clicks, never smaller than its
# design size, and ended at once by Esc.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
game=$1
out=${2:-.}
mkdir -p "$out"

export DYADORA_SCREEN=1280x1024x24
start_game "$game"
read -r cx cy cw ch <<<"$(geometry "$MAIN_WINDOW")"
check "the client area is the design's 776 x 454 pixels" test "$cw x $ch" = "776 x 454"
check_centred "the main window" "$MAIN_WINDOW"

slot() { # slot I: the client-area pixel at the middle of card slot I at the design size
    echo $((8 + 128 * ($1 % 6) + 60)) $((40 + 96 * ($1 / 6) + 45))
}
card() { # card I: the inside of card slot I at the design size, as x y width height
    echo $((10 + 128 * ($1 % 6))) $((42 + 96 * ($1 / 6))) 100 80
}
empty=$(settled_sum "$MAIN_WINDOW" $(card 0)) || fail "the empty board never settled: $empty"
click_client "$MAIN_WINDOW" $(slot 0)
holds "an empty slot takes no click before the first round" shows "$empty" "$MAIN_WINDOW" $(card 0)

# dealt EMPTY: a probe: the first and the last slots show the same cover, not the empty slot.
dealt() {
    local first last
    first=$(settled_sum "$MAIN_WINDOW" $(card 0)) && last=$(settled_sum "$MAIN_WINDOW" $(card 23))
    echo "first slot $first, last slot $last"
    [ "$first" != "$1" ] && [ "$first" = "$last" ]
}
click_client "$MAIN_WINDOW" 60 20 # the start button
await "the start button covers every slot with the same cover" dealt "$empty"
covered=$(region_sum "$MAIN_WINDOW" $(card 0))

click_client "$MAIN_WINDOW" $(slot 0)
await "a click turns the card" shows_other_than "$covered" "$MAIN_WINDOW" $(card 0)
first=$(region_sum "$MAIN_WINDOW" $(card 0))
click_client "$MAIN_WINDOW" $(slot 0)
click_client "$MAIN_WINDOW" $(slot 1)
await "the second card of the turn is turned" shows_other_than "$covered" "$MAIN_WINDOW" $(card 1)
# The clicks are taken in order: the second click on the first card came before the second card.
check "a face-up card takes no second click" test "$(region_sum "$MAIN_WINDOW" $(card 0))" = "$first"
/usr/bin/import -window "$(frame_of "$MAIN_WINDOW")" "$out/main-window-round.png"

# Minimising and restoring never ends the game nor changes its size.
xdotool windowminimize --sync "$MAIN_WINDOW"
check "the game lives on while minimised" kill -0 "$GAME_PID"
wmctrl -i -a "$MAIN_WINDOW"
await "the window is shown again after restoring" is_viewable "$MAIN_WINDOW"
await "the restored window has its size back" client_size_is "$MAIN_WINDOW" "776 x 454"

# Dragging it smaller is refused, and a smaller size asked for is taken back.
xdotool windowsize "$MAIN_WINDOW" 400 300
# at_least_design_size: a probe: the client area is no smaller than the design's.
at_least_design_size() {
    local w h
    read -r _ _ w h <<<"$(geometry "$MAIN_WINDOW")"
    echo "$w x $h"
    [ "$w" -ge 776 ] && [ "$h" -ge 454 ]
}
if [ -n "${DYADORA_UNDER_WINE:-}" ]; then
    # Wine tells the window manager the size limits of fixed-size windows only: the X window takes
    # any size from outside, while the Windows window (and the game) keeps its minimum size, which
    # on Windows the system itself holds (WM_GETMINMAXINFO).
    smaller() { ! at_least_design_size; }
    echo "not checked under Wine: a smaller size from outside ($(poll 3 smaller) on the X server)"
else
    holds "cannot be made smaller than the design size" at_least_design_size
fi
# A burst of sizes, some below the minimum, then the final one: the layout must end with the
# positions of the final size, whatever stale sizes the window manager echoes on the way.
sizes=("900 600" "500 300" "1100 800" "700 400" "950 650" "300 200")
if [ -n "${DYADORA_UNDER_WINE:-}" ]; then
    # Wine takes a size below the minimum back by resizing the X window itself, later, and that
    # can come after the final size asked for (Windows holds the minimum before any size takes
    # effect): under Wine the burst keeps to sizes the window may have.
    sizes=("900 600" "1100 800" "950 650")
fi
for size in "${sizes[@]}"; do
    # shellcheck disable=SC2086 # width and height
    xdotool windowsize "$MAIN_WINDOW" $size
done
xdotool windowsize "$MAIN_WINDOW" 1000 700
await "can be made larger, to the last size asked for" client_size_is "$MAIN_WINDOW" "1000 x 700"
w=1000 h=700
# The end-and-reveal button keeps its distance from the bottom-right corner of the client area
# (344 and 30 pixels): a click there shows every card.
# Slot 23 moved by 11/12 of the extra width and 7/8 of the extra height.
last_card="$((8 + 128 * 5 + 2 + (w - 776) * 11 / 12)) $((40 + 96 * 3 + 2 + (h - 454) * 7 / 8)) 100 80"
await "the last slot moved with the size, still covered" shows "$covered" "$MAIN_WINDOW" $last_card
click_client "$MAIN_WINDOW" $((w - 344 + 130)) $((h - 30 + 12))
await "the end-and-reveal button followed the corner and showed the cards" \
    shows_other_than "$covered" "$MAIN_WINDOW" $last_card
/usr/bin/import -window "$(frame_of "$MAIN_WINDOW")" "$out/main-window-revealed.png"

xdotool windowactivate --sync "$MAIN_WINDOW" key Escape
check "Esc ends the game at once" process_ends "$GAME_PID" 2
wait "$GAME_PID"
check "... with exit status 0" test $? -eq 0
