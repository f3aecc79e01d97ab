"""Packs skin bitmaps into an image list's stored block.

The block holds the pictures side by side in one strip of at most 256 colours, as a 32-bit
little-endian byte count followed by a BMP file. No mask strip follows: the list masks each picture by
the strip's key colour (pure green, its bottom left pixel).

    make_image_list.py <output> <bitmap>...
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmpio  # noqa: E402

KEY = (0, 255, 0)


def block(paths):
    pictures = []
    for path in paths:
        with open(path, "rb") as f:
            pictures.append(bmpio.decode_bmp(f.read()))
    width, height = pictures[0][0], pictures[0][1]
    if any(p[0] != width or p[1] != height for p in pictures):
        raise ValueError("the images of one list must share one size")
    strip = [sum((p[3][y] for p in pictures), []) for y in range(height)]
    if strip[-1][0] != KEY:
        raise ValueError("the strip's bottom left pixel must be the key colour")
    palette = sorted({rgb for row in strip for rgb in row})
    if len(palette) > 256:
        raise ValueError("the pictures of one list must share at most 256 colours")
    index = {rgb: i for i, rgb in enumerate(palette)}
    bmp = bmpio.encode_bmp(len(strip[0]), height, [index[rgb] for row in strip for rgb in row], palette, 8)
    return struct.pack("<I", len(bmp)) + bmp


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    data = block(argv[2:])
    with open(argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv)
