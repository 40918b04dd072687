#!/usr/bin/env python3
"""Checks the pictures in res/pictures/ (or the directory given).

    python3 tools/pictures/check_pictures.py [directory]

Every expected file must be there at its size, and nothing else. Icons must
have hard edges (alpha 0 or 255 only) and must not be empty; the blank icon
must be wholly transparent; button icons must be white and carry their white
frame; card backs must be opaque all over with a white 1-pixel border. The
page's maskable icon must be opaque, its drawing within the middle circle.
Exits non-zero and lists the problems if any check fails.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import png  # noqa: E402

SUIT_IDS = (105, 106, 107, 108)
BUTTON_IDS = (117, 119, 124)
PROGRAM_SIZES = (16, 32, 48, 64, 128, 256)
PAGE = "page"  # the browser page's icons, not compiled into the program
PAGE_SIZES = (192, 512)
SAFE_RADIUS = 0.4  # of a maskable icon's width: what every mask leaves
BACK_SIZES = {116: (56, 80), 127: (56, 80), 128: (56, 79), 129: (28, 40), 135: (56, 80)}
DENSE_BACK_WIDTHS = (112, 224)


def expected():
    """File name -> (width, height, kind)."""
    files = {}
    for ident in SUIT_IDS:
        for size in (9, 18, 36, 72, 144):
            files["icon-%d-%d.png" % (ident, size)] = (size, size, "icon")
    for ident in BUTTON_IDS:
        for size in (32, 64, 128, 256, 320):
            files["icon-%d-%d.png" % (ident, size)] = (size, size, "button")
    files["icon-142-16.png"] = (16, 16, "blank")
    for size in PROGRAM_SIZES:
        files["icon-101-%d.png" % size] = (size, size, "icon")
    for name in ("info", "question"):
        for size in (32, 64, 128, 256):
            files["icon-%s-%d.png" % (name, size)] = (size, size, "icon")
    for ident, (w, h) in BACK_SIZES.items():
        files["back-%d.png" % ident] = (w, h, "back")
        for width in DENSE_BACK_WIDTHS:
            k = width // w
            files["back-%d-%d.png" % (ident, width)] = (w * k, h * k, "back")
    return files


def pixel(data, w, x, y):
    i = (y * w + x) * 4
    return tuple(data[i:i + 4])


def check_icon(name, w, h, data, problems):
    alphas = set(data[3::4])
    if not alphas <= {0, 255}:
        problems.append("%s: alpha values other than 0 and 255: %s" % (name, sorted(alphas - {0, 255})[:5]))
    if 255 not in alphas:
        problems.append("%s: nothing is drawn" % name)


def check_button(name, w, h, data, problems):
    check_icon(name, w, h, data, problems)
    for i in range(0, len(data), 4):
        if data[i + 3] and tuple(data[i:i + 3]) != (255, 255, 255):
            problems.append("%s: a pixel that is not white" % name)
            break
    frame = max(1, w // 32)
    for k in range(w):
        for x, y in ((k, 0), (k, h - 1), (0, k), (w - 1, k), (k, frame - 1), (frame - 1, k)):
            if pixel(data, w, x, y)[3] != 255:
                problems.append("%s: the frame has a gap at (%d, %d)" % (name, x, y))
                return
    # just inside the frame must be clear, or the frame would be thicker
    for k in range(frame + 1, w - frame - 1):
        if pixel(data, w, k, frame)[3] or pixel(data, w, frame, k)[3]:
            problems.append("%s: the frame is thicker than %d px" % (name, frame))
            return


def check_blank(name, w, h, data, problems):
    if any(data[3::4]):
        problems.append("%s: not wholly transparent" % name)


def check_back(name, w, h, data, problems):
    """The white border is 1 px at the back's own size and grows with it."""
    k = w // BACK_SIZES[int(name.split("-")[1].split(".")[0])][0]
    if set(data[3::4]) != {255}:
        problems.append("%s: not opaque everywhere" % name)
    edge = [(x, y) for x in range(w) for y in (k - 1, h - k)]
    edge += [(x, y) for y in range(h) for x in (k - 1, w - k)]
    if any(pixel(data, w, x, y)[:3] != (255, 255, 255) for x, y in edge):
        problems.append("%s: the %d px border is not white all round" % (name, k))
    inside = [pixel(data, w, x, y)[:3] for y in range(k, h - k) for x in range(k, w - k)
              if x in (k, w - k - 1) or y in (k, h - k - 1)]
    if all(p == (255, 255, 255) for p in inside):
        problems.append("%s: the white border is wider than %d px" % (name, k))


def page_expected():
    files = {"icon-101-%d.png" % size: (size, size, "icon") for size in PAGE_SIZES}
    files["icon-101-maskable-512.png"] = (512, 512, "maskable")
    return files


def check_maskable(name, w, h, data, problems):
    if set(data[3::4]) != {255}:
        problems.append("%s: not opaque everywhere" % name)
        return
    ground = pixel(data, w, 0, 0)
    for y in range(h):
        for x in range(w):
            if (x + 0.5 - w / 2) ** 2 + (y + 0.5 - h / 2) ** 2 > (SAFE_RADIUS * w) ** 2 \
                    and pixel(data, w, x, y) != ground:
                problems.append("%s: drawn outside the safe circle at (%d, %d)" % (name, x, y))
                return


CHECKS = {"icon": check_icon, "button": check_button, "blank": check_blank, "back": check_back,
          "maskable": check_maskable}


def check(directory):
    problems = check_folder(directory, expected())
    problems += check_folder(os.path.join(directory, PAGE), page_expected(), PAGE + "/")
    return problems


def check_folder(directory, want, prefix=""):
    problems = []
    if not os.path.isdir(directory):
        return ["%s: missing" % directory]
    present = {f for f in os.listdir(directory) if f.endswith(".png")}
    for name in sorted(present - set(want)):
        problems.append("%s%s: not one of the pictures" % (prefix, name))
    for name, (w, h, kind) in sorted(want.items()):
        if name not in present:
            problems.append("%s%s: missing" % (prefix, name))
            continue
        try:
            fw, fh, data = png.read(os.path.join(directory, name))
        except ValueError as e:
            problems.append(str(e))
            continue
        if (fw, fh) != (w, h):
            problems.append("%s: %dx%d, should be %dx%d" % (name, fw, fh, w, h))
            continue
        CHECKS[kind](name, w, h, data, problems)
    return problems


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    directory = argv[1] if len(argv) > 1 else os.path.join(here, "..", "..", "res", "pictures")
    problems = check(directory)
    for p in problems:
        print("problem:", p)
    if not problems:
        print("%d pictures are as they should be" % (len(expected()) + len(page_expected())))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
