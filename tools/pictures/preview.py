"""Contact sheet of pictures, enlarged with square pixels, for looking at them.

    python3 tools/pictures/preview.py OUT.png SCALE R,G,B file.png [file.png ...]

Each picture is drawn SCALE times larger on the background colour, and once
more at its real size beside it.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import png  # noqa: E402


def sheet(files, zoom, background, columns=None):
    images = [png.read(f) for f in files]
    pad = 8
    cells = [(w * zoom + w + 3 * pad, h * zoom + 2 * pad) for w, h, _ in images]
    columns = columns or max(1, min(len(images), 1400 // max(c[0] for c in cells)))
    rows = [cells[i:i + columns] for i in range(0, len(cells), columns)]
    width = max(sum(c[0] for c in row) for row in rows)
    height = sum(max(c[1] for c in row) for row in rows)
    canvas = bytearray(bytes(background) * (width * height))

    def put(x, y, rgba):
        i = (y * width + x) * 3
        a = rgba[3] / 255
        for k in range(3):
            canvas[i + k] = int(round(rgba[k] * a + canvas[i + k] * (1 - a)))

    top = 0
    index = 0
    for row in rows:
        left = 0
        for cell in row:
            w, h, data = images[index]
            index += 1
            for y in range(h):
                for x in range(w):
                    p = data[(y * w + x) * 4:(y * w + x) * 4 + 4]
                    for dy in range(zoom):
                        for dx in range(zoom):
                            put(left + pad + x * zoom + dx, top + pad + y * zoom + dy, p)
                    put(left + 2 * pad + w * zoom + x, top + pad + y, p)
            left += cell[0]
        top += max(c[1] for c in row)
    rgba = bytearray()
    for i in range(width * height):
        rgba += canvas[i * 3:i * 3 + 3] + b"\xff"
    return width, height, bytes(rgba)


def main(argv):
    out, zoom, colour = argv[1], int(argv[2]), [int(v) for v in argv[3].split(",")]
    w, h, data = sheet(argv[4:], zoom, colour)
    png.write(out, w, h, data)


if __name__ == "__main__":
    main(sys.argv)
