"""128 "Joconda": a half-length portrait of a woman in the manner of an old
master: dark hair under a fine veil, a pale face with a quiet smile, a dark
dress with ochre sleeves, hands folded in front, and a hazy blue-green
landscape of mountains and winding paths behind her.

Painted at four times the size with soft edges, blurred a little so it
looks brushed rather than cut out, then reduced to the card's 56x79.
All measurements below are in card pixels.
"""

import math

from raster import Canvas, Path, circle, ellipse, mix, rect, smoothstep, stroke, transform

W, H = 56, 79
K = 4  # working scale


def up(shape):
    return transform(shape, (K, 0, 0, K, 0, 0))


def at_card(fn):
    """A paint function in card pixels, for the enlarged canvas."""
    return lambda x, y: fn(x / K, y / K)


def fill(c, shape, paint, opacity=1.0):
    return c.fill(up(shape), at_card(paint) if callable(paint) else paint, opacity)


def dab(c, x, y, rx, ry, colour, strength):
    """A soft round touch of colour, strongest in the middle."""
    def paint(px, py):
        d = ((px - x) / rx) ** 2 + ((py - y) / ry) ** 2
        a = strength * max(0.0, 1 - d) ** 2
        return colour + (a,)
    fill(c, ellipse(x, y, rx, ry), paint)


# ---------------------------------------------------------------- landscape

SKY_TOP = (150, 170, 158)
SKY_LOW = (214, 212, 178)
FAR_HILLS = (92, 124, 124)
MID_LAND = (128, 112, 66)
DARK_LAND = (66, 58, 34)


def sky(x, y):
    return mix(SKY_TOP, SKY_LOW, smoothstep(2, 26, y))


def ridge(x, base, amp, seed):
    return base - amp * (0.55 * math.sin(x * 0.31 + seed) + 0.3 * math.sin(x * 0.83 + seed * 2.1)
                         + 0.15 * math.sin(x * 1.9 + seed * 3.7))


def band(top_fn, bottom):
    pts = [(x * 0.5, top_fn(x * 0.5)) for x in range(-2, 2 * W + 3)]
    return [pts + [(W + 1, bottom), (-1, bottom)]]


def landscape(c):
    fill(c, rect(0, 0, W, H), sky)
    # far blue mountains, highest on the left, and a pale lake below them
    fill(c, band(lambda x: ridge(x, 21, 4.0, 0.7) - 6 * math.exp(-((x - 7) / 5) ** 2)
                 - 4 * math.exp(-((x - 49) / 4) ** 2), H),
         lambda x, y: mix(FAR_HILLS, (120, 150, 146), smoothstep(14, 28, y)))
    fill(c, rect(0, 26.5, 20, 29), (190, 204, 190), 0.7)
    fill(c, rect(40, 25.5, W, 27.5), (180, 198, 186), 0.6)
    # nearer hills, warmer and darker
    fill(c, band(lambda x: ridge(x, 31, 2.4, 2.9), H),
         lambda x, y: mix((136, 134, 96), (104, 102, 64), smoothstep(28, 40, y)))
    fill(c, band(lambda x: ridge(x, 39, 1.6, 5.1), H),
         lambda x, y: mix(MID_LAND, DARK_LAND, smoothstep(38, 50, y)))
    # a winding road on the left and a bridge over a stream on the right
    road = Path(2, 45).curve((9, 42), (4, 38.5), (10, 35.5)).curve((13, 34), (11, 32.5), (14, 31.2))
    road.line(15.2, 31.4).curve((13, 33), (15, 34.5), (11.5, 36.5)).curve((6.5, 39.5), (11, 42.5), (4, 46.5))
    fill(c, road.shape(), (184, 160, 106), 0.85)
    fill(c, rect(42, 36.6, 52, 37.6), (170, 150, 104), 0.9)
    for bx in (44.5, 49.5):
        fill(c, ellipse(bx, 38.6, 1.5, 1.1), (78, 70, 44), 0.8)
    # the parapet of the loggia behind her
    fill(c, rect(0, 47, W, H), lambda x, y: mix((76, 62, 38), (40, 32, 20), smoothstep(47, 60, y)))
    fill(c, rect(0, 46.0, W, 47.2), (128, 108, 70))


# ---------------------------------------------------------------- figure

SKIN_LIGHT = (236, 200, 140)
SKIN_MID = (200, 152, 92)
SKIN_SHADE = (122, 86, 46)
HAIR = (36, 24, 14)
DRESS = (36, 34, 21)
DRESS_LIGHT = (76, 68, 40)
SLEEVE = (150, 106, 44)
SLEEVE_LIGHT = (206, 160, 84)
SLEEVE_DARK = (80, 54, 22)


def curve_pts(p0, c1, c2, p1, n=16):
    p = Path(*p0)
    p.curve(c1, c2, p1, n)
    return p.points()


def skin(x, y, cx=27.0, light=SKIN_LIGHT, mid=SKIN_MID, shade=SKIN_SHADE):
    """Skin lit from the upper left."""
    t = smoothstep(-4, 9, (x - cx) + 0.25 * (y - 20))
    base = mix(light, mid, t)
    return mix(base, shade, smoothstep(4, 12, (x - cx) + 0.15 * (y - 20)) * 0.75)


def hair_back(c):
    hair = Path(27, 7.6)
    hair.curve((33.5, 7.4), (36.5, 11.5), (36, 17))
    hair.curve((35.6, 23), (37, 28), (40, 33.5)).curve((37.5, 35), (34.5, 34.5), (33, 32.5))
    hair.curve((32, 30), (32.2, 27), (32, 24)).line(22, 24)
    hair.curve((21.8, 27), (22, 30), (20.6, 32.5)).curve((19, 35), (15.5, 36), (13, 35))
    hair.curve((16.5, 29), (18, 23), (18, 17)).curve((17.5, 11.5), (20.5, 7.6), (27, 7.6))

    def shade(x, y):
        # soft waves catching a little light down each side
        wave = 0.5 + 0.5 * math.sin(y * 1.1 + (0 if x < 27 else 1.7))
        sheen = math.exp(-((x - 20.5) / 1.5) ** 2) * smoothstep(12, 20, y) * (0.35 + 0.35 * wave)
        sheen += math.exp(-((x - 34.3) / 1.3) ** 2) * smoothstep(12, 20, y) * (0.2 + 0.2 * wave)
        return mix(HAIR, (110, 78, 44), sheen)
    fill(c, hair.shape(), shade)


def dress(c):
    """Shoulders turned a little to our left, the dress running out of the picture."""
    body = Path(20.5, 31.5)
    body.curve((16, 33), (10, 35), (7, 39))
    body.curve((4, 44), (2, 52), (1, 60)).line(0, H + 1).line(W, H + 1).line(W, 60)
    body.curve((54, 50), (51, 42), (47, 37.5))
    body.curve((44, 34.5), (38, 32.5), (33.5, 31.5)).line(27, 32.5)

    def shade(x, y):
        # light falls from the upper left across the bodice and fades downwards
        lit = math.exp(-((x - 23) / 9) ** 2 - ((y - 41) / 7) ** 2)
        return mix(DRESS, DRESS_LIGHT, 0.1 + 0.8 * lit)
    fill(c, body.shape(), shade)
    # the fabric is gathered in small folds along the neckline
    edge = curve_pts((15, 36.5), (20, 39.6), (34, 39.6), (40, 36.2), n=14)
    for i, (x, y) in enumerate(edge[1:-1]):
        fill(c, stroke_line([(x, y + 0.8), (x + (x - 27) * 0.08, y + 3.6)], 0.8), (118, 100, 62), 0.35)


def sleeve(c, outer, inner, brightness):
    """An ochre sleeve between two curves: round, so dark along both edges and
    light along the middle, with fine pleats running across it."""
    shape = [outer + list(reversed(inner))]

    def shade(x, y):
        pleat = 0.5 + 0.5 * math.sin(x * 1.3 + y * 1.9)
        return mix(SLEEVE, SLEEVE_LIGHT, pleat * 0.6 * brightness)
    fill(c, shape, shade)
    middle = [((a[0] + b[0]) / 2, (a[1] + b[1]) / 2) for a, b in zip(outer, inner)]
    fill(c, stroke_line(middle, 1.6), SLEEVE_LIGHT, 0.35 * brightness)
    fill(c, stroke_line(outer, 2.6), SLEEVE_DARK, 0.55)
    fill(c, stroke_line(inner, 2.2), SLEEVE_DARK, 0.5)
    fill(c, shape, (0, 0, 0), 0.35 * (1 - brightness))


def arms(c):
    # her right arm, on our left: the upper arm slants out to an elbow at the
    # edge of the picture, the forearm lies across towards the hands
    outer = curve_pts((10, 35.2), (4, 40), (1, 54), (-1, 64)) + [(-1, 76)]
    outer += curve_pts((-1, 76), (8, 77), (20, 75.5), (31, 72.5))[1:]
    inner = curve_pts((16.5, 36.8), (13, 46), (9, 55), (7.5, 61.5))
    inner += curve_pts((7, 61.5), (12, 61.5), (22, 62), (31, 65))[1:]
    sleeve(c, outer, inner, 1.0)
    fill(c, stroke_line(curve_pts((2, 63), (5, 65.5), (7, 67), (9.5, 66.5)), 0.9), SLEEVE_DARK, 0.6)
    # her left arm, on our right, turned away from the light
    outer = curve_pts((44.5, 34.8), (51, 40), (54, 52), (57, 60)) + [(57, 72)]
    outer += curve_pts((57, 72), (54, 71), (51, 69.5), (46, 68.5))[1:]
    inner = curve_pts((39.5, 36.2), (44, 45), (48.5, 54), (50.5, 59.5))
    inner += curve_pts((50.5, 59.5), (47, 60), (44, 61.5), (41, 63))[1:]
    sleeve(c, outer, inner, 0.6)


def hands(c):
    # her left hand lies beneath, her right hand rests over its wrist
    lower = Path(30, 64.5).curve((34, 62.5), (41, 62), (46, 63.5)).curve((49, 64.5), (49.5, 67.5), (46.5, 68.5))
    lower.curve((42, 70), (36, 70.5), (32, 70)).curve((29, 69.5), (28, 66), (30, 64.5))
    fill(c, lower.shape(), lambda x, y: skin(x, y, 38, (226, 190, 132), (196, 150, 94), (124, 84, 46)))
    upper = Path(24, 66.5).curve((28, 64), (35, 63.5), (40, 65)).curve((43, 66), (43.5, 69.5), (40, 70.5))
    upper.curve((36, 71.5), (30, 71.5), (26, 70.8)).curve((23, 70.3), (21.8, 68), (24, 66.5))
    fill(c, upper.shape(), lambda x, y: skin(x, y, 33, (246, 214, 158), (214, 168, 110), (140, 98, 56)))
    # the fingers, parted by soft shadows
    for fx in (34.6, 36.8, 38.9):
        dab(c, fx, 68.3, 0.45, 1.9, (124, 82, 44), 0.55)
    dab(c, 31, 71.2, 6, 0.8, (70, 46, 24), 0.35)


def neck_and_chest(c):
    chest = Path(23.8, 24).line(30.8, 24).curve((30.8, 27), (31.2, 29.5), (33.5, 31))
    chest.curve((36.5, 32.5), (39.5, 33.5), (42, 34.8))
    chest.curve((38, 37.5), (32, 38.8), (27, 38.8)).curve((22, 38.8), (17, 37.5), (13.5, 35.5))
    chest.curve((16.5, 33.5), (20, 32.5), (22.3, 31)).curve((23.8, 29.5), (23.8, 27), (23.8, 24))
    fill(c, chest.shape(), lambda x, y: mix(skin(x, y, 27), SKIN_SHADE, smoothstep(29, 25, y) * 0.5))
    dab(c, 28.0, 28.2, 3.8, 1.8, (118, 80, 42), 0.55)  # shadow under the chin
    # the embroidered edge of the neckline
    edge = Path(13.5, 35.6).curve((17, 37.6), (22, 38.9), (27, 38.9)).curve((32, 38.9), (38, 37.6), (42, 34.9))
    fill(c, stroke_line(edge.points(), 0.9), (60, 44, 22), 0.9)
    for i, (x, y) in enumerate(edge.points()):
        if i % 3 == 0:
            fill(c, circle(x, y, 0.35), (190, 150, 80), 0.8)


def stroke_line(pts, width):
    return stroke(pts, width)


def face(c):
    f = Path(27, 9.6)
    f.curve((31.2, 9.6), (33.4, 12.4), (33.5, 16.8))
    f.curve((33.6, 21), (31.8, 24.6), (29.4, 26.8))
    f.curve((28.4, 27.7), (25.8, 27.7), (24.8, 26.8))
    f.curve((22.4, 24.6), (20.6, 21), (20.7, 16.8))
    f.curve((20.8, 12.4), (22.8, 9.6), (27, 9.6))

    def shade(x, y):
        base = skin(x, y, 25.8)
        glow = math.exp(-((x - 25.6) / 3.4) ** 2 - ((y - 13.0) / 2.6) ** 2) * 0.4
        glow += math.exp(-((x - 24.0) / 2.0) ** 2 - ((y - 21.0) / 2.0) ** 2) * 0.22
        return mix(base, (252, 230, 184), glow)
    fill(c, f.shape(), shade)
    # the hair falls close against the face on both sides
    left = Path(20.8, 13.5).curve((21.2, 17), (21.8, 20.5), (23.3, 24.5)).line(21.8, 25)
    left.curve((20.4, 21), (20.1, 17), (20.3, 13))
    fill(c, left.shape(), HAIR, 0.85)
    right = Path(33.3, 13).curve((33.6, 17), (33.0, 21), (31.6, 25)).line(32.9, 25.3)
    right.curve((34.3, 21), (34.5, 17), (34.0, 13))
    fill(c, right.shape(), HAIR, 0.85)
    # parting and the fine dark veil over the hair
    fill(c, rect(26.8, 7.8, 27.3, 10.5), (96, 66, 38), 0.5)
    veil = Path(18.2, 12).curve((19.5, 6.6), (34.5, 6.6), (35.8, 12))
    veil.line(36.2, 13).curve((33.5, 8.2), (20.5, 8.2), (17.8, 13))
    fill(c, veil.shape(), (14, 10, 6), 0.5)


def features(c):
    # eye sockets in soft shadow, then the eyes
    dab(c, 24.4, 16.9, 2.2, 1.4, (150, 104, 60), 0.55)
    dab(c, 29.7, 16.9, 2.2, 1.4, (136, 94, 54), 0.6)
    dab(c, 24.5, 17.3, 1.2, 0.65, (40, 26, 16), 1.0)
    dab(c, 29.6, 17.3, 1.2, 0.65, (40, 26, 16), 1.0)
    # the nose: a shadow down its right side and under the tip
    dab(c, 28.1, 19.8, 0.8, 2.8, (150, 104, 60), 0.55)
    dab(c, 27.2, 22.3, 1.7, 0.6, (128, 86, 50), 0.6)
    # the mouth, its corners lifting into the smile
    mouth = Path(24.4, 24.1).curve((25.6, 24.8), (28.6, 24.8), (29.9, 23.9))
    mouth.line(29.9, 24.4).curve((28.6, 25.4), (25.6, 25.4), (24.4, 24.6))
    fill(c, mouth.shape(), (112, 60, 42), 0.8)
    dab(c, 27.1, 25.8, 1.7, 0.5, (196, 146, 96), 0.5)
    # warmth on the cheeks
    dab(c, 24.0, 21.0, 1.8, 1.4, (228, 166, 122), 0.25)
    dab(c, 30.6, 21.0, 1.6, 1.4, (200, 140, 96), 0.2)


def figure(c):
    hair_back(c)
    dress(c)
    arms(c)
    neck_and_chest(c)
    hands(c)
    face(c)
    features(c)


# ---------------------------------------------------------------- finish

def glaze(c):
    """Old varnish: everything warmed and darkened towards the edges."""
    def paint(x, y):
        d = math.hypot((x - 28) / 30, (y - 36) / 42)
        return (48, 34, 12, min(0.6, smoothstep(0.55, 1.1, d) * 0.6))
    fill(c, rect(0, 0, W, H), paint)
    fill(c, rect(0, 0, W, H), (150, 120, 50), 0.1)


def draw(unit=1):
    back = Canvas(W * K, H * K, unit)
    landscape(back)
    back.blur(3)
    front = Canvas(W * K, H * K, unit)
    figure(front)
    front.blur(1)
    back.draw(front)
    glaze(back)
    return back.downsample(K)
