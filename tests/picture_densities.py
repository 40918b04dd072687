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
KEPT = {
    (96, "start"): "c38fd3516be376f5954f1365ee45c9f70162e686f028ff367f9462513369ad96",
    (96, "moves"): "331ff64d641ac3f27d78922a10e3950e6bbd33fb8251cfc8d6123f107f11cc83",
    (96, "options"): "8f53aafb4f6228a4b4ddcde343fc425a0bbb707622da52dd4878ee33af9a82cc",
    (144, "start"): "8e90732823197d8c8c60e379caeb4fe9ea2283e652a4c9f62bcbf350b6f066f4",
    (144, "moves"): "aa65fefeac29d8ad99f8b8f7f636c83162b5b51fe4906caaaee89bf5056061df",
    (144, "options"): "97bae0600f911b7c2c4431bdf971c5ff9c4765a81ba1dfff97cddac2fa980986",
    (192, "start"): "9b607454b8a1b38de6683cf7336fc80211250a7d48c6106c84fe2a07bdaaf2b2",
    (192, "moves"): "3c481b5ed0643913be8eb8de252f30369a026b2bb6935e3170fdfe7ad50a6e6a",
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
