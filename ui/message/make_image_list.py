"""Packs skin bitmaps into an image list's stored block.

The block is a 32-bit image count, then per image its picture and its mask, each a 32-bit little-endian
byte count followed by a BMP file. Mask pixels are white where the picture holds the key colour (pure
green), black elsewhere.

    make_image_list.py <output> <bitmap>...
"""
import struct
import sys

KEY = (0, 255, 0)


def read_bmp(data):
    """Pixels of an uncompressed 8- or 24-bit BMP as rows of (r, g, b), top row first."""
    offset, = struct.unpack_from("<I", data, 10)
    header_size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if compression != 0 or bits not in (8, 24):
        raise ValueError("only uncompressed 8- and 24-bit bitmaps are packed")
    palette = []
    if bits == 8:
        for i in range(256):
            start = 14 + header_size + 4 * i
            if start + 4 > offset:
                break
            b, g, r, _ = data[start:start + 4]
            palette.append((r, g, b))
    stride = (width * bits // 8 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row_start = offset + stride * (abs(height) - 1 - y if height > 0 else y)
        row = data[row_start:row_start + stride]
        if bits == 8:
            rows.append([palette[i] for i in row[:width]])
        else:
            rows.append([(row[3 * x + 2], row[3 * x + 1], row[3 * x]) for x in range(width)])
    return width, len(rows), rows


def mask_bmp(width, height, rows):
    """A 24-bit BMP: white where the key colour is, black elsewhere."""
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for rgb in row:
            line += b"\xff\xff\xff" if rgb == KEY else b"\x00\x00\x00"
        pixels += line + b"\x00" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def block(paths):
    out = bytearray(struct.pack("<I", len(paths)))
    for path in paths:
        with open(path, "rb") as f:
            picture = f.read()
        mask = mask_bmp(*read_bmp(picture))
        for part in (picture, mask):
            out += struct.pack("<I", len(part)) + part
    return bytes(out)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    data = block(argv[2:])
    with open(argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv)
