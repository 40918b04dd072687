// The page's keys reach the program, each with the effect it has in the
// replay, and a press during a pause ends the pause at once.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { assertSamePicture, cssPoint, menuTaps, press, px, replay, settled, start, tap, withPage } from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

const dpi = 96;

// Each key changes the replay's screen; the table is the replay's deal at
// its clock: the computer leads, so Down and T take, and F2 and Alt+N deal
// while the hand differs from a fresh deal's. F1 is page.test.mjs's.
const steps = [
    ['right', 'ArrowRight'], ['right', 'ArrowRight'], ['left', 'ArrowLeft'], ['space', 'Space'],
    ['down', 'ArrowDown'], ['s', 'KeyS'], ['alt+n', 'Alt+KeyN'], ['t', 'KeyT'], ['f2', 'F2'],
    ['right', 'ArrowRight'], ['enter', 'Enter'], ['f10', 'F10'], ['down', 'ArrowDown'], ['up', 'ArrowUp'],
    ['escape', 'Escape'],
];

test('every key of the page reaches the program', async () => {
    const store = '[Software\\ornit\\vlmra\\Window]\npace=1\n';  // Pace > Off: no waits between keys
    const { shots } = await replay(['screenshot', ...steps.flatMap(([name]) => [`key ${name}`, 'screenshot'])], { dpi, store });
    for (const [i, [name]] of steps.entries())
        assert.notDeepEqual(shots[i + 1].rgb, shots[i].rgb, `the replay shows no effect of ${name} (step ${i + 1})`);
    await withPage(session, { dpi, store }, async (page) => {
        for (const [i, [name, key]] of steps.entries()) {
            await press(page, key);
            await assertSamePicture(page, shots[i + 1], `after ${name} (step ${i + 1})`);
        }
    });
});

// With the page's clock stopped a pause never ends by itself: only the press
// can end it. At this clock the trump eight, the fourth card, covers the
// computer's lead, and the beaten table is cleared after two pauses.
const presses = [
    { name: 'a key', line: 'key left', press: (page) => page.keyboard.press('ArrowLeft') },
    {
        name: 'a tap', line: `tap ${px(dpi, 100)} ${px(dpi, 250)}`,  // on the status line: it only clears it
        press: async (page) => page.mouse.click(...await cssPoint(page, px(dpi, 100), px(dpi, 250))),
    },
];

for (const { name, line, press: pressDuringPause } of presses) {
    test(`${name} during a pause ends it at once`, async () => {
        const cover = ['right', 'right', 'right', 'right', 'enter'];
        const { shots, dumps } = await replay([...cover.map((k) => `key ${k}`), line, 'dump', 'screenshot'], { dpi });
        assert.deepEqual([dumps[0].computerTable, dumps[0].humanTable], [[], []], 'the replay left cards on the table');
        await withPage(session, { dpi, clock: true }, async (page) => {
            await page.clock.pauseAt(await page.evaluate(() => Date.now() + 1000));
            for (const key of ['ArrowRight', 'ArrowRight', 'ArrowRight', 'ArrowRight']) await press(page, key);
            await page.keyboard.press('Enter');
            await new Promise((done) => setTimeout(done, 500));
            assert.equal(await page.evaluate(() => Velmora.idle), false, 'the cover made no pause');
            await pressDuringPause(page);
            await page.waitForFunction(() => Velmora.idle, null, { timeout: 5000 })
                .catch(() => assert.fail(`${name} left the pause going`));
            await settled(page);
            await assertSamePicture(page, shots[0], `after ${name}`);
        });
    });
}

// Which keys the page keeps from the browser is the program's answer: the
// browser keeps its own chords, function keys and Tab, which leaves the
// table for the rest of the page, except inside a dialog.
const answers = [
    ['ArrowLeft', true], ['ArrowRight', true], ['Space', true], ['Enter', true], ['ArrowDown', true],
    ['KeyT', true], ['KeyS', true], ['KeyR', true], ['KeyH', true], ['F2', true], ['Alt+KeyN', true],
    ['Tab', false], ['Shift+Tab', false], ['Control+KeyN', false], ['Control+KeyQ', false], ['F11', false],
    ['Alt+F4', false], ['Alt+ArrowLeft', false], ['Alt+KeyD', false], ['F3', false], ['F12', false],
    ['Meta+KeyR', false],
];

async function heard(page, key) {
    await page.evaluate(() => { window.lastKey = null; });
    await press(page, key);
    return page.evaluate(() => window.lastKey);
}

test('the browser keeps its own keys, and Tab outside a dialog', async () => {
    const store = '[Software\\ornit\\vlmra\\Window]\npace=1\n';
    await withPage(session, { dpi, store }, async (page) => {
        // Registered after the page's own listener, so it sees its answer.
        await page.evaluate(() => window.addEventListener('keydown', (e) => {
            window.lastKey = { code: e.code, taken: e.defaultPrevented };
        }));
        for (const [key, taken] of answers) {
            await page.focus('#screen');
            const seen = await heard(page, key);
            assert.ok(seen, `${key} never reached the page`);
            assert.equal(seen.taken, taken, `${key} ${taken ? 'left to the browser' : 'kept from the browser'}`);
        }
        await page.focus('#screen');
        await press(page, 'Tab');
        assert.notEqual(await page.evaluate(() => document.activeElement.id), 'screen', 'Tab stayed on the table');
        for (const [x, y] of menuTaps(dpi, 'game', 'options')) await tap(page, x, y);
        assert.equal((await heard(page, 'Tab')).taken, true, 'Tab left the dialog for the page');
        assert.equal((await heard(page, 'Shift+Tab')).taken, true, 'Shift+Tab left the dialog');
        await press(page, 'Escape');
        assert.equal((await heard(page, 'Tab')).taken, false, 'Tab kept after the dialog closed');
    });
});
