"""127 "Fish": two red-and-white striped fish on turquoise water.

The upper fish swims left and the lower one right, so the card looks the
same after a half turn without either fish being upside down. A few bubbles
rise from their mouths and soft bands of light cross the water.
"""

import math

from raster import Canvas, Path, circle, mirror_x, mix, rect, stroke, translate

W, H = 56, 80
RED = (214, 30, 34)
DEEP_RED = (150, 14, 22)
WHITE = (252, 248, 240)
OUTLINE = (96, 8, 20)
WATER_TOP = (96, 214, 206)
WATER_BOTTOM = (0, 132, 150)


def water(x, y):
    t = y / H
    base = mix(WATER_TOP, WATER_BOTTOM, t)
    # faint slanting bands of light, as from ripples on the surface
    ripple = 0.5 + 0.5 * math.sin((x * 0.55 + y * 0.22) * 0.9 + math.sin(y * 0.35) * 1.4)
    return mix(base, (170, 240, 230), 0.10 * ripple ** 3)


def body_outline(L, h):
    """Right-facing body, nose at (L/2, 0), tail joint at (-L/2, 0)."""
    n, t = L / 2, -L / 2
    p = Path(n, 0.6)
    p.curve((n - L * 0.08, -h * 0.52), (t + L * 0.42, -h * 0.62), (t, -h * 0.12))
    p.line(t, h * 0.12)
    p.curve((t + L * 0.42, h * 0.6), (n - L * 0.06, h * 0.48), (n, 0.6))
    return p.points()


def tail(L, h):
    t = -L / 2
    p = Path(t + 1.5, -h * 0.1)
    p.curve((t - L * 0.1, -h * 0.2), (t - L * 0.22, -h * 0.42), (t - L * 0.27, -h * 0.56))
    p.quad((t - L * 0.17, -h * 0.05), (t - L * 0.18, 0))
    p.quad((t - L * 0.17, h * 0.05), (t - L * 0.27, h * 0.56))
    p.curve((t - L * 0.22, h * 0.42), (t - L * 0.1, h * 0.2), (t + 1.5, h * 0.1))
    return p.points()


def dorsal_fin(L, h):
    p = Path(L * 0.12, -h * 0.44)
    p.curve((L * 0.02, -h * 0.75), (-L * 0.12, -h * 0.8), (-L * 0.3, -h * 0.72))
    p.quad((-L * 0.22, -h * 0.5), (-L * 0.26, -h * 0.38))
    return p.points()


def belly_fin(L, h):
    p = Path(L * 0.05, h * 0.42)
    p.curve((-L * 0.02, h * 0.62), (-L * 0.1, h * 0.7), (-L * 0.2, h * 0.68))
    p.quad((-L * 0.12, h * 0.5), (-L * 0.12, h * 0.38))
    return p.points()


def stripes(L, h):
    """The white bands across the body, bowed to follow its roundness."""
    bands = []
    for x0, x1 in ((L * 0.19, L * 0.30), (-L * 0.02, L * 0.09), (-L * 0.23, -L * 0.12), (-L * 0.5, -L * 0.37)):
        left = [(x0 - 1.2 * (1 - (y / h) ** 2), y) for y in [h * (k / 8 - 0.5) * 1.4 for k in range(9)]]
        right = [(x1 - 1.2 * (1 - (y / h) ** 2), y) for y in [h * (k / 8 - 0.5) * 1.4 for k in range(9)]]
        bands.append(left + list(reversed(right)))
    return bands


def place(contour, cx, cy, facing_left):
    shape = translate([contour], cx, cy)
    return mirror_x(shape, cx) if facing_left else shape


def draw_fish(c, cx, cy, L, h, facing_left):
    def put(contour):
        return place(contour, cx, cy, facing_left)

    body = put(body_outline(L, h))
    fins = put(tail(L, h)) + put(dorsal_fin(L, h)) + put(belly_fin(L, h))
    for fin in fins:
        c.fill(stroke(fin, 1.0, closed=True), OUTLINE)
    c.fill(fins, lambda x, y: mix(RED, DEEP_RED, min(1.0, abs(y - cy) / h)))
    c.fill(stroke(body[0], 1.1, closed=True), OUTLINE)
    body_mask = c.fill(body, lambda x, y: mix(RED, DEEP_RED, max(0.0, (y - cy) / h + 0.2)))
    band_mask = c.mask(sum((put(b) for b in stripes(L, h)), []))
    c.fill(body_mask & band_mask, lambda x, y: mix(WHITE, (214, 200, 196), max(0.0, (y - cy) / h + 0.1)))
    # a touch of light along the back
    back = translate([[(x, y - h * 0.26) for x, y in body_outline(L * 0.8, h * 0.35)]], cx, cy)
    c.fill(c.mask(back) & body_mask, (255, 255, 255, 0.18))
    sign = -1 if facing_left else 1
    ex, ey = cx + sign * L * 0.33, cy - h * 0.1
    c.fill(circle(ex, ey, 1.9), WHITE)
    c.fill(circle(ex + sign * 0.3, ey, 1.1), (10, 10, 20))
    mouth = [(cx + sign * L * 0.5, cy + 0.9), (cx + sign * L * 0.44, cy + 1.6)]
    c.fill(stroke(mouth, 0.6), OUTLINE)


def bubbles(c, x, y, sign):
    for dx, dy, r in ((0.5, -4.0, 1.6), (1.5, -8.5, 1.2), (0.8, -12.0, 0.9)):
        bx, by = x + sign * dx, y + dy
        ring = circle(bx, by, r) + [list(reversed(circle(bx, by, r - 0.6)[0]))]
        c.fill(circle(bx, by, r), (200, 250, 245, 0.35))
        c.fill(ring, (235, 255, 252, 0.85))
        c.fill(circle(bx - 0.4 * r, by - 0.4 * r, r * 0.3), (255, 255, 255))


def draw(unit=1):
    c = Canvas(W, H, unit)
    c.fill(rect(0, 0, W, H), water)
    L, h = 31.0, 17.0
    shift = 0.135 * L  # puts the middle of nose-to-tail on the card's middle
    draw_fish(c, W / 2 - shift, 26, L, h, facing_left=True)
    draw_fish(c, W / 2 + shift, 54, L, h, facing_left=False)
    bubbles(c, W / 2 - shift - L / 2 + 1, 24, -1)
    bubbles(c, W / 2 + shift + L / 2 - 1, 52, 1)
    return c
