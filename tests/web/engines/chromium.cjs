// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's chromium, headless, driven by puppeteer over its DevTools protocol.
'use strict';
const puppeteer = require('puppeteer-core');
const { watched } = require('./puppeteer.cjs');

module.exports = {
    name: 'chromium',
    // What the page's scenario may ask of it: taps with touch events, errors and requests seen
    // from the page's first script on, a script run before the page's own.
    can: { touch: true, errorsFromStart: true, scriptsBeforeLoad: true },
    // launch({ phone }): the browser; open(address, size) gives a page of it at that size.
    async launch() {
        const browser = await puppeteer.launch({
            executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
            headless: true,
            args: ['--no-sandbox', '--no-first-run', '--disable-background-networking'],
        });
        return {
            version: (await browser.version()).replace(/^(Headless)?Chrome\//, 'chromium '),
            open: (address, size, options) => watched(browser, address,
                { deviceScaleFactor: 1, ...size }, options),
            close: () => browser.close(),
        };
    },
};
