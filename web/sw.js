// SPDX-License-Identifier: GPL-3.0-or-later
// The page's service worker: after one visit, the game starts and plays without the network.
// It keeps the page's files as one set, named by a hash of them all; each file is kept only if
// its size and SHA-256 are those written in below when the page was made, and the set only whole.
// A new build's set is made beside the old one and, once whole, takes over at once; the old set
// is then removed. A running page keeps the program it started with (page.js says when it starts
// again with the new one). A build that failed to install is not downloaded again while its
// server still answers the file that failed as it did then.
'use strict';

const SET = 'dyadora-@PAGE_VERSION@';
// Each file of the set: its size and SHA-256, as the page was made.
const FILES = {
    /* @PAGE_FILES@ */
};
// The last build that failed to install, and what its server said of the file that failed.
const FAILED = 'dyadora-failed-install';
// After a day a failed build is tried again whatever its server says.
const RETRY_AFTER_MS = 24 * 60 * 60 * 1000;

// What a server says of a file in its headers: a file it still describes the same way is taken to
// be the same file.
const signature = (response) => [response.status, ...['Content-Length', 'Content-Encoding', 'ETag',
    'Last-Modified'].map((name) => response.headers.get(name) ?? '')].join(' | ');

// A file whose bytes are not the build's.
class Broken extends Error {
    constructor(name, response, what) {
        super(`${name}: ${what}`);
        this.file = name;
        this.signature = signature(response);
    }
}

const hex = (buffer) => Array.from(new Uint8Array(buffer),
    (byte) => byte.toString(16).padStart(2, '0')).join('');

// The file NAME fetched with the cache mode MODE, once its bytes are checked: Broken when they
// are not the build's (or the server refuses it), a TypeError when nothing came.
const fetchChecked = async (name, mode) => {
    const [size, hash] = FILES[name];
    const response = await fetch(new Request(name, { cache: mode, mode: 'same-origin' }));
    if (!response.ok)
        throw new Broken(name, response, `${response.status} ${response.statusText}`);
    const kept = response.clone();
    const bytes = await response.arrayBuffer();
    if (bytes.byteLength !== size)
        throw new Broken(name, response, `${bytes.byteLength} bytes where the build has ${size}`);
    if (hex(await crypto.subtle.digest('SHA-256', bytes)) !== hash)
        throw new Broken(name, response, 'bytes other than the build\'s');
    return kept;
};

// A file of the set: the browser's own copy where it has the build's bytes (on a first visit,
// what the page has just downloaded; on an update, the files that did not change), else the
// server's, fetched afresh.
const fetchFile = (name) => fetchChecked(name, 'only-if-cached')
    .catch(() => fetchChecked(name, 'reload'));

// Stops the install at once if this build failed before and its server still answers the file
// that failed as it did then (asked for its headers alone).
const stopIfStillBroken = async () => {
    const kept = await caches.match('failed', { cacheName: FAILED });
    if (!kept)
        return;
    const failure = await kept.json();
    if (failure.set !== SET || Date.now() - failure.time > RETRY_AFTER_MS)
        return;
    const now = await fetch(new Request(failure.file, { method: 'HEAD', cache: 'no-store' }));
    if (signature(now) === failure.signature)
        throw new Error(`${failure.file} is as it was when this build failed to install`);
};

const remember = async (broken) => {
    const cache = await caches.open(FAILED);
    await cache.put('failed', new Response(JSON.stringify(
        { set: SET, file: broken.file, signature: broken.signature, time: Date.now() })));
};

// The set is written only once every file is here and checked; a failed install leaves none.
self.addEventListener('install', (event) => {
    event.waitUntil((async () => {
        await stopIfStillBroken();
        const names = Object.keys(FILES);
        const responses = await Promise.all(names.map(fetchFile)).catch(async (error) => {
            if (error instanceof Broken)
                await remember(error);
            throw error;
        });
        const cache = await caches.open(SET);
        await Promise.all(names.map((name, i) => cache.put(name, responses[i])))
            .catch(async (error) => {
                await caches.delete(SET);
                throw error;
            });
        await self.skipWaiting();
    })());
});

// Whole and checked, the set takes over: the other sets go, and a remembered failure with them.
self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names
            .filter((name) => name.startsWith('dyadora-') && name !== SET)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The page's own files come from the set; anything else goes to the network as it would.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
        return;
    // Only a file of the set is answered here: anything else (sw.js, which the page asks for at
    // every start) fails offline as it would without the worker, where an answer of the worker's
    // that fails is, to Firefox, an error of the page.
    const scope = new URL(self.registration.scope).pathname;
    const path = new URL(request.url).pathname;
    if (!path.startsWith(scope) || !Object.hasOwn(FILES, path.slice(scope.length) || './'))
        return;
    event.respondWith(caches.open(SET)
        .then((cache) => cache.match(request, { ignoreSearch: true }))
        .then((kept) => kept || fetch(request)));
});
