// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's tests in chromium share: the page's sizes, the live regions' announcements and
// a round played to its first mismatch. Waiting for a condition and finding a control by the
// element that Qt's screen-reader layer lays over it are in_page.cjs's, as for every engine.
'use strict';

const { fail, ok, poll, control: boxOf, centreOf } = require('./in_page.cjs');

// The desktop page, a phone held sideways and upright, a tablet.
const PAGE = { width: 1280, height: 1024 };
const PHONE = { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
    isLandscape: true };
const UPRIGHT = { ...PHONE, width: 390, height: 844, isLandscape: false };
const TABLET = { ...PHONE, width: 1024, height: 768, deviceScaleFactor: 2 };

// In the page: where Qt keeps its windows (a shadow tree of the screen's element).
const defineQtRoot = () => {
    window.qtRoot = () => document.getElementById('qt-shadow-container')?.shadowRoot ?? document;
};

// The main window fills the page (its layout viewport), without a frame: waits for that.
const fills = (page, what) => poll(what, () => page.evaluate(() => {
    const outer = qtRoot().querySelector('.qt-window').getBoundingClientRect();
    const client = qtRoot().querySelector('.qt-window canvas').getBoundingClientRect();
    const seen = [outer.x, outer.y, outer.width, outer.height, client.width, client.height]
        .map(Math.round);
    const [width, height] = [document.documentElement.clientWidth, window.innerHeight];
    return { done: seen.join() === [0, 0, width, height, width, height].join(),
        seen: `${seen} in ${width} x ${height}` };
}));

// The start of a card's name, I from 0.
const card = (i) => `Κάρτα ${i + 1}:`;

// Every node of the accessibility tree, flattened.
async function accessibleNodes(page) {
    const nodes = [];
    const walk = (node) => {
        if (!node)
            return;
        nodes.push(node);
        (node.children || []).forEach(walk);
    };
    walk(await page.accessibility.snapshot({ interestingOnly: false }));
    return nodes;
}

// What the page's live regions are given, one entry per announcement.
const watchAnnouncements = () => {
    window.announced = [];
    document.addEventListener('DOMContentLoaded', () => {
        for (const id of ['announce-polite', 'announce-assertive']) {
            const region = document.getElementById(id);
            if (!region)
                return; // another document (the blank one that a new viewport reloads)
            new MutationObserver(() => {
                if (region.textContent)
                    window.announced.push(region.textContent);
            }).observe(region, { childList: true, characterData: true, subtree: true });
        }
    });
};

// A round: the start button, then turns of two cards until one is a mismatch. Each move is
// announced once, the score starts at 20 and the mismatch takes it to 19, and is announced with
// it. PRESS(x, y) clicks or taps a point of the screen. The cards are turned in the order of
// ORDER (indexes from 0); BEFORE(x, y), when given, is done on the second card before the first
// is pressed. Gives the number of moves.
async function playToMismatch(page, press, { order = [...Array(24).keys()], before } = {}) {
    const announcedCount = () => page.evaluate(() => window.announced.length);
    let moves = await announcedCount();
    const move = async (what, name) => {
        await press(...centreOf(await boxOf(page, name)));
        moves += 1;
        await poll(what, () => page.evaluate((moves, name) => {
            const last = window.announced[window.announced.length - 1] ?? '';
            const named = !name.startsWith('Κάρτα') || last.startsWith(name);
            return { done: window.announced.length === moves && named,
                seen: `${window.announced.length} announcements after ${moves} moves, the last "${last}"` };
        }, moves, name));
    };
    await move('the start button deals, and it is announced', 'Έναρξη');
    await poll('the score starts at 20', async () => {
        const seen = await score(page);
        return { done: seen === 'Βαθμοί : 20', seen };
    });
    if (before)
        await before(...centreOf(await boxOf(page, card(order[1]))));
    for (let turn = 0; ; turn += 1) {
        if (turn === 12)
            fail('twelve turns without a mismatch');
        for (const i of [order[2 * turn], order[2 * turn + 1]])
            await move(`card ${i + 1} turns, announced once and by its name`, card(i));
        const seen = await score(page);
        if (seen === 'Βαθμοί : 19')
            break;
        if (seen !== 'Βαθμοί : 20')
            fail(`after a turn the score reads ${seen}`);
    }
    ok('a mismatch takes the score to 19');
    const last = await page.evaluate(() => window.announced[window.announced.length - 1]);
    if (!/19/.test(last))
        fail(`the mismatch's announcement does not give the new score: ${last}`);
    ok(`the mismatch is announced with the new score: "${last}"`);
    return moves;
}

async function score(page) {
    const label = (await accessibleNodes(page)).find((n) => /^Βαθμοί :/.test(n.name || ''));
    return label ? label.name : null;
}

module.exports = { PAGE, PHONE, UPRIGHT, TABLET, fail, ok, poll, defineQtRoot, fills, boxOf,
    centreOf, card, accessibleNodes, watchAnnouncements, playToMismatch, score };
