#!/usr/bin/env python3
"""Writes short, varied scripts for the restart test (tests/replay_restart.py
compares two runs of each, so they need no expected dumps).

Each plays part of a game of one of the six types against the driver, with
make_replay.py's simple human, mixed with what it never does: cards
selected and left so, keys of keyboard play, a transfer answered either way.

Usage: tools/make_restart_scripts.py BUILD_DIR OUT_FOLDER [COUNT]
"""
import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_replay import Driver, Human, card_line  # noqa: E402

KEYS = ["left", "right", "up", "down", "space", "enter", "s", "escape"]


def one(exe, number, out):
    rng = random.Random(number)
    kind = number % 6
    clock = "%02d:%02d:%02d.%03d" % (rng.randrange(24), rng.randrange(60), rng.randrange(60),
                                      rng.randrange(1000))
    config = os.path.join("/tmp", "velmora-restart-scripts-%d" % os.getpid())
    os.makedirs(os.path.join(config, "velmora"), exist_ok=True)
    with open(os.path.join(config, "velmora", "settings.ini"), "w") as f:
        f.write("[Software\\ornit\\vlmra]\ntype=%d\n" % kind)
    d = Driver(exe, ["--clock", clock, "--config", config])
    d.dump()
    human = Human(d, stale=rng.random() < 0.3, transfer=kind in (1, 3, 5))
    moves = rng.randrange(12, 40)
    for _ in range(moves):
        boxes = [b["text"] for b in d.state["messageBoxes"]]
        if "Transfer?" in boxes:
            d.send("answer " + rng.choice(["yes", "no"]))
        elif boxes:
            d.send("answer ok")
        elif rng.random() < 0.12 and d.state["humanHand"]:
            d.send(card_line(rng.choice(d.state["humanHand"])))
        elif rng.random() < 0.08:
            d.send("key " + rng.choice(KEYS))
        else:
            human.move()
        d.dump()
    d.send("key alt+f4")
    status = d.close()
    subprocess.run(["rm", "-rf", config], check=False)
    if status != 0:
        sys.exit("script %d: the driver ended with status %d" % (number, status))
    name = os.path.join(out, "gen-%02d-type%d.replay" % (number, kind))
    with open(name, "w") as f:
        f.write("\n".join(["# made by tools/make_restart_scripts.py",
                           "# clock: " + clock, "# config: type=%d" % kind] + d.lines) + "\n")


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    exe = os.path.join(sys.argv[1], "velmora-replay")
    os.makedirs(sys.argv[2], exist_ok=True)
    for number in range(int(sys.argv[3]) if len(sys.argv) == 4 else 50):
        one(exe, number, sys.argv[2])


if __name__ == "__main__":
    main()
