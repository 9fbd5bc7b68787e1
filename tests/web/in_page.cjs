// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's scenario reads in the page, in any engine: Qt's windows (in the shadow tree of
// the page's screen), the controls of its screen-reader layer (named and described as a screen
// reader reads them, and lying under the controls they stand for), the score, and what the
// page's live regions announced. Every function run in the page is self-contained: an engine
// driven over WebDriver is sent its text.
'use strict';

const DEADLINE_MS = 20000;
const SCORE = 'Βαθμοί : ';

const fail = (what) => { throw new Error(what); };
const ok = (what) => console.log(`ok: ${what}`);

// poll WHAT PROBE: runs PROBE (which returns { done, seen, value }) until it is done or the
// deadline passes; gives its value (or what it saw), or fails with what it saw last. A probe that
// fails (a page between two documents) is tried again.
async function poll(what, probe, deadline = DEADLINE_MS) {
    const end = Date.now() + deadline;
    for (;;) {
        const { done, seen, value } = await Promise.resolve().then(probe)
            .catch((error) => ({ done: false, seen: `no answer: ${error.message}` }));
        if (done) {
            ok(what);
            return value === undefined ? seen : value;
        }
        if (Date.now() > end)
            fail(`${what} (after ${deadline / 1000} s it saw: ${JSON.stringify(seen)})`);
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
}

// Run in the page once it has loaded (again after every reload): what the live regions are given,
// one entry per announcement, and every error thrown or promise rejected unhandled.
const installWatchers = () => {
    if (window.announced)
        return;
    window.announced = [];
    window.uncaught = [];
    for (const id of ['announce-polite', 'announce-assertive']) {
        const region = document.getElementById(id);
        new MutationObserver(() => {
            if (region.textContent)
                window.announced.push(region.textContent);
        }).observe(region, { childList: true, characterData: true, subtree: true });
    }
    window.addEventListener('error', (event) => window.uncaught.push(String(event.message)));
    window.addEventListener('unhandledrejection', (event) => window.uncaught.push(String(event.reason)));
};

// The cards' descriptions (24, in order), the score's text, every announcement so far and the
// assertive region's text.
const board = (page) => page.evaluate(() => {
    const root = document.getElementById('qt-shadow-container')?.shadowRoot ?? document;
    const cards = Array(24).fill(null);
    let score = null;
    for (const element of root.querySelectorAll('.qt-window-a11y-container *')) {
        const text = element.textContent;
        const named = /^Κάρτα (\d+): σειρά \d, στήλη \d$/.exec(text);
        if (named)
            cards[named[1] - 1] = element.getAttribute('aria-description') ?? '';
        else if (score === null && text.startsWith('Βαθμοί :'))
            score = text;
    }
    return { cards, score, announced: window.announced ?? [],
        assertive: document.getElementById('announce-assertive').textContent };
});

// Where the control whose name starts with NAME lies: in the page's pixels (those of a click or a
// tap) and, as onScreen, in the screen's (where the page is shown scaled).
const control = async (page, name) => {
    const box = await page.evaluate((name) => {
        const root = document.getElementById('qt-shadow-container')?.shadowRoot ?? document;
        const element = [...root.querySelectorAll('.qt-window-a11y-container *')]
            .find((e) => e.textContent.startsWith(name));
        if (!element)
            return null;
        const r = element.getBoundingClientRect();
        const view = window.visualViewport;
        return { x: r.x, y: r.y, width: r.width, height: r.height,
            onScreen: { x: (r.x - view.offsetLeft) * view.scale, y: (r.y - view.offsetTop) * view.scale,
                width: r.width * view.scale, height: r.height * view.scale } };
    }, name);
    return box ?? fail(`no control is named "${name}..."`);
};
const centreOf = (box) => [box.x + box.width / 2, box.y + box.height / 2];

// The windows shown: where each one's canvas lies.
const shown = (page) => page.evaluate(() => {
    const root = document.getElementById('qt-shadow-container')?.shadowRoot ?? document;
    return [...root.querySelectorAll('.qt-window')].filter((w) => w.style.display !== 'none')
        .map((w) => {
            const r = w.querySelector('canvas').getBoundingClientRect();
            return { x: r.x, y: r.y, width: r.width, height: r.height };
        });
});

module.exports = { DEADLINE_MS, SCORE, fail, ok, poll, installWatchers, board, control, centreOf,
    shown };
