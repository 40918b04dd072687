// A whole game played by keys alone, each move chosen from the words the
// page's live regions say, as a screen reader's user would hear them: no
// pixels and nothing of the program's state. The account heard along the
// way must be the replay's account and status line, line for line.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { press, replay, start, withPage } from './lib.mjs';

let session;
before(async () => { session = await start(); });
after(() => session?.close());

const dpi = 96;
const store = '[Software\\ornit\\vlmra\\Window]\npace=1\n';  // Pace > Off: no waits between keys
const replayNames = {
    ArrowRight: 'right', ArrowLeft: 'left', ArrowDown: 'down', Enter: 'enter', KeyT: 't', KeyH: 'h', KeyR: 'r',
};

const ranks = { J: 11, Q: 12, K: 13, A: 14 };

// "10♣" as { rank: 10, suit: '♣' }.
function card(text) {
    const [, rank, suit] = /^(10|[6-9JQKA])([♦♥♣♠])$/u.exec(text) || assert.fail(`no card: ${text}`);
    return { rank: ranks[rank] || Number(rank), suit, text };
}

function last(said, pattern, what) {
    const found = said.filter((t) => pattern.test(t)).at(-1);
    assert.ok(found, `nothing said of ${what}; heard ${JSON.stringify(said)}`);
    return found;
}

// "Your hand, 3 cards: 6♦, 10♣ selected, A♥." in the hand's order.
function readHand(said) {
    const text = last(said, /^Your hand/, 'the hand');
    if (text === 'Your hand is empty.') return [];
    const [, list] = /^Your hand, (?:\d+ cards|one card): (.*)\.$/u.exec(text);
    return list.split(', ').map((item) => ({ ...card(item.replace(/ selected$/, '')), selected: / selected$/.test(item) }));
}

// Each attack card with its cover, the trump suit and the computer's cards.
function readTable(said) {
    const text = last(said, /^(On the table:|The table is empty\.)/, 'the table');
    const pairs = [];
    const listed = /^On the table: (.*?)\. /u.exec(text);
    for (const pair of listed ? listed[1].split('; ') : []) {
        const [, owner, attack, cover] =
            /^(my|your) (\S+), (?:beaten by (?:your|my) (\S+)|not beaten)$/u.exec(pair) || assert.fail(`no pair: ${pair}`);
        pairs.push({ mine: owner === 'my', attack: card(attack), cover: cover ? card(cover) : null });
    }
    const [, trump] = /(\S) are trumps\./u.exec(text) || assert.fail(`no trump in ${text}`);
    const [, held] = /I hold (\d+|one|no) cards?\./.exec(text) || assert.fail(`no count in ${text}`);
    return { pairs, trump, computerCards: held === 'no' ? 0 : held === 'one' ? 1 : Number(held) };
}

// The lowest card, a trump only when nothing else will do.
function lowest(cards, trump) {
    const weight = (c) => (c.suit === trump ? 100 : 0) + c.rank;
    return cards.reduce((best, c) => (best === null || weight(c) < weight(best) ? c : best), null);
}

// The move: a card of the hand to play (its 1-based place), or a key.
function choose(hand, { pairs, trump, computerCards }) {
    const onTable = new Set(pairs.flatMap((p) => [p.attack.rank, ...(p.cover ? [p.cover.rank] : [])]));
    const place = (c) => hand.indexOf(c) + 1;
    const open = pairs.find((p) => !p.cover);
    if (open && open.mine) {
        const a = open.attack;
        const beats = hand.filter((c) => (c.suit === a.suit && c.rank > a.rank) || (c.suit === trump && a.suit !== trump));
        const cover = lowest(beats, trump);
        return cover ? { play: place(cover) } : { key: 'KeyT' };
    }
    if (pairs.length === 0) return { play: place(lowest(hand, trump)) };
    assert.ok(!pairs.some((p) => p.mine), `my attack is beaten and still on the table: ${JSON.stringify(pairs)}`);
    // Your attack: a throw-in while there is room, or extra cards while I take.
    const room = open ? true : pairs.length < 6 && computerCards > 0;
    const more = room ? lowest(hand.filter((c) => onTable.has(c.rank)), trump) : null;
    return more ? { play: place(more) } : { key: 'ArrowDown' };
}

test('a whole game played by keys, heard and not seen', { timeout: 60000 }, async () => {
    const pressed = [];
    let heard = [], account = [], buttons = [];
    await withPage(session, { dpi, store }, async (page) => {
        await page.evaluate(() => {
            window.heard = [];
            new MutationObserver((changes) => {
                for (const c of changes) for (const n of c.addedNodes) window.heard.push(n.textContent);
            }).observe(document.getElementById('said'), { childList: true });
        });
        async function ask(key) {
            const from = await page.evaluate(() => window.heard.length);
            await press(page, key);
            pressed.push(replayNames[key]);
            return page.evaluate((from) => window.heard.slice(from), from);
        }
        const framed = (said) => Number(/, card (\d+) of \d+/.exec(last(said, /, card \d+ of \d+/, 'the frame'))[1]);
        async function play(place) {
            let at = framed(await ask('ArrowRight'));
            for (let steps = 0; at !== place; ++steps) {
                assert.ok(steps < 40, `the frame never reached card ${place}`);
                at = framed(await ask(at < place ? 'ArrowRight' : 'ArrowLeft'));
            }
            return ask('Enter');
        }

        for (let over = false, turn = 0; !over; ++turn) {
            assert.ok(turn < 300, 'the game did not end');
            const hand = readHand(await ask('KeyH'));
            assert.ok(hand.every((c) => !c.selected), 'a card was left selected');
            const move = choose(hand, readTable(await ask('KeyR')));
            const said = move.key ? await ask(move.key) : await play(move.play);
            over = said.some((t) => /^(I|You) win!$/.test(t));
        }
        await ask('Enter');  // the box goes and the next game is dealt
        heard = await page.evaluate(() => window.heard);
        account = await page.$$eval('#account p', (ps) => ps.map((p) => ({ text: p.textContent, status: p.className === 'status' })));
        buttons = heard.filter((t) => t.startsWith('Down or T: '));
    });

    // The same keys in the replay, with a dump after each.
    const { dumps } = await replay(['dump', ...pressed.flatMap((k) => [`key ${k}`, 'dump'])], { dpi, store, log: true });
    assert.equal(dumps.at(-2).messageBoxes.length, 1, 'the replay\'s game did not end where the page\'s did');
    const shown = [];
    let before = '';
    for (const { status } of dumps) {
        if (status && status !== before) shown.push(status);
        before = status || '';
    }
    assert.ok(shown.length > 0, 'the game showed no status text');
    assert.deepEqual(account.filter((l) => l.status).map((l) => l.text), shown,
        'the account did not hear the status line as it changed');
    for (const text of new Set(dumps.map((d) => d.status).filter(Boolean)))
        assert.ok(shown.includes(text), `the status text ${JSON.stringify(text)} was never heard`);
    assert.deepEqual(account.filter((l) => !l.status).map((l) => l.text), dumps.flatMap((d) => d.log),
        'the account differs from the replay\'s log');
    assert.ok(account.some((l) => / win this game\./.test(l.text)), 'the end of the game was not told');
    for (const lower of ['take the table', 'end your attack'])
        assert.ok(buttons.some((t) => t.includes(lower)), `the lower button's "${lower}" was never said`);
    for (let i = 1; i < buttons.length; ++i)
        assert.notEqual(buttons[i], buttons[i - 1], 'the buttons were said again unchanged');
});
