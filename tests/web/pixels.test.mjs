// The page shows what the native program shows after the same input: the
// canvas against velmora-replay's screenshots, pixel for pixel.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import {
    assertSamePicture, cardTap, menuTaps, press, replay, start, tableTap, tap, withPage,
} from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

// Taps worked out from the replay's first dump; the trump eight covers
// the computer's lead at this clock.
const cases = [
    { name: 'at the start', taps: () => [] },
    { name: 'after a played card', taps: (dpi, dump) => [cardTap(dpi, dump, 2, 8), tableTap(dpi)] },
    { name: 'with the About box open', taps: (dpi) => menuTaps(dpi, 'help', 'about') },
    { name: 'with Options open', taps: (dpi) => menuTaps(dpi, 'game', 'options') },
];

// The old steps of 48 and densities between them, whose glyphs the page
// fetches as for any other.
for (const dpi of [96, 120, 144, 168, 336]) {
    test(`taps at ${dpi} dpi`, async (t) => {
        const [first] = (await replay(['dump'], { dpi })).dumps;
        for (const { name, taps } of cases) {
            await t.test(name, async () => {
                const points = taps(dpi, first);
                const expected = await replay([...points.map(([x, y]) => `tap ${x} ${y}`), 'screenshot'], { dpi });
                await withPage(session, { dpi }, async (page) => {
                    for (const [x, y] of points) await tap(page, x, y);
                    await assertSamePicture(page, expected.shots[0], name);
                });
            });
        }
    });
}

test('keys play a card and sort the hand as in the replay', async () => {
    // Four steps of the frame bring it to the trump eight; Space selects it,
    // Enter plays it, S sorts the hand the bout leaves.
    const steps = [
        [['right', 'ArrowRight'], ['right', 'ArrowRight'], ['right', 'ArrowRight'], ['right', 'ArrowRight'],
            ['space', 'Space'], ['enter', 'Enter']],
        [['s', 'KeyS']],
    ];
    const expected = await replay(steps.flatMap((keys) => [...keys.map(([name]) => `key ${name}`), 'dump', 'screenshot']), { dpi: 192 });
    const [played, sorted] = expected.dumps.map((d) => d.humanHand.map((c) => `${c.suit}.${c.rank}`).join(' '));
    assert.doesNotMatch(played, /\b2\.8\b/, 'the replay played no card');
    assert.notEqual(sorted, played, 'the replay sorted nothing');
    await withPage(session, { dpi: 192 }, async (page) => {
        for (const [i, keys] of steps.entries()) {
            for (const [, key] of keys) await press(page, key);
            await assertSamePicture(page, expected.shots[i], `after ${keys.map(([name]) => name).join(', ')}`);
        }
    });
});

test('turning a phone lays the table out again at the density that fits', async () => {
    // 360 x 740 CSS pixels at 3 device pixels each hold the screen at up to
    // 432 dpi, 1080 device pixels across; turned, 2220 x 1080 up to 324 dpi.
    const expected = await replay(['screenshot', 'density 324', 'screenshot'], { dpi: 432 });
    const options = { dpi: null, fixedDate: true, viewport: { width: 360, height: 740 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
    await withPage(session, options, async (page) => {
        await assertSamePicture(page, expected.shots[0], 'upright');
        await page.setViewportSize({ width: 740, height: 360 });
        // A page that keeps its old screen fails on the size below.
        await page.waitForFunction(() => document.getElementById('screen').width !== 1080 && Velmora.idle,
            null, { timeout: 10000 }).catch(() => {});
        await assertSamePicture(page, expected.shots[1], 'turned');
        // Centred, one canvas pixel to a device pixel: 810 x 1080 of them.
        const box = await page.evaluate(() => document.getElementById('screen').getBoundingClientRect().toJSON());
        assert.deepEqual([box.left, box.top, box.width, box.height], [235, 0, 270, 360]);
    });
});
