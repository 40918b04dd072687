"""135 "Pattern": an ornament of green leaves and orange scrolls.

The design is drawn for the top-left quarter of the card and mirrored into
the other three, so the card is the same every way up. In the middle a ring
holds a cross of four leaves; above and below it a leafy stem rises between
two large scrolls; a frame runs round the edge with a leaf in each corner.
"""

import math

from raster import Canvas, Path, circle, mix, rect, rounded_rect, stroke_tapered

W, H = 56, 80
CX, CY = W / 2, H / 2

GROUND = (22, 38, 70)
GROUND_EDGE = (10, 18, 40)
ORANGE = (240, 132, 28)
ORANGE_LIGHT = (255, 196, 96)
ORANGE_DARK = (140, 56, 6)
LEAF_DARK = (26, 104, 40)
LEAF_LIGHT = (126, 200, 84)
LEAF_EDGE = (8, 40, 16)


def ground(x, y):
    d = math.hypot((x - CX) / W, (y - CY) / H)
    return mix(GROUND, GROUND_EDGE, min(1.0, d * 1.6) ** 2)


def flip_x(pts):
    return [(2 * CX - x, y) for x, y in pts]


def flip_y(pts):
    return [(x, 2 * CY - y) for x, y in pts]


def four_ways(pts):
    """A polyline and its mirror images in the card's two axes."""
    return [pts, flip_x(pts), flip_y(pts), flip_x(flip_y(pts))]


def spiral(cx, cy, r0, a0, turns, shrink, clockwise=True):
    """Points of a spiral starting at radius r0 and angle a0 (degrees),
    winding inwards as it turns."""
    pts = []
    steps = int(48 * turns) + 1
    sign = 1 if clockwise else -1
    for i in range(steps + 1):
        t = i / steps
        a = math.radians(a0 + sign * 360 * turns * t)
        r = r0 * (1 - shrink * t)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def scroll(start, c1, c2, centre, r0, a0, turns, clockwise):
    """A line that sweeps in along a curve and curls up into a spiral."""
    curl = spiral(centre[0], centre[1], r0, a0, turns, 0.7, clockwise)
    p = Path(*start)
    p.curve(c1, c2, curl[0], n=20)
    return p.points() + curl[1:]


def leaf(base, angle, length, width):
    """An almond leaf from `base` pointing along `angle` (degrees, 0 = right,
    90 = down). Returns (shape, base, tip)."""
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux
    bx, by = base
    tip = (bx + ux * length, by + uy * length)

    def at(along, side):
        return (bx + ux * length * along + nx * width * side, by + uy * length * along + ny * width * side)

    p = Path(bx, by)
    p.curve(at(0.25, 1.0), at(0.7, 0.75), tip)
    p.curve(at(0.7, -0.75), at(0.25, -1.0), (bx, by))
    return ([p.points()], base, tip)


def mirrored_leaves(leaves):
    out = []
    for shape, base, tip in leaves:
        for f in (lambda p: p, flip_x, flip_y, lambda p: flip_x(flip_y(p))):
            out.append(([f(shape[0])], f([base])[0], f([tip])[0]))
    return out


def paint_leaves(c, leaves):
    """Leaves: a dark edge, green shading from base to tip, a light midrib."""
    for shape, (bx, by), (tx, ty) in leaves:
        length2 = (tx - bx) ** 2 + (ty - by) ** 2

        def shade(x, y, bx=bx, by=by, tx=tx, ty=ty, length2=length2):
            t = ((x - bx) * (tx - bx) + (y - by) * (ty - by)) / length2
            return mix(LEAF_DARK, LEAF_LIGHT, max(0.0, min(1.0, t)))

        contour = shape[0]
        c.fill(stroke_tapered(contour + contour[:1], 1.0, 1.0), LEAF_EDGE)
        c.fill(shape, shade)
        rib = [(bx + (tx - bx) * k, by + (ty - by) * k) for k in (0.2, 0.75)]
        c.fill(stroke_tapered(rib, 0.6, 0.2), (200, 236, 160, 0.6))


def paint_scrolls(c, lines):
    """Orange lines with a darker rim, lighter towards the middle of the card."""
    c.fill(sum((stroke_tapered(pts, w0 + 1.0, w1 + 0.9) for pts, w0, w1 in lines), []), ORANGE_DARK)

    def shade(x, y):
        return mix(ORANGE_LIGHT, ORANGE, min(1.0, math.hypot(x - CX, y - CY) / 26))

    c.fill(sum((stroke_tapered(pts, w0, w1) for pts, w0, w1 in lines), []), shade)


def quarter_scrolls():
    """Scrolls of the top-left quarter: (points, start width, end width)."""
    big = scroll((CX - 5.2, CY - 5.0), (CX - 9, CY - 12), (CX - 20, CY - 11),
                 (CX - 15.5, CY - 21.0), 5.0, 100, 1.05, True)
    return [(big, 2.0, 1.0)]


def quarter_leaves():
    leaves = []
    # pairs along the stem, the lowest the longest
    for y, length, width, angle in ((CY - 13, 9.0, 2.4, -145), (CY - 22, 8.0, 2.2, -135)):
        leaves.append(leaf((CX, y), angle, length, width))
    # a leaf sprouting from the outside of each big scroll
    leaves.append(leaf((CX - 19.5, CY - 13.5), 130, 6.5, 1.9))
    # a leaf in each corner, pointing in
    leaves.append(leaf((5.0, 5.0), 45, 7.5, 2.1))
    return leaves


def draw(unit=1):
    c = Canvas(W, H, unit)
    c.fill(rect(0, 0, W, H), ground)

    # the frame
    outer = rounded_rect(4.0, 4.0, W - 4.0, H - 4.0, 3.0)[0]
    frame_pts = outer + outer[:1]
    c.fill(stroke_tapered(frame_pts, 2.6, 2.6), ORANGE_DARK)
    c.fill(stroke_tapered(frame_pts, 1.5, 1.5), ORANGE)

    lines = []
    for pts, w0, w1 in quarter_scrolls():
        lines += [(p, w0, w1) for p in four_ways(pts)]
    paint_scrolls(c, lines)

    # the stems, up from the ring and down from it
    for stem in ([(CX, CY - 7.5), (CX, 9.5)], [(CX, CY + 7.5), (CX, H - 9.5)]):
        c.fill(stroke_tapered(stem, 2.0, 1.4), LEAF_EDGE)
        c.fill(stroke_tapered(stem, 1.1, 0.7), LEAF_DARK)
    buds = [leaf((CX, 14.0), -90, 6.5, 2.0), leaf((CX, H - 14.0), 90, 6.5, 2.0)]
    paint_leaves(c, mirrored_leaves(quarter_leaves()) + buds)

    # the ring with its cross of leaves
    ring = [(CX + 7 * math.cos(math.radians(a)), CY + 7 * math.sin(math.radians(a))) for a in range(0, 361, 6)]
    c.fill(stroke_tapered(ring, 2.9, 2.9), ORANGE_DARK)
    c.fill(stroke_tapered(ring, 1.8, 1.8), ORANGE)
    paint_leaves(c, [leaf((CX, CY), a, 7.6, 2.5) for a in (45, 135, 225, 315)])
    c.fill(circle(CX, CY, 2.0), ORANGE_DARK)
    c.fill(circle(CX, CY, 1.3), ORANGE_LIGHT)
    return c
