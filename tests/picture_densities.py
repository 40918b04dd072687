#!/usr/bin/env python3
"""The table's pictures at several densities, from velmora-replay's
screenshots of the first moves of a replayed game.

Above 192 dpi a suit mark's and a button picture's ink is as wide as at
96 dpi times the density's factor, within a pixel. At 96, 144 and 192 dpi
the screenshots (table, after some moves, the Options page) are the ones
this game has always drawn: their pixels' digests are kept below.

Usage: picture_densities.py VELMORA_REPLAY REPLAY_FOLDER
"""

import hashlib
import json
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools", "pictures"))
import png  # noqa: E402

# SHA-256 of the screenshots' RGBA rows, by density and moment.
# The menu bar's fourth item, Play, changed the table's screenshots (not
# the Options page's); every picture in them is as it was.
KEPT = {
    (96, "start"): "1ccb4606ba7e531c9b3a4c592597a6d837992518d754637be65067b0ce9e9a0b",
    (96, "moves"): "602e3ac95304aa1e0b535a71c0a21e17cbaf1d836f5ad01977bf91cbd87632dc",
    (96, "options"): "8f53aafb4f6228a4b4ddcde343fc425a0bbb707622da52dd4878ee33af9a82cc",
    (144, "start"): "404b56336745bddabf4ad94e2157a0ec00be1e7ba8a87ce52e50498ca10dc50a",
    (144, "moves"): "836212b7ae1bfb607a251a19ed7e00f3242910fb30dd5f936be88c52f87ef907",
    (144, "options"): "97bae0600f911b7c2c4431bdf971c5ff9c4765a81ba1dfff97cddac2fa980986",
    (192, "start"): "793103bca586cefcc092fefd0f265a6f3f50656900c0cf1834b576e15e7a3d86",
    (192, "moves"): "7ea3496803ae3d99ac27041a7c6bc7508429c78aebb929be55d3851d8a669420",
    (192, "options"): "e310a6ab68b6258648fbcbdb2aadf34420d832f63abeb1398d2817eec412f92d",
}


def scaled(dpi, n):
    """ScaleX: n design units at dpi, halves rounded up."""
    return (dpi * n + 48) // 96


def play(replay, opening, dpi, work):
    """Screenshots and dumps of the opening moves at dpi: the start, after
    the moves, and with the Options page open."""
    shots = {m: os.path.join(work, "%d-%s.png" % (dpi, m)) for m in ("start", "moves", "options")}
    script = ["dump", "screenshot " + shots["start"]] + opening
    script += ["dump", "screenshot " + shots["moves"], "menu game options",
               "screenshot " + shots["options"]]
    config = os.path.join(work, "config-%d" % dpi)
    os.makedirs(os.path.join(config, "velmora"))
    with open(os.path.join(config, "velmora", "settings.ini"), "w") as f:
        f.write("[Software\\ornit\\vlmra]\ntype=0\n")
    run = subprocess.run([replay, "--config", config, "--clock", "12:00:00.000", "--dpi", str(dpi),
                          "-"], input="\n".join(script) + "\n", capture_output=True, text=True,
                         cwd=work, check=False)
    if run.returncode != 0:
        raise RuntimeError("velmora-replay at %d dpi: %s" % (dpi, run.stderr.strip()))
    dumps = [json.loads(line) for line in run.stdout.splitlines() if line.startswith("{")]
    return shots, dumps


def pixel(data, w, x, y):
    i = (y * w + x) * 4
    return data[i:i + 4]


def ink_width(shot, box, inked):
    """The number of columns of box (x0, y0, x1, y1) holding a pixel that
    counts as ink."""
    w, _, data = shot
    x0, y0, x1, y1 = box
    return sum(1 for x in range(x0, x1) if any(inked(pixel(data, w, x, y)) for y in range(y0, y1)))


def red(p):
    return p[0] > 150 and p[1] < 90 and p[2] < 90


def black(p):
    return max(p[:3]) < 60


def white(p):
    return min(p[:3]) > 230


def widths(shot, dump, dpi):
    """Ink widths: each human card's top right suit mark, by suit, and the
    lower button's picture."""
    w, h, s = scaled(dpi, 28), scaled(dpi, 40), scaled(dpi, 9)
    marks = {}
    hand = dump["humanHand"]
    for i, card in enumerate(hand):
        x, y = card["x"] + w - s - 2, card["y"] + 2
        # Only a mark no later card lies over.
        if any(o["x"] < x + s and x < o["x"] + w and o["y"] < y + s and y < o["y"] + h
               for o in hand[i + 1:]):
            continue
        marks[card["suit"]] = ink_width(shot, (x, y, x + s, y + s), red if card["suit"] < 3 else black)
    button = tuple(scaled(dpi, v) for v in (204, 120, 236, 152))
    return marks, ink_width(shot, button, white)


def main(argv):
    replay, folder = argv[1], argv[2]
    with open(os.path.join(folder, "thrown-up.replay")) as f:
        opening = [line.strip() for line in f if line.strip() and not line.startswith("#")][:20]
    problems = []
    with tempfile.TemporaryDirectory() as work:
        base = None
        for dpi in (96, 144, 192, 384, 576):
            shots, dumps = play(replay, opening, dpi, work)
            pictures = {m: png.read(path) for m, path in shots.items()}
            for moment, (w, h, data) in pictures.items():
                want = KEPT.get((dpi, moment))
                got = hashlib.sha256(data).hexdigest()
                if want is not None and got != want:
                    problems.append("%d dpi, %s: the screenshot changed (%s)" % (dpi, moment, got))
            found = [widths(pictures["start"], dumps[0], dpi), widths(pictures["moves"], dumps[-1], dpi)]
            if base is None:
                base = found
            if dpi <= 192:  # padded there, as it always was
                continue
            factor = dpi / 96
            for (marks, button), (marks96, button96) in zip(found, base):
                for suit, ink in marks.items():
                    if suit in marks96 and abs(ink - marks96[suit] * factor) > 1:
                        problems.append("%d dpi: suit %d's mark is %d wide, %d at 96 dpi"
                                        % (dpi, suit, ink, marks96[suit]))
                if abs(button - button96 * factor) > 1:
                    problems.append("%d dpi: the button's picture is %d wide, %d at 96 dpi"
                                    % (dpi, button, button96))
    for p in problems:
        print("FAIL:", p)
    if not problems:
        print("PASS")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
