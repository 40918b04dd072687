"""A small anti-aliased rasteriser.

Geometry: a contour is a list of (x, y) points (closed implicitly); a shape is
a list of contours. Coordinates are in pixels, (0, 0) is the top-left corner
of the top-left pixel.

Shapes are turned into sample masks (8x8 samples per pixel, one Python int
per sample row, so masks combine with | & -), and masks are painted onto a
Canvas of premultiplied RGBA floats.
"""

import math

SS = 8  # samples per pixel along each axis; one byte of a mask row per pixel
_POP = bytes(bin(i).count("1") for i in range(256))


# ---------------------------------------------------------------- geometry

def rect(x0, y0, x1, y1):
    return [[(x0, y0), (x1, y0), (x1, y1), (x0, y1)]]


def ellipse_points(cx, cy, rx, ry, a0=0.0, a1=360.0, n=None):
    """Points along an elliptic arc, angles in degrees, clockwise on screen."""
    if n is None:
        n = max(8, int(abs(a1 - a0) / 360.0 * max(32, 2 * math.pi * max(rx, ry) * 2)))
    pts = []
    for i in range(n + 1):
        a = math.radians(a0 + (a1 - a0) * i / n)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def ellipse(cx, cy, rx, ry):
    return [ellipse_points(cx, cy, rx, ry)[:-1]]


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def rounded_rect(x0, y0, x1, y1, r):
    if r <= 0:
        return rect(x0, y0, x1, y1)
    pts = []
    pts += ellipse_points(x1 - r, y0 + r, r, r, -90, 0)
    pts += ellipse_points(x1 - r, y1 - r, r, r, 0, 90)
    pts += ellipse_points(x0 + r, y1 - r, r, r, 90, 180)
    pts += ellipse_points(x0 + r, y0 + r, r, r, 180, 270)
    return [pts]


def polygon(*pts):
    return [list(pts)]


def cubic_points(p0, p1, p2, p3, n=24):
    pts = []
    for i in range(1, n + 1):
        t = i / n
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


class Path:
    """Builds one contour from lines, cubic curves and arcs."""

    def __init__(self, x, y):
        self.pts = [(x, y)]

    def line(self, x, y):
        self.pts.append((x, y))
        return self

    def curve(self, c1, c2, p, n=24):
        self.pts += cubic_points(self.pts[-1], c1, c2, p, n)
        return self

    def quad(self, c, p, n=24):
        p0 = self.pts[-1]
        c1 = (p0[0] + 2 / 3 * (c[0] - p0[0]), p0[1] + 2 / 3 * (c[1] - p0[1]))
        c2 = (p[0] + 2 / 3 * (c[0] - p[0]), p[1] + 2 / 3 * (c[1] - p[1]))
        return self.curve(c1, c2, p, n)

    def arc(self, cx, cy, rx, ry, a0, a1, n=None):
        self.pts += ellipse_points(cx, cy, rx, ry, a0, a1, n)[1:]
        return self

    def points(self):
        return list(self.pts)

    def shape(self):
        return [list(self.pts)]


def transform(shape, m):
    """Applies the affine map m = (a, b, c, d, e, f): x' = a x + b y + e, y' = c x + d y + f."""
    a, b, c, d, e, f = m
    return [[(a * x + b * y + e, c * x + d * y + f) for x, y in contour] for contour in shape]


def translate(shape, dx, dy):
    return transform(shape, (1, 0, 0, 1, dx, dy))


def scale(shape, sx, sy=None, cx=0.0, cy=0.0):
    sy = sx if sy is None else sy
    return transform(shape, (sx, 0, 0, sy, cx - sx * cx, cy - sy * cy))


def rotate(shape, degrees, cx=0.0, cy=0.0):
    a = math.radians(degrees)
    co, si = math.cos(a), math.sin(a)
    return transform(shape, (co, -si, si, co, cx - co * cx + si * cy, cy - si * cx - co * cy))


def mirror_x(shape, axis):
    """Mirrors left-right about the vertical line x = axis."""
    return [list(reversed([(2 * axis - x, y) for x, y in c])) for c in shape]


def mirror_y(shape, axis):
    return [list(reversed([(x, 2 * axis - y) for x, y in c])) for c in shape]


def signed_area(contour):
    s = 0.0
    for i in range(len(contour)):
        x0, y0 = contour[i]
        x1, y1 = contour[(i + 1) % len(contour)]
        s += x0 * y1 - x1 * y0
    return s / 2


def positive(shape):
    """Gives every contour the same orientation, so a non-zero fill unites them."""
    return [c if signed_area(c) >= 0 else list(reversed(c)) for c in shape]


def stroke(pts, width, closed=False, caps=True):
    """The outline of a polyline of the given width, with round joins (and round caps)."""
    h = width / 2
    shape = []
    n = len(pts)
    segs = n if closed else n - 1
    for i in range(segs):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        if length == 0:
            continue
        nx, ny = -dy / length * h, dx / length * h
        shape.append([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])
    joints = pts if (closed or caps) else pts[1:-1]
    for x, y in joints:
        shape += circle(x, y, h)
    return positive(shape)


def stroke_tapered(pts, w0, w1):
    """A stroke whose width runs linearly from w0 to w1 along the polyline."""
    lengths = [0.0]
    for i in range(1, len(pts)):
        lengths.append(lengths[-1] + math.hypot(pts[i][0] - pts[i - 1][0], pts[i][1] - pts[i - 1][1]))
    total = lengths[-1] or 1.0
    widths = [w0 + (w1 - w0) * l / total for l in lengths]
    shape = []
    for i in range(len(pts) - 1):
        (x0, y0), (x1, y1) = pts[i], pts[i + 1]
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        if length == 0:
            continue
        ux, uy = -dy / length, dx / length
        h0, h1 = widths[i] / 2, widths[i + 1] / 2
        shape.append([(x0 + ux * h0, y0 + uy * h0), (x1 + ux * h1, y1 + uy * h1),
                      (x1 - ux * h1, y1 - uy * h1), (x0 - ux * h0, y0 - uy * h0)])
    for (x, y), wd in zip(pts, widths):
        if wd > 0:
            shape += circle(x, y, wd / 2)
    return positive(shape)


# ---------------------------------------------------------------- masks

class Mask:
    """Which of the 8x8 samples of each pixel are inside a shape."""

    def __init__(self, w, h, rows=None):
        self.w, self.h = w, h
        self.rows = rows if rows is not None else [0] * (h * SS)

    def __or__(self, other):
        return Mask(self.w, self.h, [a | b for a, b in zip(self.rows, other.rows)])

    def __and__(self, other):
        return Mask(self.w, self.h, [a & b for a, b in zip(self.rows, other.rows)])

    def __sub__(self, other):
        return Mask(self.w, self.h, [a & ~b for a, b in zip(self.rows, other.rows)])

    def inverse(self):
        full = (1 << (self.w * SS)) - 1
        return Mask(self.w, self.h, [full & ~a for a in self.rows])

    def coverage(self):
        """Yields (x, y, fraction covered) for each pixel the mask touches."""
        nbytes = self.w
        for py in range(self.h):
            rows = self.rows[py * SS:(py + 1) * SS]
            if not any(rows):
                continue
            counts = [0] * nbytes
            for r in rows:
                if r:
                    bs = r.to_bytes(nbytes, "little")
                    for i, b in enumerate(bs):
                        if b:
                            counts[i] += _POP[b]
            for px, c in enumerate(counts):
                if c:
                    yield px, py, c / (SS * SS)


def rasterise(shape, w, h, rule="nonzero"):
    """Samples a shape on a w x h pixel grid."""
    rows_total = h * SS
    width_bits = w * SS
    crossings = [[] for _ in range(rows_total)]
    for contour in shape:
        n = len(contour)
        for i in range(n):
            x0, y0 = contour[i]
            x1, y1 = contour[(i + 1) % n]
            if y0 == y1:
                continue
            direction = 1 if y1 > y0 else -1
            if y0 > y1:
                x0, y0, x1, y1 = x1, y1, x0, y0
            slope = (x1 - x0) / (y1 - y0)
            r0 = max(0, math.ceil(y0 * SS - 0.5))
            r1 = min(rows_total, math.ceil(y1 * SS - 0.5))
            for r in range(r0, r1):
                ys = (r + 0.5) / SS
                crossings[r].append((x0 + (ys - y0) * slope, direction))
    mask = Mask(w, h)
    for r, xs in enumerate(crossings):
        if not xs:
            continue
        xs.sort()
        bits = 0
        winding = 0
        for k, (x, d) in enumerate(xs):
            before = winding
            winding += d
            inside_before = (before != 0) if rule == "nonzero" else (before % 2 == 1)
            inside_after = (winding != 0) if rule == "nonzero" else (winding % 2 == 1)
            if not inside_before and inside_after:
                start = x
            elif inside_before and not inside_after:
                j0 = max(0, math.ceil(start * SS - 0.5))
                j1 = min(width_bits, math.ceil(x * SS - 0.5))
                if j1 > j0:
                    bits |= ((1 << (j1 - j0)) - 1) << j0
        mask.rows[r] = bits
    return mask


# ---------------------------------------------------------------- canvas

def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


class Canvas:
    """Premultiplied RGBA, channels 0..1, with shapes painted on top.

    Shapes and paint functions are in units of `unit` pixels, so a drawing
    made for w x h pixels comes out w * unit x h * unit, drawn afresh rather
    than enlarged."""

    def __init__(self, w, h, unit=1):
        self.unit = unit
        self.w, self.h = w * unit, h * unit
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.w * self.h)]

    def at(self, x, y):
        """A pixel's centre in drawing units."""
        return (x + 0.5) / self.unit, (y + 0.5) / self.unit

    def mask(self, shape, rule="nonzero"):
        if self.unit != 1:
            shape = transform(shape, (self.unit, 0, 0, self.unit, 0, 0))
        return rasterise(shape, self.w, self.h, rule)

    def fill(self, what, paint, opacity=1.0, rule="nonzero"):
        """Paints a shape or mask. `paint` is (r, g, b[, a]) with rgb 0..255 and a 0..1,
        or a function of the pixel centre (x, y) returning such a colour."""
        mask = what if isinstance(what, Mask) else self.mask(what, rule)
        fixed = None if callable(paint) else paint
        for x, y, cov in mask.coverage():
            colour = fixed if fixed is not None else paint(*self.at(x, y))
            alpha = (colour[3] if len(colour) > 3 else 1.0) * cov * opacity
            if alpha <= 0:
                continue
            p = self.px[y * self.w + x]
            keep = 1 - alpha
            p[0] = colour[0] / 255 * alpha + p[0] * keep
            p[1] = colour[1] / 255 * alpha + p[1] * keep
            p[2] = colour[2] / 255 * alpha + p[2] * keep
            p[3] = alpha + p[3] * keep
        return mask

    def erase(self, what, rule="nonzero"):
        """Makes the shape transparent again."""
        mask = what if isinstance(what, Mask) else self.mask(what, rule)
        for x, y, cov in mask.coverage():
            p = self.px[y * self.w + x]
            for i in range(4):
                p[i] *= 1 - cov
        return mask

    def shade(self, what, fn, rule="nonzero"):
        """Changes colours already painted: fn((r, g, b), x, y) -> (r, g, b), in 0..255, blended by coverage."""
        mask = what if isinstance(what, Mask) else self.mask(what, rule)
        for x, y, cov in mask.coverage():
            p = self.px[y * self.w + x]
            if p[3] <= 0:
                continue
            old = (p[0] / p[3] * 255, p[1] / p[3] * 255, p[2] / p[3] * 255)
            new = fn(old, *self.at(x, y))
            for i in range(3):
                p[i] = (old[i] + (new[i] - old[i]) * cov) / 255 * p[3]
        return mask

    def draw(self, other, opacity=1.0):
        """Composites another canvas of the same size on top."""
        for p, q in zip(self.px, other.px):
            a = q[3] * opacity
            if a <= 0:
                continue
            keep = 1 - a
            for i in range(4):
                p[i] = q[i] * opacity + p[i] * keep

    def blur(self, radius, passes=2):
        """Box blur of the premultiplied pixels, repeated (edges clamp); the
        radius is in drawing units."""
        radius *= self.unit
        for _ in range(passes):
            self._blur_pass(radius, 1, self.w, self.h)
            self._blur_pass(radius, self.w, self.h, self.w)

    def _blur_pass(self, radius, step, length, lines):
        """Blurs along lines of `length` pixels, `step` apart in the pixel list;
        consecutive lines start one pixel (or one row) after each other."""
        n = 2 * radius + 1
        line_step = self.w if step == 1 else 1
        for line in range(lines):
            base = line * line_step
            src = [self.px[base + k * step] for k in range(length)]
            padded = [src[0]] * radius + src + [src[-1]] * radius
            acc = [sum(p[i] for p in padded[:n]) for i in range(4)]
            for k in range(length):
                self.px[base + k * step] = [v / n for v in acc]
                if k + 1 < length:
                    old, new = padded[k], padded[k + n]
                    for i in range(4):
                        acc[i] += new[i] - old[i]

    def downsample(self, factor):
        """A canvas `factor` times smaller, each pixel the average of a block."""
        w, h = self.w // factor, self.h // factor
        out = Canvas(w, h)  # in pixels: drawing is done
        n = factor * factor
        for y in range(h):
            for x in range(w):
                acc = [0.0, 0.0, 0.0, 0.0]
                for dy in range(factor):
                    row = (y * factor + dy) * self.w + x * factor
                    for dx in range(factor):
                        p = self.px[row + dx]
                        for i in range(4):
                            acc[i] += p[i]
                out.px[y * w + x] = [v / n for v in acc]
        return out

    def opaque(self, background=(0, 0, 0)):
        """Flattens onto an opaque background colour."""
        for p in self.px:
            keep = 1 - p[3]
            for i in range(3):
                p[i] += background[i] / 255 * keep
            p[3] = 1.0

    def colour_at(self, x, y):
        p = self.px[y * self.w + x]
        if p[3] <= 0:
            return (0, 0, 0, 0)
        return (p[0] / p[3] * 255, p[1] / p[3] * 255, p[2] / p[3] * 255, p[3])

    def rgba(self, hard=False):
        """8-bit RGBA bytes. With hard=True every pixel is either opaque or fully
        transparent: coverage of at least one half counts as opaque."""
        out = bytearray()
        for p in self.px:
            a = p[3]
            if a <= 1e-9 or (hard and a < 0.5):
                out += b"\0\0\0\0"
                continue
            rgb = [min(255, max(0, int(round(c / a * 255)))) for c in p[:3]]
            alpha = 255 if hard else min(255, max(0, int(round(a * 255))))
            out += bytes(rgb + [alpha])
        return bytes(out)
