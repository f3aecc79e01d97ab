"""A PNG to look at the skin with: every bitmap enlarged (as its palette reduction leaves it), and the
dialog put together at its smallest and largest size. See-through pixels show a checker pattern there."""

import bmpio
import skin

SCALE = 5
GAP = 12
BACKDROP = (70, 80, 90)


def _checker(x, y):
    return (150, 170, 150) if (x // 4 + y // 4) % 2 else (110, 130, 110)


def _reduced(rows, bits, palette_of):
    palette, idx = palette_of(rows, bits)
    w = len(rows[0])
    return [[palette[idx[y * w + x]] for x in range(w)] for y in range(len(rows))]


def _stretch(rows, w, h):
    sh, sw = len(rows), len(rows[0])
    return [[rows[y * sh // h][x * sw // w] for x in range(w)] for y in range(h)]


def _blit(dst, src, x0, y0, key=None):
    for y, row in enumerate(src):
        for x, c in enumerate(row):
            if c != key and 0 <= y0 + y < len(dst) and 0 <= x0 + x < len(dst[0]):
                dst[y0 + y][x0 + x] = c


def _dialog(b, width, height, body_pictures):
    """The pieces laid out as the dialog places them, for a client of width x height."""
    img = [[skin.WHITE] * width for _ in range(height)]
    p = {k: v[0] for k, v in b.items()}
    top, bottom = skin.TOP_BAND, skin.BOTTOM_BAND
    _blit(img, p["imgTopLeft"], 0, 0)
    _blit(img, _stretch(p["imgTopCenter"], width - 275, top), 145, 0)
    _blit(img, p["imgTopRight"], width - 130, 0)
    body = height - top - bottom
    _blit(img, _stretch(p["imgLeft"], 14, body), 0, top)
    _blit(img, _stretch(p["imgRight"], 13, body), width - 13, top)
    _blit(img, p["imgBottomLeft"], 0, height - bottom)
    _blit(img, _stretch(p["imgBottomCenter"], width - 51, bottom), 26, height - bottom)
    _blit(img, p["imgBottomRight"], width - 25, height - bottom)
    frame_w, frame_h = width - 57, height - 121
    fx, fy = 29, top + 16
    for x in range(fx, fx + frame_w):  # a lowered frame: dark line outside, light line inside
        img[fy][x], img[fy + frame_h - 1][x] = (160, 160, 160), (160, 160, 160)
    for y in range(fy, fy + frame_h):
        img[y][fx], img[y][fx + frame_w - 1] = (160, 160, 160), (160, 160, 160)
    icon, mark = body_pictures
    _blit(img, p[icon], fx + 7, fy + frame_h // 2 - 16, key=skin.MASK_KEY)
    _blit(img, p[mark], width // 2 - 50, 1, key=skin.MASK_KEY)
    panel_y = top + 16 + frame_h + 12
    panel = [[skin.WHITE] * 122 for _ in range(26)]
    _blit(panel, p["epBtnOK.BmpNormal"], 1, 1)
    _blit(panel, p["epBtnCancel.BmpActive"], 66, 1)
    _blit(img, panel, width // 2 - 61, panel_y)
    return [[_checker(x, y) if c == skin.MAGENTA else c for x, c in enumerate(row)] for y, row in enumerate(img)]


def write(path, bitmaps, palette_of):
    reduced = {name: (_reduced(rows, bits, palette_of), bits) for name, (rows, bits) in bitmaps.items()}
    tiles = []
    for name, (rows, _bits) in reduced.items():
        tiles.append([[c for c in row for _ in range(SCALE)] for row in rows for _ in range(SCALE)])
    tiles.append(_dialog(reduced, 376, 164, ("imgListInfo0", "imgListTitle0")))
    tiles.append(_dialog(reduced, 580, 241, ("imgListInfo3", "imgListTitle3")))

    # Shelf packing, left to right, into rows no wider than the widest of a few tiles.
    max_w = 1400
    placed, x, y, shelf = [], GAP, GAP, 0
    for t in tiles:
        w, h = len(t[0]), len(t)
        if x + w + GAP > max_w and x > GAP:
            x, y, shelf = GAP, y + shelf + GAP, 0
        placed.append((t, x, y))
        x, shelf = x + w + GAP, max(shelf, h)
    height = y + shelf + GAP
    sheet = [[BACKDROP] * max_w for _ in range(height)]
    for t, tx, ty in placed:
        _blit(sheet, t, tx, ty)
    with open(path, "wb") as f:
        f.write(bmpio.encode_png(max_w, height, sheet))
