#!/usr/bin/env bash
# at-priority.sh NICE COMMAND...: runs the command at the priority NICE (0 to 19), it and every
# process it starts, also those in sessions of their own.
#
# With the kernel's autogroups on, Linux shares the CPU between sessions first, and a process's
# nice counts only against the processes of its own session: between sessions, what counts is
# the session's nice, in /proc/PID/autogroup, which a new session starts at 0 (sbuild, for one,
# runs each build in a session of its own). So, while the command runs, every session among its
# processes is given NICE too, checked every few seconds. Lowering a session's nice below 0
# takes root; raising it does not.
set -euo pipefail
nice=$1
shift

nice -n "$nice" "$@" &
top=$!
if [ "$(cat /proc/sys/kernel/sched_autogroup_enabled 2>/dev/null)" = 1 ]; then
    (
        while kill -0 "$top" 2>/dev/null; do
            # The command's processes: those whose line of parents leads to it.
            for pid in "$top" $(ps -e -o pid=,ppid= | awk -v top="$top" '
                { parent[$1] = $2 }
                END {
                    for (pid in parent) {
                        up = pid
                        while (up in parent && up != top) up = parent[up]
                        if (up == top && pid != top) print pid
                    }
                }'); do
                # /proc/PID/autogroup reads "/autogroup-N nice V".
                read -r _ _ current 2>/dev/null <"/proc/$pid/autogroup" || continue
                [ "$current" = "$nice" ] || echo "$nice" 2>/dev/null >"/proc/$pid/autogroup" || true
            done
            sleep 5
        done
    ) &
    watcher=$!
fi
status=0
wait "$top" || status=$?
[ -z "${watcher:-}" ] || kill "$watcher" 2>/dev/null || true
exit "$status"
