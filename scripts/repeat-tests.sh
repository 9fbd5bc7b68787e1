#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the end-to-end and package tests again and again on a loaded machine, to find the checks
# that fail by chance: N runs in a row (20 unless told) of the Linux build's, of the Windows
# build's under Wine (each run in a Wine prefix of its own), or of both, with two busy processes
# beside them the whole time. Prints, for each test that failed, how often, and keeps the output
# of every failed run. Not part of the continuous integration: it takes about an hour.
#
#   scripts/repeat-tests.sh [-n N] [linux|windows|both]
#
# The builds must exist: ./scripts/test.sh makes the Linux one, ./scripts/test-windows.sh the
# Windows one. The Windows runs go on in the Debian 13 root, beside the Linux runs.
set -euo pipefail
source "$(dirname "$0")/common.sh"

runs=20
if [ "${1:-}" = -n ]; then
    runs=$2
    shift 2
fi
which=${1:-both}
case "$which" in
linux) presets=(release) ;;
windows) presets=(windows) ;;
both) presets=(release windows) ;;
*)
    echo "usage: $0 [-n N] [linux|windows|both]" >&2
    exit 2
    ;;
esac
cd "$DYADORA_ROOT"
for preset in "${presets[@]}"; do
    [ -f "build/$preset/CTestTestfile.cmake" ] || {
        echo "no build in build/$preset: run ./scripts/test.sh or ./scripts/test-windows.sh first" >&2
        exit 1
    }
done
windows_lane=""
if [[ " ${presets[*]} " == *" windows "* ]]; then
    if [ "$DEBIAN_CODENAME" != trixie ]; then
        # The Windows build and Wine 10 are the Debian 13 root's: its runs go on there.
        source "$DYADORA_ROOT/scripts/root_lib.sh"
        if [ "$which" = windows ]; then
            with_clone_in_root trixie ./scripts/repeat-tests.sh -n "$runs" windows
            exit
        fi
        with_clone_in_root trixie ./scripts/repeat-tests.sh -n "$runs" windows &
        windows_lane=$!
        presets=(release)
    else
        DYADORA_WINDOWS_KIT=$("$DYADORA_ROOT/scripts/windows-kit.sh")
        export DYADORA_WINDOWS_KIT
    fi
fi

logs=$(mktemp -d "${TMPDIR:-/tmp}/dyadora-repeat-XXXXXX")
busy=()
trap 'kill "${busy[@]}" ${loops[@]+"${loops[@]}"} 2>/dev/null || true' EXIT
for _ in 1 2; do
    sha256sum /dev/zero &
    busy+=($!)
done

# repeat PRESET FIRST STEP: the runs FIRST, FIRST + STEP, ... of one build's tests, each run as the
# continuous integration runs them; each failed test's name goes to $logs/PRESET.failed, once per
# failure.
repeat() {
    local preset=$1 parallel run started log status failed summary
    trap end_wine_prefix EXIT
    parallel=$(nproc)
    [ "$preset" = windows ] && parallel=1 # the Windows tests share one Wine server
    for run in $(seq "$2" "$3" "$runs"); do
        started=$(date +%s)
        [ "$preset" = windows ] && fresh_wine_prefix
        log="$logs/$preset-$run.log"
        status=0
        ctest --preset "$preset" --tests-regex '^(e2e|pkg)\.' --parallel "$parallel" >"$log" 2>&1 ||
            status=$?
        [ "$preset" = windows ] && end_wine_prefix
        failed=$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*)$/\1/p' "$log")
        summary=$(grep -E '^[0-9]+% tests passed' "$log" || echo "no summary (exit status $status)")
        echo "$preset run $run: $summary, $(($(date +%s) - started)) s${failed:+; failed: $(echo $failed)}"
        if [ "$status" -eq 0 ]; then
            rm -f "$log"
        else
            printf '%s\n' ${failed:-"(ctest itself)"} >>"$logs/$preset.failed"
        fi
    done
}

# The builds' runs side by side, each loading the machine for the other too. The Windows tests run
# one at a time in a run, so two runs go side by side, each with a Wine prefix of its own.
loops=()
for preset in "${presets[@]}"; do
    lanes=1
    [ "$preset" = windows ] && lanes=2
    for lane in $(seq "$lanes"); do
        repeat "$preset" "$lane" "$lanes" &
        loops+=($!)
    done
done
wait "${loops[@]}" || true
windows_status=0
[ -z "$windows_lane" ] || wait "$windows_lane" || windows_status=$?

echo
echo "Failures in $runs runs of each, with two busy processes beside them:"
if ! ls "$logs"/*.failed >/dev/null 2>&1; then
    echo "  none"
    rm -rf "$logs"
    exit "$windows_status"
else
    for preset in "${presets[@]}"; do
        [ -f "$logs/$preset.failed" ] && sort "$logs/$preset.failed" | uniq -c |
            awk -v p="$preset" '{print "  " p " " $2 ": " $1}'
    done
    echo "The output of the failed runs is in $logs"
    exit 1
fi
