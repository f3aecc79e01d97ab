"""Draws every bitmap of the message dialog's skin. Each drawing returns RGB rows; `BITMAPS` lists them
by file name with their bit depth.

Conventions the dialog relies on:
- MAGENTA (255, 0, 255) is the window's see-through colour: the outermost pixel line of the band and
  side pieces and a few pixels rounding each corner carry it.
- The images of the two image lists are masked by the key colour MASK_KEY (pure green, 0, 255, 0):
  a pixel of exactly that colour is not part of the picture. The key never occurs inside a picture,
  and the bottom-left pixel of every list image is the key, so "the colour of the bottom-left pixel"
  names it as well. Edge pixels are already blended with what the picture sits on (white body for the
  icons, the title band for the marks), so a hard mask leaves no fringe.
"""

import glyphs
import raster
from raster import Canvas, ellipse, inset, polygon, rounded_rect, segment, solid, union, vertical_gradient

MAGENTA = (255, 0, 255)
MASK_KEY = (0, 255, 0)
WHITE = (255, 255, 255)

OUTLINE = (150, 150, 150)      # the window's outline, one pixel inside the see-through line
BORDER = (196, 196, 196)       # the thin border around the white body
TITLE_TOP = (253, 253, 253)    # title band gradient, top to bottom
TITLE_BOTTOM = (222, 222, 222)
SIDE = TITLE_BOTTOM            # side chrome continues the title band's lowest colour
STRIP_BOTTOM = (208, 208, 208) # bottom strip runs from SIDE down to this

# The design's frame: band heights and where the pieces are cut from a window of the design size.
WIDTH, HEIGHT = 580, 241
TOP_BAND, BOTTOM_BAND = 42, 32
BORDER_LEFT, BORDER_RIGHT = 13, WIDTH - 13  # the body's border columns: last of imgLeft, first of imgRight
BODY_BOTTOM = HEIGHT - BOTTOM_BAND + 9      # border row inside the bottom band
CORNER_RADIUS = 4                           # matches the 8 x 8 corner ellipses of the window region


def _cut_off(x, y):
    """True for the see-through pixels: the outermost line and the rounding of the corners."""
    dx, dy = min(x, WIDTH - 1 - x), min(y, HEIGHT - 1 - y)
    if dx == 0 or dy == 0:
        return True
    c = 1 + CORNER_RADIUS
    return dx < c and dy < c and (dx + 0.5 - c) ** 2 + (dy + 0.5 - c) ** 2 > CORNER_RADIUS ** 2


def title_band_colour(y):
    t = min(1.0, max(0.0, (y - 2) / (TOP_BAND - 4)))
    return tuple(int(round(v)) for v in raster.lerp(TITLE_TOP, TITLE_BOTTOM, t))


def _chrome(x, y):
    if _cut_off(x, y):
        return MAGENTA
    if any(_cut_off(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
        return OUTLINE
    left, right = BORDER_LEFT, BORDER_RIGHT
    if y < TOP_BAND - 1:
        return title_band_colour(y)
    if y > BODY_BOTTOM:
        t = (y - BODY_BOTTOM) / (HEIGHT - 2 - BODY_BOTTOM)
        return tuple(int(round(v)) for v in raster.lerp(SIDE, STRIP_BOTTOM, t))
    if left <= x <= right and y in (TOP_BAND - 1, BODY_BOTTOM):
        return BORDER
    if x in (left, right):
        return BORDER
    if left < x < right:
        return WHITE
    return title_band_colour(y) if y < TOP_BAND else SIDE


def _window_piece(x0, y0, w, h):
    return [[_chrome(x0 + x, y0 + y) for x in range(w)] for y in range(h)]


def band_pieces():
    bottom = HEIGHT - BOTTOM_BAND
    body_row = TOP_BAND + 60
    return {
        "imgTopLeft": _window_piece(0, 0, 145, TOP_BAND),
        "imgTopCenter": _window_piece(WIDTH // 2, 0, 1, TOP_BAND),
        "imgTopRight": _window_piece(WIDTH - 130, 0, 130, TOP_BAND),
        "imgLeft": _window_piece(0, body_row, 14, 1),
        "imgRight": _window_piece(WIDTH - 13, body_row, 13, 1),
        "imgBottomLeft": _window_piece(0, bottom, 26, BOTTOM_BAND),
        "imgBottomCenter": _window_piece(WIDTH // 2, bottom, 2, BOTTOM_BAND),
        "imgBottomRight": _window_piece(WIDTH - 25, bottom, 25, BOTTOM_BAND),
    }


# Icons. Each symbol is a filled shape with a darker rim and a soft highlight, and a pixel-art sign.

BLUE_RIM, BLUE_TOP, BLUE_BOTTOM = (28, 84, 168), (120, 184, 245), (36, 110, 205)
AMBER_RIM, YELLOW_TOP, YELLOW_BOTTOM = (176, 118, 0), (255, 232, 96), (246, 184, 16)
ORANGE_RIM, ORANGE_TOP, ORANGE_BOTTOM = (178, 70, 0), (255, 176, 72), (232, 104, 16)
SIGN_DARK = (60, 36, 0)


def _badge(c, shape, top, bottom, rim, rim_width, highlight):
    y0, y1 = _bounds_y(shape, c)
    c.fill(shape, solid(rim))
    c.fill(inset(shape, rim_width), vertical_gradient(top, bottom, y0, y1))
    if highlight:
        c.fill(highlight, solid(WHITE), opacity=0.35)


def _bounds_y(shape, c):
    rows = [y for y in range(c.height) if any(shape(x + 0.5, y + 0.5) for x in range(c.width))]
    return rows[0], rows[-1] + 1


def _sign(c, glyph, cx, cy, colour):
    w, h = glyphs.size(glyph)
    c.stamp(int(cx - w / 2 + 0.5), int(cy - h / 2 + 0.5), glyph, colour)


def _bubble(c, large):
    if large:
        cx, cy, rx, ry = 20.5, 13.5, 18.5, 12.5
        tail = polygon([(10.0, 20.0), (19.0, 24.5), (5.5, 30.5)])
    else:
        cx, cy, rx, ry = 13.0, 16.5, 11.5, 8.5
        tail = polygon([(6.5, 21.0), (12.0, 23.5), (3.5, 28.5)])
    shape = union(ellipse(cx, cy, rx, ry), tail)
    shine = ellipse(cx, cy - ry * 0.45, rx * 0.7, ry * 0.4)
    _badge(c, shape, BLUE_TOP, BLUE_BOTTOM, BLUE_RIM, 1.3 if large else 1.0, shine)
    return cx, cy


def _triangle(c, large):
    if large:
        points, rim, sign_y = [(20.5, 1.0), (39.5, 31.0), (1.5, 31.0)], 1.5, 19.0
    else:
        points, rim, sign_y = [(13.0, 7.0), (25.0, 28.0), (1.0, 28.0)], 1.0, 20.5
    shape = polygon(points)
    _badge(c, shape, YELLOW_TOP, YELLOW_BOTTOM, AMBER_RIM, rim, None)
    return points[0][0], sign_y


def _disc(c, large):
    cx, cy, r = (20.5, 16.0, 15.0) if large else (13.0, 17.5, 10.5)
    shine = ellipse(cx, cy - r * 0.5, r * 0.65, r * 0.38)
    _badge(c, ellipse(cx, cy, r, r), ORANGE_TOP, ORANGE_BOTTOM, ORANGE_RIM, 1.3 if large else 1.0, shine)
    arm, half = (r * 0.42, 1.9) if large else (r * 0.4, 1.4)
    cross = union(segment(cx - arm, cy - arm, cx + arm, cy + arm, half),
                  segment(cx - arm, cy + arm, cx + arm, cy - arm, half))
    c.fill(cross, solid(SIGN_DARK))


def _symbol(index, w, h, large):
    c = Canvas(w, h)
    sign_glyphs = glyphs.LARGE if large else glyphs.SMALL
    if index in (0, 1):
        cx, cy = _bubble(c, large)
        _sign(c, sign_glyphs["?" if index == 0 else "i"], cx, cy, WHITE)
    elif index == 2:
        cx, cy = _triangle(c, large)
        _sign(c, sign_glyphs["!"], cx, cy, SIGN_DARK)
    else:
        _disc(c, large)
    return c


def info_icon(index):
    """Body icon `index` (41 x 32), edges blended with the white body."""
    return _symbol(index, 41, 32, True).flatten(lambda _x, _y: WHITE, key=MASK_KEY)


def title_mark(index):
    """Title mark `index` (26 x 38); it sits one pixel below the top of the title band."""
    return _symbol(index, 26, 38, False).flatten(lambda _x, y: title_band_colour(y + 1), key=MASK_KEY)


# Button faces: a light grey rounded button on the white button panel.

FACES = {
    "BmpNormal": dict(rim=(172, 172, 172), top=(252, 252, 252), bottom=(226, 226, 226), ink=(128, 128, 128),
                      shift=0),
    "BmpActive": dict(rim=(128, 128, 128), top=(255, 255, 255), bottom=(236, 236, 236), ink=(0, 0, 0),
                      shift=0),
    "BmpDown": dict(rim=(118, 118, 118), top=(214, 214, 214), bottom=(238, 238, 238), ink=(0, 0, 0),
                    shift=1),
}
BUTTON_W, BUTTON_H = 55, 24


def button_face(syllables, face):
    f = FACES[face]
    c = Canvas(BUTTON_W, BUTTON_H)
    outer = rounded_rect(0.0, 0.0, BUTTON_W, BUTTON_H, 4.0)
    c.fill(outer, solid(f["rim"]))
    c.fill(inset(outer, 1.0), vertical_gradient(f["top"], f["bottom"], 1, BUTTON_H - 1))
    text = glyphs.word(syllables, 2)
    w, h = glyphs.size(text)
    c.stamp((BUTTON_W - w) // 2 + f["shift"], (BUTTON_H - h) // 2 + f["shift"], text, f["ink"])
    return c.flatten(lambda _x, _y: WHITE)


# The caption bitmap: the product's name in the tiny pixel face.

LABEL_W, LABEL_H = 72, 9
LABEL_INK = (0, 114, 161)


def label():
    c = Canvas(LABEL_W, LABEL_H, fill=WHITE)
    text = glyphs.latin_line("Mivora")
    w, h = glyphs.size(text)
    c.stamp((LABEL_W - w) // 2, (LABEL_H - h) // 2, text, LABEL_INK)
    return c.flatten(lambda _x, _y: WHITE)


def bitmaps():
    """File stem -> (RGB rows, bits per pixel), in a fixed order."""
    out = {name: (rows, 8) for name, rows in band_pieces().items()}
    for i in range(4):
        out[f"imgListInfo{i}"] = (info_icon(i), 8)
    for i in range(4):
        out[f"imgListTitle{i}"] = (title_mark(i), 8)
    for button, word in (("epBtnOK", "확인"), ("epBtnCancel", "취소")):
        for face in FACES:
            out[f"{button}.{face}"] = (button_face(word, face), 8)
    out["BMP_LABEL"] = (label(), 4)
    return out


NAMES = (["imgTopLeft", "imgTopCenter", "imgTopRight", "imgLeft", "imgRight", "imgBottomLeft",
          "imgBottomCenter", "imgBottomRight"] + [f"imgListInfo{i}" for i in range(4)] +
         [f"imgListTitle{i}" for i in range(4)] +
         [f"{b}.{f}" for b in ("epBtnOK", "epBtnCancel") for f in FACES] + ["BMP_LABEL"])
