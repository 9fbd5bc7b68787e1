#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game (installing what it needs) and starts it. Without any display, it runs the game
# in a virtual X server, saves a screenshot of its window and says where.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"
build_preset release Dyadora
game="$DYADORA_ROOT/build/release/app/Dyadora"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$game"
fi

echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set): starting the game in a"
echo "virtual X server with a window manager, to take a screenshot of its window."
ensure_packages "${X_PACKAGES[@]}"
trap stop_virtual_display EXIT
start_virtual_display
"$game" &
game_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Λαβυρίδες$' | head -n 1)
sleep 0.5
shot="${TMPDIR:-/tmp}/dyadora-screenshot.png"
# The window with its frame: the window manager's frame is the window's top-level parent.
frame=$(xwininfo -id "$window" -children | awk '/Parent window id/ {print $4}')
[ "$frame" = "$(xwininfo -root | awk '/Window id/ {print $4}')" ] && frame=$window
/usr/bin/import -window "$frame" "$shot"
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
echo "The game ran; a screenshot of its window is at: $shot"
