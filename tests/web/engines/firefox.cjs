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
// The phone's screen is the window's (BiDi's setting of the viewport waits for ever once the
// page's viewport is honoured), at a pixel ratio of 1: Firefox's own ratio (a preference) scales
// the window's size in pixels of the page down with it.
const PHONE = { width: 844, height: 390 };
const PHONE_PREFS = {
    'dom.w3c_touch_events.enabled': 1,
    'dom.maxtouchpoints.testing.value': 5,
    'ui.primaryPointerCapabilities': 1,
    'dom.meta-viewport.enabled': true,
};

module.exports = {
    name: 'Firefox ESR',
    can: { touch: true, errorsFromStart: true, scriptsBeforeLoad: true },
    async launch({ phone = false } = {}) {
        const browser = await puppeteer.launch({
            browser: 'firefox',
            executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
            headless: true,
            extraPrefsFirefox: phone ? PHONE_PREFS : {},
            // Headless Firefox's screen, and its windows' size.
            env: phone ? { ...process.env, MOZ_HEADLESS_WIDTH: String(PHONE.width),
                MOZ_HEADLESS_HEIGHT: String(PHONE.height) } : process.env,
            defaultViewport: null,
        });
        return {
            version: (await browser.version()).replace(/^firefox\//, 'Firefox '),
            // As a phone, at the window's size.
            open: async (address, size, options) => {
                const page = await watched(browser, address, phone ? null
                    : { deviceScaleFactor: 1, ...size }, options);
                // A tap as one action of a finger, without the size and pressure that puppeteer
                // gives it, which Firefox 153 refuses.
                page.tap = (x, y) => page.page.mainFrame().browsingContext.performActions([{
                    type: 'pointer', id: 'finger', parameters: { pointerType: 'touch' }, actions: [
                        { type: 'pointerMove', x: Math.round(x), y: Math.round(y) },
                        { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }]);
                return page;
            },
            close: () => browser.close(),
        };
    },
};
