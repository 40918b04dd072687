// The unfinished game in the page's local storage: a reload or a new page of
// the same browser takes it up as it was left, a game that ended is neither
// taken up nor counted again, and a damaged text gives way to a new deal.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import {
    assertSamePicture, canvasPicture, cardTap, gameTaps, press, replay, settled, start, storeText, storeValue, tableTap,
    tap, withPage,
} from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

const dpi = 96;
const lines = (taps) => taps.map(([x, y]) => `tap ${x} ${y}`);
const resumed = /Your unfinished game of .+ is back\./;
const account = (page) => page.evaluate(() => document.getElementById('account').innerText);
const keptText = (page) => page.evaluate(() => localStorage.getItem('velmora.game'));

async function openPage(context, url) {
    const page = await context.newPage();
    await page.goto(url);
    await settled(page);
    return page;
}

test('a reload, or a new page of the same browser, takes the game up as it was left', async (t) => {
    // Pace Off, three bouts, and the next card selected but not played.
    const taps = (await gameTaps(dpi)).slice(0, 10);
    const [left] = (await replay([...lines(taps), 'dump'], { dpi })).dumps;
    assert.ok(left.humanHand.some((c) => c.selected), 'the taps leave no selection standing');
    await withPage(session, { dpi }, async (page, context) => {
        for (const [x, y] of taps) await tap(page, x, y);
        const before = await canvasPicture(page);
        assert.doesNotMatch(await account(page), resumed);
        await t.test('after a reload', async () => {
            await page.reload();
            await settled(page);
            await assertSamePicture(page, before, 'after a reload');
            assert.match(await account(page), resumed);
        });
        await t.test('in a new page after the last one closed', async () => {
            const url = page.url();
            await page.close();
            await assertSamePicture(await openPage(context, url), before, 'in a new page');
        });
    });
});

// With the page's clock stopped the computer's pause after the cover never
// ends: the page is closed part way through the move. The text is written
// only once an input is done with, so what is taken up is the table before
// the move, never half of it.
test('a page closed part way through a move keeps the table from before it', async () => {
    const frame = ['right', 'right', 'right', 'right'];
    const { shots } = await replay([...frame.map((k) => `key ${k}`), 'screenshot'], { dpi });
    await withPage(session, { dpi, clock: true }, async (page, context) => {
        await page.clock.pauseAt(await page.evaluate(() => Date.now() + 1000));
        for (let i = 0; i < frame.length; ++i) await press(page, 'ArrowRight');
        await page.keyboard.press('Enter');
        await new Promise((done) => setTimeout(done, 500));
        assert.equal(await page.evaluate(() => Velmora.idle), false, 'the cover made no pause');
        const url = page.url();
        await page.close();
        await context.clock.resume();
        await assertSamePicture(await openPage(context, url), shots[0], 'the table taken up');
    });
});

test('a game that ended is counted once and never taken up: a reload deals the next', { timeout: 120000 }, async () => {
    const taps = await gameTaps(dpi);
    const native = await replay([...lines(taps), 'dump', 'restart', 'screenshot'], { dpi, keep: true });
    assert.equal(native.dumps[0].messageBoxes.length, 1, 'the taps do not end the game');
    const won = native.dumps[0].humanWins ? 'statu' : 'statc';
    await withPage(session, { dpi }, async (page) => {
        for (const [x, y] of taps) await tap(page, x, y);
        assert.equal(storeValue(await storeText(page), won), 1, `${won} at the end of the game`);
        // Reloaded with the box still open: the game is over but not dismissed.
        await page.reload();
        await settled(page);
        await assertSamePicture(page, native.shots[0], 'the next deal');
        assert.doesNotMatch(await account(page), resumed);
        // The next deal is kept in its turn, and the win is still counted once.
        const next = await canvasPicture(page);
        await page.reload();
        await settled(page);
        await assertSamePicture(page, next, 'the next deal taken up');
        assert.match(await account(page), resumed);
        const text = await storeText(page);
        assert.equal(storeValue(text, won), 1, text);
        assert.ok(!storeValue(text, won === 'statc' ? 'statu' : 'statc'), text);
    });
});

// The kept text seeded before the page's script, and what the page says on
// the console recorded from its very start (stderr is console.warn).
const seeded = {
    script: (text) => {
        localStorage.setItem('velmora.game', text);
        window.warned = [];
        const warn = console.warn.bind(console);
        console.warn = (...words) => {
            window.warned.push(words.join(' '));
            warn(...words);
        };
    },
};

test('a damaged kept game gives way to a new deal, said once at most', async (t) => {
    const { kept } = await replay(['key right', 'key space'], { dpi, keep: true });
    assert.match(kept, /^velmora game 1\n/);
    const [first] = (await replay(['dump'], { dpi })).dumps;
    const move = [cardTap(dpi, first, 2, 8), tableTap(dpi)];
    const fresh = await replay(['screenshot', ...lines(move), 'screenshot'], { dpi });
    const half = Math.floor(kept.length / 2);
    const texts = [
        ['cut short', kept.slice(0, half)],
        ['of an unknown version', 'velmora game 99\n'],
        ['with a NUL part way', `${kept.slice(0, half)}\0${kept.slice(half)}`],
    ];
    for (const [name, text] of texts) {
        await t.test(name, async () => {
            await withPage(session, { dpi, init: { ...seeded, arg: text } }, async (page) => {
                await assertSamePicture(page, fresh.shots[0], 'the new deal');
                for (const [x, y] of move) await tap(page, x, y);
                await assertSamePicture(page, fresh.shots[1], 'after a move');
                const warned = await page.evaluate(() => window.warned);
                assert.ok(warned.filter((w) => /kept game/.test(w)).length <= 1, warned.join('\n'));
                assert.doesNotMatch(await account(page), resumed);
                const now = await keptText(page);
                assert.ok(now !== text && now.startsWith('velmora game 1\n'), 'the new game is not kept');
            });
        });
    }
});
