// The page installed and played without the network: the manifest and the
// icons it names, the service worker's cache, and a new build taking the
// old one's place at the next reload.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { appendFile, cp, mkdtemp, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { promisify } from 'node:util';
import { serve } from '../../tools/serve.mjs';
import { assertSamePicture, gameTaps, replay, root, settled, site, start, tap, withPage } from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

const dpi = 96;
const lines = (taps) => taps.map(([x, y]) => `tap ${x} ${y}`);

// A server of its own for a folder, to be stopped for good: no network.
async function host(folder) {
    const server = await serve(folder);
    return {
        session: { browser: session.browser, base: `http://127.0.0.1:${server.address().port}/` },
        stop() {
            server.closeAllConnections();
            return new Promise((done) => server.close(done));
        },
    };
}

// The names of the page's caches once its worker is in charge of it and
// keeps the glyphs the page drew with (they pass through it once it is).
function cachesOnceActive(page) {
    return page.evaluate(async () => {
        await navigator.serviceWorker.ready;
        for (let tries = 0; tries < 100; ++tries) {
            const names = await caches.keys();
            const cache = names.length === 1 && await caches.open(names[0]);
            const kept = cache && await Promise.all([...Velmora.fetched]
                .map((path) => cache.match(new URL(path, location.href).href)));
            if (kept && kept.every(Boolean)) break;
            await new Promise((done) => setTimeout(done, 100));
        }
        return caches.keys();
    });
}

// The new worker takes over a moment after the page that brought it.
async function cachesBecome(page, names) {
    let now = [];
    for (const end = Date.now() + 10000; Date.now() < end; await new Promise((done) => setTimeout(done, 100))) {
        now = await page.evaluate(() => caches.keys());
        if (now.join() === names.join()) return;
    }
    assert.deepEqual(now, names, 'the caches');
}

async function goOffline(context, server) {
    await server.stop();
    await context.setOffline(true);
}

async function reloadFromCache(page) {
    const response = await page.reload();
    assert.ok(response.fromServiceWorker(), 'the page came from the network');
    await settled(page);
}

test('after one visit the page reloads and plays with no network', { timeout: 60000 }, async () => {
    const taps = (await gameTaps(dpi)).slice(0, 6);
    const { shots } = await replay([...lines(taps), 'screenshot'], { dpi });
    const server = await host(site);
    try {
        await withPage(server.session, { dpi }, async (page, context) => {
            assert.equal((await cachesOnceActive(page)).length, 1);
            await goOffline(context, server);
            await reloadFromCache(page);
            for (const [x, y] of taps) await tap(page, x, y);
            await assertSamePicture(page, shots[0], 'offline, after the taps');
            assert.ok(await page.evaluate(() => fetch('velmora.0409.htm').then((r) => r.ok)),
                'the rules page is not kept');
        });
    } finally {
        await server.stop();
    }
});

// The width and height a PNG's header gives.
function pngSize(bytes) {
    assert.equal(bytes.toString('latin1', 1, 4), 'PNG');
    return `${bytes.readUInt32BE(16)}x${bytes.readUInt32BE(20)}`;
}

test('the manifest parses and names icons that are there at their sizes', async () => {
    const source = await readFile(join(root, 'ui/graphics.cpp'), 'utf8');
    const [, r, g, b] = /backgroundColours\[[^\]]*\] = \{\s*RGB\((\d+), (\d+), (\d+)\)/.exec(source);
    const green = '#' + [r, g, b].map((n) => Number(n).toString(16).padStart(2, '0')).join('');
    await withPage(session, { dpi }, async (page) => {
        const cdp = await page.context().newCDPSession(page);
        const { url, errors, data } = await cdp.send('Page.getAppManifest');
        assert.equal(url, `${session.base}manifest.webmanifest`, 'the page links no manifest');
        assert.deepEqual(errors, []);
        const manifest = JSON.parse(data);
        assert.equal(manifest.name, 'Velmora');
        assert.ok(manifest.short_name);
        assert.equal(manifest.display, 'standalone');
        assert.equal(manifest.theme_color, green);
        assert.equal(manifest.background_color, green);
        const kinds = [];
        for (const icon of manifest.icons) {
            const response = await fetch(new URL(icon.src, url));
            assert.equal(response.status, 200, icon.src);
            assert.equal(pngSize(Buffer.from(await response.arrayBuffer())), icon.sizes, icon.src);
            kinds.push(`${icon.purpose || 'any'} ${icon.sizes}`);
        }
        for (const kind of ['any 192x192', 'any 512x512', 'maskable 512x512'])
            assert.ok(kinds.includes(kind), `no icon for ${kind}`);
    });
});

test('a new build is taken up at the next reload and the old cache deleted', { timeout: 60000 }, async () => {
    const folder = await mkdtemp(join(tmpdir(), 'velmora-site-'));
    const server = await host(folder);
    const version = async () => /const version = '([0-9a-f]+)'/.exec(await readFile(join(folder, 'sw.js'), 'utf8'))[1];
    // A custom section at the module's end: the same program, other bytes;
    // and a comment at the page's.
    const mark = Buffer.from([0, 8, 7, ...Buffer.from('rebuilt')]);
    const marked = (bytes) => Buffer.from(bytes).subarray(-mark.length).equals(mark);
    const note = '<!-- rebuilt -->\n';
    try {
        await cp(site, folder, { recursive: true });
        await withPage(server.session, { dpi }, async (page, context) => {
            const old = await version();
            assert.deepEqual(await cachesOnceActive(page), [`velmora-${old}`]);

            await appendFile(join(folder, 'velmora.wasm'), mark);
            await appendFile(join(folder, 'index.html'), note);
            await promisify(execFile)('cmake', [`-DSITE=${folder}`, `-DTEMPLATE=${join(root, 'platform/web/sw.js')}`,
                '-P', join(root, 'platform/web/version.cmake')]);
            const now = await version();
            assert.notEqual(now, old, 'the version did not follow the module');

            const module = page.waitForResponse((r) => r.url().endsWith('/velmora.wasm'));
            assert.ok((await (await page.reload()).text()).endsWith(note), 'the reload showed the old page');
            await settled(page);
            assert.ok(marked(await (await module).body()), 'the reload ran the old module');
            await cachesBecome(page, [`velmora-${now}`]);
            assert.ok(marked(await page.evaluate(async (name) => {
                const kept = await (await caches.open(name)).match('velmora.wasm');
                return [...new Uint8Array(await kept.arrayBuffer()).slice(-10)];
            }, `velmora-${now}`)), 'the new cache holds the old module');

            await goOffline(context, server);
            await reloadFromCache(page);
        });
    } finally {
        await server.stop();
        await rm(folder, { recursive: true, force: true });
    }
});
