// The page's figures, measured in headless Chromium on a local server:
// the size of module and script gzipped, the time from navigation to the
// first frame, and the paint and tap-to-paint times in the page beside the
// native benchmarks' at the same densities. Medians of several runs.
// Usage: node bench/web/run.mjs  (after tools/web --build-only; uses
// build/bench/velmora_bench for the native figures when it is there)
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { gzipSync } from 'node:zlib';
import { serve } from '../../tools/serve.mjs';

const root = new URL('../../', import.meta.url).pathname;
const require = createRequire(root + 'tests/web/package.json');
const { chromium } = require('playwright-core');
const densities = [96, 192, 288];
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

const gz = (file) => gzipSync(readFileSync(root + 'build-web/site/' + file), { level: 9 }).length;
const bytes = { module: gz('velmora.wasm'), script: gz('velmora.js') };

// Cross-origin isolated, so that the page's clock reads to microseconds
// rather than to a tenth of a millisecond.
const server = await serve(root + 'build-web', 0, {
    'Cross-Origin-Opener-Policy': 'same-origin',
    'Cross-Origin-Embedder-Policy': 'require-corp',
});
const base = `http://127.0.0.1:${server.address().port}/`;
async function open(flags = []) {
    const browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', ...flags],
    });
    // Without the page's service worker, so that every load is timed from
    // the server, as the figures before it were.
    const page = await browser.newPage({ viewport: { width: 480, height: 800 }, serviceWorkers: 'block' });
    page.on('pageerror', (e) => console.error('page error:', e.message));
    return { browser, page };
}

// Loads as a player's browser does them: baseline code first.
let { browser, page } = await open();
const firstFrames = [];
for (let i = 0; i < 9; ++i) {
    await page.goto(base + 'site/');
    await page.waitForFunction(() => Velmora.firstFrame > 0);
    firstFrames.push(await page.evaluate(() => Velmora.firstFrame));
}
await browser.close();

// The native figures, in milliseconds, by benchmark and density.
const benchProgram = root + 'build/bench/velmora_bench';
function nativeRound() {
    const native = {};
    if (!existsSync(benchProgram)) return native;
    const out = execFileSync(benchProgram, [
        '--benchmark_filter=^(FullPaint|TapToPaint)/|^BM_ExpertDecide$', '--benchmark_repetitions=3',
        '--benchmark_report_aggregates_only=true', '--benchmark_format=json',
    ]);
    for (const b of JSON.parse(out).benchmarks) {
        if (b.aggregate_name !== 'median') continue;
        const [name, dpi] = b.run_name.split('/');
        const scale = { ns: 1e-6, us: 1e-3, ms: 1 }[b.time_unit];
        native[dpi === undefined ? name : `${name}/${dpi}`] = b.real_time * scale;
    }
    return native;
}

// Paints in optimised code only, as after a few seconds of play: left to
// itself the browser optimises hot code at moments that vary from run to
// run, and so would the figures.
({ browser, page } = await open(['--js-flags=--no-liftoff']));
async function pageRound() {
    const web = {};
    for (const dpi of densities) {
        await page.goto(`${base}bench/?dpi=${dpi}&clock=09:30:15.250`);
        await page.waitForFunction(() => Velmora.idle);
        if (!(await page.evaluate(() => crossOriginIsolated))) throw new Error('the page is not isolated');
        web[dpi] = await page.evaluate(() => {
            if (Module._WebBenchBusyTable() !== 12) return null;
            // Warmed up first.
            Module._WebBenchPaint(300);
            Module._WebBenchTap(60);
            Module._WebBenchBusyTable();
            const paints = [], taps = [];
            for (let i = 0; i < 9; ++i) paints.push(Module._WebBenchPaint(30));
            for (let i = 0; i < 9; ++i) taps.push(Module._WebBenchTap(20));
            return { paints, taps };
        });
    }
    // The Expert's decisions, once a round: they do not depend on density.
    web.decide = await page.evaluate(() => {
        Module._WebBenchDecide(24);  // warmed up
        return [0, 1, 2].map(() => Module._WebBenchDecide(24));
    });
    return web;
}

// Rounds of page then native, so that both meet the machine in the same
// mood; the ratios are each round's, their median reported.
const rounds = [];
for (let i = 0; i < 5; ++i) rounds.push({ web: await pageRound(), native: nativeRound() });
await browser.close();
server.close();

const kb = (n) => (n / 1024).toFixed(0) + ' KiB';
console.log(`module + script, gzipped: ${kb(bytes.module + bytes.script)}` +
            ` (module ${kb(bytes.module)}, script ${kb(bytes.script)}; goal 500 KiB)`);
console.log(`navigation to first frame: median ${median(firstFrames).toFixed(0)} ms` +
            ` of ${firstFrames.length} loads (goal 300 ms)`);
console.log(`\ndpi  paint page  native  ratio   tap page  native  ratio   (ms; medians of ${rounds.length} rounds; goal 2x)`);
for (const dpi of densities) {
    if (rounds.some(({ web }) => !web[dpi] || web[dpi].taps.some((t) => t < 0))) {
        console.log(`${dpi}: the busy table or a tap failed in the page`);
        process.exitCode = 1;
        continue;
    }
    const figure = (pick) => median(rounds.map(pick));
    const p = figure(({ web }) => median(web[dpi].paints));
    const t = figure(({ web }) => median(web[dpi].taps));
    const np = rounds[0].native[`FullPaint/${dpi}`] === undefined ? undefined
        : figure(({ native }) => native[`FullPaint/${dpi}`]);
    const nt = np === undefined ? undefined : figure(({ native }) => native[`TapToPaint/${dpi}`]);
    const rp = np === undefined ? undefined
        : figure(({ web, native }) => median(web[dpi].paints) / native[`FullPaint/${dpi}`]);
    const rt = np === undefined ? undefined
        : figure(({ web, native }) => median(web[dpi].taps) / native[`TapToPaint/${dpi}`]);
    const cell = (v) => (v === undefined ? '-' : v.toFixed(3)).padStart(7);
    const ratio = (r) => (r === undefined ? '-' : r.toFixed(2) + 'x').padStart(6);
    console.log(`${String(dpi).padEnd(4)} ${cell(p)}    ${cell(np)} ${ratio(rp)}   ${cell(t)} ${cell(nt)} ${ratio(rt)}`);
}
if (rounds.some(({ web }) => web.decide.some((t) => t < 0))) {
    console.log('a decision of the Expert found no move in the page');
    process.exitCode = 1;
} else {
    const figure = (pick) => median(rounds.map(pick));
    const d = figure(({ web }) => median(web.decide));
    const nd = rounds[0].native.BM_ExpertDecide;
    const line = `\nExpert decision: page ${d.toFixed(2)} ms`;
    console.log(nd === undefined ? line : line + `, native ${figure(({ native }) => native.BM_ExpertDecide).toFixed(2)} ms, ` +
                `${figure(({ web, native }) => median(web.decide) / native.BM_ExpertDecide).toFixed(2)}x (goal 3x)`);
}
