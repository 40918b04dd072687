#!/usr/bin/env python3
"""Writes the small PNG pictures the tests compile in (tests/pictures/).

Icon 901 has an 8 x 8 image (a red square) and a 16 x 16 one (a blue
square with three yellow pixels in one corner and a green one in the
other); icon 902 has only the 16 x 16 image. back-950 is a 3 x 2 picture
of six known colours. The two box pictures are 32 x 32 discs with a sign.
"""
import os
import struct
import sys
import zlib

CLEAR = (0, 0, 0, 0)


def png(width, height, pixel):
    rows = b"".join(
        b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def red_square(x, y):
    return (255, 0, 0, 255) if 1 <= x < 7 and 1 <= y < 7 else CLEAR


def blue_square(x, y):
    if (x, y) == (0, 0):
        return (0, 255, 0, 255)
    if (x, y) in ((14, 14), (15, 14), (14, 15)):
        return (255, 255, 0, 255)
    return (0, 0, 255, 255) if 4 <= x < 12 and 4 <= y < 12 else CLEAR


BACK = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)], [(255, 255, 255), (0, 0, 0), (128, 128, 128)]]


def disc(colour, sign):
    def pixel(x, y):
        if sign(x, y):
            return (255, 255, 255, 255)
        inside = (x - 15.5) ** 2 + (y - 15.5) ** 2 <= 15 ** 2
        return colour + (255,) if inside else CLEAR
    return pixel


def info_sign(x, y):
    return 14 <= x < 18 and (7 <= y < 11 or 13 <= y < 26)


def question_sign(x, y):
    arc = 10 <= y < 13 and 11 <= x < 21 or 12 <= y < 17 and 18 <= x < 21
    return arc or 16 <= y < 20 and 14 <= x < 18 or 22 <= y < 26 and 14 <= x < 18


PICTURES = {
    "icon-901-8.png": (8, 8, red_square),
    "icon-901-16.png": (16, 16, blue_square),
    "icon-902-16.png": (16, 16, blue_square),
    "back-950.png": (3, 2, lambda x, y: BACK[y][x] + (255,)),
    "icon-info-32.png": (32, 32, disc((40, 90, 200), info_sign)),
    "icon-question-32.png": (32, 32, disc((30, 140, 60), question_sign)),
}

if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "tests", "pictures")
    os.makedirs(folder, exist_ok=True)
    for name, (w, h, pixel) in PICTURES.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(png(w, h, pixel))
