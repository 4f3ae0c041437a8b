"""Backup and restore: an open archive box with an arrow going into it
(backup) or coming out of it (restore)."""

from .palette import BOX_BOTTOM, BOX_EDGE, BOX_TOP, BLUE, GREEN, lit, lit_colour
from .raster import Canvas, polygon, rect, shade, union

# Per size, on whole pixels: the box's front (x0, y0, x1, y1) and the
# inside of its back wall seen over the front's edge (x0, y0, x1); the
# arrow's shaft (x0, x1) and head (half width, height); for backup the top
# of the shaft and the tip, just behind the front's edge; for restore the
# tip and the bottom of the shaft, hidden behind the front; the hand hole
# in the front (x0, y0, x1, y1), none at 16.
LAYOUT = {
    16: dict(front=(1, 10, 15, 15), back=(2, 8, 14), shaft=(6, 10), head=(5, 5),
             backup=(0, 11), restore=(0, 12), hole=None),
    24: dict(front=(2, 14, 22, 23), back=(3, 11, 21), shaft=(9, 15), head=(7, 7),
             backup=(1, 16), restore=(1, 18), hole=(9, 17, 15, 19)),
    32: dict(front=(2, 18, 30, 30), back=(3, 15, 29), shaft=(12, 20), head=(9, 9),
             backup=(1, 20), restore=(1, 24), hole=(11, 22, 21, 25)),
    48: dict(front=(3, 27, 45, 45), back=(5, 22, 43), shaft=(18, 30), head=(13, 13),
             backup=(2, 30), restore=(2, 36), hole=(17, 33, 31, 37)),
}


def arrow(n, lay, down):
    cx = n / 2.0
    sx0, sx1 = lay["shaft"]
    hw, hh = lay["head"]
    if down:
        top, tip = lay["backup"]
        base = tip - hh
        shaft = rect(sx0, top, sx1, base + 1)
        head = polygon([(cx - hw, base), (cx + hw, base), (cx, tip)])
        return union(shaft, head), top, tip
    tip, bottom = lay["restore"]
    head = polygon([(cx, tip), (cx + hw, tip + hh), (cx - hw, tip + hh)])
    shaft = rect(sx0, tip + hh - 1, sx1, bottom)
    return union(shaft, head), tip, bottom


def draw(n, down, colour):
    lay = LAYOUT[n]
    cv = Canvas(n)
    fx0, fy0, fx1, fy1 = lay["front"]
    bx0, by0, bx1 = lay["back"]
    # the inside of the back wall, in shadow
    lit(cv, rect(bx0, by0, bx1, fy0 + 1), shade(BOX_BOTTOM, 0.75), shade(BOX_BOTTOM, 0.55),
        BOX_EDGE, by0, fy0)
    # the arrow passes behind the front
    shape, y0, y1 = arrow(n, lay, down)
    lit_colour(cv, shape, colour, y0, y1)
    lit(cv, rect(fx0, fy0, fx1, fy1, 1.0 if n >= 24 else 0.5), BOX_TOP, BOX_BOTTOM, BOX_EDGE, fy0, fy1)
    if lay["hole"]:
        hx0, hy0, hx1, hy1 = lay["hole"]
        cv.fill(rect(hx0, hy0, hx1, hy1, (hy1 - hy0) / 2.0), BOX_EDGE)
    return cv


def draw_backup(n):
    return draw(n, True, GREEN)


def draw_restore(n):
    return draw(n, False, BLUE)


ICONS = {"Backup.ico": draw_backup, "Restore.ico": draw_restore}
