#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game for 64-bit Windows and tests it under Wine 10: the static Qt kit (built once,
# then taken from the cache), the cross build in build/windows, the unit and widget tests on Qt's
# offscreen platform, the end-to-end tests (UI Automation among them) under Xvfb and openbox, and
# the downloads, whose installer is installed and removed again. Every run has a Wine prefix of
# its own, made afresh. Leaves the zip and the installer in build/windows.
# Everything runs on Debian 13; on another release, in the Debian 13 root (scripts/debian-root.sh),
# with this clone mounted in it, so build/windows is the same folder either way.
set -euo pipefail
source "$(dirname "$0")/common.sh"

on_debian_13 ./scripts/test-windows.sh "$@"

ensure_packages "${WINDOWS_TEST_PACKAGES[@]}" "${X_PACKAGES[@]}"
DYADORA_WINDOWS_KIT=$("$DYADORA_ROOT/scripts/windows-kit.sh")
export DYADORA_WINDOWS_KIT
echo "Qt kit: $DYADORA_WINDOWS_KIT"
# A build made with another kit, or in another folder, is made afresh.
if [ -f build/windows/CMakeCache.txt ] && ! grep -qF "$DYADORA_WINDOWS_KIT/" build/windows/CMakeCache.txt ||
    { [ -f build/windows/CMakeCache.txt ] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$DYADORA_ROOT" build/windows/CMakeCache.txt; }; then
    rm -rf build/windows
fi

trap end_wine_prefix EXIT
elapsed() { echo "$((($(date +%s%N) - start) / 1000000)) ms"; }
start=$(date +%s%N)
fresh_wine_prefix
echo "fresh Wine prefix: $(elapsed)"

start=$(date +%s%N)
build_preset windows
echo "cross build: $(elapsed)"

cd "$DYADORA_ROOT"
# The programs' own tests side by side; the windows on the screen and the installer one at a time.
ctest --preset windows --parallel "$(nproc)" --exclude-regex '^(e2e|pkg)\.'
ctest --preset windows --tests-regex '^(e2e|pkg)\.'

(cd build/windows && cpack >/dev/null)
ls -l build/windows/Dyadora-*-win64.zip build/windows/Dyadora-*-win64-setup.exe
