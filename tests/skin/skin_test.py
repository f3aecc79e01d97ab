#!/usr/bin/env python3
"""Checks the generated skin: sizes and depths, the see-through outline and corners the window relies
on, the mask key of the image lists, the button faces' inks, and that the generator is reproducible.
Also that the BMP writer's run-length encoding and one-bit rows read back as written.
Usage: skin_test.py GENERATOR SKIN_DIR"""

import filecmp
import os
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(sys.argv[1])))
import bmpio  # noqa: E402

MAGENTA, KEY, WHITE, BLACK = (255, 0, 255), (0, 255, 0), (255, 255, 255), (0, 0, 0)
GENERATOR, SKIN_DIR = sys.argv[1], sys.argv[2]


def read_bmp(name):
    """(width, height, bits, rows of RGB, top row first) of a skin bitmap."""
    with open(os.path.join(SKIN_DIR, name + ".bmp"), "rb") as f:
        return bmpio.decode_bmp(f.read())


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


class BmpWriter(unittest.TestCase):
    PALETTE = [(i, 255 - i, i // 2) for i in range(256)]

    def round_trip(self, width, rows, bits=8):
        pixels = [v for row in rows for v in row]
        palette = self.PALETTE[:1 << bits]
        data = bmpio.encode_bmp(width, len(rows), pixels, palette, bits)
        w, h, got_bits, got = bmpio.decode_bmp(data)
        self.assertEqual((w, h, got_bits), (width, len(rows), bits))
        self.assertEqual(got, [[palette[v] for v in row] for row in rows])
        return data

    def test_runs_literals_and_long_rows_read_back(self):
        flat = [[7] * 300, [7] * 299 + [8]]  # runs longer than one count byte holds
        data = self.round_trip(300, flat)
        self.assertEqual(struct.unpack_from("<I", data, 30)[0], 1, "a flat image is run-length encoded")
        mixed = [[(x * 37 + y) % 256 for x in range(301)] for y in range(3)]  # literals past 255
        self.round_trip(301, mixed)
        self.round_trip(5, [[1, 2, 3, 3, 3], [4, 4, 5, 6, 6], [9, 9, 9, 9, 1]])

    def test_a_literal_stretch_never_holds_fewer_than_three_pixels(self):
        # In run-length encoding, a literal of one or two pixels would read as an end-of-line or a move.
        data = self.round_trip(24, [[1, 2] + [1] * 20 + [3, 4]])
        self.assertEqual(struct.unpack_from("<I", data, 30)[0], 1)
        offset = struct.unpack_from("<I", data, 10)[0]
        body, at = data[offset:], 0
        while body[at:at + 2] != b"\0\1":
            if body[at] == 0:
                self.assertGreaterEqual(body[at + 1], 3, body)
                at += 2 + body[at + 1] + (body[at + 1] & 1)
            else:
                at += 2

    def test_one_and_four_bit_rows_read_back(self):
        self.round_trip(11, [[x % 2 for x in range(11)], [1] * 11], bits=1)
        self.round_trip(3, [[0, 15, 7]], bits=4)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
