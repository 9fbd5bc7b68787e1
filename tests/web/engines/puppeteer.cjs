// SPDX-License-Identifier: GPL-3.0-or-later
// A page of an engine that puppeteer drives (chromium over its DevTools protocol, Firefox over
// WebDriver BiDi), behind the small interface that every engine's adapter gives the page's
// scenario (engines/README in the comment of engines.test.cjs): evaluate a function in the page,
// click or tap at a point, press keys, reload, and what the page threw or asked of other hosts.
'use strict';

// watched(browser, address, size): a page of a new browser context (nothing kept of another) at
// SIZE ({ width, height, deviceScaleFactor, isMobile, hasTouch }; null: the window's first tab,
// at the window's size), which refuses and records every
// request off the page's host and records every error thrown in the page from its first script
// on; then opens ADDRESS, with BEFORE_LOAD, when given, run in every document of the page before
// its own scripts.
async function watched(browser, address, size, { beforeLoad } = {}) {
    // At the window's size: the window's first tab.
    const context = size ? await browser.createBrowserContext() : null;
    const page = context ? await context.newPage() : (await browser.pages())[0];
    const errors = [];
    const refused = [];
    const origin = new URL(address).origin;
    if (size)
        await page.setViewport(size);
    await page.setRequestInterception(true);
    page.on('request', (request) => {
        const url = request.url();
        if (url.startsWith(`${origin}/`) || url.startsWith('data:') || url.startsWith('blob:'))
            return request.continue();
        refused.push(url);
        return request.abort();
    });
    page.on('pageerror', (error) => errors.push(error.message));
    if (beforeLoad)
        await page.evaluateOnNewDocument(beforeLoad);
    await page.goto(address);
    return {
        evaluate: (fn, ...args) => page.evaluate(fn, ...args),
        click: (x, y) => page.mouse.click(x, y),
        tap: (x, y) => page.touchscreen.tap(Math.round(x), Math.round(y)),
        // press(KEY, { shift }): one key (puppeteer's names: Tab, Enter, Escape, Space,
        // ArrowRight, ...), with Shift held when asked.
        press: async (key, { shift = false } = {}) => {
            if (shift)
                await page.keyboard.down('Shift');
            await page.keyboard.press(key === 'Space' ? ' ' : key); // BiDi knows no "Space"
            if (shift)
                await page.keyboard.up('Shift');
        },
        reload: () => page.reload(),
        errors: () => [...errors],
        refused: () => [...refused],
        close: () => (context ? context.close() : page.close()),
        page, // the engine's own page, for the checks only it can make
    };
}

module.exports = { watched };
