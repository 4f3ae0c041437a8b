"""Colours and shading shared by all icons.

Light falls from above: every part is a darker rim around a face that runs
from a lighter tint at its top to its own colour at its bottom.
"""

from .raster import inset, shade, tint, vertical

# the blue tile of the program icon
BLUE_TOP = (78, 134, 214)
BLUE_BOTTOM = (30, 66, 138)
BLUE_EDGE = (18, 40, 92)

ORANGE = (244, 162, 38)
GREEN = (92, 196, 84)
RED = (232, 76, 61)
YELLOW = (250, 216, 64)
BLUE = (64, 128, 220)

# paper: report sheet, clock face
PAPER_TOP = (255, 255, 255)
PAPER_BOTTOM = (226, 231, 238)
PAPER_EDGE = (104, 112, 126)
PAPER_FOLD = (196, 204, 216)

# steel: gear, resting clock
STEEL_TOP = (230, 234, 240)
STEEL_BOTTOM = (150, 160, 176)
STEEL_EDGE = (70, 78, 94)

# cardboard: the archive box
BOX_TOP = (232, 196, 140)
BOX_BOTTOM = (196, 146, 82)
BOX_EDGE = (112, 76, 34)

# lines drawn on a face: clock hands, chart axis
INK = (46, 54, 70)

# the missing-icon placeholder
GREY_FACE = (238, 238, 238)
GREY_LINE = (132, 132, 132)
GREY_MARK = (118, 118, 118)

RIM_FACTOR = 0.62
TOP_TINT = 0.30


def rim_of(col):
    return shade(col, RIM_FACTOR)


def lit(canvas, shape, top, bottom, edge, y0, y1, rim=1.0):
    """Fill shape with its rim colour, then the face rim pixels inside it
    with a gradient from top (at y0) to bottom (at y1)."""
    canvas.fill(shape, edge)
    canvas.fill(inset(shape, rim), vertical(top, bottom, y0, y1))


def lit_colour(canvas, shape, col, y0, y1, rim=1.0):
    """lit() for one of the bright colours: tinted top, own colour at the
    bottom, a darker rim."""
    lit(canvas, shape, tint(col, TOP_TINT), col, rim_of(col), y0, y1, rim)
