#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the real program under a virtual X server with openbox: the time from launch until
# the main window is mapped and visible, and the process's peak resident memory at that point.
# Usage: bench/startup.sh [PROGRAM] [RUNS]   (default: build/release/app/Dyadora, 10 runs)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

program=${1:-$DYADORA_ROOT/build/release/app/Dyadora}
runs=${2:-10}
[ -x "$program" ] || { echo "no program at $program: build it first (scripts/test.sh)" >&2; exit 1; }
ensure_packages "${X_PACKAGES[@]}"

trap stop_virtual_display EXIT
start_virtual_display

times=()
memories=()
for run in $(seq "$runs"); do
    start=$(date +%s%N)
    "$program" 2>/dev/null &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" --name '^Λαβυρίδες$' >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed" >&2; exit 1; }
        sleep 0.005
    done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    memories+=("$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done

sorted() { printf '%s\n' "$@" | sort -n; }
median() { sorted "$@" | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
echo "runs: $runs"
echo "window visible after (ms): median $(median "${times[@]}"), min $(sorted "${times[@]}" | head -n 1), max $(sorted "${times[@]}" | tail -n 1)"
echo "peak resident memory (KiB): median $(median "${memories[@]}")"
