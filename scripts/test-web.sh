#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game's page (scripts/web.sh) and plays it in Debian's chromium, headless, driven over
# its DevTools protocol by tests/web/page.test.cjs (puppeteer-core from npm, which downloads no
# browser); then plays one scenario in chromium, Firefox ESR and WebKitGTK's MiniBrowser
# (tests/web/engines.test.cjs). Runs on Debian 13, or in its root on another release.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/kit_lib.sh"
source "$(dirname "$0")/web_lib.sh"

on_debian_13 ./scripts/test-web.sh "$@"

./scripts/web.sh
modules=$(browser_modules)
serve_pages build/web/page
NODE_PATH=$modules node tests/web/page.test.cjs "$PAGES_ADDRESS" /usr/bin/chromium \
    assets/cover.bmp assets/cover@2x.bmp build/web/page
# The same scenario in each engine: a whole round won, the keyboard, the help window, the end and a
# reload offline (and Firefox as a phone, with touch).
NODE_PATH=$modules node tests/web/engines.test.cjs build/web/page chromium firefox webkitgtk
