"""Packs skin bitmaps into an image list's stored block.

The block holds the pictures side by side in one strip, then their masks in a strip of the same size,
each as a 32-bit little-endian byte count followed by a BMP file. Mask pixels are white where a picture
holds the key colour (pure green), black elsewhere.

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


def encode_bmp24(width, height, rows):
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + b"\x00" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def block(paths):
    pictures = []
    for path in paths:
        with open(path, "rb") as f:
            pictures.append(read_bmp(f.read()))
    width, height = pictures[0][0], pictures[0][1]
    if any(p[0] != width or p[1] != height for p in pictures):
        raise ValueError("the images of one list must share one size")
    strip = [sum((p[2][y] for p in pictures), []) for y in range(height)]
    white, black = (255, 255, 255), (0, 0, 0)
    masks = [[white if rgb == KEY else black for rgb in row] for row in strip]
    out = bytearray()
    for rows in (strip, masks):
        bmp = encode_bmp24(width * len(pictures), height, rows)
        out += struct.pack("<I", len(bmp)) + bmp
    return bytes(out)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    data = block(argv[2:])
    with open(argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv)
