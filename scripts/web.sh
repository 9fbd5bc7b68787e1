#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game for the browser: the WebAssembly kit (scripts/web-kit.sh) when missing, then the
# web preset, whose page is build/web/page (serve it with scripts/serve-web.sh). The build runs on
# Debian 13, or in its root on another release, with this clone mounted in it.
# Usage: scripts/web.sh [TARGET...]   (default: the game and its page)
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/kit_lib.sh"

on_debian_13 ./scripts/web.sh "$@"

use_web_kit
build_preset web "$@" >&2
echo "The page: build/web/page" >&2
