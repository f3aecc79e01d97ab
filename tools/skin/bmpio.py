"""Readers and writers for the BMP files of the skin, and a writer for plain RGB PNG files (the contact
sheet)."""

import struct
import zlib


def _row_bytes(indices, bits):
    if bits == 8:
        data = bytes(indices)
    else:  # 1 or 4 bits: the leftmost pixel in the highest bits
        per = 8 // bits
        padded = list(indices) + [0] * (-len(indices) % per)
        data = bytes(sum(v << (8 - bits * (k + 1)) for k, v in enumerate(padded[i:i + per]))
                     for i in range(0, len(padded), per))
    return data + b"\0" * (-len(data) % 4)


def _rle8_row(row):
    """One row as BI_RLE8: runs of three or more as (count, index), the rest as literal stretches
    (three or more pixels, padded to a word) or single runs."""
    out = bytearray()
    literal = []

    def flush():
        while literal:
            part = literal[:255]
            del literal[:255]
            if len(part) < 3:
                for v in part:
                    out.extend((1, v))
            else:
                out.extend((0, len(part)))
                out.extend(part)
                if len(part) % 2:
                    out.append(0)

    x = 0
    while x < len(row):
        run = 1
        while x + run < len(row) and run < 255 and row[x + run] == row[x]:
            run += 1
        if run >= 3:
            flush()
            out.extend((run, row[x]))
        else:
            literal.extend(row[x:x + run])
        x += run
    flush()
    return bytes(out)


def encode_bmp(width, height, pixels, palette, bits):
    """A bottom-up BMP with a BITMAPINFOHEADER and just the colours used. `pixels` are palette indices,
    rows top first. An 8-bit image is run-length encoded when that makes it smaller."""
    assert bits in (1, 4, 8) and len(palette) <= (1 << bits)
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    rows = [pixels[y * width:(y + 1) * width] for y in range(height)]
    body = b"".join(_row_bytes(row, bits) for row in reversed(rows))
    compression = 0
    if bits == 8:
        rle = b"\0\0".join(_rle8_row(row) for row in reversed(rows)) + b"\0\1"
        if len(rle) < len(body):
            body, compression = rle, 1
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(body), 2835, 2835,
                       len(palette), 0)
    return header + info + table + body


def encode_rgb_bmp(width, height, rows):
    """A bottom-up 24-bit BMP; `rows` are rows of (r, g, b), top first."""
    stride = (width * 3 + 3) & ~3
    body = b"".join(bytes(c for r, g, b in row for c in (b, g, r)).ljust(stride, b"\0") for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + body


def _rle8_indices(body, width, height):
    rows = [[0] * width for _ in range(height)]
    x = y = at = 0
    while True:
        first, second = body[at], body[at + 1]
        at += 2
        if first:
            rows[y][x:x + first] = [second] * first
            x += first
        elif second == 0:
            x, y = 0, y + 1
        elif second == 1:
            return rows
        elif second == 2:
            x, y = x + body[at], y + body[at + 1]
            at += 2
        else:
            rows[y][x:x + second] = body[at:at + second]
            x += second
            at += second + (second & 1)


def decode_bmp(data):
    """(width, height, bits, rows of (r, g, b), top row first) of an uncompressed 1-, 4-, 8- or 24-bit
    BMP or a run-length encoded 8-bit one, as written here."""
    if data[:2] != b"BM":
        raise ValueError("not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    size, width, height, _, bits, compression, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", data, 14)
    if size != 40 or height <= 0 or (compression, bits) not in {(0, 1), (0, 4), (0, 8), (0, 24), (1, 8)}:
        raise ValueError("unsupported BMP layout")
    if bits == 24:
        stride = (width * 3 + 3) & ~3
        lines = [data[offset + (height - 1 - y) * stride:][:3 * width] for y in range(height)]
        return width, height, bits, [[(ln[3 * x + 2], ln[3 * x + 1], ln[3 * x]) for x in range(width)]
                                     for ln in lines]
    colours = used or (1 << bits)
    palette = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i]) for i in range(colours)]
    if compression:
        indices = list(reversed(_rle8_indices(data[offset:], width, height)))
    else:
        stride = (width * bits + 31) // 32 * 4
        per = 8 // bits
        indices = []
        for y in range(height):
            line = data[offset + (height - 1 - y) * stride:]
            indices.append([(line[x // per] >> (8 - bits * (x % per + 1))) & ((1 << bits) - 1)
                            for x in range(width)])
    return width, height, bits, [[palette[i] for i in row] for row in indices]


def encode_png(width, height, rgb_rows):
    """An 8-bit RGB PNG; `rgb_rows` is a list of rows of (r, g, b)."""
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rgb_rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))
