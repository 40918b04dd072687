#!/usr/bin/python3
"""Says how a replay's dumps differ from the expected ones: for each dump,
only the fields whose values differ, each shortened to a readable length."""
import json
import sys

LIMIT = 300


def short(value):
    text = json.dumps(value, separators=(",", ":"))
    return text if len(text) <= LIMIT else text[:LIMIT] + "..."


def main(expected_file, actual_file):
    with open(expected_file) as f:
        expected = f.read().splitlines()
    with open(actual_file) as f:
        actual = f.read().splitlines()
    if len(expected) != len(actual):
        print("%d dumps expected, %d made" % (len(expected), len(actual)))
    for n, (want, got) in enumerate(zip(expected, actual), 1):
        if want == got:
            continue
        try:
            want_fields, got_fields = json.loads(want), json.loads(got)
        except ValueError:
            print("dump %d is not JSON: %s" % (n, short(got)))
            continue
        for key in list(want_fields) + [k for k in got_fields if k not in want_fields]:
            a, b = want_fields.get(key, "(absent)"), got_fields.get(key, "(absent)")
            if a != b:
                print("dump %d, %s:\n  expected %s\n  made     %s" % (n, key, short(a), short(b)))
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
