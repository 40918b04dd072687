#!/usr/bin/env python3
"""The kept game through velmora-replay's --state folder.

damage: a kept game made by a few moves, then spoiled in each way a disk or
a person can spoil it. The game is kept in two files written in turn, each
framed by a line with its save number, length and CRC-32. Spoiled in both
files (the text re-framed with a sound CRC, so the game's own checks are the
ones that refuse it), every one is refused with exactly one line on stderr
and a fresh deal; with only the newest file torn, the one before it is taken
up without a word; the sound one is taken up as it was left; one of another
game type than the stored one is dropped without a word.

counted: a game won, and the program stopped while "You win!"/"I win!" is
still open. The win is counted once, however often the program starts
again, and the next deal is the one an uninterrupted run deals.

Usage: kept_replay.py VELMORA_REPLAY REPLAY_FOLDER damage|counted
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zlib

CLOCK = "12:00:00.000"
SECTION = "[Software\\ornit\\vlmra]"
SLOTS = ("kept-game-a.txt", "kept-game-b.txt")

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL: " + what)
    return ok


class Driver:
    def __init__(self, exe, work):
        self.exe, self.work, self.runs = exe, work, 0

    def run(self, lines, state=None, config=("type=0",), clock=CLOCK, extra=()):
        """Runs the script on a fresh store of the config lines; returns
        (status, dumps, stderr lines)."""
        self.runs += 1
        folder = os.path.join(self.work, "config-%d" % self.runs)
        os.makedirs(os.path.join(folder, "velmora"))
        with open(os.path.join(folder, "velmora", "settings.ini"), "w") as f:
            f.write("\n".join([SECTION] + list(config)) + "\n")
        args = [self.exe, "--config", folder, "--clock", clock]
        if state:
            args += ["--state", state]
        args += list(extra)
        out = subprocess.run(args, input="\n".join(lines) + "\n", capture_output=True,
                             text=True, errors="replace", cwd=self.work, timeout=60, check=False)
        dumps = [json.loads(line) for line in out.stdout.splitlines()]
        return out.returncode, dumps, out.stderr.splitlines()


def without(dump, *fields):
    return {k: v for k, v in dump.items() if k not in fields}


def script(folder, name):
    with open(os.path.join(folder, name)) as f:
        return [l for l in f.read().splitlines() if l and not l.startswith("#")]


# ---- damage -------------------------------------------------------------

FRAME = re.compile(rb"velmora kept (\d+) (\d+) ([0-9a-f]{8})\n")


def unframed(data):
    """(save number, text) of a whole file, or None."""
    head = FRAME.match(data)
    if not head:
        return None
    body = data[head.end():head.end() + int(head.group(2))]
    if zlib.crc32(body) != int(head.group(3), 16):
        return None
    return int(head.group(1)), body.decode()


def framed(save, text):
    body = text.encode()
    return b"velmora kept %d %d %08x\n" % (save, len(body), zlib.crc32(body)) + body


def newest(folder):
    """The file holding the newest whole save, and its text."""
    best = None
    for name in SLOTS:
        with open(os.path.join(folder, name), "rb") as f:
            got = unframed(f.read())
        if got and (best is None or got[0] > best[1]):
            best = (name, got[0], got[1])
    return best[0], best[2]


def text_spoil(change):
    """A change to the kept text, written back under a sound frame."""
    def spoil(path):
        with open(path, "rb") as f:
            save, text = unframed(f.read())
        with open(path, "wb") as f:
            f.write(framed(save, change(text)))
    return spoil


def lines_spoil(change):
    return text_spoil(lambda text: "\n".join(change(text.split("\n"))))


def flip(line_start, inside, skip, bit):
    """One bit of the character `skip` past `inside` in the line so begun."""
    def change(text):
        lines = text.split("\n")
        n = next(i for i, l in enumerate(lines) if l.startswith(line_start))
        at = sum(len(l) + 1 for l in lines[:n]) + lines[n].index(inside) + skip
        return text[:at] + chr(ord(text[at]) ^ bit) + text[at + 1:]
    return text_spoil(change)


def truncated(path):
    with open(path, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        f.write(data[:len(data) // 2])


def card_lines(lines):
    return [i for i, l in enumerate(lines) if l.startswith("card ")]


def duplicated(lines):
    at = card_lines(lines)
    lines[at[1]] = lines[at[0]]
    return lines


def extra_card(lines):
    # A 37th card: the first pile's first card once more, and its count raised.
    pile = next(i for i, l in enumerate(lines) if l.startswith("pile "))
    words = lines[pile].split(" ")
    words[-1] = "cards=%d" % (int(words[-1].split("=")[1]) + 1)
    lines[pile] = " ".join(words)
    lines.insert(pile + 1, lines[card_lines(lines)[0]])
    return lines


def with_seen(line):
    """The Expert's seen line in place of any there is, before the end."""
    def change(lines):
        kept = [l for l in lines if not l.startswith("seen ")]
        end = kept.index("end")
        return kept[:end] + [line] + kept[end:]
    return change


def fifo(path):
    os.remove(path)
    os.mkfifo(path)


def huge(path):
    with open(path, "ab") as f:
        f.write(b"\n" * (2 << 20))


def damage(d, replays):
    base = os.path.join(d.work, "base")
    moves = script(replays, "thrown-up.replay")[:13]
    status, made, err = d.run(moves + ["dump"], state=base)
    check(status == 0 and not err, "the first run failed: %s" % err)
    left = made[-1]
    newest_name, text = newest(base)
    lines = text.split("\n")
    check(lines[0] == "velmora game 1", "the kept game's header is %r" % lines[0])
    _, fresh, _ = d.run(["dump"], state=os.path.join(d.work, "empty"))
    fresh = without(fresh[0], "invalidated")
    check(without(left, "invalidated") != fresh, "the moves changed nothing to tell apart")

    def run_on(name, spoil, files=SLOTS):
        state = os.path.join(d.work, name)
        shutil.copytree(base, state)
        for file in files:
            if spoil:
                spoil(os.path.join(state, file))
        return d.run(["dump"], state=state)

    # Each of these, in both files, must be refused.
    card = lines[card_lines(lines)[0]]
    spoiled = [
        ("truncated", truncated),
        ("header bit", flip("velmora game", "game", 0, 0x01)),
        ("digit made a letter in random", flip("random ", "seed=", 5, 0x40)),
        ("digit made a letter in the table", flip("table ", " ", 1, 0x40)),
        ("card suit made a letter", flip(card[:12], "suit=", 5, 0x40)),
        ("key name in a card", flip(card[:12], "rank", 0, 0x20)),
        ("blank doubled in words",
         lines_spoil(lambda ls: [l.replace(" ", "  ", 1) if l.startswith("words ") else l
                                 for l in ls])),
        ("a surrogate in the status line",
         lines_spoil(lambda ls: [("status text=\\u00D800" if l.startswith("status ") else l)
                                 for l in ls])),
        ("a duplicated card", lines_spoil(duplicated)),
        ("37 cards", lines_spoil(extra_card)),
        ("wrong version", lines_spoil(lambda ls: ["velmora game 99"] + ls[1:])),
        ("a seen set past the deck",
         lines_spoil(with_seen("seen human=68719476736 computer=0 table=0"))),
        ("a seen line short of a set", lines_spoil(with_seen("seen human=1 computer=2"))),
        ("a FIFO", fifo),
        ("2 MiB", huge),
    ]
    for name, spoil in spoiled:
        status, dumps, err = run_on(name.replace(" ", "-"), spoil)
        check(status == 0, "%s: exit status %d" % (name, status))
        check(len(err) == 1 and name.replace(" ", "-") in err[0]
              and err[0].endswith("; a new game is dealt"),
              "%s: stderr is not one line naming the kept game: %s" % (name, err))
        check(dumps and without(dumps[0], "invalidated") == fresh,
              "%s: not the fresh deal" % name)

    # Every few characters, one bit flipped in both files: refused with one
    # line, or taken up without a word as a sound game; never a crash.
    for at in range(0, len(text), max(1, len(text) // 40)):
        name = "sweep-%d" % at
        status, dumps, err = run_on(name, text_spoil(
            lambda t, at=at: t[:at] + chr(ord(t[at]) ^ 0x01) + t[at + 1:] if at < len(t) else t))
        if not check(status == 0 and dumps, "char %d flipped: exit status %d" % (at, status)):
            continue
        if err:
            check(len(err) == 1 and without(dumps[0], "invalidated") == fresh,
                  "char %d flipped: refused, but %s" % (at, err))
        else:
            cards = [(c["suit"], c["rank"]) for p in ("humanHand", "computerHand", "humanTable",
                                                      "computerTable") for c in dumps[0][p]]
            check(len(set(cards)) == len(cards) <= 36, "char %d flipped: taken up unsound" % at)

    status, dumps, err = run_on("sound", None)
    check(status == 0 and not err, "the sound kept game: %s" % err)
    check(dumps and without(dumps[0], "invalidated") == without(left, "invalidated"),
          "the sound kept game is not taken up as it was left")

    # The newest save torn (a kill or a power cut as it was written): the
    # save before it, as if the newest had never been written.
    older = [n for n in SLOTS if n != newest_name]
    _, before, _ = run_on("newest-gone", os.remove, [newest_name])
    for name, spoil in (("newest-truncated", truncated), ("newest-bit", flip("velmora", "", 0, 0))):
        status, dumps, err = run_on(name, spoil if name == "newest-truncated" else
                                    lambda p: open(p, "r+b").write(b"X"), [newest_name])
        check(status == 0 and not err and dumps and before and
              without(dumps[0], "invalidated") == without(before[0], "invalidated"),
              "%s: the save before it is not taken up silently: %s" % (name, err))
    check(before and without(before[0], "invalidated") not in (fresh, without(left, "invalidated"))
          or not older, "the save before the newest is neither a fresh deal nor the last one")

    # The open view (q7K) shows a kept game's computer hand as it shows a
    # running one's: the same screen as the same moves made under it.
    shots = [os.path.join(d.work, "open-%d.png" % n) for n in (1, 2)]
    state = os.path.join(d.work, "open-view")
    shutil.copytree(base, state)
    d.run(["screenshot " + shots[0]], state=state, extra=("--cmdline", "q7K"))
    d.run(moves + ["screenshot " + shots[1]], extra=("--cmdline", "q7K"))
    with open(shots[0], "rb") as a, open(shots[1], "rb") as b:
        check(a.read() == b.read(), "the open view does not show the kept game's computer hand")

    # Another type stored since: that type's fresh deal, silently.
    _, other, _ = d.run(["dump"], state=os.path.join(d.work, "empty2"), config=("type=2",))
    state = os.path.join(d.work, "other-type")
    shutil.copytree(base, state)
    status, dumps, err = d.run(["dump"], state=state, config=("type=2",))
    check(status == 0 and not err, "a kept game of another type: %s" % err)
    check(dumps and dumps[0]["gameType"] == 2 and
          without(dumps[0], "invalidated") == without(other[0], "invalidated"),
          "a kept game of another type: not a fresh deal of the stored type")


# ---- counted ------------------------------------------------------------


def deal(dump):
    return {k: dump[k] for k in ("humanHand", "computerHand", "humanTable", "computerTable",
                                 "trump", "computerAttacks", "stock", "gameType", "lastWinner")}


def counted(d, replays):
    # A computer's win, then the player's in the second game of the other.
    for name in ("thrown-up.replay", "japanese-transfer-yes.replay"):
        with open(os.path.join(replays, name)) as f:
            header = f.read().splitlines()
        clock = next(l[9:] for l in header if l.startswith("# clock: "))
        config = [l[10:] for l in header if l.startswith("# config: ")]
        lines = script(replays, name)
        # Each box is open while the dump before its answer is read; the win
        # is counted by then.
        boxes = [k for k, l in enumerate(lines) if l == "answer ok" and lines[k - 1] == "dump"]
        for n, box in enumerate(boxes, 1):
            where = "%s, game %d" % (name, n)
            body = lines[:box]
            status, want, _ = d.run(body + ["answer ok", "dump"], config=config, clock=clock)
            won, after = want[-2], want[-1]
            wins = (won["store"]["statc"], won["store"]["statu"])
            check(status == 0 and bool(won["messageBoxes"]) and
                  sum(int(w or 0) for w in wins) == n,
                  "%s: the straight run counted %s with %s open" %
                  (where, wins, won["messageBoxes"]))
            status, got, err = d.run(body + ["restart", "dump", "restart", "dump"],
                                     state=os.path.join(d.work, "won-%d" % d.runs),
                                     config=config, clock=clock)
            check(status == 0 and not err, "%s: status %d, %s" % (where, status, err))
            for start, dump in enumerate(got[-2:], 1):
                counts = (dump["store"]["statc"], dump["store"]["statu"])
                check(counts == wins, "%s, start %d after the kill: the store counts %s, not %s"
                      % (where, start, counts, wins))
                check(not dump["messageBoxes"] and deal(dump) == deal(after),
                      "%s, start %d after the kill: not the straight run's next deal" %
                      (where, start))


def main(exe, replays, which):
    with tempfile.TemporaryDirectory() as work:
        d = Driver(os.path.abspath(exe), work)
        {"damage": damage, "counted": counted}[which](d, replays)
        print("%d runs, %d failures" % (d.runs, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[3] not in ("damage", "counted"):
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
