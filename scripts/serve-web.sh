#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game's page when needed (scripts/web.sh) and serves it on 127.0.0.1, compressed where
# the browser takes it, printing the address to open; Ctrl+C stops it.
# Usage: scripts/serve-web.sh [PORT]   (default 8000; 0 takes any free port)
set -euo pipefail
source "$(dirname "$0")/common.sh"

"$DYADORA_ROOT/scripts/web.sh"
ensure_packages python3
exec python3 "$DYADORA_ROOT/web/serve.py" "$DYADORA_ROOT/build/web/page" "${1:-8000}"
