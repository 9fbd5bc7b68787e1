// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's Firefox ESR, headless, driven by puppeteer over WebDriver BiDi (Firefox's own remote
// agent: no geckodriver). BiDi has no accessibility tree and no DevTools protocol: the page's
// scenario reads Qt's screen-reader elements from the page itself.
'use strict';
const puppeteer = require('puppeteer-core');
const { watched } = require('./puppeteer.cjs');

// As a phone: touch events, a touch screen as the primary pointer, and the page's viewport
// honoured (without it desktop Firefox lays the page out at its window's size, and on a phone's
// screen the bottom row of cards lies below it).
const PHONE_PREFS = {
    'dom.w3c_touch_events.enabled': 1,
    'dom.maxtouchpoints.testing.value': 5,
    'ui.primaryPointerCapabilities': 1,
    'dom.meta-viewport.enabled': true,
};

module.exports = {
    name: 'Firefox ESR',
    can: { touch: true, errorsFromStart: true },
    async launch({ phone = false } = {}) {
        const browser = await puppeteer.launch({
            browser: 'firefox',
            executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
            headless: true,
            extraPrefsFirefox: phone ? PHONE_PREFS : {},
        });
        return {
            version: (await browser.version()).replace(/^firefox\//, 'Firefox '),
            open: (address, size) => watched(browser, address, { deviceScaleFactor: 1, ...size }),
            close: () => browser.close(),
        };
    },
};
