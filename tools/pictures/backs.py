"""Card backs, opaque, each finished with a 1 px white border and a thin dark
line just inside it. Each design lives in its own module and is drawn at its
own size and, for dense screens, afresh at larger ones, where the border and
line grow with it."""

import back_fish
import back_gradient
import back_joconda
import back_pattern
import back_plaiting
from raster import Canvas, rect

WHITE = (255, 255, 255)


def border(canvas, line=(40, 34, 30), width=1):
    """The white edge of the card and a dark line inside it, each `width`
    pixels wide."""
    w, h, k = canvas.w, canvas.h, width
    ring = rect(0, 0, w, h) + [list(reversed(rect(k, k, w - k, h - k)[0]))]
    plain = Canvas(w, h)  # in pixels, whatever the drawing's unit
    canvas.fill(plain.mask(ring), WHITE)
    if line is not None:
        inner = rect(k, k, w - k, h - k) + [list(reversed(rect(2 * k, 2 * k, w - 2 * k, h - 2 * k)[0]))]
        canvas.fill(plain.mask(inner), line)


MODULES = {
    116: back_plaiting,
    127: back_fish,
    128: back_joconda,
    129: back_gradient,
    135: back_pattern,
}
LINES = {116: (24, 18, 30), 127: (10, 60, 70), 128: (40, 30, 20), 129: None, 135: (8, 14, 32)}

# Widths drawn for screens denser than 192 dpi: cards 4 and 8 times their
# 96 dpi size of 28 x 40.
DENSE_WIDTHS = (112, 224)


def picture(ident, width=None):
    """The back at its own size, or drawn afresh `width` pixels wide."""
    module = MODULES[ident]
    unit = 1 if width is None else width // module.W
    canvas = module.draw(unit)
    canvas.opaque()
    border(canvas, LINES[ident], unit)
    return canvas


def pictures():
    for ident in MODULES:
        canvas = picture(ident)
        yield ("back-%d.png" % ident, canvas.w, canvas.h, canvas.rgba())
        for width in DENSE_WIDTHS:
            canvas = picture(ident, width)
            yield ("back-%d-%d.png" % (ident, width), canvas.w, canvas.h, canvas.rgba())
