#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the real program against an empty Qt Widgets window (one push button, built the
# same way), under a virtual X server with openbox: the time from launch until the first window
# is mapped and painted, timed from outside by first_frame, and the peak resident memory then.
# The two are started alternately, PAIRS times each, so that both see the same machine.
# Usage: bench/startup.sh [BUILD DIRECTORY] [PAIRS]   (default: build/release, 20 pairs)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

build=${1:-$DYADORA_ROOT/build/release}
pairs=${2:-20}
game=$build/app/Dyadora
empty=$build/bench/empty_window
timer=$build/bench/first_frame
for program in "$game" "$empty" "$timer"; do
    [ -x "$program" ] || { echo "no $program: build it first (scripts/test.sh)" >&2; exit 1; }
done
ensure_packages "${X_PACKAGES[@]}"

trap stop_virtual_display EXIT
start_virtual_display
"$timer" "$empty" >/dev/null 2>&1 # a first start warms the caches of both
"$timer" "$game" >/dev/null 2>&1

game_times=() game_memories=() empty_times=() empty_memories=()
for pair in $(seq "$pairs"); do
    # Alternate which goes first, so that neither always follows the other.
    if [ $((pair % 2)) -eq 0 ]; then order="game empty"; else order="empty game"; fi
    for which in $order; do
        if [ "$which" = game ]; then
            read -r time memory < <("$timer" "$game" 2>/dev/null)
            game_times+=("$time") game_memories+=("$memory")
        else
            read -r time memory < <("$timer" "$empty" 2>/dev/null)
            empty_times+=("$time") empty_memories+=("$memory")
        fi
    done
done

median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
range() { printf '%s\n' "$@" | sort -n | awk 'NR == 1 {min = $1} {max = $1} END {print min " to " max}'; }
gt=$(median "${game_times[@]}")
et=$(median "${empty_times[@]}")
# Each pair ran back to back, on the same machine state: the median of the pairs' ratios is the
# steadier comparison on a machine whose speed drifts.
ratios=()
for i in "${!game_times[@]}"; do
    ratios+=("$(awk "BEGIN {printf \"%.4f\", ${game_times[$i]} / ${empty_times[$i]}}")")
done
gm=$(median "${game_memories[@]}")
em=$(median "${empty_memories[@]}")
echo "pairs: $pairs"
echo "first painted window after (ms, median): game $(awk "BEGIN {printf \"%.1f\", $gt / 1000}")," \
    "empty window $(awk "BEGIN {printf \"%.1f\", $et / 1000}"); ratio of the medians" \
    "$(awk "BEGIN {printf \"%.3f\", $gt / $et}"), median of the pairs' ratios $(median "${ratios[@]}")"
echo "  ranges (us): game $(range "${game_times[@]}"), empty window $(range "${empty_times[@]}")"
echo "peak resident memory (KiB, median): game $gm, empty window $em; difference $((gm - em))"
