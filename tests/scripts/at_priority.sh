#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The priority of the continuous integration's background steps: with the kernel's autogroups on,
# scripts/at-priority.sh gives its nice to the command's session and to each session that the
# command's processes start (as sbuild starts each build), and passes on the command's status.
set -uo pipefail
source "$(dirname "$0")/../pkg/pkg_lib.sh"
[ "$(cat /proc/sys/kernel/sched_autogroup_enabled 2>/dev/null)" = 1 ] ||
    skip "the kernel's autogroups are off"
need setsid util-linux
need ps procps

# session_at_nice_7: what /proc/self/autogroup says ("/autogroup-N nice V") once this session's
# nice is 7, or after 30 s.
session_at_nice_7() {
    local deadline=$((SECONDS + 30))
    until grep -q ' nice 7$' /proc/self/autogroup || [ "$SECONDS" -ge "$deadline" ]; do
        sleep 0.1
    done
    cat /proc/self/autogroup
}
export -f session_at_nice_7
# In a session of its own, so that the session this test runs in keeps its priority.
# shellcheck disable=SC2016 # expanded by the shells started below
out=$(setsid -w "$(dirname "$0")/../../scripts/at-priority.sh" 7 bash -c '
    setsid -w bash -c "echo started: \$(session_at_nice_7)" &
    echo "own: $(session_at_nice_7)"
    wait $!
    exit 3' 2>&1)
status=$?
own=$(sed -n 's/^own: //p' <<<"$out")
started=$(sed -n 's/^started: //p' <<<"$out")
check "the command's status is passed on ($status)" test "$status" = 3
check "the command's session is at nice 7 ($own)" test "${own#* }" = "nice 7"
check "so is another session that it starts ($started)" \
    test "${started#* }" = "nice 7" -a "${started%% *}" != "${own%% *}"
