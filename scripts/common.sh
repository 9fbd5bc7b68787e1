# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts: installing Debian packages when missing, and configuring and building.
# shellcheck shell=bash

DYADORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# A script that stops at a failed command (set -e) says which script, line and command it was,
# in a function of its own or of this file too.
if [[ $- == *e* ]]; then
    set -E
    trap 'dyadora_failed_status=$?; echo "FAILED: ${BASH_SOURCE[0]#"$DYADORA_ROOT"/}, line $LINENO: ${BASH_COMMAND%%$'"'"'\n'"'"'*} (status $dyadora_failed_status)" >&2' ERR
fi

# Packages to build the game and to show its Greek text.
BUILD_PACKAGES=(cmake g++ make qt6-base-dev fonts-liberation)
# A virtual X server with a window manager, for machines without a display and for the
# end-to-end tests (xauth is needed by xvfb-run and not pulled in by xvfb).
X_PACKAGES=(xvfb xauth openbox xdotool wmctrl x11-utils imagemagick)
# The window managers of two more desktops, whose frames are thicker than the game's design frame
# (xfwm4 keeps its settings behind D-Bus).
WM_PACKAGES=(metacity xfwm4 xfconf dbus)
# Packages to check the installed files and to make and check the Debian package (dpkg-dev
# computes its dependencies, man-db renders the manual page).
PACKAGING_PACKAGES=(desktop-file-utils appstream man-db dpkg-dev lintian)
# The end-to-end tests' Python (the keyboard player) and the accessibility test's stack: a D-Bus
# session bus, the AT-SPI bus and registry, and the pyatspi client.
A11Y_PACKAGES=(python3 dbus-daemon at-spi2-core python3-pyatspi)
# Everything that ./scripts/test.sh needs: the Debian root of the continuous integration is made
# with this list too.
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libbenchmark-dev "${X_PACKAGES[@]}" "${WM_PACKAGES[@]}"
    "${PACKAGING_PACKAGES[@]}" "${A11Y_PACKAGES[@]}")
# The Debian packages built from debian/ with sbuild in clean chroots of Debian 12 and 13, and
# checked with lintian, blhc and autopkgtest (scripts/check-debian.sh): on this machine only, not
# in the Debian 13 root (whose lintian is that of PACKAGING_PACKAGES).
DEBIAN_CHECK_PACKAGES=(sbuild mmdebstrap autopkgtest uidmap lintian blhc dpkg-dev xz-utils)
# The static Qt kits' toolchains (MinGW-w64, emscripten) and Qt's host tools of the kits' version.
KIT_PACKAGES=(dpkg-dev patch cmake ninja-build g++-mingw-w64-x86-64-posix emscripten qt6-base-dev
    qt6-base-dev-tools)
# The Windows build's tests and downloads: Wine 10, NSIS for the installer.
WINDOWS_TEST_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 nsis unzip python3)
# The page played by a test in Node.js in chromium (over its DevTools protocol), Firefox ESR (over
# WebDriver BiDi) and WebKit: WebKitGTK's MiniBrowser (in libwebkit2gtk-4.1-0) under Xvfb, over
# W3C WebDriver.
WEB_TEST_PACKAGES=(chromium nodejs npm ca-certificates python3 firefox-esr webkitgtk-webdriver
    xvfb xauth)
# The Debian 13 root holds all of these from the start, so that the steps that run in it side by
# side never install anything.
ROOT_PACKAGES=("${TEST_PACKAGES[@]}" "${KIT_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}"
    "${WEB_TEST_PACKAGES[@]}")
# The Debian release this machine runs: bookworm, trixie, ...
DEBIAN_CODENAME=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
# The sanitizers' runtime for the release's default clang: Debian 12 has clang 14, Debian 13
# clang 19 (the clang 14 runtime is gone there).
case "$DEBIAN_CODENAME" in
bookworm) CLANG_RUNTIME_PACKAGE=libclang-rt-14-dev ;;
*) CLANG_RUNTIME_PACKAGE=libclang-rt-19-dev ;;
esac

# on_debian_13 COMMAND...: returns on Debian 13; on another release runs COMMAND (the calling
# script again) in the Debian 13 root, with this clone mounted in it, and exits with its status.
on_debian_13() {
    [ "$DEBIAN_CODENAME" = trixie ] && return 0
    source "$DYADORA_ROOT/scripts/root_lib.sh"
    with_clone_in_root trixie "$@"
    exit
}

# copy_clone_files DEST: this clone's files as git sees them (tracked, and new ones not ignored;
# those deleted from the working tree aside) copied into DEST, which exists.
copy_clone_files() {
    git -C "$DYADORA_ROOT" ls-files -z --cached --others --exclude-standard |
        (cd "$DYADORA_ROOT" && xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh) |
        tar -C "$DYADORA_ROOT" --null -T - -cf - | tar -C "$1" -xf -
}

# debian_archive: the address of Debian's archive as this machine's apt reaches it (a local
# mirror or proxy included): the first of its binary sources for a Debian release's main suite
# (not its -security, -updates or -backports), as apt itself reads its sources, one-line or
# deb822. Debian's own address where apt names none. DYADORA_MIRROR, when set, is taken as it is.
debian_archive() {
    local archive=${DYADORA_MIRROR:-}
    if [ -z "$archive" ] && command -v apt-get >/dev/null; then
        # Where apt has read the archives' Release files, their label tells Debian's from others;
        # before its first update, the sources alone tell.
        archive=$(apt-get indextargets --format '$(TARGET_OF)|$(LABEL)|$(RELEASE)|$(REPO_URI)' \
            2>/dev/null | awk -F'|' '$1 == "deb" && $2 == "Debian" && $3 !~ /-/ {print $4; exit}')
        [ -n "$archive" ] || archive=$(apt-get indextargets --no-release-info \
            --format '$(TARGET_OF)|$(RELEASE)|$(REPO_URI)' 2>/dev/null |
            awk -F'|' '$1 == "deb" && $2 !~ /-/ {print $3; exit}')
    fi
    archive=${archive:-http://deb.debian.org/debian}
    echo "${archive%/}"
}

# ensure_packages PACKAGE...: installs those not installed yet, as root or through sudo, in turn
# with every other install (with_apt_lock).
ensure_packages() {
    [ -n "$(missing_packages "$@")" ] || return 0
    with_apt_lock install_missing "$@"
}

install_missing() {
    local missing sudo=()
    read -ra missing <<<"$(missing_packages "$@")" # again: another install may have brought them
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    # dpkg's own lock still guards against installs by anything else on the machine.
    "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 update || return
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y \
        --no-install-recommends "${missing[@]}"
}

# with_apt_lock COMMAND...: runs the command holding this machine's (or root's) lock of apt, which
# every use of apt by the scripts takes. Scripts running side by side (the kits built in the
# background while tests install their tools) take turns: apt's lists and package cache are
# written by `update`, `install` and `source` without dpkg's lock, and two at once can corrupt
# them. DYADORA_APT_LOCK names another lock file.
with_apt_lock() {
    local lock=${DYADORA_APT_LOCK:-}
    if [ -z "$lock" ]; then
        lock=/var/lib/apt/dyadora-install.lock
        [ "$(id -u)" -eq 0 ] || lock=${TMPDIR:-/tmp}/dyadora-apt-install.lock
    fi
    (
        flock 8 || exit
        "$@"
    ) 8>>"$lock"
}

# missing_packages PACKAGE...: prints those of the packages that are not installed, on one line.
missing_packages() {
    local package missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    echo "${missing[*]}"
}

# fresh_wine_prefix: a Wine prefix made afresh in a temporary folder, exported as WINEPREFIX, with
# no Mono or Gecko to offer and no menu entries of the host's desktop for Windows' shortcuts;
# end_wine_prefix stops its Wine server and removes it.
fresh_wine_prefix() {
    DYADORA_WINE_DIR=$(mktemp -d)
    export WINEPREFIX=$DYADORA_WINE_DIR/wine WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    wineboot --init >/dev/null 2>&1
    wineserver -w
}

end_wine_prefix() {
    [ -n "${DYADORA_WINE_DIR:-}" ] || return 0
    { wineserver -k; wineserver -w; } 2>/dev/null || true
    rm -rf "$DYADORA_WINE_DIR"
    DYADORA_WINE_DIR=""
}

# build_preset NAME [TARGET...]: configures once and builds in build/NAME. A build configured with
# a kit that has since been made again (its folder, named by its key, is another) is configured
# afresh.
build_preset() {
    local preset=$1 cache toolchain
    shift
    cd "$DYADORA_ROOT" || return 1
    cache="build/$preset/CMakeCache.txt"
    toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$cache" 2>/dev/null || true)
    if [ -n "$toolchain" ] && [ ! -f "$toolchain" ]; then
        cmake --preset "$preset" --fresh || return 1
    elif [ ! -f "$cache" ]; then
        cmake --preset "$preset" || return 1
    fi
    local targets=()
    local target
    for target in "$@"; do
        targets+=(--target "$target")
    done
    cmake --build --preset "$preset" --parallel "$(nproc)" "${targets[@]}"
}

# start_virtual_display: starts Xvfb on a free display with a window manager and exports DISPLAY.
# DYADORA_WM chooses the window manager: openbox (the default), openbox-large-title (openbox with
# a title bar thicker than the game's design frame), metacity or xfwm4. Sets DYADORA_XVFB_PID and
# DYADORA_WM_PID; stop_virtual_display ends both.
start_virtual_display() {
    local attempt
    # Under load a server or a window manager may fail to come up; try afresh a few times.
    for attempt in 1 2 3; do
        start_virtual_display_once && return 0
        stop_virtual_display
    done
    echo "no virtual display with a window manager could be started" >&2
    return 1
}

start_virtual_display_once() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${DYADORA_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo" 2>/dev/null &
    DYADORA_XVFB_PID=$!
    local number=""
    read -r -t 20 number <"$fifo"
    rm -f "$fifo"
    [ -n "$number" ] || return 1
    export DISPLAY=":$number"
    # The window manager runs in a process group of its own, so that stopping it stops whatever
    # it started too; it is kept from starting an accessibility bus of its own.
    local wm=()
    case "${DYADORA_WM:-openbox}" in
    openbox) wm=(openbox) ;;
    openbox-large-title) wm=(openbox --config-file "$DYADORA_ROOT/tests/e2e/openbox-large-title.xml") ;;
    metacity) wm=(metacity --replace) ;;
    # xfwm4 reads its settings over D-Bus: a session bus of its own.
    xfwm4) wm=(dbus-run-session -- xfwm4 --replace) ;;
    *)
        echo "unknown window manager: $DYADORA_WM" >&2
        return 1
        ;;
    esac
    NO_AT_BRIDGE=1 setsid "${wm[@]}" >/dev/null 2>&1 &
    DYADORA_WM_PID=$!
    # The window manager is ready once it has claimed the screen and reads what it is sent.
    local tries
    for tries in $(seq 200); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            window_manager_answers && return 0
            break
        fi
        kill -0 "$DYADORA_XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "the window manager did not start on $DISPLAY" >&2
    return 1
}

# window_manager_answers: whether the window manager handles requests, asked to show the desktop
# and then to stop showing it, again and again until it has done both (5 s at most). openbox may
# leave its start-up with events in a queue of its own that it reads only when the next event
# comes: a window asking to be shown meanwhile waits until something else happens on the display.
# A request it has answered shows that its queue has been read.
window_manager_answers() {
    local request tries
    for request in on=1 off=0; do # wmctrl's word = the property's value once done
        for tries in $(seq 50); do
            wmctrl -k "${request%=*}" 2>/dev/null
            sleep 0.05
            xprop -root _NET_SHOWING_DESKTOP 2>/dev/null | grep -q "= ${request#*=}\$" && continue 2
        done
        return 1
    done
}

stop_virtual_display() {
    [ -n "${DYADORA_WM_PID:-}" ] && kill -- "-$DYADORA_WM_PID" 2>/dev/null
    [ -n "${DYADORA_XVFB_PID:-}" ] && kill "$DYADORA_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    return 0
}

# find_window TITLE_REGEX: the id of the first shown window whose title matches, waiting up to
# 30 s (a sanitizer build on a busy machine starts slowly); fails when there is none. Each look is
# a search of its own: a search that meets a window as it is destroyed (Wine makes and destroys
# several while a program starts) ends with an X error, and the next look goes on.
find_window() {
    local id deadline=$((SECONDS + 30))
    while :; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && echo "$id" && return 0
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# frame_of WINDOW: the window manager's frame window around it (the top-level child of the root).
# Some window managers make it larger than what they draw (room for invisible resize borders):
# the frame as drawn is given by frame_extents.
frame_of() {
    local window=$1 parent root
    root=$(xwininfo -root | awk '/Window id:/ {print $4}')
    while :; do
        parent=$(xwininfo -children -id "$window" | awk '/Parent window id:/ {print $4}')
        [ -z "$parent" ] || [ "$((parent))" -eq "$((root))" ] && break
        window=$parent
    done
    echo "$window"
}

# geometry WINDOW: "x y width height" of the window on the screen (absolute, border included).
geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} /Border width:/ {b=$3}
        END {print x, y, w + 2 * b, h + 2 * b}'
}

# frame_extents WINDOW: "left right top bottom" of the frame the window manager draws around it,
# as it reports them; nothing while it has reported none.
frame_extents() {
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | awk -F' = ' 'NF == 2 {gsub(",", "", $2); print $2}'
}

# outer_geometry WINDOW: "x y width height" of the window with the frame as drawn.
outer_geometry() {
    local x y w h l r t b
    read -r x y w h <<<"$(geometry "$1")"
    read -r l r t b <<<"$(frame_extents "$1")"
    echo $((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))
}

# wait_for_frame WINDOW: waits until the window manager has framed the window and it has stood
# still for a moment (the game centres a window again once its frame is known); fails after 10 s.
wait_for_frame() {
    local i last="" now
    for i in $(seq 100); do
        now="$(outer_geometry "$1") $(frame_extents "$1")"
        [ "$now" = "$last" ] && [ -n "$(frame_extents "$1")" ] && return 0
        last=$now
        sleep 0.1
    done
    return 1
}
