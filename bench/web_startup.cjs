// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the game's page against an empty Qt window's page, in each browser engine named
// (the adapters of the page's test, tests/web/engines/): from navigation until the first window's
// canvas holds a painted pixel (looked for at every animation frame, from before the page's own
// scripts where the engine can run a script so early and from its load where it cannot, timed by
// the page's own clock, which starts at navigation), each page loaded PAIRS times,
// alternately, each load with nothing kept of another (a browser context, or a browser, of its
// own) at 1280 x 1024.
// Usage: node web_startup.cjs GAME_ADDRESS EMPTY_ADDRESS PAIRS ENGINE...   (chromium, firefox,
// webkitgtk)
'use strict';
const path = require('path');

const engines = path.join(__dirname, '../tests/web/engines');
const ADAPTERS = {
    chromium: () => require(`${engines}/chromium.cjs`),
    firefox: () => require(`${engines}/firefox.cjs`),
    webkitgtk: () => require(`${engines}/webkit.cjs`),
};
const [game, empty, pairsText, ...names] = process.argv.slice(2);
const pairs = Number(pairsText);

// Run in the page before its own scripts (where the engine can; otherwise once it has loaded):
// the time of the first frame with the window painted, or -1 when the window was painted already
// (a load that cannot be timed so).
const watchFirstPaint = () => {
    const root = () => document.getElementById('qt-shadow-container')?.shadowRoot ?? document;
    const painted = () => {
        const canvas = root().querySelector('.qt-window canvas');
        if (!canvas || canvas.width === 0 || !document.getElementById('notice')?.hidden)
            return false;
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        for (let i = 3; i < pixels.length; i += 4 * 31) {
            if (pixels[i] !== 0)
                return true;
        }
        return false;
    };
    if (painted()) {
        window.firstPaint = -1;
        return;
    }
    const look = () => {
        if (painted())
            window.firstPaint = performance.now();
        else
            requestAnimationFrame(look);
    };
    requestAnimationFrame(look);
};

async function load(browser, address) {
    const page = await browser.open(address, { width: 1280, height: 1024 },
        { beforeLoad: watchFirstPaint });
    try {
        for (const end = Date.now() + 60000; Date.now() < end;) {
            const time = await page.evaluate(() => window.firstPaint ?? null);
            if (time === -1)
                throw new Error(`${address}: the window was painted before the page had loaded`);
            if (time !== null)
                return time;
            await new Promise((resolve) => setTimeout(resolve, 20));
        }
        throw new Error(`${address}: no window painted within 60 s`);
    } finally {
        await page.close();
    }
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

async function main() {
    for (const name of names) {
        const adapter = ADAPTERS[name]();
        const browser = await adapter.launch();
        try {
            await load(browser, game); // the first load of all warms the browser, and is not counted
            const times = { game: [], empty: [] };
            for (let pair = 0; pair < pairs; pair += 1) {
                const order = pair % 2 ? ['empty', 'game'] : ['game', 'empty'];
                for (const which of order)
                    times[which].push(await load(browser, which === 'game' ? game : empty));
            }
            const [g, e] = [median(times.game), median(times.empty)];
            console.log(`${browser.version}: navigation to the first painted window, median of ${pairs} alternating loads each:`);
            console.log(`  game ${g.toFixed(0)} ms, empty Qt window ${e.toFixed(0)} ms, ratio ${(g / e).toFixed(3)}`);
            console.log(`  game: ${times.game.map((t) => t.toFixed(0)).join(' ')}`);
            console.log(`  empty: ${times.empty.map((t) => t.toFixed(0)).join(' ')}`);
        } finally {
            await browser.close();
        }
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
