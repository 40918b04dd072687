"""Suit marks: diamond, heart, club and spade.

The outlines are drawn in a unit square (x right, y down, 0..1) and scaled to
the size wanted; the program icon and the large suit icons (36, 72 and 144,
for dense screens) use them. The 18x18 and 9x9 icons are small enough to be
written out pixel by pixel, which keeps them symmetric.
"""

from raster import Canvas, Path, circle, positive, transform

RED = (220, 0, 0)
BLACK = (0, 0, 0)


def diamond():
    p = Path(0.5, 0.0)
    p.quad((0.66, 0.28), (0.88, 0.5))
    p.quad((0.66, 0.72), (0.5, 1.0))
    p.quad((0.34, 0.72), (0.12, 0.5))
    p.quad((0.34, 0.28), (0.5, 0.0))
    return p.shape()


def heart():
    r = 0.245
    p = Path(0.5, 0.97)
    p.quad((0.27, 0.72), (0.06, 0.44))
    p.arc(0.255, 0.31, r, r, 150, 340)
    p.arc(0.745, 0.31, r, r, 200, 390)
    p.quad((0.73, 0.72), (0.5, 0.97))
    return p.shape()


def spade_body():
    r = 0.24
    p = Path(0.5, 0.0)
    p.quad((0.73, 0.24), (0.94, 0.48))
    p.arc(0.73, 0.615, r, r, -30, 160)
    p.arc(0.27, 0.615, r, r, 20, 210)
    p.quad((0.27, 0.24), (0.5, 0.0))
    return p.shape()


def stem(top, foot_half_width):
    p = Path(0.47, top)
    p.line(0.53, top)
    p.quad((0.54, 0.9), (0.5 + foot_half_width, 1.0))
    p.line(0.5 - foot_half_width, 1.0)
    p.quad((0.46, 0.9), (0.47, top))
    return p.shape()


def spade():
    return positive(spade_body() + stem(0.6, 0.2))


def club():
    r = 0.205
    shape = circle(0.5, 0.215, r) + circle(0.225, 0.585, r) + circle(0.775, 0.585, r)
    shape += [[(0.5, 0.36), (0.4, 0.55), (0.5, 0.66), (0.6, 0.55)]]
    return positive(shape + stem(0.5, 0.2))


SHAPES = {"diamond": diamond, "heart": heart, "club": club, "spade": spade}
COLOURS = {"diamond": RED, "heart": RED, "club": BLACK, "spade": BLACK}
ICON_IDS = {"diamond": 105, "heart": 106, "spade": 107, "club": 108}


def placed(name, x, y, w, h=None):
    """The suit outline scaled into the box (x, y, w, h)."""
    h = w if h is None else h
    return transform(SHAPES[name](), (w, 0, 0, h, x, y))


# Pixel maps for the icons: '#' is the suit colour, '.' is transparent.
# At these sizes sampled outlines come out lopsided, so every pixel is chosen.
LARGE = {
    "diamond": [
        "........##........",
        ".......####.......",
        ".......####.......",
        "......######......",
        ".....########.....",
        ".....########.....",
        "....##########....",
        "...############...",
        "..##############..",
        "..##############..",
        "...############...",
        "....##########....",
        ".....########.....",
        ".....########.....",
        "......######......",
        ".......####.......",
        ".......####.......",
        "........##........",
    ],
    "heart": [
        "..................",
        "..####......####..",
        ".######....######.",
        "########..########",
        "##################",
        "##################",
        "##################",
        "##################",
        ".################.",
        ".################.",
        "..##############..",
        "...############...",
        "....##########....",
        ".....########.....",
        "......######......",
        ".......####.......",
        "........##........",
        "..................",
    ],
    "spade": [
        "........##........",
        ".......####.......",
        "......######......",
        ".....########.....",
        "....##########....",
        "...############...",
        "..##############..",
        ".################.",
        ".################.",
        "##################",
        "##################",
        "##################",
        ".################.",
        "..#####.##.#####..",
        "...###..##..###...",
        "........##........",
        "......######......",
        ".....########.....",
    ],
    "club": [
        ".......####.......",
        "......######......",
        ".....########.....",
        ".....########.....",
        ".....########.....",
        "......######......",
        "..###..####..###..",
        ".#####.####.#####.",
        "##################",
        "##################",
        "##################",
        ".################.",
        "..#####.##.#####..",
        "...###..##..###...",
        "........##........",
        "........##........",
        "......######......",
        ".....########.....",
    ],
}

SMALL = {
    "diamond": [
        "....#....",
        "...###...",
        "...###...",
        "..#####..",
        ".#######.",
        "..#####..",
        "...###...",
        "...###...",
        "....#....",
    ],
    "heart": [
        ".##...##.",
        "####.####",
        "#########",
        "#########",
        ".#######.",
        "..#####..",
        "...###...",
        "....#....",
        ".........",
    ],
    "spade": [
        "....#....",
        "...###...",
        "..#####..",
        ".#######.",
        "#########",
        "#########",
        ".##.#.##.",
        "....#....",
        "...###...",
    ],
    "club": [
        "...###...",
        "..#####..",
        "..#####..",
        "##.###.##",
        "#########",
        "##.###.##",
        "....#....",
        "....#....",
        "...###...",
    ],
}


def pixel_map(rows, colour):
    h, w = len(rows), len(rows[0])
    out = bytearray()
    for row in rows:
        assert len(row) == w
        for ch in row:
            out += bytes(colour) + b"\xff" if ch == "#" else b"\0\0\0\0"
    return w, h, bytes(out)


# Drawn from the outlines, for screens denser than 192 dpi.
DRAWN_SIZES = (36, 72, 144)


def ink_box(rows):
    """The drawn part of a pixel map: x0, y0, x1, y1, the ends exclusive."""
    xs = [x for row in rows for x, ch in enumerate(row) if ch == "#"]
    ys = [y for y, row in enumerate(rows) if "#" in row]
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def hard_ink(rgba, size):
    """The ink box of hard-edged RGBA, as ink_box gives it."""
    rows = ["".join("#" if rgba[(y * size + x) * 4 + 3] else "." for x in range(size))
            for y in range(size)]
    return ink_box(rows)


def drawn(name, size):
    """RGBA with hard edges, the ink over the box the 18 pixel map fills, so
    that a mark keeps its extent from one density to the next (a pointed
    end is let out until its tip counts); the right half is the left one
    mirrored: sampling alone leaves the two sides a pixel apart here and
    there."""
    shape = SHAPES[name]()
    points = [p for contour in shape for p in contour]
    sx0, sx1 = min(x for x, _ in points), max(x for x, _ in points)
    sy0, sy1 = min(y for _, y in points), max(y for _, y in points)
    k = size / len(LARGE[name])
    box = [round(v * k) for v in ink_box(LARGE[name])]
    grow = [0.0, 0.0]
    while True:
        x0, y0, x1, y1 = box[0] - grow[0], box[1] - grow[1], box[2] + grow[0], box[3] + grow[1]
        a, d = (x1 - x0) / (sx1 - sx0), (y1 - y0) / (sy1 - sy0)
        c = Canvas(size, size)
        c.fill(transform(shape, (a, 0, 0, d, x0 - a * sx0, y0 - d * sy0)), COLOURS[name])
        rows = c.rgba(hard=True)
        ix0, iy0, ix1, iy1 = hard_ink(rows, size)
        short = [ix1 - ix0 < box[2] - box[0], iy1 - iy0 < box[3] - box[1]]
        if not any(short):
            break
        for i in (0, 1):
            grow[i] += 0.25 if short[i] else 0.0
    out = bytearray(rows)
    for y in range(size):
        for x in range(size // 2, size):
            src = (y * size + size - 1 - x) * 4
            out[(y * size + x) * 4:(y * size + x + 1) * 4] = rows[src:src + 4]
    return bytes(out)


def pictures():
    """Yields (file name, width, height, rgba) for every suit icon."""
    for name, ident in ICON_IDS.items():
        yield ("icon-%d-18.png" % ident,) + pixel_map(LARGE[name], COLOURS[name])
        yield ("icon-%d-9.png" % ident,) + pixel_map(SMALL[name], COLOURS[name])
        for size in DRAWN_SIZES:
            yield ("icon-%d-%d.png" % (ident, size), size, size, drawn(name, size))
