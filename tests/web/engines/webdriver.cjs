// SPDX-License-Identifier: GPL-3.0-or-later
// A browser driven over W3C WebDriver (plain HTTP, with Node.js's fetch), as WebKit's drivers
// offer it, behind the interface of the other engines' adapters. Classic WebDriver tells nothing
// of the page's requests or errors: the page is opened through a proxy of this process, which
// passes on what goes to the page's own host and refuses and records everything else; errors are
// seen only by the page's own listeners, from its load on.
'use strict';
const { spawn } = require('child_process');
const http = require('http');
const net = require('net');

const DEADLINE_MS = 20000;

// WebDriver's codes for the keys that the page's scenario presses.
const KEYS = { Tab: '\uE004', Enter: '\uE007', Escape: '\uE00C', Space: ' ', Shift: '\uE008',
    ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015',
    Home: '\uE011', End: '\uE010' };

const freePort = () => new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
        const { port } = server.address();
        server.close(() => resolve(port));
    });
});

// A process that ends with this one's run: started, and stopped by stop().
function started(command, args, options = {}) {
    const child = spawn(command, args, { stdio: 'ignore', ...options });
    child.on('error', () => {});
    return { child, stop: () => { if (child.exitCode === null) child.kill(); } };
}

// A virtual X server of its own (for WebKitGTK's MiniBrowser); resolves to { display, stop }.
function virtualDisplay() {
    return new Promise((resolve, reject) => {
        const xvfb = started('Xvfb', ['-displayfd', '3', '-screen', '0', '1920x1200x24',
            '-nolisten', 'tcp'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
        let said = '';
        const timer = setTimeout(() => { xvfb.stop(); reject(new Error('Xvfb said no display')); },
            DEADLINE_MS);
        xvfb.child.stdio[3].on('data', (data) => {
            said += data;
            if (said.includes('\n')) {
                clearTimeout(timer);
                resolve({ display: `:${said.trim()}`, stop: xvfb.stop });
            }
        });
        xvfb.child.on('exit', (code) => { clearTimeout(timer); reject(new Error(`Xvfb ended (${code})`)); });
    });
}

// The proxy: what goes to ORIGIN is passed on to it, the rest refused and recorded.
async function recordingProxy(origin) {
    const refused = [];
    const server = http.createServer((request, response) => {
        const url = URL.canParse(request.url) ? new URL(request.url) : null;
        if (url?.origin !== origin) {
            refused.push(request.url);
            response.writeHead(403).end();
            return;
        }
        const onward = http.request({ host: url.hostname, port: url.port, method: request.method,
            path: url.pathname + url.search, headers: request.headers }, (answer) => {
            response.writeHead(answer.statusCode, answer.headers);
            answer.pipe(response);
        });
        onward.on('error', () => response.writeHead(502).end()); // the page's server is stopped
        request.pipe(onward);
    });
    server.on('connect', (request, socket) => {
        refused.push(`https://${request.url}`);
        socket.end('HTTP/1.1 403 Forbidden\r\n\r\n');
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return { address: `127.0.0.1:${server.address().port}`, refused,
        stop: () => { server.closeAllConnections(); server.close(); } };
}

// launch(driver, capabilities, env): the driver started on a free port; what the adapters give:
// open(address, size), which starts a browser of its own (a session, with a fresh profile) and
// gives its page, the version of the last one opened, and close().
async function launch(driver, capabilities, env = process.env) {
    const port = await freePort();
    const driverProcess = started(driver, [`--port=${port}`], { env });
    const base = `http://127.0.0.1:${port}`;
    const command = async (method, path, body) => {
        const response = await fetch(base + path, { method,
            headers: { 'Content-Type': 'application/json; charset=utf-8' },
            body: body === undefined ? undefined : JSON.stringify(body) });
        const { value } = await response.json();
        if (!response.ok)
            throw new Error(`WebDriver ${method} ${path}: ${value?.error}: ${value?.message}`);
        return value;
    };
    for (const end = Date.now() + DEADLINE_MS; ;) {
        const ready = await command('GET', '/status').then((status) => status.ready, () => false);
        if (ready)
            break;
        if (Date.now() > end || driverProcess.child.exitCode !== null) {
            driverProcess.stop();
            throw new Error(`${driver} did not answer on port ${port}`);
        }
        await new Promise((resolve) => setTimeout(resolve, 100));
    }
    const sessions = new Set();
    return {
        version: null,
        // BEFORE_LOAD, when given, is run once the page has loaded: WebDriver runs nothing
        // earlier.
        async open(address, size, { beforeLoad } = {}) {
            const proxy = await recordingProxy(new URL(address).origin);
            const opened = await command('POST', '/session', { capabilities: { alwaysMatch: {
                ...capabilities,
                proxy: { proxyType: 'manual', httpProxy: proxy.address, sslProxy: proxy.address },
            } } }).catch((error) => { proxy.stop(); throw error; });
            const session = opened.sessionId;
            sessions.add(session);
            this.version = `${opened.capabilities.browserName} ${opened.capabilities.browserVersion}`;
            const inSession = (method, path, body) => command(method, `/session/${session}${path}`, body);
            const actions = (list) => inSession('POST', '/actions', { actions: list })
                .then(() => inSession('DELETE', '/actions'));
            const evaluate = (fn, ...args) => inSession('POST', '/execute/sync',
                { script: `return (${fn}).apply(null, arguments);`, args });
            // The window is made as much larger than the page's size as its own bars take.
            for (let tries = 0; tries < 3; tries += 1) {
                const inner = await evaluate(() => [window.innerWidth, window.innerHeight]);
                if (inner[0] === size.width && inner[1] === size.height)
                    break;
                const outer = await inSession('GET', '/window/rect');
                await inSession('POST', '/window/rect', { x: 0, y: 0,
                    width: outer.width + size.width - inner[0],
                    height: outer.height + size.height - inner[1] }).catch(() => {});
            }
            await inSession('POST', '/url', { url: address });
            if (beforeLoad)
                await evaluate(beforeLoad);
            return {
                evaluate,
                click: (x, y) => actions([{ type: 'pointer', id: 'mouse',
                    parameters: { pointerType: 'mouse' }, actions: [
                        { type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport' },
                        { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }]),
                tap: () => { throw new Error('WebDriver sends this engine no touch'); },
                press: (key, { shift = false } = {}) => actions([{ type: 'key', id: 'keys', actions: [
                    ...(shift ? [{ type: 'keyDown', value: KEYS.Shift }] : []),
                    { type: 'keyDown', value: KEYS[key] }, { type: 'keyUp', value: KEYS[key] },
                    ...(shift ? [{ type: 'keyUp', value: KEYS.Shift }] : [])] }]),
                reload: () => inSession('POST', '/refresh', {}),
                errors: () => [], // none seen but by the page's own listeners
                refused: () => [...proxy.refused],
                close: async () => {
                    sessions.delete(session);
                    await command('DELETE', `/session/${session}`).catch(() => {});
                    proxy.stop();
                },
            };
        },
        async close() {
            for (const session of sessions)
                await command('DELETE', `/session/${session}`).catch(() => {});
            driverProcess.stop();
        },
    };
}

module.exports = { launch, virtualDisplay };
