#!/usr/bin/env python3
"""A restart changes nothing: each replay, run with its game kept, with a
`restart` line inserted before one of its moves, must give from there on the
same dumps and the same final screenshot as the script run straight through.
Only the first dump after the restart may differ, in its repaint requests
(the new window repaints everything) and in the account's line saying the
game was taken up again.

The places tried are spread over each script (fewer in the generated
folders, made by tools/make_restart_scripts.py), and include every kind the
scripts reach: a selection standing, extra cards being given, a transfer
still open, the end-of-game box about to open.

Usage: replay_restart.py VELMORA_REPLAY REPLAY_FOLDER [GENERATED_FOLDER]
"""
import json
import os
import subprocess
import sys
import tempfile

SPREAD = 4  # places tried per script besides the special ones
SPREAD_GENERATED = 2  # in the folders after the first: many short scripts
HERE = os.path.dirname(os.path.abspath(__file__))
MOVES = (["card"], ["table"], ["button"], ["key"], ["menu"], ["command"])
RESUMED = "Your unfinished game of "


def run(replay, lines, work, where):
    script = os.path.join(work, "s.replay")
    with open(script, "w") as f:
        f.write("\n".join(["# state: on", "# log: on"] + lines) + "\n")
    out = subprocess.run([os.path.join(HERE, "run_replay.sh"), replay, script],
                         capture_output=True, text=True, check=False)
    if out.returncode != 0:
        sys.exit("%s: the replay failed: %s" % (where, out.stderr))
    with open(os.path.join(work, "shot.png"), "rb") as f:
        return [json.loads(line) for line in out.stdout.splitlines()], f.read()


def places(lines, dumps):
    """The places a restart is tried at: right after a dump, before a move,
    with no box or dialog open (a restart there stops the program as a kill
    would, part way through the move). Each is named by what it shows."""
    found = []
    seen = 0
    for k, line in enumerate(lines):
        if line.strip() != "dump":
            continue
        if seen == len(dumps):  # the program ended before it
            break
        d = dumps[seen]
        seen += 1
        if k + 1 >= len(lines) or lines[k + 1].split()[:1] not in MOVES:
            continue
        if d["messageBoxes"] or d["dialog"] is not None:
            continue
        kinds = []
        if any(c["selected"] for c in d["humanHand"]):
            kinds.append("selection")
        if d["extraCardsAllowed"] > 0:
            kinds.append("extra cards")
        if d["transferRule"] and d["transferOpen"] and (d["humanTable"] or d["computerTable"]):
            kinds.append("transfer open")
        nxt = dumps[seen] if seen < len(dumps) else None
        if nxt and any(b["caption"] == "" for b in nxt["messageBoxes"]):
            kinds.append("box about to open")
        found.append((k + 1, kinds))
    return found


def compare(where, want, got, first):
    # The game was taken up again, not played on in the same run.
    if first < len(got) and not any(s.startswith(RESUMED) for s in got[first]["log"]):
        print("%s: the account does not say the game was resumed" % where)
        return False
    for i in range(first, len(want)):
        w, g = dict(want[i]), dict(got[i])
        if i == first:
            for d in (w, g):
                d.pop("invalidated")
                if "log" in d:
                    d["log"] = [s for s in d["log"] if not s.startswith(RESUMED)]
        if w != g:
            print("%s: dump %d differs in %s" %
                  (where, i + 1, ", ".join(f for f in w if w[f] != g.get(f))))
            return False
    return True


def main(replay, folders):
    failures = tried = 0
    kinds = set()
    with tempfile.TemporaryDirectory() as work:
        shot = "screenshot " + os.path.join(work, "shot.png")
        for n, folder in enumerate(folders):
            spread = SPREAD if n == 0 else SPREAD_GENERATED
            for name in sorted(os.listdir(folder)):
                if not name.endswith(".replay"):
                    continue
                with open(os.path.join(folder, name)) as f:
                    lines = [l for l in f.read().splitlines()
                             if l.strip() not in ("# state: on", "# log: on")]
                # The screenshot goes before the closing answers and keys.
                end = len(lines)
                while end and lines[end - 1].split()[:1] in (["key"], ["answer"], []):
                    end -= 1
                body, tail = lines[:end], lines[end:]
                want, want_shot = run(replay, body + [shot] + tail, work, name)
                kinds_here = set()
                found = places(body, want)
                if not found:
                    continue
                step = max(1, len(found) // spread)
                chosen = {k: "spread" for k, _ in found[::step][:spread]}
                for k, names in found:
                    for kind in names:
                        if kind not in kinds_here:
                            kinds_here.add(kind)
                            chosen[k] = kind
                kinds |= kinds_here
                for k, kind in sorted(chosen.items()):
                    tried += 1
                    where = "%s: restart before line %d (%s)" % (name, k + 1, kind)
                    got, got_shot = run(replay, body[:k] + ["restart"] + body[k:] + [shot] + tail,
                                        work, where)
                    first = sum(1 for line in body[:k] if line.strip() == "dump")
                    if not compare(where, want, got, first):
                        failures += 1
                    elif got_shot != want_shot:
                        print("%s: the final screenshot differs" % where)
                        failures += 1
    print("%d restarts tried, %d differ; places: %s" % (tried, failures, ", ".join(sorted(kinds))))
    return 1 if failures or not tried else 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2:]))
