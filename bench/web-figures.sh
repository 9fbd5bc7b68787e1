#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The page's figures: its download (each file as a browser gets it: the gzip copy where there is
# one), and start-up in headless chromium, from navigation until the main window's first frame is
# painted, for the game's page and for an empty Qt window's page built with the same kit
# (bench/empty_window.cpp), loaded alternately PAIRS times each, both served from sub-folders of
# one server. Runs on Debian 13, or in its root.
# Usage: bench/web-figures.sh [PAIRS]   (default: 15)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
source "$(dirname "$0")/../scripts/kit_lib.sh"
source "$(dirname "$0")/../scripts/web_lib.sh"

on_debian_13 ./bench/web-figures.sh "$@"
pairs=${1:-15}
./scripts/web.sh all empty_window
modules=$(browser_modules)
pages=$DYADORA_ROOT/build/web
for page in page page-empty; do
    total=0
    for file in "$pages/$page"/*; do
        case $file in *.gz) continue ;; esac
        [ -f "$file.gz" ] && file=$file.gz
        total=$((total + $(stat -c %s "$file")))
    done
    awk -v name="$page" -v bytes="$total" -v wasm="$(stat -c %s "$pages/$page/Dyadora.wasm")" \
        'BEGIN {printf "%s: download %.2f MB compressed (Dyadora.wasm %.2f MB before)\n", name, bytes / 1e6, wasm / 1e6}'
done

serve_pages "$pages"
NODE_PATH=$modules node bench/web_startup.cjs "${PAGES_ADDRESS}page/" "${PAGES_ADDRESS}page-empty/" \
    "$pairs" /usr/bin/chromium
