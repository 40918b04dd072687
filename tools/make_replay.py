#!/usr/bin/env python3
"""Plays whole games through velmora-replay and writes them as replay scripts.

A simple human (lowest legal card, cover when it can, take when it cannot)
talks to the driver line by line: it sends a move, then `dump`, reads the
state back and chooses the next move. The lines sent become the script; the
driver's output on that script becomes the expected dump.

Usage: tools/make_replay.py BUILD_DIR NAME --type T --clock HH:MM:SS.mmm
           [--games N] [--stale] [--transfer] [--answer yes|no] [--opponent expert]
Writes tests/replays/NAME.replay and tests/replays/NAME.expected.
"""

import argparse
import json
import os
import subprocess
import sys

RANKS = "??????6789TJQKA"
SUITS = "?DHCS"


def name(c):
    return RANKS[c["rank"]] + SUITS[c["suit"]]


def card_line(c):
    return "card %d %d" % (c["suit"], c["rank"])


def covers(cover, attack, trump, japanese):
    if japanese and attack["suit"] == 4 and cover["suit"] != 4:
        return False
    if cover["suit"] == trump and attack["suit"] != trump:
        return True
    return cover["suit"] == attack["suit"] and cover["rank"] > attack["rank"]


class Driver:
    def __init__(self, exe, args):
        self.proc = subprocess.Popen([exe] + args, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, text=True)
        self.lines = []
        self.state = None

    def send(self, line, comment=None):
        if comment:
            self.lines.append("# " + comment)
        self.lines.append(line)
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()

    def dump(self):
        self.send("dump")
        self.state = json.loads(self.proc.stdout.readline())
        return self.state

    def close(self):
        self.proc.stdin.close()
        self.proc.wait()
        return self.proc.returncode


class Human:
    def __init__(self, driver, stale, transfer):
        self.d = driver
        self.stale = stale
        self.transfer = transfer

    def tap_table(self):
        self.d.send("table")

    def lower(self):
        self.d.send("button lower")

    def select_only(self, cards, several):
        s = self.d.state
        want = {(c["suit"], c["rank"]) for c in cards}
        if several:
            for c in s["humanHand"]:
                if c["selected"] and (c["suit"], c["rank"]) not in want:
                    self.d.send(card_line(c))
        for c in s["humanHand"]:
            if (c["suit"], c["rank"]) in want and not c["selected"]:
                self.d.send(card_line(c))
            elif (c["suit"], c["rank"]) in want and c["selected"] and not several:
                # the only selection already: a tap would clear it
                pass

    def move(self):
        s = self.d.state
        trump = s["trump"]["suit"]
        japanese = s["gameType"] >= 4
        hand = sorted(s["humanHand"], key=lambda c: (c["suit"] == trump, c["rank"]))
        ht, ct = s["humanTable"], s["computerTable"]
        on_table = {c["rank"] for c in ht + ct}
        if s["extraCardsAllowed"] > 0:
            give = [c for c in hand if c["rank"] in on_table]
            if give:
                self.select_only(give[:1], False)
                self.tap_table()
            else:
                self.lower()
            return
        if s["computerAttacks"] == 0:
            if not ht and not ct:
                # Open with a rank the computer holds in transfer games, to
                # draw its transfer; otherwise the lowest card.
                ranks = {c["rank"] for c in s["computerHand"]}
                lead = [c for c in hand if s["transferRule"] and c["rank"] in ranks] or hand
                self.select_only(lead[:1], False)
                self.tap_table()
                return
            add = [c for c in hand if c["rank"] in on_table and c["suit"] != trump]
            if add and len(ht) < 6 and s["computerHand"] and len(ht) == len(ct):
                self.select_only(add[:1], False)
                self.tap_table()
            else:
                self.lower()
            return
        # Defending.
        if len(ct) >= 2 and not ht:
            pool, chosen = list(hand), []
            for a in sorted(ct, key=lambda c: (c["suit"] == trump, c["suit"], c["rank"])):
                fit = [c for c in pool if covers(c, a, trump, japanese)]
                if not fit:
                    chosen = None
                    break
                chosen.append(fit[0])
                pool.remove(fit[0])
            if self.stale and chosen is None:
                # Leave a selection of several behind, then take: the two
                # highest trumps, so the first of them can cover what comes.
                trumps = [c for c in hand if c["suit"] == trump] or hand
                self.select_only(trumps[-2:], True)
                self.lower()
                self.stale = "armed"
                return
            if chosen:
                self.select_only(chosen, True)
                self.tap_table()
            else:
                self.lower()
            return
        if self.stale == "armed":
            self.d.lines.append("# the selection of several made before taking is still there")
            self.tap_table()
            self.stale = False
            return
        attack = ct[-1]
        same = [c for c in hand if c["rank"] == attack["rank"]]
        if (self.transfer and same and s["transferRule"] and s["transferOpen"]
                and len(s["computerHand"]) >= len(ct) + 1):
            # Pass the attack on, with a trump when there is one: it asks first.
            same.sort(key=lambda c: c["suit"] != trump)
            self.select_only(same[:1], False)
            self.tap_table()
            return
        fit = [c for c in hand if covers(c, attack, trump, japanese)]
        if fit:
            self.select_only(fit[:1], False)
            self.tap_table()
        else:
            self.lower()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("name")
    ap.add_argument("--type", type=int, required=True)
    ap.add_argument("--clock", default="12:00:00.000")
    ap.add_argument("--games", type=int, default=1)
    ap.add_argument("--stale", action="store_true")
    ap.add_argument("--answer", default="yes")
    ap.add_argument("--transfer", action="store_true")
    ap.add_argument("--opponent", choices=["classic", "expert"], default="classic")
    ap.add_argument("--note", action="append", default=[], help="a comment line for the header")
    args = ap.parse_args()

    exe = os.path.join(args.build, "velmora-replay")
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    config = os.path.join("/tmp", "velmora-make-replay-%d" % os.getpid())
    os.makedirs(os.path.join(config, "velmora"), exist_ok=True)
    with open(os.path.join(config, "velmora", "settings.ini"), "w") as f:
        f.write("[Software\\ornit\\vlmra]\ntype=%d\n" % args.type)
    header = ["# %s: a whole game of type %d, played with taps" % (args.name, args.type),
              "# made by tools/make_replay.py"] + ["# " + n for n in args.note] + [
              "# clock: " + args.clock,
              "# config: type=%d" % args.type]
    run_args = ["--clock", args.clock, "--config", config]
    if args.opponent == "expert":
        header.append("# opponent: expert")
        run_args += ["--opponent", "expert"]
    d = Driver(exe, run_args)
    d.dump()
    human = Human(d, args.stale, args.transfer)
    finished = 0
    for _ in range(3000):
        boxes = [b["text"] for b in d.state["messageBoxes"]]
        if "Transfer?" in boxes:
            d.send("answer " + args.answer, "a trump of the attack rank: transfer?")
            d.dump()
            continue
        if "You win!" in boxes or "I win!" in boxes:
            finished += 1
            d.send("answer ok", "the game is over")
            if finished == args.games:
                break
            d.dump()
            continue
        human.move()
        d.dump()
    d.send("key alt+f4")
    status = d.close()
    subprocess.run(["rm", "-rf", config])
    if finished < args.games or status != 0:
        sys.exit("game did not finish (finished %d, status %d)" % (finished, status))

    script = os.path.join(root, "tests", "replays", args.name + ".replay")
    with open(script, "w") as f:
        f.write("\n".join(header + d.lines) + "\n")
    runner = os.path.join(root, "tests", "run_replay.sh")
    out = subprocess.run([runner, exe, script], capture_output=True, text=True)
    with open(os.path.join(root, "tests", "replays", args.name + ".expected"), "w") as f:
        f.write(out.stdout)
    print("%s: %d lines, %d dumps" % (args.name, len(d.lines), out.stdout.count("\n")))


if __name__ == "__main__":
    main()
