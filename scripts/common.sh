# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts: installing Debian packages when missing, and configuring and building.
# shellcheck shell=bash

DYADORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages to build the game and to show its Greek text.
BUILD_PACKAGES=(cmake g++ make qt6-base-dev fonts-liberation)
# A virtual X server with a window manager, for machines without a display and for the
# end-to-end tests (xauth is needed by xvfb-run and not pulled in by xvfb).
X_PACKAGES=(xvfb xauth openbox xdotool wmctrl x11-utils imagemagick)
# The end-to-end tests' Python (the keyboard player) and the accessibility test's stack: a D-Bus
# session bus, the AT-SPI bus and registry, and the pyatspi client.
A11Y_PACKAGES=(python3 dbus-daemon at-spi2-core python3-pyatspi)

# ensure_packages PACKAGE...: installs those not installed yet, as root or through sudo.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# build_preset NAME [TARGET...]: configures once and builds in build/NAME.
build_preset() {
    local preset=$1
    shift
    cd "$DYADORA_ROOT" || return 1
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        cmake --preset "$preset" || return 1
    fi
    local targets=()
    local target
    for target in "$@"; do
        targets+=(--target "$target")
    done
    cmake --build --preset "$preset" --parallel "$(nproc)" "${targets[@]}"
}

# start_virtual_display: starts Xvfb on a free display with openbox and exports DISPLAY.
# Sets DYADORA_XVFB_PID and DYADORA_WM_PID; stop_virtual_display ends both.
start_virtual_display() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${DYADORA_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo" 2>/dev/null &
    DYADORA_XVFB_PID=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
    openbox >/dev/null 2>&1 &
    DYADORA_WM_PID=$!
    # The window manager is ready once it has claimed the screen.
    local tries
    for tries in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.05
    done
    echo "the window manager did not start" >&2
    return 1
}

stop_virtual_display() {
    [ -n "${DYADORA_WM_PID:-}" ] && kill "$DYADORA_WM_PID" 2>/dev/null
    [ -n "${DYADORA_XVFB_PID:-}" ] && kill "$DYADORA_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    return 0
}
