"""A small anti-aliased rasteriser for the icon artwork.

Shapes are signed-distance functions in pixel units: f(x, y) < 0 inside,
coordinates with y pointing down and pixel (i, j) covering the square
[i, i + 1] x [j, j + 1].  An edge on a whole coordinate therefore falls on
a pixel boundary and comes out sharp.  Every shape built here changes by at
most 1 per pixel of movement, which lets the rasteriser decide most pixels
from their centre and sample only those an edge passes through.

Only the standard library is used; there is no randomness and no time
stamp, so every run writes the same bytes.
"""

import math
import struct
import zlib

SS = 6                      # samples per pixel side at an edge
_EDGE = 0.7072              # just over half a pixel diagonal
BLOCK = 4                   # pixels per side of a block decided at once


# ---------------------------------------------------------------------------
# Shapes
# ---------------------------------------------------------------------------

def _len(x, y):
    # sqrt is correctly rounded everywhere, so the output does not depend
    # on the platform's hypot
    return math.sqrt(x * x + y * y)


def rect(x0, y0, x1, y1, r=0.0):
    """Rectangle with corners rounded to radius r."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        outside = _len(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return f


def circle(cx, cy, r):
    return lambda x, y: _len(x - cx, y - cy) - r


def ring(cx, cy, r, half_width):
    return lambda x, y: abs(_len(x - cx, y - cy) - r) - half_width


def segment(ax, ay, bx, by, r):
    """The segment a-b thickened to radius r (round caps)."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy

    def f(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        return _len(x - ax - t * dx, y - ay - t * dy) - r
    return f


def arc(cx, cy, radius, half_width, a_from, a_to):
    """Ring segment from angle a_from to a_to (degrees, counter-clockwise
    with y pointing up as on paper) with round caps."""
    a0, a1 = math.radians(a_from), math.radians(a_to)
    caps = [(cx + radius * math.cos(a), cy - radius * math.sin(a)) for a in (a0, a1)]

    def f(x, y):
        ang = math.atan2(-(y - cy), x - cx)
        while ang < a0:
            ang += 2 * math.pi
        if ang <= a1:
            return abs(_len(x - cx, y - cy) - radius) - half_width
        return min(_len(x - px, y - py) for px, py in caps) - half_width
    return f


def polygon(points):
    """Any simple polygon, given as its corners in order."""
    pts = list(points)
    n = len(pts)

    def f(x, y):
        d = None
        inside = False
        for k in range(n):
            ax, ay = pts[k - 1]
            bx, by = pts[k]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            ll = ex * ex + ey * ey
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / ll))
            dd = _len(wx - ex * t, wy - ey * t)
            d = dd if d is None else min(d, dd)
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -d if inside else d
    return f


def half_plane(px, py, nx, ny):
    """Everything on the far side of the line through p, away from the
    normal n (which points outside)."""
    k = _len(nx, ny)
    nx, ny = nx / k, ny / k
    return lambda x, y: (x - px) * nx + (y - py) * ny


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def subtract(f, *cuts):
    return lambda x, y: max(f(x, y), -min(c(x, y) for c in cuts))


def inset(f, d):
    """The shape shrunk by d pixels (grown when d is negative)."""
    return lambda x, y: f(x, y) + d


def rotate(f, cx, cy, degrees):
    """The shape turned counter-clockwise (on screen) about (cx, cy)."""
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)

    def g(x, y):
        dx, dy = x - cx, y - cy
        # inverse rotation of the sample point; screen y points down
        return f(cx + c * dx - s * dy, cy + s * dx + c * dy)
    return g


# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

def lerp(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def shade(col, f):
    return tuple(max(0.0, min(255.0, c * f)) for c in col)


def tint(col, t):
    """Towards white by t."""
    return lerp(col, (255, 255, 255), t)


def vertical(top, bottom, y0, y1):
    """Paint: a gradient from top (at y0) to bottom (at y1)."""
    span = float(y1 - y0) or 1.0
    return lambda x, y: lerp(top, bottom, (y - y0) / span)


# ---------------------------------------------------------------------------
# Canvas
# ---------------------------------------------------------------------------

class Canvas:
    """Straight (not premultiplied) RGBA floats, rows top to bottom."""

    def __init__(self, size):
        self.size = size
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]

    def coverage(self, shape, i, j):
        d = shape(i + 0.5, j + 0.5)
        if d >= _EDGE:
            return 0.0
        if d <= -_EDGE:
            return 1.0
        step = 1.0 / SS
        hits = 0
        for sj in range(SS):
            y = j + (sj + 0.5) * step
            for si in range(SS):
                if shape(i + (si + 0.5) * step, y) < 0:
                    hits += 1
        return hits / float(SS * SS)

    def covered(self, shape):
        """(i, j, coverage) of every pixel the shape touches.  Blocks of
        BLOCK x BLOCK pixels far enough from an edge are decided from their
        centre alone."""
        n = self.size
        far = BLOCK * 0.7072 + _EDGE
        for bj in range(0, n, BLOCK):
            for bi in range(0, n, BLOCK):
                d = shape(bi + BLOCK / 2.0, bj + BLOCK / 2.0)
                if d >= far:
                    continue
                for j in range(bj, min(bj + BLOCK, n)):
                    for i in range(bi, min(bi + BLOCK, n)):
                        cov = 1.0 if d <= -far else self.coverage(shape, i, j)
                        if cov > 0.0:
                            yield i, j, cov

    def fill(self, shape, paint, opacity=1.0):
        """paint: (r, g, b) or a function (x, y) -> (r, g, b), 0..255,
        taken at the pixel centre."""
        for i, j, cov in self.covered(shape):
            col = paint(i + 0.5, j + 0.5) if callable(paint) else paint
            self._over(i, j, col, opacity * cov)

    def pixels(self, x0, y0, rows, paint):
        """Hand-placed pixels for the smallest sizes: in rows, '#' is a
        full pixel, '+' a half-covered one and anything else is left
        alone; the first row starts at pixel (x0, y0)."""
        cover = {"#": 1.0, "+": 0.5}
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in cover:
                    i, j = x0 + dx, y0 + dy
                    col = paint(i + 0.5, j + 0.5) if callable(paint) else paint
                    self._over(i, j, col, cover[ch])

    def erase(self, shape):
        """Make the pixels under shape transparent (edges partly)."""
        for i, j, cov in self.covered(shape):
            r, g, b, a = self.px[j][i]
            self.px[j][i] = (r, g, b, a * (1.0 - cov))

    def recolour(self, fn):
        """Pass the colour of every pixel drawn so far through
        fn((r, g, b)) -> (r, g, b); alpha stays."""
        for row in self.px:
            for i, (r, g, b, a) in enumerate(row):
                if a > 0.0:
                    row[i] = tuple(fn((r, g, b))) + (a,)

    def _over(self, i, j, col, a):
        r0, g0, b0, a0 = self.px[j][i]
        ao = a + a0 * (1 - a)
        if ao <= 0:
            return
        mix = [(c * a + c0 * a0 * (1 - a)) / ao for c, c0 in zip(col, (r0, g0, b0))]
        self.px[j][i] = (mix[0], mix[1], mix[2], ao)

    def rgba_rows(self):
        """8-bit RGBA, rows top to bottom; fully transparent pixels are
        stored as transparent black."""
        rows = []
        for row in self.px:
            line = bytearray()
            for r, g, b, a in row:
                a8 = _byte(a * 255)
                if a8 == 0:
                    line += b"\0\0\0\0"
                else:
                    line += bytes((_byte(r), _byte(g), _byte(b), a8))
            rows.append(bytes(line))
        return rows


def _byte(v):
    return max(0, min(255, int(round(v))))


# ---------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------

def _dib(canvas):
    """BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, then the AND mask
    (1 bit per pixel, set where the pixel is transparent, rows padded to
    32 bits) for programs that ignore the alpha channel."""
    n = canvas.size
    rows = canvas.rgba_rows()
    xor = bytearray()
    mask = bytearray()
    stride = ((n + 31) // 32) * 4
    for row in reversed(rows):
        line = bytearray(stride)
        for i in range(n):
            r, g, b, a = row[4 * i:4 * i + 4]
            xor += bytes((b, g, r, a))
            if a < 128:
                line[i // 8] |= 0x80 >> (i % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


# Images this large are stored PNG-compressed, as Windows (Vista and later)
# reads them; the small ones stay DIBs, which every loader reads.
PNG_FROM_SIZE = 96


def ico_bytes(canvases):
    """An .ico file holding one 32-bit image per canvas, smallest first."""
    count = len(canvases)
    entries = b""
    images = b""
    offset = 6 + 16 * count
    for cv in canvases:
        data = png_bytes(cv) if cv.size >= PNG_FROM_SIZE else _dib(cv)
        # one byte each for width and height: the size itself up to 255,
        # 0 for 256 (nothing larger fits a DIB entry)
        assert 0 < cv.size <= 256
        n = cv.size % 256
        entries += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        images += data
        offset += len(data)
    return struct.pack("<HHH", 0, 1, count) + entries + images


def png_bytes(canvas, scale=1):
    """The canvas as an RGBA PNG, each pixel blown up to scale x scale."""
    raw = bytearray()
    for row in canvas.rgba_rows():
        wide = b"".join(row[k:k + 4] * scale for k in range(0, len(row), 4))
        for _ in range(scale):
            raw += b"\0" + wide
    side = canvas.size * scale

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xffffffff)

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))
