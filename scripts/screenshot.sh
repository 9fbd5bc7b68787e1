#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates docs/screenshot.png: a round in progress, in a virtual X server under openbox.
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/e2e_lib.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}"
build_preset release Dyadora
export DYADORA_SCREEN=1024x768x24
start_game "$DYADORA_ROOT/build/release/app/Dyadora"

click_client "$MAIN_WINDOW" 60 20 # start a round
for slot in 0 7 14 21 3; do # two turns and the first card of a third
    click_client "$MAIN_WINDOW" $((8 + 128 * (slot % 6) + 60)) $((40 + 96 * (slot / 6) + 45))
done
xdotool mousemove --window "$MAIN_WINDOW" 700 470 # keep the pointer off the board
sleep 0.3
mkdir -p "$DYADORA_ROOT/docs"
/usr/bin/import -window "$(frame_of "$MAIN_WINDOW")" "$DYADORA_ROOT/docs/screenshot.png"
echo "saved docs/screenshot.png"
