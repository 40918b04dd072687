"""129 "Gradient": red at the top shading smoothly into blue at the bottom.

The blend is done in linear light so the middle stays a clear violet rather
than a muddy dark one, and a faint glow down the middle keeps it from
looking flat. Mirror-symmetric left to right.
"""

import math

from raster import Canvas, rect

W, H = 28, 40
TOP = (222, 24, 34)
BOTTOM = (28, 44, 196)


def to_linear(c):
    return [(v / 255) ** 2.2 for v in c]


def to_srgb(c):
    return tuple(255 * max(0.0, min(1.0, v)) ** (1 / 2.2) for v in c)


def paint(x, y):
    t = (y - 1) / (H - 2)
    t = max(0.0, min(1.0, t))
    t = t * t * (3 - 2 * t) * 0.6 + t * 0.4  # ease the ends a little
    top, bottom = to_linear(TOP), to_linear(BOTTOM)
    c = [a + (b - a) * t for a, b in zip(top, bottom)]
    glow = 1.0 + 0.22 * math.exp(-((x - W / 2) / (W * 0.32)) ** 2)
    return to_srgb([v * glow for v in c])


def draw(unit=1):
    c = Canvas(W, H, unit)
    c.fill(rect(0, 0, W, H), paint)
    return c
