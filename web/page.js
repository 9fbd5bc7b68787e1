// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the game in the page: the program is fetched with a progress bar and compiled as it
// arrives, then started on the page's screen; the screen-reader layer is switched on at once; when the player
// ends the game (or it cannot start), the page says so and offers to start it again. A new build
// of the page is looked for at every start, and started once it is kept, never under a round.
'use strict';

(() => {
    const screen = document.getElementById('screen');
    const notice = document.getElementById('notice');
    const status = document.getElementById('status');
    const progress = document.getElementById('progress');
    const again = document.getElementById('again');
    const turn = document.getElementById('turn');
    let ended = false; // the game has ended, or could not start
    let told = ''; // what the notice says of the game
    let newer = false; // a new build has taken over since the page started (sw.js)

    const say = () => {
        status.textContent = newer
            ? `${told} Μια νέα έκδοση του παιχνιδιού είναι έτοιμη και ξεκινά με το «Νέο ξεκίνημα».`
            : told;
    };
    // The notice over the page, with TEXT and the button that starts the game again.
    const stop = (text) => {
        ended = true;
        turn.hidden = true;
        screen.hidden = true;
        progress.hidden = true;
        told = text;
        say();
        again.hidden = false;
        notice.hidden = false;
        document.title = 'Λαβυρίδες';
        again.focus();
    };
    again.addEventListener('click', () => location.reload());

    if (typeof WebAssembly !== 'object' || typeof WebAssembly.compile !== 'function') {
        stop('Ο φυλλομετρητής σας δεν υποστηρίζει WebAssembly και το παιχνίδι δεν μπορεί να '
            + 'ξεκινήσει εδώ. Ανοίξτε τη σελίδα σε νεότερο Chrome, Edge, Firefox ή Safari.');
        again.hidden = true;
        return;
    }

    // The program, compiled by the browser as its bytes arrive, while the bytes of a copy of the
    // response are counted for the progress bar (the size of its uncompressed bytes is written
    // into the page when it is built, since a compressed response tells only its own). Where the
    // browser will not compile a response as it streams (an older browser, or a server that sends
    // the program with another type), the bytes are gathered and compiled at once.
    const programSize = Number(document.documentElement.dataset.programSize) || 0;
    let fetching = true; // the page has yet to fetch its last file, the program
    const fetchProgram = async () => {
        const response = await fetch('Dyadora.wasm');
        fetching = false;
        if (!response.ok)
            throw new Error(`Dyadora.wasm: ${response.status} ${response.statusText}`);
        return response;
    };
    const count = async (response) => {
        const reader = response.body.getReader();
        let received = 0;
        for (;;) {
            const { done, value } = await reader.read();
            if (done)
                break;
            received += value.length;
            if (programSize > 0)
                progress.value = Math.min(received / programSize, 1);
        }
        progress.removeAttribute('value'); // compiling what is left: no measure of its own
        status.textContent = 'Εκκίνηση…';
        return received;
    };
    const compile = async () => {
        const response = await fetchProgram();
        if (typeof WebAssembly.compileStreaming === 'function') {
            const counted = count(response.clone());
            try {
                const [module] = await Promise.all([WebAssembly.compileStreaming(response), counted]);
                return module;
            } catch (error) {
                if (!(error instanceof TypeError))
                    throw error;
                await counted.catch(() => {});
            }
        }
        const again = await fetchProgram();
        const [bytes] = await Promise.all([again.clone().arrayBuffer(), count(again)]);
        return WebAssembly.compile(bytes);
    };

    // After one visit the game starts without the network: the service worker (sw.js) keeps the
    // page's files. It is registered once the program is here, so that on a first visit it keeps
    // the bytes that the page has just downloaded rather than fetching them again. At every start
    // the page asks for a new build, with sw.js fetched afresh first: the browser compares sw.js
    // with its own copy, revalidated, and a server that tells files apart by their time and size
    // alone (the files of a zip may all have one time) would answer that the old copy is current.
    // A new build takes over as soon as it is kept whole. A page that is still fetching its files,
    // or that the player has not touched yet, then starts again with it; one with a game under
    // way keeps its program, and starts the new one the next time it starts.
    const workers = 'serviceWorker' in navigator && window.isSecureContext
        ? navigator.serviceWorker : null;
    const controlled = Boolean(workers?.controller); // a first visit's page is not
    let worker = workers?.controller ?? null; // the worker that the page's files come from
    let touched = false; // the player has touched the game since the page started
    for (const type of ['pointerdown', 'touchstart', 'keydown'])
        window.addEventListener(type, () => { touched = true; }, { capture: true, passive: true });
    workers?.addEventListener('controllerchange', () => {
        const before = worker;
        worker = workers.controller;
        if (!before)
            return; // the first visit's worker taking the page: the same build
        if (fetching || !touched) {
            location.reload();
            return;
        }
        newer = true;
        if (ended)
            say();
    });
    const keepOffline = async () => {
        const registration = await workers.register('sw.js', { updateViaCache: 'none' });
        if (controlled) {
            await fetch('sw.js', { cache: 'reload' });
            await registration.update();
        }
    };

    // The page fits the main window's design size to the screen, as a phone's or a tablet's
    // browser lets a page do: laid out wider than a smaller screen (a phone) and shown scaled
    // down, with the whole board in view, or narrower than a larger one (a tablet) and shown
    // enlarged; Qt draws for the scale it is shown at, so the game stays sharp. A desktop browser
    // lays the page out at its window's size, and the board spreads over it. A phone held upright
    // would show the board too small to play: the page asks for it to be turned, and the game
    // waits beneath, as it was, until it is.
    const DESIGN = { width: 776, height: 454 };
    const READABLE = 0.6; // the smallest scale at which the board is shown upright
    const viewport = document.querySelector('meta[name="viewport"]');
    const fit = () => {
        const view = window.visualViewport;
        const zoom = view ? view.scale : 1;
        // The page's size on the screen, whatever scale it is shown at.
        const width = Math.round((view ? view.width : window.innerWidth) * zoom);
        const height = Math.round((view ? view.height : window.innerHeight) * zoom);
        if (width <= 0 || height <= 0)
            return; // not laid out yet
        const upright = height > width;
        // Upright, the width alone: the board then spreads down the page's height.
        const scale = Math.min(width / DESIGN.width, upright ? Infinity : height / DESIGN.height);
        const content = `width=${Math.ceil(width / scale)}`;
        if (viewport.content !== content)
            viewport.content = content;
        document.documentElement.style.setProperty('--page-scale', String(zoom));
        const asks = upright && scale < READABLE && !ended;
        turn.hidden = !asks;
        screen.inert = asks;
    };
    fit();
    window.addEventListener('resize', fit);
    window.visualViewport?.addEventListener('resize', fit);
    window.addEventListener('orientationchange', fit);

    // WebKitGTK gives Shift+Tab the key "Unidentified" (with the code "Tab"); Qt's web platform
    // goes by the key, and would take it for no key at all, so that Shift+Tab would not move the
    // focus. Such an event of a key that its code names is handed on in its place, as that key.
    const NAMED = new Set(['Tab', 'Enter', 'Escape', 'Backspace', 'Delete', 'Home', 'End',
        'PageUp', 'PageDown', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown']);
    for (const type of ['keydown', 'keyup']) {
        screen.addEventListener(type, (event) => {
            if (event.key !== 'Unidentified' || !NAMED.has(event.code))
                return;
            event.stopImmediatePropagation();
            const named = new KeyboardEvent(type, { key: event.code, code: event.code,
                location: event.location, repeat: event.repeat, shiftKey: event.shiftKey,
                ctrlKey: event.ctrlKey, altKey: event.altKey, metaKey: event.metaKey,
                bubbles: true, cancelable: true, composed: true });
            if (!event.composedPath()[0].dispatchEvent(named))
                event.preventDefault();
        }, true);
    }

    // Qt's screen-reader layer waits for a hidden button to be pressed: press it as it appears,
    // in the shadow tree where Qt keeps its windows.
    const pressEnableButtons = (root) => {
        for (const button of root.querySelectorAll('button.hidden-visually-read-by-screen-reader'))
            button.click();
    };
    let watched = null;
    new MutationObserver(() => {
        const root = screen.querySelector('#qt-shadow-container')?.shadowRoot;
        if (!root || root === watched)
            return;
        watched = root;
        pressEnableButtons(root);
        new MutationObserver(() => pressEnableButtons(root))
            .observe(root, { childList: true, subtree: true });
    }).observe(screen, { childList: true, subtree: true });

    const program = compile();
    if (workers) {
        const keep = () => keepOffline().catch((error) => console.warn(error));
        program.then(keep, keep);
    }
    qtLoad({
        qt: {
            module: program,
            entryFunction: window.Dyadora_entry,
            containerElements: [screen],
            onLoaded: () => { notice.hidden = true; },
            onExit: (exit) => stop(exit.crashed
                ? 'Το παιχνίδι σταμάτησε από σφάλμα.'
                : 'Το παιχνίδι τελείωσε.'),
        },
    }).catch((error) => {
        console.error(error);
        stop('Το παιχνίδι δεν μπόρεσε να ξεκινήσει.');
    });
})();
