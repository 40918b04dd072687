#!/usr/bin/env python3
"""A relayout changes nothing but the density: each replay written with
density-free lines (card, table, button), run at one density with a
`density N` line inserted before one of those lines, must give from there on
the same dumps and the same final screenshot as the script run at N from the
start. Only the first dump after the change may differ, in its repaint
requests (a relayout repaints everything).

Usage: replay_relayout.py VELMORA_REPLAY REPLAY_FOLDER
"""
import json
import os
import subprocess
import sys
import tempfile

PAIRS = [(96, 192), (96, 144), (96, 288), (192, 96)]
PLACES = 5  # insertion points tried per script and pair, spread over it
HERE = os.path.dirname(os.path.abspath(__file__))


def run(replay, lines, dpi, work):
    script = os.path.join(work, "s.replay")
    with open(script, "w") as f:
        f.write("\n".join(lines) + "\n")
    out = subprocess.run([os.path.join(HERE, "run_replay.sh"), replay, script],
                         env=dict(os.environ, REPLAY_DPI=str(dpi)), capture_output=True,
                         text=True, check=False)
    if out.returncode != 0:
        sys.exit("the replay failed: " + out.stderr)
    with open(os.path.join(work, "shot.png"), "rb") as f:
        return [json.loads(line) for line in out.stdout.splitlines()], f.read()


def main(replay, folder):
    failures = tried = 0
    with tempfile.TemporaryDirectory() as work:
        shot = "screenshot " + os.path.join(work, "shot.png")
        for name in sorted(os.listdir(folder)):
            if not name.endswith(".replay"):
                continue
            with open(os.path.join(folder, name)) as f:
                lines = f.read().splitlines()
            # The screenshot goes before the closing answers and keys.
            end = len(lines)
            while end and lines[end - 1].split()[:1] in (["key"], ["answer"], []):
                end -= 1
            body, tail = lines[:end], lines[end:]
            places = [k for k, line in enumerate(body)
                      if line.split()[:1] in (["card"], ["table"], ["button"])]
            if not places:
                continue
            step = max(1, len(places) // PLACES)
            for start, target in PAIRS:
                want, want_shot = run(replay, body + [shot] + tail, target, work)
                for k in places[::step][:PLACES]:
                    tried += 1
                    dumps_before = sum(1 for line in body[:k] if line.strip() == "dump")
                    got, got_shot = run(replay, body[:k] + ["density %d" % target] + body[k:] +
                                        [shot] + tail, start, work)
                    where = "%s at %d, density %d before line %d" % (name, start, target, k + 1)
                    for i in range(dumps_before, len(want)):
                        w, g = dict(want[i]), dict(got[i])
                        if i == dumps_before:
                            w.pop("invalidated")
                            g.pop("invalidated")
                        if w != g:
                            print("%s: dump %d differs in %s" %
                                  (where, i + 1, ", ".join(f for f in w if w[f] != g.get(f))))
                            failures += 1
                            break
                    if got_shot != want_shot:
                        print("%s: the final screenshot differs" % where)
                        failures += 1
    print("%d relayouts tried, %d differ" % (tried, failures))
    return 1 if failures or not tried else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
