"""The program icon: four coloured squares, the button grid, on a blue tile."""

from .palette import BLUE_BOTTOM, BLUE_EDGE, BLUE_TOP, GREEN, ORANGE, RED, YELLOW, lit, lit_colour
from .raster import Canvas, rect

# Per size: tile corner radius and the 2x2 grid as (margin, square, gap),
# chosen so that every square edge falls on a pixel boundary.
LAYOUT = {
    16: dict(radius=3.0, margin=3, square=4, gap=2, sq_radius=0.8),
    24: dict(radius=4.5, margin=4, square=7, gap=2, sq_radius=1.3),
    32: dict(radius=6.0, margin=6, square=9, gap=2, sq_radius=1.8),
    48: dict(radius=9.0, margin=8, square=14, gap=4, sq_radius=2.6),
}

SQUARES = (ORANGE, GREEN, RED, YELLOW)  # upper left, upper right, lower left, lower right


def draw(n):
    lay = LAYOUT[n]
    c = Canvas(n)
    tile = rect(0, 0, n, n, lay["radius"])
    edge = 1.0 if n < 48 else 1.5
    lit(c, tile, BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE, 0, n, edge)
    if n >= 24:
        # a soft sheen over the upper half of the tile
        c.fill(rect(edge, edge, n - edge, n / 2.0, lay["radius"] - edge), (255, 255, 255), 0.10)

    s, g, off = lay["square"], lay["gap"], lay["margin"]
    assert 2 * off + 2 * s + g == n, "the grid must be centred on the tile"
    for k, col in enumerate(SQUARES):
        x0 = off + (k % 2) * (s + g)
        y0 = off + (k // 2) * (s + g)
        sq = rect(x0, y0, x0 + s, y0 + s, lay["sq_radius"])
        if n >= 24:
            lit_colour(c, sq, col, y0, y0 + s)
        else:
            c.fill(sq, col)
    return c


ICONS = {"Quorlet.ico": draw}
