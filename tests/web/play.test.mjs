// A whole game played by clicks on the canvas, and its score kept by the
// store across a reload.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import {
    assertSamePicture, gameTaps, menuTaps, press, replay, settled, start, storeText, storeValue, tap, withPage,
} from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

const dpi = 96;
const lines = (taps) => taps.map(([x, y]) => `tap ${x} ${y}`);

test('a whole game played by clicks', { timeout: 90000 }, async (t) => {
    const taps = await gameTaps(dpi);
    const end = await replay([...lines(taps), 'dump', 'screenshot']);
    const [last] = end.dumps;
    assert.equal(last.messageBoxes.length, 1, 'the taps do not end the replay\'s game');
    const won = last.humanWins ? 'statu' : 'statc';

    await withPage(session, { dpi }, async (page) => {
        await t.test('ends with the box the replay ends with, and counts the game', async () => {
            for (const [x, y] of taps) await tap(page, x, y);
            await assertSamePicture(page, end.shots[0], 'the end of the game');
            assert.equal(await page.title(), last.title);
            assert.equal(storeValue(await storeText(page), won), 1, `the store's ${won} after the game`);
        });
        await t.test('leaves a score that a reload reads back', async () => {
            await press(page, 'Enter');
            await page.reload();
            await settled(page);
            const statistics = menuTaps(dpi, 'game', 'statistics');
            for (const [x, y] of statistics) await tap(page, x, y);
            // The reload takes up the next deal, kept as the native run keeps it.
            const shown = await replay([...lines(taps), 'key enter', 'restart', ...lines(statistics), 'screenshot'],
                { keep: true });
            await assertSamePicture(page, shown.shots[0], 'the statistics after a reload');
        });
    });
});
