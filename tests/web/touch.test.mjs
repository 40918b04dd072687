// Touch: a finger's taps reach the program once each, and a quick second
// tap on a card is a double tap, which plays it only with the option on.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { assertSamePicture, cardTap, cssPoint, menuTaps, px, replay, settled, start, withPage } from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

const dpi = 144;
const phone = { dpi, viewport: { width: 360, height: 600 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
// Options, "Double tap for play", OK.
const doubleTapOn = [...menuTaps(dpi, 'game', 'options'), [px(dpi, 12), px(dpi, 49)], [px(dpi, 20), px(dpi, 307)]];

async function touch(page, x, y, times = 1) {
    const [cx, cy] = await cssPoint(page, x, y);
    for (let i = 0; i < times; ++i) await page.touchscreen.tap(cx, cy);
}

const cases = [
    { name: 'a double tap plays the card with the option on', setup: doubleTapOn, taps: 2, played: true },
    { name: 'a double tap does not play it with the option off', setup: [], taps: 2, played: false },
    { name: 'one tap only selects it, with the option on', setup: doubleTapOn, taps: 1, played: false },
];

for (const { name, setup, taps, played } of cases) {
    test(name, async () => {
        const [first] = (await replay(['dump'], { dpi })).dumps;
        const [x, y] = cardTap(dpi, first, 2, 8);
        const setupLines = setup.map(([sx, sy]) => `tap ${sx} ${sy}`);
        const expected = await replay([...setupLines, taps === 2 ? `dbltap ${x} ${y}` : `tap ${x} ${y}`, 'dump', 'screenshot'], { dpi });
        const inHand = expected.dumps[0].humanHand.some((c) => c.suit === 2 && c.rank === 8);
        assert.equal(inHand, !played, 'the replay does not do what the case says');
        await withPage(session, phone, async (page) => {
            for (const [sx, sy] of setup) {
                await touch(page, sx, sy);
                await settled(page);
            }
            await touch(page, x, y, taps);
            await settled(page);
            await assertSamePicture(page, expected.shots[0], name);
        });
    });
}
