// SPDX-License-Identifier: GPL-3.0-or-later
// The game's page in Debian's chromium, headless, driven over the DevTools protocol: the main
// window fills the page without a frame, a round is played with real clicks (the score starts at
// 20 and a mismatch takes it to 19), each move is announced once to screen readers and the cards
// are named in the browser's accessibility tree, the help window opens and closes with the
// keyboard and with the mouse (one click on its OK), Esc ends the game and the page says so;
// and the page asked for nothing but its own files and threw no error. Then, on a page of device
// pixel ratio 2, a dealt card shows the cover drawn from its large picture. On a phone's screen
// with touch (844 x 390 at ratio 3), everything is on the screen and a round is played with taps,
// a touch that the browser cancels leaves the next tap working, and no text input takes the
// focus; held upright the page asks for the phone to be turned, and turned back the round is as
// it was. The screen-reader layer follows the game (screen_reader.cjs). Last, the page's updates
// (updates.cjs).
// Usage: node page.test.cjs ADDRESS CHROMIUM COVER COVER_LARGE PAGE   (the cover's two BMP files;
// the page's folder, which ADDRESS serves)
'use strict';
const puppeteer = require('puppeteer-core');
const fs = require('fs');

const [address, chromium, coverFile, largeCoverFile, pageFolder] = process.argv.slice(2);
const { PAGE, PHONE, UPRIGHT, TABLET, fail, ok, poll, defineQtRoot, fills, boxOf, centreOf, card,
    accessibleNodes, watchAnnouncements, playToMismatch, score } = require('./lib.cjs');
const { screenReader } = require('./screen_reader.cjs');
const { updates } = require('./updates.cjs');
const BROWSER = {
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--no-first-run', '--disable-background-networking',
        '--force-renderer-accessibility', `--window-size=${PAGE.width},${PAGE.height}`],
    defaultViewport: { ...PAGE, deviceScaleFactor: 1 },
};

// A 24-bit BMP file's pixels, top row first, as [r, g, b] rows.
function readBmp(file) {
    const data = fs.readFileSync(file);
    const offset = data.readUInt32LE(10);
    const width = data.readInt32LE(18);
    const height = data.readInt32LE(22);
    const stride = Math.ceil((width * 3) / 4) * 4;
    const rows = [];
    for (let y = 0; y < Math.abs(height); y += 1) {
        const row = height > 0 ? Math.abs(height) - 1 - y : y;
        const start = offset + row * stride;
        const pixels = [];
        for (let x = 0; x < width; x += 1)
            pixels.push([data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x]]);
        rows.push(pixels);
    }
    return { width, height: Math.abs(height), rows };
}

// The mean difference per colour channel between a picture and the canvas's device pixels below
// it, at the best of the offsets up to 8 device pixels from (X, Y), over the picture's inside.
function difference(canvas, picture, x, y) {
    let best = Infinity;
    for (let dy = 0; dy <= 8; dy += 1) {
        for (let dx = 0; dx <= 8; dx += 1) {
            let sum = 0;
            let count = 0;
            for (let py = 8; py < picture.height - 8; py += 2) {
                for (let px = 8; px < picture.width - 8; px += 2) {
                    const i = 4 * ((y + dy + py) * canvas.width + x + dx + px);
                    const [r, g, b] = picture.rows[py][px];
                    sum += Math.abs(canvas.data[i] - r) + Math.abs(canvas.data[i + 1] - g)
                        + Math.abs(canvas.data[i + 2] - b);
                    count += 3;
                }
            }
            best = Math.min(best, sum / count);
        }
    }
    return best;
}

// The cover, at twice its design size by nearest neighbours: what a card would show at ratio 2
// without a picture of its own for such screens.
function doubled(picture) {
    const rows = [];
    for (let y = 0; y < 2 * picture.height; y += 1)
        rows.push(Array.from({ length: 2 * picture.width }, (_, x) => picture.rows[y >> 1][x >> 1]));
    return { width: 2 * picture.width, height: 2 * picture.height, rows };
}

async function highDensity(browser) {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(defineQtRoot);
    await page.setViewport({ ...PAGE, deviceScaleFactor: 2 });
    await page.goto(address);
    await poll('at ratio 2, the main window is shown', () => page.evaluate(() => {
        const canvas = qtRoot().querySelector('.qt-window canvas');
        if (!canvas || !document.getElementById('notice').hidden)
            return { done: false, seen: 'no window yet' };
        const rect = canvas.getBoundingClientRect();
        return { done: canvas.width === 2 * rect.width, seen: [rect.x, rect.y, canvas.width, rect.width] };
    }));
    await fills(page, 'at ratio 2, the main window fills the page');
    const first = await boxOf(page, card(0));
    await page.mouse.click(...centreOf(await boxOf(page, 'Έναρξη')));
    const [x, y] = [2 * Math.round(first.x), 2 * Math.round(first.y)]; // in device pixels
    const large = readBmp(largeCoverFile);
    const small = doubled(readBmp(coverFile));
    const [sharp, blurred] = await poll('at ratio 2, a dealt card shows the large cover', async () => {
        const canvas = await page.evaluate(() => {
            const element = qtRoot().querySelector('.qt-window canvas');
            const image = element.getContext('2d').getImageData(0, 0, element.width, element.height);
            return { width: image.width, data: Array.from(image.data) };
        });
        const seen = [difference(canvas, large, x, y), difference(canvas, small, x, y)];
        return { done: seen[0] < 0.5 && seen[0] < seen[1] / 2, seen };
    });
    ok(`the card's pixels differ from the large cover by ${sharp.toFixed(1)} per channel, from the doubled small one by ${blurred.toFixed(1)}`);
    await page.close();
}

// The game on a phone held sideways, played with taps, then held upright and turned back.
async function phone(browser) {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.evaluateOnNewDocument(defineQtRoot);
    await page.evaluateOnNewDocument(watchAnnouncements);
    await page.setViewport(PHONE);
    await page.goto(address);
    await poll('on a phone, the main window is shown', () => page.evaluate(() => {
        const shown = qtRoot().querySelector('.qt-window canvas')
            && document.getElementById('notice').hidden;
        return { done: Boolean(shown), seen: document.getElementById('status').textContent };
    }));
    await fills(page, 'on a phone, the main window fills the page');

    // Every control lies on the screen, the cards at least 44 pixels each way.
    const names = ['Έναρξη', 'Βαθμοί', 'Βοήθεια', 'Τερματισμός', 'Έξοδος'];
    for (let i = 0; i < 24; i += 1)
        names.push(card(i));
    let smallest = Infinity;
    for (const name of names) {
        const box = (await boxOf(page, name)).onScreen;
        if (box.x < 0 || box.y < 0 || box.x + box.width > PHONE.width
            || box.y + box.height > PHONE.height)
            fail(`on a ${PHONE.width} x ${PHONE.height} screen "${name}" lies at ${JSON.stringify(box)}`);
        if (name.startsWith('Κάρτα'))
            smallest = Math.min(smallest, box.width, box.height);
    }
    if (smallest < 44)
        fail(`a card is ${smallest.toFixed(1)} pixels across`);
    ok(`every control is on the ${PHONE.width} x ${PHONE.height} screen, the cards at least ${smallest.toFixed(1)} pixels`);

    // A round with taps, from the last card back. Before the first card is tapped, a touch on the
    // second is cancelled by the browser: it turns nothing, and the taps after it turn each card
    // once (the round counts every announcement).
    const cdp = await page.createCDPSession();
    const cancelled = async (x, y) => {
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchCancel', touchPoints: [] });
    };
    await playToMismatch(page, (x, y) => page.touchscreen.tap(x, y),
        { order: [...Array(24).keys()].reverse(), before: cancelled });
    const focused = await page.evaluate(() => {
        let element = document.activeElement;
        while (element?.shadowRoot?.activeElement)
            element = element.shadowRoot.activeElement;
        return { tag: element?.tagName, editable: Boolean(element?.isContentEditable),
            keyboard: element?.inputMode };
    });
    if (/^(INPUT|TEXTAREA)$/.test(focused.tag) || (focused.editable && focused.keyboard !== 'none'))
        fail(`after the taps a text input has the focus: ${JSON.stringify(focused)}`);
    ok(`after the taps no text input has the focus (${focused.tag})`);

    // Held upright, the page asks for the phone to be turned; turned back, the round is as it was,
    // the help window still open and centred.
    const helpShown = () => page.evaluate(() => {
        const windows = [...qtRoot().querySelectorAll('.qt-window')]
            .filter((w) => w.style.display !== 'none');
        if (windows.length !== 2)
            return { done: false, seen: `${windows.length} windows shown` };
        const help = windows.map((w) => w.getBoundingClientRect()).find((r) => r.x > 0);
        const [x, y] = [help.x + help.width / 2, help.y + help.height / 2];
        const [width, height] = [document.documentElement.clientWidth, window.innerHeight];
        return { done: Math.abs(x - width / 2) <= 1 && Math.abs(y - height / 2) <= 1,
            seen: `the help window's centre at ${x}, ${y} in ${width} x ${height}` };
    });
    await page.touchscreen.tap(...centreOf(await boxOf(page, 'Βοήθεια')));
    await poll('a tap on the help button opens the help window, centred', helpShown);
    const board = () => page.evaluate(() => [...qtRoot().querySelectorAll('.qt-window-a11y-container *')]
        .filter((e) => /^(Κάρτα \d+:|Βαθμοί)/.test(e.textContent))
        .map((e) => `${e.textContent} ${e.getAttribute('aria-description') ?? ''}`).join('\n'));
    const before = await board();
    const asks = () => page.evaluate(() => {
        const turn = document.getElementById('turn');
        return turn.hidden ? null : turn.textContent.trim();
    });
    await page.setViewport(UPRIGHT);
    await poll('held upright, the page asks for the phone to be turned', async () => {
        const seen = await asks();
        return { done: seen === 'Γυρίστε τη συσκευή σας οριζόντια για να παίξετε.', seen };
    });
    await page.setViewport(PHONE);
    await poll('turned back, the request is gone', async () => {
        const seen = await asks();
        return { done: seen === null, seen };
    });
    await fills(page, 'turned back, the main window fills the page again');
    await poll('turned back, the help window is still open and centred', helpShown);
    const after = await board();
    if (after !== before)
        fail(`turned back, the board differs:\n${before}\n---\n${after}`);
    ok('turned back, the same cards are face up and the score is the same');

    // On a tablet the design is shown enlarged to the screen, and drawn for that scale.
    await page.setViewport(TABLET);
    await poll('on a tablet, the board is enlarged to the screen and drawn sharp', () =>
        page.evaluate((ratio) => {
            const canvas = qtRoot().querySelector('.qt-window canvas');
            const scale = window.visualViewport.scale;
            const spare = Math.min(window.innerWidth - 776, window.innerHeight - 454);
            const drawn = canvas.width / (canvas.getBoundingClientRect().width * ratio * scale);
            return { done: scale > 1.2 && spare >= 0 && spare <= 1 && Math.abs(drawn - 1) < 0.01,
                seen: { scale, spare, drawn } };
        }, TABLET.deviceScaleFactor));
    if (errors.length > 0)
        fail(`on a phone the page threw: ${errors.join('; ')}`);
    ok('on a phone the page threw no error');
    await page.close();
}

async function main() {
    const browser = await puppeteer.launch(BROWSER);
    try {
        const page = await browser.newPage();
        const foreign = [];
        const errors = [];
        await page.setRequestInterception(true);
        page.on('request', (request) => {
            if (request.url().startsWith(address) || request.url().startsWith('data:'))
                return request.continue();
            foreign.push(request.url());
            return request.abort();
        });
        page.on('pageerror', (error) => errors.push(error.message));
        await page.evaluateOnNewDocument(defineQtRoot);
        await page.evaluateOnNewDocument(watchAnnouncements);
        await page.goto(address);

        // The first frame: the notice gone, the main window's canvas painted.
        const frame = await poll('the main window is shown and painted', () => page.evaluate(() => {
            const notice = document.getElementById('notice');
            const windows = [...qtRoot().querySelectorAll('.qt-window')]
                .filter((w) => w.style.display !== 'none');
            const canvas = windows.length === 1 ? windows[0].querySelector('canvas') : null;
            if (!canvas || !notice.hidden || canvas.width === 0)
                return { done: false, seen: `${windows.length} windows, notice ${!notice.hidden}` };
            const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
            const colours = new Set();
            for (let i = 0; i < pixels.length && colours.size < 3; i += 4 * 97)
                colours.add(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
            const outer = windows[0].getBoundingClientRect();
            const client = canvas.getBoundingClientRect();
            return {
                done: colours.size > 2,
                seen: { outer: [outer.x, outer.y, outer.width, outer.height],
                    client: [client.x, client.y, client.width, client.height], colours: colours.size },
            };
        }));
        ok(`the main window's client area is ${frame.client[2]} x ${frame.client[3]}`);
        await fills(page, 'the main window fills the page without a frame');

        const cards = (await accessibleNodes(page)).filter((n) => n.role === 'button'
            && /^Κάρτα \d+: σειρά \d, στήλη \d$/.test(n.name || ''));
        if (cards.length !== 24)
            fail(`the accessibility tree names ${cards.length} cards, not 24`);
        ok('the accessibility tree names the 24 cards ("Κάρτα 1: σειρά 1, στήλη 1", ...)');

        const holdsCount = await playToMismatch(page, (x, y) => page.mouse.click(x, y));
        const announcedCount = () => page.evaluate(() => window.announced.length);

        // The help window, with the keyboard: the start button has the focus (it was pressed),
        // Tab takes it to the help button, Enter opens the help window and Enter closes it.
        const helpShown = () => page.evaluate(() => [...qtRoot().querySelectorAll('.qt-window')]
            .filter((w) => w.style.display !== 'none').length);
        await page.keyboard.press('Tab');
        await page.keyboard.press('Enter');
        await poll('Enter on the help button opens the help window', async () => {
            const count = await helpShown();
            return { done: count === 2, seen: `${count} windows shown` };
        });
        await page.keyboard.press('Enter');
        await poll('Enter closes the help window at once', async () => {
            const count = await helpShown();
            return { done: count === 1, seen: `${count} windows shown` };
        });
        // With the mouse: the help button, then one click on the help window's OK closes it.
        await page.mouse.click(...centreOf(await boxOf(page, 'Βοήθεια')));
        const okButton = await poll('a click on the help button opens the help window', () =>
            page.evaluate(() => {
                const shown = [...qtRoot().querySelectorAll('.qt-window')]
                    .filter((w) => w.style.display !== 'none');
                if (shown.length !== 2)
                    return { done: false, seen: `${shown.length} windows shown` };
                const help = shown.map((w) => w.querySelector('canvas').getBoundingClientRect())
                    .find((r) => r.width === 546);
                return { done: true, seen: [help.x + 264, help.y + 380] };
            }));
        await page.mouse.click(...okButton);
        await poll('the first click on its OK closes it', async () => {
            const count = await helpShown();
            return { done: count === 1, seen: `${count} windows shown` };
        });
        if ((await announcedCount()) !== holdsCount)
            fail('the help window made an announcement');

        // Esc ends the game; the page says so and offers to start it again.
        await page.keyboard.press('Escape');
        await poll('Esc ends the game and the page says so', () => page.evaluate(() => {
            const notice = document.getElementById('notice');
            const text = document.getElementById('status').textContent;
            return { done: !notice.hidden && text === 'Το παιχνίδι τελείωσε.'
                    && !document.getElementById('again').hidden, seen: text };
        }));
        if (errors.length > 0)
            fail(`the page threw: ${errors.join('; ')}`);
        ok('the page threw no error');
        if (foreign.length > 0)
            fail(`the page asked for more than its own files: ${foreign.join(' ')}`);
        ok('the page asked for nothing but its own files');
        await page.close();

        await highDensity(browser);
        await phone(browser);
        await screenReader(browser, address);
    } finally {
        await browser.close();
    }
    await updates(pageFolder, BROWSER);
}

main().catch((error) => {
    console.error(`FAIL: ${error.message}`);
    process.exit(1);
});
