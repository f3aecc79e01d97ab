"""A small anti-aliasing rasteriser: shapes are inside-tests on sub-pixel positions, colours may vary
with position (gradients), and everything is composited with coverage as alpha."""

import math

SUB = 4  # sub-samples per pixel along each axis


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def vertical_gradient(top_colour, bottom_colour, y0, y1):
    def colour(_x, y):
        t = min(1.0, max(0.0, (y - y0) / max(1e-9, y1 - y0)))
        return lerp(top_colour, bottom_colour, t)
    return colour


def solid(colour):
    return lambda _x, _y: colour


class Canvas:
    """RGBA pixels with premultiplied colour; alpha 0 is untouched, see-through area."""

    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        clear = (0.0, 0.0, 0.0, 0.0) if fill is None else (*map(float, fill), 1.0)
        self.px = [[clear] * width for _ in range(height)]

    def _over(self, x, y, colour, alpha):
        r, g, b, a = self.px[y][x]
        k = 1.0 - alpha
        self.px[y][x] = (colour[0] * alpha + r * k, colour[1] * alpha + g * k,
                         colour[2] * alpha + b * k, alpha + a * k)

    def fill(self, inside, colour, box=None, opacity=1.0):
        """Paints where `inside(x, y)` holds for sub-pixel centres; `colour(x, y)` gives the paint."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                hits, acc = 0, [0.0, 0.0, 0.0]
                for sy in range(SUB):
                    for sx in range(SUB):
                        fx, fy = x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB
                        if inside(fx, fy):
                            c = colour(fx, fy)
                            hits += 1
                            acc = [acc[0] + c[0], acc[1] + c[1], acc[2] + c[2]]
                if hits:
                    self._over(x, y, [v / hits for v in acc], opacity * hits / (SUB * SUB))

    def set(self, x, y, colour):
        """A hard pixel, no blending."""
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = (*map(float, colour), 1.0)

    def stamp(self, x0, y0, rows, colour):
        """Pixel art: every '#' of `rows` becomes a hard pixel of `colour`."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.set(x0 + dx, y0 + dy, colour)

    def flatten(self, background, key=None):
        """Plain RGB rows. Pixels no shape touched become `key` when given; all others are composited
        over `background(x, y)`, the colour the picture will sit on."""
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r, g, b, a = self.px[y][x]
                if a <= 0.0 and key is not None:
                    row.append(key)
                    continue
                bg = background(x, y)
                row.append(tuple(int(round(min(255.0, c + bc * (1.0 - a)))) for c, bc in zip((r, g, b), bg)))
            rows.append(row)
        return rows


# Inside-tests for the shapes the skin is drawn from.

def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def polygon(points):
    """Even-odd rule."""
    def inside(x, y):
        result = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def segment(ax, ay, bx, by, half_width):
    """A stroke with round caps."""
    def inside(x, y):
        vx, vy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
        return math.hypot(x - ax - t * vx, y - ay - t * vy) <= half_width
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def inset(shape, d):
    """The part of `shape` at least `d` away from its edge (tested in sixteen directions)."""
    steps = [(d * math.cos(k * math.pi / 8), d * math.sin(k * math.pi / 8)) for k in range(16)]
    return lambda x, y: shape(x, y) and all(shape(x + dx, y + dy) for dx, dy in steps)
