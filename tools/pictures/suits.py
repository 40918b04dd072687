"""Suit marks: diamond, heart, club and spade.

The outlines are drawn in a unit square (x right, y down, 0..1) and scaled to
the size wanted; the program icon uses them. The 18x18 and 9x9 icons are
small enough to be written out pixel by pixel, which keeps them symmetric.
"""

from raster import Path, circle, positive, transform

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


def pictures():
    """Yields (file name, width, height, rgba) for every suit icon."""
    for name, ident in ICON_IDS.items():
        yield ("icon-%d-18.png" % ident,) + pixel_map(LARGE[name], COLOURS[name])
        yield ("icon-%d-9.png" % ident,) + pixel_map(SMALL[name], COLOURS[name])
