#!/usr/bin/env python3
"""Draws every picture the game uses and writes them to res/pictures/.

    python3 tools/pictures/make_pictures.py [output directory]

Makes the suit icons (105 diamond, 106 heart, 107 spade, 108 club at 9 and
18 pixels, and 36, 72 and 144 for dense screens), the button icons (119 OK,
117 down, 124 sort, at 32 and 64, and 128, 256 and 320), the blank icon
142, the program icon 101 (16 to 256 pixels), the message-box pictures
'info' and 'question' (32 and 64, and 128 and 256), and the five card backs (116, 127, 128,
129, 135) at their own sizes and 112 and 224 pixels wide; in page/, the
icons of the installed browser page (101 at 192 and 512, and a maskable one
at 512). The output is the same, byte for byte, on every run.
After writing, the pictures are checked (see check_pictures.py).
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import backs  # noqa: E402
import buttons  # noqa: E402
import check_pictures  # noqa: E402
import icons  # noqa: E402
import png  # noqa: E402
import suits  # noqa: E402

DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "res", "pictures"))


def all_pictures():
    for family in (suits, buttons, icons, backs):
        yield from family.pictures()


def main(argv):
    out = argv[1] if len(argv) > 1 else DEFAULT_OUT
    os.makedirs(out, exist_ok=True)
    names = []
    for name, width, height, rgba in all_pictures():
        png.write(os.path.join(out, name), width, height, rgba)
        names.append(name)
    os.makedirs(os.path.join(out, check_pictures.PAGE), exist_ok=True)
    for name, width, height, rgba in icons.page_pictures():
        png.write(os.path.join(out, check_pictures.PAGE, name), width, height, rgba)
        names.append(name)
    print("wrote %d pictures to %s" % (len(names), out))
    problems = check_pictures.check(out)
    for p in problems:
        print("problem:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
