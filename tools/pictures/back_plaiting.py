"""116 "Plaiting": red and blue bands woven over and under each other.

Vertical blue bands and horizontal red bands cross on a dark ground. Each
band is shaded like a flat ribbon that rises where it passes over the other
colour and sinks where it goes under, so the over-under reads at a glance.
The weave has the card's half-turn symmetry.
"""

import math

from raster import Canvas, mix, rect

W, H = 56, 80
PERIOD = 12      # from one band to the next
BAND = 8         # band width; the rest of the period is the dark gap
CX, CY = 28, 40  # a band of each colour is centred here
STRANDS = 3

RED = (196, 28, 36)
BLUE = (36, 70, 182)
GROUND = (14, 12, 26)


def band_at(t, centre):
    """Band index and position across the band (0..1), or None in a gap."""
    u = t - centre + BAND / 2
    i = math.floor(u / PERIOD)
    across = (u - i * PERIOD) / BAND
    return (i, across) if across < 1 else (i, None)


def ribbon(colour, across, height):
    """Colour of a ribbon of three strands: each strand lit in its middle,
    the whole lighter where it rises (height +1) and darker where it dives
    (height -1)."""
    strand = (across * STRANDS) % 1.0
    strand_edge = math.sin(math.pi * strand) ** 0.7
    band_edge = math.sin(math.pi * across) ** 0.5
    light = 0.40 + 0.16 * strand_edge + 0.2 * band_edge + 0.38 * height
    base = mix((0, 0, 0), colour, min(1.0, light))
    if light > 1.0:
        base = mix(colour, (255, 255, 255), min(0.6, (light - 1.0) * 1.2))
    return base


def paint(x, y):
    i, ax = band_at(x, CX)
    j, ay = band_at(y, CY)
    # the vertical band i passes over the horizontal band j when i + j is even
    if ax is not None:
        v_height = (1 if (i + j) % 2 == 0 else -1) * math.cos(math.pi * (y - (CY + j * PERIOD)) / PERIOD)
    if ay is not None:
        h_height = (1 if (i + j) % 2 == 1 else -1) * math.cos(math.pi * (x - (CX + i * PERIOD)) / PERIOD)
    if ax is not None and ay is not None:
        if (i + j) % 2 == 0:
            return ribbon(BLUE, ax, v_height)
        return ribbon(RED, ay, h_height)
    if ax is not None:
        return ribbon(BLUE, ax, v_height)
    if ay is not None:
        return ribbon(RED, ay, h_height)
    return GROUND


def draw(unit=1):
    c = Canvas(W, H, unit)
    c.fill(rect(0, 0, W, H), paint)
    return c
