"""The program icon (101), the blank icon (142) and the message-box pictures.

The program icon is two playing cards fanned out: a spade card behind and a
heart card in front. All of these icons have hard edges.
"""

import math

import suits
from raster import Canvas, Path, circle, mix, positive, rect, rounded_rect, stroke, transform

CARD_W, CARD_H, CARD_R = 128.0, 180.0, 14.0  # in the 256-pixel design


def placement(cx, cy, degrees, s, shift=0.0):
    """Affine map from card coordinates (0..CARD_W, 0..CARD_H) onto the icon:
    the card's centre goes to (cx, cy) in the 256 design, turned by `degrees`,
    then everything is scaled by s and moved by `shift` pixels both ways."""
    a = math.radians(degrees)
    co, si = math.cos(a), math.sin(a)
    ox, oy = CARD_W / 2, CARD_H / 2
    # x' = s * (co (x - ox) - si (y - oy) + cx), y' = s * (si (x - ox) + co (y - oy) + cy)
    return (s * co, -s * si, s * si, s * co,
            s * (cx - co * ox + si * oy) + shift, s * (cy - si * ox - co * oy) + shift)


def compose(m, n):
    """The map that applies n first, then m."""
    a, b, c, d, e, f = m
    a2, b2, c2, d2, e2, f2 = n
    return (a * a2 + b * c2, a * b2 + b * d2, c * a2 + d * c2, c * b2 + d * d2,
            a * e2 + b * f2 + e, c * e2 + d * f2 + f)


def inverse_point(m, x, y):
    a, b, c, d, e, f = m
    det = a * d - b * c
    x, y = x - e, y - f
    return ((d * x - b * y) / det, (-c * x + a * y) / det)


def draw_card(canvas, m, suit, size, pips):
    """One card: outline, face shaded from white at the top to a warm light grey,
    a large suit mark in the middle and (if `pips`) small ones in two corners."""
    s = m[0] ** 2 + m[2] ** 2
    scale = math.sqrt(s)
    line = max(1.25, 5.0 * scale) / scale  # outline width in card units
    outer = transform(rounded_rect(0, 0, CARD_W, CARD_H, CARD_R), m)
    inner = transform(rounded_rect(line, line, CARD_W - line, CARD_H - line, max(1.0, CARD_R - line)), m)
    canvas.fill(outer, (38, 42, 58))

    def face(x, y):
        u, v = inverse_point(m, x, y)
        t = max(0.0, min(1.0, (u + v) / (CARD_W + CARD_H)))
        return mix((255, 255, 255), (222, 220, 212), t * t)

    canvas.fill(inner, face)
    colour = suits.COLOURS[suit]
    big = 0.58 if size > 24 else 0.78
    bw = CARD_W * big
    mark = suits.placed(suit, (CARD_W - bw) / 2, (CARD_H - bw * 1.05) / 2, bw, bw * 1.05)
    paint = mark_paint(m, colour)
    canvas.fill(transform(mark, m), paint)
    if pips:
        pw = CARD_W * 0.17
        corner = suits.placed(suit, 14, 14, pw, pw * 1.05)
        canvas.fill(transform(corner, m), colour)
        turned = [[(CARD_W - x, CARD_H - y) for x, y in c] for c in corner]
        canvas.fill(transform(turned, m), colour)
    return outer


def mark_paint(m, colour):
    """Suit colour, a little lighter towards the top left of the card."""
    light = mix(colour, (255, 255, 255), 0.28) if colour != suits.BLACK else (70, 70, 78)

    def paint(x, y):
        u, v = inverse_point(m, x, y)
        t = max(0.0, min(1.0, (u - 30 + v - 40) / 130.0))
        return mix(light, colour, t ** 0.6)
    return paint


def program_icon(size, fill=1.0, canvas=None):
    """The two cards, drawn in the middle `fill` of the icon's width."""
    c = canvas or Canvas(size, size)
    s = size / 256.0 * fill
    shift = size * (1 - fill) / 2
    pips = size >= 64
    back = placement(84, 106, -12, s, shift)
    front = placement(172, 150, 12, s, shift)
    back_outline = draw_card(c, back, "spade", size, pips)
    # the front card's shadow falls on the back card only
    shadow = c.mask(transform(rounded_rect(0, 0, CARD_W, CARD_H, CARD_R),
                              compose((1, 0, 0, 1, -5 * s, 4 * s), front)))
    c.fill(shadow & c.mask(back_outline), (0, 0, 0, 0.28))
    draw_card(c, front, "heart", size, pips)
    return c


# At 16x16 the cards are drawn pixel by pixel: sampled outlines turn to mush.
SMALL_PROGRAM_ICON = [
    ".OOOOOOO........",
    "OWWWWWWWO.......",
    "OWWKWWWWO.......",
    "OWKKKWWWO.......",
    "OKKKKKWWOOOOOOO.",
    "OKKKKKSOWWWWWWWO",
    "OWWKWWSOWWWWWWWO",
    "OWKKKWSOWWRWRWWO",
    "OWWWWWSOWRRRRRWO",
    "OWWWWWSOWRRRRRWO",
    "OWWWWWSOWWRRRWWO",
    ".OOOOOOOWWWRWWWO",
    ".......OWWWWWWwO",
    ".......OWWWWWwwO",
    ".......OwwwwwwwO",
    "........OOOOOOO.",
]
PALETTE = {"O": (38, 42, 58), "W": (255, 255, 255), "w": (226, 224, 216),
           "S": (150, 150, 156), "K": (0, 0, 0), "R": (220, 0, 0)}


# The installed page's icons. A maskable icon is cut to any shape the system
# likes, a circle at the least: it is the table's green to the edges, and the
# cards keep within the middle circle of 80% of its width that is always shown.
TABLE_GREEN = (0, 150, 0)  # the default table colour, backgroundColours in ui/graphics.cpp
MASKABLE_FILL = 0.64


def maskable_program_icon(size):
    c = Canvas(size, size)
    c.fill(rect(0, 0, size, size), TABLE_GREEN)
    return program_icon(size, MASKABLE_FILL, c)


def page_pictures():
    """Pictures for the browser page alone, kept out of res/pictures/ itself,
    whose every picture is compiled into the program."""
    for size in (192, 512):
        yield ("icon-101-%d.png" % size, size, size, program_icon(size).rgba(hard=True))
    yield ("icon-101-maskable-512.png", 512, 512, maskable_program_icon(512).rgba(hard=True))


def small_program_icon():
    out = bytearray()
    for row in SMALL_PROGRAM_ICON:
        assert len(row) == 16
        for ch in row:
            out += b"\0\0\0\0" if ch == "." else bytes(PALETTE[ch]) + b"\xff"
    return bytes(out)


def blank_icon():
    return Canvas(16, 16)


# ---------------------------------------------------------------- message boxes

def blue_disc(c, size):
    """A blue disc, lit from the top left, with a darker rim."""
    r = size / 2
    rim = max(1.0, size / 32.0 * 1.2)
    c.fill(circle(r, r, r), (16, 52, 140))

    def body(x, y):
        d = math.hypot(x - size * 0.36, y - size * 0.3) / size
        return mix((110, 170, 245), (24, 78, 190), min(1.0, d * 1.45))

    c.fill(circle(r, r, r - rim), body)


def info_icon(size):
    c = Canvas(size, size)
    blue_disc(c, size)
    u = size / 64.0
    white = (255, 255, 255)
    c.fill(circle(32 * u, 17 * u, 5.2 * u), white)
    stem = rect(28 * u, 26 * u, 36.5 * u, 46 * u)
    stem += rect(24.5 * u, 26 * u, 36.5 * u, 30 * u)  # a small serif to the left at the top
    stem += rect(24.5 * u, 45 * u, 40 * u, 50 * u)  # and a foot
    c.fill(positive(stem), white)
    return c


def question_icon(size):
    c = Canvas(size, size)
    blue_disc(c, size)
    u = size / 64.0
    white = (255, 255, 255)
    cx, cy, r = 32 * u, 23 * u, 9.5 * u
    pts = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
           for a in range(200, 400, 10)]
    hook = Path(*pts[-1])
    hook.curve((cx + r * 0.35, cy + r * 1.05), (cx, cy + r * 1.05), (cx, cy + r * 1.75), n=12)
    pts += hook.points()[1:]
    pts.append((cx, 41 * u))
    c.fill(stroke(pts, 7.5 * u), white)
    c.fill(circle(cx, 50 * u, 4.6 * u), white)
    return c


def pictures():
    yield ("icon-101-16.png", 16, 16, small_program_icon())
    for size in (32, 48, 64, 128, 256):
        yield ("icon-101-%d.png" % size, size, size, program_icon(size).rgba(hard=True))
    yield ("icon-142-16.png", 16, 16, blank_icon().rgba(hard=True))
    for size in (32, 64, 128, 256):  # the larger two for screens above 192 dpi
        yield ("icon-info-%d.png" % size, size, size, info_icon(size).rgba(hard=True))
        yield ("icon-question-%d.png" % size, size, size, question_icon(size).rgba(hard=True))
