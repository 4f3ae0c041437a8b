"""Options: a steel gear wheel."""

from .palette import STEEL_BOTTOM, STEEL_EDGE, STEEL_TOP, lit
from .raster import Canvas, circle, rect, ring, rotate, subtract, union

TEETH = 8

# Per size: tooth tip radius and half width (the teeth on the axes end on
# pixel boundaries), radius of the wheel between the teeth, of the hole,
# and how round the tooth corners are.
LAYOUT = {
    16: dict(tip=7.0, half=2.0, body=5.2, hole=2.0, round=0.6),
    24: dict(tip=11.0, half=2.5, body=8.4, hole=3.2, round=0.8),
    32: dict(tip=15.0, half=3.0, body=11.5, hole=4.5, round=1.0, hub=7.5),
    48: dict(tip=22.0, half=4.0, body=17.0, hole=6.5, round=1.5, hub=11.0),
}


def gear_shape(n, lay):
    c = n / 2.0
    tooth = rect(c - lay["half"], c - lay["tip"], c + lay["half"], c, lay["round"])
    teeth = [rotate(tooth, c, c, k * 360.0 / TEETH) for k in range(TEETH)]
    return subtract(union(circle(c, c, lay["body"]), *teeth), circle(c, c, lay["hole"]))


def draw(n):
    lay = LAYOUT[n]
    cv = Canvas(n)
    gear = gear_shape(n, lay)
    lit(cv, gear, STEEL_TOP, STEEL_BOTTOM, STEEL_EDGE, 1, n - 1)
    if "hub" in lay:
        # a groove round the hub: shadow above, light below, as if cut in
        c = n / 2.0
        cv.fill(ring(c, c + 1.0, lay["hub"], 0.5), (255, 255, 255), 0.7)
        cv.fill(ring(c, c, lay["hub"], 0.5), STEEL_EDGE, 0.4)
    return cv


ICONS = {"Options.ico": draw}
