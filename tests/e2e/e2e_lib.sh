# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for the end-to-end tests: the real game in Xvfb under a window manager, driven with
# xdotool.
# shellcheck shell=bash

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# How long a check waits for what it checks, and how long a check that something stays as it is
# watches it, in seconds.
E2E_DEADLINE=${DYADORA_E2E_DEADLINE:-10}
E2E_WATCH=${DYADORA_E2E_WATCH:-1}

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

# poll SECONDS PROBE...: runs PROBE, a command that prints what it sees and succeeds once that is
# what is waited for, again and again until it succeeds or the time is up; prints what it printed
# last, and succeeds as the probe did.
poll() {
    local seen status deadline=$(($(now_ms) + $1 * 1000))
    shift
    while :; do
        seen=$("$@" 2>&1) && status=0 || status=1
        [ $status -eq 0 ] || [ "$(now_ms)" -ge "$deadline" ] && break
        sleep 0.05
    done
    echo "$seen"
    return $status
}

# await WHAT PROBE...: polls PROBE for up to $E2E_DEADLINE s; fails with what it saw last.
await() {
    local what=$1 seen
    shift
    seen=$(poll "$E2E_DEADLINE" "$@") || fail "$what (after $E2E_DEADLINE s it saw: ${seen:-nothing})"
    echo "ok: $what"
}

# await_steady WHAT PROBE...: as await, but PROBE must succeed on every run over $E2E_WATCH s in
# a row (for a state that an action must bring back after passing through others).
await_steady() {
    local what=$1 seen since="" now deadline=$(($(now_ms) + E2E_DEADLINE * 1000))
    shift
    while :; do
        now=$(now_ms)
        if seen=$("$@" 2>&1); then
            since=${since:-$now}
            [ $((now - since)) -ge $((E2E_WATCH * 1000)) ] && break
        else
            since=""
        fi
        [ -n "$since" ] || [ "$now" -lt "$deadline" ] ||
            fail "$what (after $E2E_DEADLINE s it saw: ${seen:-nothing})"
        sleep 0.05
    done
    echo "ok: $what"
}

# holds WHAT PROBE...: PROBE succeeds on every run over $E2E_WATCH s (for what an action must not
# change); fails at the first run that it does not, with what it printed.
holds() {
    local what=$1 seen end=$(($(now_ms) + E2E_WATCH * 1000))
    shift
    while :; do
        seen=$("$@" 2>&1) || fail "$what (it saw: ${seen:-nothing})"
        [ "$(now_ms)" -lt "$end" ] || break
        sleep 0.05
    done
    echo "ok: $what"
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
    # Wine's session of an earlier test (its services end some seconds after its program) still
    # holds that test's screen: a program started into it is drawn only within that screen's size.
    # The game starts a session of its own, on this test's screen.
    if [ -n "${DYADORA_UNDER_WINE:-}" ]; then
        timeout 60 wineserver -w || wineserver -k
    fi
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

# click_client WINDOW X Y: a real left click at pixel X, Y of the window's client area. It returns
# at once: what the click does is for the caller to await.
click_client() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# region WINDOW X Y W H OUTPUT...: that part of the client area as the screen shows it, written by
# ImageMagick's import as OUTPUT.
region() {
    local wx wy rest
    read -r wx wy rest <<<"$(geometry "$1")"
    /usr/bin/import -window root -crop "$4x$5+$((wx + $2))+$((wy + $3))" "${@:6}" 2>/dev/null
}

# region_sum WINDOW X Y W H: a checksum of what the screen shows in that part of the client area.
region_sum() { region "$@" rgb:- | md5sum | cut -c1-16; }

# settled_sum WINDOW X Y W H: the checksum of that part of the client area, printed when two reads
# in a row agree (the painting is over); fails, printing both, while it still changes.
settled_sum() {
    local first second
    first=$(region_sum "$@")
    second=$(region_sum "$@")
    echo "$second"
    [ "$first" = "$second" ] || { echo "(still changing: was $first)"; return 1; }
}

# shows SUM WINDOW X Y W H: a probe for await: that part of the client area, settled, is SUM.
shows() {
    local sum settled=0
    sum=$(settled_sum "${@:2}") || settled=1
    echo "$sum"
    [ $settled -eq 0 ] && [ "$sum" = "$1" ]
}

# shows_other_than SUM WINDOW X Y W H: a probe for await: that part, settled, is not SUM.
shows_other_than() {
    local sum settled=0
    sum=$(settled_sum "${@:2}") || settled=1
    echo "$sum"
    [ $settled -eq 0 ] && [ "$sum" != "$1" ]
}

# region_colours WINDOW X Y W H: how many colours that part of the client area shows.
region_colours() { region "$@" -format '%k' info:-; }

# check_centred NAME WINDOW: the window's frame as drawn stands centred on the 1280 x 1024
# screen within 4 pixels.
# Under Wine the game sees, and centres, the frame of Windows that Wine keeps for the window (in
# Wine 8's default theme 4 pixels around and a title bar of 23 for a window that can be resized, 3
# and 22 for one that cannot, which Wine tells the window manager by equal minimum and maximum
# sizes; Wine 10's title bar is 11 pixels taller), not the window manager's frame that replaces it
# on the screen: there that frame is checked.
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
        if [ "$(wine --version | sed -n 's/^wine-\([0-9]*\).*/\1/p')" -ge 10 ]; then
            title=$((title + 11))
        fi
        read -r x y w h <<<"$(geometry "$2")"
        x=$((x - border)) y=$((y - title)) w=$((w + 2 * border)) h=$((h + title + border))
        frame="frame under Wine"
    fi
    check "$1 is centred horizontally by its $frame ($w x $h at $x, $y)" \
        within $((2 * x + w)) 1280 8
    check "$1 is centred vertically by its $frame" within $((2 * y + h)) 1024 8
}

# client_size_is WINDOW "W x H": a probe: the window's client area has that size.
client_size_is() {
    local size
    size=$(geometry "$1" | awk '{print $3 " x " $4}')
    echo "$size"
    [ "$size" = "$2" ]
}

# no_window TITLE_REGEX: a probe: no window with such a title is left (a search that ends with an
# X error, having met a window as it was destroyed, proves nothing).
no_window() {
    local found
    found=$(xdotool search --name "$1" 2>&1)
    echo "${found:+windows $found}"
    [ -z "$found" ]
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
