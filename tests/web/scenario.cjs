// SPDX-License-Identifier: GPL-3.0-or-later
// The page played the same way in every engine, through the small interface of its adapter
// (tests/web/engines/): the main window shown and painted; a whole round won with clicks at the
// cards, each card's photo learnt from its description as it is turned, the score after every
// mismatch, one announcement per move naming its card; keyboard play (Shift+Tab from the start
// button, Space, the arrows); the help window opened with the keyboard and closed with a click;
// Esc, the page's "Το παιχνίδι τελείωσε." and its button starting the game again; then, with the
// page's server stopped, a reload that deals and turns a card; and nothing asked of another host,
// no error thrown. As a phone (an engine that can be sent touch): every control on the screen,
// and taps that deal and turn.
'use strict';
const { poll, ok, fail, installWatchers, shown, control, centreOf, board, SCORE } =
    require('./in_page.cjs');

const card = (i) => `Κάρτα ${i + 1}:`;

// A move: a click (or tap) at the control named NAME, then exactly one announcement more, which
// names the card when a card was pressed, and the card shown face up.
async function move(page, press, name, what) {
    const before = await board(page);
    await press(...centreOf(await control(page, name)));
    return poll(what, async () => {
        const seen = await board(page);
        const last = seen.announced.at(-1) ?? '';
        const i = name.startsWith('Κάρτα') ? Number(/\d+/.exec(name)[0]) - 1 : -1;
        const face = i < 0 ? '' : seen.cards[i];
        return { done: seen.announced.length === before.announced.length + 1
                && (i < 0 || (last.startsWith(name) && !/^κλειστή/.test(face))),
            seen: { announcements: seen.announced.length - before.announced.length, last, face },
            value: seen };
    });
}

const photoOf = (description) =>
    /^(ανοιχτή κάρτα|βρέθηκε ζευγάρι|δεν ταίριαξε, θα κλείσει): (.+)$/.exec(description)?.[2]
    ?? fail(`a turned card is described as "${description}"`);

// A whole round, won: every turn takes a pair already known where there is one, or else a card
// not seen yet and, when its partner is known, the partner, or else another card not seen yet.
// The first card of a turn is never one of the pair just mismatched, which that click covers.
async function wonRound(page, press, start) {
    const dealt = await move(page, press, start, `"${start}" deals, announced once`);
    if (dealt.score !== `${SCORE}20` || !dealt.cards.every((c) => c === 'κλειστή κάρτα'))
        fail(`after the deal: ${JSON.stringify(dealt)}`);
    ok('24 cards dealt face down, the score 20');
    const photos = new Map();
    const found = new Set();
    let score = 20;
    let mismatched = [];
    const unseen = (but) => [...Array(24).keys()].find((i) => !photos.has(i) && i !== but
        && !mismatched.includes(i));
    const partner = (i) => [...photos.keys()].find((j) => j !== i && !found.has(j)
        && photos.get(j) === photos.get(i));
    const turn = async (i) => {
        const seen = await move(page, press, card(i), `card ${i + 1} turns, announced once by its name`);
        photos.set(i, photoOf(seen.cards[i]));
        return seen;
    };
    let mismatches = 0;
    while (found.size < 24) {
        let first = [...photos.keys()].find((i) => !found.has(i) && partner(i) !== undefined
            && !mismatched.includes(i));
        first ??= unseen(-1) ?? [...photos.keys()].find((i) => !found.has(i) && !mismatched.includes(i));
        await turn(first);
        const second = partner(first) ?? unseen(first)
            ?? fail(`no card to turn after card ${first + 1}`);
        const seen = await turn(second);
        if (photos.get(first) === photos.get(second)) {
            found.add(first).add(second);
            mismatched = [];
            continue;
        }
        mismatched = [first, second];
        mismatches += 1;
        score -= 1;
        const last = seen.announced.at(-1);
        if (seen.score !== `${SCORE}${score}` || !last.includes(`Βαθμοί: ${score}.`))
            fail(`after mismatch ${mismatches} the score reads "${seen.score}", announced "${last}"`);
        ok(`mismatch ${mismatches}: the score reads ${score}, and the announcement says so`);
    }
    const end = await board(page);
    if (!end.cards.every((c) => c.startsWith('βρέθηκε ζευγάρι'))
        || !/Κερδίσατε με \d+ βαθμ/.test(end.assertive) || !end.score.startsWith(`${SCORE}${score}.`))
        fail(`after the last pair: ${JSON.stringify(end)}`);
    ok(`the round is won, "${end.score}", and announced at once: "${end.assertive}"`);
}

// Keyboard play: the start button deals afresh (and keeps the focus); Shift+Tab takes the focus
// to the board, Space turns the focused card, Right takes it to the next card and Space turns that.
async function keyboard(page) {
    const before = await board(page);
    await page.press('Space');
    const dealt = await poll('Space on the focused start button deals afresh', async () => {
        const seen = await board(page);
        return { done: seen.announced.length === before.announced.length + 1
                && seen.cards.every((c) => c === 'κλειστή κάρτα'), seen: seen.announced.at(-1),
            value: seen };
    });
    const key = async (what, keys, check) => {
        const count = (await board(page)).announced.length;
        for (const [name, shift] of keys)
            await page.press(name, { shift });
        return poll(what, async () => {
            const seen = await board(page);
            const turned = seen.cards.findIndex((c, i) => c !== 'κλειστή κάρτα' && check(i));
            return { done: seen.announced.length === count + 1 && turned >= 0
                    && seen.announced.at(-1).startsWith(card(turned)),
                seen: seen.announced.slice(count), value: turned };
        });
    };
    const first = await key('Shift+Tab from the start button, then Space, turns a card',
        [['Tab', true], ['Space']], () => true);
    // The turned card can no longer take the focus: it goes to the nearest covered card (of
    // those equally near, the first in reading order after it, going round); Right goes on to the
    // next covered card in reading order, or, from the last, Left to the one before.
    const distance = (a, b) => (Math.floor(a / 6) - Math.floor(b / 6)) ** 2 + (a % 6 - b % 6) ** 2;
    const focused = [...Array(24).keys()].filter((i) => i !== first)
        .sort((a, b) => distance(a, first) - distance(b, first)
            || (a - first + 24) % 24 - (b - first + 24) % 24)[0];
    const covered = (i) => i >= 0 && i < 24 && i !== first;
    const right = [...Array(24).keys()].find((i) => i > focused && covered(i));
    const next = right ?? [...Array(focused).keys()].reverse().find(covered);
    await key(`the focus moves to card ${focused + 1}; ${right === undefined ? 'Left' : 'Right'} `
        + `then Space turns card ${next + 1}`,
    [[right === undefined ? 'ArrowLeft' : 'ArrowRight'], ['Space']], (i) => i === next);
    return dealt;
}

// The help window: the start button pressed with a click keeps the focus; Tab takes it to the
// help button, Enter opens the help window, and a click on its OK closes it.
async function help(page) {
    await move(page, (x, y) => page.click(x, y), 'Τέλος', 'the start button deals afresh');
    const count = (await board(page)).announced.length;
    await page.press('Tab');
    await page.press('Enter');
    const okButton = await poll('Tab and Enter open the help window', async () => {
        const windows = await shown(page);
        return { done: windows.length === 2, seen: windows,
            value: windows.find((w) => w.width === 546) };
    });
    if (!okButton)
        fail('the help window is not of its design width, 546 pixels');
    await page.click(okButton.x + 264, okButton.y + 380);
    await poll('a click on its OK closes it', async () => {
        const windows = await shown(page);
        return { done: windows.length === 1, seen: windows };
    });
    if ((await board(page)).announced.length !== count)
        fail('the help window made an announcement');
}

async function ended(page) {
    await page.press('Escape');
    await poll('Esc ends the game and the page says so, with its button', () => page.evaluate(() => {
        const text = document.getElementById('status').textContent;
        return { done: !document.getElementById('notice').hidden && text === 'Το παιχνίδι τελείωσε.'
                && !document.getElementById('again').hidden, seen: text };
    }));
    const again = await page.evaluate(() => {
        const r = document.getElementById('again').getBoundingClientRect();
        return [r.x + r.width / 2, r.y + r.height / 2];
    });
    await page.click(...again);
    await started(page, '"Νέο ξεκίνημα" starts the game again');
}

// The main window shown and painted, with the page's watchers installed in the (new) document.
async function started(page, what) {
    await poll(what, () => page.evaluate(() => {
        const canvas = document.getElementById('qt-shadow-container')?.shadowRoot
            ?.querySelector('.qt-window canvas');
        if (!canvas || canvas.width === 0 || !document.getElementById('notice').hidden)
            return { done: false, seen: document.getElementById('status')?.textContent };
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        const colours = new Set();
        for (let i = 0; i < pixels.length && colours.size < 3; i += 4 * 97)
            colours.add(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
        return { done: colours.size > 2, seen: `${colours.size} colours` };
    }));
    await page.evaluate(installWatchers);
}

module.exports = { wonRound, keyboard, help, ended, started, move, card };
