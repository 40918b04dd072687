"""Button icons, white on transparent, each inside a square white frame.

119 is "OK", 117 a down-pointing triangle, 124 "sort the hand": two rows of
three card outlines with an up and a down triangle between them. Each is
made at 32x32 (1 px frame) and at 64x64 (2 px frame), and for screens denser
than 192 dpi at 128, 256 and 320 (the 64 design scaled up, so whole pixels
still). The 32 ones use their own pixel-aligned measurements rather than the
large ones scaled down, so that their strokes land on whole pixels.
"""

from raster import Canvas, Path, positive, rect, rounded_rect, stroke, transform

WHITE = (255, 255, 255)
SIZES = (32, 64, 128, 256, 320)


def up(shape, u):
    """A shape of the 64 design at u times its size."""
    return transform(shape, (u, 0, 0, u, 0, 0))


def frame(size, width):
    return rect(0, 0, size, size) + [list(reversed(rect(width, width, size - width, size - width)[0]))]


def ring(x0, y0, x1, y1, r, width):
    """A rounded rectangle outline."""
    outer = rounded_rect(x0, y0, x1, y1, r)
    inner = rounded_rect(x0 + width, y0 + width, x1 - width, y1 - width, max(0, r - width))
    return outer + [list(reversed(inner[0]))]


def letter_o(x0, y0, x1, y1, stroke):
    """A bold O: an oval ring with straight sides."""
    r = (x1 - x0) / 2
    outer = Path(x0, y0 + r)
    outer.arc(x0 + r, y0 + r, r, r, 180, 360)
    outer.line(x1, y1 - r)
    outer.arc(x0 + r, y1 - r, r, r, 0, 180)
    ri = r - stroke
    ix0, iy0, ix1, iy1 = x0 + stroke, y0 + stroke, x1 - stroke, y1 - stroke
    inner = Path(ix0, iy0 + ri)
    inner.arc(ix0 + ri, iy0 + ri, ri, ri, 180, 360)
    inner.line(ix1, iy1 - ri)
    inner.arc(ix0 + ri, iy1 - ri, ri, ri, 0, 180)
    return [outer.points(), list(reversed(inner.points()))]


def letter_k(canvas, x0, y0, x1, y1, stem, arm):
    """A bold K as a mask: a stem, an arm up to the right and a leg down to
    the right, the diagonals cut off square by the letter's box."""
    mid = (y0 + y1) / 2
    xs = x0 + stem
    height = y1 - y0
    shape = rect(x0, y0, xs, y1)
    # The arm runs from low on the stem up past the top right corner.
    start = (xs - arm * 0.3, mid + height * 0.16)
    shape += stroke([start, (x1 + height * 0.1, y0 - height * 0.12)], arm, caps=False)
    # The leg leaves the arm's middle and runs past the bottom right corner.
    leg_top = (xs + arm * 0.2, mid - height * 0.02)
    shape += stroke([leg_top, (x1 + height * 0.06, y1 + height * 0.1)], arm * 1.05, caps=False)
    return canvas.mask(positive(shape)) & canvas.mask(rect(x0, y0, x1, y1))


def ok_icon(size):
    c = Canvas(size, size)
    if size >= 64:
        u = size / 64
        c.fill(frame(size, 2 * u), WHITE)
        c.fill(up(letter_o(10, 20, 30, 44, 6.5), u), WHITE)
        c.fill(letter_k(c, 35 * u, 20 * u, 54 * u, 44 * u, 6.5 * u, 7.0 * u), WHITE)
    else:
        c.fill(frame(size, 1), WHITE)
        c.fill(letter_o(5, 10, 15, 22, 3), WHITE)
        c.fill(letter_k(c, 17, 10, 27, 22, 3, 3.5), WHITE)
    return c


def triangle_down(cx, top, width, height):
    return [[(cx - width / 2, top), (cx + width / 2, top), (cx, top + height)]]


def triangle_up(cx, top, width, height):
    return [[(cx, top), (cx + width / 2, top + height), (cx - width / 2, top + height)]]


def down_icon(size):
    c = Canvas(size, size)
    if size >= 64:
        u = size / 64
        c.fill(frame(size, 2 * u), WHITE)
        c.fill(up(triangle_down(32, 22, 34, 20), u), WHITE)
    else:
        c.fill(frame(size, 1), WHITE)
        c.fill(triangle_down(16, 11, 17, 10), WHITE)
    return c


def sort_icon(size):
    c = Canvas(size, size)
    u = size / 64 if size >= 64 else 1
    if size >= 64:
        c.fill(frame(size, 2 * u), WHITE)
        cw, ch, gap, line, left = 12, 16, 4, 2, 10
        rows = (8, 40)
        tri = (24, 40, 27, 14, 10)  # up centre, down centre, top, width, height
    else:
        c.fill(frame(size, 1), WHITE)
        cw, ch, gap, line, left = 6, 8, 2, 1, 5
        rows = (4, 20)
        tri = (12, 20, 14, 8, 4)
    for top in rows:
        for k in range(3):
            x = left + k * (cw + gap)
            c.fill(up(ring(x, top, x + cw, top + ch, line if size >= 64 else 0, line), u), WHITE)
    up_x, down_x, top, width, height = tri
    c.fill(up(triangle_up(up_x, top, width, height), u), WHITE)
    c.fill(up(triangle_down(down_x, top, width, height), u), WHITE)
    return c


ICONS = {119: ok_icon, 117: down_icon, 124: sort_icon}


def pictures():
    for ident, draw in ICONS.items():
        for size in SIZES:
            yield ("icon-%d-%d.png" % (ident, size), size, size, draw(size).rgba(hard=True))
