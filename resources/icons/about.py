"""The about box's emblem (AboutEmblem.ico): the program's tile, the blue
square with the four coloured buttons, standing on a soft shadow, for the
banner across the top of the box.  48 pixels, and 96 for 2x screens; the
box draws the banner's band and lettering itself and picks the size by its
screen's dots per inch.
"""

from .palette import BLUE_BOTTOM, BLUE_EDGE, BLUE_TOP, GREEN, ORANGE, RED, YELLOW, lit, lit_colour
from .raster import Canvas, rect

SIZES = (48, 96)

# Per size: the tile (left, top, side, corner radius, rim), the 2x2 grid in
# it as (margin, square, gap, corner radius) with every edge on a pixel
# boundary, and the shadow below it (drop, softness in pixels).
LAYOUT = {
    48: dict(tile=(2, 1, 44, 8.0, 1.5), grid=(7, 13, 4, 2.4), shadow=(1.5, 2)),
    96: dict(tile=(4, 2, 88, 16.0, 2.5), grid=(14, 26, 8, 4.6), shadow=(3.0, 4)),
}

SQUARES = (ORANGE, GREEN, RED, YELLOW)  # upper left, upper right, lower left, lower right


def draw(n):
    lay = LAYOUT[n]
    x0, y0, side, radius, rim = lay["tile"]
    margin, square, gap, sq_radius = lay["grid"]
    assert 2 * margin + 2 * square + gap == side, "the grid must be centred on the tile"
    drop, soft = lay["shadow"]
    c = Canvas(n)

    # the shadow: layers growing outwards, each fainter
    for k in range(soft, 0, -1):
        grow = k - 0.5
        c.fill(rect(x0 - grow, y0 + drop - grow, x0 + side + grow, y0 + side + drop + grow, radius + grow),
               (0, 0, 0), 0.07)

    tile = rect(x0, y0, x0 + side, y0 + side, radius)
    lit(c, tile, BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE, y0, y0 + side, rim)
    # a soft sheen over the upper half of the tile
    c.fill(rect(x0 + rim, y0 + rim, x0 + side - rim, y0 + side / 2.0, radius - rim), (255, 255, 255), 0.10)

    for k, col in enumerate(SQUARES):
        sx = x0 + margin + (k % 2) * (square + gap)
        sy = y0 + margin + (k // 2) * (square + gap)
        lit_colour(c, rect(sx, sy, sx + square, sy + square, sq_radius), col, sy, sy + square,
                   1.0 if n < 96 else 1.5)
    return c


ICONS = {"AboutEmblem.ico": draw}
ICON_SIZES = {"AboutEmblem.ico": SIZES}
