#!/usr/bin/env python3
"""Tests for the picture tools: the PNG writer and reader agree, drawing is
repeatable, and the checker notices broken pictures.

    python3 tools/pictures/test_pictures.py
"""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_pictures  # noqa: E402
import make_pictures  # noqa: E402
import png  # noqa: E402
from raster import Canvas, circle, rect  # noqa: E402


class PngTest(unittest.TestCase):
    def test_round_trip(self):
        data = bytes(range(256)) * 3  # 8x24 pixels of assorted values
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "a.png")
            png.write(path, 8, 24, data)
            self.assertEqual(png.read(path), (8, 24, data))

    def test_size_mismatch_is_refused(self):
        with self.assertRaises(ValueError):
            png.encode(2, 2, b"\0" * 15)


class RasterTest(unittest.TestCase):
    def test_pixel_aligned_rectangle_is_exact(self):
        c = Canvas(4, 4)
        c.fill(rect(1, 1, 3, 3), (255, 0, 0))
        alphas = c.rgba()[3::4]
        self.assertEqual(list(alphas), [0, 0, 0, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 0, 0, 0])

    def test_half_covered_pixel(self):
        c = Canvas(1, 1)
        c.fill(rect(0, 0, 0.5, 1), (0, 0, 255))
        self.assertEqual(c.rgba(), bytes((0, 0, 255, 128)))
        self.assertEqual(c.rgba(hard=True), bytes((0, 0, 255, 255)))

    def test_circle_area(self):
        c = Canvas(20, 20)
        c.fill(circle(10, 10, 8), (0, 0, 0))
        covered = sum(p[3] for p in c.px)
        self.assertAlmostEqual(covered, 3.14159 * 64, delta=2)


class PicturesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp()
        make_pictures.main(["make_pictures", cls.dir])

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir)

    def copy(self):
        d = os.path.join(tempfile.mkdtemp(), "pictures")
        self.addCleanup(shutil.rmtree, os.path.dirname(d))
        shutil.copytree(self.dir, d)
        return d

    def edit(self, directory, name, change):
        path = os.path.join(directory, name)
        w, h, data = png.read(path)
        data = bytearray(data)
        change(w, h, data)
        png.write(path, w, h, bytes(data))

    def assertProblem(self, directory, text):
        problems = check_pictures.check(directory)
        self.assertTrue(any(text in p for p in problems), problems)

    def test_all_pass(self):
        self.assertEqual(check_pictures.check(self.dir), [])

    def test_repeatable(self):
        again = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, again)
        make_pictures.main(["make_pictures", again])
        for name in os.listdir(self.dir) + [os.path.join(check_pictures.PAGE, n) for n in
                                            os.listdir(os.path.join(self.dir, check_pictures.PAGE))]:
            if os.path.isdir(os.path.join(self.dir, name)):
                continue
            with open(os.path.join(self.dir, name), "rb") as a, open(os.path.join(again, name), "rb") as b:
                self.assertEqual(a.read(), b.read(), name)

    def test_soft_alpha_in_an_icon(self):
        d = self.copy()

        def soften(w, h, data):
            i = data[3::4].index(255) * 4
            data[i + 3] = 128
        self.edit(d, "icon-106-18.png", soften)
        self.assertProblem(d, "icon-106-18.png: alpha values")

    def test_blank_icon_with_a_dot(self):
        d = self.copy()

        def dot(w, h, data):
            data[0:4] = b"\xff\xff\xff\xff"
        self.edit(d, "icon-142-16.png", dot)
        self.assertProblem(d, "not wholly transparent")

    def test_back_with_a_hole(self):
        d = self.copy()

        def hole(w, h, data):
            data[(40 * w + 20) * 4 + 3] = 0
        self.edit(d, "back-128.png", hole)
        self.assertProblem(d, "back-128.png: not opaque")

    def test_back_border_not_white(self):
        d = self.copy()

        def grey(w, h, data):
            i = (h // 2 * w + w - 1) * 4
            data[i:i + 3] = b"\x80\x80\x80"
        self.edit(d, "back-116.png", grey)
        self.assertProblem(d, "border is not white")

    def test_button_frame_gap(self):
        d = self.copy()

        def gap(w, h, data):
            data[(0 * w + 10) * 4 + 3] = 0
        self.edit(d, "icon-117-32.png", gap)
        self.assertProblem(d, "frame has a gap")

    def test_maskable_icon_drawn_to_its_corner(self):
        d = self.copy()

        def corner(w, h, data):
            data[(4 * w + 4) * 4:(4 * w + 4) * 4 + 3] = b"\xff\xff\xff"
        self.edit(os.path.join(d, check_pictures.PAGE), "icon-101-maskable-512.png", corner)
        self.assertProblem(d, "icon-101-maskable-512.png: drawn outside the safe circle at (4, 4)")

    def test_missing_and_wrong_size(self):
        d = self.copy()
        os.remove(os.path.join(d, "icon-info-64.png"))
        png.write(os.path.join(d, "icon-105-9.png"), 8, 8, b"\0" * 256)
        self.assertProblem(d, "icon-info-64.png: missing")
        self.assertProblem(d, "icon-105-9.png: 8x8")


if __name__ == "__main__":
    unittest.main()
