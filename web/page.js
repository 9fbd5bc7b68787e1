// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the game in the page: the program's bytes are fetched with a progress bar, compiled and
// started on the page's screen; the screen-reader layer is switched on at once; when the player
// ends the game (or it cannot start), the page says so and offers to start it again.
'use strict';

(() => {
    const screen = document.getElementById('screen');
    const notice = document.getElementById('notice');
    const status = document.getElementById('status');
    const progress = document.getElementById('progress');
    const again = document.getElementById('again');

    // The notice over the page, with TEXT and the button that starts the game again.
    const stop = (text) => {
        screen.hidden = true;
        progress.hidden = true;
        status.textContent = text;
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

    // The program, compiled from its bytes as they arrive (the size of its uncompressed bytes is
    // written into the page when it is built, since a compressed response tells only its own).
    const compile = async () => {
        const response = await fetch('Dyadora.wasm');
        if (!response.ok)
            throw new Error(`Dyadora.wasm: ${response.status} ${response.statusText}`);
        const total = Number(document.documentElement.dataset.programSize) || 0;
        const reader = response.body.getReader();
        const chunks = [];
        let received = 0;
        for (;;) {
            const { done, value } = await reader.read();
            if (done)
                break;
            chunks.push(value);
            received += value.length;
            if (total > 0)
                progress.value = Math.min(received / total, 1);
        }
        const bytes = new Uint8Array(received);
        let offset = 0;
        for (const chunk of chunks) {
            bytes.set(chunk, offset);
            offset += chunk.length;
        }
        progress.removeAttribute('value'); // compiling: no measure of its own
        status.textContent = 'Εκκίνηση…';
        return WebAssembly.compile(bytes);
    };

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

    qtLoad({
        qt: {
            module: compile(),
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
