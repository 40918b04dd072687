// Shared by the page's tests: the page served and opened in Chromium, the
// native replay run beside it, and the pictures of both compared.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { mkdtemp, readFile, rm, mkdir, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { inflateSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { serve } from '../../tools/serve.mjs';

export const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const replayTool = resolve(root, process.env.VELMORA_REPLAY || 'build/velmora-replay');
export const site = resolve(root, process.env.VELMORA_SITE || 'build-web/site');
export const clock = '12:00:00.000';

// An 8-bit RGB, non-interlaced PNG, as RGB bytes.
function decodePng(file) {
    assert.equal(file.toString('latin1', 1, 4), 'PNG');
    const chunks = [];
    let width = 0, height = 0;
    for (let at = 8; at < file.length;) {
        const length = file.readUInt32BE(at), type = file.toString('latin1', at + 4, at + 8);
        const data = file.subarray(at + 8, at + 8 + length);
        if (type === 'IHDR') {
            width = data.readUInt32BE(0);
            height = data.readUInt32BE(4);
            assert.deepEqual([data[8], data[9], data[12]], [8, 2, 0], 'an 8-bit RGB PNG, not interlaced');
        } else if (type === 'IDAT') {
            chunks.push(data);
        }
        at += 12 + length;
    }
    const raw = inflateSync(Buffer.concat(chunks));
    const stride = width * 3;
    const rgb = Buffer.alloc(stride * height);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        const out = y * stride;
        for (let x = 0; x < stride; ++x) {
            const a = x >= 3 ? rgb[out + x - 3] : 0;
            const b = y > 0 ? rgb[out - stride + x] : 0;
            const c = x >= 3 && y > 0 ? rgb[out - stride + x - 3] : 0;
            let add;
            switch (filter) {
                case 0: add = 0; break;
                case 1: add = a; break;
                case 2: add = b; break;
                case 3: add = (a + b) >> 1; break;
                case 4: {
                    const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
                    add = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                    break;
                }
                default: throw new Error(`PNG row filter ${filter}`);
            }
            rgb[out + x] = (line[x] + add) & 255;
        }
    }
    return { width, height, rgb };
}

// Runs the native program on a script. Lines `screenshot` (no file) are
// given files here and come back decoded in `shots`; `dumps` are the dump
// lines parsed; `store` is the settings text the run left. With `log`, each
// dump carries the account's lines since the last one. With `keep`, the run
// keeps its game, and `kept` is the text it left.
export async function replay(lines, { dpi = 96, store = '', log = false, keep = false } = {}) {
    const folder = await mkdtemp(join(tmpdir(), 'velmora-web-'));
    try {
        await mkdir(join(folder, 'velmora'));
        if (store) await writeFile(join(folder, 'velmora', 'settings.ini'), store);
        let shots = 0;
        const script = lines.map((line) => (line === 'screenshot' ? `screenshot ${join(folder, `${shots++}.png`)}` : line));
        await writeFile(join(folder, 'script'), script.join('\n') + '\n');
        const { stdout } = await promisify(execFile)(
            replayTool, ['--dpi', String(dpi), '--clock', clock, '--config', folder, ...(log ? ['--log'] : []),
                ...(keep ? ['--state', join(folder, 'state')] : []), join(folder, 'script')], { maxBuffer: 256 * 1024 * 1024 });
        const pictures = [];
        for (let i = 0; i < shots; ++i) pictures.push(decodePng(await readFile(join(folder, `${i}.png`))));
        const text = await readFile(join(folder, 'velmora', 'settings.ini'), 'utf8').catch(() => '');
        const kept = keep ? await keptText(join(folder, 'state')) : '';
        return { shots: pictures, dumps: stdout.trim().split('\n').filter(Boolean).map((l) => JSON.parse(l)), store: text, kept };
    } finally {
        await rm(folder, { recursive: true, force: true });
    }
}

// The newest whole save of the two files the native program keeps its game
// in, without the line that frames it.
async function keptText(folder) {
    let best = null;
    for (const name of ['kept-game-a.txt', 'kept-game-b.txt']) {
        const file = await readFile(join(folder, name), 'utf8').catch(() => '');
        const head = /^velmora kept (\d+) (\d+) [0-9a-f]{8}\n/.exec(file);
        if (head && (!best || Number(head[1]) > best.save))
            best = { save: Number(head[1]), text: file.slice(head[0].length, head[0].length + Number(head[2])) };
    }
    return best ? best.text : '';
}

// One browser and one server for a test file.
export async function start() {
    const server = await serve(site);
    const browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
    });
    const base = `http://127.0.0.1:${server.address().port}/`;
    return {
        base,
        browser,
        async close() {
            await browser.close();
            await new Promise((done) => server.close(done));
        },
    };
}

// Every page error and console error of a page, the missing-glyph notes
// among them, gathered so that a test can fail on them.
function watch(page, faults) {
    page.on('pageerror', (e) => faults.push(`page error: ${e.message}`));
    page.on('console', (m) => {
        if (m.type() === 'error' || /no glyphs/.test(m.text())) faults.push(`console ${m.type()}: ${m.text()}`);
    });
    page.on('response', (r) => {
        if (r.status() >= 400) faults.push(`HTTP ${r.status()}: ${r.url()}`);
    });
}

export function settled(page) {
    return page.waitForFunction(() => window.Velmora && Velmora.idle && document.body.dataset.frames === 'shown',
        null, { timeout: 20000 });
}

// Runs `body(page, context)` on the game's page in a fresh context, loaded
// and waiting for input; fails on any fault of any of its pages. `dpi` null
// leaves the density to the viewport, and then `fixedDate` pins the wall
// clock to the replay's noon so that the deal is still the replay's. `store`
// seeds the local storage before the first load only; `init` ({script,
// arg}) runs in the page after the seeding and before the page's own script.
// `clock` puts the page's timers on Playwright's clock, for the test to stop.
export async function withPage(session, { dpi = 96, store = null, fixedDate = false, init = null, clock: fake = false, ...options }, body) {
    const faults = [];
    const context = await session.browser.newContext({ viewport: { width: 640, height: 640 }, ...options });
    try {
        context.on('page', (page) => watch(page, faults));
        const page = await context.newPage();
        if (store !== null)
            await page.addInitScript((text) => {
                if (!sessionStorage.getItem('seeded')) {
                    localStorage.setItem('velmora.settings', text);
                    sessionStorage.setItem('seeded', '1');
                }
            }, store);
        if (init) await page.addInitScript(init.script, init.arg);
        if (fake) await page.clock.install();
        if (fixedDate)
            await page.addInitScript(() => {
                const noon = Date.parse('2026-01-01T12:00:00.000Z');
                Date.now = () => noon;
            });
        await page.goto(dpi ? `${session.base}?dpi=${dpi}&clock=${clock}` : session.base);
        await settled(page);
        try {
            await body(page, context);
        } catch (e) {
            if (faults.length) e.message += `\nThe page reported: ${faults.join('; ')}`;
            throw e;
        }
        assert.deepEqual(faults, [], 'the page reported faults');
    } finally {
        await context.close();
    }
}

// The canvas as RGB bytes, read back exactly as the page put it, and the
// count of its pixels left not opaque (never painted).
export function canvasPicture(page) {
    return page.evaluate(() => {
        const c = document.getElementById('screen');
        const rgba = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let text = '', clear = 0;
        for (let i = 0; i < rgba.length; i += 4) {
            text += String.fromCharCode(rgba[i], rgba[i + 1], rgba[i + 2]);
            if (rgba[i + 3] !== 255) ++clear;
        }
        return { width: c.width, height: c.height, rgb: btoa(text), clear };
    }).then((p) => ({ ...p, rgb: Buffer.from(p.rgb, 'base64') }));
}

export async function assertSamePicture(page, expected, what) {
    const shown = await canvasPicture(page);
    assert.deepEqual([shown.width, shown.height], [expected.width, expected.height], `${what}: the canvas's size`);
    assert.equal(shown.clear, 0, `${what}: pixels never painted`);
    let count = 0, left = Infinity, top = Infinity, right = -1, bottom = -1;
    for (let i = 0; i < shown.rgb.length; i += 3) {
        if (shown.rgb[i] === expected.rgb[i] && shown.rgb[i + 1] === expected.rgb[i + 1] && shown.rgb[i + 2] === expected.rgb[i + 2]) continue;
        const x = (i / 3) % shown.width, y = Math.floor(i / 3 / shown.width);
        ++count;
        [left, top, right, bottom] = [Math.min(left, x), Math.min(top, y), Math.max(right, x), Math.max(bottom, y)];
    }
    assert.equal(count, 0, `${what}: ${count} of ${shown.width * shown.height} pixels differ from those expected, ` +
        `within x ${left}..${right}, y ${top}..${bottom}`);
}

// The middle of a screen pixel in the page's CSS pixels.
export async function cssPoint(page, x, y) {
    return page.evaluate(([x, y]) => {
        const c = document.getElementById('screen'), r = c.getBoundingClientRect();
        return [r.left + (x + 0.5) * r.width / c.width, r.top + (y + 0.5) * r.height / c.height];
    }, [x, y]);
}

// A click at a screen pixel, then the program's answer to it.
export async function tap(page, x, y) {
    const [cx, cy] = await cssPoint(page, x, y);
    await page.mouse.click(cx, cy);
    await settled(page);
}

export async function press(page, key) {
    await page.keyboard.press(key);
    await settled(page);
}

export function storeText(page) {
    return page.evaluate(() => localStorage.getItem('velmora.settings'));
}

// A value of the settings text: `section` is the part after vlmra.
export function storeValue(text, name, section = '') {
    let inside = false;
    for (const line of (text || '').split(/\r?\n/)) {
        if (line.startsWith('[')) inside = line === `[Software\\ornit\\vlmra${section}]`;
        else if (inside && line.startsWith(`${name}=`)) return Number(line.slice(name.length + 1));
    }
    return null;
}

// Design units (a 96 dpi screen's pixels) in pixels, rounded as the game does.
export const px = (dpi, n) => Math.floor((n * dpi + 48) / 96);
const middle = (dpi, [l, t, r, b]) => [Math.floor((px(dpi, l) + px(dpi, r)) / 2), Math.floor((px(dpi, t) + px(dpi, b)) / 2)];
export const tableTap = (dpi) => middle(dpi, [2, 71, 199, 117]);
export const lowerButtonTap = (dpi) => middle(dpi, [204, 170, 236, 202]);

// Where the menu bar's items and their menus' rows lie, in design units.
const bar = { game: 28, help: 83, pace: 136 };
const rows = {
    game: { new: 212, statistics: 235, options: 257, exit: 279 },
    help: { rules: 257, about: 279 },
    pace: { off: 235, normal: 257, slow: 279 },
};
export function menuTaps(dpi, name, item) {
    const taps = [[px(dpi, bar[name]), px(dpi, 307)]];
    if (item) taps.push([px(dpi, bar[name] + 15), px(dpi, rows[name][item])]);
    return taps;
}

// A point of the card, from a dump's hand (in pixels), below the table area
// and off the cards that lie over it.
export function cardTap(dpi, dump, suit, rank) {
    const hand = dump.humanHand;
    const i = hand.findIndex((c) => c.suit === suit && c.rank === rank);
    assert.ok(i >= 0, `card ${suit} ${rank} is not in the hand`);
    const c = hand[i], next = hand[i + 1];
    const w = next && next.y === c.y ? Math.min(px(dpi, 28), next.x - c.x) : px(dpi, 28);
    return [c.x + Math.floor(w / 2), c.y + px(dpi, 40) - px(dpi, 5)];
}

// The moves of the repository's whole game at the replays' clock as taps,
// after Pace > Off, which keeps the game quick: each card is found in a dump
// taken just before it is played. The computer wins it.
export async function gameTaps(dpi) {
    const script = await readFile(join(root, 'tests/replays/thrown-up.replay'), 'utf8');
    const moves = script.split('\n').filter((l) => /^(card|table|button) /.test(l) || l === 'table');
    const { dumps } = await replay(moves.flatMap((m) => (m.startsWith('card') ? ['dump', m] : [m])), { dpi });
    let seen = 0;
    return [...menuTaps(dpi, 'pace', 'off'), ...moves.map((m) => {
        const [verb, a, b] = m.split(' ');
        if (verb === 'card') return cardTap(dpi, dumps[seen++], Number(a), Number(b));
        return verb === 'table' ? tableTap(dpi) : lowerButtonTap(dpi);
    })];
}
