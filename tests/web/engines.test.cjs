// SPDX-License-Identifier: GPL-3.0-or-later
// The page's scenario (scenario.cjs) played in each browser engine named, one after the other,
// each with a server of its own (web/serve.py on a free port, stopped for the offline part), at
// 1280 x 1024; then, for the engines that the table below marks, as a phone held sideways (844 x
// 390, with touch). An engine's driving is its adapter's (engines/*.cjs), all with the same
// interface: launch({ phone }) gives a browser with its version and open(address, size,
// { beforeLoad }), which gives a page with evaluate(fn, ...args), click(x, y), tap(x, y),
// press(key, { shift }), reload(), errors() (thrown in the page, where the engine tells),
// refused() (requests off the page's host, refused) and close(); `can` says what the engine can
// be asked.
// Usage: node engines.test.cjs PAGE_FOLDER ENGINE...   (chromium, firefox, webkitgtk)
'use strict';
const { spawn } = require('child_process');
const path = require('path');
const { poll, ok, fail, control, SCORE } = require('./in_page.cjs');
const { wonRound, keyboard, help, ended, started, move, card } = require('./scenario.cjs');

// The engines, and which of them also play as a phone here (chromium's phone, with its device
// emulation, is page.test.cjs's).
const ENGINES = {
    chromium: { adapter: require('./engines/chromium.cjs'), phone: false },
    firefox: { adapter: require('./engines/firefox.cjs'), phone: true },
    webkitgtk: { adapter: require('./engines/webkit.cjs'), phone: false },
};
const PAGE = { width: 1280, height: 1024 };
const PHONE = { width: 844, height: 390 };
const PROBE = 'http://dyadora-probe.invalid/';

const [folder, ...names] = process.argv.slice(2);

// The page's folder served on a free port of 127.0.0.1: { address, stop() }.
function serve() {
    const server = spawn('python3', [path.join(__dirname, '../../web/serve.py'), folder, '0'],
        { stdio: ['ignore', 'pipe', 'inherit'] });
    const stopped = new Promise((resolve) => server.on('exit', resolve));
    const stop = () => { server.kill(); return stopped; };
    return new Promise((resolve, reject) => {
        let said = '';
        server.stdout.on('data', (data) => {
            said += data;
            const address = /^The game is at (http\S+)$/m.exec(said)?.[1];
            if (address)
                resolve({ address, stop });
        });
        stopped.then((code) => reject(new Error(`the page's server ended (${code}): ${said}`)));
    });
}

// Errors thrown in the page: those the engine saw, and those of the page's own listeners.
async function thrown(page, seen) {
    seen.push(...await page.evaluate(() => window.uncaught ?? []).catch(() => []));
    return [...new Set([...page.errors(), ...seen])];
}

// With its server stopped, the page reloaded from its service worker's set deals and turns a card.
async function offline(page, server) {
    // (The page's controller, not its registration's active worker: after an update check that
    // finds the worker unchanged, Firefox leaves the registration's active worker empty.)
    await poll('the page\'s service worker controls it and keeps every file', () => page.evaluate(async () => {
        const worker = navigator.serviceWorker.controller;
        // The files that sw.js names, each with its size and hash.
        const files = (/const FILES = \{([^}]*)\}/.exec(await (await fetch('sw.js')).text())?.[1]
            .match(/^\s*'[^']+': \[/gm) ?? []).length;
        const names = (await caches.keys()).filter((name) => /^dyadora-[0-9a-f]{16}$/.test(name));
        const kept = names.length === 1 ? (await (await caches.open(names[0])).keys()).length : 0;
        return { done: worker?.state === 'activated' && kept === files && files > 0,
            seen: { worker: worker?.state, names, kept, files } };
    }));
    await server.stop();
    await poll('the page\'s server is stopped', () => fetch(server.address)
        .then(() => ({ done: false, seen: 'it still answers' }),
            (error) => ({ done: true, seen: error.message })));
    await page.reload();
    await started(page, 'offline, the reloaded page shows its main window');
    const click = (x, y) => page.click(x, y);
    await move(page, click, 'Έναρξη', 'offline, the start button deals');
    await move(page, click, card(0), 'offline, a click turns a card');
}

async function desktop(name, adapter, browser, server) {
    const page = await browser.open(server.address, PAGE);
    console.log(`== ${name}: ${browser.version}, at ${PAGE.width} x ${PAGE.height}`);
    await started(page, 'the main window is shown and painted');
    await page.evaluate((probe) => { fetch(probe).catch(() => {}); }, PROBE);
    await poll('a request to another host is refused and recorded', () =>
        ({ done: page.refused().includes(PROBE), seen: page.refused() }));
    const errors = [];
    await wonRound(page, (x, y) => page.click(x, y), 'Έναρξη');
    await keyboard(page);
    await help(page);
    await thrown(page, errors);
    await ended(page);
    await offline(page, server);
    // (Firefox reports the refused probe as an error of the page.)
    const all = (await thrown(page, errors)).filter((error) => !error.includes(new URL(PROBE).host));
    if (all.length > 0)
        fail(`the page threw: ${all.join('; ')}`);
    ok(`the page threw no error${adapter.can.errorsFromStart ? '' : ' (seen from its load on)'}`);
    const foreign = page.refused().filter((url) => url !== PROBE);
    if (foreign.length > 0)
        fail(`the page asked another host: ${foreign.join(' ')}`);
    ok('the page asked for nothing but its own files');
    await page.close();
}

// As a phone held sideways: every control on the screen, the cards at least 44 pixels each way;
// a tap deals and taps turn cards.
async function phone(name, adapter, browser, server) {
    const page = await browser.open(server.address, PHONE);
    console.log(`== ${name}: ${browser.version}, as a phone of ${PHONE.width} x ${PHONE.height} with touch`);
    await started(page, 'on a phone, the main window is shown and painted');
    const names = ['Έναρξη', 'Βαθμοί', 'Βοήθεια', 'Τερματισμός', 'Έξοδος',
        ...[...Array(24).keys()].map(card)];
    // The part of the screen that shows the page (below the browser's own bars).
    const [width, height] = await page.evaluate(() => [window.visualViewport.width,
        window.visualViewport.height].map((side) => side * window.visualViewport.scale));
    if (width > PHONE.width + 0.5 || height > PHONE.height + 0.5)
        fail(`the page is shown over ${width} x ${height} of the screen`);
    let smallest = Infinity;
    for (const control_ of names) {
        const box = (await control(page, control_)).onScreen;
        if (box.x < 0 || box.y < 0 || box.x + box.width > width + 0.5
            || box.y + box.height > height + 0.5)
            fail(`on the ${width} x ${height} of the screen that shows the page "${control_}" lies at ${JSON.stringify(box)}`);
        if (control_.startsWith('Κάρτα'))
            smallest = Math.min(smallest, box.width, box.height);
    }
    if (smallest < 44)
        fail(`a card is ${smallest.toFixed(1)} pixels across`);
    ok(`every control is on the ${width.toFixed(0)} x ${height.toFixed(0)} of the screen that shows the page, the cards at least ${smallest.toFixed(1)} pixels`);
    await page.evaluate(() => {
        window.touches = 0;
        document.addEventListener('touchstart', () => { window.touches += 1; }, true);
    });
    const tap = (x, y) => page.tap(x, y);
    const dealt = await move(page, tap, 'Έναρξη', 'a tap on the start button deals');
    if (dealt.score !== `${SCORE}20`)
        fail(`after a tap on the start button the score reads ${dealt.score}`);
    await move(page, tap, card(23), 'a tap turns card 24, once');
    await move(page, tap, card(0), 'a tap turns card 1, once');
    const touches = await page.evaluate(() => window.touches);
    if (touches !== 3)
        fail(`three taps gave ${touches} touches`);
    ok('each tap was a touch');
    const all = await thrown(page, []);
    if (all.length > 0)
        fail(`on a phone the page threw: ${all.join('; ')}`);
    ok('on a phone the page threw no error');
    await page.close();
}

async function main() {
    const times = [];
    for (const name of names) {
        const { adapter, phone: asPhone } = ENGINES[name] ?? fail(`no engine is called ${name}`);
        const from = Date.now();
        for (const play of asPhone ? [desktop, phone] : [desktop]) {
            const server = await serve();
            const browser = await adapter.launch({ phone: play === phone });
            try {
                await play(adapter.name, adapter, browser, server);
            } finally {
                await browser.close();
                await server.stop();
            }
        }
        times.push(`${adapter.name} ${((Date.now() - from) / 1000).toFixed(1)} s`);
    }
    console.log(`played in ${times.join(', ')}`);
}

main().catch((error) => {
    console.error(`FAIL: ${error.message}`);
    process.exit(1);
});
