#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates docs/screenshot.png: a round in progress, in a virtual X server under openbox.
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/e2e_lib.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}"
build_preset release Dyadora
export DYADORA_SCREEN=1024x768x24
start_game "$DYADORA_ROOT/build/release/app/Dyadora"

# Play a few turns as a player with a perfect memory would, recognising a photo by what the
# screen shows, and stop with the last turn's two cards face up.
slot_x() { echo $((8 + 128 * ($1 % 6))); }
slot_y() { echo $((40 + 96 * ($1 / 6))); }
inside() { echo $(($(slot_x "$1") + 2)) $(($(slot_y "$1") + 2)) 110 80; }
face() { region_sum "$MAIN_WINDOW" $(inside "$1"); }
turn() {
    click_client "$MAIN_WINDOW" $(($(slot_x "$1") + 60)) $(($(slot_y "$1") + 45))
    await "card $1 turns" shows_other_than "$cover" "$MAIN_WINDOW" $(inside "$1") >/dev/null
}

empty=$(face 0)
click_client "$MAIN_WINDOW" 60 20 # start a round
await "a round is dealt" shows_other_than "$empty" "$MAIN_WINDOW" $(inside 0) >/dev/null
cover=$(face 0)
declare -A seen=() found=()
next=0
for _ in 1 2 3 4 5 6 7; do
    while [ -n "${seen[$next]:-}" ] || [ -n "${found[$next]:-}" ]; do next=$((next + 1)); done
    first=$next
    turn "$first"
    seen[$first]=$(face "$first")
    second=""
    for slot in "${!seen[@]}"; do
        if [ "$slot" != "$first" ] && [ -z "${found[$slot]:-}" ] \
            && [ "${seen[$slot]}" = "${seen[$first]}" ]; then
            second=$slot
        fi
    done
    if [ -z "$second" ]; then
        second=$((first + 1))
        while [ -n "${seen[$second]:-}" ] || [ -n "${found[$second]:-}" ]; do
            second=$((second + 1))
        done
    fi
    turn "$second"
    seen[$second]=$(face "$second")
    if [ "${seen[$second]}" = "${seen[$first]}" ]; then
        found[$first]=1
        found[$second]=1
    fi
done
xdotool mousemove --window "$MAIN_WINDOW" 700 470 # keep the pointer off the board
await "the window is painted" settled_sum "$MAIN_WINDOW" 0 0 776 454 >/dev/null
mkdir -p "$DYADORA_ROOT/docs"
/usr/bin/import -window "$(frame_of "$MAIN_WINDOW")" "$DYADORA_ROOT/docs/screenshot.png"
echo "saved docs/screenshot.png"
