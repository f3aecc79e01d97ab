"""Writers for palette BMP files and for plain RGB PNG files (the contact sheet)."""

import struct
import zlib


def _row_bytes(indices, bits):
    if bits == 8:
        data = bytes(indices)
    else:  # 4 bits: two pixels a byte, the left one in the high nibble
        padded = list(indices) + [0] * (len(indices) % 2)
        data = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
    return data + b"\0" * (-len(data) % 4)


def encode_bmp(width, height, pixels, palette, bits):
    """A bottom-up BMP with a BITMAPINFOHEADER. `pixels` are palette indices, rows top first."""
    assert bits in (4, 8) and len(palette) <= (1 << bits)
    colours = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours)
    rows = [pixels[y * width:(y + 1) * width] for y in range(height)]
    body = b"".join(_row_bytes(row, bits) for row in reversed(rows))
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(body), 2835, 2835,
                       len(colours), 0)
    return header + info + table + body


def encode_png(width, height, rgb_rows):
    """An 8-bit RGB PNG; `rgb_rows` is a list of rows of (r, g, b)."""
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rgb_rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))
