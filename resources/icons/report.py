"""Report: a sheet of paper with a bar chart on it."""

from .palette import (BLUE, GREEN, INK, ORANGE, PAPER_BOTTOM, PAPER_EDGE, PAPER_FOLD,
                      PAPER_TOP, lit, lit_colour, rim_of)
from .raster import Canvas, polygon, rect, shade

BARS = (BLUE, GREEN, ORANGE)

# Per size, all on whole pixels: the sheet (x0, y0, x1, y1) and the size of
# its turned-down corner; the chart's axes (left x, base y: each a line of
# one pixel, the base running to axis_end); each bar as (x0, x1, top); the
# heading lines (x0, x1, y), drawn at 32 and 48.
LAYOUT = {
    16: dict(sheet=(2, 1, 14, 15), fold=4, axis=None, base=(3, 12, 13),
             bars=((4, 6, 8), (7, 9, 5), (10, 12, 7)), lines=()),
    24: dict(sheet=(3, 1, 21, 23), fold=6, axis=(6, 7), base=(6, 19, 19),
             bars=((8, 11, 13), (12, 15, 8), (16, 19, 11)), lines=((6, 13, 4),)),
    32: dict(sheet=(5, 1, 27, 31), fold=7, axis=(8, 9), base=(8, 26, 25),
             bars=((10, 14, 17), (15, 19, 10), (20, 24, 14)), lines=((8, 18, 4), (8, 14, 6))),
    48: dict(sheet=(8, 2, 40, 46), fold=10, axis=(12, 15), base=(12, 39, 37),
             bars=((15, 21, 26), (23, 29, 16), (31, 37, 22)), lines=((12, 27, 6), (12, 22, 9))),
}


def draw(n):
    lay = LAYOUT[n]
    cv = Canvas(n)
    x0, y0, x1, y1 = lay["sheet"]
    f = lay["fold"]
    sheet = polygon([(x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1), (x0, y1)])
    lit(cv, sheet, PAPER_TOP, PAPER_BOTTOM, PAPER_EDGE, y0, y1)
    corner = polygon([(x1 - f, y0), (x1, y0 + f), (x1 - f, y0 + f)])
    lit(cv, corner, PAPER_TOP, PAPER_FOLD, PAPER_EDGE, y0, y0 + f)

    for lx0, lx1, ly in lay["lines"]:
        cv.fill(rect(lx0, ly, lx1, ly + 1), shade(PAPER_FOLD, 0.85))

    bx0, base_y, bx1 = lay["base"]
    if lay["axis"]:
        ax, top = lay["axis"]
        cv.fill(rect(ax, top, ax + 1, base_y + 1), INK)
    cv.fill(rect(bx0, base_y, bx1, base_y + 1), INK)
    for (bx, bx_end, top), col in zip(lay["bars"], BARS):
        bar = rect(bx, top, bx_end, base_y)
        if n >= 24:
            lit_colour(cv, bar, col, top, base_y)
        else:
            cv.fill(bar, col)
            cv.fill(rect(bx, top, bx_end, top + 1), rim_of(col), 0.5)
    return cv


ICONS = {"Report.ico": draw}
