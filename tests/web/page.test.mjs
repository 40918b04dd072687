// The page around the canvas: the rules in a new tab, the end of the
// program, and nothing of the page's own lying over the game.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { cssPoint, menuTaps, replay, settled, start, tap, withPage } from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

const dpi = 96;

const rulesWays = [
    { name: 'Help > Rules', open: async (page) => { for (const [x, y] of menuTaps(dpi, 'help', 'rules')) await tap(page, x, y); } },
    { name: 'F1', open: (page) => page.keyboard.press('F1') },
];

for (const { name, open } of rulesWays) {
    test(`${name} opens the rules at the program's topic in a new tab`, async () => {
        const { dumps } = await replay([...menuTaps(dpi, 'help', 'rules').map(([x, y]) => `tap ${x} ${y}`), 'dump']);
        const [launch] = dumps[0].helpLaunches;
        const [file, anchor] = launch.help.replace(/^file:/, '').split('#');
        await withPage(session, { dpi }, async (page, context) => {
            const [rules] = await Promise.all([context.waitForEvent('page'), open(page)]);
            await rules.waitForLoadState();
            const address = new URL(rules.url());
            assert.equal(address.pathname, `/${file}`);
            assert.equal(address.hash, `#${anchor}`);
            assert.equal(await rules.locator(`[id="${anchor}"]`).count(), 1, `no element with the id ${anchor}`);
        });
    });
}

test('Game > Exit ends the program and offers another game', async () => {
    await withPage(session, { dpi }, async (page) => {
        const [bar, exit] = menuTaps(dpi, 'game', 'exit');
        await tap(page, ...bar);
        // Nothing waits for input once the program has ended.
        const [x, y] = await cssPoint(page, ...exit);
        await page.mouse.click(x, y);
        await page.waitForFunction(() => document.body.dataset.ended === 'yes');
        assert.ok(await page.locator('#ended a').isVisible());
        assert.ok(await page.locator('#screen').isHidden());
    });
});

// With the viewport the screen's own shape, the canvas reaches the page's
// corners, where the Keys box sits.
test("the page's own boxes leave the menu bar free", async () => {
    await withPage(session, { dpi, viewport: { width: 480, height: 640 } }, async (page) => {
        for (const item of ['game', 'help', 'pace']) {
            const [x, y] = await cssPoint(page, ...menuTaps(dpi, item)[0]);
            const hit = await page.evaluate(([x, y]) => {
                const e = document.elementFromPoint(x, y);
                return e.id || e.tagName;
            }, [x, y]);
            assert.equal(hit, 'screen', `the middle of the ${item} item is under ${hit}`);
        }
    });
});

// The density and clock of the address are for tests: both valid, or the
// viewport decides (here 480 x 640, the screen at 192 dpi).
test('the address fixes density and clock only when both are valid', async () => {
    const cases = [
        { query: '?dpi=96&clock=12:00:00.000', width: 240 },
        { query: '?dpi=96', width: 480 },
        { query: '?dpi=100&clock=12:00:00.000', width: 480 },
        { query: '?dpi=96&clock=24:00:00.000', width: 480 },
        { query: '?dpi=96&clock=12:00:00', width: 480 },
    ];
    await withPage(session, { dpi: null, viewport: { width: 480, height: 640 } }, async (page) => {
        for (const { query, width } of cases) {
            await page.goto(session.base + query);
            await settled(page);
            assert.equal(await page.evaluate(() => document.getElementById('screen').width), width, query);
        }
    });
});
