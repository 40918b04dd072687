"""Card backs, opaque, each finished with a 1 px white border and a thin dark
line just inside it. Each design lives in its own module."""

import back_fish
import back_gradient
import back_joconda
import back_pattern
import back_plaiting
from raster import rect

WHITE = (255, 255, 255)


def border(canvas, line=(40, 34, 30)):
    """The white edge of the card and a dark line inside it."""
    w, h = canvas.w, canvas.h
    ring = rect(0, 0, w, h) + [list(reversed(rect(1, 1, w - 1, h - 1)[0]))]
    canvas.fill(ring, WHITE)
    if line is not None:
        inner = rect(1, 1, w - 1, h - 1) + [list(reversed(rect(2, 2, w - 2, h - 2)[0]))]
        canvas.fill(inner, line)


BACKS = {
    116: (back_plaiting.draw, (24, 18, 30)),
    127: (back_fish.draw, (10, 60, 70)),
    128: (back_joconda.draw, (40, 30, 20)),
    129: (back_gradient.draw, None),
    135: (back_pattern.draw, (8, 14, 32)),
}


def picture(ident):
    draw, line = BACKS[ident]
    canvas = draw()
    canvas.opaque()
    border(canvas, line)
    return canvas


def pictures():
    for ident in BACKS:
        canvas = picture(ident)
        yield ("back-%d.png" % ident, canvas.w, canvas.h, canvas.rgba())
