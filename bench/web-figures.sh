#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The page's figures: its download (each file as a browser gets it: the gzip copy where there is
# one), and start-up in each browser engine of the page's test (headless chromium, headless Firefox
# ESR, WebKitGTK's MiniBrowser under Xvfb), from navigation until the main window's
# first frame is painted, for the game's page and for an empty Qt window's page built with the same
# kit (bench/empty_window.cpp), loaded alternately PAIRS times each, both served from sub-folders
# of one server. Then the web's own audit of the game's page: Lighthouse (npm, at the version of
# bench/lighthouse/package.json) in the same chromium, with its desktop and its mobile preset, its
# four scores and every audit that did not pass. Runs on Debian 13, or in its root.
# Usage: bench/web-figures.sh [PAIRS [ENGINE...]]   (default: 15, and chromium firefox webkitgtk)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
source "$(dirname "$0")/../scripts/kit_lib.sh"
source "$(dirname "$0")/../scripts/web_lib.sh"

on_debian_13 ./bench/web-figures.sh "$@"
pairs=${1:-15}
engines=("${@:2}")
[ ${#engines[@]} -gt 0 ] || engines=(chromium firefox webkitgtk)
./scripts/web.sh all empty_window_page
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
    "$pairs" "${engines[@]}"

audit=$(browser_modules "$DYADORA_ROOT/bench/lighthouse/package.json")
reports=$(mktemp -d)
for preset in desktop mobile; do
    options=()
    [ "$preset" = desktop ] && options=(--preset=desktop)
    CHROME_PATH=/usr/bin/chromium "$audit/.bin/lighthouse" "${PAGES_ADDRESS}page/" --quiet \
        "${options[@]}" --only-categories=performance,accessibility,best-practices,seo \
        --chrome-flags="--headless=new --no-sandbox --disable-gpu --no-first-run --disable-background-networking" \
        --output=json --output-path="$reports/$preset.json"
    node -e '
        const report = require(process.argv[1]);
        const scores = Object.values(report.categories).map((c) => `${c.id} ${c.score}`);
        console.log(`lighthouse ${process.argv[2]}: ${scores.join(", ")}`);
        for (const audit of Object.values(report.audits))
            if (audit.score !== null && audit.score < 1 && audit.scoreDisplayMode !== "informative")
                console.log(`  ${audit.id} ${audit.score}: ${audit.displayValue || audit.title}`);
    ' "$reports/$preset.json" "$preset"
done
rm -rf "$reports"
