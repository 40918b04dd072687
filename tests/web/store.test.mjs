// The store in the page's local storage: the same settings text the native
// program keeps in its file, read at start and written on every change.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import {
    assertSamePicture, gameTaps, menuTaps, px, replay, settled, start, storeText, storeValue, tap, withPage,
} from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

const dpi = 96;
// Options, "Show the number of cards left", OK: a change the store must take.
const optionTaps = [...menuTaps(dpi, 'game', 'options'), [px(dpi, 12), px(dpi, 27)], [px(dpi, 20), px(dpi, 307)]];
const lines = (taps) => taps.map(([x, y]) => `tap ${x} ${y}`);
const statistics = menuTaps(dpi, 'game', 'statistics');

test('a stored text is read as the native program reads it', async () => {
    // The count of cards left, a background, a card back and a score: all
    // in view with the Statistics box open.
    const store = '[Software\\ornit\\vlmra]\ncidc=1\nblackbg=1\nback=2\nstatc=3\nstatu=5\n';
    const expected = await replay([...lines(statistics), 'screenshot'], { store });
    await withPage(session, { dpi, store }, async (page) => {
        for (const [x, y] of statistics) await tap(page, x, y);
        await assertSamePicture(page, expected.shots[0], 'the seeded store');
    });
});

test('options are stored as the native program stores them, and read back after a reload', async () => {
    const taps = optionTaps;
    const native = await replay(lines(taps));
    const reloaded = await replay(['screenshot'], { store: native.store });
    await withPage(session, { dpi }, async (page) => {
        for (const [x, y] of taps) await tap(page, x, y);
        assert.equal(await storeText(page), native.store);
        await page.reload();
        await settled(page);
        await assertSamePicture(page, reloaded.shots[0], 'after a reload');
    });
});

test('Statistics Clear zeroes the stored score', async () => {
    const store = '[Software\\ornit\\vlmra]\nstatc=3\nstatu=5\n';
    const clear = [px(dpi, 53), px(dpi, 170)];
    const native = await replay([...lines([...statistics, clear]), 'screenshot'], { store });
    assert.match(native.store, /statc=0\nstatu=0/);
    await withPage(session, { dpi, store }, async (page) => {
        for (const [x, y] of [...statistics, clear]) await tap(page, x, y);
        assert.equal(await storeText(page), native.store);
        await assertSamePicture(page, native.shots[0], 'after Clear');
    });
});

// Local storage made to refuse the named calls, as a private window's or a
// full one does.
const refusing = (names) => ({
    script: (refused) => {
        for (const name of refused)
            Storage.prototype[name] = () => { throw new DOMException('refused', 'QuotaExceededError'); };
    },
    arg: names,
});

test('a local storage that refuses reads as empty, and one that cannot be read is never written over', async () => {
    const fresh = await replay(['screenshot']);
    await withPage(session, { dpi, init: refusing(['getItem', 'setItem']) }, async (page) => {
        await assertSamePicture(page, fresh.shots[0], 'the defaults');
        for (const [x, y] of optionTaps) await tap(page, x, y);
    });
    const store = '[Software\\ornit\\vlmra]\nstatc=3\n';
    await withPage(session, { dpi, store, init: refusing(['getItem']) }, async (page) => {
        for (const [x, y] of optionTaps) await tap(page, x, y);
        // Read past the refusing getItem, as the storage's named property.
        assert.equal(await page.evaluate(() => window.localStorage['velmora.settings']), store);
    });
});

// The game type picked from the list (the fourth, Bulk. Transfer), then OK.
const typeTaps = [...menuTaps(dpi, 'game', 'options'), [px(dpi, 60), px(dpi, 89)], [px(dpi, 60), px(dpi, 149)],
    [px(dpi, 20), px(dpi, 307)]];

// A second page of the game in the same browser, sharing its local storage.
async function secondPage(context, url) {
    const page = await context.newPage();
    await page.goto(url);
    await settled(page);
    return page;
}

test('two pages in one browser keep each other\'s option changes', async () => {
    const store = '[Software\\ornit\\vlmra]\ntype=0\ncidc=0\n';
    await withPage(session, { dpi, store }, async (first, context) => {
        const second = await secondPage(context, first.url());
        for (const [x, y] of optionTaps) await tap(second, x, y);
        for (const [x, y] of typeTaps) await tap(first, x, y);
        const text = await storeText(first);
        assert.equal(storeValue(text, 'type'), 3, text);
        assert.equal(storeValue(text, 'cidc'), 1, text);
    });
});

test('a game won in one page adds to the wins another page stored meanwhile', { timeout: 90000 }, async () => {
    const taps = await gameTaps(dpi);
    const store = '[Software\\ornit\\vlmra]\nstatc=5\nstatu=2\n';
    await withPage(session, { dpi, store }, async (first, context) => {
        const second = await secondPage(context, first.url());
        // The other page's games end while this one plays.
        await second.evaluate(() => localStorage.setItem('velmora.settings',
            localStorage.getItem('velmora.settings').replace('statc=5', 'statc=9')));
        for (const [x, y] of taps) await tap(first, x, y);
        const text = await storeText(first);
        assert.equal(storeValue(text, 'statc'), 10, text);
        assert.equal(storeValue(text, 'statu'), 2, text);
    });
});

test('a NUL in the stored text drops only its line', async () => {
    const store = '[Software\\ornit\\vlmra]\nstatu=5\nnote=a\0b\nback=2\n[Other]\nkept=1\n';
    await withPage(session, { dpi, store }, async (page) => {
        for (const [x, y] of optionTaps) await tap(page, x, y);
        const text = await storeText(page);
        assert.ok(!text.includes('\0') && !text.includes('note='), text);
        assert.ok(text.includes('[Other]\nkept=1\n'), text);
        for (const [name, value] of [['statu', 5], ['back', 2], ['cidc', 1]])
            assert.equal(storeValue(text, name), value, `${name} in ${JSON.stringify(text)}`);
    });
});

test('a refusing local storage warns once a page load, however many saves fail', async () => {
    const warnings = [];
    await withPage(session, { dpi, init: refusing(['setItem']) }, async (page) => {
        page.on('console', (m) => { if (m.type() === 'warning') warnings.push(m.text()); });
        for (let i = 0; i < 3; ++i)
            for (const [x, y] of optionTaps) await tap(page, x, y);
    });
    assert.equal(warnings.filter((w) => /cannot be kept/.test(w)).length, 1, warnings.join('\n'));
});

test('stored text over 1 MiB reads as absent and is never written over', async () => {
    const store = '[Software\\ornit\\vlmra]\nstatc=3\nback=2\n' + '#'.repeat(1 << 20) + '\n';
    const fresh = await replay([...lines(statistics), 'screenshot']);
    await withPage(session, { dpi, store }, async (page) => {
        for (const [x, y] of statistics) await tap(page, x, y);
        await assertSamePicture(page, fresh.shots[0], 'the defaults');
        await page.keyboard.press('Enter');
        await settled(page);
        for (const [x, y] of optionTaps) await tap(page, x, y);
        assert.ok(await page.evaluate((s) => localStorage.getItem('velmora.settings') === s, store),
            'the stored text changed');
    });
});
