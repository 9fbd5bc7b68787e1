#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's figures: the stripped program beside an empty Qt window linked with the same
# kit (one push button, bench/empty_window.cpp), the two downloads, and start-up under Wine 10 in
# Xvfb with openbox: from exec until the first window is mapped and painted (first_frame, timed
# from outside), the game and the empty window started alternately PAIRS times each, with Wine's
# own services already running. Runs in the Debian 13 root where the Windows build lives.
# Usage: bench/windows-figures.sh [PAIRS]   (default: 20; after ./scripts/test-windows.sh)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

on_debian_13 ./bench/windows-figures.sh "$@"
pairs=${1:-20}
build=$DYADORA_ROOT/build/windows
game=$build/Dyadora.exe
empty=$build/empty_window.exe
for program in "$game" "$empty"; do
    [ -f "$program" ] || { echo "no $program: run ./scripts/test-windows.sh first" >&2; exit 1; }
done
ensure_packages g++ libxcb1-dev binutils-mingw-w64-x86-64 wine wine64 "${X_PACKAGES[@]}" >&2

work=$(mktemp -d)
trap 'end_wine_prefix; stop_virtual_display; rm -rf "$work"' EXIT
mib() { awk "BEGIN {printf \"%.2f MiB\", $(stat -c %s "$1") / 1048576}"; }
mb() { awk "BEGIN {printf \"%.2f MB\", $(stat -c %s "$1") / 1000000}"; }
x86_64-w64-mingw32-strip -o "$work/Dyadora.exe" "$game"
x86_64-w64-mingw32-strip -o "$work/empty_window.exe" "$empty"
echo "stripped Dyadora.exe: $(mb "$work/Dyadora.exe"); empty window: $(mb "$work/empty_window.exe")"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/downloads" >/dev/null)
for download in "$work"/downloads/Dyadora-*-win64.zip "$work"/downloads/Dyadora-*-win64-setup.exe; do
    echo "$(basename "$download"): $(mib "$download")"
done

g++ -O2 -std=c++20 "$DYADORA_ROOT/bench/first_frame.cpp" -lxcb -o "$work/first_frame"
start_virtual_display
fresh_wine_prefix
wineserver -p # kept running between the starts, as on a desktop where Wine is already up
# The window colour of Wine 10's default theme, which Qt's Windows styles paint first.
export FIRST_FRAME_BACKGROUND=${FIRST_FRAME_BACKGROUND:-f5f5f5}
wine=$(command -v wine)
start() { "$work/first_frame" "$wine" "$1"; }
start "$work/empty_window.exe" >/dev/null # a first start of each warms Wine and the caches
start "$work/Dyadora.exe" >/dev/null

game_times=() empty_times=() ratios=()
for pair in $(seq "$pairs"); do
    if [ $((pair % 2)) -eq 0 ]; then order="game empty"; else order="empty game"; fi
    for which in $order; do
        if [ "$which" = game ]; then
            read -r time _ < <(start "$work/Dyadora.exe")
            game_times+=("$time")
        else
            read -r time _ < <(start "$work/empty_window.exe")
            empty_times+=("$time")
        fi
    done
    ratios+=("$(awk "BEGIN {printf \"%.4f\", ${game_times[-1]} / ${empty_times[-1]}}")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
gt=$(median "${game_times[@]}")
et=$(median "${empty_times[@]}")
echo "start-up under Wine, $pairs pairs (ms, median): game $(awk "BEGIN {printf \"%.1f\", $gt / 1000}")," \
    "empty window $(awk "BEGIN {printf \"%.1f\", $et / 1000}"); ratio of the medians" \
    "$(awk "BEGIN {printf \"%.3f\", $gt / $et}"), median of the pairs' ratios $(median "${ratios[@]}")"
