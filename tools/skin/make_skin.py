#!/usr/bin/env python3
"""Writes the message dialog's skin as palette BMP files, one per bitmap, named after the control or
face it belongs to (imgTopLeft.bmp, imgListInfo0.bmp, epBtnOK.BmpNormal.bmp, BMP_LABEL.bmp, ...).

  make_skin.py OUTDIR                 write every bitmap into OUTDIR
  make_skin.py --list                 print the file names, one a line
  make_skin.py --sheet FILE.png       a contact sheet: every bitmap enlarged, and a dialog put together

The output depends on nothing but this directory's sources: the same sources give the same bytes."""

import argparse
import os
import sys
from collections import Counter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmpio  # noqa: E402
import skin  # noqa: E402

# Colours a reduced palette must keep exactly: the see-through colour, the mask key, white and black.
EXACT = {skin.MAGENTA, skin.MASK_KEY, (255, 255, 255), (0, 0, 0)}


def palette_of(rows, bits):
    """Palette and index rows; when there are more colours than the depth holds, the others are rounded
    to ever coarser steps until they fit."""
    limit = 1 << bits
    step = 1
    while True:
        def snap(c):
            if c in EXACT or step == 1:
                return c
            return tuple(min(255, step * round(v / step)) for v in c)
        mapped = [[snap(c) for c in row] for row in rows]
        counts = Counter(c for row in mapped for c in row)
        if len(counts) <= limit:
            break
        step += 1
    palette = sorted(counts)
    index = {c: i for i, c in enumerate(palette)}
    return palette, [index[c] for row in mapped for c in row]


def _indexed(bitmaps):
    """(palette, index rows) of every bitmap. The pictures of one image list share one palette, so
    that the list can keep them in one strip of palette pixels."""
    out = {}
    for group in ("imgListInfo", "imgListTitle"):
        names = sorted(n for n in bitmaps if n.startswith(group))
        rows = [bitmaps[n][0] for n in names]
        width = len(rows[0][0])
        strip = [sum((r[y] for r in rows), []) for y in range(len(rows[0]))]
        palette, pixels = palette_of(strip, 8)
        stride = width * len(names)
        for i, name in enumerate(names):
            out[name] = palette, [pixels[y * stride + i * width + x] for y in range(len(strip)) for x in range(width)]
    for name, (rows, bits) in bitmaps.items():
        if name not in out:
            out[name] = palette_of(rows, bits)
    return out


def write_all(outdir):
    os.makedirs(outdir, exist_ok=True)
    bitmaps = skin.bitmaps()
    for name, (palette, pixels) in _indexed(bitmaps).items():
        rows, bits = bitmaps[name]
        data = bmpio.encode_bmp(len(rows[0]), len(rows), pixels, palette, bits)
        with open(os.path.join(outdir, name + ".bmp"), "wb") as f:
            f.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    parser.add_argument("outdir", nargs="?")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--sheet")
    args = parser.parse_args()
    if args.list:
        print("\n".join(n + ".bmp" for n in skin.NAMES))
    if args.outdir:
        write_all(args.outdir)
    if args.sheet:
        import contact_sheet
        contact_sheet.write(args.sheet, skin.bitmaps(), palette_of)
    if not (args.list or args.outdir or args.sheet):
        parser.error("nothing to do")


if __name__ == "__main__":
    main()
