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
# A first start may be slow (fonts being cached): wait for the window as long as the game runs.
window=""
for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name '^Λαβυρίδες$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || { echo "The game ended before its window showed." >&2; exit 1; }
    sleep 0.1
done
[ -n "$window" ] || { echo "The game's window did not show within a minute." >&2; exit 1; }
wait_for_frame "$window" || echo "(the window manager did not report a frame; taking the picture anyway)"
sleep 0.3 # the first paint after the last move
shot=$(mktemp "${TMPDIR:-/tmp}/dyadora-XXXXXX.png")
/usr/bin/import -window "$(frame_of "$window")" "$shot"
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
echo "The game ran; a screenshot of its window is at: $shot"
