#!/usr/bin/env python3
"""Checks the generated skin: sizes and depths, the see-through outline and corners the window relies
on, the mask key of the image lists, the button faces' inks, and that the generator is reproducible.
Usage: skin_test.py GENERATOR SKIN_DIR"""

import filecmp
import os
import struct
import subprocess
import sys
import tempfile
import unittest

MAGENTA, KEY, WHITE, BLACK = (255, 0, 255), (0, 255, 0), (255, 255, 255), (0, 0, 0)
GENERATOR, SKIN_DIR = sys.argv[1], sys.argv[2]


def read_bmp(name):
    """(width, height, bits, rows of RGB, top row first) of an uncompressed palette BMP."""
    with open(os.path.join(SKIN_DIR, name + ".bmp"), "rb") as f:
        data = f.read()
    assert data[:2] == b"BM"
    offset, = struct.unpack_from("<I", data, 10)
    size, w, h, _planes, bits, compression, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", data, 14)
    assert size == 40 and compression == 0 and h > 0
    palette = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i]) for i in range(used)]
    stride = (w * bits + 31) // 32 * 4
    rows = []
    for y in range(h):
        line = data[offset + (h - 1 - y) * stride:]
        if bits == 8:
            idx = list(line[:w])
        else:
            idx = [(line[x // 2] >> (0 if x % 2 else 4)) & 15 for x in range(w)]
        rows.append([palette[i] for i in idx])
    return w, h, bits, rows


BANDS = {"imgTopLeft": (145, 42), "imgTopCenter": (1, 42), "imgTopRight": (130, 42), "imgLeft": (14, 1),
         "imgRight": (13, 1), "imgBottomLeft": (26, 32), "imgBottomCenter": (2, 32),
         "imgBottomRight": (25, 32)}
# Which sides of each piece lie on the window's outer edge.
OUTER = {"imgTopLeft": "lt", "imgTopCenter": "t", "imgTopRight": "rt", "imgLeft": "l", "imgRight": "r",
         "imgBottomLeft": "lb", "imgBottomCenter": "b", "imgBottomRight": "rb"}
FACES = [f"{b}.{f}" for b in ("epBtnOK", "epBtnCancel") for f in ("BmpNormal", "BmpActive", "BmpDown")]


class Skin(unittest.TestCase):
    def test_sizes_and_depths(self):
        expected = dict(BANDS)
        expected.update({f"imgListInfo{i}": (41, 32) for i in range(4)})
        expected.update({f"imgListTitle{i}": (26, 38) for i in range(4)})
        expected.update({f: (55, 24) for f in FACES})
        for name, size in expected.items():
            w, h, bits, _ = read_bmp(name)
            self.assertEqual(((w, h), bits), (size, 8), name)
        w, h, bits, _ = read_bmp("BMP_LABEL")
        self.assertEqual(((w, h), bits), ((72, 9), 4))

    def test_outer_line_is_see_through_and_nothing_inside_is(self):
        for name, sides in OUTER.items():
            w, h, _, rows = read_bmp(name)
            outer = set()
            for x in range(w):
                if "t" in sides:
                    outer.add((x, 0))
                if "b" in sides:
                    outer.add((x, h - 1))
            for y in range(h):
                if "l" in sides:
                    outer.add((0, y))
                if "r" in sides:
                    outer.add((w - 1, y))
            for x, y in outer:
                self.assertEqual(rows[y][x], MAGENTA, (name, x, y))
            corner = [(x, y) for y in range(h) for x in range(w) if (x, y) not in outer and rows[y][x] == MAGENTA]
            if len(sides) == 2:  # the corner pieces round off a few pixels next to the outer line
                self.assertTrue(3 <= len(corner) <= 12, (name, corner))
                self.assertTrue(all(min(x, w - 1 - x) < 6 and min(y, h - 1 - y) < 6 for x, y in corner), name)
            else:
                self.assertEqual(corner, [], name)

    def test_list_images_are_masked_by_the_key(self):
        for name in [f"imgListInfo{i}" for i in range(4)] + [f"imgListTitle{i}" for i in range(4)]:
            w, h, _, rows = read_bmp(name)
            self.assertEqual(rows[h - 1][0], KEY, name)
            pixels = [c for row in rows for c in row]
            self.assertNotIn(MAGENTA, pixels, name)
            # A picture covers a good part of its image, and its centre.
            self.assertGreater(sum(c != KEY for c in pixels), w * h // 4, name)
            self.assertNotEqual(rows[h // 2][w // 2], KEY, name)

    def test_button_faces_show_grey_word_at_rest_and_black_otherwise(self):
        for name in FACES:
            w, h, _, rows = read_bmp(name)
            pixels = [c for row in rows for c in row]
            self.assertEqual(rows[0][0], WHITE, name)  # the rounded corner shows the white button panel
            self.assertNotIn(MAGENTA, pixels, name)
            ink = pixels.count(BLACK)
            if name.endswith("BmpNormal"):
                self.assertEqual(ink, 0, name)
                self.assertGreater(pixels.count((128, 128, 128)), 40, name)
            else:
                self.assertGreater(ink, 40, name)

    def test_generator_is_reproducible(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, GENERATOR, out], check=True)
            names = sorted(os.listdir(SKIN_DIR))
            self.assertEqual(sorted(os.listdir(out)), names)
            _, mismatch, errors = filecmp.cmpfiles(SKIN_DIR, out, names, shallow=False)
            self.assertEqual((mismatch, errors), ([], []))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
