#!/usr/bin/env python3
"""Generate the binary resources of Quorlet.

Writes, next to this script (or into the folder given as the first
argument):

  Quorlet.ico      program icon, 16x16, 32x32 and 48x48, 32-bit BGRA DIBs
  MissedIcon.ico   grey placeholder for buttons whose icon file is gone,
                   16x16 and 32x32
  Icon.wav         click played on a launch and before command dialogs
  Tabsheet.wav     tick played when the user changes the tab sheet

The output is byte-for-byte deterministic: no randomness, no time stamps.
Only the standard library is used.

  python3 make_resources.py            regenerate the files
  python3 make_resources.py --check    exit 1 if a file on disk differs
"""

import io
import math
import os
import struct
import sys
import wave

# ---------------------------------------------------------------------------
# A tiny anti-aliased rasteriser.  Shapes are signed-distance functions in
# pixel units (negative inside); each pixel is sampled on an SS x SS grid.
# ---------------------------------------------------------------------------

SS = 4


def sd_round_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        inside = min(max(qx, qy), 0.0)
        return outside + inside - r
    return f


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_segment(ax, ay, bx, by, r):
    """Capsule: the segment a-b thickened to radius r."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy

    def f(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r
    return f


def sd_arc(cx, cy, radius, half_width, a_from, a_to):
    """Ring segment from angle a_from to a_to (degrees, counter-clockwise,
    y pointing up as on paper) with round caps."""
    a0, a1 = math.radians(a_from), math.radians(a_to)
    caps = [(cx + radius * math.cos(a), cy - radius * math.sin(a)) for a in (a0, a1)]

    def f(x, y):
        ang = math.atan2(-(y - cy), x - cx)
        while ang < a0:
            ang += 2 * math.pi
        if ang <= a1:
            return abs(math.hypot(x - cx, y - cy) - radius) - half_width
        return min(math.hypot(x - px, y - py) for px, py in caps) - half_width
    return f


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def inset(f, d):
    return lambda x, y: f(x, y) + d


class Canvas:
    """Straight (non-premultiplied) RGBA floats, rows top to bottom."""

    def __init__(self, size):
        self.size = size
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]

    def fill(self, shape, paint, opacity=1.0):
        """paint: (r, g, b) or a function (x, y) -> (r, g, b), 0..255."""
        n = self.size
        step = 1.0 / SS
        for j in range(n):
            for i in range(n):
                hits = 0
                for sj in range(SS):
                    for si in range(SS):
                        if shape(i + (si + 0.5) * step, j + (sj + 0.5) * step) < 0:
                            hits += 1
                if not hits:
                    continue
                a = opacity * hits / (SS * SS)
                col = paint(i + 0.5, j + 0.5) if callable(paint) else paint
                self._over(i, j, col, a)

    def _over(self, i, j, col, a):
        r0, g0, b0, a0 = self.px[j][i]
        ao = a + a0 * (1 - a)
        if ao <= 0:
            return
        mix = [(c * a + c0 * a0 * (1 - a)) / ao for c, c0 in zip(col, (r0, g0, b0))]
        self.px[j][i] = (mix[0], mix[1], mix[2], ao)

    def bgra_bytes(self):
        """Rows bottom-up, as a DIB stores them."""
        out = bytearray()
        for row in reversed(self.px):
            for r, g, b, a in row:
                out += bytes((_byte(b), _byte(g), _byte(r), _byte(a * 255)))
        return bytes(out)

    def and_mask(self):
        """1 bit per pixel, 1 = transparent, rows bottom-up, padded to 32 bits."""
        stride = ((self.size + 31) // 32) * 4
        out = bytearray()
        for row in reversed(self.px):
            line = bytearray(stride)
            for i, (_, _, _, a) in enumerate(row):
                if _byte(a * 255) < 128:
                    line[i // 8] |= 0x80 >> (i % 8)
            out += line
        return bytes(out)


def _byte(v):
    return max(0, min(255, int(round(v))))


def lerp(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def shade(col, f):
    return tuple(c * f for c in col)


# ---------------------------------------------------------------------------
# Icon artwork
# ---------------------------------------------------------------------------

# Per size: tile corner radius, and the 2x2 grid as (margin, square, gap),
# chosen so that every square edge falls on a pixel boundary.
MAIN_LAYOUT = {
    16: dict(radius=3.0, margin=3, square=4, gap=2, sq_radius=0.8),
    32: dict(radius=6.0, margin=6, square=9, gap=2, sq_radius=1.8),
    48: dict(radius=9.0, margin=8, square=14, gap=4, sq_radius=2.6),
}

TILE_TOP = (78, 134, 214)
TILE_BOTTOM = (30, 66, 138)
TILE_EDGE = (18, 40, 92)
SQUARES = [  # upper left, upper right, lower left, lower right
    (244, 162, 38),
    (92, 196, 84),
    (232, 76, 61),
    (250, 216, 64),
]


def draw_main_icon(n):
    lay = MAIN_LAYOUT[n]
    c = Canvas(n)
    tile = sd_round_rect(0, 0, n, n, lay["radius"])
    c.fill(tile, TILE_EDGE)
    edge = 1.0 if n < 48 else 1.5
    c.fill(inset(tile, edge), lambda x, y: lerp(TILE_TOP, TILE_BOTTOM, y / n))
    # a soft sheen over the upper half of the tile
    if n >= 32:
        sheen = sd_round_rect(edge, edge, n - edge, n / 2.0, lay["radius"] - edge)
        c.fill(sheen, (255, 255, 255), opacity=0.10)

    s, g = lay["square"], lay["gap"]
    off = lay["margin"]
    assert 2 * off + 2 * s + g == n, "the grid must be centred on the tile"
    for k, col in enumerate(SQUARES):
        x0 = off + (k % 2) * (s + g)
        y0 = off + (k // 2) * (s + g)
        sq = sd_round_rect(x0, y0, x0 + s, y0 + s, lay["sq_radius"])
        if n >= 32:
            # darker rim, then the lit face
            c.fill(sq, shade(col, 0.62))
            face = inset(sq, 1.0)
            top, bottom = lerp(col, (255, 255, 255), 0.30), col
            c.fill(face, lambda x, y, y0=y0, t=top, b=bottom: lerp(t, b, (y - y0) / s))
        else:
            c.fill(sq, col)
    return c


MISSED_LAYOUT = {
    16: dict(radius=3.0, edge=1.0, arc_r=3.0, arc_w=1.0, cy=6.0, stem_end=10.0, dot=(12.0, 1.15)),
    32: dict(radius=6.0, edge=1.0, arc_r=6.0, arc_w=1.8, cy=11.6, stem_end=20.0, dot=(25.0, 2.2)),
}

GREY_FACE_TOP = (236, 236, 236)
GREY_FACE_BOTTOM = (196, 196, 196)
GREY_EDGE = (128, 128, 128)
GREY_MARK = (112, 112, 112)


def draw_missed_icon(n):
    lay = MISSED_LAYOUT[n]
    c = Canvas(n)
    tile = sd_round_rect(0, 0, n, n, lay["radius"])
    c.fill(tile, GREY_EDGE)
    c.fill(inset(tile, lay["edge"]), lambda x, y: lerp(GREY_FACE_TOP, GREY_FACE_BOTTOM, y / n))
    cx = n / 2.0
    r, w, cy = lay["arc_r"], lay["arc_w"], lay["cy"]
    # the hook: from the left (a little below horizontal) over the top and
    # round to straight below the centre, then down into the stem
    hook = sd_arc(cx, cy, r, w, -90.0, 200.0)
    stem = sd_segment(cx, cy + r, cx, lay["stem_end"] - w, w)
    dot_y, dot_r = lay["dot"]
    dot = sd_circle(cx, dot_y, dot_r)
    mark = union(hook, stem, dot)
    c.fill(mark, GREY_MARK)
    return c


# ---------------------------------------------------------------------------
# .ico writer (classic DIB images with an AND mask)
# ---------------------------------------------------------------------------

def ico_bytes(canvases):
    count = len(canvases)
    header = struct.pack("<HHH", 0, 1, count)
    entries = b""
    images = b""
    offset = 6 + 16 * count
    for cv in canvases:
        n = cv.size
        xor = cv.bgra_bytes()
        mask = cv.and_mask()
        bih = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0,
                          len(xor) + len(mask), 0, 0, 0, 0)
        data = bih + xor + mask
        entries += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32,
                               len(data), offset)
        images += data
        offset += len(data)
    return header + entries + images


# ---------------------------------------------------------------------------
# Click sounds
# ---------------------------------------------------------------------------

RATE = 22050


def click(duration_ms, partials, decay_ms, attack_ms, peak, fade_ms):
    """Sum of decaying sines.  partials: (frequency Hz, relative level).
    A raised-cosine attack and a final fade make both ends start and end
    at silence, so the sound does not pop."""
    n = int(RATE * duration_ms / 1000.0)
    att = max(1, int(RATE * attack_ms / 1000.0))
    fade = max(1, int(RATE * fade_ms / 1000.0))
    tau = decay_ms / 1000.0
    norm = sum(level for _, level in partials)
    samples = []
    for k in range(n):
        t = k / float(RATE)
        v = sum(level * math.sin(2 * math.pi * f * t) for f, level in partials) / norm
        env = math.exp(-t / tau)
        if k < att:
            env *= 0.5 - 0.5 * math.cos(math.pi * k / att)
        left = n - 1 - k
        if left < fade:
            env *= 0.5 - 0.5 * math.cos(math.pi * left / fade)
        samples.append(int(round(32767 * peak * env * v)))
    return samples


def wav_bytes(samples):
    buf = io.BytesIO()
    with wave.open(buf, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))
    return buf.getvalue()


def icon_click():
    # soft, fairly high: a short 2.6 kHz tap with a little body at 1.3 kHz
    return click(duration_ms=80, partials=[(2600, 1.0), (1300, 0.45), (5200, 0.12)],
                 decay_ms=14, attack_ms=1.5, peak=0.45, fade_ms=20)


def tabsheet_tick():
    # lower and softer: a rounded 900 Hz tick
    return click(duration_ms=110, partials=[(900, 1.0), (450, 0.35), (1800, 0.10)],
                 decay_ms=20, attack_ms=2.5, peak=0.32, fade_ms=30)


# ---------------------------------------------------------------------------

def build():
    return {
        "Quorlet.ico": ico_bytes([draw_main_icon(n) for n in (16, 32, 48)]),
        "MissedIcon.ico": ico_bytes([draw_missed_icon(n) for n in (16, 32)]),
        "Icon.wav": wav_bytes(icon_click()),
        "Tabsheet.wav": wav_bytes(tabsheet_tick()),
    }


def main(argv):
    check = "--check" in argv
    rest = [a for a in argv if a != "--check"]
    outdir = rest[0] if rest else os.path.dirname(os.path.abspath(__file__))
    stale = []
    for name, data in build().items():
        path = os.path.join(outdir, name)
        if check:
            try:
                with open(path, "rb") as fh:
                    same = fh.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(name)
        else:
            with open(path, "wb") as fh:
                fh.write(data)
            print("wrote %s (%d bytes)" % (path, len(data)))
    if stale:
        print("out of date: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
