// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the game's page against an empty Qt window's page, in headless chromium: from
// navigation until the first window's canvas holds a painted pixel (checked at every animation
// frame, timed by the page's own clock), each page loaded PAIRS times, alternately, each load in a
// fresh browser context (no cache).
// Usage: node web_startup.cjs GAME_ADDRESS EMPTY_ADDRESS PAIRS CHROMIUM
'use strict';
const puppeteer = require('puppeteer-core');

const [game, empty, pairsText, chromium] = process.argv.slice(2);
const pairs = Number(pairsText);

const firstPaint = () => {
    const qtRoot = () => document.getElementById('qt-shadow-container')?.shadowRoot ?? document;
    const look = () => {
        const canvas = qtRoot().querySelector('.qt-window canvas');
        if (canvas && canvas.width > 0 && document.getElementById('notice').hidden) {
            const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
            for (let i = 3; i < pixels.length; i += 4 * 31) {
                if (pixels[i] !== 0) {
                    window.firstPaint = performance.now();
                    return;
                }
            }
        }
        requestAnimationFrame(look);
    };
    requestAnimationFrame(look);
};

async function load(browser, address) {
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.evaluateOnNewDocument(firstPaint);
        await page.goto(address);
        await page.waitForFunction(() => window.firstPaint !== undefined, { timeout: 60000, polling: 20 });
        return await page.evaluate(() => window.firstPaint);
    } finally {
        await context.close();
    }
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

async function main() {
    const browser = await puppeteer.launch({
        executablePath: chromium,
        headless: true,
        args: ['--no-sandbox', '--no-first-run', '--disable-background-networking'],
        defaultViewport: { width: 1280, height: 1024, deviceScaleFactor: 1 },
    });
    try {
        await load(browser, game); // the first load of all warms the browser, and is not counted
        const times = { game: [], empty: [] };
        for (let pair = 0; pair < pairs; pair += 1) {
            const order = pair % 2 ? ['empty', 'game'] : ['game', 'empty'];
            for (const which of order)
                times[which].push(await load(browser, which === 'game' ? game : empty));
        }
        const [g, e] = [median(times.game), median(times.empty)];
        console.log(`navigation to the first painted window, median of ${pairs} alternating loads each:`);
        console.log(`  game ${g.toFixed(0)} ms, empty Qt window ${e.toFixed(0)} ms, ratio ${(g / e).toFixed(3)}`);
        console.log(`  game: ${times.game.map((t) => t.toFixed(0)).join(' ')}`);
        console.log(`  empty: ${times.empty.map((t) => t.toFixed(0)).join(' ')}`);
    } finally {
        await browser.close();
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
