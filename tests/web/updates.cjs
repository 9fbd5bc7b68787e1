// SPDX-License-Identifier: GPL-3.0-or-later
// The page's updates, in chromium: two builds served in turn from one origin of a server of the
// test's own (web/serve.py) to a browser profile kept on disk, one of them broken, with the server
// stopped between them.
'use strict';

const puppeteer = require('puppeteer-core');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync, spawn } = require('child_process');
const { fail, ok, poll, defineQtRoot, boxOf, centreOf, card, accessibleNodes, score } =
    require('./lib.cjs');

const WEB = path.join(__dirname, '..', '..', 'web'); // the page's sources

// Which build's program a page compiled: build B's has a custom section "build" naming it.
const watchBuild = () => {
    const note = (module) => {
        const [section] = WebAssembly.Module.customSections(module, 'build');
        window.build = section ? new TextDecoder().decode(section) : 'A';
        return module;
    };
    const { compile, compileStreaming } = WebAssembly;
    WebAssembly.compile = (...args) => compile.apply(WebAssembly, args).then(note);
    WebAssembly.compileStreaming = (...args) => compileStreaming.apply(WebAssembly, args).then(note);
};

// Builds B and B broken from build A's page, in WORK: B's program has a custom section more
// (which the program ignores), and its list is made again by the page's own step; B broken's
// program is cut in half after that. Every file has A's times, as the files of two zips may: a
// server that tells files apart by time and size sees no change. Gives the sets' names.
function makeBuilds(a, work) {
    const [b, broken] = [path.join(work, 'b'), path.join(work, 'b-broken')];
    fs.cpSync(a, b, { recursive: true });
    const program = Buffer.concat([fs.readFileSync(path.join(a, 'Dyadora.wasm')),
        Buffer.from([0, 7, 5]), Buffer.from('buildB')]);
    fs.writeFileSync(path.join(b, 'Dyadora.wasm'), program);
    fs.rmSync(path.join(b, 'Dyadora.wasm.gz')); // sent as it is
    execFileSync('cmake', [`-DPAGE=${b}`, `-DSOURCE=${WEB}`, '-P', path.join(WEB, 'MakeWorker.cmake')]);
    fs.cpSync(b, broken, { recursive: true });
    fs.writeFileSync(path.join(broken, 'Dyadora.wasm'), program.subarray(0, program.length >> 1));
    for (const [folder, file] of [b, broken].flatMap((f) => fs.readdirSync(f).map((n) => [f, n]))) {
        const { atime, mtime } = fs.statSync(path.join(a, file));
        fs.utimesSync(path.join(folder, file), atime, mtime);
    }
    const set = (folder) => /const SET = '([^']+)'/.exec(fs.readFileSync(path.join(folder, 'sw.js'), 'utf8'))[1];
    return { a: set(a), b: set(b), bFolder: b, broken };
}

// web/serve.py, serving LINK (swapped from one build's folder to another's) and writing each
// request to LOG; started again on its first port, so that the page keeps its origin.
class Server {
    constructor(link, log) {
        Object.assign(this, { link, log, port: 0 });
    }

    serve(folder) {
        fs.symlinkSync(folder, `${this.link}.new`);
        fs.renameSync(`${this.link}.new`, this.link);
    }

    async start() {
        this.process = spawn('python3', [path.join(WEB, 'serve.py'), this.link, String(this.port), this.log],
            { stdio: ['ignore', 'pipe', 'inherit'] });
        let said = '';
        this.process.stdout.on('data', (data) => { said += data; });
        this.address = await poll('the page\'s server says its address', async () => {
            const address = /^The game is at (http\S+)$/m.exec(said)?.[1];
            return { done: Boolean(address) || this.process.exitCode !== null, seen: address };
        }) ?? fail(`the page's server ended: ${said}`);
        this.port = Number(new URL(this.address).port);
    }

    async stop() {
        if (this.process.exitCode === null && this.process.signalCode === null) {
            this.process.kill();
            await new Promise((resolve) => this.process.once('exit', resolve));
        }
    }

    // The requests from the MARKth on, each [method, path, status, bytes].
    requests(mark = 0) {
        return fs.readFileSync(this.log, 'utf8').split('\n').filter(Boolean).slice(mark)
            .map((line) => line.split(' '));
    }
}

// PAGE.evaluate, with what went wrong as what a probe saw (the page may be starting again).
const probe = (page, ...args) => page.evaluate(...args)
    .catch((error) => ({ done: false, seen: error.message }));

async function openTab(browser, address) {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(defineQtRoot);
    await page.evaluateOnNewDocument(watchBuild);
    await page.goto(address);
    return page;
}

// Waits for the page to show the main window with the program of BUILD.
const starts = (page, build, what) => poll(what, () => probe(page, (build) => ({
    done: document.getElementById('notice').hidden && window.build === build
        && qtRoot().querySelector('.qt-window canvas')?.width > 0,
    seen: `build ${window.build}: ${document.getElementById('status').textContent}` }), build));

const cardOpen = (page, what) => poll(what, async () => {
    const seen = (await accessibleNodes(page)).find((n) => /^Κάρτα 1:/.test(n.name || ''))?.description;
    return { done: /^ανοιχτή κάρτα: /.test(seen || ''), seen };
});

// A round is dealt and a card turned, with clicks.
async function plays(page, what) {
    await page.bringToFront();
    await page.mouse.click(...centreOf(await boxOf(page, 'Έναρξη')));
    await poll(`${what}, the start button deals`, async () => {
        const seen = await score(page);
        return { done: seen === 'Βαθμοί : 20', seen };
    });
    await page.mouse.click(...centreOf(await boxOf(page, card(0))));
    await cardOpen(page, `${what}, a click turns a card`);
}

// Waits until the service worker holds the one set SET, whole (11 files), and nothing installs.
const holds = (page, set, what) => poll(what, () => probe(page, async (set) => {
    const registration = await navigator.serviceWorker.getRegistration();
    const sets = {};
    for (const name of (await caches.keys()).filter((n) => /^dyadora-[0-9a-f]{16}$/.test(n)))
        sets[name] = (await (await caches.open(name)).keys()).length;
    const seen = { sets, active: registration?.active?.state,
        installing: Boolean(registration?.installing), waiting: Boolean(registration?.waiting) };
    return { done: JSON.stringify(sets) === JSON.stringify({ [set]: 11 })
        && seen.active === 'activated' && !seen.installing && !seen.waiting, seen };
}, set));

// Two builds of the page from one origin, to a browser profile kept on disk: the first visit
// fetches the program once and chromium finds the page installable; B broken is not kept, nor
// fetched again while the server answers it as it did, and A plays on, online and offline; then
// B whole is kept and takes over at once: a page not yet touched starts again with it, a tab kept
// open keeps its round of A and starts B at its "Νέο ξεκίνημα", and A's set is removed; last,
// the browser started again plays B offline.
async function updates(folder, options) {
    const pageFolder = path.resolve(folder);
    const work = fs.mkdtempSync(path.join(os.tmpdir(), 'dyadora-updates-'));
    const builds = makeBuilds(pageFolder, work);
    const server = new Server(path.join(work, 'site'), path.join(work, 'requests.log'));
    const launch = () => puppeteer.launch({ ...options, userDataDir: path.join(work, 'profile') });
    const wasmFetched = (mark, method = 'GET') => server.requests(mark)
        .filter(([asked, file]) => asked === method && file === '/Dyadora.wasm').length;
    server.serve(pageFolder);
    await server.start();
    let browser = await launch();
    try {
        const kept = await openTab(browser, server.address);
        await starts(kept, 'A', 'the first visit starts build A');
        await holds(kept, builds.a, 'the service worker keeps the first visit\'s files as one set');
        const first = server.requests().filter(([method]) => method === 'GET');
        const bytes = first.reduce((sum, [, , , size]) => sum + Number(size), 0);
        if (wasmFetched(0) !== 1)
            fail(`the first visit fetched the program ${wasmFetched(0)} times`);
        ok(`the first visit fetched the program once: ${first.length} requests, ${(bytes / 1e6).toFixed(2)} MB`);
        const { installabilityErrors } = await (await kept.createCDPSession())
            .send('Page.getInstallabilityErrors');
        if (installabilityErrors.length > 0)
            fail(`chromium finds the page not installable: ${JSON.stringify(installabilityErrors)}`);
        ok('chromium finds the page installable');
        await plays(kept, 'in a tab kept open');
        await kept.evaluate(() => { window.keptOpen = true; });

        server.serve(builds.broken);
        let mark = server.requests().length;
        const tab = await openTab(browser, server.address);
        await starts(tab, 'A', 'with B broken published, the page starts A');
        await poll('B broken\'s program is fetched', () => ({ done: wasmFetched(mark) > 0, seen: server.requests(mark) }));
        await holds(tab, builds.a, 'B broken fails to install: A\'s set is all there is');
        mark = server.requests().length;
        await tab.reload();
        await starts(tab, 'A', 'at the next visit, the page starts A');
        await poll('B broken is looked at again, its program\'s headers alone', () => ({
            done: wasmFetched(mark, 'HEAD') > 0, seen: server.requests(mark) }));
        await plays(tab, 'online, A');
        await holds(tab, builds.a, 'A\'s set is still all there is');
        if (wasmFetched(mark) > 0)
            fail('B broken\'s program was fetched again');
        ok('B broken\'s program was not fetched again');
        await server.stop();
        await tab.reload();
        await starts(tab, 'A', 'with the server stopped, the page starts A');
        await plays(tab, 'offline, A');

        server.serve(builds.bFolder);
        await server.start();
        await tab.reload();
        await holds(tab, builds.b, 'with B whole published, B is kept whole and A\'s set removed');
        await starts(tab, 'B', 'the page not yet touched starts again, with B');
        await kept.bringToFront();
        if (!(await kept.evaluate(() => window.keptOpen && window.build === 'A')))
            fail('the tab kept open started again under its round');
        await cardOpen(kept, 'the tab kept open still has its round of A, its card turned');
        await kept.mouse.click(...centreOf(await boxOf(kept, 'Έξοδος')));
        await poll('ended, the tab kept open says that a new version is ready', () => probe(kept, () => {
            const seen = document.getElementById('status').textContent;
            return { done: /^Το παιχνίδι τελείωσε\. Μια νέα έκδοση .*«Νέο ξεκίνημα»\.$/.test(seen), seen };
        }));
        await kept.click('#again');
        await starts(kept, 'B', 'its "Νέο ξεκίνημα" starts B');

        await browser.close();
        await server.stop();
        browser = await launch();
        const offline = await openTab(browser, server.address);
        await starts(offline, 'B', 'the browser started again, offline, starts B');
        await plays(offline, 'offline, B');
    } finally {
        await browser.close().catch(() => {});
        await server.stop();
        fs.rmSync(work, { recursive: true, force: true });
    }
}

module.exports = { updates };
