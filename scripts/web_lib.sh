# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts that open the game's page in Debian's chromium (scripts/test-web.sh,
# bench/web-figures.sh), on Debian 13 or in its root.
# shellcheck shell=bash

# browser_modules [PACKAGE_JSON]: installs chromium and Node.js when missing, and the npm packages
# of PACKAGE_JSON (by default tests/web/package.json: puppeteer-core) at its versions into the
# kits' cache once; prints the folder of their node_modules.
browser_modules() {
    local modules list=${1:-$DYADORA_ROOT/tests/web/package.json}
    ensure_packages "${WEB_TEST_PACKAGES[@]}" >&2
    modules="$KIT_CACHE/web-test-$(sha256sum "$list" | cut -c1-12)"
    if [ ! -f "$modules/.complete" ]; then
        rm -rf "$modules"
        mkdir -p "$modules"
        cp "$list" "$modules/package.json"
        (cd "$modules" && npm install --no-audit --no-fund --cafile /etc/ssl/certs/ca-certificates.crt >&2)
        touch "$modules/.complete"
    fi
    echo "$modules/node_modules"
}

# serve_pages FOLDER: serves FOLDER on a free port of 127.0.0.1 (web/serve.py) until the calling
# script ends; sets PAGES_ADDRESS to its address, once the server has said it.
serve_pages() {
    local log
    log=$(mktemp)
    python3 "$DYADORA_ROOT/web/serve.py" "$1" 0 >"$log" 2>&1 &
    PAGES_SERVER=$!
    trap 'kill "$PAGES_SERVER" 2>/dev/null || true' EXIT
    PAGES_ADDRESS=""
    for _ in $(seq 100); do # up to 10 s
        PAGES_ADDRESS=$(sed -n 's/^The game is at \(http[^ ]*\)$/\1/p' "$log")
        [ -n "$PAGES_ADDRESS" ] && break
        kill -0 "$PAGES_SERVER" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$PAGES_ADDRESS" ] || { echo "FAIL: the page's server said no address: $(cat "$log")" >&2; return 1; }
    rm -f "$log"
}
