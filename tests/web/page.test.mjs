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

// The density and clock of the address are for tests: both valid (a density
// the glyphs are drawn for), or the viewport decides (here 480 x 640 less the
// account's room below the table: the screen at 156 dpi).
test('the address fixes density and clock only when both are valid', async () => {
    const cases = [
        { query: '?dpi=96&clock=12:00:00.000', width: 240 },
        { query: '?dpi=100&clock=12:00:00.000', width: 250 },
        { query: '?dpi=96', width: 390 },
        { query: '?dpi=769&clock=12:00:00.000', width: 390 },
        { query: '?dpi=23&clock=12:00:00.000', width: 390 },
        { query: '?dpi=96&clock=24:00:00.000', width: 390 },
        { query: '?dpi=96&clock=12:00:00', width: 390 },
    ];
    await withPage(session, { dpi: null, viewport: { width: 480, height: 640 } }, async (page) => {
        for (const { query, width } of cases) {
            await page.goto(session.base + query);
            await settled(page);
            assert.equal(await page.evaluate(() => document.getElementById('screen').width), width, query);
        }
    });
});

// The account lies in the margin beside or below the table, never over it,
// in text a reader can select, and at every shape of the viewport it has the
// least room it is promised. The canvas is named for a screen reader. Each
// canvas pixel is one device pixel, placed on whole device pixels, at the
// largest density that fits (its screen `width` device pixels across).
const shapes = [
    { name: 'square', viewport: { width: 640, height: 640 }, below: false },
    { name: "the screen's own shape", viewport: { width: 480, height: 640 }, below: true },
    { name: 'wide', viewport: { width: 1280, height: 720 }, below: false },
    { name: 'a phone', viewport: { width: 360, height: 740 }, deviceScaleFactor: 3, below: true },
    { name: 'a phone turned', viewport: { width: 740, height: 360 }, deviceScaleFactor: 3, below: false },
    { name: 'a short phone', viewport: { width: 360, height: 600 }, deviceScaleFactor: 2, below: true },
    { name: 'a desktop', viewport: { width: 1440, height: 900 }, below: false, width: 675 },
    { name: 'a zoomed laptop', viewport: { width: 1280, height: 720 }, deviceScaleFactor: 1.25, below: false, width: 675 },
    { name: 'a tall phone', viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, below: true, width: 1170 },
    { name: 'a tablet', viewport: { width: 820, height: 1180 }, deviceScaleFactor: 2, below: true, width: 1590 },
];

for (const { name, below, width, ...options } of shapes) {
    test(`the account beside or below the table: ${name}`, async () => {
        await withPage(session, { dpi: null, fixedDate: true, ...options }, async (page) => {
            const seen = await page.evaluate(() => {
                const box = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
                const account = getComputedStyle(document.getElementById('account'));
                const canvas = document.getElementById('screen');
                return {
                    canvas: box('screen'), side: box('side'), account: box('account'),
                    fontSize: parseFloat(account.fontSize), select: account.userSelect,
                    live: document.getElementById('account').getAttribute('aria-live'),
                    lines: document.getElementById('account').childElementCount,
                    named: canvas.getAttribute('aria-label') || '',
                    inner: [innerWidth, innerHeight],
                    pixels: [canvas.width, canvas.height], ratio: devicePixelRatio,
                };
            });
            const { canvas: c, side: s, inner: [w, h] } = seen;
            const apart = s.left >= c.right - 0.5 || s.top >= c.bottom - 0.5;
            assert.ok(apart, `the account ${JSON.stringify(s)} overlaps the table ${JSON.stringify(c)}`);
            assert.ok(s.left >= 0 && s.top >= 0 && s.right <= w + 0.5 && s.bottom <= h + 0.5, 'the account leaves the viewport');
            assert.equal(s.top >= c.bottom - 0.5, below, below ? 'not below the table' : 'not beside the table');
            assert.ok(below ? s.height >= 119.5 : s.width >= 199.5, `the account has too little room: ${JSON.stringify(s)}`);
            assert.ok(seen.account.height > 50, 'no room left for the account\'s lines');
            assert.ok(seen.fontSize >= 12, `text of ${seen.fontSize}px`);
            assert.notEqual(seen.select, 'none', 'the account cannot be selected');
            assert.equal(seen.live, 'polite');
            assert.ok(seen.lines >= 1, 'the deal is not told');
            assert.match(seen.named, /card table/);
            assert.equal(await page.getByRole('application', { name: /card table/ }).count(), 1);
            // Layout rounds to 1/64 of a CSS pixel.
            const whole = (n) => Math.abs(n * seen.ratio - Math.round(n * seen.ratio)) < 0.05;
            assert.ok(Math.abs(c.width * seen.ratio - seen.pixels[0]) < 0.05 &&
                Math.abs(c.height * seen.ratio - seen.pixels[1]) < 0.05, `the canvas ${JSON.stringify(seen.pixels)} is scaled to ${c.width} x ${c.height}`);
            assert.ok(whole(c.left) && whole(c.top), `the canvas lies off device pixels at ${c.left}, ${c.top}`);
            if (width) assert.equal(seen.pixels[0], width, 'not the largest density that fits');
        });
    });
}

// The newest line of the account stays in view, unless the reader has
// scrolled back to older ones, whose place a new line then keeps.
test('the account follows its newest line until the reader scrolls back', async () => {
    await withPage(session, { dpi, viewport: { width: 360, height: 600 } }, async (page) => {
        const place = () => page.evaluate(() => {
            const a = document.getElementById('account');
            return { top: a.scrollTop, end: a.scrollHeight - a.clientHeight };
        });
        await page.evaluate(() => { for (let i = 0; i < 40; ++i) Velmora.line(`line ${i}`, false); });
        let seen = await place();
        assert.ok(seen.end > 0, 'the lines do not overflow the account');
        assert.ok(seen.top >= seen.end - 1, `the newest line is out of view: ${JSON.stringify(seen)}`);
        await page.evaluate(() => { document.getElementById('account').scrollTop = 10; });
        await page.evaluate(() => Velmora.line('one more', false));
        seen = await place();
        assert.equal(seen.top, 10, 'a new line moved the reader');
        await page.evaluate(() => { const a = document.getElementById('account'); a.scrollTop = a.scrollHeight; });
        await page.evaluate(() => Velmora.line('and another', true));
        seen = await place();
        assert.ok(seen.top >= seen.end - 1, 'the account stopped following once back at the end');
        assert.equal(await page.$eval('#account p:last-child', (p) => [p.textContent, p.className].join('|')), 'and another|status');
    });
});
