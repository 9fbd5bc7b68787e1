// SPDX-License-Identifier: GPL-3.0-or-later
// The page's service worker: after one visit, the game starts and plays without the network.
// It keeps the page's files as one set, named by a hash of them all that is written in when the
// page is made. A new build's set is fetched whole beside the old one; it takes over once no page
// of the old set is open (the next visit), so that a page never mixes files of two builds, and
// the old set is then removed.
'use strict';

const SET = 'dyadora-@PAGE_VERSION@';
const FILES = [/* @PAGE_FILES@ */];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(SET).then((cache) => cache.addAll(FILES.map(
        (file) => new Request(file, { cache: 'reload' })))));
});

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
    event.respondWith(caches.open(SET)
        .then((cache) => cache.match(request, { ignoreSearch: true }))
        .then((kept) => kept || fetch(request)));
});
