// SPDX-License-Identifier: GPL-3.0-or-later
// The page's screen-reader layer, which a blind player explores by touch: each control's element
// stays where the control is drawn, as a fresh page of the same size places it, through a phone
// turned back and forth mid-round and a desktop window made smaller and larger, with the help
// window open once; a tap on a card's element turns that card. The page's focus follows the
// game's keyboard focus from card to card and is never hidden from screen readers; opening and
// closing the help window leaves no element behind.
'use strict';
const { PAGE, PHONE, UPRIGHT, fail, ok, poll, defineQtRoot, fills, boxOf, centreOf, card,
    watchAnnouncements, score } = require('./lib.cjs');

// Every element of the layer that screen readers are shown, keyed by the card's number or by the
// element's id (which Qt makes from the objects' names), with its box in the page's pixels; and
// how often each key occurs.
const elements = (page) => page.evaluate(() => {
    const boxes = {};
    const counts = {};
    for (const e of qtRoot().querySelectorAll('.qt-window-a11y-container > *')) {
        const key = /^Κάρτα \d+:/.test(e.textContent) ? e.textContent.split(':')[0] : e.id;
        counts[key] = (counts[key] ?? 0) + 1;
        if (e.ariaHidden === 'true' || e.closest('.qt-window').style.display === 'none')
            continue;
        const r = e.getBoundingClientRect();
        boxes[key] = [r.x, r.y, r.width, r.height];
    }
    return { boxes, counts };
});

// Waits until the layer holds the 24 cards.
const layered = (page, what) => poll(what, async () => {
    const seen = Object.keys((await elements(page)).boxes).length;
    return { done: seen >= 29, seen: `${seen} elements` };
});

// The boxes of the page freshly loaded at each viewport of SIZES, in a page of its own.
async function freshBoxes(browser, address, sizes) {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(defineQtRoot);
    const boxes = [];
    for (const size of sizes) {
        await page.setViewport(size);
        await page.goto(address);
        await layered(page, `a fresh page of ${size.width} x ${size.height} has its elements`);
        boxes.push((await elements(page)).boxes);
    }
    await page.close();
    return boxes;
}

// Waits until every element lies within 2 pixels of its box in EXPECTED.
const placedAs = (page, expected, what) => poll(what, async () => {
    const { boxes } = await elements(page);
    const wrong = Object.keys(expected).filter((key) => !boxes[key]
        || boxes[key].some((value, i) => Math.abs(value - expected[key][i]) > 2));
    const seen = wrong.slice(0, 3).map((key) => `${key}: ${boxes[key]} not ${expected[key]}`);
    return { done: Object.keys(expected).length >= 29 && wrong.length === 0,
        seen: `${wrong.length} of ${Object.keys(expected).length} elsewhere; ${seen.join('; ')}` };
});

// The page's focused element, looked for through the shadow trees.
const focused = (page) => page.evaluate(() => {
    let element = document.activeElement;
    while (element?.shadowRoot?.activeElement)
        element = element.shadowRoot.activeElement;
    return { tag: element?.tagName, name: element?.textContent.split(':')[0],
        hidden: Boolean(element?.closest('[aria-hidden="true"]')) };
});

// Waits until card I shows its photo (its description names it: "ανοιχτή κάρτα: γάτα", or the
// same after a pair or a mismatch).
const faceUp = (page, i) => poll(`card ${i + 1} is face up`, () => page.evaluate((name) => {
    const element = [...qtRoot().querySelectorAll('.qt-window-a11y-container *')]
        .find((e) => e.textContent.startsWith(name));
    const seen = element?.getAttribute('aria-description') ?? 'no element';
    return { done: /^(ανοιχτή κάρτα|βρέθηκε ζευγάρι|δεν ταίριαξε, θα κλείσει): /.test(seen), seen };
}, card(i)));

// A phone opened upright, then turned sideways, upright and sideways again mid-round.
async function turnedPhone(browser, address) {
    const [sideways, upright] = await freshBoxes(browser, address, [PHONE, UPRIGHT]);
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(defineQtRoot);
    await page.setViewport(UPRIGHT);
    await page.goto(address);
    await layered(page, 'a page opened upright has its elements');
    await page.setViewport(PHONE);
    await placedAs(page, sideways, 'opened upright and turned sideways, every element is on its control');
    await page.touchscreen.tap(...centreOf(await boxOf(page, 'Έναρξη')));
    await poll('a tap deals', async () => ({ done: (await score(page)) === 'Βαθμοί : 20',
        seen: await score(page) }));
    await page.touchscreen.tap(...centreOf(await boxOf(page, card(6))));
    await faceUp(page, 6);
    for (const [size, boxes, held] of [[UPRIGHT, upright, 'upright'], [PHONE, sideways, 'sideways'],
        [UPRIGHT, upright, 'upright again'], [PHONE, sideways, 'sideways again']]) {
        await page.setViewport(size);
        await placedAs(page, boxes, `mid-round, turned ${held}, every element is on its control`);
    }
    for (const i of [0, 11, 23]) {
        await page.touchscreen.tap(...centreOf(await boxOf(page, card(i))));
        await faceUp(page, i);
    }
    await page.close();
}

// A desktop window made smaller and larger, the help window opened once; the keyboard focus
// followed by the page's; help opened and closed twenty times.
async function desktop(browser, address) {
    const sizes = [PAGE, { width: 800, height: 600 }, { width: 1920, height: 1080 }];
    const expected = await freshBoxes(browser, address, sizes);
    const page = await browser.newPage();
    const hiddenFocus = [];
    page.on('console', (message) => {
        if (/aria-hidden/.test(message.text()))
            hiddenFocus.push(message.text());
    });
    await page.evaluateOnNewDocument(defineQtRoot);
    await page.evaluateOnNewDocument(watchAnnouncements);
    await page.setViewport(PAGE);
    await page.goto(address);
    await layered(page, 'the desktop page has its elements');
    await page.mouse.click(...centreOf(await boxOf(page, 'Έναρξη')));
    await poll('the start button deals', async () => ({
        done: (await score(page)) === 'Βαθμοί : 20', seen: await score(page) }));

    // The keyboard: Shift+Tab from the start button to the board, Right twice, Space.
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    const first = await poll('Shift+Tab brings the page\'s focus to a card\'s element', async () => {
        const seen = await focused(page);
        return { done: /^Κάρτα \d+$/.test(seen.name) && seen.tag === 'BUTTON', seen };
    });
    const number = Number(first.name.split(' ')[1]);
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowRight');
    await poll('Right twice takes the page\'s focus two cards on', async () => {
        const seen = await focused(page);
        return { done: seen.name === `Κάρτα ${number + 2}` && !seen.hidden, seen };
    });
    const before = await page.evaluate(() => window.announced.length);
    await page.keyboard.press('Space');
    await faceUp(page, number + 1);
    await poll('Space turns the focused card once, announced once', () => page.evaluate((n) => ({
        done: window.announced.length === n + 1, seen: window.announced.slice(n) }), before));
    await poll('the page\'s focus moves on from the turned card, never into hiding', async () => {
        const seen = await focused(page);
        return { done: seen.name !== `Κάρτα ${number + 2}` && !seen.hidden && seen.tag === 'BUTTON',
            seen };
    });

    // Smaller, with the help window open: its OK lies on the help window and a click there
    // closes it; then larger.
    await page.setViewport(sizes[1]);
    await placedAs(page, expected[1], 'made smaller, every element is on its control');
    await page.mouse.click(...centreOf(await boxOf(page, 'Βοήθεια')));
    const okButton = await poll('the help window\'s OK element lies on the help window', () =>
        page.evaluate(() => {
            const help = [...qtRoot().querySelectorAll('.qt-window')]
                .find((w) => w.style.display !== 'none' && w.querySelector('canvas')
                    .getBoundingClientRect().width === 546);
            const button = help?.querySelector('.qt-window-a11y-container button');
            if (!button)
                return { done: false, seen: 'no help window with a button' };
            const [b, w] = [button, help.querySelector('canvas')].map((e) => e.getBoundingClientRect());
            const inside = b.width > 0 && b.x >= w.x && b.y >= w.y && b.right <= w.right
                && b.bottom <= w.bottom;
            return { done: inside, seen: [b.x + b.width / 2, b.y + b.height / 2] };
        }));
    await page.mouse.click(...okButton);
    await poll('a click on the OK element closes the help window', () => page.evaluate(() => {
        const count = [...qtRoot().querySelectorAll('.qt-window')]
            .filter((w) => w.style.display !== 'none').length;
        return { done: count === 1, seen: `${count} windows shown` };
    }));
    await page.setViewport(sizes[2]);
    await placedAs(page, expected[2], 'made larger, every element is on its control');
    await page.setViewport(sizes[0]);
    await placedAs(page, expected[0], 'back at its first size, every element is on its control');

    // Twenty times help, by the keyboard: the same elements after as before, none twice.
    const { counts } = await elements(page);
    await page.mouse.click(...centreOf(await boxOf(page, 'Βοήθεια')));
    const shown = (n) => poll(`${n} windows are shown`, () => page.evaluate(() => [...qtRoot()
        .querySelectorAll('.qt-window')].filter((w) => w.style.display !== 'none').length)
        .then((count) => ({ done: count === n, seen: count })));
    await shown(2);
    await page.keyboard.press('Enter');
    for (let i = 1; i < 20; i += 1) {
        await shown(1);
        await page.keyboard.press('Enter'); // the help button has the focus again
        await shown(2);
        await page.keyboard.press('Enter');
    }
    await shown(1);
    const after = (await elements(page)).counts;
    if (JSON.stringify(after) !== JSON.stringify(counts))
        fail(`after help twenty times the elements differ:\n${JSON.stringify(counts)}\n${JSON.stringify(after)}`);
    if (Object.values(after).some((n) => n > 1))
        fail(`an element is there twice: ${JSON.stringify(after)}`);
    ok(`after help twenty times the same ${Object.keys(after).length} elements, none twice`);

    // The round ended by its button: no focus was ever hidden from screen readers.
    await page.mouse.click(...centreOf(await boxOf(page, 'Τερματισμός')));
    await poll('the round ends', () => page.evaluate(() => ({
        done: /Αρχή νέας παρτίδας/.test(qtRoot().querySelector('.qt-window-a11y-container')
            .textContent), seen: window.announced.slice(-1) })));
    if (hiddenFocus.length > 0)
        fail(`chromium found the focus hidden from screen readers: ${hiddenFocus[0]}`);
    ok('over the round chromium never found the focus hidden from screen readers');
    await page.close();
}

async function screenReader(browser, address) {
    await turnedPhone(browser, address);
    await desktop(browser, address);
}

module.exports = { screenReader };
