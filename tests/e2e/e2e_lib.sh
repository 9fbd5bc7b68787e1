# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for the end-to-end tests: the real game in Xvfb under a window manager, driven with
# xdotool.
# shellcheck shell=bash

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        fail "$what"
    fi
}

# start_game PROGRAM: starts X, the window manager and the game; sets GAME_PID and MAIN_WINDOW.
# What the game writes to its standard error is shown when the test ends; a sanitizer's report
# in it (the sanitizer build checks every exit of the game for leaks) fails the test.
start_game() {
    GAME_ERRORS=$(mktemp)
    trap end_game EXIT
    start_virtual_display || fail "no virtual display"
    "$1" 2>"$GAME_ERRORS" &
    GAME_PID=$!
    MAIN_WINDOW=$(find_window '^Λαβυρίδες$')
    if [ -z "$MAIN_WINDOW" ]; then
        describe_missing_window
        fail "no window titled Λαβυρίδες"
    fi
    wait_for_frame "$MAIN_WINDOW" || fail "the main window was never framed"
}

# describe_missing_window: what there is to see when the game's window never showed, for the
# test's log: whether the game still runs and where it waits, and the windows on the display.
describe_missing_window() {
    echo "on $DISPLAY the game $(kill -0 "$GAME_PID" 2>/dev/null && echo "runs, waiting in" \
        "$(cat "/proc/$GAME_PID/wchan" 2>/dev/null)" || echo "has ended")" >&2
    xwininfo -root -tree 2>&1 | head -20 >&2
}

end_game() {
    local status=$?
    kill "${GAME_PID:-}" 2>/dev/null
    stop_virtual_display
    cat "$GAME_ERRORS" >&2
    if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$GAME_ERRORS"; then
        echo "FAIL: the game's sanitizers reported an error (above)" >&2
        status=1
    fi
    rm -f "$GAME_ERRORS"
    exit "$status"
}

# click_client WINDOW X Y: a real left click at pixel X, Y of the window's client area.
click_client() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.2
}

# region WINDOW X Y W H OUTPUT...: that part of the client area as the screen shows it, written by
# ImageMagick's import as OUTPUT.
region() {
    local wx wy rest
    read -r wx wy rest <<<"$(geometry "$1")"
    /usr/bin/import -window root -crop "$4x$5+$((wx + $2))+$((wy + $3))" "${@:6}" 2>/dev/null
}

# region_sum WINDOW X Y W H: a checksum of what the screen shows in that part of the client area.
region_sum() { region "$@" rgb:- | md5sum; }

# region_colours WINDOW X Y W H: how many colours that part of the client area shows.
region_colours() { region "$@" -format '%k' info:-; }

# check_centred NAME WINDOW: the window's frame as drawn stands centred on the 1280 x 1024
# screen within 4 pixels.
# Under Wine the game sees, and centres, the frame of Windows that Wine keeps for the window (in
# its default theme 4 pixels around and a title bar of 23 for a window that can be resized, 3 and
# 22 for one that cannot, which Wine tells the window manager by equal minimum and maximum sizes),
# not the window manager's frame that replaces it on the screen: there that frame is checked.
check_centred() {
    local x y w h frame="frame as drawn"
    read -r x y w h <<<"$(outer_geometry "$2")"
    if [ -n "${DYADORA_UNDER_WINE:-}" ]; then
        local border=4 title=23 hints
        hints=$(xprop -id "$2" WM_NORMAL_HINTS)
        local minimum
        minimum=$(sed -n 's/.*minimum size: //p' <<<"$hints")
        if [ -n "$minimum" ] && [ "$minimum" = "$(sed -n 's/.*maximum size: //p' <<<"$hints")" ]; then
            border=3 title=22
        fi
        read -r x y w h <<<"$(geometry "$2")"
        x=$((x - border)) y=$((y - title)) w=$((w + 2 * border)) h=$((h + title + border))
        frame="frame under Wine"
    fi
    check "$1 is centred horizontally by its $frame ($w x $h at $x, $y)" \
        within $((2 * x + w)) 1280 8
    check "$1 is centred vertically by its $frame" within $((2 * y + h)) 1024 8
}

# is_viewable WINDOW: whether the window is mapped and shown.
is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# process_ends PID SECONDS: whether the process ends within that time.
process_ends() {
    local i
    for i in $(seq $(($2 * 20))); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.05
    done
    return 1
}

within() { # within A B TOLERANCE
    local d=$(($1 - $2))
    [ "${d#-}" -le "$3" ]
}
