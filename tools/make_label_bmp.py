#!/usr/bin/env python3
"""Draws the shared label bitmap: 72 x 9 pixels, 16 colours, the word MIVORA on a framed grey tag.

Usage: make_label_bmp.py OUTPUT.bmp. The output depends on nothing but this file.
"""
import struct
import sys

WIDTH, HEIGHT = 72, 9

# The 16-colour palette, as (blue, green, red) triples: the standard VGA colours.
PALETTE = [
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
]
BACKGROUND, FRAME, INK = 7, 8, 4

# 5 x 7 glyphs, one string per row, "#" inked.
GLYPHS = {
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
}


def draw():
    pixels = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]
    for x in range(WIDTH):
        pixels[0][x] = pixels[HEIGHT - 1][x] = FRAME
    for y in range(HEIGHT):
        pixels[y][0] = pixels[y][WIDTH - 1] = FRAME
    word = "MIVORA"
    advance = 6
    left = (WIDTH - (len(word) * advance - 1)) // 2
    for i, letter in enumerate(word):
        for row, line in enumerate(GLYPHS[letter]):
            for col, mark in enumerate(line):
                if mark == "#":
                    pixels[1 + row][left + i * advance + col] = INK
    return pixels


def bmp(pixels):
    stride = ((WIDTH * 4 + 31) // 32) * 4
    rows = b""
    for row in reversed(pixels):  # bottom-up
        packed = bytes((row[x] << 4) | (row[x + 1] if x + 1 < WIDTH else 0) for x in range(0, WIDTH, 2))
        rows += packed.ljust(stride, b"\0")
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(rows), 3780, 3780, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + rows


def main():
    with open(sys.argv[1], "wb") as out:
        out.write(bmp(draw()))


if __name__ == "__main__":
    main()
