// SPDX-License-Identifier: GPL-3.0-or-later
// WebKit, Safari's engine, in its GTK port: WebKitGTK's MiniBrowser in a virtual X server of its
// own, driven over W3C WebDriver by WebKitWebDriver. WebDriver sends it no touch (touch actions
// arrive as mouse events). (WPE's cog 0.18, headless, was tried too: its window stays 800 x 600,
// WebDriver's clicks do not reach the page and it takes no proxy.)
'use strict';
const { launch, virtualDisplay } = require('./webdriver.cjs');

const webkitgtk = {
    name: 'WebKitGTK',
    can: { touch: false, errorsFromStart: false, scriptsBeforeLoad: false },
    async launch() {
        const display = await virtualDisplay();
        try {
            const browser = await launch('WebKitWebDriver', {
                browserName: 'MiniBrowser',
                'webkitgtk:browserOptions': {
                    binary: process.env.MINIBROWSER
                        ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
                    args: ['--automation'],
                },
            }, { ...process.env, DISPLAY: display.display });
            const close = browser.close.bind(browser);
            browser.close = async () => { await close(); display.stop(); };
            return browser;
        } catch (error) {
            display.stop();
            throw error;
        }
    },
};

module.exports = webkitgtk;
